#include "station/profiles/ProfileEditorDlg.h"

#include <cstdlib>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/profiles/PageControls.h"
#include "station/profiles/PageProfileDlg.h"
#include "worker/PageTopLine.h"
#include "worker/HideDlg.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

// The host's "Profile" tab button, a sibling of the profile page.
constexpr int IDC_HOST_PROFILE_TAB = 1004;

constexpr char k8021XTabText[] = "8021X";

constexpr int kTabPlaceholders[CProfileEditorDlg::kTabCount] = {IDC_EDITOR_TAB1_PLACE, IDC_EDITOR_TAB2_PLACE,
                                                               IDC_EDITOR_TAB3_PLACE};
constexpr int kTabIds[CProfileEditorDlg::kTabCount] = {IDC_EDITOR_TAB_SYSTEM, IDC_EDITOR_TAB_SECURITY,
                                                      IDC_EDITOR_TAB_8021X};

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

CPageProfileDlg* ProfilePage() {
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  CDialog* page = host ? host->GetTabPage(kHostTabProfile) : nullptr;
  auto* profile = dynamic_cast<CPageProfileDlg*>(page);
  return profile && IsWindow(profile->GetSafeHwnd()) ? profile : nullptr;
}

void ShowWorkerPage(int index) {
  if (g_pHideDlg) g_pHideDlg->ShowPage(index);
}

}  // namespace

BEGIN_MESSAGE_MAP(CProfileEditorDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_EDITOR_OK, &CProfileEditorDlg::OnOkClicked)
  ON_BN_CLICKED(IDC_EDITOR_CANCEL, &CProfileEditorDlg::OnCancelClicked)
END_MESSAGE_MAP()

CProfileEditorDlg::CProfileEditorDlg(CWnd* pParent) : CDialog(IDD_PROFILE_EDITOR, pParent) { ResetEditorData(); }

CProfileEditorDlg::~CProfileEditorDlg() {
  for (auto& button : m_pTabButton) button.reset();
  m_pPage8021X.reset();
  m_pPageSystemConfig.reset();
  m_pPageAuthEncry.reset();
  m_pTabDialog.reset();
}

CProfileEditorDlg* CProfileEditorDlg::FromPage(CWnd* page) {
  if (!page || !page->GetSafeHwnd()) return nullptr;
  const HWND container = ::GetParent(page->GetSafeHwnd());
  const HWND editor = container ? ::GetParent(container) : nullptr;
  return editor ? dynamic_cast<CProfileEditorDlg*>(CWnd::FromHandlePermanent(editor)) : nullptr;
}

void CProfileEditorDlg::ResetEditorData() {
  m_nAuthentication = 0;
  m_nEncryption = 0;
  m_nUse8021X = 0;
  m_strWpaPsk.Empty();
  m_nTransmitKey = 0;
  std::memset(m_nWepKeyLength, 0, sizeof m_nWepKeyLength);
  std::memset(m_wepKey, 0, sizeof m_wepKey);
  m_8021x.EapMethod = 0;
  m_8021x.TunnelProtocol = 26;
  m_8021x.ProvisioningTunnel = 26;
  m_8021x.TunnelProtocol2 = 3;
  m_8021x.SessionResumption = 0;
  m_8021x.Identity.Empty();
  m_8021x.Password.Empty();
  m_8021x.TunnelID.Empty();
  m_8021x.TunnelPassword.Empty();
  m_8021x.PasswordMode = 1;
  m_8021x.UseClientCert = 0;
  m_8021x.UseServerCert = 0;
  m_8021x.UsePAC = 0;
  m_8021x.ProvisionMode = 1;
  m_8021x.PACFilePath.Empty();
  m_8021x.IntermediateCert = 0;
  m_8021x.ServerName.Empty();
  m_8021x.NameRule = 0;
  m_8021x.ServerCertLen = 0;
  std::memset(m_8021x.ServerCertData, 0, sizeof m_8021x.ServerCertData);
  m_8021x.ClientCertLen = 0;
  std::memset(m_8021x.ClientCertData, 0, sizeof m_8021x.ClientCertData);
  m_8021x.UseSmartCard = 0;
  m_strLeapIdentity.Empty();
  m_strLeapPassword.Empty();
  m_strLeapDomain.Empty();
  m_nLeapEncryption = 0;
}

void CProfileEditorDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EDITOR_OK, m_btnOK);
  DDX_Control(pDX, IDC_EDITOR_CANCEL, m_btnCancel);
}

CRect CProfileEditorDlg::PlaceholderRect(int id) const { return EditorPlaceholderRect(*this, m_pTabDialog.get(), id); }

