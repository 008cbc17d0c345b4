#include "station/status/PageWPSProfile.h"

#include <algorithm>
#include <cstring>

#include "frontend/UiBridge.h"
#include "platform/lingwell/Lingwell.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "station/status/PageWPSDlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

namespace credential = wavorel::wire::wps::credential;
namespace table = wavorel::wire::wps::table;
using wavorel::wire::getU32;
using wavorel::wire::putU32;

constexpr UINT kCheckIconOn = 209;
constexpr UINT kCheckIconOff = 207;
constexpr COLORREF kCheckHoverText = 0xFF0000;
constexpr UINT kSsidLimit = 32;
constexpr UINT kPskLimit = 64;
constexpr int kMinPskLength = 8;
constexpr DWORD kKeyIndexMask = 0x7FFFFFFF;
constexpr DWORD kAuthBothPsk = 34;
constexpr DWORD kEncryptionTkipAes = 12;
// The key lengths of the key length combo.
constexpr UINT kWepLimits[] = {5, 10, 13, 26};

struct KeyRule {
  UINT limit;
  int exact;  // 1: exactly `limit` characters, 0: at least kMinPskLength
  const char* message;
};
constexpr KeyRule kKeyRules[] = {
    {5, 1, "Invalid WEP Key length. WEP Key should be 5 ascii characters"},
    {10, 1, "Invalid WEP Key length. WEP Key should be 10 hex digits"},
    {13, 1, "Invalid WEP Key length. WEP Key should be 13 ascii characters"},
    {26, 1, "Invalid WEP Key length. WEP Key should be 26 hex digits"},
    {64, 0, "Invalid WPA Pre-Shared key. WPA-PSK use field should be 64 hex digits."},
};

bool IsHexText(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (HexDigitValue(text[i]) == 255) return false;
  return true;
}

WORD MaskOfLimit(UINT limit) { return limit == 10 || limit == 26 ? CSmartEdit::kHexDigits : CSmartEdit::kAll; }

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

}  // namespace

LPCSTR WpsAuthText(DWORD type) {
  switch (type) {
    case 1: return "OPEN";
    case 2: return "WPA-PSK";
    case 4: return "SHARED";
    case 8: return "WPA";
    case 16: return "WPA2";
    case 32: return "WPA2-PSK";
    case 34: return "WPA-PSK;WPA2-PSK";
    default: return "";
  }
}

LPCSTR WpsEncryptionText(DWORD type) {
  switch (type) {
    case 1: return "NONE";
    case 2: return "WEP";
    case 4: return "TKIP";
    case 8: return "AES";
    case 12: return "TKIP;AES";
    default: return "";
  }
}

BEGIN_MESSAGE_MAP(CPageWPSProfile, CDialog)
  ON_WM_SHOWWINDOW()
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_WPSP_SHOW_PASSWORD, &CPageWPSProfile::OnBnClickedShowPassword)
  ON_BN_CLICKED(IDC_WPSP_ASCII, &CPageWPSProfile::OnBnClickedAsciiFormat)
  ON_BN_CLICKED(IDC_WPSP_OK, &CPageWPSProfile::OnBnClickedOk)
  ON_BN_CLICKED(IDC_WPSP_CANCEL, &CPageWPSProfile::OnBnClickedCancel)
  ON_CBN_SELCHANGE(IDC_WPSP_AUTH_COMBO, &CPageWPSProfile::OnSelchangeAuthType)
  ON_CBN_SELCHANGE(IDC_WPSP_ENCRY_COMBO, &CPageWPSProfile::OnSelchangeEncryType)
  ON_CBN_SELCHANGE(IDC_WPSP_KEY_LENGTH_COMBO, &CPageWPSProfile::OnSelchangeKeyLength)
END_MESSAGE_MAP()

CPageWPSProfile::CPageWPSProfile(CWnd* pParent) : CDialog(IDD_WPS_PROFILE, pParent) {}

CPageWPSProfile::~CPageWPSProfile() = default;

