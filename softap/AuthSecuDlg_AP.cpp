#include "softap/AuthSecuDlg_AP.h"

#include "platform/mfc/ControlRef.h"
#include <cctype>

#include "frontend/UiBridge.h"
#include "softap/ApModule.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr int kRadioIds[4] = {IDC_APSEC_KEY1, IDC_APSEC_KEY2, IDC_APSEC_KEY3, IDC_APSEC_KEY4};
constexpr int kTypeIds[4] = {IDC_APSEC_KEY1_TYPE, IDC_APSEC_KEY2_TYPE, IDC_APSEC_KEY3_TYPE, IDC_APSEC_KEY4_TYPE};
constexpr int kHexIds[4] = {IDC_APSEC_KEY1_HEX, IDC_APSEC_KEY2_HEX, IDC_APSEC_KEY3_HEX, IDC_APSEC_KEY4_HEX};
constexpr int kAsciiIds[4] = {IDC_APSEC_KEY1_ASCII, IDC_APSEC_KEY2_ASCII, IDC_APSEC_KEY3_ASCII,
                              IDC_APSEC_KEY4_ASCII};
constexpr int kRadiusIds[3] = {IDC_APSEC_RADIUS_SERVER, IDC_APSEC_RADIUS_PORT, IDC_APSEC_RADIUS_KEY};
constexpr int kPskDigits = 64;
constexpr int kMinPassphrase = 8;
constexpr int kKeyTypeHex = 0;
constexpr int kKeyTypeAscii = 1;
constexpr int kOffScreen = -9999;
constexpr WORD kHexDigitsMask = 0x40;

bool isHexText(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

// The front end's mirror of one enable state.
void notifyEnable(UINT code, BOOL enable) { NotifyUIInt(code, enable ? 1 : 0, TRUE); }

}  // namespace

BEGIN_MESSAGE_MAP(CAuthSecuDlg_AP, CDialog)
  ON_CBN_SELCHANGE(IDC_APSEC_AUTH, &CAuthSecuDlg_AP::OnAuthChange)
  ON_CBN_SELCHANGE(IDC_APSEC_ENCRYPTION, &CAuthSecuDlg_AP::OnEncryptionChange)
  ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_APSEC_KEY1_TYPE, IDC_APSEC_KEY4_TYPE, &CAuthSecuDlg_AP::OnKeyTypeChange)
  ON_BN_CLICKED(IDC_APSEC_REKEY_METHOD, &CAuthSecuDlg_AP::OnRekeyMethod)
  ON_BN_CLICKED(IDC_APSEC_KEY1, &CAuthSecuDlg_AP::OnKeyRadio)
  ON_BN_CLICKED(IDC_APSEC_KEY2, &CAuthSecuDlg_AP::OnKeyRadio)
  ON_BN_CLICKED(IDC_APSEC_KEY3, &CAuthSecuDlg_AP::OnKeyRadio)
  ON_BN_CLICKED(IDC_APSEC_KEY4, &CAuthSecuDlg_AP::OnKeyRadio)
  ON_BN_CLICKED(IDC_APSEC_SHOW_PASSWORD, &CAuthSecuDlg_AP::OnShowPassword)
  ON_MESSAGE(WM_HELP, &CAuthSecuDlg_AP::OnHelp)
  ON_MESSAGE(WM_WINDOWPOSCHANGING, &CAuthSecuDlg_AP::OnWindowPosChanging)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CAuthSecuDlg_AP::CAuthSecuDlg_AP(CWnd* pParent) : CDialog(kTemplate, pParent) {}

