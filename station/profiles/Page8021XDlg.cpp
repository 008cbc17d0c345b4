#include "station/profiles/Page8021XDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageControls.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/Settings.h"

namespace {

constexpr UINT kEapMethodCommands[CPage8021XDlg::kEapCount] = {ID_EAP_PEAP, ID_EAP_TLS, ID_EAP_TTLS, ID_EAP_FAST,
                                                               ID_EAP_MD5};
const char* const kEapMethodTexts[CPage8021XDlg::kEapCount] = {"PEAP", "TLS/SmartCard", "TTLS", "EAP-FAST",
                                                               "MD5-Challenge"};
const char* const kInnerTexts[CPage8021XDlg::kInnerCount] = {"EAP-MSCHAP v2", "EAP-TLS/SmartCard",
                                                             "Generic Token Card"};
// TTLS inner methods in the page's order 0..4.
constexpr UINT kTtlsCommands[CPage8021XDlg::kTtlsCount] = {ID_TTLS_CHAP, ID_TTLS_MSCHAP, ID_TTLS_MSCHAPV2, ID_TTLS_PAP,
                                                           ID_TTLS_EAP_MD5};
const char* const kTtlsTexts[CPage8021XDlg::kTtlsCount] = {"CHAP", "MS-CHAP", "MS-CHAP-V2", "PAP", "EAP-MD5"};
// Bridge code 41's indexes 0..7.
constexpr UINT kBridgeInnerCommands[] = {ID_INNER_MSCHAPV2, ID_INNER_TLS,   ID_INNER_GTC, ID_TTLS_CHAP,
                                         ID_TTLS_MSCHAP,    ID_TTLS_MSCHAPV2, ID_TTLS_PAP, ID_TTLS_EAP_MD5};
// EAP type numbers of the inner methods (and provisioning tunnels) 0..2.
constexpr int kInnerEapTypes[CPage8021XDlg::kInnerCount] = {26, 13, 6};

constexpr int kSelectorIds[CPage8021XDlg::kSubCount] = {IDC_8021X_SEL_CREDENTIALS, IDC_8021X_SEL_EAP_FAST,
                                                        IDC_8021X_SEL_CLIENT, IDC_8021X_SEL_SERVER};

constexpr UINT IDS_EAP_METHOD_LABEL = 150;
constexpr UINT IDS_TUNNEL_LABEL = 340;
constexpr UINT IDS_SEL_CREDENTIALS = 6287;
constexpr char kSelEapFastText[] = "EAP Fast";
// Their string ids hold other texts in Wavorel (the link page's, the
// credential re-entry dialog's).
constexpr char kSelClientText[] = "Client Certification";
constexpr char kSelServerText[] = "Server Certification";
constexpr char kIdentityRequired[] = "Identity required in authentication setting!";
constexpr char kTunnelCredentialsRequired[] =
    "Tunneled identity and password required for FAST, TTLS or PEAP authentication!";
constexpr UINT IDS_TUNNEL_IDENTITY_REQUIRED = 377;
constexpr UINT IDS_MD5_PASSWORD_REQUIRED = 378;
constexpr UINT IDS_SELECT_CLIENT_CERT = 379;
constexpr char kInvalidDomainName[] = "8021X - Server Identity has Invalid domain name!";

constexpr COLORREF kSelectorSelectedTint = 0x0000FF;
constexpr int kDropDownIcon = 264;
constexpr short kDropDownShade = 30;
constexpr int kCheckIconOn = 209;
constexpr int kCheckIconOff = 207;
constexpr COLORREF kCheckHoverText = 0xFF0000;

// The index of an EAP type number, -1 for another number.
int InnerIndexOfType(int type) {
  const auto* found = std::find(std::begin(kInnerEapTypes), std::end(kInnerEapTypes), type);
  return found == std::end(kInnerEapTypes) ? -1 : static_cast<int>(found - std::begin(kInnerEapTypes));
}

template <size_t N>
void CopyHash(BYTE (&field)[N], DWORD& length, const CertDesc& desc) {
  if (desc.hashSize == 0 || !desc.hash) return;
  length = std::min<DWORD>(desc.hashSize, N);
  std::memset(field, 0, N);
  std::memcpy(field, desc.hash.get(), length);
}

// A server name for the domain rule: a "." that is neither first nor last.
bool IsDomainName(const CString& name) {
  const int dot = name.Find('.');
  return dot > 0 && dot < name.GetLength() - 1;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPage8021XDlg, CDialog)
  ON_COMMAND_RANGE(ID_EAP_PEAP, ID_EAP_TTLS, &CPage8021XDlg::OnEapMethodCommand)
  ON_COMMAND_RANGE(ID_EAP_FAST, ID_EAP_FAST, &CPage8021XDlg::OnEapMethodCommand)
  ON_COMMAND_RANGE(ID_EAP_MD5, ID_EAP_MD5, &CPage8021XDlg::OnEapMethodCommand)
  ON_COMMAND_RANGE(ID_INNER_MSCHAPV2, ID_INNER_GTC, &CPage8021XDlg::OnInnerCommand)
  ON_COMMAND_RANGE(ID_TTLS_CHAP, ID_TTLS_MSCHAPV2, &CPage8021XDlg::OnTtlsInnerCommand)
  ON_COMMAND_RANGE(ID_TTLS_MSCHAP, ID_TTLS_EAP_MD5, &CPage8021XDlg::OnTtlsInnerCommand)
  ON_BN_CLICKED(IDC_8021X_RESUMPTION, &CPage8021XDlg::OnResumptionClicked)
  ON_MESSAGE(WM_EAP_METHOD_MENU_OPENING, &CPage8021XDlg::OnEapMethodMenuOpening)
  ON_WM_SHOWWINDOW()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPage8021XDlg::CPage8021XDlg(CWnd* pParent) : CDialog(IDD_PAGE_8021X, pParent) {}

CPage8021XDlg::~CPage8021XDlg() {
  m_pCredentials.reset();
  m_pEapFast.reset();
  m_pClientCert.reset();
  m_pServerCert.reset();
  for (auto& selector : m_pSelector) selector.reset();
  m_pTabDialog.reset();
}

BOOL CPage8021XDlg::IsEapFastEnhanced() {
  char value[8] = {};
  GetModuleIniString("Advance", "EAPFastEnhancement", "0", value, sizeof value, "ini");
  return std::strcmp(value, "1") == 0;
}

CString CPage8021XDlg::EapMethodText(int method) {
  return method >= 0 && method < kEapCount ? kEapMethodTexts[method] : "";
}

CString CPage8021XDlg::InnerMethodText(int inner) {
  return inner >= 0 && inner < kInnerCount ? kInnerTexts[inner] : "";
}

CString CPage8021XDlg::TtlsInnerMethodText(int inner) {
  return inner >= 0 && inner < kTtlsCount ? kTtlsTexts[inner] : "";
}

CShadeButtonST* CPage8021XDlg::Selector(int subPage) const {
  return subPage >= 0 && subPage < kSubCount ? m_pSelector[subPage].get() : nullptr;
}

void CPage8021XDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_8021X_EAP_METHOD, m_btnEapMethod);
  DDX_Control(pDX, IDC_8021X_INNER, m_btnInner);
  DDX_Control(pDX, IDC_8021X_RESUMPTION, m_checkResumption);
  DDX_Check(pDX, IDC_8021X_RESUMPTION, m_bSessionResumption);
}

