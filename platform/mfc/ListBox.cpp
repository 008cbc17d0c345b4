#include "platform/mfc/ListBox.h"

#include "platform/mfc/ItemReflection.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_LISTBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
  return ask(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer));
}

void CListBox::GetText(int nIndex, CString& rString) const {
  int len = GetTextLen(nIndex);
  if (len < 0) {
    rString.Empty();
    return;
  }
  GetText(nIndex, rString.GetBufferSetLength(len));
  rString.ReleaseBuffer(len);
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
  return ask(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem));
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
  return ask(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem));
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return ask(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind));
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
  return ask(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return ask(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
  return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
  return ask(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(cyItemHeight, 0));
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
  return ask(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return wavorel::reflectItemMessage(*this, message, lParam, pResult) ||
         CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
