#include "platform/mfc/RichEditCtrl.h"

#include "platform/win/kernel/Module.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  wavorel::registerCommonControlClasses();
  if (LoadLibrary("riched20.dll") == nullptr) return FALSE;
  return CWnd::Create(RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const {
  GETTEXTLENGTHEX how{dwFlags, uCodePage};
  return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how)));
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar) {
  CHARRANGE range{static_cast<LONG>(nStartChar), static_cast<LONG>(nEndChar)};
  SetSel(range);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const {
  CHARRANGE range{};
  GetSel(range);
  nStartChar = range.cpMin;
  nEndChar = range.cpMax;
}

void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
  SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const {
  cf.cbSize = sizeof(CHARFORMAT);
  return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) {
  cf.cbSize = sizeof(CHARFORMAT);
  return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const {
  cf.cbSize = sizeof(CHARFORMAT);
  return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf) {
  cf.cbSize = sizeof(CHARFORMAT);
  return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr) {
  return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, static_cast<WPARAM>(bSysColor), cr));
}
