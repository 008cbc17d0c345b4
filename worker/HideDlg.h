// CHideDlg: the station worker, a hidden dialog (template 137) on the UI
// thread that exists once while the program is in station mode. It finds the
// adapter, owns the site list, polls the link every 2 seconds and turns it
// into the front end's connection state (code 1 of the UI bridge), applies
// profiles through its action queue, runs the driver's WPS to a connection,
// hears driver events through WMI and Native Wi-Fi, reacts to power suspend
// and resume, and is the worker target of the UI bridge.
//
// Its parts live in files of their own: TrayState.cpp (connection state,
// tray menu and commands), ActionQueue.cpp (queue and current profile),
// BssLists.cpp (site list), HideDlgTimers.cpp and WpsStatus.cpp (the timer
// steps both programs share), in the WavorelVista build vista/HideDlgPoll.cpp
// (message map, timers, poll, Native Wi-Fi relays, destroy),
// vista/ProcessActions.cpp, vista/UpdateBssList.cpp and vista/WpsWorker.cpp,
// and in the Wavorel build xp/worker/HideDlgPollXp.cpp (message map, timers,
// device removal, supplicant, media events, destroy) beside the other
// xp/worker/ files.
//
// The hidden host dialog of the station pages (worker/StationHost.h) is made
// through the factory the program hands over; without one the worker keeps
// no host and every step that acts on the host or its pages finds none.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "worker/ActionQueue.h"
#include "worker/NativeWiFi.h"
#include "worker/StationHost.h"
#include "worker/SupportedDeviceList.h"
#include "worker/WmiListener.h"

// Resources: the worker's dialog template, its tray menus (168 with "Switch
// to AP Mode", 170 without) and the adapter-missing text.
constexpr UINT IDD_HIDE_DLG = 137;
// The hidden host dialog's template.
constexpr UINT IDD_STATION_HOST = 103;
constexpr UINT IDR_WORKER_MENU_AP = 168;
constexpr UINT IDR_WORKER_MENU = 170;
// Wavorel's menus with the configuration-tool choice: 32774 while Zero
// Configuration holds the adapter (173, 175 with "Switch to AP Mode"), 32775
// otherwise (177, 179 with it).
constexpr UINT IDR_WORKER_MENU_USE_QZCONFIG = 173;
constexpr UINT IDR_WORKER_MENU_USE_QZCONFIG_AP = 175;
constexpr UINT IDR_WORKER_MENU_USE_ZERO_CONFIG = 177;
constexpr UINT IDR_WORKER_MENU_USE_ZERO_CONFIG_AP = 179;
constexpr UINT IDS_NIC_NOT_READY = 215;

// Commands of the worker window (its tray menu and the front end).
constexpr UINT ID_WORKER_LAUNCH_CONFIG = 32771;
constexpr UINT ID_WORKER_EXIT = 32772;
constexpr UINT ID_WORKER_SWITCH_TO_AP = 32773;
constexpr UINT ID_WORKER_USE_QZCONFIG = 32774;
constexpr UINT ID_WORKER_USE_ZERO_CONFIG = 32775;

// Messages the worker receives: the tray callback a component may post
// (lParam the mouse message), and the WMI sink's two events.
constexpr UINT WM_WORKER_TRAY_NOTIFY = WM_USER + 100;
constexpr UINT WM_DRIVER_MESSAGE_EVENT = WM_APP + 1;
constexpr UINT WM_MEDIA_CONNECT_EVENT = WM_APP + 3;
// Messages the worker sends to the hidden pages.
constexpr UINT WM_BSSLIST_READY = WM_USER + 4;
constexpr UINT WM_SCAN_ENDED = WM_USER + 6;
constexpr UINT WM_PROFILE_BUTTONS_ENABLE = WM_USER + 7;
// The fixed numbers the task bar's re-creation message may have.
constexpr UINT WM_TASKBAR_CREATED_1 = 0xC050;
constexpr UINT WM_TASKBAR_CREATED_2 = 0xC088;

