// CHideDlg in WavorelVista: its timers and the 2-second poll, the adapter's
// loss and return, the Native Wi-Fi relays and the end of the worker.
#include <algorithm>
#include <cstring>

#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "worker/AdapterDiscovery.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileStore.h"
#include "worker/RescanStep.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

constexpr DWORD kLinkEventRadioOff = 2;
constexpr int kNoSignalDbm = -100;
constexpr UINT kWpsStatusPeriodMs = 200;
constexpr UINT kRescanPeriodMs = 4000;
constexpr UINT kConnectRetryPeriodMs = 3000;

// A 4-byte driver value; a failed or short answer counts as a failed query.
bool QueryDword(DWORD oid, DWORD& value) {
  DWORD answer = 0, returned = 0;
  if (!QueryOid(oid, &answer, sizeof answer, &returned) || returned < sizeof answer) return false;
  value = answer;
  return true;
}

bool IsZeroMac(const BYTE* mac) { return std::all_of(mac, mac + 6, [](BYTE b) { return b == 0; }); }

}  // namespace

int CHideDlg::DiscoverAdapter() {
  return EnumAdapters(m_devices, this, [this](LPCSTR name) {
    RecordWlanWorkerWindow(m_hWnd);
    m_nativeWiFi.Init(name, m_hWnd, g_nDataFolderKind);
  });
}

void CHideDlg::RunRescanStep(int showHost) {
  RESCAN_CONTEXT context;
  context.worker = m_hWnd;
  context.timer8 = &m_nTimer8;
  context.regionQueryFlag = &m_nRegionQueryFlag;
  context.applyCurrentProfile = [](int readRadioSettings, int unused, int applyArgument) {
    LoadAndApplyCurrentProfile(readRadioSettings, unused, static_cast<DWORD>(applyArgument));
  };
  context.showHost = [this] { ShowHostDialog(); };
  ::RunRescanStep(m_nativeWiFi, context, showHost);
}

void CHideDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kWpsConnectTimer) {
    RotateWpsCredential();
    return;
  }
  if (nIDEvent == kHostLayoutTimer) {
    if (CStationHost* host = GetHost()) host->SetLayoutButton(m_bHostCreated);
    return;
  }
  Poll(nIDEvent);
}

void CHideDlg::Poll(UINT_PTR timer) {
  if (timer == kPollTimer) {
    KillTimer(kPollTimer);
    SetTimer(kPollTimer, kPollPeriodMs, nullptr);
  }
  if (m_bBusy) return;
  if (!CheckAdapter()) return;
  if (g_bHtFamily) CopyTgnWifiTest();
  switch (timer) {
    case kWpsPollValueTimer:
      QueryWpsPollValue();
      break;
    case kWpsStatusTimer:
      CheckWpsStatus();
      break;
    case kRescanTimer:
      // The radio came back on: the site survey page of the host rescans
      // (not while the radio is still off).
      KillTimer(kRescanTimer);
      PostRescanToSiteSurvey();
      break;
    case kConnectRetryTimer:
      KillTimer(kConnectRetryTimer);
      LoadAndApplyCurrentProfile(0, 1, 0);
      break;
    default:
      break;
  }
  LinkCheck();
}

BOOL CHideDlg::CheckAdapter() {
  if (m_bAdapterFound && IsAdapterPresent()) {
    if (m_pHostDlg && !IsWindow(m_pHostDlg->GetSafeHwnd())) {
      m_pHostDlg.reset();
      KillTimer(kHostLayoutTimer);
    }
    return TRUE;
  }
  KillTimer(kPollTimer);
  TearDownHost();
  g_strDriverKey.Empty();
  m_bAdapterFound = DiscoverAdapter();
  SetTimer(kPollTimer, kPollPeriodMs, nullptr);
  if (!m_bAdapterFound) {
    SetTrayState(kVerdictNotExist);
    g_bWpsConnect = 0;
    return FALSE;
  }
  MarkAdapterReady();
  SetTrayState(kVerdictDisconnected);
  RunRescanStep(0);
  return TRUE;
}

void CHideDlg::CopyTgnWifiTest() {
  char value[8] = "";
  GetModuleIniString("Advance", "TGnWiFiTest", "", value, sizeof value, "ini");
  const char* text = std::strcmp(value, "1") == 0 ? "1" : "0";
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return;
  // Every tick copies the switch; a value that already holds it is not written again.
  char stored[4] = "";
  DWORD size = sizeof stored, type = 0;
  const bool same = RegQueryValueEx(key, "TGnWifiTest", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size) ==
                        ERROR_SUCCESS &&
                    type == REG_SZ && size == 2 && std::memcmp(stored, text, 2) == 0;
  if (!same) RegSetValueEx(key, "TGnWifiTest", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 2);
  RegCloseKey(key);
}

void CHideDlg::QueryWpsPollValue() {
  // While the host's WPS page exists it watches the driver's button itself.
  if (CStationHost* host = GetHost(); host && host->IsWpsPageReady()) {
    KillTimer(kWpsPollValueTimer);
    return;
  }
  DWORD value = 0;
  if (!QueryDword(OID_VX_PRIVATE_0145, value) || value == 0) return;
  g_bWpsRunning = 1;
  g_bWpsRunTaken = 0;
  KillTimer(kWpsConnectTimer);
  KillTimer(kWpsStatusTimer);
  // While the host's WPS page exists it polls the run itself.
  if (!HasHostDlg()) SetTimer(kWpsStatusTimer, kWpsStatusPeriodMs, nullptr);
}

