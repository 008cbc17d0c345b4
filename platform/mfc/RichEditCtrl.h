// CRichEditCtrl: the rich edit control of riched20.dll.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/commctrl/RichEdit.h"

class CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)

 public:
  // Loads riched20.dll as the class library does, then creates the control.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
  long GetTextLengthEx(DWORD dwFlags, UINT uCodePage = 0) const;
  void SetSel(long nStartChar, long nEndChar);
  void SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
  void GetSel(long& nStartChar, long& nEndChar) const;
  void GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
  void HideSelection(BOOL bHide, BOOL bPerm) { SendMessage(EM_HIDESELECTION, bHide, bPerm); }
  DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
  BOOL SetSelectionCharFormat(CHARFORMAT& cf);
  DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
  BOOL SetDefaultCharFormat(CHARFORMAT& cf);
  COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);
  DWORD SetEventMask(DWORD dwEventMask) { return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, dwEventMask)); }
  DWORD GetEventMask() const { return static_cast<DWORD>(SendMessage(EM_GETEVENTMASK)); }
  void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
  int GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
  void LineScroll(int nLines, int nChars = 0) { SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines); }
};
