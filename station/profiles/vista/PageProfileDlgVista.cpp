// CPageProfileDlg's members over WavorelVista's INI store: the list from the
// profile sections (newest "ActiveTime" first), activation through the
// current-connection section, deletion with the Native Wi-Fi profile of the
// SSID, and the timer that watches the current profile's link.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/ProfileTexts.h"
#include "utilmere/WindowTools.h"
#include "widgets/WidgetMessages.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/ProfileStore.h"
#include "worker/StationHost.h"
#include "worker/WlanProfileXml.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr int kStoreValueSize = 128;
constexpr char kConfig[] = "Config";
constexpr UINT kTimerPeriodMs = 3000;

// One value of the profile store (data folder); empty when missing.
CString ReadStore(int kind, LPCSTR section, LPCSTR key) {
  char text[kStoreValueSize] = "";
  ReadIniValue(g_strAdapterGuid, kind, section, key, text, sizeof text, 0);
  return text;
}

CString ReadProfile(LPCSTR section, LPCSTR key) { return ReadStore(kIniKindProfiles, section, key); }

// An "ActiveTime" as comparable fields {year, month, day, hour, minute,
// second}, each clamped; an empty text is 1 January 1971, 00:00:00.
using ActiveTime = std::array<int, 6>;

ActiveTime ParseActiveTime(const CString& text) {
  ActiveTime fields{1971, 1, 1, 0, 0, 0};
  const char* at = text;
  for (size_t i = 0; i < fields.size() && *at; ++i) {
    fields[i] = std::atoi(at);
    const char* comma = std::strchr(at, ',');
    if (!comma) break;
    at = comma + 1;
  }
  const auto clamp = [](int value, int low, int high, int otherwise) {
    return value < low || value > high ? otherwise : value;
  };
  return {clamp(fields[0], 1971, 3000, 1971), clamp(fields[1], 1, 12, 1),  clamp(fields[2], 1, 31, 1),
          clamp(fields[3], 0, 23, 0),         clamp(fields[4], 0, 59, 0), clamp(fields[5], 0, 59, 0)};
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageProfileDlg, CDialog)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPageProfileDlg::OnGetListItem)
  ON_MESSAGE(WM_PROFILE_BUTTONS_ENABLE, &CPageProfileDlg::OnProfileButtonsEnable)
END_MESSAGE_MAP()

BOOL CPageProfileDlg::IsSameProfileName(LPCSTR a, LPCSTR b) { return IsSameSectionName(a, b); }

BOOL CPageProfileDlg::IsWorkerReady() { return g_nAdapterState == kAdapterReady && g_bRadioOn; }

BOOL CPageProfileDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  InitListAndTexts();
  for (int i = 0; i < kProfileDetailCount; ++i) {
    // Channel, power save and the two thresholds stay hidden; their texts are kept.
    const bool hidden = i == 6 || i == 7 || i == 9 || i == 10;
    if (CWnd* caption = GetDlgItem(kProfileCaptionIds[i])) caption->ShowWindow(hidden ? SW_HIDE : SW_SHOW);
    if (CWnd* value = GetDlgItem(kProfileDetailIds[i])) value->ShowWindow(hidden ? SW_HIDE : SW_SHOW);
  }
  RefreshProfileList();
  ApplySavedOrder();
  m_nTimer = SetTimer(kProfilePageTimer, kTimerPeriodMs, nullptr);
  return TRUE;
}

LRESULT CPageProfileDlg::OnProfileButtonsEnable(WPARAM wParam, LPARAM) {
  EnableRowButtons(wParam == 1);
  return 0;
}

void CPageProfileDlg::OnActivate() {
  if (!IsWorkerReady()) return;
  const int row = ActionRow();
  if (row < 0) return;
  ActivateRow(row);
}

