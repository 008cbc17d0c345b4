#include "station/profiles/SecurityEditorDlg.h"

#include <cstdlib>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/PageControls.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr char k8021XTabText[] = "8021X";
constexpr int kEditorKind = 0;

using Auth = CPageAuthEncryDlg;

bool IsOpenOrShared(int auth) { return auth == Auth::kAuthOpen || auth == Auth::kAuthShared; }
bool IsWpaOrWpa2(int auth) { return auth == Auth::kAuthWpa || auth == Auth::kAuthWpa2; }

}  // namespace

BEGIN_MESSAGE_MAP(CSecurityEditorDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_EDITOR_OK, &CSecurityEditorDlg::OnOkClicked)
  ON_BN_CLICKED(IDC_EDITOR_CANCEL, &CSecurityEditorDlg::OnCancelClicked)
END_MESSAGE_MAP()

CSecurityEditorDlg::CSecurityEditorDlg(CWnd* pParent) : CDialog(IDD_SECURITY_EDITOR, pParent) {}

CSecurityEditorDlg::~CSecurityEditorDlg() {
  for (auto& button : m_pTabButton) button.reset();
  m_pPage8021X.reset();
  m_pPageAuthEncry.reset();
  m_pTabDialog.reset();
}

CSecurityEditorDlg* CSecurityEditorDlg::FromPage(CWnd* page) {
  return dynamic_cast<CSecurityEditorDlg*>(SubPageOwner(page));
}

void CSecurityEditorDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EDITOR_OK, m_btnOK);
  DDX_Control(pDX, IDC_EDITOR_CANCEL, m_btnCancel);
}

CRect CSecurityEditorDlg::PlaceholderRect(int id) const {
  return EditorPlaceholderRect(*this, m_pTabDialog.get(), id);
}

BOOL CSecurityEditorDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pTabDialog = std::make_unique<CTabDialog>(IDD_EDITOR_TABS, this);
  if (!m_pTabDialog->Create(IDD_EDITOR_TABS, this)) return FALSE;
  if (!CreatePages()) return FALSE;
  CRect own;
  GetClientRect(&own);
  const CRect area = PlaceholderRect(IDC_SE_PAGE_AREA);
  const int top = own.top + 2;
  const int height = area.bottom > top ? area.bottom - top : own.Height();
  m_pTabDialog->SetWindowPos(nullptr, own.left, top, own.Width(), height, SWP_NOZORDER | SWP_SHOWWINDOW);
  m_pTabDialog->ArrangePages(area, 0, 0, kTabAuthEncry);
  m_btnOK.ShowWindow(SW_SHOW);
  m_btnCancel.ShowWindow(SW_SHOW);
  ShadeEditorButtons(m_btnOK, m_btnCancel);
  return TRUE;
}

