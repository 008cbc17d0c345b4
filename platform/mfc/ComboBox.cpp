#include "platform/mfc/ComboBox.h"

#include "platform/mfc/ItemReflection.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_COMBOBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszBuffer) const {
  return ask(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  int len = GetLBTextLen(nIndex);
  if (len < 0) {
    rString.Empty();
    return;
  }
  GetLBText(nIndex, rString.GetBufferSetLength(len));
  rString.ReleaseBuffer(len);
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszItem) {
  return ask(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem));
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
  return ask(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem));
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
  return ask(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind));
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
  return ask(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  return ask(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
  return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
  return ask(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(cyItemHeight, 0));
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar) {
  return ask(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return wavorel::reflectItemMessage(*this, message, lParam, pResult) ||
         CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
