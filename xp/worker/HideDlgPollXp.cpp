// CHideDlg in Wavorel: its message map, its timers with the device-removal
// check and the per-tick supplicant check, the link poll by driver codes
// (signal, WEP check, the 90-pass rescan and the 15-pass comparison with the
// current credentials), the media-connect event, the tray menu with the
// configuration-tool choice, the release before AP mode and the end of the
// worker.
#include <algorithm>
#include <cstring>

#include "worker/ActionQueue.h"
#include "worker/AdapterDiscovery.h"
#include "worker/HideDlg.h"
#include "worker/HideDlgMessageMap.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/UiRequestThread.h"
#include "xp/worker/LoadAndApplyCurrentProfile.h"
#include "xp/worker/WorkerSupplicantHost.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

constexpr int kXpOsType = 8;
constexpr int kDeviceGone = 2;
constexpr DWORD kLinkEventRadioOff = 2;
constexpr DWORD kMediaDisconnected = 1;
constexpr DWORD kAdHoc = 0;
constexpr DWORD kEncryptionDisabled = 1;
constexpr DWORD kEncryptionKeyAbsent = 2;
constexpr DWORD kStatisticsSize = 176;
constexpr ULONGLONG kWepMismatchFrames = 10;
// The poll counts passes: every 90th without a link asks for a rescan, every
// 15th compares the association with the current credentials.
constexpr UINT kRescanPasses = 90;
constexpr UINT kComparePasses = 15;

// Set by the first tick that finds the adapter present after a discovery;
// that tick releases the supplicant once, so the next check binds it anew.
BOOL g_bFirstPassDone = FALSE;

bool IsZeroMac(const BYTE* mac) { return std::all_of(mac, mac + 6, [](BYTE b) { return b == 0; }); }

bool SameSsid(const NDIS_802_11_SSID& a, const NDIS_802_11_SSID& b) {
  return a.SsidLength == b.SsidLength && a.SsidLength <= sizeof a.Ssid && std::memcmp(a.Ssid, b.Ssid, a.SsidLength) == 0;
}

// The pass is on the current credentials' network: the same BSSID for a
// record bound to one, else the same non-empty SSID record.
bool OnCurrentNetwork(const _PROFILE_DATA* record) {
  if (!record) return false;
  if (record->UseBssid) return !IsZeroMac(record->Bssid) && std::memcmp(record->Bssid, g_currentBssid, 6) == 0;
  return record->Ssid.SsidLength != 0 && g_currentSsid.SsidLength != 0 &&
         std::memcmp(&record->Ssid, &g_currentSsid, sizeof g_currentSsid) == 0;
}

// The association differs from the record: no link, another SSID, another
// authentication mode or encryption (a record without encryption also takes
// the driver's "key absent").
bool AssociationDiffers(const _PROFILE_DATA& record, DWORD media) {
  if (media == kMediaDisconnected || IsZeroMac(g_currentBssid)) return true;
  if (record.Ssid.SsidLength != 0 && g_currentSsid.SsidLength != 0 && !SameSsid(record.Ssid, g_currentSsid))
    return true;
  DWORD auth = 0, encryption = kEncryptionDisabled;
  QueryDword(OID_802_11_AUTHENTICATION_MODE, auth);
  if (!QueryDword(OID_802_11_ENCRYPTION_STATUS, encryption)) encryption = kEncryptionDisabled;
  if (auth != record.AuthMode) return true;
  return !(encryption == record.CipherMode ||
           (record.CipherMode == kEncryptionDisabled && encryption == kEncryptionKeyAbsent));
}

// Timer 3: frames that fail the WEP check while nothing is received mark a
// wrong key; a frame received ends the check. The values read are the new
// baseline.
bool RunWepCheck() {
  XP_WORKER_STATE& state = XpWorkerState();
  BYTE statistics[kStatisticsSize] = {};
  DWORD returned = 0, received = 0;
  QueryOid(OID_802_11_STATISTICS, statistics, sizeof statistics, &returned);
  QueryDword(OID_GEN_RCV_OK, received);
  DWORD low = 0, high = 0;
  std::memcpy(&low, statistics + 8, sizeof low);
  std::memcpy(&high, statistics + 12, sizeof high);
  const ULONGLONG now = (static_cast<ULONGLONG>(high) << 32) | low;
  const ULONGLONG before = (static_cast<ULONGLONG>(state.StatisticsBaseline[1]) << 32) | state.StatisticsBaseline[0];
  bool keep = true;
  if (received != state.ReceivedBaseline) {
    g_bIcvError = 0;
    state.WepCheck = 0;
    keep = false;
  } else if (now >= before && now - before >= kWepMismatchFrames) {
    g_bIcvError = 1;
  }
  state.StatisticsBaseline[0] = low;
  state.StatisticsBaseline[1] = high;
  state.ReceivedBaseline = received;
  return keep;
}