BOOL CPageProfileDlg::ActivateProfile(int row) {
  g_bWpsConnect = 0;
  CString wsc;
  wsc.Format("%d", g_bWpsConnect);
  WriteIniValue(g_strAdapterGuid, kIniKindStation, kConfig, "CurProfile", m_curProfileName, 0);
  WriteIniValue(g_strAdapterGuid, kIniKindStation, kConfig, "WSC", wsc, 0);
  g_bProfileApplied = 1;
  g_bProfileAppliedCompanion = 0;
  g_bConnectedByProfile = 1;
  g_bActivationMarker = 1;
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) return TRUE;
  const CString name = m_profiles[row].Name;
  CopyProfileToConfigSection(g_strAdapterGuid, name);
  LoadAndApplyCurrentProfile(FALSE, 0, 0);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  CString stamp;
  stamp.Format("%d, %d, %d, %d, %d, %d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
  WriteIniValue(g_strAdapterGuid, kIniKindProfiles, name, "ActiveTime", stamp, 0);
  RefreshProfileList();
  return TRUE;
}

void CPageProfileDlg::OnDelete() {
  if (!IsWorkerReady()) return;
  const int row = ActionRow();
  if (row < 0) return;
  LeaveVisibleEditor();

  const _PROFILE_LIST_ITEM deleted = m_profiles[row];
  const bool wasCurrent = deleted.Name == m_curProfileName;
  if (wasCurrent && g_bConnectedByProfile) {
    g_bConnectedByProfile = 0;
    g_bProfileApplied = 0;
    ClearConfigSection();
    m_curProfileName.Empty();
  }
  CWlanProfileList* wlanProfiles = g_pNativeWiFi ? g_pNativeWiFi->ProfileList() : nullptr;
  const CString wlanName =
      WlanProfileNameOfSsid(reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(deleted.Ssid)),
                            static_cast<DWORD>(deleted.Ssid.GetLength()));
  if (wlanProfiles && wlanProfiles->ProfileExists(wlanName)) {
    WCHAR wide[WLAN_MAX_NAME_LENGTH] = {};
    MultiByteToWideChar(CP_ACP, 0, wlanName, -1, wide, WLAN_MAX_NAME_LENGTH - 1);
    wlanProfiles->DeleteProfile(wide);
  }
  RewriteStationProfileFile(g_strAdapterGuid, deleted.Name);
  RefreshProfileList();

  const int count = static_cast<int>(m_profiles.size());
  if (wasCurrent && !g_bWpsConnect && row < count && m_profiles[row].Ssid == deleted.Ssid &&
      !ReadProfile(m_profiles[row].Name, "ActiveTime").IsEmpty()) {
    m_curProfileName = m_profiles[row].Name;
    ActivateProfile(row);
  }
  if (m_profiles.empty()) {
    EnableRowButtons(FALSE);
    ClearDetails();
    return;
  }
  SetListSelected(&m_list, std::min(row, static_cast<int>(m_profiles.size()) - 1), 0, 0);
  ShowSelectedDetails();
}


void CPageProfileDlg::BuildProfileTable(std::vector<std::vector<CString>>& table, int& count, int& current) {
  table.clear();
  std::vector<ActiveTime> times;
  CStringArray names;
  ListIniSectionNames(g_strAdapterGuid, &names);
  for (INT_PTR i = 0; i < names.GetSize(); ++i) {
    const CString& name = names[i];
    const int mode = ProfileAuthModeOf(ReadProfile(name, "AuthMode"));
    CString modeText = ProfileAuthModeText(mode), suffix;
    if ((mode == 0 || mode == 1) && g_b8021xSupport && std::atoi(ReadProfile(name, "Use8021X")) != 0)
      suffix = "- Use 802.1X";
    if (mode == 0 && std::atoi(ReadProfile(name, "LeapEnabled")) != 0) modeText = "LEAP";
    CString authText;
    authText.Format("%s %s", static_cast<LPCSTR>(modeText), static_cast<LPCSTR>(suffix));
    const CString activeTime = ReadProfile(name, "ActiveTime");
    std::vector<CString> row{name,
                             ReadProfile(name, "SSID"),
                             ProfileChannelText(std::atoi(ReadProfile(name, "Channel"))),
                             authText,
                             ProfileCipherText(std::atoi(ReadProfile(name, "CipherMode"))),
                             ProfileNetworkTypeText(std::atoi(ReadProfile(name, "NetworkType"))),
                             activeTime,
                             modeText};
    // Newest first; a row goes after the rows of its own time.
    const ActiveTime time = ParseActiveTime(activeTime);
    const auto at = std::find_if(times.begin(), times.end(), [&](const ActiveTime& other) { return other < time; });
    const auto index = at - times.begin();
    times.insert(at, time);
    table.insert(table.begin() + index, std::move(row));
  }
  count = static_cast<int>(table.size());
  current = -1;
  for (int i = 0; i < count; ++i)
    if (table[i][0] == m_curProfileName) {
      current = i;
      break;
    }
}

