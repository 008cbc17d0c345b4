// CHideDlg in WavorelVista: its message map, its Native Wi-Fi client, its
// timers and the 2-second poll, the adapter's loss and return, the Native
// Wi-Fi relays and the end of the worker.
#include <algorithm>
#include <cstring>

#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "worker/AdapterDiscovery.h"
#include "worker/HideDlg.h"
#include "worker/HideDlgMessageMap.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileStore.h"
#include "worker/RescanStep.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

constexpr DWORD kLinkEventRadioOff = 2;
constexpr UINT kRescanPeriodMs = 4000;
constexpr UINT kConnectRetryPeriodMs = 3000;

bool IsZeroMac(const BYTE* mac) { return std::all_of(mac, mac + 6, [](BYTE b) { return b == 0; }); }

}  // namespace

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
  HIDE_DLG_SHARED_MESSAGE_ENTRIES()
  ON_MESSAGE(WM_WLAN_CONNECTED, &CHideDlg::OnWlanConnected)
  ON_MESSAGE(WM_WLAN_SCAN_COMPLETE, &CHideDlg::OnWlanScanComplete)
  ON_MESSAGE(WM_WLAN_SCAN_FAIL, &CHideDlg::OnWlanScanFail)
  ON_MESSAGE(WM_WLAN_RADIO_OFF, &CHideDlg::OnWlanRadioOff)
  ON_MESSAGE(WM_WLAN_RADIO_ON, &CHideDlg::OnWlanRadioOn)
  ON_MESSAGE(WM_WLAN_CONNECT_FAILED, &CHideDlg::OnWlanConnectFailed)
  ON_MESSAGE(WM_WLAN_EDIT_PROFILE, &CHideDlg::OnWlanEditProfile)
END_MESSAGE_MAP()

// The worker's Native Wi-Fi client, named by g_pNativeWiFi while it lives.
struct CHideDlg::BuildParts {
  BuildParts() { g_pNativeWiFi = &client; }
  ~BuildParts() {
    if (g_pNativeWiFi == &client) g_pNativeWiFi = nullptr;
  }
  BuildParts(const BuildParts&) = delete;
  BuildParts& operator=(const BuildParts&) = delete;
  CNativeWiFi client;
};

void CHideDlg::BuildPartsDeleter::operator()(BuildParts* parts) const { delete parts; }

CHideDlg::BuildPartsPtr CHideDlg::MakeBuildParts(CHideDlg&) { return BuildPartsPtr(new BuildParts()); }

CNativeWiFi& CHideDlg::NativeWiFi() { return m_build->client; }

int CHideDlg::DiscoverAdapter() {
  return EnumAdapters(m_devices, this, [this](LPCSTR name) {
    RecordWlanWorkerWindow(m_hWnd);
    NativeWiFi().Init(name, m_hWnd, g_nDataFolderKind);
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
  ::RunRescanStep(NativeWiFi(), context, showHost);
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

void CHideDlg::LinkCheck() {
  std::memset(&g_currentSsid, 0, sizeof g_currentSsid);
  std::memset(g_currentBssid, 0, sizeof g_currentBssid);
  BOOL connected = FALSE;
  if (NativeWiFi().IsConnected(&connected) != ERROR_SUCCESS) {
    connected = FALSE;
    if (!IsAdapterPresent()) {
      m_bAdapterFound = DiscoverAdapter();
      if (m_bAdapterFound) {
        SetTrayState(kVerdictDisconnected);
        RunRescanStep(0);
      }
    }
    NativeWiFi().Init(g_szFriendlyName, m_hWnd, g_nDataFolderKind);
  }
  NativeWiFi().GetCurrentBssid(g_currentBssid);
  DOT11_SSID ssid{};
  NativeWiFi().GetCurrentSsid(&ssid);
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

LRESULT CHideDlg::OnWlanConnected(WPARAM, LPARAM) {
  NativeWiFi().ApplySavedLinkValues();
  return 0;
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
  const BYTE* scanList = NativeWiFi().BssidScanList();
  const bool empty = !scanList || wavorel::wire::getU32(scanList) == 0;
  PostToListPages(empty ? WM_BSSLIST_READY : 0, WM_SCAN_ENDED);
  return 0;
}

LRESULT CHideDlg::OnWlanRadioOff(WPARAM, LPARAM) {
  // No scan runs with the radio off; a late report while it is back on
  // leaves a scan started since then alone.
  DWORD soft = 1, hard = 1;
  if (NativeWiFi().GetRadioState(&soft, &hard) == ERROR_SUCCESS && !(soft && hard)) g_bScanRunning = 0;
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