void ReadRadioValue() {
  XP_WORKER_STATE& state = XpWorkerState();
  DWORD value = 0;
  if (QueryDword(OID_VX_PRIVATE_0108, value)) state.RadioValue = value;
  g_bRadioOn = state.RadioValue != 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
  HIDE_DLG_SHARED_MESSAGE_ENTRIES()
  ON_MESSAGE(WM_MEDIA_CONNECT_EVENT, &CHideDlg::OnMediaConnectEvent)
END_MESSAGE_MAP()

// The poll counter and the supplicant layer's view of this worker, registered
// while the worker lives.
struct CHideDlg::BuildParts {
  explicit BuildParts(CHideDlg& worker) : supplicantHost(worker) { SetSupplicantHost(&supplicantHost); }
  ~BuildParts() {
    if (GetSupplicantHost() == &supplicantHost) SetSupplicantHost(nullptr);
  }
  BuildParts(const BuildParts&) = delete;
  BuildParts& operator=(const BuildParts&) = delete;
  CWorkerSupplicantHost supplicantHost;
  UINT pollCounter = 0;
  // The host was torn down after the adapter vanished (once per loss); a
  // new worker starts without a loss behind it.
  bool hostTornDown = false;
};

void CHideDlg::BuildPartsDeleter::operator()(BuildParts* parts) const { delete parts; }

CHideDlg::BuildPartsPtr CHideDlg::MakeBuildParts(CHideDlg& worker) { return BuildPartsPtr(new BuildParts(worker)); }

int CHideDlg::DiscoverAdapter() {
  g_bFirstPassDone = FALSE;
  return EnumAdapters(m_devices, this, [](LPCSTR) {});
}

void CHideDlg::RunRescanStep(int showHost) { Rescan(showHost); }

void CHideDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kHostLayoutTimer) {
    if (CStationHost* host = GetHost()) host->SetLayoutButton(m_bHostCreated);
    return;
  }
  if (nIDEvent == kPollTimer) {
    KillTimer(kPollTimer);
    SetTimer(kPollTimer, kPollPeriodMs, nullptr);
  }
  XP_WORKER_STATE& state = XpWorkerState();
  if (state.Reinitialising) return;
  Trace("Start to Detect Device Removal");
  if (CheckDeviceRemoval() == kDeviceGone) {
    Trace("Detect Device Removal = 2");
    return;
  }
  Trace("Start to Detect WPACapN Windows Util");
  if (g_bHtFamily) CopyTgnWifiTest();
  if (nIDEvent == kXpScanReadTimer) {
    KillTimer(kXpScanReadTimer);
    if (g_bApplyRequested == 1 || state.ScanPending) ProcessActions();
  }
  ReselectSupplicantAdapter();
  Trace("End to Detect WPACapN Windows Util");
  switch (nIDEvent) {
    case kWpsConnectTimer:
      RotateWpsCredential();
      return;
    case kWpsPollValueTimer:
      QueryWpsPollValue();
      break;
    case kWpsStatusTimer:
      CheckWpsStatus();
      break;
    default:
      break;
  }
  PollLinkXp(nIDEvent);
}

int CHideDlg::CheckDeviceRemoval() {
  if (!m_bAdapterFound || !IsAdapterPresent()) {
    KillTimer(kPollTimer);
    if (XpWorkerState().WepCheck) KillTimer(kXpWepCheckTimer);
    if (SupplicantIsInitialised()) SupplicantRelease();
    if (m_pHostDlg && !m_build->hostTornDown) {
      m_build->hostTornDown = true;
      // A password prompt that waits on the host ends as cancelled before
      // the host's dialogs go.
      if (IsPromptActive()) EndPromptDialog();
      TearDownHost();
    }
    g_strDriverKey.Empty();
    m_bAdapterFound = DiscoverAdapter();
    SetTimer(kPollTimer, kPollPeriodMs, nullptr);
    if (!m_bAdapterFound) {
      SetTrayState(kVerdictNotExist);
      g_bUsbFound = 0;
      g_bFirstPassDone = FALSE;
      if (SupplicantIsInitialised()) SupplicantRelease();
      return kDeviceGone;
    }
    m_build->hostTornDown = false;
    SetTrayState(kVerdictDisconnected);
    Rescan(FALSE);
  }
  if (!g_bFirstPassDone) {
    if (SupplicantIsInitialised()) SupplicantRelease();
    g_bFirstPassDone = TRUE;
  }
  if (m_pHostDlg && !IsWindow(m_pHostDlg->GetSafeHwnd())) {
    m_pHostDlg.reset();
    KillTimer(kHostLayoutTimer);
  }
  return 0;
}

void CHideDlg::ReselectSupplicantAdapter() {
  if (!SupplicantIsInitialised() && ConfigToolMode != kConfigToolZeroConfig) SupplicantInit();
  if (ConfigToolMode != kConfigToolZeroConfig) SelectXpSupplicantAdapter();
  DetermineConfigToolMode();
  CStationHost* host = GetHost();
  if (ConfigToolMode == kConfigToolZeroConfig && host) {
    EnableHostTab(host, kHostTabProfile, FALSE);
    EnableHostTab(host, kHostTabWps, FALSE);
  }
}