void CPageProfileDlg::RefreshProfileList() {
  m_profiles.clear();
  if (m_list.GetSafeHwnd()) m_list.SetItemCountEx(0);
  const CString stored = ReadStore(kIniKindStation, kConfig, "CurProfile");
  if (!stored.IsEmpty()) m_curProfileName = stored;
  std::vector<std::vector<CString>> table;
  int count = 0, current = -1;
  BuildProfileTable(table, count, current);
  for (const std::vector<CString>& row : table) {
    const int secured = !(row[7] == "Open" && row[4] == "None");
    m_profiles.emplace_back(-1, row[0], row[1], secured, row[5] != "Ad hoc" ? 1 : 0);
  }
  EnableRowButtons(!m_profiles.empty());
  if (!m_profiles.empty() && current < 0) m_curProfileName.Empty();
  RebuildList();
}


void CPageProfileDlg::ShowSelectedDetails() {
  int row = SelectedRow();
  if (row < 0 || row >= static_cast<int>(m_profiles.size())) {
    if (m_profiles.size() != 1) {
      EnableRowButtons(FALSE);
      ClearDetails();
      return;
    }
    row = 0;
  }
  const CString stored = ReadStore(kIniKindStation, kConfig, "CurProfile");
  if (!stored.IsEmpty()) m_curProfileName = stored;
  const CString& name = m_profiles[row].Name;
  const int networkType = std::atoi(ReadProfile(name, "NetworkType"));
  const int mode = ProfileAuthModeOf(ReadProfile(name, "AuthMode"));
  const bool leap = mode == 0 && std::atoi(ReadProfile(name, "LeapEnabled")) != 0;
  CString auth;
  auth.Format("%s %s", leap ? "LEAP" : static_cast<LPCSTR>(ProfileAuthModeText(mode)), "");
  const CString cipher = leap ? ProfileLeapCipherText(std::atoi(ReadProfile(name, "LeapEncryType")))
                              : ProfileCipherText(std::atoi(ReadProfile(name, "CipherMode")));
  CString rts, frag;
  rts.Format("%d", std::atoi(ReadProfile(name, "RtsThresh")));
  frag.Format("%d", std::atoi(ReadProfile(name, "FragThresh")));
  m_details[0] = name;
  m_details[1] = ReadProfile(name, "SSID");
  m_details[2] = ProfileNetworkTypeText(networkType);
  m_details[3] = auth;
  m_details[4] = cipher;
  m_details[5] = std::atoi(ReadProfile(name, "Use8021X")) != 0 ? "YES" : "NO";
  m_details[6] = networkType == 0 ? ProfileChannelText(std::atoi(ReadProfile(name, "Channel"))) : CString("Auto");
  m_details[7] = std::atoi(ReadProfile(name, "PSMode")) == 0 ? "CAM" : "PSM";
  m_details[8] = ProfileTxPowerText(std::atoi(ReadProfile(name, "TXPower")));
  m_details[9] = rts;
  m_details[10] = frag;
  EnableRowButtons(TRUE);
  ReportDetails();
}


void CPageProfileDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kProfilePageTimer) {
    CDialog::OnTimer(nIDEvent);
    return;
  }
  if (m_curProfileName.IsEmpty() || FindProfileByName(m_curProfileName) < 0 || !g_pNativeWiFi) return;
  BOOL connected = FALSE;
  BYTE bssid[6] = {};
  if (g_pNativeWiFi->IsConnected(&connected) != ERROR_SUCCESS || !connected) return;
  g_pNativeWiFi->GetCurrentBssid(bssid);
  const bool anyBssid = std::any_of(std::begin(bssid), std::end(bssid), [](BYTE b) { return b != 0; });
  if (anyBssid && g_bConnectedByProfile && !g_bWpsConnect) m_linkFlag = 0;
}

