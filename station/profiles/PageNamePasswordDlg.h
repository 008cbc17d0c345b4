// CPageNamePasswordDlg: the credentials sub-page of the 802.1X page (template
// 293): user and tunnel identity and password, domain, password mode and the
// show-password switch. Its UpdateData re-applies the password masking when
// it fills the controls.
#pragma once

#include "platform/Platform.h"
#include "widgets/ButtonST.h"

constexpr UINT IDD_PAGE_NAME_PASSWORD = 293;

constexpr int IDC_NP_IDENTITY = 1172;
constexpr int IDC_NP_PASSWORD = 1176;
constexpr int IDC_NP_TUNNEL_IDENTITY = 1174;
constexpr int IDC_NP_TUNNEL_PASSWORD = 1178;
constexpr int IDC_NP_DOMAIN = 4265;
constexpr int IDC_NP_SHOW_PASSWORD = 3241;
constexpr int IDC_NP_SOFT_TOKEN = 1304;       // password mode 0
constexpr int IDC_NP_STATIC_PASSWORD = 1306;  // password mode 1
constexpr int IDC_NP_PASSWORD_MODE_LABEL = 1302;
constexpr int IDC_NP_IDENTITY_LABEL = 1298;
constexpr int IDC_NP_PASSWORD_LABEL = 1165;
constexpr int IDC_NP_DOMAIN_LABEL = 3159;
constexpr int IDC_NP_TUNNEL_IDENTITY_LABEL = 1168;
constexpr int IDC_NP_TUNNEL_PASSWORD_LABEL = 1170;
constexpr int IDC_NP_AUTH_GROUP = 1180;
constexpr int IDC_NP_TUNNEL_GROUP = 1300;
constexpr int IDC_NP_SHOW_PASSWORD_LABEL = 1561;

class CPageNamePasswordDlg : public CDialog {
 public:
  enum { kSoftToken = 0, kStaticPassword = 1 };

  explicit CPageNamePasswordDlg(CWnd* pParent = nullptr);

  // Defaults of a new profile: texts empty, Static Password, masked.
  void SetDefaults();
  // The dialog-data exchange; filling the controls also re-applies the
  // show-password state.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  // The password mode's and the show-password controls (the 802.1X page's
  // method rules).
  void ShowPasswordMode(BOOL show);
  // Bridge commands 43-48.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  BOOL OnInitDialog() override;

  CString m_strIdentity;
  CString m_strPassword;
  CString m_strTunnelIdentity;
  CString m_strTunnelPassword;
  CString m_strDomain;
  BOOL m_bShowPassword = FALSE;
  int m_nPasswordMode = kStaticPassword;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnShowPasswordClicked();
  void OnPasswordModeClicked();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  void ApplyShowPassword();
  // The tunnel password and its label only for Static Password.
  void ApplyPasswordMode();

  CButtonST m_checkShowPassword;
};
