#include "station/profiles/PageAuthEncryDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "worker/PageTopLine.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "worker/HexStringToBytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr UINT kAuthCommands[CPageAuthEncryDlg::kAuthCount] = {
    ID_AUTH_OPEN, ID_AUTH_SHARED, ID_AUTH_LEAP, ID_AUTH_WPA, ID_AUTH_WPA_PSK, ID_AUTH_WPA2, ID_AUTH_WPA2_PSK,
    ID_AUTH_WPA_NONE};
const char* const kAuthTexts[CPageAuthEncryDlg::kAuthCount] = {"Open", "Shared", "LEAP",     "WPA",
                                                               "WPA-PSK", "WPA2", "WPA2-PSK", "WPA-None"};
constexpr UINT kEncryptionCommands[CPageAuthEncryDlg::kEncryptionCount] = {ID_ENCRYPTION_NONE, ID_ENCRYPTION_WEP,
                                                                          ID_ENCRYPTION_TKIP, ID_ENCRYPTION_AES};
const char* const kEncryptionTexts[CPageAuthEncryDlg::kEncryptionCount] = {"None", "WEP", "TKIP", "AES"};

constexpr int kKeyRadioIds[CPageAuthEncryDlg::kKeyCount] = {IDC_AE_KEY1_RADIO, 1131, 1133, 1137};
constexpr int kKeyFormatIds[CPageAuthEncryDlg::kKeyCount] = {IDC_AE_KEY1_FORMAT, 1138, 1140, 1142};
constexpr int kKeyIds[CPageAuthEncryDlg::kKeyCount] = {IDC_AE_KEY1, 1146, 1148, 1150};
constexpr int kKeyLabelIds[CPageAuthEncryDlg::kKeyCount] = {IDC_AE_KEY1_LABEL, 1725, 1728, 1731};
constexpr UINT kKeyLabelStrings[CPageAuthEncryDlg::kKeyCount] = {156, 157, 159, 161};
constexpr UINT kKeyFormatMenus[CPageAuthEncryDlg::kKeyCount] = {IDR_KEY1_FORMAT_MENU, 287, 289, 291};
constexpr UINT kKeyFormatToolbars[CPageAuthEncryDlg::kKeyCount] = {1263, 1266, 1269, 1272};
constexpr int kLeapRadioIds[3] = {IDC_AE_LEAP_WEP, IDC_AE_LEAP_TKIP, IDC_AE_LEAP_AES};
constexpr int kLeapControls[] = {IDC_AE_LEAP_IDENTITY,       IDC_AE_LEAP_PASSWORD,       IDC_AE_LEAP_DOMAIN,
                                 IDC_AE_LEAP_IDENTITY_LABEL, IDC_AE_LEAP_PASSWORD_LABEL, IDC_AE_LEAP_DOMAIN_LABEL,
                                 IDC_AE_LEAP_WEP,            IDC_AE_LEAP_TKIP,           IDC_AE_LEAP_AES};

struct LabelText {
  int id;
  UINT stringId;
};
constexpr LabelText kLabels[] = {{IDC_AE_AUTH_LABEL, 361},    {IDC_AE_ENCRYPTION_LABEL, 152},
                                 {IDC_AE_PSK_LABEL, 153},     {IDC_AE_WEP_SEPARATOR, 154},
                                 {IDC_AE_SHOW_PASSWORD_LABEL, 1540}};

constexpr UINT kAuthToolbar = 34001;
constexpr UINT kEncryptionToolbar = 1261;
constexpr int kDropDownIcon = 264;
constexpr short kDropDownShade = 30;
constexpr COLORREF kMenuIconMask = 0xFF00FF;
constexpr int kCheckIconOn = 209;
constexpr int kCheckIconOff = 207;
constexpr int kRadioIconOn = 212;
constexpr int kRadioIconOff = 210;
constexpr COLORREF kCheckHoverText = 0xFF0000;

constexpr int kHexKeyLimit = 26;
constexpr int kAsciiKeyLimit = 13;
constexpr int kMinPskLength = 8;
constexpr int kHexPskLength = 64;
constexpr int kOsTypeWpa2 = 7;

bool IsWpaFamily(int auth) { return auth >= CPageAuthEncryDlg::kAuthWpa; }
bool IsPskKind(int auth) {
  return auth == CPageAuthEncryDlg::kAuthWpaPsk || auth == CPageAuthEncryDlg::kAuthWpa2Psk ||
         auth == CPageAuthEncryDlg::kAuthWpaNone;
}