void CPageWPSProfile::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_WPSP_SSID, m_editSsid);
  DDX_Control(pDX, IDC_WPSP_KEY, m_editKey);
  DDX_Control(pDX, IDC_WPSP_AUTH_COMBO, m_comboAuth);
  DDX_Control(pDX, IDC_WPSP_ENCRY_COMBO, m_comboEncryption);
  DDX_Control(pDX, IDC_WPSP_KEY_LENGTH_COMBO, m_comboKeyLength);
  DDX_Control(pDX, IDC_WPSP_KEY_INDEX_COMBO, m_comboKeyIndex);
  DDX_Control(pDX, IDC_WPSP_SHOW_PASSWORD, m_checkShowPassword);
  DDX_Control(pDX, IDC_WPSP_ASCII, m_checkAscii);
  DDX_Control(pDX, IDC_WPSP_OK, m_btnOk);
  DDX_Control(pDX, IDC_WPSP_CANCEL, m_btnCancel);
  DDX_Check(pDX, IDC_WPSP_SHOW_PASSWORD, m_bShowPassword);
  DDX_Check(pDX, IDC_WPSP_ASCII, m_bAsciiFormat);
  DDX_Text(pDX, IDC_WPSP_KEY_INDEX_TEXT, m_strKeyIndex);
  DDX_Text(pDX, IDC_WPSP_KEY, m_strKeyMaterial);
  DDX_Text(pDX, IDC_WPSP_KEY_LENGTH_TEXT, m_strKeyLength);
  DDX_Text(pDX, IDC_WPSP_AUTH_TEXT, m_strAuthentication);
  DDX_Text(pDX, IDC_WPSP_ENCRY_TEXT, m_strEncryption);
  DDX_Text(pDX, IDC_WPSP_SSID, m_strSsid);
  DDX_Text(pDX, IDC_WPSP_BSSID, m_strBssid);
}

BOOL CPageWPSProfile::OnInitDialog() {
  CDialog::OnInitDialog();
  const std::pair<int, UINT> labels[] = {
      {IDC_WPSP_SSID_LABEL, IDS_WPSP_SSID},          {IDC_WPSP_BSSID_LABEL, IDS_WPSP_BSSID},
      {IDC_WPSP_AUTH_LABEL, IDS_WPSP_AUTHENTICATION}, {IDC_WPSP_ENCRY_LABEL, IDS_WPSP_ENCRYPTION},
      {IDC_WPSP_KEY_LENGTH_LABEL, IDS_WPSP_KEY_LENGTH}, {IDC_WPSP_KEY_INDEX_LABEL, IDS_WPSP_KEY_INDEX},
      {IDC_WPSP_KEY_LABEL, IDS_WPSP_KEY_MATERIAL},   {IDC_WPSP_SHOW_PASSWORD_LABEL, IDS_WPSP_SHOW_PASSWORD},
      {IDC_WPSP_ASCII_LABEL, IDS_WPSP_ASCII},        {IDC_WPSP_OK, IDS_WPSP_OK},
      {IDC_WPSP_CANCEL, IDS_WPSP_CANCEL}};
  for (const auto& [id, stringId] : labels)
    if (CWnd* control = GetDlgItem(id)) ShowControlText(this, control, stringId);
  for (CComboBoxSuper* combo : {&m_comboAuth, &m_comboEncryption, &m_comboKeyLength, &m_comboKeyIndex})
    combo->SetColumnCount(1);
  for (CButtonST* check : {&m_checkShowPassword, &m_checkAscii}) {
    check->LoadIconPair(kCheckIconOn, kCheckIconOff);
    check->SetFlatBorder(FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kCheckHoverText, FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0, FALSE);
  }
  m_checkAscii.ShowWindow(SW_HIDE);
  if (CWnd* label = GetDlgItem(IDC_WPSP_ASCII_LABEL)) label->ShowWindow(SW_HIDE);
  for (CShadeButtonST* button : {&m_btnOk, &m_btnCancel}) button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  m_comboAuth.AddString(LoadText(IDS_WPSP_OPEN));
  m_comboAuth.AddString("WPA-PSK");
  m_comboAuth.AddString("WPA2-PSK");
  for (UINT limit : kWepLimits) {
    CString text;
    text.Format("%u", limit);
    m_comboKeyLength.AddString(text);
  }
  for (int i = 1; i <= 4; ++i) {
    CString text;
    text.Format("%d", i);
    m_comboKeyIndex.AddString(text);
  }
  return TRUE;
}

LRESULT CPageWPSProfile::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the hidden dialog.
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) return 1;
  return CDialog::WindowProc(message, wParam, lParam);
}

void CPageWPSProfile::OnPaint() { PaintPageTopLine(this); }