BOOL CProfileEditorDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pTabDialog = std::make_unique<CTabDialog>(IDD_EDITOR_TABS, this);
  if (!m_pTabDialog->Create(IDD_EDITOR_TABS, this)) return FALSE;
  if (!CreatePages()) return FALSE;

  CRect own;
  GetWindowRect(&own);
  ScreenToClient(&own);
  const CRect area = PlaceholderRect(IDC_EDITOR_PAGE_AREA);
  const int height = area.bottom > own.top ? area.bottom - own.top : own.Height();
  m_pTabDialog->SetWindowPos(nullptr, own.left, own.top + 2, own.Width(), height, SWP_NOZORDER | SWP_SHOWWINDOW);
  m_pTabDialog->ArrangePages(area, 0, 0, kTabSystemConfig);

  ShadeEditorButtons(m_btnOK, m_btnCancel);
  return TRUE;
}

BOOL CProfileEditorDlg::CreatePages() {
  CreateTabFont(m_tabFont);
  const CString texts[kTabCount] = {LoadText(IDS_EDITOR_TAB_SYSTEM), LoadText(IDS_EDITOR_TAB_SECURITY),
                                    k8021XTabText};
  for (int tab = 0; tab < kTabCount; ++tab) {
    m_pTabButton[tab] = MakeTabButton(texts[tab], PlaceholderRect(kTabPlaceholders[tab]), m_pTabDialog.get(),
                                      kTabIds[tab], &m_tabFont, kEditorTabSelectedTint);
    if (!m_pTabButton[tab]) return FALSE;
  }
  m_pPageSystemConfig = std::make_unique<CPageSystemConfigDlg>(m_pTabDialog.get());
  if (!m_pPageSystemConfig->Create(IDD_PAGE_SYSTEM_CONFIG, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPageSystemConfig.get(), m_pTabButton[kTabSystemConfig].get());
  m_pPageAuthEncry = std::make_unique<CPageAuthEncryDlg>(m_pTabDialog.get());
  if (!m_pPageAuthEncry->Create(IDD_PAGE_AUTH_ENCRY, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPageAuthEncry.get(), m_pTabButton[kTabAuthEncry].get());
  m_pPage8021X = std::make_unique<CPage8021XDlg>(m_pTabDialog.get());
  if (!m_pPage8021X->Create(IDD_PAGE_8021X, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPage8021X.get(), m_pTabButton[kTab8021X].get());
  // Until the security page turns 802.1X on the button stays disabled.
  m_pTabButton[kTab8021X]->EnableWindow(FALSE);
  return TRUE;
}

CShadeButtonST* CProfileEditorDlg::GetTabButton(int tab) const {
  return tab >= 0 && tab < kTabCount ? m_pTabButton[tab].get() : nullptr;
}

void CProfileEditorDlg::PressTab(int tab) {
  CShadeButtonST* button = GetTabButton(tab);
  if (button && button->GetSafeHwnd()) button->SendMessage(BM_CLICK);
}

void CProfileEditorDlg::EnableTab(int tab, BOOL enable) {
  CShadeButtonST* button = GetTabButton(tab);
  if (button && button->GetSafeHwnd()) button->EnableWindow(enable);
}

void CProfileEditorDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  ResetEditorData();
  PressTab(kTabSystemConfig);
  NotifyUI(BRIDGE_UI_EDITOR_OPEN, "", TRUE);
}

void CProfileEditorDlg::OnPaint() { PaintPageTopLine(this); }

void CProfileEditorDlg::OnOkClicked() { OnOK(); }

void CProfileEditorDlg::OnCancelClicked() { OnCancel(); }

BOOL CProfileEditorDlg::IsStorableName(const CString& name) {
  return name.FindOneOf("\r\n]") < 0;
}

void CProfileEditorDlg::CollectWepKeys(const CPageAuthEncryDlg& security) {
  for (int key = 0; key < CPageAuthEncryDlg::kKeyCount; ++key)
    m_nWepKeyLength[key] = security.KeyBytes(key, m_wepKey[key], kEditorWepKeySize);
}

void CProfileEditorDlg::OnOK() {
  CPageSystemConfigDlg* system = m_pPageSystemConfig.get();
  CPageAuthEncryDlg* security = m_pPageAuthEncry.get();
  if (!system || !security) return;
  system->UpdateData(TRUE);
  PressTab(kTabAuthEncry);
  security->UpdateData(TRUE);

  if (system->m_strProfileName.IsEmpty()) {
    WarningMessageBox(LoadText(IDS_ENTER_PROFILE_NAME));
    PressTab(kTabSystemConfig);
    return;
  }
  if (system->m_strSsid.IsEmpty()) {
    WarningMessageBox(LoadText(IDS_ENTER_SSID));
    PressTab(kTabSystemConfig);
    return;
  }
  // The store cannot keep such a name as a section: warn before anything of
  // the SSID's profiles is deleted.
  if (!IsStorableName(system->m_strProfileName)) {
    WarningMessageBox("The profile name cannot hold a line break or \"]\".");
    PressTab(kTabSystemConfig);
    return;
  }
  CPage8021XDlg* oneX = m_pPage8021X.get();
  if (oneX && oneX->Credentials()) {
    oneX->ClientCert()->UpdateData(TRUE);
    oneX->Credentials()->UpdateData(TRUE);
    oneX->ServerCert()->UpdateData(TRUE);
  }
  const int auth = security->m_nAuthentication;
  const bool uses8021X =
      ((auth == CPageAuthEncryDlg::kAuthOpen || auth == CPageAuthEncryDlg::kAuthShared) && security->m_bUse8021X) ||
      ((auth == CPageAuthEncryDlg::kAuthWpa || auth == CPageAuthEncryDlg::kAuthWpa2) && security->m_bInfrastructure);
  if (uses8021X && oneX && !oneX->Validate()) return;
  if (!security->ValidateKeys()) return;

  if (security->m_bInfrastructure && auth == CPageAuthEncryDlg::kAuthLeap) {
    security->m_strLeapIdentity.Trim();
    security->UpdateData(FALSE);
    if (security->m_strLeapIdentity.IsEmpty() || security->m_strLeapPassword.IsEmpty()) {
      WarningMessageBox(LoadText(IDS_LEAP_ID_REQUIRED));
      return;
    }
    m_strLeapIdentity = security->m_strLeapIdentity;
    m_strLeapPassword = security->m_strLeapPassword;
    m_strLeapDomain = security->m_strLeapDomain;
    m_nLeapEncryption = security->m_nLeapEncryption;
  }
  m_nAuthentication = auth;
  m_nEncryption = security->m_nEncryption;
  m_nTransmitKey = security->m_nTransmitKey;
  m_nUse8021X = security->m_bUse8021X;
  if (g_b8021xSupport && uses8021X && oneX) oneX->CollectBlock(m_8021x);

  const bool wepKeys = (!m_nUse8021X || m_8021x.EapMethod == 4) &&
                       (auth == CPageAuthEncryDlg::kAuthShared ||
                        (auth == CPageAuthEncryDlg::kAuthOpen && m_nEncryption == CPageAuthEncryDlg::kEncryptionWep));
  if (wepKeys) CollectWepKeys(*security);
  if (auth >= CPageAuthEncryDlg::kAuthWpa) m_strWpaPsk = security->m_strWpaPsk;

  const CString ssid = system->m_strSsid;
  CPageProfileDlg* profiles = ProfilePage();
  // The profile replaces WavorelVista's profiles of its SSID, Wavorel's key of its name.
  if (profiles && WAVOREL_BUILD_XP)
    profiles->DeleteProfileByName(system->m_strProfileName);
  else if (profiles)
    profiles->DeleteProfilesBySsid(ssid);
  SaveProfile();
  ShowWorkerPage(kHostDlgLinkStatus);
  if (profiles) {
    if (CWnd* tab = profiles->GetParent() ? profiles->GetParent()->GetDlgItem(IDC_HOST_PROFILE_TAB) : nullptr)
      tab->SendMessage(BM_CLICK);
    profiles->RefreshProfileList();
  }
  if (!m_bConnectAfterSave) return;
  m_bConnectAfterSave = FALSE;
  const int row = profiles ? profiles->FindProfile(ssid) : -1;
  if (row < 0 || row >= static_cast<int>(profiles->m_profiles.size())) return;
  NotifyWorkerInt(BRIDGE_CMD_SELECT_PROFILE, row, TRUE);
  NotifyWorkerInt(BRIDGE_CMD_ACTIVATE_PROFILE, row, TRUE);
}

void CProfileEditorDlg::OnCancel() { ShowWorkerPage(kHostDlgLinkStatus); }

BOOL CProfileEditorDlg::RunBridgeCommand(UINT code, const CString& value) {
  if (!IsWindow(GetSafeHwnd())) return FALSE;
  if (code == BRIDGE_CMD_EDITOR_OK || code == BRIDGE_CMD_EDITOR_CANCEL) {
    if (std::atoi(value) != 1) return FALSE;
    SendMessage(WM_COMMAND, code == BRIDGE_CMD_EDITOR_OK ? IDC_EDITOR_OK : IDC_EDITOR_CANCEL, 0);
    return TRUE;
  }
  if (code >= BRIDGE_CMD_EDITOR_PROFILE_NAME && code <= BRIDGE_CMD_EDITOR_CHANNEL) {
    CPageSystemConfigDlg* system = m_pPageSystemConfig.get();
    return system && IsWindow(system->GetSafeHwnd()) && system->RunBridgeCommand(code, value);
  }
  if (code >= kFirst8021XCommand) {
    CPage8021XDlg* oneX = m_pPage8021X.get();
    if (!oneX || !IsWindow(oneX->GetSafeHwnd())) return FALSE;
    if ((code == BRIDGE_CMD_EAPFAST_BUTTON1 || code == BRIDGE_CMD_EAPFAST_BUTTON2) && std::atoi(value) != 1)
      return FALSE;
    return oneX->RunBridgeCommand(code, value);
  }
  CPageAuthEncryDlg* security = m_pPageAuthEncry.get();
  if (!security || !IsWindow(security->GetSafeHwnd())) return FALSE;
  // Code 25 names its editor in the low half (1: this one).
  if (code == 25 && (static_cast<unsigned>(std::atoi(value)) & 0xFFFF) != 1) return FALSE;
  return security->RunBridgeCommand(code, value);
}
