// Dialog data exchange and validation: CDataExchange and the DDX_/DDV_
// routines a DoDataExchange calls, one per control.
//
// Saving (m_bSaveAndValidate TRUE) reads the controls into the members; a
// text that does not parse, or a value that a DDV_ routine refuses, shows
// MFC's prompt (AfxMessageBox), puts the focus on the control and throws a
// CUserException, which ends UpdateData with FALSE. Loading writes the
// members to the controls; a text is only set when it differs, so an
// unchanged edit control sees no WM_SETTEXT.
#pragma once

#include "platform/mfc/String.h"
#include "platform/mfc/Wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_idLastControl = nullptr;  // the control of the last DDX_ call
  BOOL m_bEditLastControl = FALSE;

  // The control with this id (an invalid-argument exception when missing).
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Focuses the last control (an edit control gets its text selected) and
  // throws CUserException.
  [[noreturn]] void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);  // also DWORD (the same type here)
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);  // the 32-bit range of a Windows long
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A check box's state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked radio button in the group that starts at nIDC
// (the control with WS_GROUP); -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// A combo box's selected index (CB_ERR for none).
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// A combo box's text: saving reads the edit text, else the selected item;
// loading selects the first item that begins with the value, else sets the
// edit text.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// Ties the control to rControl (subclassing it) the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