BOOL CPage8021XDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* label = GetDlgItem(IDC_8021X_EAP_METHOD_LABEL)) label->SetWindowText(LoadPageText(IDS_EAP_METHOD_LABEL));
  if (CWnd* label = GetDlgItem(IDC_8021X_INNER_LABEL)) label->SetWindowText(LoadPageText(IDS_TUNNEL_LABEL));
  for (CButtonST* button : {&m_btnEapMethod, &m_btnInner}) {
    button->SetContentLayout(2);
    button->LoadIconPair(kDropDownIcon, 0);
    button->ShiftPaletteColor(CButtonST::BTNST_COLOR_BK_IN, kDropDownShade);
  }
  m_btnEapMethod.AttachDropMenu(IDR_EAP_METHOD_MENU, m_hWnd, TRUE, IDR_EAP_METHOD_TOOLBAR, 16, 16,
                                kMenuIconMask8021X);
  m_btnEapMethod.SetMenuNotify(m_hWnd, WM_EAP_METHOD_MENU_OPENING, 0);
  m_btnInner.AttachDropMenu(IDR_INNER_MENU, m_hWnd, TRUE, IDR_INNER_TOOLBAR, 16, 16, kMenuIconMask8021X);
  m_checkResumption.LoadIconPair(kCheckIconOn, kCheckIconOff);
  m_checkResumption.SetFlatBorder(FALSE);
  m_checkResumption.SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kCheckHoverText);
  m_checkResumption.SetPaletteColor(CButtonST::BTNST_COLOR_FG_FOCUS, kCheckHoverText);
  m_checkResumption.SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0);

  m_pTabDialog = std::make_unique<CTabDialog>(IDD_EDITOR_TABS, this);
  if (!m_pTabDialog->Create(IDD_EDITOR_TABS, this)) return FALSE;
  if (!CreateSubPages()) return FALSE;
  CRect place;
  if (CWnd* placeholder = GetDlgItem(IDC_8021X_CONTAINER_PLACE)) {
    placeholder->GetWindowRect(&place);
    ScreenToClient(&place);
  }
  m_pTabDialog->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                             SWP_NOZORDER | SWP_SHOWWINDOW);
  m_pTabDialog->ArrangePages(PlaceRect(IDC_8021X_PAGE_AREA), 0, 0, kSubCredentials);
  UpdateData(FALSE);
  return TRUE;
}

