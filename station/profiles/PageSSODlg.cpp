#include "station/profiles/PageSSODlg.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "station/profiles/PageProfileDlg.h"
#include "worker/CopyRegistryKeyValues.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

// The enable and password-source values travel in a buffer of this size.
constexpr DWORD kNumberBufferSize = 128;
constexpr DWORD kSubkeyNameSize = 256;
constexpr int kCheckIconOn = 209;
constexpr int kCheckIconOff = 207;
constexpr int kRadioIconOn = 212;
constexpr int kRadioIconOff = 210;
constexpr COLORREF kHoverText = 0xFF0000;

// The page's texts from the string table, by control.
constexpr std::pair<int, UINT> kLabelTexts[] = {
    {IDC_SSO_ENABLE_TEXT, 6320},   {IDC_SSO_WINLOGON_TEXT, 6321}, {IDC_SSO_PROFILE_TEXT, 6322},
    {IDC_SSO_PROMPT_TEXT, 6323},   {IDC_SSO_LIST_GROUP, 6324},    {IDC_SSO_SELECT_LABEL, 6325},
    {IDC_SSO_DETAILS_GROUP, 6326}, {IDC_SSO_NAME_LABEL, 6327},    {IDC_SSO_SSID_LABEL, 6328},
    {IDC_SSO_AUTH_LABEL, 6329}};
constexpr UINT IDS_SSO_APPLY = 6330;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

// An HKEY closed when it leaves its scope.
class OpenKey {
 public:
  OpenKey(HKEY root, LPCSTR path, REGSAM access) {
    if (RegOpenKeyEx(root, path, 0, access, &m_key) != ERROR_SUCCESS) m_key = nullptr;
  }
  ~OpenKey() {
    if (m_key) RegCloseKey(m_key);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  explicit operator bool() const { return m_key != nullptr; }
  HKEY get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

bool IsLeapOrFast(HKEY profile) {
  CString protocol, leap;
  return (CPageSSODlg::ReadText(profile, "AuthenProtocol", protocol) && protocol == "3") ||
         (CPageSSODlg::ReadText(profile, "LeapEnabled", leap) && leap == "1");
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageSSODlg, CDialog)
  ON_WM_PAINT()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CPageSSODlg::CPageSSODlg(CWnd* pParent) : CDialog(IDD_PAGE_SSO, pParent) {}

CPageSSODlg::~CPageSSODlg() = default;

void CPageSSODlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SSO_ENABLE, m_checkEnable);
  DDX_Control(pDX, IDC_SSO_WINLOGON_ID, m_radioSource[0]);
  DDX_Control(pDX, IDC_SSO_PROFILE_ID, m_radioSource[1]);
  DDX_Control(pDX, IDC_SSO_PROMPT_ID, m_radioSource[2]);
  DDX_Control(pDX, IDC_SSO_PROFILES, m_comboProfiles);
  DDX_Control(pDX, IDC_SSO_APPLY, m_btnApply);
  DDX_Text(pDX, IDC_SSO_NAME, m_strProfileName);
  DDX_Text(pDX, IDC_SSO_SSID, m_strSsid);
  DDX_Text(pDX, IDC_SSO_AUTH, m_strAuthentication);
  DDX_Check(pDX, IDC_SSO_ENABLE, m_bEnabled);
  DDX_Radio(pDX, IDC_SSO_WINLOGON_ID, m_nPasswordSource);
  // The chosen profile is the selected entry's text. (Bound as the combo's
  // string, showing an empty name would select the first entry.)
  if (pDX->m_bSaveAndValidate) {
    const int selected = m_comboProfiles.GetCurSel();
    m_strChosenProfile.Empty();
    if (selected >= 0) m_comboProfiles.GetLBText(selected, m_strChosenProfile);
  }
}

BOOL CPageSSODlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText("SSO");
  for (const auto& [control, stringId] : kLabelTexts)
    if (CWnd* label = GetDlgItem(control)) ShowControlText(this, label, stringId);
  m_checkEnable.LoadIconPair(kCheckIconOn, kCheckIconOff);
  m_checkEnable.SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kHoverText, FALSE);
  m_checkEnable.SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0, FALSE);
  for (CButtonST& radio : m_radioSource) radio.LoadIconPair(kRadioIconOn, kRadioIconOff);
  m_comboProfiles.SetItemHeight(-1, m_comboProfiles.GetItemHeight(0));
  m_btnApply.SetWindowText(LoadText(IDS_SSO_APPLY));
  m_btnApply.BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  m_strProfileName.Empty();
  m_strSsid.Empty();
  m_strAuthentication.Empty();
  UpdateData(FALSE);
  return TRUE;
}