void CPageWPSProfile::ShowCredential(const WpsCredentialFields& c) {
  m_bEditableKey = 0;
  m_strSsid = CString(reinterpret_cast<const char*>(c.Ssid), static_cast<int>(c.SsidLength));
  const BYTE* mac = c.MacAddress;
  m_strBssid.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  m_strAuthentication = WpsAuthText(c.AuthType);
  m_strEncryption = WpsEncryptionText(c.EncrType);
  m_strHexKey.Empty();
  m_strAsciiKey.Empty();
  m_bAsciiFormat = 0;
  if (c.AuthType == credential::kAuthOpen && c.EncrType == credential::kEncryptionNone) {
    m_nKeyLength = 0;
    m_strKeyLength.Empty();
    m_strKeyIndex.Empty();
    m_strKeyMaterial.Empty();
    return;
  }
  const int length = static_cast<int>(std::min<DWORD>(c.KeyLength, kWscKeyMax));
  const CString key(reinterpret_cast<const char*>(c.Key), length);
  m_nKeyLength = length;
  m_strKeyIndex.Format("Key#%u", (c.KeyIndex & kKeyIndexMask) + 1);
  m_strKeyMaterial = key;
  if (c.EncrType == credential::kEncryptionWep && (length == 10 || length == 26)) {
    BYTE bytes[13] = {};
    ConvHexTextToBytes(key, bytes, length / 2);
    m_strHexKey = key;
    m_strAsciiKey = CString(reinterpret_cast<const char*>(bytes), length / 2);
  } else if (c.EncrType == credential::kEncryptionWep && (length == 5 || length == 13)) {
    m_nKeyLength = length * 2;
    m_strAsciiKey = key;
    for (int i = 0; i < length; ++i) {
      CString pair;
      pair.Format("%02x", static_cast<unsigned>(static_cast<BYTE>(c.Key[i])));
      m_strHexKey += pair;
    }
  }
  if (c.EncrType == credential::kEncryptionWep) {
    m_strKeyMaterial = m_strHexKey.IsEmpty() ? key : m_strHexKey;
    m_bAsciiFormat = 1;
  }
  m_strKeyLength.Format("%d", m_nKeyLength);
}

void CPageWPSProfile::ApplyLayout() {
  const BOOL editable = g_nWpsConfigMode == kWpsRegistrar && WpsCredentialCount() > 0;
  m_editSsid.SetReadOnly(!editable);
  m_editKey.SetReadOnly(!editable);
  for (int id : {IDC_WPSP_AUTH_TEXT, IDC_WPSP_ENCRY_TEXT, IDC_WPSP_KEY_LENGTH_TEXT, IDC_WPSP_KEY_INDEX_TEXT})
    if (CWnd* text = GetDlgItem(id)) text->ShowWindow(editable ? SW_HIDE : SW_SHOW);
  for (CComboBoxSuper* combo : {&m_comboAuth, &m_comboEncryption, &m_comboKeyLength, &m_comboKeyIndex})
    combo->ShowWindow(editable ? SW_SHOW : SW_HIDE);
}

void CPageWPSProfile::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  UpdateData(FALSE);
  if (!bShow) return;
  ApplyLayout();
  m_editSsid.SetLimitText(kSsidLimit);
  m_editSsid.SetCharClassMask(CSmartEdit::kAll);
  m_editKey.SetLimitText(kPskLimit);
  CWnd* asciiLabel = GetDlgItem(IDC_WPSP_ASCII_LABEL);
  if (g_nWpsConfigMode == kWpsRegistrar) {
    m_checkAscii.ShowWindow(SW_HIDE);
    if (asciiLabel) asciiLabel->ShowWindow(SW_HIDE);
    LoadCredentialRecord();
  } else if (m_bEditableKey) {
    m_checkAscii.ShowWindow(SW_SHOW);
    if (asciiLabel) asciiLabel->ShowWindow(SW_SHOW);
  }
}

void CPageWPSProfile::OnBnClickedShowPassword() {
  UpdateData(TRUE);
  m_editKey.SetPasswordChar(m_bShowPassword ? 0 : '*');
  Invalidate();
}

void CPageWPSProfile::OnBnClickedAsciiFormat() {
  UpdateData(TRUE);
  if (m_bAsciiFormat) {
    m_strKeyMaterial = m_strAsciiKey;
    m_strKeyLength.Format("%d", m_nKeyLength / 2);
  } else {
    m_strKeyMaterial = m_strHexKey;
    m_strKeyLength.Format("%d", m_nKeyLength);
  }
  UpdateData(FALSE);
}

void CPageWPSProfile::SetKeyLimit(UINT limit, WORD mask) {
  m_editKey.SetCharClassMask(mask);
  m_editKey.SetLimitText(limit);
}

void CPageWPSProfile::EnableKeyCombos(BOOL enable) {
  m_comboKeyLength.EnableWindow(enable);
  m_comboKeyIndex.EnableWindow(enable);
}

