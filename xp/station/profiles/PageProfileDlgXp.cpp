// CPageProfileDlg's members over Wavorel's registry store: the list from the
// keys below "<driver key>\Profile\Station", activation by copying the
// profile's values into the driver key, deletion of the profile's key, the
// command gate on Zero Configuration and the radio, and the timer that marks
// the connected row from the driver's codes.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/NdisBssidList.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "station/profiles/ProfileTexts.h"
#include "utilmere/WindowTools.h"
#include "widgets/WidgetMessages.h"
#include "worker/ActionQueue.h"
#include "worker/ChannelTable.h"
#include "worker/CopyRegistryKeyValues.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileStore.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/AuthStatus.h"
#include "xp/worker/RegistryKey.h"
#include "xp/worker/RegistryProfileStore.h"
#include "xp/worker/SsoInterplay.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

constexpr UINT kTimerPeriodMs = 3000;
constexpr char kSsoKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Nerolt";
constexpr int kRowConnected = 0;
constexpr int kRowNotConnected = 1;
// OID_802_11_SSID's record: a 4-byte length and 32 bytes.
constexpr DWORD kSsidRecordSize = 36;
constexpr DWORD kConfigurationSize = 32;

CString StationKeyPath() { return g_strDriverKey + "\\Profile\\Station"; }

// The value's text, or "" when it is missing or no text.
CString ReadValue(const CRegistryKey& key, LPCSTR name) {
  std::string text;
  return key.ReadText(name, CRegistryKey::kValueSize, text) ? CString(text.c_str()) : CString();
}

int ReadInt(const CRegistryKey& key, LPCSTR name) { return std::atoi(ReadValue(key, name)); }

// The driver key's "CurProfile", or "".
CString StoredCurrentProfile() {
  CRegistryKey driver;
  if (driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_READ) != ERROR_SUCCESS) return "";
  return ReadValue(driver, "CurProfile");
}

// The authentication text of a profile key: LEAP, else the stored mode's.
CString AuthText(const CRegistryKey& key, int mode) {
  return mode == 0 && ReadInt(key, "LeapEnabled") != 0 ? CString("LEAP") : ProfileAuthModeText(mode);
}

BOOL IsAnyByte(const BYTE* bytes, size_t count) {
  return std::any_of(bytes, bytes + count, [](BYTE b) { return b != 0; }) ? TRUE : FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageProfileDlg, CDialog)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPageProfileDlg::OnGetListItem)
END_MESSAGE_MAP()

// Key names as the order file compares them: blanks at the ends left out,
// letters without case.
BOOL CPageProfileDlg::IsSameProfileName(LPCSTR a, LPCSTR b) {
  CString left(a ? a : ""), right(b ? b : "");
  left.Trim();
  right.Trim();
  return left.CompareNoCase(right) == 0;
}

BOOL CPageProfileDlg::IsWorkerReady() {
  return ConfigToolMode != kConfigToolZeroConfig && XpWorkerState().RadioValue != 0;
}

BOOL CPageProfileDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  InitListAndTexts();
  LoadProfileList();
  ApplySavedOrder();
  if (!g_bAdministrator)
    for (CShadeButtonST* button : {&m_btnAdd, &m_btnEdit, &m_btnDelete}) button->ShowWindow(SW_HIDE);
  m_nTimer = SetTimer(kProfilePageTimer, kTimerPeriodMs, nullptr);
  return TRUE;
}

void CPageProfileDlg::RefreshProfileList() { LoadProfileList(); }