void CAuthSecuDlg_AP::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_APSEC_PSK, m_strPsk);
  DDX_Text(pDX, IDC_APSEC_REKEY_INTERVAL, m_nRekeyInterval);
  DDX_Text(pDX, IDC_APSEC_RADIUS_PORT, m_nRadiusPort);
  DDX_Text(pDX, IDC_APSEC_RADIUS_KEY, m_strRadiusKey);
  DDX_Radio(pDX, IDC_APSEC_KEY1, m_nDefaultKey);
  for (int n = 0; n < 4; ++n) {
    DDX_Control(pDX, kHexIds[n], m_editHex[n]);
    DDX_Control(pDX, kAsciiIds[n], m_editAscii[n]);
    DDX_CBIndex(pDX, kTypeIds[n], m_nKeyType[n]);
    DDX_Text(pDX, kHexIds[n], m_strHexKey[n]);
    DDX_Text(pDX, kAsciiIds[n], m_strAsciiKey[n]);
  }
  DDX_Text(pDX, IDC_APSEC_AUTH_LABEL, m_strAuthLabel);
  DDX_Text(pDX, IDC_APSEC_ENCRYPTION_LABEL, m_strEncLabel);
  DDX_Text(pDX, IDC_APSEC_PSK_LABEL, m_strPskLabel);
  DDX_Text(pDX, IDC_APSEC_REKEY_LABEL, m_strRekeyLabel);
}

// ---- Key texts ----

BOOL CAuthSecuDlg_AP::IsValidWepKey(int type, const CString& text) {
  const int length = text.GetLength();
  if (type == kKeyTypeHex) return (length == 10 || length == 26) && isHexText(text);
  if (type == kKeyTypeAscii) return length == 5 || length == 13;
  return FALSE;
}

BOOL CAuthSecuDlg_AP::IsValidPreSharedKey(const CString& text) {
  const int length = text.GetLength();
  if (length < kMinPassphrase || length > kPskDigits) return FALSE;
  return length < kPskDigits || isHexText(text);
}

CString CAuthSecuDlg_AP::AsciiToHex(const CString& text) {
  CString hex;
  for (int i = 0; i < text.GetLength(); ++i) hex += FormatString("%02x", static_cast<unsigned char>(text[i]));
  return hex;
}

BOOL CAuthSecuDlg_AP::HexToAscii(const CString& hex, CString& text) {
  const int length = hex.GetLength();
  if ((length != 10 && length != 26) || !isHexText(hex)) return FALSE;
  text.Empty();
  for (int i = 0; i < length; i += 2) {
    const char pair[3] = {hex[i], hex[i + 1], '\0'};
    text += static_cast<char>(std::strtoul(pair, nullptr, 16));
  }
  return TRUE;
}

// ---- Start ----