void CPageWPSProfile::OnSelchangeKeyLength() {
  const int index = m_comboKeyLength.GetCurSel();
  if (index < 0 || index >= static_cast<int>(std::size(kWepLimits))) return;
  const UINT limit = kWepLimits[index];
  if (m_editKey.GetLimitText() != limit) {
    m_strKeyMaterial.Empty();
    m_editKey.SetWindowText("");
  }
  SetKeyLimit(limit, MaskOfLimit(limit));
}

void CPageWPSProfile::RefillEncryption() {
  m_comboEncryption.ResetContent();
  if (m_nSecurityClass == kClassOpen) {
    m_comboEncryption.AddString("NONE");
    m_comboEncryption.AddString("WEP");
  } else {
    m_comboEncryption.AddString("TKIP");
    m_comboEncryption.AddString("AES");
  }
}

void CPageWPSProfile::LoadCredentialRecord() {
  if (WpsCredentialCount() == 0) return;
  const WpsCredentialFields c = WpsCredentialAt(0);
  if (c.AuthType == credential::kAuthOpen) {
    m_comboAuth.SetCurSel(kAuthOpen);
    m_nSecurityClass = kClassOpen;
  } else if (c.AuthType == credential::kAuthWpaPsk || c.AuthType == kAuthBothPsk) {
    m_comboAuth.SetCurSel(kAuthWpaPsk);
    m_nSecurityClass = kClassPsk;
  } else if (c.AuthType == credential::kAuthWpa2Psk) {
    m_comboAuth.SetCurSel(kAuthWpa2Psk);
    m_nSecurityClass = kClassPsk;
  }
  RefillEncryption();
  const bool first = c.EncrType == credential::kEncryptionNone || c.EncrType == credential::kEncryptionTkip ||
                     c.EncrType == kEncryptionTkipAes;
  m_comboEncryption.SetCurSel(first ? 0 : 1);
  m_editKey.SetReadOnly(FALSE);
  if (c.EncrType == credential::kEncryptionWep) {
    int index = 0;
    for (int i = 1; i < static_cast<int>(std::size(kWepLimits)); ++i)
      if (c.KeyLength == kWepLimits[i]) index = i;
    SetKeyLimit(kWepLimits[index], MaskOfLimit(kWepLimits[index]));
    m_comboKeyLength.SetCurSel(index);
    EnableKeyCombos(TRUE);
    SetComboCurSelSafe(&m_comboKeyIndex, static_cast<int>(c.KeyIndex & kKeyIndexMask));
  } else {
    EnableKeyCombos(FALSE);
    m_comboKeyLength.SetCurSel(0);
    m_comboKeyIndex.SetCurSel(0);
    if (c.EncrType == credential::kEncryptionTkip || c.EncrType == credential::kEncryptionAes ||
        c.EncrType == kEncryptionTkipAes)
      SetKeyLimit(kPskLimit, CSmartEdit::kAll);
    if (c.AuthType == credential::kAuthOpen && c.EncrType == credential::kEncryptionNone) m_editKey.SetReadOnly(TRUE);
  }
  m_strKeyMaterial = CString(reinterpret_cast<const char*>(c.Key), static_cast<int>(c.KeyLength));
  UpdateData(FALSE);
}

void CPageWPSProfile::OnSelchangeAuthType() {
  UpdateData(TRUE);
  const int choice = m_comboAuth.GetCurSel();
  const int securityClass = choice == kAuthOpen ? kClassOpen : kClassPsk;
  if (securityClass != m_nSecurityClass) {
    m_nSecurityClass = securityClass;
    RefillEncryption();
    m_comboEncryption.SetCurSel(0);
  }
  OnSelchangeEncryType();
}

void CPageWPSProfile::OnSelchangeEncryType() {
  UpdateData(TRUE);
  const int auth = m_comboAuth.GetCurSel();
  const int encryption = m_comboEncryption.GetCurSel();
  if (auth == kAuthOpen && encryption == 0) {
    m_strKeyMaterial.Empty();
    m_editKey.SetReadOnly(TRUE);
    EnableKeyCombos(FALSE);
  } else if (auth == kAuthOpen) {
    m_editKey.SetReadOnly(FALSE);
    EnableKeyCombos(TRUE);
    UpdateData(FALSE);
    OnSelchangeKeyLength();
    UpdateData(TRUE);
  } else if (auth == kAuthWpaPsk || auth == kAuthWpa2Psk) {
    m_editKey.SetReadOnly(FALSE);
    if (m_editKey.GetLimitText() != kPskLimit) m_strKeyMaterial.Empty();
    EnableKeyCombos(FALSE);
    SetKeyLimit(kPskLimit, CSmartEdit::kAll);
  }
  UpdateData(FALSE);
}

