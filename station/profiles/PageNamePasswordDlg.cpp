#include "station/profiles/PageNamePasswordDlg.h"

#include <cstdlib>

#include "frontend/BridgeCodes.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageControls.h"
#include "worker/ModuleFunctions.h"

namespace {

struct LabelText {
  int id;
  UINT stringId;
};
constexpr LabelText kLabels[] = {{IDC_NP_AUTH_GROUP, 6256},          {IDC_NP_TUNNEL_GROUP, 6257},
                                 {IDC_NP_IDENTITY_LABEL, 323},       {IDC_NP_PASSWORD_LABEL, 325},
                                 {IDC_NP_DOMAIN_LABEL, 476},         {IDC_NP_TUNNEL_IDENTITY_LABEL, 365},
                                 {IDC_NP_TUNNEL_PASSWORD_LABEL, 367}, {IDC_NP_SHOW_PASSWORD_LABEL, 1540}};

constexpr char kPasswordChar = '*';

}  // namespace

BEGIN_MESSAGE_MAP(CPageNamePasswordDlg, CDialog)
  ON_BN_CLICKED(IDC_NP_SHOW_PASSWORD, &CPageNamePasswordDlg::OnShowPasswordClicked)
  ON_BN_CLICKED(IDC_NP_SOFT_TOKEN, &CPageNamePasswordDlg::OnPasswordModeClicked)
  ON_BN_CLICKED(IDC_NP_STATIC_PASSWORD, &CPageNamePasswordDlg::OnPasswordModeClicked)
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CPageNamePasswordDlg::CPageNamePasswordDlg(CWnd* pParent) : CDialog(IDD_PAGE_NAME_PASSWORD, pParent) {}

void CPageNamePasswordDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NP_SHOW_PASSWORD, m_checkShowPassword);
  DDX_Text(pDX, IDC_NP_IDENTITY, m_strIdentity);
  DDX_Text(pDX, IDC_NP_PASSWORD, m_strPassword);
  DDX_Text(pDX, IDC_NP_TUNNEL_IDENTITY, m_strTunnelIdentity);
  DDX_Text(pDX, IDC_NP_TUNNEL_PASSWORD, m_strTunnelPassword);
  DDX_Text(pDX, IDC_NP_DOMAIN, m_strDomain);
  DDX_Check(pDX, IDC_NP_SHOW_PASSWORD, m_bShowPassword);
  DDX_Radio(pDX, IDC_NP_SOFT_TOKEN, m_nPasswordMode);
}

BOOL CPageNamePasswordDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const LabelText& label : kLabels) {
    if (CWnd* control = GetDlgItem(label.id)) ShowControlText(this, control, label.stringId);
  }
  UpdateData(FALSE);
  return TRUE;
}

BOOL CPageNamePasswordDlg::UpdateData(BOOL bSaveAndValidate) {
  const BOOL result = CDialog::UpdateData(bSaveAndValidate);
  if (!bSaveAndValidate) ApplyShowPassword();
  return result;
}

void CPageNamePasswordDlg::SetDefaults() {
  m_strIdentity.Empty();
  m_strPassword.Empty();
  m_strTunnelIdentity.Empty();
  m_strTunnelPassword.Empty();
  m_strDomain.Empty();
  m_nPasswordMode = kStaticPassword;
  m_bShowPassword = FALSE;
  UpdateData(FALSE);
}

void CPageNamePasswordDlg::ApplyShowPassword() {
  for (int id : {IDC_NP_PASSWORD, IDC_NP_TUNNEL_PASSWORD}) {
    if (CWnd* edit = GetDlgItem(id)) {
      edit->SendMessage(EM_SETPASSWORDCHAR, m_bShowPassword ? 0 : static_cast<WPARAM>(kPasswordChar));
      edit->Invalidate();
    }
  }
}

void CPageNamePasswordDlg::ApplyPasswordMode() {
  const BOOL tunnelPassword = m_nPasswordMode == kStaticPassword;
  EnablePageItem(this, IDC_NP_TUNNEL_PASSWORD, tunnelPassword);
  EnablePageItem(this, IDC_NP_TUNNEL_PASSWORD_LABEL, tunnelPassword);
}

void CPageNamePasswordDlg::ShowPasswordMode(BOOL show) {
  for (int id : {IDC_NP_SOFT_TOKEN, IDC_NP_STATIC_PASSWORD, IDC_NP_PASSWORD_MODE_LABEL}) ShowPageItem(this, id, show);
}

void CPageNamePasswordDlg::OnShowPasswordClicked() {
  CDialog::UpdateData(TRUE);
  ApplyShowPassword();
}

void CPageNamePasswordDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  CDialog::UpdateData(TRUE);
  ApplyShowPassword();
}

void CPageNamePasswordDlg::OnPasswordModeClicked() {
  CDialog::UpdateData(TRUE);
  if (auto* page = dynamic_cast<CPage8021XDlg*>(SubPageOwner(this))) page->PressSelector(CPage8021XDlg::kSubCredentials);
  ApplyPasswordMode();
}

BOOL CPageNamePasswordDlg::RunBridgeCommand(UINT code, const CString& value) {
  switch (code) {
    case 43:
      m_strIdentity = value;
      break;
    case 44:
      m_strPassword = value;
      break;
    case 45:
      m_strDomain = value;
      break;
    case 46:
      m_strTunnelIdentity = value;
      break;
    case 47:
      m_strTunnelPassword = value;
      break;
    case 48:
      m_nPasswordMode = std::atoi(value);
      break;
    default:
      return FALSE;
  }
  UpdateData(FALSE);
  return TRUE;
}