BOOL CAuthSecuDlg_AP::OnInitDialog() {
  CDialog::OnInitDialog();
  for (CSmartEdit_AP& edit : m_editHex) edit.SetCharClassMask(kHexDigitsMask);
  ModifyStyleEx(0, WS_EX_TOOLWINDOW);
  SetWindowPos(nullptr, kOffScreen, kOffScreen, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(SW_HIDE);
  m_strMsgPsk.LoadString(IDS_APSEC_MSG_PSK);
  m_strMsgWep.LoadString(IDS_APSEC_MSG_WEP);

  m_dwRadiusServer = m_data.RadiusServer;
  m_nAuthMode = static_cast<int>(m_data.AuthMode);
  m_nEncIndex = m_data.Encryption == 8 ? 2 : (m_data.Encryption == 0 || m_data.Encryption == 6) ? 1 : 0;
  for (int n = 0; n < 4; ++n) m_nKeyType[n] = static_cast<int>(m_data.KeyType[n]);
  m_nDefaultKey = static_cast<int>(m_data.DefaultKey);
  NotifyUIInt(BRIDGE_UI_AP_KEY_INDEX, m_nDefaultKey, TRUE);
  m_nRekeyMethod = static_cast<int>(m_data.RekeyMethod);
  SetRekeyCaption();
  m_nRekeyInterval = static_cast<int>(m_data.RekeyInterval);
  m_nRadiusPort = static_cast<int>(m_data.RadiusPort);
  m_strRadiusKey = m_data.RadiusKey;
  m_strPsk = m_data.PreSharedKey;
  NotifyUI(BRIDGE_UI_AP_WPA_PSK, m_strPsk, TRUE);
  for (int n = 0; n < 4; ++n) {
    if (m_nKeyType[n] == kKeyTypeHex) {
      m_strHexKey[n] = m_data.Key[n];
      NotifyUI(BRIDGE_UI_AP_WEP_KEY + static_cast<UINT>(n), m_strHexKey[n], TRUE);
    } else if (m_nKeyType[n] == kKeyTypeAscii) {
      if (m_data.Key[n].IsEmpty()) m_strAsciiKey[n].Empty();
      HexToAscii(m_data.Key[n], m_strAsciiKey[n]);
      NotifyUI(BRIDGE_UI_AP_WEP_KEY + static_cast<UINT>(n), m_strAsciiKey[n], TRUE);
    }
  }

  FillAuthList();
  static const UINT kKeyTexts[4] = {IDS_APSEC_KEY1, IDS_APSEC_KEY2, IDS_APSEC_KEY3, IDS_APSEC_KEY4};
  CString text;
  for (int n = 0; n < 4; ++n) {
    text.LoadString(kKeyTexts[n]);
    SetDlgItemText(kRadioIds[n], text);
  }
  static const UINT kControlTexts[][2] = {{IDC_APSEC_WEP_GROUP, IDS_APSEC_WEP_KEY},
                                          {IDC_APSEC_HINT, IDS_APSEC_HINT},
                                          {IDC_APSEC_SHOW_PASSWORD, IDS_APSEC_SHOW_PASSWORD},
                                          {IDOK, IDS_APSEC_OK},
                                          {IDCANCEL, IDS_APSEC_CANCEL}};
  for (const auto& pair : kControlTexts) {
    text.LoadString(pair[1]);
    SetDlgItemText(static_cast<int>(pair[0]), text);
  }
  m_strAuthLabel.LoadString(IDS_APSEC_AUTH_TYPE);
  m_strEncLabel.LoadString(IDS_APSEC_ENCRYPTION_TYPE);
  m_strPskLabel.LoadString(IDS_APSEC_PSK);
  m_strRekeyLabel.LoadString(IDS_APSEC_REKEY);
  CString hex, ascii;
  hex.LoadString(IDS_APSEC_HEX);
  ascii.LoadString(IDS_APSEC_ASCII);
  for (int id : kTypeIds) {
    ControlRef<CComboBox> listRef(this, id);
    CComboBox* list = listRef.get();
    list->ResetContent();
    list->AddString(hex);
    list->AddString(ascii);
  }
  text.LoadString(IDS_APSEC_TITLE);
  SetWindowText(text);
  SyncSelections(FALSE);
  OnAuthChange();
  return TRUE;
}

void CAuthSecuDlg_AP::SetRekeyCaption() {
  const char* caption = m_nRekeyMethod == 0 ? "10 seconds" : m_nRekeyMethod == 1 ? "Kpackets" : "";
  SetDlgItemText(IDC_APSEC_REKEY_METHOD, caption);
}

void CAuthSecuDlg_AP::FillAuthList() {
  ControlRef<CComboBox> listRef(this, IDC_APSEC_AUTH);
  CComboBox* list = listRef.get();
  list->ResetContent();
  NotifyUI(BRIDGE_UI_AP_AUTH_CLEAR, "", TRUE);
  for (const char* item : {"Open", "Shared", "WPA-PSK", "WPA2-PSK", "WPA-PSK/WPA2-PSK"}) {
    list->AddString(item);
    NotifyUI(BRIDGE_UI_AP_AUTH_ITEM, item, TRUE);
  }
}

void CAuthSecuDlg_AP::FillEncryptionList() {
  ControlRef<CComboBox> listRef(this, IDC_APSEC_ENCRYPTION);
  CComboBox* list = listRef.get();
  list->ResetContent();
  NotifyUI(BRIDGE_UI_AP_ENC_CLEAR, "", TRUE);
  std::vector<const char*> items;
  switch (m_nAuthMode) {
    case 0: case 1: case 2: items = {"Not Use", "WEP"}; break;
    case 6: case 7: case 8: items = {"TKIP", "AES", "BOTH"}; break;
    case 3: case 4: case 9: items = {"TKIP", "AES"}; break;
    default: break;
  }
  for (const char* item : items) {
    list->AddString(item);
    NotifyUI(BRIDGE_UI_AP_ENC_ITEM, item, TRUE);
  }
}

// ---- Selections ----

void CAuthSecuDlg_AP::SyncSelections(BOOL bSave) {
  UpdateData(bSave);
  ControlRef<CIPAddressCtrl> serverRef(this, IDC_APSEC_RADIUS_SERVER);
  CIPAddressCtrl* server = serverRef.get();
  ControlRef<CComboBox> authRef(this, IDC_APSEC_AUTH);
  CComboBox* auth = authRef.get();
  ControlRef<CComboBox> encRef(this, IDC_APSEC_ENCRYPTION);
  CComboBox* enc = encRef.get();
  if (bSave) {
    server->GetAddress(m_dwRadiusServer);
    const int index = auth->GetCurSel();
    if (index >= 0 && index < kAuthCount) m_nAuthMode = static_cast<int>(kAuthModes[index]);
    // An empty list (before its first fill) leaves the index as it is.
    if (enc->GetCurSel() >= 0) m_nEncIndex = enc->GetCurSel();
    return;
  }
  server->SetAddress(m_dwRadiusServer);
  int authIndex = 0;
  for (int i = 0; i < kAuthCount; ++i)
    if (kAuthModes[i] == static_cast<DWORD>(m_nAuthMode)) authIndex = i;
  if (enc->GetCount() > 0 && (m_nEncIndex < 0 || m_nEncIndex >= enc->GetCount())) m_nEncIndex = 0;
  auth->SetCurSel(authIndex);
  enc->SetCurSel(m_nEncIndex);
  NotifyUIInt(BRIDGE_UI_AP_AUTH_SELECT, authIndex, TRUE);
  NotifyUIInt(BRIDGE_UI_AP_ENC_SELECT, m_nEncIndex, TRUE);
}

void CAuthSecuDlg_AP::OnAuthChange() {
  SyncSelections(TRUE);
  FillEncryptionList();
  SyncSelections(FALSE);
  ApplyEnableRules();
}

void CAuthSecuDlg_AP::OnEncryptionChange() { ApplyEnableRules(); }

void CAuthSecuDlg_AP::OnKeyTypeChange(UINT nID) {
  for (int n = 0; n < 4; ++n)
    if (kTypeIds[n] == static_cast<int>(nID)) KeyTypeChanged(n + 1);
}

void CAuthSecuDlg_AP::EnableControl(int id, BOOL enable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CAuthSecuDlg_AP::ApplyEnableRules() {
  SyncSelections(TRUE);
  const int auth = m_nAuthMode;
  BOOL psk = FALSE, rekey = FALSE, radius = FALSE, wep = FALSE;
  if ((auth == 0 || auth == 2) && m_nEncIndex == 0) {
  } else if (auth == 0 || auth == 1 || auth == 2) {
    wep = TRUE;
  } else if (auth == 3 || auth == 6) {
    rekey = radius = TRUE;
  } else if (auth == 4 || auth == 7 || auth == 9) {
    psk = rekey = TRUE;
  } else {
    return;
  }
  EnableControl(IDC_APSEC_PSK, psk);
  notifyEnable(BRIDGE_UI_AP_PSK_ENABLE, psk);
  EnableControl(IDC_APSEC_REKEY_INTERVAL, rekey);
  EnableControl(IDC_APSEC_REKEY_METHOD, rekey);
  for (int id : kRadiusIds) EnableControl(id, radius);
  for (int n = 0; n < 4; ++n) {
    EnableControl(kHexIds[n], wep);
    EnableControl(kAsciiIds[n], wep);
    EnableControl(kTypeIds[n], wep);
    EnableControl(kRadioIds[n], wep);
  }
  EnableControl(IDC_APSEC_WEP_GROUP, wep);
  EnableControl(IDC_APSEC_HINT, wep);
  for (UINT code = BRIDGE_UI_AP_CONTROL_ENABLE; code <= BRIDGE_UI_AP_CONTROL_ENABLE_LAST; ++code)
    notifyEnable(code, wep);
  for (UINT code = BRIDGE_UI_AP_WEP_KEY_ENABLE; code <= BRIDGE_UI_AP_WEP_KEY_ENABLE_LAST; ++code)
    notifyEnable(code, wep);
  for (int n = 1; n <= 4; ++n) KeyTypeChanged(n);
}

void CAuthSecuDlg_AP::KeyTypeChanged(int key) {
  SyncSelections(TRUE);
  const int n = key - 1;
  const int type = m_nKeyType[n];
  if (type == kKeyTypeHex || type == kKeyTypeAscii) {
    GetDlgItem(kHexIds[n])->ShowWindow(type == kKeyTypeHex ? SW_SHOW : SW_HIDE);
    GetDlgItem(kAsciiIds[n])->ShowWindow(type == kKeyTypeAscii ? SW_SHOW : SW_HIDE);
  }
  CString hint;
  hint.LoadString(IDS_APSEC_HINT);
  SetDlgItemText(IDC_APSEC_HINT, hint);
  NotifyUIInt(BRIDGE_UI_AP_WEP_KEY_TYPE + static_cast<UINT>(n), type, TRUE);
}

void CAuthSecuDlg_AP::OnRekeyMethod() {
  m_nRekeyMethod = m_nRekeyMethod == 0 ? 1 : 0;
  SetRekeyCaption();
}

void CAuthSecuDlg_AP::OnKeyRadio() { SyncSelections(TRUE); }

void CAuthSecuDlg_AP::OnShowPassword() {
  const BOOL show = IsDlgButtonChecked(IDC_APSEC_SHOW_PASSWORD) == BST_CHECKED;
  std::vector<int> ids(std::begin(kHexIds), std::end(kHexIds));
  ids.insert(ids.end(), std::begin(kAsciiIds), std::end(kAsciiIds));
  ids.push_back(IDC_APSEC_PSK);
  for (int id : ids) {
    ControlRef<CEdit> editRef(this, id);
    CEdit* edit = editRef.get();
    const BOOL wasEnabled = edit->IsWindowEnabled();
    if (!wasEnabled) edit->EnableWindow(TRUE);
    edit->SetPasswordChar(show ? '\0' : '*');
    edit->Invalidate();
    if (!wasEnabled) edit->EnableWindow(FALSE);
  }
  for (int n = 0; n < 4; ++n)
    notifyEnable(BRIDGE_UI_AP_WEP_KEY_ENABLE + static_cast<UINT>(n), GetDlgItem(kHexIds[n])->IsWindowEnabled());
  notifyEnable(BRIDGE_UI_AP_PSK_ENABLE, GetDlgItem(IDC_APSEC_PSK)->IsWindowEnabled());
}

LRESULT CAuthSecuDlg_AP::OnHelp(WPARAM, LPARAM) { return TRUE; }

// The front end's security page is what the person sees and types into: the
// dialog, off the screen, is shown by its modal run without being activated,
// and so never takes the keyboard from the main window.
LRESULT CAuthSecuDlg_AP::OnWindowPosChanging(WPARAM, LPARAM lParam) {
  if (auto* position = reinterpret_cast<WINDOWPOS*>(lParam)) position->flags |= SWP_NOACTIVATE;
  return 0;
}

void CAuthSecuDlg_AP::OnDestroy() {
  // A window destroyed under the modal run ends it as a cancel.
  EndDialog(IDCANCEL);
  CDialog::OnDestroy();
}

// ---- OK ----

BOOL CAuthSecuDlg_AP::WepInUse() const {
  return m_nAuthMode == 1 || ((m_nAuthMode == 0 || m_nAuthMode == 2) && m_nEncIndex == 1);
}

BOOL CAuthSecuDlg_AP::Validate() {
  if (m_nAuthMode == 4 || m_nAuthMode == 7 || m_nAuthMode == 9) {
    if (!IsValidPreSharedKey(m_strPsk)) {
      NotifyUIAlert(m_strMsgPsk, MB_ICONEXCLAMATION);
      return FALSE;
    }
    return TRUE;
  }
  if (!WepInUse()) return TRUE;
  auto keyText = [this](int n) { return m_nKeyType[n] == kKeyTypeAscii ? m_strAsciiKey[n] : m_strHexKey[n]; };
  const int def = m_nDefaultKey;
  BOOL valid = TRUE;
  if (def >= 0 && def < 4 && (m_nKeyType[def] == kKeyTypeHex || m_nKeyType[def] == kKeyTypeAscii))
    valid = IsValidWepKey(m_nKeyType[def], keyText(def));
  for (int n = 0; n < 4 && valid; ++n)
    if (!keyText(n).IsEmpty() && (m_nKeyType[n] == kKeyTypeHex || m_nKeyType[n] == kKeyTypeAscii))
      valid = IsValidWepKey(m_nKeyType[n], keyText(n));
  if (!valid) NotifyUIAlert(m_strMsgWep, MB_ICONEXCLAMATION);
  return valid;
}

void CAuthSecuDlg_AP::OnOK() {
  SyncSelections(TRUE);
  if (!Validate()) return;
  m_data.RadiusServer = m_dwRadiusServer;
  m_data.AuthMode = static_cast<DWORD>(m_nAuthMode);
  if (m_nAuthMode == 0 || m_nAuthMode == 1)
    m_data.Encryption = m_nEncIndex == 1 ? 0 : 1;
  else
    m_data.Encryption = m_nEncIndex == 2 ? 8 : m_nEncIndex == 1 ? 6 : 4;
  m_data.DefaultKey = static_cast<DWORD>(m_nDefaultKey);
  for (int n = 0; n < 4; ++n) m_data.KeyType[n] = static_cast<DWORD>(m_nKeyType[n]);
  m_data.RadiusPort = static_cast<DWORD>(m_nRadiusPort);
  m_data.RekeyInterval = static_cast<DWORD>(m_nRekeyInterval);
  m_data.RekeyMethod = static_cast<DWORD>(m_nRekeyMethod);
  m_data.RadiusKey = m_strRadiusKey;
  m_data.PreSharedKey = m_strPsk;
  if (WepInUse()) {
    for (int n = 0; n < 4; ++n) {
      if (m_nKeyType[n] == kKeyTypeHex) {
        m_data.Key[n] = m_strHexKey[n];
      } else if (m_nKeyType[n] == kKeyTypeAscii) {
        const int length = m_strAsciiKey[n].GetLength();
        if (length == 0)
          m_data.Key[n].Empty();
        else if (length == 5 || length == 13)
          m_data.Key[n] = AsciiToHex(m_strAsciiKey[n]);
      }
    }
  }
  ApTrace(FormatString("Security OK: authentication %u, encryption %u", m_data.AuthMode, m_data.Encryption));
  EndDialog(IDOK);
}

// ---- The front end's commands ----

void CAuthSecuDlg_AP::SelectAuthType(int index) {
  if (SetComboCurSelSafe(ControlRef<CComboBox>(this, IDC_APSEC_AUTH).get(), index)) OnAuthChange();
}

void CAuthSecuDlg_AP::SelectEncryption(int index) {
  if (SetComboCurSelSafe(ControlRef<CComboBox>(this, IDC_APSEC_ENCRYPTION).get(), index)) ApplyEnableRules();
}

void CAuthSecuDlg_AP::SetPreSharedKey(const CString& text) {
  m_strPsk = text;
  SyncSelections(FALSE);
}

void CAuthSecuDlg_AP::SetDefaultKey(int index) {
  if (index < 0 || index > 3) return;
  m_nDefaultKey = index;
  SyncSelections(FALSE);
}

void CAuthSecuDlg_AP::SelectKeyType(int key, int index) {
  if (key < 1 || key > 4) return;
  if (SetComboCurSelSafe(ControlRef<CComboBox>(this, kTypeIds[key - 1]).get(), index)) KeyTypeChanged(key);
}

void CAuthSecuDlg_AP::SetKeyText(int key, const CString& text) {
  if (key < 1 || key > 4) return;
  m_strAsciiKey[key - 1] = text;
  m_strHexKey[key - 1] = text;
  SyncSelections(FALSE);
}

void CAuthSecuDlg_AP::PressOK() { SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
