#include "station/profiles/PeapSettingDlg.h"

#include "station/profiles/AuthenStatusDlg.h"
#include "station/profiles/PageControls.h"
#include "worker/HideDlg.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

struct FormTexts {
  const char* caption;
  const char* description;
  const char* identityLabel;
  const char* passwordLabel;
};

// By PeapPromptForm.
constexpr FormTexts kFormTexts[] = {
    {"Enter your new username and password", "Description : Enter your new username and password", "Identity",
     "Password"},
    {"Peap Setting - One Time Password", "Description : Peap Setting - One Time Password", "Tunnel Identity",
     "Tunnel Password"},
    {"Enter your new password", "Description : Enter your new password", "Identity", "Password"},
};

constexpr char kMustInputIdentity[] = "Must input Identity";
constexpr char kMustInputPassword[] = "Must input Password";

}  // namespace

BEGIN_MESSAGE_MAP(CPeapSettingDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_PEAP_OK, &CPeapSettingDlg::OnOK)
END_MESSAGE_MAP()

CPeapSettingDlg::CPeapSettingDlg(CWnd* pParent) : CDialog(IDD_PEAP_SETTING, pParent) {}

CPeapSettingDlg::~CPeapSettingDlg() = default;

void CPeapSettingDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PEAP_IDENTITY, m_strIdentity);
  DDX_Text(pDX, IDC_PEAP_PASSWORD, m_strPassword);
}

BOOL CPeapSettingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* ok = GetDlgItem(IDC_PEAP_OK)) ok->SetWindowText(LoadPageText(IDS_DIALOG_OK));
  for (int id : {IDC_PEAP_IDENTITY, IDC_PEAP_PASSWORD})
    if (CWnd* edit = GetDlgItem(id)) edit->SendMessage(EM_LIMITTEXT, kPeapCredentialMax);
  return TRUE;
}

PeapPromptForm CPeapSettingDlg::CurrentForm() {
  if (g_bPromptNewUser) return kPeapFormNewUser;
  if (g_bPromptOneTimePassword) return kPeapFormOneTimePassword;
  return kPeapFormNewPassword;
}

void CPeapSettingDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (bShow) ShowForm(CurrentForm());
}

void CPeapSettingDlg::ShowForm(PeapPromptForm form) {
  const FormTexts& texts = kFormTexts[form];
  SetWindowText(texts.caption);
  const std::pair<int, const char*> statics[] = {{IDC_PEAP_DESCRIPTION, texts.description},
                                                 {IDC_PEAP_IDENTITY_LABEL, texts.identityLabel},
                                                 {IDC_PEAP_PASSWORD_LABEL, texts.passwordLabel}};
  for (const auto& [id, text] : statics)
    if (CWnd* control = GetDlgItem(id)) control->SetWindowText(text);
  // A new user name starts from nothing; the other forms show the identity
  // the caller preset.
  if (form == kPeapFormNewUser) m_strIdentity.Empty();
  PresetForm(form);
  UpdateData(FALSE);
  EnablePageItem(this, IDC_PEAP_IDENTITY, form != kPeapFormNewPassword);
  const BOOL password = !m_bNoPassword;
  EnablePageItem(this, IDC_PEAP_PASSWORD_LABEL, password);
  EnablePageItem(this, IDC_PEAP_PASSWORD, password);
  const int focus = form == kPeapFormNewPassword && password ? IDC_PEAP_PASSWORD : IDC_PEAP_IDENTITY;
  if (CWnd* edit = GetDlgItem(focus)) edit->SetFocus();
}

void CPeapSettingDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_strIdentity.IsEmpty()) {
    WarningMessageBox(kMustInputIdentity);
    return;
  }
  if (!m_bNoPassword && m_strPassword.IsEmpty()) {
    WarningMessageBox(kMustInputPassword);
    return;
  }
  // The worker's pending connection timer (the WPS credential rotation)
  // stops: the new credentials take over.
  if (g_pHideDlg && g_pHideDlg->GetSafeHwnd()) g_pHideDlg->KillTimer(kWpsConnectTimer);
  End(kPeapPromptOk);
}

void CPeapSettingDlg::OnCancel() { End(kPeapPromptClosed); }

void CPeapSettingDlg::End(int result) {
  g_nPeapPromptResult = result;
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
  OnPromptEnded(result);
  if (m_onEnd) m_onEnd(result);
}
