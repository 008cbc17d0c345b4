// CMessageBoxDlg: Wavorel's small message dialog (template 249). It shows one
// message in static 3216 with an "OK" button (string 2132); the advanced
// settings page keeps one, created modeless, for its wireless-mode hint.
#pragma once

#include "platform/Platform.h"

constexpr UINT IDD_MESSAGE_BOX_DLG = 249;
constexpr int IDC_MESSAGE_BOX_TEXT = 3216;
constexpr UINT IDS_MESSAGE_BOX_OK = 2132;

class CMessageBoxDlg : public CDialog {
  DECLARE_DYNCREATE(CMessageBoxDlg)

 public:
  explicit CMessageBoxDlg(CWnd* pParent = nullptr);
  ~CMessageBoxDlg() override = default;

  // The OK button's text from the string table, then the message.
  BOOL OnInitDialog() override;

  CString m_strMessage;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  // Ends the dialog with IDCANCEL before the window goes.
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};