BOOL CSecurityEditorDlg::CreatePages() {
  CreateTabFont(m_tabFont);
  const auto makeTab = [this](int tab, const CString& text, int place, int id) {
    m_pTabButton[tab] =
        MakeTabButton(text, PlaceholderRect(place), m_pTabDialog.get(), id, &m_tabFont, kEditorTabSelectedTint);
    return m_pTabButton[tab] != nullptr;
  };
  if (!makeTab(kTabAuthEncry, LoadPageText(IDS_EDITOR_TAB_SECURITY), IDC_SE_TAB1_PLACE, IDC_SE_TAB_AUTH))
    return FALSE;
  m_pPageAuthEncry = std::make_unique<CPageAuthEncryDlg>(m_pTabDialog.get());
  m_pPageAuthEncry->m_nHostKind = kEditorKind;
  if (!m_pPageAuthEncry->Create(IDD_PAGE_AUTH_ENCRY, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPageAuthEncry.get(), m_pTabButton[kTabAuthEncry].get());
  if (!makeTab(kTab8021X, k8021XTabText, IDC_SE_TAB2_PLACE, IDC_SE_TAB_8021X)) return FALSE;
  m_pTabButton[kTab8021X]->EnableWindow(FALSE);
  m_pPage8021X = std::make_unique<CPage8021XDlg>(m_pTabDialog.get());
  if (!m_pPage8021X->Create(IDD_PAGE_8021X, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPage8021X.get(), m_pTabButton[kTab8021X].get());
  return TRUE;
}

CShadeButtonST* CSecurityEditorDlg::GetTabButton(int tab) const {
  return tab >= 0 && tab < kTabCount ? m_pTabButton[tab].get() : nullptr;
}

void CSecurityEditorDlg::PressTab(int tab) {
  CShadeButtonST* button = GetTabButton(tab);
  if (button && button->GetSafeHwnd()) button->SendMessage(BM_CLICK);
}

void CSecurityEditorDlg::EnableTab(int tab, BOOL enable) {
  CShadeButtonST* button = GetTabButton(tab);
  if (button && button->GetSafeHwnd()) button->EnableWindow(enable);
}

void CSecurityEditorDlg::OnPaint() { PaintPageTopLine(this); }

void CSecurityEditorDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  m_choices = SecurityChoices();
  PressTab(kTabAuthEncry);
  DWORD ccx = 0;
  if (ReadCcx2Control(ccx)) {
    m_choices.ccx2 = (ccx & 1u) != 0;
    m_choices.ccxCckm = (ccx & 2u) != 0;
  }
  NotifyUI(EDITOR_FIELD_SECURITY_EDITOR_OPEN, "", TRUE);
}

void CSecurityEditorDlg::OnOkClicked() { OnOK(); }

void CSecurityEditorDlg::OnCancelClicked() { OnCancel(); }

void CSecurityEditorDlg::CollectWepKeys(const CPageAuthEncryDlg& auth) {
  for (int key = 0; key < kChoiceKeyCount; ++key)
    m_choices.keyLength[key] = auth.KeyBytes(key, m_choices.keys[key], kChoiceKeyBytes);
}

void CSecurityEditorDlg::OnOK() {
  CPageAuthEncryDlg* auth = m_pPageAuthEncry.get();
  CPage8021XDlg* oneX = m_pPage8021X.get();
  if (!auth || !oneX || !oneX->Credentials()) return;
  auth->UpdateData(TRUE);
  oneX->ClientCert()->UpdateData(TRUE);
  oneX->Credentials()->UpdateData(TRUE);
  oneX->ServerCert()->UpdateData(TRUE);

  const int chosen = auth->m_nAuthentication;
  const bool infrastructure = auth->m_bInfrastructure;
  const bool uses8021X =
      (IsOpenOrShared(chosen) && auth->m_bUse8021X) || (IsWpaOrWpa2(chosen) && infrastructure);
  if (uses8021X && !oneX->Validate()) return;
  if (!auth->ValidateKeys()) return;
  if (infrastructure && chosen == Auth::kAuthLeap) {
    auth->m_strLeapIdentity.Trim();
    auth->UpdateData(FALSE);
    if (auth->m_strLeapIdentity.IsEmpty() || auth->m_strLeapPassword.IsEmpty()) {
      WarningMessageBox(LoadPageText(IDS_LEAP_ID_REQUIRED));
      return;
    }
    m_choices.leapIdentity = auth->m_strLeapIdentity;
    m_choices.leapPassword = auth->m_strLeapPassword;
    m_choices.leapDomain = auth->m_strLeapDomain;
    m_choices.leapCipher = auth->m_nLeapEncryption;
  }
  m_choices.auth = chosen;
  m_choices.cipher = auth->m_nEncryption;
  m_choices.use8021X = auth->m_bUse8021X;
  m_choices.transmitKey = auth->m_nTransmitKey;
  NotifyUIInt(EDITOR_FIELD_TRANSMIT_KEY, m_choices.transmitKey, TRUE);
  if (g_b8021xSupport && uses8021X) oneX->CollectBlock(m_choices.oneX);
  const bool wepKeys = (!m_choices.use8021X || oneX->m_nEapMethod == CPage8021XDlg::kEapMd5) &&
                       (chosen == Auth::kAuthShared || (chosen == Auth::kAuthOpen && m_choices.cipher == Auth::kEncryptionWep));
  if (wepKeys) CollectWepKeys(*auth);
  if (chosen >= Auth::kAuthWpa) m_choices.passPhrase = auth->m_strWpaPsk;

  if (g_pHideDlg && g_pHideDlg->GetSafeHwnd()) g_pHideDlg->KillTimer(kWpsConnectTimer);
  if (m_next) m_next(m_choices);
  NotifyUIInt(BRIDGE_UI_SURVEY_SAVE_REQUEST, 1, TRUE);
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}

void CSecurityEditorDlg::OnCancel() {
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}

BOOL CSecurityEditorDlg::RunBridgeCommand(UINT code, const CString& value) {
  if (!IsWindow(GetSafeHwnd())) return FALSE;
  const int number = std::atoi(value);
  if (code == BRIDGE_CMD_EDITOR_OK || code == BRIDGE_CMD_EDITOR_CANCEL) {
    if (number != kEditorKind) return FALSE;
    SendMessage(WM_COMMAND, code == BRIDGE_CMD_EDITOR_OK ? IDC_EDITOR_OK : IDC_EDITOR_CANCEL, 0);
    return TRUE;
  }
  // Code 23 (the authentication menu) is the profile editor's only.
  if (code <= BRIDGE_CMD_EDITOR_SECURITY_FIELD || code > kLastProfileEditorCommand) return FALSE;
  if ((code == BRIDGE_CMD_EAPFAST_BUTTON1 || code == BRIDGE_CMD_EAPFAST_BUTTON2) && number != kEditorKind)
    return FALSE;
  if (code < kFirst8021XCommand) {
    CPageAuthEncryDlg* auth = m_pPageAuthEncry.get();
    if (!auth || !IsWindow(auth->GetSafeHwnd())) return FALSE;
    if (code == 25 && (static_cast<unsigned>(number) & 0xFFFF) != kEditorKind) return FALSE;
    return auth->RunBridgeCommand(code, value);
  }
  CPage8021XDlg* oneX = m_pPage8021X.get();
  if (!oneX || !IsWindow(oneX->GetSafeHwnd())) return FALSE;
  return oneX->RunBridgeCommand(code, value);
}