void CHideDlg::PollLinkXp(UINT_PTR timer) {
  XP_WORKER_STATE& state = XpWorkerState();
  UINT& passes = m_build->pollCounter;
  std::memset(&g_currentSsid, 0, sizeof g_currentSsid);
  std::memset(g_currentBssid, 0, sizeof g_currentBssid);
  DWORD media = kMediaDisconnected, returned = 0;
  if (!QueryDword(OID_GEN_MEDIA_CONNECT_STATUS, media)) media = kMediaDisconnected;
  QueryOid(OID_802_11_BSSID, g_currentBssid, sizeof g_currentBssid, &returned);
  QueryOid(OID_802_11_SSID, &g_currentSsid, sizeof g_currentSsid, &returned);
  g_currentSsid.SsidLength = std::min<ULONG>(g_currentSsid.SsidLength, sizeof g_currentSsid.Ssid);
  const _PROFILE_DATA* record = state.SupplicantCredentials.get();

  DWORD linkEvent = 0;
  const bool down = (QueryDword(OID_VX_LINK_EVENT, linkEvent) && linkEvent == kLinkEventRadioOff) || media != 0 ||
                    IsZeroMac(g_currentBssid);
  if (!down) {
    passes = OnCurrentNetwork(record) ? passes + 1 : 0;
    if (timer == kXpWepCheckTimer && state.WepCheck && !RunWepCheck()) KillTimer(kXpWepCheckTimer);
    SignalStep();
  } else {
    SetTrayState(kVerdictDisconnected);
    g_bIcvError = 0;
    KillTimer(kXpWepCheckTimer);
    if (state.WepCheck) {
      SetTimer(kXpWepCheckTimer, kXpWepCheckMs, nullptr);
      TakeXpWepBaseline();
    }
    if (ConfigToolMode != kConfigToolZeroConfig && g_bRadioOn && !HasHostDlg() && passes != 0 &&
        passes % kRescanPasses == 0)
      RequestRescan();
    ++passes;
  }

  DWORD infrastructure = kAdHoc;
  QueryDword(OID_802_11_INFRASTRUCTURE_MODE, infrastructure);
  const bool compare = !g_b80211h && infrastructure != kAdHoc && passes != 0 && passes % kComparePasses == 0 &&
                       ConfigToolMode != kConfigToolZeroConfig && record && g_bRadioOn && !g_bWpsConnect &&
                       GetActionQueue().empty() && !state.ScanPending && GetCurrentPort();
  if (compare && AssociationDiffers(*record, media) && g_bApplyRequested) {
    if (g_bProfileApplied == 1) {
      if (!record->UseBssid) {
        if (g_bAdministrator)
          LoadAndApplyCurrentProfile(1, 0, 0);
        else
          LoadAndApplyCurrentProfileReadOnly(1);
      }
    } else {
      std::unique_ptr<_PROFILE_DATA> copy;
      CopyProfileData(copy, record);
      copy->AdvancedValid = 0;
      CStationHost* host = GetHost();
      CDialog* prompt = host ? host->GetSecondaryDialog(kHostDlgPeapSetting) : nullptr;
      const bool promptShown = prompt && IsWindow(prompt->GetSafeHwnd()) && prompt->IsWindowVisible();
      if (AddAction(kActionConnect, std::move(copy)) && !promptShown) ProcessActions();
    }
  }

  if (CStationHost* host = GetHost()) {
    ReadRadioValue();
    host->RefreshPages();
  }
}

LRESULT CHideDlg::OnMediaConnectEvent(WPARAM, LPARAM) {
  RefreshXpSiteList(nullptr);
  PostToListPages(WM_BSSLIST_READY, WM_BSSLIST_READY);
  return 0;
}

void CHideDlg::ReleaseAdapterForApMode() {
  if (SupplicantIsInitialised()) {
    pmStop();
    SupplicantRelease();
  }
  StopWzcService(TRUE);
}

UINT CHideDlg::TrayMenuId(BOOL offerAp) {
  if (g_nOsType < kXpOsType) return offerAp ? IDR_WORKER_MENU_AP : IDR_WORKER_MENU;
  if (ConfigToolMode == kConfigToolZeroConfig)
    return offerAp ? IDR_WORKER_MENU_USE_QZCONFIG_AP : IDR_WORKER_MENU_USE_QZCONFIG;
  return offerAp ? IDR_WORKER_MENU_USE_ZERO_CONFIG_AP : IDR_WORKER_MENU_USE_ZERO_CONFIG;
}

void CHideDlg::OnDestroy() {
  ClearWorkerNotifyWnd(m_hWnd);
  FreeWorkerBuffers();
  TellDriverHandOver();
  // The request thread ends first (a waiting prompt as cancelled), then every
  // port is detached: nothing is released after that.
  SupplicantClose();
  // A set of the hand-over that failed above left a retry behind.
  GetSetOidQueue().Free();
  SupplicantSetCurrentProfile(nullptr);
  XpWorkerState().SupplicantCredentials.reset();
  CDialog::OnDestroy();
}