// The worker window's timers.
constexpr UINT_PTR kPollTimer = 1;            // 2000 ms: the poll
constexpr UINT_PTR kWepLinkTimer = 3;         // 10000 ms after a WEP connect
constexpr UINT_PTR kWpsConnectTimer = 4;      // 10000 ms: WPS credential rotation
constexpr UINT_PTR kWpsPollValueTimer = 5;    // 1000 ms: the driver's WPS poll value
constexpr UINT_PTR kWpsStatusTimer = 6;       // 200 ms: the WPS status step
constexpr UINT_PTR kRescanTimer = 8;          // 4000 ms after radio on or the rescan step
constexpr UINT_PTR kConnectRetryTimer = 9;    // 3000 ms after a failed connect
constexpr UINT_PTR kHostLayoutTimer = 11;     // 200 ms: the host's expand button
constexpr UINT kPollPeriodMs = 2000;
constexpr UINT kHostLayoutPeriodMs = 200;
// Suspend stops the worker timers 0 to 9.
constexpr UINT_PTR kLastSuspendedTimer = 9;

// The poll's verdicts on the link: the icon ids the connection states
// 0..5 are named after (Wavorel's Disconnected and Not Exist are 132, 161).
constexpr UINT kVerdictGood = 139;
constexpr UINT kVerdictDisconnected = WAVOREL_BUILD_XP ? 132 : 141;
constexpr UINT kVerdictNormal = 185;
constexpr UINT kVerdictWeak = 188;
constexpr UINT kVerdictNotExist = WAVOREL_BUILD_XP ? 161 : 189;
constexpr UINT kVerdictWepError = 192;

class CHideDlg : public CDialog {
 public:
  CHideDlg();
  ~CHideDlg() override;
  CHideDlg(const CHideDlg&) = delete;
  CHideDlg& operator=(const CHideDlg&) = delete;

  // The start-up, in order: window text and style, supported-device list,
  // site list, OS type and WOW64, administrator check, adapter discovery and
  // the rescan step, timer 1, tracing, tray state, WMI, the authentication
  // status lines, and last the registration as the bridge's worker window.
  BOOL OnInitDialog() override;

  // TRUE when the host dialog exists and its window is valid.
  BOOL HasHostDlg() const { return m_pHostDlg && IsWindow(m_pHostDlg->GetSafeHwnd()); }
  // The host while its window is valid, else null.
  CStationHost* GetHost() const { return HasHostDlg() ? m_pHostDlg.get() : nullptr; }
  // Shows the host's secondary dialog `index` (0..10) and hides the others;
  // the index becomes the current page. Nothing while the host window is gone.
  void ShowPage(int index);
  int GetCurrentPage() const { return m_nCurrentPage; }
  BOOL IsAdapterFound() const { return m_bAdapterFound; }
  BOOL IsBusy() const { return m_bBusy; }

  // ---- Connection state and tray menu (TrayState.cpp) ----
  // Sends the state of a verdict (any other verdict: state 0, no text).
  void SetTrayState(UINT verdict);
  // Disconnected with an adapter, else Not Exist.
  void InitTrayState();
  // The worker's menu at the cursor: with "Switch to AP Mode" when the AP
  // program and the swap tool are beside the program, the adapter (family 4
  // to 8) was found and the user is an administrator (TrayMenuId).
  void ShowTrayMenu();
  // The menu of the build: 168/170 in WavorelVista; in Wavorel on OS-type
  // index 8 and later 173/175 while Zero Configuration holds the adapter, else
  // 177/179 (168/170 before index 8).
  static UINT TrayMenuId(BOOL offerAp);
  // Nothing while busy or while a host shows. Without an adapter found and
  // present (the double click and "Launch Config Utilities" while it is
  // missing): "NIC or driver not ready" through the front end's
  // message box (busy while it shows). Otherwise creates the host (template
  // 103, hidden), restarts timer 11 and sets the host-created flag.
  void ShowHostDialog();

