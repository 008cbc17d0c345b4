// CDialog: a dialog window made from a dialog template, modal (DoModal) or
// modeless (Create), with dialog data exchange.
//
// The object takes the window before its first message. WM_INITDIALOG calls
// OnInitDialog, which fills list and combo boxes from the template's DLGINIT
// resource and moves the data to the controls (UpdateData(FALSE)). IDOK and
// IDCANCEL commands (Enter, Escape, the buttons, WM_CLOSE) call OnOK and
// OnCancel. Keyboard and mouse messages for the dialog pass IsDialogMessage
// in PreTranslateMessage; a child dialog leaves them to its parent dialog.
// While UpdateData runs, the controls' notifications (WM_COMMAND from a
// control) to the dialog are ignored.
#pragma once

#include "platform/mfc/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

  // Modeless: creates the window (visible when the template says WS_VISIBLE).
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  // Modal: the EndDialog result; -1 when the template is missing or the
  // dialog cannot be created. The window is destroyed before returning.
  virtual INT_PTR DoModal();
  // Ends the modal loop with nResult; a modeless dialog is hidden.
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  // UpdateData(TRUE), then EndDialog(IDOK) when it succeeded.
  virtual void OnOK();
  virtual void OnCancel();

  // Dialog data exchange: DoDataExchange with a CDataExchange; FALSE when a
  // DDX/DDV routine failed (the user was told, the control has the focus).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void GotoDlgCtrl(CWnd* pWndCtrl);
  void SetDefID(UINT nID);
  DWORD GetDefID() const;
  void MapDialogRect(LPRECT lpRect) const;

 protected:
  LPCTSTR m_lpszTemplateName = nullptr;  // a MAKEINTRESOURCE id or a name
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;

  DECLARE_MESSAGE_MAP()

  // Creates the window from the template as a child or popup of hWndParent
  // (`modal`: for DoModal, which centres it on hWndParent as well).
  BOOL CreateFromTemplate(LPCTSTR lpszTemplateName, HWND hWndParent, bool modal = false);

 private:
  CString m_strTemplateName;  // keeps a named template's text alive
  BOOL m_bLockoutNotify = FALSE;
  void SetTemplate(LPCTSTR lpszTemplateName);
};