CRect CPage8021XDlg::PlaceRect(int id) const {
  CRect rect;
  CRect container;
  CWnd* control = GetDlgItem(id);
  CWnd* placeholder = GetDlgItem(IDC_8021X_CONTAINER_PLACE);
  if (!control || !placeholder) return rect;
  control->GetWindowRect(&rect);
  placeholder->GetWindowRect(&container);
  rect.OffsetRect(-container.left, -container.top);
  return rect;
}

BOOL CPage8021XDlg::CreateSubPages() {
  CreateTabFont(m_selectorFont);
  const int eapFastPlace = IsEapFastEnhanced() ? IDC_8021X_PLACE_EAP_FAST : IDC_8021X_PLACE_CLIENT;
  const int places[kSubCount] = {IDC_8021X_PLACE_CREDENTIALS, eapFastPlace, IDC_8021X_PLACE_CLIENT,
                                 IDC_8021X_PLACE_SERVER};
  const CString captions[kSubCount] = {LoadPageText(IDS_SEL_CREDENTIALS), kSelEapFastText, kSelClientText,
                                       kSelServerText};
  m_pCredentials = std::make_unique<CPageNamePasswordDlg>(m_pTabDialog.get());
  m_pEapFast = std::make_unique<CPageEAPFastDlg>(m_pTabDialog.get());
  m_pClientCert = std::make_unique<CPageClientCertificationDlg>(m_pTabDialog.get());
  m_pServerCert = std::make_unique<CPageServerCertificationDlg>(m_pTabDialog.get());
  CDialog* const pages[kSubCount] = {m_pCredentials.get(), m_pEapFast.get(), m_pClientCert.get(),
                                     m_pServerCert.get()};
  const UINT templates[kSubCount] = {IDD_PAGE_NAME_PASSWORD, IDD_PAGE_EAP_FAST, IDD_PAGE_CLIENT_CERT,
                                     IDD_PAGE_SERVER_CERT};
  for (int sub = 0; sub < kSubCount; ++sub) {
    m_pSelector[sub] = MakeTabButton(captions[sub], PlaceRect(places[sub]), m_pTabDialog.get(), kSelectorIds[sub],
                                     &m_selectorFont, kSelectorSelectedTint);
    if (!m_pSelector[sub]) return FALSE;
    if (!pages[sub]->Create(templates[sub], m_pTabDialog.get())) return FALSE;
    m_pTabDialog->AddPage(pages[sub], m_pSelector[sub].get());
  }
  return TRUE;
}

void CPage8021XDlg::OnDestroy() {
  m_btnEapMethod.DestroyWindow();
  m_btnInner.DestroyWindow();
  CDialog::OnDestroy();
}

void CPage8021XDlg::OnPaint() { PaintPageTopLine(this); }

CPageAuthEncryDlg* CPage8021XDlg::HostAuthPage() const {
  CWnd* self = const_cast<CPage8021XDlg*>(this);
  if (auto* editor = CProfileEditorDlg::FromPage(self)) return editor->GetAuthEncryPage();
  if (auto* editor = CSecurityEditorDlg::FromPage(self)) return editor->GetAuthEncryPage();
  return nullptr;
}

void CPage8021XDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  const CPageAuthEncryDlg* auth = HostAuthPage();
  m_bMd5Allowed = auth && auth->m_bUse8021X &&
                  (auth->m_nAuthentication == CPageAuthEncryDlg::kAuthOpen ||
                   auth->m_nAuthentication == CPageAuthEncryDlg::kAuthShared ||
                   auth->m_nEncryption == CPageAuthEncryDlg::kEncryptionNone ||
                   auth->m_nEncryption == CPageAuthEncryDlg::kEncryptionWep);
}

LRESULT CPage8021XDlg::OnEapMethodMenuOpening(WPARAM wParam, LPARAM) {
  const HMENU menu = reinterpret_cast<HMENU>(wParam);
  for (UINT command : kEapMethodCommands) EnableMenuItem(menu, command, MF_BYCOMMAND | MF_ENABLED);
  if (!m_bMd5Allowed) EnableMenuItem(menu, ID_EAP_MD5, MF_BYCOMMAND | MF_GRAYED);
  return 0;
}

void CPage8021XDlg::OnResumptionClicked() { UpdateData(TRUE); }