BOOL CPageSSODlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  // A hidden page never closes on Enter or Escape.
  if (id == IDOK || id == IDCANCEL) return TRUE;
  const UINT code = HIWORD(wParam);
  if (code == CBN_SELCHANGE && id == IDC_SSO_PROFILES) {
    OnProfileChange();
    return TRUE;
  }
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_SSO_ENABLE:
        OnEnableChanged();
        return TRUE;
      case IDC_SSO_WINLOGON_ID:
      case IDC_SSO_PROFILE_ID:
      case IDC_SSO_PROMPT_ID:
        OnPasswordSource();
        return TRUE;
      case IDC_SSO_APPLY:
        OnApply();
        return TRUE;
      default:
        break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CPageSSODlg::OnPaint() { PaintPageTopLine(this); }

void CPageSSODlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  if (bShow) {
    m_comboProfiles.ResetContent();
    FillProfileCombo();
    LoadSsoState();
    ShowCurrentProfile();
  }
  CDialog::OnShowWindow(bShow, nStatus);
}

BOOL CPageSSODlg::ReadText(HKEY key, LPCSTR name, CString& out) {
  DWORD type = 0, size = 0;
  if (RegQueryValueEx(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) return FALSE;
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return FALSE;
  buffer[std::min<size_t>(size, buffer.size() - 1)] = '\0';
  out = buffer.data();
  return TRUE;
}

CString CPageSSODlg::ProfilesPath() { return g_strDriverKey + kSsoProfilesSubkey; }

LSTATUS CPageSSODlg::WriteNumber(HKEY key, LPCSTR name, int value) {
  char buffer[kNumberBufferSize] = {};
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer), sizeof buffer);
}

LSTATUS CPageSSODlg::WriteText(HKEY key, LPCSTR name, const CString& text) {
  return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(text)),
                       static_cast<DWORD>(text.GetLength()) + 1);
}

void CPageSSODlg::DeleteSubkeys(HKEY key) {
  // Names first: deleting while enumerating would skip keys.
  std::vector<CString> names;
  char name[kSubkeyNameSize];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyEx(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name);
  }
  for (const CString& subkey : names) SHDeleteKey(key, subkey);
}

void CPageSSODlg::FillProfileCombo() {
  OpenKey profiles(HKEY_LOCAL_MACHINE, ProfilesPath(), KEY_READ);
  if (!profiles) return;
  char name[kSubkeyNameSize];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyEx(profiles.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    OpenKey profile(profiles.get(), name, KEY_READ);
    if (profile && IsLeapOrFast(profile.get())) m_comboProfiles.AddString(name);
  }
}