  // ---- Action queue (ActionQueue.cpp, vista/ProcessActions.cpp) ----
  // Queues a rescan or a connect with `record` (the queue takes it); TRUE
  // when the caller must run ProcessActions now.
  BOOL AddAction(DWORD kind, std::unique_ptr<_PROFILE_DATA> record = nullptr);
  BOOL AddAction(_ACTION_DATA action);
  // Carries the queue out from the front until it is empty or a rescan has
  // been started; the number of entries carried out.
  int ProcessActions();

  // ---- Wavorel (xp/worker/) ----
  // The re-initialisation after the adapter was found; `showHost` TRUE
  // creates and shows the host dialog at the end.
  void Rescan(BOOL showHost);
  // Connects with the current WPS credential; FALSE for an empty table.
  BOOL ConnectWithWpsCredential();
  // Commands 32775 (the adapter to Zero Configuration) and 32774 (back to
  // this program); WavorelVista has neither and does nothing.
  void OnUseZeroConfig();
  void OnUseUtilityConfig();
  // Whether the worker's creation takes the adapter over (command 32774):
  // not in Wavorel while the adapter's first-run choice is Zero
  // Configuration.
  BOOL TakesAdapterOnCreation() const;
  // Wavorel's timer steps: 0 while the adapter is present (or was found
  // again), 2 when it is gone; the supplicant initialised and bound to the
  // adapter unless Zero Configuration holds it.
  int CheckDeviceRemoval();
  void ReselectSupplicantAdapter();

  // Refreshes the scan list and rebuilds the site list (vista/UpdateBssList.cpp).
  void UpdateBssList();
  // One WPS status step of timer 6 (vista/WpsWorker.cpp).
  void CheckWpsStatus();

  // The Native Wi-Fi client (WavorelVista only).
  CNativeWiFi& NativeWiFi();
  CWmiListener& WmiListener() { return m_wmiListener; }