void CPage8021XDlg::PressSelector(int subPage) {
  CShadeButtonST* selector = Selector(subPage);
  if (selector && selector->GetSafeHwnd()) selector->SendMessage(BM_CLICK);
}

// ---- Methods ----

void CPage8021XDlg::SetInnerButton(BOOL enable, UINT menu, UINT toolbar, const CString& text) {
  m_btnInner.EnableWindow(enable);
  if (menu) m_btnInner.AttachDropMenu(menu, m_hWnd, TRUE, toolbar, 16, 16, kMenuIconMask8021X);
  m_btnInner.SetWindowText(text);
}

void CPage8021XDlg::ForceClientCert() {
  m_pClientCert->RefreshCertList();
  m_pClientCert->SetUse(TRUE);
  EnablePageItem(m_pClientCert.get(), IDC_CC_USE, FALSE);
}

void CPage8021XDlg::ClearClientCert() { m_pClientCert->SetUse(FALSE); }

void CPage8021XDlg::EnableClientChoice() {
  EnablePageItem(m_pClientCert.get(), IDC_CC_USE, TRUE);
  m_pClientCert->SetUse(m_pClientCert->m_bUseClientCert);
}

void CPage8021XDlg::ShowPasswordModeForFast() {
  m_pCredentials->ShowPasswordMode(m_nEapMethod == kEapFast && m_pEapFast->m_nProvisioningTunnel == kInnerGtc);
}

void CPage8021XDlg::OnEapMethodCommand(UINT nID) {
  const auto* found = std::find(std::begin(kEapMethodCommands), std::end(kEapMethodCommands), nID);
  if (found == std::end(kEapMethodCommands) || !m_pCredentials) return;
  m_nEapMethod = static_cast<int>(found - std::begin(kEapMethodCommands));
  NotifyUIInt(EDITOR_FIELD_EAP_METHOD, m_nEapMethod, TRUE);
  m_btnEapMethod.SetWindowText(kEapMethodTexts[m_nEapMethod]);
  CPageNamePasswordDlg* credentials = m_pCredentials.get();
  const auto enable = [credentials](int id, BOOL on) { EnablePageItem(credentials, id, on); };
  const BOOL enhanced = IsEapFastEnhanced();
  switch (m_nEapMethod) {
    case kEapPeap:
      SetInnerButton(TRUE, IDR_INNER_MENU, IDR_INNER_TOOLBAR, InnerMethodText(m_nInnerMethod));
      enable(IDC_NP_PASSWORD, FALSE);
      enable(IDC_NP_DOMAIN, FALSE);
      enable(IDC_NP_TUNNEL_IDENTITY, TRUE);
      EnableClientChoice();
      SendMessage(WM_COMMAND, ID_INNER_MSCHAPV2, 0);
      return;
    case kEapTls:
      SetInnerButton(FALSE, 0, 0, "");
      for (int id : {IDC_NP_PASSWORD, IDC_NP_DOMAIN, IDC_NP_TUNNEL_IDENTITY, IDC_NP_TUNNEL_PASSWORD}) enable(id, FALSE);
      credentials->ShowPasswordMode(FALSE);
      ForceClientCert();
      break;
    case kEapTtls:
      SetInnerButton(TRUE, IDR_TTLS_INNER_MENU, 0, TtlsInnerMethodText(m_nTtlsInnerMethod));
      enable(IDC_NP_PASSWORD, FALSE);
      enable(IDC_NP_DOMAIN, FALSE);
      enable(IDC_NP_TUNNEL_IDENTITY, TRUE);
      enable(IDC_NP_TUNNEL_PASSWORD, TRUE);
      credentials->ShowPasswordMode(FALSE);
      SendMessage(WM_COMMAND, ID_TTLS_CHAP, 0);
      return;
    case kEapFast:
      SetInnerButton(enhanced, IDR_INNER_MENU, IDR_INNER_TOOLBAR, InnerMethodText(m_nInnerMethod));
      enable(IDC_NP_PASSWORD, FALSE);
      for (int id : {IDC_NP_DOMAIN, IDC_NP_TUNNEL_IDENTITY, IDC_NP_TUNNEL_PASSWORD}) enable(id, TRUE);
      if (enhanced) {
        EnableClientChoice();
        m_pEapFast->Refresh();
        SendMessage(WM_COMMAND, ID_INNER_MSCHAPV2, 0);
      } else {
        ClearClientCert();
        m_pServerCert->m_bUseServerCert = FALSE;
        m_pServerCert->UpdateData(FALSE);
        NotifyUIInt(EDITOR_FIELD_USE_SERVER_CERT, 0, TRUE);
        SendMessage(WM_COMMAND, ID_INNER_GTC, 0);
      }
      return;
    default:  // MD5-Challenge
      SetInnerButton(FALSE, 0, 0, "");
      enable(IDC_NP_PASSWORD, TRUE);
      for (int id : {IDC_NP_DOMAIN, IDC_NP_TUNNEL_IDENTITY, IDC_NP_TUNNEL_PASSWORD}) enable(id, FALSE);
      credentials->ShowPasswordMode(FALSE);
      ClearClientCert();
      break;
  }
  ApplySelectors();
}