bool IsHexText(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    const char c = text[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

void SetMenuItemState(HMENU menu, UINT command, bool enabled) {
  EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageAuthEncryDlg, CDialog)
  ON_COMMAND_RANGE(ID_AUTH_OPEN, ID_AUTH_OPEN, &CPageAuthEncryDlg::OnAuthCommand)
  ON_COMMAND_RANGE(ID_AUTH_SHARED, ID_AUTH_SHARED, &CPageAuthEncryDlg::OnAuthCommand)
  ON_COMMAND_RANGE(ID_AUTH_LEAP, ID_AUTH_WPA2_PSK, &CPageAuthEncryDlg::OnAuthCommand)
  ON_COMMAND_RANGE(ID_AUTH_WPA_NONE, ID_AUTH_WPA_NONE, &CPageAuthEncryDlg::OnAuthCommand)
  ON_COMMAND_RANGE(ID_ENCRYPTION_NONE, ID_ENCRYPTION_AES, &CPageAuthEncryDlg::OnEncryptionCommand)
  ON_COMMAND_RANGE(ID_KEY1_HEX, ID_KEY4_ASCII, &CPageAuthEncryDlg::OnKeyFormatCommand)
  ON_BN_CLICKED(IDC_AE_USE_8021X, &CPageAuthEncryDlg::On8021XClicked)
  ON_BN_CLICKED(IDC_AE_KEY1_RADIO, &CPageAuthEncryDlg::OnTransmitKeyClicked)
  ON_BN_CLICKED(1131, &CPageAuthEncryDlg::OnTransmitKeyClicked)
  ON_BN_CLICKED(1133, &CPageAuthEncryDlg::OnTransmitKeyClicked)
  ON_BN_CLICKED(1137, &CPageAuthEncryDlg::OnTransmitKeyClicked)
  ON_BN_CLICKED(IDC_AE_LEAP_WEP, &CPageAuthEncryDlg::OnLeapEncryptionClicked)
  ON_BN_CLICKED(IDC_AE_LEAP_TKIP, &CPageAuthEncryDlg::OnLeapEncryptionClicked)
  ON_BN_CLICKED(IDC_AE_LEAP_AES, &CPageAuthEncryDlg::OnLeapEncryptionClicked)
  ON_BN_CLICKED(IDC_AE_SHOW_PASSWORD, &CPageAuthEncryDlg::OnShowPasswordClicked)
  ON_MESSAGE(WM_AUTH_MENU_OPENING, &CPageAuthEncryDlg::OnAuthMenuOpening)
  ON_MESSAGE(WM_ENCRYPTION_MENU_OPENING, &CPageAuthEncryDlg::OnEncryptionMenuOpening)
  ON_WM_SHOWWINDOW()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageAuthEncryDlg::CPageAuthEncryDlg(CWnd* pParent) : CDialog(IDD_PAGE_AUTH_ENCRY, pParent) {}

CPageAuthEncryDlg::~CPageAuthEncryDlg() = default;

UINT CPageAuthEncryDlg::AuthCommand(int index) { return index >= 0 && index < kAuthCount ? kAuthCommands[index] : 0; }

UINT CPageAuthEncryDlg::EncryptionCommand(int index) {
  return index >= 0 && index < kEncryptionCount ? kEncryptionCommands[index] : 0;
}

void CPageAuthEncryDlg::ResetFields() {
  m_nAuthentication = kAuthOpen;
  m_nEncryption = kEncryptionNone;
  m_bUse8021X = FALSE;
  m_nTransmitKey = 0;
  for (int i = 0; i < kKeyCount; ++i) {
    m_nKeyFormat[i] = kKeyHex;
    m_strWepKey[i].Empty();
  }
  m_strWpaPsk.Empty();
  m_strLeapIdentity.Empty();
  m_strLeapPassword.Empty();
  m_strLeapDomain.Empty();
  m_nLeapEncryption = 0;
  m_bLeapMode = FALSE;
  m_bInfrastructure = TRUE;
  m_bShowPassword = FALSE;
}

void CPageAuthEncryDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_AE_AUTH, m_btnAuth);
  DDX_Control(pDX, IDC_AE_ENCRYPTION, m_btnEncryption);
  DDX_Control(pDX, IDC_AE_USE_8021X, m_check8021X);
  DDX_Control(pDX, IDC_AE_SHOW_PASSWORD, m_checkShowPassword);
  DDX_Control(pDX, IDC_AE_PSK, m_editPsk);
  DDX_Control(pDX, IDC_AE_LEAP_PASSWORD, m_editLeapPassword);
  for (int i = 0; i < kKeyCount; ++i) {
    DDX_Control(pDX, kKeyFormatIds[i], m_btnKeyFormat[i]);
    DDX_Control(pDX, kKeyRadioIds[i], m_radioKey[i]);
    DDX_Control(pDX, kKeyIds[i], m_editKey[i]);
  }
  for (int i = 0; i < 3; ++i) DDX_Control(pDX, kLeapRadioIds[i], m_radioLeap[i]);
  DDX_Check(pDX, IDC_AE_USE_8021X, m_bUse8021X);
  DDX_Check(pDX, IDC_AE_SHOW_PASSWORD, m_bShowPassword);
  DDX_Radio(pDX, IDC_AE_KEY1_RADIO, m_nTransmitKey);
  DDX_Radio(pDX, IDC_AE_LEAP_WEP, m_nLeapEncryption);
  DDX_Text(pDX, IDC_AE_PSK, m_strWpaPsk);
  for (int i = 0; i < kKeyCount; ++i) DDX_Text(pDX, kKeyIds[i], m_strWepKey[i]);
  DDX_Text(pDX, IDC_AE_LEAP_IDENTITY, m_strLeapIdentity);
  DDX_Text(pDX, IDC_AE_LEAP_PASSWORD, m_strLeapPassword);
  DDX_Text(pDX, IDC_AE_LEAP_DOMAIN, m_strLeapDomain);
}