void CHideDlg::LinkCheck() {
  std::memset(&g_currentSsid, 0, sizeof g_currentSsid);
  std::memset(g_currentBssid, 0, sizeof g_currentBssid);
  BOOL connected = FALSE;
  if (m_nativeWiFi.IsConnected(&connected) != ERROR_SUCCESS) {
    connected = FALSE;
    if (!IsAdapterPresent()) {
      m_bAdapterFound = DiscoverAdapter();
      if (m_bAdapterFound) {
        SetTrayState(kVerdictDisconnected);
        RunRescanStep(0);
      }
    }
    m_nativeWiFi.Init(g_szFriendlyName, m_hWnd, g_nDataFolderKind);
  }
  m_nativeWiFi.GetCurrentBssid(g_currentBssid);
  DOT11_SSID ssid{};
  m_nativeWiFi.GetCurrentSsid(&ssid);
  g_currentSsid.SsidLength = std::min<ULONG>(ssid.uSSIDLength, sizeof g_currentSsid.Ssid);
  std::memcpy(g_currentSsid.Ssid, ssid.ucSSID, g_currentSsid.SsidLength);

  DWORD linkEvent = 0;
  if (QueryDword(OID_VX_LINK_EVENT, linkEvent) && linkEvent == kLinkEventRadioOff)
    SetTrayState(kVerdictDisconnected);
  else if (connected && !IsZeroMac(g_currentBssid))
    SignalStep();
  else
    SetTrayState(kVerdictDisconnected);
  if (CStationHost* host = GetHost()) host->RefreshPages();
}

void CHideDlg::SignalStep() {
  DWORD rssi0 = 0, rssi1 = 0;
  const bool first = QueryDword(OID_VX_RSSI0, rssi0);
  const bool second = QueryDword(OID_VX_RSSI1, rssi1);
  int rssi = kNoSignalDbm;
  if (first) rssi = static_cast<LONG>(rssi0);
  if (second) rssi = std::max(rssi, static_cast<int>(static_cast<LONG>(rssi1)));
  SetTrayState(g_bIcvError ? kVerdictWepError : SignalVerdict(RssiToPercent(rssi)));
}

LRESULT CHideDlg::OnWlanConnected(WPARAM, LPARAM) {
  m_nativeWiFi.ApplySavedLinkValues();
  return 0;
}

void CHideDlg::PostToListPages(UINT message, UINT wpsMessage) {
  CStationHost* host = GetHost();
  if (!host) return;
  CDialog* site = host->GetTabPage(kHostTabSiteSurvey);
  if (message && site && IsWindow(site->GetSafeHwnd())) site->PostMessage(message, 0, 0);
  CDialog* wps = host->GetTabPage(kHostTabWps);
  if (host->IsWpsPageReady() && wps) wps->PostMessage(wpsMessage, 0, 0);
}

void CHideDlg::PostRescanToSiteSurvey() {
  CStationHost* host = GetHost();
  CDialog* site = host ? host->GetTabPage(kHostTabSiteSurvey) : nullptr;
  if (!g_bRadioOn || !site || !IsWindow(site->GetSafeHwnd())) return;
  site->PostMessage(WM_COMMAND, MAKEWPARAM(kSiteSurveyRescanButton, BN_CLICKED), 0);
}

LRESULT CHideDlg::OnWlanScanComplete(WPARAM, LPARAM) {
  // The scan has ended: a page waiting for it may rebuild its list.
  g_bScanRunning = 0;
  PostToListPages(WM_BSSLIST_READY, WM_BSSLIST_READY);
  return 0;
}

LRESULT CHideDlg::OnWlanScanFail(WPARAM, LPARAM) {
  g_bScanRunning = 0;
  const BYTE* scanList = m_nativeWiFi.BssidScanList();
  const bool empty = !scanList || wavorel::wire::getU32(scanList) == 0;
  PostToListPages(empty ? WM_BSSLIST_READY : 0, WM_SCAN_ENDED);
  return 0;
}

LRESULT CHideDlg::OnWlanRadioOff(WPARAM, LPARAM) {
  // No scan runs with the radio off; a late report while it is back on
  // leaves a scan started since then alone.
  DWORD soft = 1, hard = 1;
  if (m_nativeWiFi.GetRadioState(&soft, &hard) == ERROR_SUCCESS && !(soft && hard)) g_bScanRunning = 0;
  PostToListPages(WM_BSSLIST_READY, WM_BSSLIST_READY);
  return 0;
}

LRESULT CHideDlg::OnWlanRadioOn(WPARAM, LPARAM) {
  m_nTimer8 = SetTimer(kRescanTimer, kRescanPeriodMs, nullptr);
  return 0;
}

LRESULT CHideDlg::OnWlanConnectFailed(WPARAM, LPARAM) {
  m_nTimer9 = SetTimer(kConnectRetryTimer, kConnectRetryPeriodMs, nullptr);
  return 0;
}

LRESULT CHideDlg::OnWlanEditProfile(WPARAM wParam, LPARAM lParam) {
  CStationHost* host = GetHost();
  CDialog* page = host ? host->GetTabPage(kHostTabProfile) : nullptr;
  if (page && IsWindow(page->GetSafeHwnd())) page->PostMessage(WM_PROFILE_BUTTONS_ENABLE, wParam, lParam);
  return 0;
}

void CHideDlg::OnDestroy() {
  ClearWorkerNotifyWnd(m_hWnd);
  RecordWlanWorkerWindow(nullptr);
  FreeWorkerBuffers();
  CDialog::OnDestroy();
}