void CPage8021XDlg::OnInnerCommand(UINT nID) {
  if (!m_pCredentials) return;
  m_nInnerMethod = static_cast<int>(nID - ID_INNER_MSCHAPV2);
  NotifyUIInt(EDITOR_FIELD_INNER_METHOD, m_nInnerMethod, TRUE);
  m_btnInner.SetWindowText(kInnerTexts[m_nInnerMethod]);
  const int tunnel = m_pEapFast->m_nProvisioningTunnel;
  switch (m_nInnerMethod) {
    case kInnerMschapV2:
      EnablePageItem(m_pCredentials.get(), IDC_NP_TUNNEL_PASSWORD, TRUE);
      ShowPasswordModeForFast();
      EnableClientChoice();
      break;
    case kInnerTls:
      EnablePageItem(m_pCredentials.get(), IDC_NP_TUNNEL_PASSWORD, m_nEapMethod == kEapFast && tunnel != kInnerTls);
      ShowPasswordModeForFast();
      ForceClientCert();
      break;
    default:  // Generic Token Card
      EnablePageItem(m_pCredentials.get(), IDC_NP_TUNNEL_PASSWORD, TRUE);
      m_pCredentials->ShowPasswordMode(TRUE);
      break;
  }
  ApplySelectors();
}

void CPage8021XDlg::OnTtlsInnerCommand(UINT nID) {
  const auto* found = std::find(std::begin(kTtlsCommands), std::end(kTtlsCommands), nID);
  if (found == std::end(kTtlsCommands)) return;
  m_nTtlsInnerMethod = static_cast<int>(found - std::begin(kTtlsCommands));
  NotifyUIInt(EDITOR_FIELD_TTLS_INNER_METHOD, m_nTtlsInnerMethod, TRUE);
  m_btnInner.SetWindowText(kTtlsTexts[m_nTtlsInnerMethod]);
  ApplySelectors();
}

void CPage8021XDlg::OnProvisioningTunnelChanged() {
  if (!m_pCredentials) return;
  const int tunnel = m_pEapFast->m_nProvisioningTunnel;
  if (tunnel == kInnerTls) {
    EnablePageItem(m_pCredentials.get(), IDC_NP_TUNNEL_PASSWORD, m_nInnerMethod != kInnerTls);
    ForceClientCert();
  } else {
    EnablePageItem(m_pCredentials.get(), IDC_NP_TUNNEL_PASSWORD, TRUE);
  }
  m_pCredentials->ShowPasswordMode(tunnel == kInnerGtc);
  ApplySelectors();
}

void CPage8021XDlg::ApplySelectors() {
  if (!m_pSelector[kSubEapFast]) return;
  const BOOL enhanced = IsEapFastEnhanced();
  const bool fastCertificates = m_pEapFast->m_nProvisioningTunnel == kInnerTls || m_nInnerMethod == kInnerTls;
  if (enhanced) {
    const bool fastFirst = m_nEapMethod == kEapFast && !fastCertificates;
    const int order[3] = {fastFirst ? kSubEapFast : kSubClientCert, fastFirst ? kSubClientCert : kSubServerCert,
                          fastFirst ? kSubServerCert : kSubEapFast};
    const int places[3] = {IDC_8021X_PLACE_CLIENT, IDC_8021X_PLACE_SERVER, IDC_8021X_PLACE_EAP_FAST};
    for (int i = 0; i < 3; ++i) m_pSelector[order[i]]->MoveWindow(PlaceRect(places[i]), TRUE);
  }
  BOOL fast = FALSE, client = TRUE, server = TRUE;
  if (m_nEapMethod == kEapFast) {
    fast = TRUE;
    client = server = enhanced && fastCertificates;
    if (enhanced && !fastCertificates) ClearClientCert();
  } else if (m_nEapMethod == kEapMd5) {
    client = FALSE;
  }
  m_pSelector[kSubEapFast]->ShowWindow(fast ? SW_SHOW : SW_HIDE);
  m_pSelector[kSubClientCert]->ShowWindow(client ? SW_SHOW : SW_HIDE);
  m_pSelector[kSubServerCert]->ShowWindow(server ? SW_SHOW : SW_HIDE);
  PressSelector(kSubCredentials);
}