void CPageProfileDlg::LoadProfileList() {
  m_profiles.clear();
  if (m_list.GetSafeHwnd()) m_list.SetItemCountEx(0);
  const CString stored = StoredCurrentProfile();
  if (!stored.IsEmpty()) m_curProfileName = stored;
  CRegistryKey station;
  if (station.Open(HKEY_LOCAL_MACHINE, StationKeyPath(), KEY_READ) == ERROR_SUCCESS) {
    for (DWORD index = 0;; ++index) {
      char name[MAX_PATH] = "";
      DWORD length = sizeof name;
      if (RegEnumKeyEx(station.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      CRegistryKey profile;
      profile.Open(station.Handle(), name, KEY_READ);
      const int mode = ProfileAuthModeOf(ReadValue(profile, "AuthenType"));
      // An open profile without encryption shows no lock.
      const BOOL secured = AuthText(profile, mode) != "Open" || ProfileCipherText(ReadInt(profile, "Encryption")) != "None";
      m_profiles.emplace_back(-1, name, ReadValue(profile, "SSID"), secured ? 1 : 0,
                              ReadInt(profile, "NetworkType") != 0 ? 1 : 0);
    }
  }
  EnableRowButtons(!m_profiles.empty());
  RebuildList();
}

void CPageProfileDlg::ShowProfileDetails(int row) {
  for (CString& text : m_details) text.Empty();
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) return;
  const CString& name = m_profiles[row].Name;
  CRegistryKey key;
  if (IsRegistryProfileName(name)) key.Open(HKEY_LOCAL_MACHINE, StationProfileKeyPath(name), KEY_READ);
  const int mode = ProfileAuthModeOf(ReadValue(key, "AuthenType"));
  const bool leap = mode == 0 && ReadInt(key, "LeapEnabled") != 0;
  CString auth;
  auth.Format("%s %s", static_cast<LPCSTR>(AuthText(key, mode)), "");
  CString rts, frag;
  rts.Format("%d", ReadInt(key, "RtsThresh"));
  frag.Format("%d", ReadInt(key, "FragThresh"));
  m_details[0] = name;
  m_details[1] = ReadValue(key, "SSID");
  m_details[2] = ProfileNetworkTypeText(ReadInt(key, "NetworkType"));
  m_details[3] = auth;
  m_details[4] = leap ? ProfileLeapCipherText(ReadInt(key, "LeapEncryType"))
                      : ProfileCipherText(ReadInt(key, "Encryption"));
  m_details[5] = ReadInt(key, "Use8021X") != 0 ? "YES" : "NO";
  m_details[6] = ProfileChannelText(ReadInt(key, "Channel"));
  m_details[7] = ReadInt(key, "PSMode") == 0 ? "CAM" : "PSM";
  m_details[8] = ProfileTxPowerText(ReadInt(key, "TXPower"));
  m_details[9] = rts;
  m_details[10] = frag;
}

void CPageProfileDlg::ShowSelectedDetails() {
  int row = SelectedRow();
  if ((row < 0 || row >= static_cast<int>(m_profiles.size())) && m_profiles.size() == 1) row = 0;
  ShowProfileDetails(row);
  if (row >= 0 && row < static_cast<int>(m_profiles.size())) {
    ReportDetails();
    return;
  }
  UpdateData(FALSE);
}

void CPageProfileDlg::OnActivate() {
  SetAuthFailureKind(kAuthFailureActivation);
  // A waiting identity prompt ends as closed (result 2).
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  auto* prompt = dynamic_cast<CPeapSettingDlg*>(host ? host->GetSecondaryDialog(kHostDlgPeapSetting) : nullptr);
  if (prompt && prompt->GetSafeHwnd() && (prompt->GetStyle() & WS_VISIBLE)) prompt->OnCancel();

  if (!IsWorkerReady()) return;
  const int row = ActionRow();
  if (row < 0) return;
  CRegistryKey sso;
  if (sso.Open(HKEY_LOCAL_MACHINE, kSsoKey, KEY_ALL_ACCESS) == ERROR_SUCCESS) sso.WriteText("SSOReleaseAegis", "1");
  ActivateRow(row);
}

BOOL CPageProfileDlg::ActivateProfile(int row) {
  g_bWpsConnect = 0;
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) return TRUE;
  const CString name = m_profiles[row].Name;
  // A standard user's activation is remembered by the page alone.
  if (!g_bAdministrator) g_strCurProfileName = name;

  CRegistryKey driver;
  if (driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
    CString wsc;
    wsc.Format("%d", g_bWpsConnect);
    driver.WriteText("CurProfile", name);
    driver.WriteText("WSC", wsc);
  }
  CRegistryKey profile;
  if (IsRegistryProfileName(name) &&
      profile.Open(HKEY_LOCAL_MACHINE, StationProfileKeyPath(name), KEY_READ) == ERROR_SUCCESS) {
    std::string channel;
    if (profile.ReadText("Channel", CRegistryKey::kValueSize, channel)) m_curChannel = channel.c_str();
  }
  if (CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr) host->ClearSiteConnectTargets();

  g_bConnectedByProfile = 1;
  g_bProfileAppliedCompanion = 0;
  g_bApplyRequested = 1;
  g_bProfileApplied = 1;
  CheckSsoProfileRemoval(name);
  if (driver.IsOpen() && profile.IsOpen()) CopyRegistryKeyValues(profile.Handle(), driver.Handle());
  if (g_bAdministrator)
    LoadAndApplyCurrentProfile(FALSE, 0, 0);
  else
    LoadAndApplyCurrentProfileReadOnly(FALSE);
  return TRUE;
}

void CPageProfileDlg::OnDelete() { DeleteProfile(); }