BOOL CPageAuthEncryDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (CSmartEdit& edit : m_editKey) edit.SetCharClassMask(CSmartEdit::kHexDigits);
  for (const LabelText& label : kLabels) {
    if (CWnd* control = GetDlgItem(label.id)) ShowControlText(this, control, label.stringId);
  }
  for (int i = 0; i < kKeyCount; ++i) {
    if (CWnd* control = GetDlgItem(kKeyLabelIds[i])) ShowControlText(this, control, kKeyLabelStrings[i]);
  }
  struct DropDown {
    CButtonST* button;
    UINT menu;
    UINT toolbar;
  };
  const DropDown dropDowns[] = {{&m_btnAuth, IDR_AUTH_MENU, kAuthToolbar},
                                {&m_btnEncryption, IDR_ENCRYPTION_MENU, kEncryptionToolbar},
                                {&m_btnKeyFormat[0], kKeyFormatMenus[0], kKeyFormatToolbars[0]},
                                {&m_btnKeyFormat[1], kKeyFormatMenus[1], kKeyFormatToolbars[1]},
                                {&m_btnKeyFormat[2], kKeyFormatMenus[2], kKeyFormatToolbars[2]},
                                {&m_btnKeyFormat[3], kKeyFormatMenus[3], kKeyFormatToolbars[3]}};
  UINT notify = WM_AUTH_MENU_OPENING;
  for (const DropDown& dropDown : dropDowns) {
    dropDown.button->SetContentLayout(2);
    dropDown.button->LoadIconPair(kDropDownIcon, 0);
    dropDown.button->ShiftPaletteColor(CButtonST::BTNST_COLOR_BK_IN, kDropDownShade);
    dropDown.button->AttachDropMenu(dropDown.menu, m_hWnd, TRUE, dropDown.toolbar, 16, 16, kMenuIconMask);
    dropDown.button->SetMenuNotify(m_hWnd, notify++, 0);
  }
  for (CButtonST* check : {&m_check8021X, &m_checkShowPassword}) {
    check->LoadIconPair(kCheckIconOn, kCheckIconOff);
    check->SetFlatBorder(FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kCheckHoverText);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_FOCUS, kCheckHoverText);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0);
  }
  for (CButtonST& radio : m_radioKey) {
    radio.LoadIconPair(kRadioIconOn, kRadioIconOff);
    radio.SetFlatBorder(FALSE);
  }
  for (CButtonST& radio : m_radioLeap) {
    radio.LoadIconPair(kRadioIconOn, kRadioIconOff);
    radio.SetFlatBorder(FALSE);
  }
  return TRUE;
}