void CPage8021XDlg::ReapplyMethod() {
  if (m_nEapMethod < 0 || m_nEapMethod >= kEapCount) return;
  // The method's command picks its own inner method: the current ones follow.
  const int inner = m_nInnerMethod;
  const int ttlsInner = m_nTtlsInnerMethod;
  SendMessage(WM_COMMAND, kEapMethodCommands[m_nEapMethod], 0);
  if ((m_nEapMethod == kEapPeap || m_nEapMethod == kEapFast) && inner >= 0 && inner < kInnerCount)
    SendMessage(WM_COMMAND, ID_INNER_MSCHAPV2 + static_cast<UINT>(inner), 0);
  else if (m_nEapMethod == kEapTtls && ttlsInner >= 0 && ttlsInner < kTtlsCount)
    SendMessage(WM_COMMAND, kTtlsCommands[ttlsInner], 0);
}

// ---- Filling ----

void CPage8021XDlg::ReportDefaults(BOOL withResumption) {
  if (!m_pCredentials) return;
  m_bSessionResumption = TRUE;
  if (withResumption) NotifyUIInt(EDITOR_FIELD_SESSION_RESUMPTION, 1, TRUE);
  m_nEapMethod = kEapPeap;
  m_nInnerMethod = kInnerMschapV2;
  m_pCredentials->SetDefaults();
  m_pEapFast->SetDefaults();
  m_pClientCert->SetDefaults();
  m_pServerCert->SetDefaults();
  ReapplyMethod();
  UpdateData(FALSE);
  const CPageServerCertificationDlg& server = *m_pServerCert;
  NotifyUIInt(EDITOR_FIELD_USE_SERVER_CERT, server.m_bUseServerCert, TRUE);
  NotifyUIInt(EDITOR_FIELD_INTERMEDIATE_CERT, server.m_bIntermediate, TRUE);
  NotifyUI(EDITOR_FIELD_SERVER_NAME, server.m_strServerName, TRUE);
  NotifyUIInt(EDITOR_FIELD_NAME_RULE, server.m_nNameRule, TRUE);
  const CPageEAPFastDlg& fast = *m_pEapFast;
  NotifyUIInt(EDITOR_FIELD_ALLOW_UNAUTH_PROVISION, fast.m_bAllowUnauthProvision, TRUE);
  NotifyUIInt(EDITOR_FIELD_USE_PAC, fast.m_bUsePac, TRUE);
  NotifyUIInt(EDITOR_FIELD_PROVISIONING_TUNNEL, fast.m_nProvisioningTunnel, TRUE);
  NotifyUI(EDITOR_FIELD_PAC_PATH, fast.m_strPacPath, TRUE);
}

void CPage8021XDlg::SetDefaults() { ReportDefaults(TRUE); }

void CPage8021XDlg::LoadFromSite() { ReportDefaults(FALSE); }