 protected:
  // Every message the map leaves: re-reads the trace switch, then power
  // suspend and resume, the tray callback, the task bar's re-creation and
  // the message trace.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnLaunchConfigUtilities();
  void OnExit();
  void OnSwitchToApMode();
  // Before the switch to AP mode: Wavorel stops and releases the supplicant
  // and stops Zero Configuration (nothing in WavorelVista).
  void ReleaseAdapterForApMode();
  LRESULT OnDriverMessageEvent(WPARAM wParam, LPARAM lParam);
  LRESULT OnUIBridge(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanConnected(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanScanComplete(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanScanFail(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanRadioOff(WPARAM wParam, LPARAM lParam);
  // Posts `message` to the site survey page and, while it is ready, the WPS page.
  void PostToListPages(UINT message, UINT wpsMessage);
  // Presses the site survey page's "Rescan" when the host has that page and the radio is on.
  void PostRescanToSiteSurvey();
  LRESULT OnWlanRadioOn(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanConnectFailed(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanEditProfile(WPARAM wParam, LPARAM lParam);
  // Wavorel: the driver's list merged into the site list, the list pages refreshed.
  LRESULT OnMediaConnectEvent(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // ---- Start-up (HideDlg.cpp) ----
  void CheckAdministrator();
  void StartWmiListener();
  void Trace(LPCSTR text) const;
  // Adapter discovery with the worker's device list and window; opens the
  // Native Wi-Fi interface of the adapter found.
  int DiscoverAdapter();
  // The adapter is there: the adapter state and the 802.1X support flag.
  static void MarkAdapterReady();
  // Frees the site list, the device list, the action queue, the driver
  // retry queue and the current-profile copy.
  void FreeWorkerBuffers();
  // Destroys the host's window and object and stops timer 11.
  void TearDownHost();
  void KillWorkerTimers();

  // ---- The poll (vista/HideDlgPoll.cpp; Wavorel: xp/worker/HideDlgPollXp.cpp) ----
  void Poll(UINT_PTR timer);
  // Wavorel's link poll of one pass of the timer (its steps 10 and 11).
  void PollLinkXp(UINT_PTR timer);
  // Rediscovers a missing adapter; FALSE when it is still missing.
  BOOL CheckAdapter();
  void CopyTgnWifiTest();
  void QueryWpsPollValue();
  void LinkCheck();
  void SignalStep();
  void RunRescanStep(int showHost);
  // Timer 4: the next WPS credential while the link matches none.
  void RotateWpsCredential();
  // ---- Applying actions (vista/ProcessActions.cpp) ----
  // The driver sets of a profile, the Native Wi-Fi connect and the WEP link mark.
  void ApplyProfile(_PROFILE_DATA& record);
  // After an SSID or BSSID set: the CCX control again, and the baselines of a WEP link.
  void AfterLinkSet();
  // The statistics baselines of a WEP link.
  void StoreWepBaselines();

  // What only one build's worker holds (WavorelVista: the Native Wi-Fi
  // client; Wavorel: the poll counter and the supplicant's view of the
  // worker), made with the worker by the build's MakeBuildParts.
  struct BuildParts;
  struct BuildPartsDeleter {
    void operator()(BuildParts* parts) const;
  };
  using BuildPartsPtr = std::unique_ptr<BuildParts, BuildPartsDeleter>;
  static BuildPartsPtr MakeBuildParts(CHideDlg& worker);

  std::unique_ptr<CStationHost> m_pHostDlg;
  BOOL m_bHostCreated = FALSE;
  int m_nCurrentPage = 0;
  BuildPartsPtr m_build;
  CWmiListener m_wmiListener;
  BOOL m_bAdapterFound = FALSE;
  int m_nRescanArgument = 1;
  BOOL m_bBusy = FALSE;
  BOOL m_bTrace = FALSE;
  UINT_PTR m_nTimer8 = 0;
  UINT_PTR m_nTimer9 = 0;
  int m_nRegionQueryFlag = 0;
  CSupportedDeviceList m_devices;
  UINT m_nTaskbarCreatedMessage = 0;
  // The link the last connect made is WEP: its statistics baselines
  // (OID_802_11_STATISTICS words 2 and 3, OID_GEN_RCV_OK).
  BOOL m_bWepLink = FALSE;
  DWORD m_wepBaseline[2] = {};
  DWORD m_rcvOkBaseline = 0;
};

// The worker whose OnInitDialog ran last; null when none exists.
extern CHideDlg* g_pHideDlg;

// Creates the worker (and its window, a modeless dialog with the desktop as
// parent) when it has none, after the settings folders, then sends it
// command 32774 when it takes the adapter over on creation. TRUE when the
// worker window exists.
BOOL CreateHideDlg();
// Commands 32775 and 32772, end code 2, the window destroyed, the worker deleted.
void DestroyHideDlg();
// Posts to the worker window; 0 when there is none.
BOOL PostToHideDlg(UINT message, WPARAM wParam, LPARAM lParam);

// The signal percentage of an RSSI: 100 at -50 dBm or more, (dBm + 80) x 2.6
// + 24 from -80 to -51, (dBm + 90) x 2.6 from -90 to -81, 0 below; cut.
int RssiToPercent(int dBm);
// The verdict of a signal percentage: Good at 71 % or more, Normal from 41 %
// to 70 %, Weak at 40 % or less.
UINT SignalVerdict(int percent);

// The text through the front end's message box: no caption, exclamation
// icon; the box's answer (-1 without a front end).
int WarningMessageBox(LPCSTR text);
// Formats "%02d%s" and posts it to the front end as code 1.
void SendConnectionState(int state, LPCSTR text);