BOOL CPageAuthEncryDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close a hidden page.
  if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageAuthEncryDlg::ShowControl(int id, BOOL show) {
  if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPageAuthEncryDlg::EnableControl(int id, BOOL enable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CPageAuthEncryDlg::SetDefaults() {
  ResetFields();
  for (int i = 0; i < kKeyCount; ++i) OnKeyFormatCommand(ID_KEY1_HEX + 2 * i);
  UpdateData(FALSE);
  OnAuthCommand(ID_AUTH_OPEN);
  OnEncryptionCommand(ID_ENCRYPTION_NONE);
  On8021XClicked();
  UpdateData(FALSE);
}

void CPageAuthEncryDlg::LoadFromSite(int infrastructureMode, BOOL secured, int securityKind, const CString& cipher) {
  if (secured == 1) {
    LoadFromSiteForConnect(infrastructureMode, securityKind, cipher);
    return;
  }
  ResetFields();
  for (int i = 0; i < kKeyCount; ++i) OnKeyFormatCommand(ID_KEY1_HEX + 2 * i);
  UpdateData(FALSE);
  m_bInfrastructure = infrastructureMode == 1;
  OnAuthCommand(ID_AUTH_OPEN);
  OnEncryptionCommand(ID_ENCRYPTION_NONE);
  On8021XClicked();
  UpdateData(FALSE);
}

void CPageAuthEncryDlg::LoadFromSiteForConnect(int infrastructureMode, int securityKind, const CString& cipher) {
  ResetFields();
  for (int i = 0; i < kKeyCount; ++i) OnKeyFormatCommand(ID_KEY1_HEX + 2 * i);
  UpdateData(FALSE);
  m_bInfrastructure = infrastructureMode == 1;
  if (securityKind < 1 || securityKind > 5) {
    OnAuthCommand(ID_AUTH_OPEN);
    OnEncryptionCommand(ID_ENCRYPTION_WEP);
  } else {
    OnAuthCommand(ID_AUTH_WPA_NONE);
    const bool wpa2 = g_nOsType >= kOsTypeWpa2;
    switch (securityKind) {
      case 1:
        OnAuthCommand(ID_AUTH_WPA);
        break;
      case 2:
        OnAuthCommand(ID_AUTH_WPA_PSK);
        break;
      case 4:
        OnAuthCommand(wpa2 ? ID_AUTH_WPA2 : ID_AUTH_WPA);
        break;
      case 5:
        OnAuthCommand(wpa2 ? ID_AUTH_WPA2_PSK : ID_AUTH_WPA_PSK);
        break;
      default:
        break;
    }
    OnEncryptionCommand(cipher == "TKIP" ? ID_ENCRYPTION_TKIP : ID_ENCRYPTION_AES);
  }
  On8021XClicked();
  UpdateData(FALSE);
}

void CPageAuthEncryDlg::LoadFromProfile() {
  const BOOL use8021X = m_bUse8021X;
  if (const UINT command = AuthCommand(m_nAuthentication)) OnAuthCommand(command);
  if (const UINT command = EncryptionCommand(m_nEncryption)) OnEncryptionCommand(command);
  ReapplyKeyFormats();
  m_bUse8021X = use8021X;
  NotifyUIInt(EDITOR_FIELD_USE_8021X, m_bUse8021X, TRUE);
  m_check8021X.SetCheck(m_bUse8021X ? BST_CHECKED : BST_UNCHECKED);
  m_check8021X.Invalidate();
  On8021XClicked();
  m_bShowPassword = FALSE;
  UpdateData(FALSE);
  ApplyShowPassword();
}

void CPageAuthEncryDlg::OnAuthCommand(UINT nID) {
  for (int i = 0; i < kAuthCount; ++i) {
    if (kAuthCommands[i] != nID) continue;
    m_nAuthentication = i;
    m_btnAuth.SetWindowText(kAuthTexts[i]);
    NotifyUIInt(EDITOR_FIELD_AUTHENTICATION, i, TRUE);
    ApplyAuthentication();
    return;
  }
}

void CPageAuthEncryDlg::ApplyAuthentication() {
  UpdateData(TRUE);
  if (!m_bInfrastructure && m_nAuthentication != kAuthOpen && m_nAuthentication != kAuthWpa2Psk) {
    OnAuthCommand(ID_AUTH_OPEN);
    return;
  }
  const int auth = m_nAuthentication;
  if (auth == kAuthOpen || auth == kAuthShared) {
    m_bLeapMode = FALSE;
    ApplyLeapMode();
    if (m_nEncryption == kEncryptionTkip || m_nEncryption == kEncryptionAes) OnEncryptionCommand(ID_ENCRYPTION_NONE);
    if (auth == kAuthShared && m_nEncryption == kEncryptionNone) OnEncryptionCommand(ID_ENCRYPTION_WEP);
    EnableControl(IDC_AE_PSK, FALSE);
    On8021XClicked();
  } else if (auth == kAuthLeap) {
    m_bLeapMode = TRUE;
    ApplyLeapMode();
    On8021XClicked();
  } else {
    m_bLeapMode = FALSE;
    ApplyLeapMode();
    if (m_bInfrastructure && (m_nEncryption == kEncryptionNone || m_nEncryption == kEncryptionWep))
      OnEncryptionCommand(ID_ENCRYPTION_TKIP);
    if (!m_bInfrastructure && m_nEncryption != kEncryptionAes) OnEncryptionCommand(ID_ENCRYPTION_AES);
    EnableWepControls(FALSE);
    if (auth == kAuthWpa || auth == kAuthWpa2) {
      EnableControl(IDC_AE_PSK, FALSE);
      Set8021XCheck(FALSE, TRUE);
      EnableHost8021XTab(TRUE);
    } else {
      EnableControl(IDC_AE_PSK, TRUE);
      Set8021XCheck(FALSE, FALSE);
      m_check8021X.EnableWindow(FALSE);
      EnableHost8021XTab(FALSE);
    }
  }
  if (!m_bInfrastructure) {
    Set8021XCheck(FALSE, m_bUse8021X);
    ShowControl(IDC_AE_8021X_LABEL, FALSE);
  }
  if (auth == kAuthOpen || auth == kAuthShared) {
    ReapplyKeyFormats();
    RecomputeWepEnabling();
  }
}

void CPageAuthEncryDlg::OnEncryptionCommand(UINT nID) {
  for (int i = 0; i < kEncryptionCount; ++i) {
    if (kEncryptionCommands[i] != nID) continue;
    m_nEncryption = i;
    m_btnEncryption.SetWindowText(kEncryptionTexts[i]);
    NotifyUIInt(EDITOR_FIELD_ENCRYPTION, i, TRUE);
    ApplyEncryption();
    return;
  }
}

void CPageAuthEncryDlg::ApplyEncryption() {
  if (m_nEncryption != kEncryptionNone && m_nEncryption != kEncryptionWep) return;
  Apply8021XByEncryption();
  if (m_nEncryption == kEncryptionWep) ReapplyKeyFormats();
}

void CPageAuthEncryDlg::Apply8021XByEncryption() {
  if (!m_bInfrastructure) {
    Set8021XCheck(FALSE, FALSE);
  } else if (m_nEncryption == kEncryptionNone) {
    Set8021XCheck(FALSE, FALSE);
    EnableWepControls(FALSE);
  } else if (m_nAuthentication != kAuthOpen) {
    Set8021XCheck(FALSE, FALSE);
    EnableWepControls(TRUE);
  } else {
    m_check8021X.ShowWindow(SW_SHOW);
    m_check8021X.EnableWindow(TRUE);
  }
}

void CPageAuthEncryDlg::Set8021XCheck(BOOL show, BOOL checked) {
  m_bUse8021X = checked;
  m_check8021X.SetCheck(checked ? BST_CHECKED : BST_UNCHECKED);
  m_check8021X.ShowWindow(show ? SW_SHOW : SW_HIDE);
  m_check8021X.Invalidate();
}

void CPageAuthEncryDlg::Hide8021XCheck() { Set8021XCheck(FALSE, FALSE); }

void CPageAuthEncryDlg::On8021XClicked() {
  UpdateData(TRUE);
  if (m_bUse8021X) EnableHost8021XTab(TRUE);
  RecomputeWepEnabling();
}

void CPageAuthEncryDlg::RecomputeWepEnabling() {
  const bool wep = m_nAuthentication == kAuthShared || m_nEncryption == kEncryptionWep;
  if (!wep) return;
  EnableWepControls(!m_bUse8021X);
}

void CPageAuthEncryDlg::EnableWepControls(BOOL enable) {
  if (enable && !m_bInfrastructure && m_nTransmitKey != 0) {
    m_nTransmitKey = 0;
    NotifyUIInt(EDITOR_FIELD_TRANSMIT_KEY, 0, TRUE);
    UpdateData(FALSE);
  }
  for (int i = 0; i < kKeyCount; ++i) {
    const BOOL own = !enable || i == m_nTransmitKey;
    m_radioKey[i].EnableWindow(enable && (m_bInfrastructure || i == 0));
    EnableControl(kKeyLabelIds[i], enable && own);
    m_btnKeyFormat[i].EnableWindow(enable && own);
    m_editKey[i].EnableWindow(enable && own);
  }
}

void CPageAuthEncryDlg::OnKeyFormatCommand(UINT nID) {
  const int key = static_cast<int>(nID - ID_KEY1_HEX) / 2;
  if (key < 0 || key >= kKeyCount) return;
  const int format = static_cast<int>(nID - ID_KEY1_HEX) % 2;
  m_nKeyFormat[key] = format;
  m_btnKeyFormat[key].SetWindowText(format == kKeyHex ? "Hexadecimal" : "ASCII");
  m_editKey[key].SetCharClassMask(format == kKeyHex ? CSmartEdit::kHexDigits : CSmartEdit::kAll);
  m_editKey[key].LimitText(format == kKeyHex ? kHexKeyLimit : kAsciiKeyLimit);
}

void CPageAuthEncryDlg::ReapplyKeyFormats() {
  for (int i = 0; i < kKeyCount; ++i) OnKeyFormatCommand(ID_KEY1_HEX + 2 * i + (m_nKeyFormat[i] ? 1 : 0));
}

void CPageAuthEncryDlg::ApplyLeapMode() {
  const BOOL leap = m_bLeapMode;
  for (int id : {IDC_AE_ENCRYPTION, IDC_AE_ENCRYPTION_LABEL, IDC_AE_PSK, IDC_AE_PSK_LABEL, IDC_AE_WEP_SEPARATOR})
    ShowControl(id, !leap);
  for (int i = 0; i < kKeyCount; ++i) {
    for (int id : {kKeyRadioIds[i], kKeyFormatIds[i], kKeyIds[i], kKeyLabelIds[i]}) ShowControl(id, !leap);
  }
  if (leap) {
    ShowControl(IDC_AE_USE_8021X, FALSE);
    ShowControl(IDC_AE_8021X_LABEL, FALSE);
  }
  for (int id : kLeapControls) ShowControl(id, leap);
}

void CPageAuthEncryDlg::ApplyShowPassword() {
  const char mask = m_bShowPassword ? 0 : '*';
  for (CSmartEdit& edit : m_editKey) edit.SetPasswordChar(mask);
  m_editPsk.SetPasswordChar(mask);
  m_editLeapPassword.SetPasswordChar(mask);
  Invalidate();
}

void CPageAuthEncryDlg::OnShowPasswordClicked() {
  UpdateData(TRUE);
  ApplyShowPassword();
}

void CPageAuthEncryDlg::OnTransmitKeyClicked() {
  UpdateData(TRUE);
  // While the WEP controls are enabled, only the transmit key's stay so.
  if (m_radioKey[0].IsWindowEnabled()) EnableWepControls(TRUE);
}

void CPageAuthEncryDlg::OnLeapEncryptionClicked() { UpdateData(TRUE); }

void CPageAuthEncryDlg::EnableHost8021XTab(BOOL enable) {
  if (auto* editor = CProfileEditorDlg::FromPage(this)) editor->EnableTab(CProfileEditorDlg::kTab8021X, enable);
  if (auto* editor = CSecurityEditorDlg::FromPage(this)) editor->EnableTab(CSecurityEditorDlg::kTab8021X, enable);
}

void CPageAuthEncryDlg::PressOwnTab() {
  if (auto* editor = CProfileEditorDlg::FromPage(this)) editor->PressTab(CProfileEditorDlg::kTabAuthEncry);
  if (auto* editor = CSecurityEditorDlg::FromPage(this)) editor->PressTab(CSecurityEditorDlg::kTabAuthEncry);
}

LRESULT CPageAuthEncryDlg::OnAuthMenuOpening(WPARAM wParam, LPARAM) {
  const HMENU menu = reinterpret_cast<HMENU>(wParam);
  if (!g_b8021xSupport) {
    for (UINT command : {ID_AUTH_WPA, ID_AUTH_WPA_PSK, ID_AUTH_WPA2, ID_AUTH_WPA2_PSK, ID_AUTH_WPA_NONE})
      SetMenuItemState(menu, command, false);
  } else if (m_bInfrastructure) {
    for (UINT command : {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPA_PSK}) SetMenuItemState(menu, command, true);
    SetMenuItemState(menu, ID_AUTH_WPA2, g_nOsType >= kOsTypeWpa2);
    SetMenuItemState(menu, ID_AUTH_WPA2_PSK, g_nOsType >= kOsTypeWpa2);
    SetMenuItemState(menu, ID_AUTH_WPA_NONE, false);
  } else {
    for (UINT command : {ID_AUTH_WPA, ID_AUTH_WPA_PSK, ID_AUTH_WPA2, ID_AUTH_SHARED})
      SetMenuItemState(menu, command, false);
    SetMenuItemState(menu, ID_AUTH_WPA_NONE, true);
    // Only Native Wi-Fi (WavorelVista) tells whether ad hoc WPA2-PSK is there.
    SetMenuItemState(menu, ID_AUTH_WPA2_PSK,
                     !WAVOREL_BUILD_XP && g_pNativeWiFi && g_pNativeWiFi->SupportsAdhocWpa2Psk());
  }
  SetMenuItemState(menu, ID_AUTH_LEAP, m_bInfrastructure);
  return 0;
}

LRESULT CPageAuthEncryDlg::OnEncryptionMenuOpening(WPARAM wParam, LPARAM) {
  const HMENU menu = reinterpret_cast<HMENU>(wParam);
  if (IsWpaFamily(m_nAuthentication)) {
    SetMenuItemState(menu, ID_ENCRYPTION_NONE, false);
    SetMenuItemState(menu, ID_ENCRYPTION_WEP, false);
    SetMenuItemState(menu, ID_ENCRYPTION_TKIP, m_bInfrastructure);
    SetMenuItemState(menu, ID_ENCRYPTION_AES, true);
    return 0;
  }
  if (m_nAuthentication != kAuthLeap) SetMenuItemState(menu, ID_ENCRYPTION_NONE, m_nAuthentication == kAuthOpen);
  SetMenuItemState(menu, ID_ENCRYPTION_WEP, true);
  SetMenuItemState(menu, ID_ENCRYPTION_TKIP, false);
  SetMenuItemState(menu, ID_ENCRYPTION_AES, false);
  return 0;
}

void CPageAuthEncryDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  ApplyLeapMode();
  if (auto* editor = CProfileEditorDlg::FromPage(this)) {
    if (CPageSystemConfigDlg* system = editor->GetSystemConfigPage()) m_bInfrastructure = system->m_nNetworkType == 1;
    if (!m_bInfrastructure) Set8021XCheck(FALSE, FALSE);
  }
  if (m_bInfrastructure) {
    if (IsWpaFamily(m_nAuthentication)) {
      ShowControl(IDC_AE_USE_8021X, FALSE);
    } else if (m_nEncryption == kEncryptionNone) {
      ShowControl(IDC_AE_USE_8021X, m_nAuthentication == kAuthOpen);
    }
  } else if (m_nAuthentication != kAuthOpen && m_nAuthentication != kAuthWpa2Psk) {
    OnAuthCommand(ID_AUTH_OPEN);
  }
  ApplyShowPassword();
}

BOOL CPageAuthEncryDlg::FailKey(CSmartEdit& edit, const CString& message) {
  edit.SetFocus();
  edit.GetInfoWnd().ShowInfo(&edit, message);
  return FALSE;
}

BOOL CPageAuthEncryDlg::ValidateKeys() {
  UpdateData(TRUE);
  const int auth = m_nAuthentication;
  if (!m_bUse8021X) {
    const bool psk = auth == kAuthWpaPsk || auth == kAuthWpa2Psk;
    if (m_nHostKind == 1 && psk) {
      EnableWepControls(FALSE);
      PressOwnTab();
    } else if (m_nHostKind == 1 && m_nEncryption == kEncryptionWep) {
      EnableWepControls(TRUE);
      PressOwnTab();
    } else if (m_nHostKind != 1) {
      EnableWepControls(!psk);
    }
  }
  if (IsPskKind(auth)) {
    const int length = m_strWpaPsk.GetLength();
    if (length < kMinPskLength)
      return FailKey(m_editPsk, "Invalid WPA Pre-Shared key. WPA-PSK used field should use more than 8 characters.");
    if (length == kHexPskLength && !IsHexText(m_strWpaPsk))
      return FailKey(m_editPsk, "Invalid WPA Pre-Shared key. WPA-PSK use field should be 64 hex digits.");
    // A longer text would be cut to 64 characters and taken as hexadecimal.
    if (length > kHexPskLength)
      return FailKey(m_editPsk, "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8 to 63 characters.");
    return TRUE;
  }
  const bool checkWep = auth == kAuthShared || (auth == kAuthOpen && m_nEncryption == kEncryptionWep && !m_bUse8021X);
  if (!checkWep || m_nTransmitKey < 0 || m_nTransmitKey >= kKeyCount) return TRUE;
  const int key = m_nTransmitKey;
  const int length = m_strWepKey[key].GetLength();
  CString message;
  if (m_nKeyFormat[key] == kKeyHex) {
    if (length == 10 || length == 26) return TRUE;
    message.Format("Invalid WEP Key %d length. WEP Key should be 10 or 26 hex digits", key + 1);
  } else {
    if (length == 5 || length == 13) return TRUE;
    message.Format("Invalid WEP Key %d length. WEP Key should be 5 or 13 ascii characters", key + 1);
  }
  m_editKey[key].LimitText(m_nKeyFormat[key] == kKeyHex ? kHexKeyLimit : kAsciiKeyLimit);
  return FailKey(m_editKey[key], message);
}

BOOL CPageAuthEncryDlg::RunBridgeCommand(UINT code, const CString& value) {
  const int number = std::atoi(value);
  switch (code) {
    case BRIDGE_CMD_EDITOR_SECURITY_FIELD:  // 23: authentication menu, indexes 0..6
      if (number >= 0 && number < kAuthWpaNone) SendMessage(WM_COMMAND, kAuthCommands[number], 0);
      return TRUE;
    case 24:
      m_check8021X.SendMessage(BM_CLICK);
      m_bUse8021X = TRUE;
      break;
    case 25: {
      const int index = static_cast<int>(static_cast<unsigned>(number) >> 16);
      if (index != m_nEncryption && EncryptionCommand(index)) SendMessage(WM_COMMAND, EncryptionCommand(index), 0);
      return TRUE;
    }
    case 26:
      m_nTransmitKey = number;
      break;
    case 27:
    case 28:
    case 29:
    case 30:
      SendMessage(WM_COMMAND, ID_KEY1_HEX + 2 * (code - 27) + (number != 0 ? 1 : 0), 0);
      return TRUE;
    case 31:
    case 32:
    case 33:
    case 34:
      m_strWepKey[code - 31] = value;
      break;
    case 35:
      m_strLeapIdentity = value;
      break;
    case 36:
      m_strLeapPassword = value;
      break;
    case 37:
      m_strLeapDomain = value;
      break;
    case 38:
      m_nLeapEncryption = number;
      break;
    case 39:
      m_strWpaPsk = value;
      break;
    default:
      return FALSE;
  }
  UpdateData(FALSE);
  return TRUE;
}

void CPageAuthEncryDlg::OnPaint() { PaintPageTopLine(this); }

void CPageAuthEncryDlg::OnDestroy() {
  CDialog::OnDestroy();
  for (CButtonST* button : {&m_btnAuth, &m_btnEncryption, &m_btnKeyFormat[0], &m_btnKeyFormat[1], &m_btnKeyFormat[2],
                            &m_btnKeyFormat[3]}) {
    if (button->GetSafeHwnd()) button->DestroyWindow();
  }
}

int CPageAuthEncryDlg::KeyBytes(int key, BYTE* out, int size) const {
  std::memset(out, 0, static_cast<size_t>(size));
  if (key < 0 || key >= kKeyCount || size <= 1) return 0;
  const CString& text = m_strWepKey[key];
  if (m_nKeyFormat[key] == kKeyHex) {
    const int length = std::min(text.GetLength() / 2, size - 1);
    HexStringToBytes(text, out, length);
    return length;
  }
  const int length = std::min(text.GetLength(), size - 1);
  std::memcpy(out, static_cast<LPCSTR>(text), static_cast<size_t>(length));
  return length;
}