BOOL CPageWPSProfile::CheckKey() {
  if (m_editKey.GetStyle() & ES_READONLY) return TRUE;
  CString key;
  m_editKey.GetWindowText(key);
  const UINT limit = m_editKey.GetLimitText();
  for (const KeyRule& rule : kKeyRules) {
    if (rule.limit != limit) continue;
    const int length = key.GetLength();
    // A 64-character key is taken as hexadecimal, so it must be hexadecimal.
    const bool bad = rule.exact ? length != static_cast<int>(limit)
                                : length < kMinPskLength || (length == static_cast<int>(kPskLimit) && !IsHexText(key));
    if (!bad) return TRUE;
    m_editKey.SetFocus();
    m_editKey.GetInfoWnd().ShowInfo(&m_editKey, rule.message);
    return FALSE;
  }
  return TRUE;
}

void CPageWPSProfile::ShowHostDialog(int index) {
  if (g_pHideDlg) g_pHideDlg->ShowPage(index);
}

void CPageWPSProfile::OnBnClickedCancel() { ShowHostDialog(kHostDlgLinkStatus); }

void CPageWPSProfile::OnBnClickedOk() {
  UpdateData(TRUE);
  if (g_nWpsConfigMode != kWpsRegistrar) {
    ShowHostDialog(kHostDlgLinkStatus);
    return;
  }
  if (!CheckKey()) return;
  if (m_comboAuth.GetCurSel() == kAuthOpen && m_comboEncryption.GetCurSel() == 0 &&
      NotifyUIAlert("Your configuration is not secure", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
    return;
  StoreRecord();
  ShowHostDialog(kHostDlgLinkStatus);
}

void CPageWPSProfile::StoreRecord() {
  BYTE* r = g_wscCredentialTable.data() + table::recordAt(0);
  const int ssidLength = std::min(m_strSsid.GetLength(), static_cast<int>(credential::kSsidSize));
  putU32(r + credential::kSsidLength, static_cast<DWORD>(ssidLength));
  std::memset(r + credential::kSsid, 0, credential::kSsidSize);
  std::memcpy(r + credential::kSsid, static_cast<LPCSTR>(m_strSsid), static_cast<size_t>(ssidLength));
  std::memset(r + credential::kKey, 0, credential::kKeySize);
  const int keyLength = std::min(m_strKeyMaterial.GetLength(), static_cast<int>(credential::kKeySize));
  const auto putKey = [&](DWORD length) {
    putU32(r + credential::kKeyLength, length);
    std::memcpy(r + credential::kKey, static_cast<LPCSTR>(m_strKeyMaterial), std::min<size_t>(length, keyLength));
  };
  const int auth = m_comboAuth.GetCurSel();
  const int encryption = m_comboEncryption.GetCurSel();
  if (auth == kAuthOpen) {
    putU32(r + credential::kAuthType, credential::kAuthOpen);
    if (encryption == 0) {
      putU32(r + credential::kEncryptionType, credential::kEncryptionNone);
      putU32(r + credential::kKeyLength, 0);
    } else {
      putU32(r + credential::kEncryptionType, credential::kEncryptionWep);
      const int lengthChoice = std::clamp(m_comboKeyLength.GetCurSel(), 0, 3);
      putU32(r + credential::kKeyIndex, static_cast<DWORD>(std::max(m_comboKeyIndex.GetCurSel(), 0)));
      putKey(kWepLimits[lengthChoice]);
    }
  } else {
    putU32(r + credential::kAuthType, auth == kAuthWpaPsk ? credential::kAuthWpaPsk : credential::kAuthWpa2Psk);
    putU32(r + credential::kEncryptionType, encryption == 0 ? credential::kEncryptionTkip : credential::kEncryptionAes);
    putU32(r + credential::kKeyIndex, 0);
    putKey(static_cast<DWORD>(keyLength));
  }
  g_nWpsCurrentIndex = 0;
  g_nWpsNextIndex = 0;
  CStationHost* host = GetStationHost();
  auto* page = dynamic_cast<CPageWPSDlg*>(host ? host->GetTabPage(kHostTabWps) : nullptr);
  if (page && IsWindow(page->GetSafeHwnd())) {
    page->ClearApList();
    SaveWscFlag();
    SaveWpsProfiles(0);
    page->LoadProfileList();
  }
}