void CPageProfileDlg::DeleteProfile() {
  if (!IsWorkerReady()) return;
  const int row = ActionRow();
  if (row < 0) return;
  LeaveVisibleEditor();

  const CString name = m_profiles[row].Name;
  if (IsCurrentProfileRow(row) && g_bProfileApplied) {
    g_bProfileApplied = 0;
    g_bConnectedByProfile = 0;
    ClearConfigSection();
    m_curProfileName.Empty();
    if (!g_bWpsConnect) {
      g_bApplyRequested = 1;
      LoadAndApplyCurrentProfile(FALSE, 0, 0);
    }
  }
  DeleteProfileKey(name);
  LoadProfileList();
  if (!m_profiles.empty()) SetListSelected(&m_list, std::min(row, static_cast<int>(m_profiles.size()) - 1), 0, 0);
  ShowSelectedDetails();
  ClearDetails();
}

void CPageProfileDlg::DeleteProfileKey(const CString& name) {
  const CString path = StationKeyPath();
  CRegistryKey station;
  if (station.Open(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS) != ERROR_SUCCESS) {
    CString text;
    text.Format("RegOpenKeyEx '%s' failed\n", static_cast<LPCSTR>(path));
    WarningMessageBox(text);
    return;
  }
  // An empty name would name "\Profile\Station" itself.
  if (IsRegistryProfileName(name)) SHDeleteKey(station.Handle(), name);
}

int CPageProfileDlg::FindCurrentProfileRow() const {
  for (int row = 0; row < static_cast<int>(m_profiles.size()); ++row)
    if (IsCurrentProfileRow(row)) return row;
  return -1;
}

BOOL CPageProfileDlg::IsCurrentProfileRow(int row) const {
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) return FALSE;
  const CString& current = g_bAdministrator ? m_curProfileName : g_strCurProfileName;
  return !current.IsEmpty() && m_profiles[row].Name.CompareNoCase(current) == 0;
}

void CPageProfileDlg::SetRowState(int row, int state) {
  for (_PROFILE_LIST_ITEM& item : m_profiles) item.State = -1;
  if (row >= 0 && row < static_cast<int>(m_profiles.size())) m_profiles[row].State = state;
  if (m_list.GetSafeHwnd()) m_list.Invalidate();
  CString report;
  report.Format("%d\r\n%d", row, state);
  NotifyUI(BRIDGE_UI_PROFILE_ROW_STATE, report, TRUE);
}

void CPageProfileDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kProfilePageTimer) {
    CDialog::OnTimer(nIDEvent);
    return;
  }
  const int row = m_curProfileName.IsEmpty() ? -1 : FindCurrentProfileRow();
  if (row < 0) return;
  const CString ssid = m_profiles[row].Ssid;
  DWORD returned = 0;
  DWORD mediaState = 1;
  BYTE bssid[6] = {};
  QueryOid(OID_GEN_MEDIA_CONNECT_STATUS, &mediaState, sizeof mediaState, &returned);
  QueryOid(OID_802_11_BSSID, bssid, sizeof bssid, &returned);
  if (mediaState != 0 || !IsAnyByte(bssid, sizeof bssid) || !g_bProfileApplied) {
    SetRowState(row, kRowNotConnected);
    return;
  }
  BYTE record[kSsidRecordSize] = {};
  QueryOid(OID_802_11_SSID, record, sizeof record, &returned);
  DWORD length = 0;
  std::memcpy(&length, record, sizeof length);
  length = std::min<DWORD>(length, kSsidRecordSize - sizeof length);
  if (CString(reinterpret_cast<const char*>(record + sizeof length), static_cast<int>(length)) != ssid) {
    SetRowState(row, kRowNotConnected);
    return;
  }
  const _PROFILE_DATA* current = GetCurrentProfile();
  if (!current) return;
  if (current->NetworkType != 0) {
    SetRowState(row, kRowConnected);
    return;
  }
  // Ad hoc: the cell's channel must be the profile's.
  CString storedChannel;
  const CString name = StoredCurrentProfile();
  CRegistryKey profile;
  if (IsRegistryProfileName(name) &&
      profile.Open(HKEY_LOCAL_MACHINE, StationProfileKeyPath(name), KEY_READ) == ERROR_SUCCESS)
    storedChannel = ReadValue(profile, "Channel");
  BYTE configuration[kConfigurationSize] = {};
  QueryOid(OID_802_11_CONFIGURATION, configuration, sizeof configuration, &returned);
  DWORD frequency = 0;
  std::memcpy(&frequency, configuration + wavorel::wire::ndis::configuration::kDsConfig, sizeof frequency);
  const CHANNEL_FREQUENCY* channel = FindChannelByFrequency(frequency);
  CString channelText;
  if (channel) channelText.Format("%d", channel->Channel);
  SetRowState(row, channel && channelText == storedChannel ? kRowConnected : kRowNotConnected);
}