void CPageSSODlg::EnableControls(std::initializer_list<int> ids, BOOL enable) {
  for (int id : ids)
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CPageSSODlg::EnableModeControls(BOOL enable) {
  EnableControls({IDC_SSO_WINLOGON_ID, IDC_SSO_PROFILE_ID, IDC_SSO_PROMPT_ID, IDC_SSO_WINLOGON_TEXT,
                  IDC_SSO_PROFILE_TEXT, IDC_SSO_PROMPT_TEXT, IDC_SSO_LIST_GROUP},
                 enable);
}

void CPageSSODlg::EnableChooser(BOOL enable) { EnableControls({IDC_SSO_SELECT_LABEL, IDC_SSO_PROFILES}, enable); }

void CPageSSODlg::EnableDetails(BOOL enable) {
  EnableControls({IDC_SSO_APPLY, IDC_SSO_DETAILS_GROUP, IDC_SSO_NAME_LABEL, IDC_SSO_SSID_LABEL, IDC_SSO_AUTH_LABEL,
                  IDC_SSO_NAME, IDC_SSO_SSID, IDC_SSO_AUTH},
                 enable);
}

void CPageSSODlg::ApplyOnRule(BOOL comboTest) {
  EnableModeControls(TRUE);
  if (comboTest && m_comboProfiles.GetCount() == 0) {
    EnableChooser(FALSE);
    EnableDetails(FALSE);
    return;
  }
  EnableChooser(TRUE);
  EnableDetails(m_comboProfiles.GetCurSel() >= 0);
}

void CPageSSODlg::ApplyOffRule() {
  EnableModeControls(FALSE);
  EnableChooser(FALSE);
  EnableDetails(FALSE);
}

void CPageSSODlg::ApplyDetailsRule() {
  if (m_comboProfiles.GetCount() > 0) {
    EnableDetails(m_comboProfiles.GetCurSel() >= 0);
  } else {
    EnableChooser(FALSE);
    EnableDetails(FALSE);
  }
}

void CPageSSODlg::LoadSsoState() {
  OpenKey sso(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_ALL_ACCESS);
  if (!sso) return;
  CString value;
  if (!ReadText(sso.get(), "SSOInstall", value) || value == "0") return;
  if (!ReadText(sso.get(), "SSOEnable", value)) {
    // A missing switch is written off; when that fails the page stays as it is.
    if (WriteNumber(sso.get(), "SSOEnable", 0) == ERROR_SUCCESS) {
      m_bEnabled = 0;
      ApplyOffRule();
    }
  } else if (value != "0") {
    m_bEnabled = 1;
    ApplyOnRule(TRUE);
  } else {
    m_bEnabled = 0;
    ApplyOffRule();
  }
  if (!ReadText(sso.get(), "SavedPassword", value) || value == "0")
    m_nPasswordSource = kWinlogonIdentity;
  else
    m_nPasswordSource = value == "1" ? kProfileIdentity : kPromptIdentity;
  UpdateData(FALSE);
}

void CPageSSODlg::ShowProfile(const CString& name) {
  OpenKey profile(HKEY_LOCAL_MACHINE, ProfilesPath() + "\\" + name, KEY_READ);
  if (!profile) return;
  m_strProfileName = name;
  if (!ReadText(profile.get(), "SSID", m_strSsid)) m_strSsid.Empty();
  CString protocol, leap;
  if (ReadText(profile.get(), "AuthenProtocol", protocol) && protocol == "3")
    m_strAuthentication = "EAP-FAST";
  else if (ReadText(profile.get(), "LeapEnabled", leap) && leap == "1")
    m_strAuthentication = "LEAP";
  else
    m_strAuthentication.Empty();
}

void CPageSSODlg::ShowCurrentProfile() {
  CString name;
  const bool listed = m_comboProfiles.GetCount() > 0;
  OpenKey sso(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_READ);
  const bool current = sso && ReadText(sso.get(), "CurProfile", name);
  if (listed) {
    if (!sso) {
      m_comboProfiles.SetCurSel(-1);
      m_comboProfiles.GetLBText(0, name);
    } else if (current) {
      m_comboProfiles.SetCurSel(m_comboProfiles.FindString(-1, name));
    } else {
      m_comboProfiles.SetCurSel(0);
      m_comboProfiles.GetLBText(0, name);
    }
  }
  if (!name.IsEmpty()) ShowProfile(name);
  UpdateData(FALSE);
  ApplyDetailsRule();
}

void CPageSSODlg::OnProfileChange() {
  const int selected = m_comboProfiles.GetCurSel();
  if (selected >= 0) {
    CString name;
    m_comboProfiles.GetLBText(selected, name);
    ShowProfile(name);
    UpdateData(FALSE);
  }
  ApplyDetailsRule();
}

void CPageSSODlg::OnEnableChanged() {
  UpdateData(TRUE);
  if (m_bEnabled) {
    ApplyOnRule(FALSE);
    return;
  }
  ApplyOffRule();
  if (OpenKey sso(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_ALL_ACCESS); sso) {
    WriteNumber(sso.get(), "SSOEnable", 0);
    WriteText(sso.get(), "CurProfile", "");
    DeleteSubkeys(sso.get());
  }
  if (OpenKey winlogon(HKEY_LOCAL_MACHINE, kWinlogonKeyPath, KEY_ALL_ACCESS); winlogon)
    RegDeleteValue(winlogon.get(), kSsoGinaValue);
}

void CPageSSODlg::OnPasswordSource() {
  UpdateData(TRUE);
  if (OpenKey sso(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_ALL_ACCESS); sso)
    WriteNumber(sso.get(), "SavedPassword", m_nPasswordSource);
}

void CPageSSODlg::SaveSso() {
  if (OpenKey winlogon(HKEY_LOCAL_MACHINE, kWinlogonKeyPath, KEY_ALL_ACCESS); winlogon)
    WriteText(winlogon.get(), kSsoGinaValue, kSsoGinaLibrary);
  OpenKey sso(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_ALL_ACCESS);
  if (!sso) return;
  WriteNumber(sso.get(), "SSOEnable", m_bEnabled);
  DeleteSubkeys(sso.get());
  CString cardName;
  if (OpenKey driver(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_READ); driver) ReadText(driver.get(), "DriverDesc", cardName);
  CString profileName, card;
  profileName.Format("Profile Name: %s", static_cast<LPCSTR>(m_strChosenProfile));
  card.Format("Card Name: %s", static_cast<LPCSTR>(cardName));
  WriteText(sso.get(), "CurProfile", m_strChosenProfile);
  WriteText(sso.get(), "DeviceRegistryPath", g_strDriverKey);
  WriteText(sso.get(), "SSOProfilePath", ProfilesPath() + "\\" + m_strChosenProfile);
  WriteText(sso.get(), "ProfileName", profileName);
  WriteText(sso.get(), "CardName", card);
}

void CPageSSODlg::OnApply() {
  UpdateData(TRUE);
  SaveSso();
  if (OpenKey driver(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_ALL_ACCESS); driver) {
    WriteText(driver.get(), "CurProfile", m_strChosenProfile);
    // (No name would open the folder of the profiles itself.)
    OpenKey profile(HKEY_LOCAL_MACHINE, ProfilesPath() + "\\" + m_strChosenProfile, KEY_READ);
    if (CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr) host->ClearSiteConnectTargets();
    if (profile && !m_strChosenProfile.IsEmpty()) CopyRegistryKeyValues(profile.get(), driver.get());
  }
  g_bConnectedByProfile = 1;
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  if (auto* page = dynamic_cast<CPageProfileDlg*>(host ? host->GetTabPage(kHostTabProfile) : nullptr))
    page->m_curProfileName = m_strChosenProfile;
}