void CPage8021XDlg::LoadFromProfile() {
  CProfileEditorDlg* editor = CProfileEditorDlg::FromPage(this);
  if (!editor || !m_pCredentials) return;
  const _8021X_DATA& block = editor->m_8021x;
  m_nEapMethod = block.EapMethod;
  NotifyUIInt(EDITOR_FIELD_EAP_METHOD, m_nEapMethod, TRUE);
  if (const int inner = InnerIndexOfType(block.TunnelProtocol); inner >= 0) m_nInnerMethod = inner;
  NotifyUIInt(EDITOR_FIELD_INNER_METHOD, m_nInnerMethod, TRUE);
  if (block.TunnelProtocol2 >= 1 && block.TunnelProtocol2 <= kTtlsCount) m_nTtlsInnerMethod = block.TunnelProtocol2 - 1;
  NotifyUIInt(EDITOR_FIELD_TTLS_INNER_METHOD, m_nTtlsInnerMethod, TRUE);
  ReapplyMethod();
  m_bSessionResumption = block.SessionResumption;
  NotifyUIInt(EDITOR_FIELD_SESSION_RESUMPTION, m_bSessionResumption, TRUE);
  UpdateData(FALSE);

  CPageNamePasswordDlg& credentials = *m_pCredentials;
  credentials.m_strIdentity = block.Identity;
  credentials.m_strPassword = block.Password;
  credentials.m_strTunnelIdentity = block.TunnelID;
  credentials.m_strTunnelPassword = block.TunnelPassword;
  credentials.m_nPasswordMode = block.PasswordMode;
  credentials.m_strDomain = block.DomainName;
  credentials.m_bShowPassword = FALSE;
  NotifyUI(EDITOR_FIELD_IDENTITY, block.Identity, TRUE);
  NotifyUI(EDITOR_FIELD_PASSWORD, block.Password, TRUE);
  NotifyUI(EDITOR_FIELD_TUNNEL_IDENTITY, block.TunnelID, TRUE);
  NotifyUI(EDITOR_FIELD_TUNNEL_PASSWORD, block.TunnelPassword, TRUE);
  NotifyUIInt(EDITOR_FIELD_PASSWORD_MODE, block.PasswordMode, TRUE);
  NotifyUI(EDITOR_FIELD_DOMAIN, block.DomainName, TRUE);
  credentials.UpdateData(FALSE);

  CPageEAPFastDlg& fast = *m_pEapFast;
  fast.m_strPacPath = block.PACFilePath.Left(kPacPathLimit);
  fast.m_bAllowUnauthProvision = block.ProvisionMode;
  fast.m_bUsePac = block.UsePAC;
  if (const int tunnel = InnerIndexOfType(block.ProvisioningTunnel); tunnel >= 0) fast.m_nProvisioningTunnel = tunnel;
  fast.Refresh();
  NotifyUIInt(EDITOR_FIELD_ALLOW_UNAUTH_PROVISION, fast.m_bAllowUnauthProvision, TRUE);
  NotifyUIInt(EDITOR_FIELD_USE_PAC, fast.m_bUsePac, TRUE);
  NotifyUIInt(EDITOR_FIELD_PROVISIONING_TUNNEL, fast.m_nProvisioningTunnel, TRUE);
  NotifyUI(EDITOR_FIELD_PAC_PATH, fast.m_strPacPath, TRUE);

  CPageClientCertificationDlg& client = *m_pClientCert;
  client.m_bUseClientCert = block.UseClientCert;
  NotifyUIInt(EDITOR_FIELD_USE_CLIENT_CERT, client.m_bUseClientCert, TRUE);
  client.UseForMethod(block.EapMethod, block.TunnelProtocol);
  client.m_nCertSource = block.UseSmartCard;
  client.ChooseByHash(block.ClientCertData, std::min<DWORD>(block.ClientCertLen, sizeof block.ClientCertData));

  CPageServerCertificationDlg& server = *m_pServerCert;
  server.m_bUseServerCert = block.UseServerCert;
  server.m_bIntermediate = block.IntermediateCert;
  server.m_nNameRule = block.NameRule;
  server.m_strServerName = block.ServerName;
  NotifyUIInt(EDITOR_FIELD_USE_SERVER_CERT, server.m_bUseServerCert, TRUE);
  NotifyUIInt(EDITOR_FIELD_INTERMEDIATE_CERT, server.m_bIntermediate, TRUE);
  NotifyUIInt(EDITOR_FIELD_NAME_RULE, server.m_nNameRule, TRUE);
  NotifyUI(EDITOR_FIELD_SERVER_NAME, server.m_strServerName, TRUE);
  server.EnableControls();
  server.ChooseByHash(block.ServerCertData, std::min<DWORD>(block.ServerCertLen, sizeof block.ServerCertData));
}

// ---- OK ----

BOOL CPage8021XDlg::Validate() {
  if (!m_pCredentials) return FALSE;
  const CPageNamePasswordDlg& credentials = *m_pCredentials;
  const int tunnel = m_pEapFast->m_nProvisioningTunnel;
  const auto fail = [](const CString& text) {
    WarningMessageBox(text);
    return FALSE;
  };
  if (credentials.m_strIdentity.IsEmpty()) return fail(kIdentityRequired);
  const bool fastCertificates = m_nEapMethod == kEapFast && (tunnel == kInnerTls || m_nInnerMethod == kInnerTls);
  const bool tunnelPair = (m_nEapMethod == kEapPeap && m_nInnerMethod == kInnerMschapV2) || m_nEapMethod == kEapTtls ||
                          (m_nEapMethod == kEapFast && !fastCertificates);
  if (tunnelPair && (credentials.m_strTunnelIdentity.IsEmpty() || credentials.m_strTunnelPassword.IsEmpty()))
    return fail(kTunnelCredentialsRequired);
  if (((m_nEapMethod == kEapPeap && m_nInnerMethod == kInnerTls) || fastCertificates) &&
      credentials.m_strTunnelIdentity.IsEmpty())
    return fail(kIdentityRequired);
  if (m_nEapMethod == kEapPeap && m_nInnerMethod == kInnerGtc) {
    if (credentials.m_strTunnelIdentity.IsEmpty()) return fail(LoadPageText(IDS_TUNNEL_IDENTITY_REQUIRED));
    if (credentials.m_nPasswordMode == CPageNamePasswordDlg::kStaticPassword &&
        credentials.m_strTunnelPassword.IsEmpty())
      return fail(kTunnelCredentialsRequired);
  }
  if (m_nEapMethod == kEapMd5 && credentials.m_strPassword.IsEmpty())
    return fail(LoadPageText(IDS_MD5_PASSWORD_REQUIRED));
  if (m_pClientCert->m_bUseClientCert && !m_pClientCert->Chosen().hash)
    return fail(LoadPageText(IDS_SELECT_CLIENT_CERT));
  const CPageServerCertificationDlg& server = *m_pServerCert;
  if (server.m_bUseServerCert) {
    if (server.m_strServerName.IsEmpty()) return fail(kIdentityRequired);
    if (server.m_nNameRule == 1 && !IsDomainName(server.m_strServerName)) return fail(kInvalidDomainName);
  }
  return TRUE;
}

void CPage8021XDlg::CollectBlock(_8021X_DATA& block) const {
  if (!m_pCredentials) return;
  block.EapMethod = m_nEapMethod;
  if (m_nInnerMethod >= 0 && m_nInnerMethod < kInnerCount) block.TunnelProtocol = kInnerEapTypes[m_nInnerMethod];
  if (m_nTtlsInnerMethod >= 0 && m_nTtlsInnerMethod < kTtlsCount) block.TunnelProtocol2 = m_nTtlsInnerMethod + 1;
  block.SessionResumption = m_bSessionResumption;
  const CPageNamePasswordDlg& credentials = *m_pCredentials;
  block.Identity = credentials.m_strIdentity;
  block.Password = credentials.m_strPassword;
  block.TunnelID = credentials.m_strTunnelIdentity;
  block.TunnelPassword = credentials.m_strTunnelPassword;
  block.PasswordMode = credentials.m_nPasswordMode;
  block.DomainName = credentials.m_strDomain;
  const CPageClientCertificationDlg& client = *m_pClientCert;
  block.UseClientCert = client.m_bUseClientCert;
  block.UseSmartCard = client.m_nCertSource;
  CopyHash(block.ClientCertData, block.ClientCertLen, client.Chosen());
  const CPageServerCertificationDlg& server = *m_pServerCert;
  block.UseServerCert = server.m_bUseServerCert;
  block.IntermediateCert = server.m_bIntermediate;
  block.NameRule = server.m_nNameRule;
  block.ServerName = server.m_strServerName;
  CopyHash(block.ServerCertData, block.ServerCertLen, server.Chosen());
  const CPageEAPFastDlg& fast = *m_pEapFast;
  block.ProvisionMode = fast.m_bAllowUnauthProvision;
  block.UsePAC = fast.m_bUsePac;
  if (m_nEapMethod == kEapFast)
    block.ProvisioningTunnel = fast.m_nProvisioningTunnel == kInnerGtc   ? 6
                               : fast.m_nProvisioningTunnel == kInnerTls ? 13
                                                                         : 26;
  block.PACFilePath = fast.m_strPacPath;
}

// ---- Bridge ----

BOOL CPage8021XDlg::RunBridgeCommand(UINT code, const CString& value) {
  if (!m_pCredentials) return FALSE;
  const int number = std::atoi(value);
  switch (code) {
    case 40:
      if (number >= 0 && number < kEapCount) SendMessage(WM_COMMAND, kEapMethodCommands[number], 0);
      UpdateData(FALSE);
      return TRUE;
    case 41:
      if (number >= 0 && number < static_cast<int>(std::size(kBridgeInnerCommands)))
        SendMessage(WM_COMMAND, kBridgeInnerCommands[number], 0);
      UpdateData(FALSE);
      return TRUE;
    case 42:
      m_bSessionResumption = number;
      UpdateData(FALSE);
      return TRUE;
    case BRIDGE_CMD_EAPFAST_BUTTON1:
    case BRIDGE_CMD_EAPFAST_BUTTON2:
      m_pEapFast->SendMessage(WM_COMMAND, code == BRIDGE_CMD_EAPFAST_BUTTON1 ? IDC_EF_REMOVE : IDC_EF_IMPORT, 0);
      return TRUE;
    default:
      break;
  }
  if (code >= BRIDGE_CMD_EDITOR_8021X_IDPW_FIELD && code <= BRIDGE_CMD_EDITOR_8021X_IDPW_FIELD_LAST)
    return m_pCredentials->RunBridgeCommand(code, value);
  if (code >= BRIDGE_CMD_EDITOR_CLIENT_CERT_FIELD && code <= BRIDGE_CMD_EDITOR_CLIENT_CERT_FIELD_LAST)
    return m_pClientCert->RunBridgeCommand(code, value);
  if (code >= BRIDGE_CMD_EDITOR_SERVER_CERT_FIELD && code <= BRIDGE_CMD_EDITOR_SERVER_CERT_FIELD_LAST)
    return m_pServerCert->RunBridgeCommand(code, value);
  if (code >= BRIDGE_CMD_EDITOR_EAPFAST_FIELD && code <= BRIDGE_CMD_EDITOR_EAPFAST_FIELD_LAST)
    return m_pEapFast->RunBridgeCommand(code, value);
  return FALSE;
}
