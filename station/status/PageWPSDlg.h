// CPageWPSDlg: the hidden Wi-Fi Protected Setup page (template 345), a tab
// page of the station host. It lists the access points of the worker's BSS
// list that carry a WPS element and the credentials of the module's table,
// starts push-button and PIN runs in the driver as enrollee or registrar,
// polls the driver's state word (timer 2) into a status text and a progress
// percentage, and on success reads, stores and connects the credentials; it
// then watches the credential connection (timer 4), and connects, rotates,
// disconnects, deletes, exports and shows credentials on request. The worker
// drives it with bridge codes 64-72; it reports to the front end with codes
// 85-96.
//
// While its window exists the page is the one WPS poller: its
// initialisation stops the worker's WPS timers and its destruction hands
// them back.
//
// The run (starts, the state poll, the timers) is in PageWPSRun.cpp, the
// credential buttons in PageWPSCredentials.cpp, the members that reach the
// adapter through Native Wi-Fi in vista/PageWPSNative.cpp.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "station/status/WpsApList.h"
#include "widgets/ButtonST.h"
#include "widgets/ComboBoxSuper.h"
#include "widgets/ProgressCtrlX.h"
#include "widgets/QuickList.h"
#include "widgets/Separator.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/SmartEdit.h"

// The template of each build (WavorelVista, Wavorel).
constexpr UINT IDD_PAGE_WPS = WAVOREL_BUILD_XP ? 263 : 345;
// Controls.
constexpr int IDC_WPS_AP_SEPARATOR = 1553;
constexpr int IDC_WPS_AP_LIST = 3255;
constexpr int IDC_WPS_RESCAN = 3256;
constexpr int IDC_WPS_INFORMATION = 3261;
constexpr int IDC_WPS_PIN_GROUP = 1544;
constexpr int IDC_WPS_PIN_EDIT = 1539;
constexpr int IDC_WPS_RENEW = 3258;
constexpr int IDC_WPS_CONFIG_GROUP = 1747;
constexpr int IDC_WPS_CONFIG_MODE = 1847;
constexpr int IDC_WPS_PROFILE_SEPARATOR = 1554;
constexpr int IDC_WPS_PROFILE_LIST = 5258;
constexpr int IDC_WPS_DETAIL = 1595;
constexpr int IDC_WPS_CONNECT = 3266;
constexpr int IDC_WPS_ROTATE = 4267;
constexpr int IDC_WPS_DISCONNECT = 4268;
constexpr int IDC_WPS_EXPORT = 4270;
constexpr int IDC_WPS_DELETE = 4269;
constexpr int IDC_WPS_PIN = 3257;
constexpr int IDC_WPS_PBC = 3262;
constexpr int IDC_WPS_ASSOCIATE_IE = 3271;
constexpr int IDC_WPS_PROBE_IE = 4272;
constexpr int IDC_WPS_AUTO_SELECT = WAVOREL_BUILD_XP ? 1349 : 1824;
constexpr int IDC_WPS_PROGRESS = 5264;
constexpr int IDC_WPS_STATUS = 4260;
constexpr int IDC_WPS_WIRELESS_LABEL = 1806;
constexpr int IDC_WPS_WIRELESS_MODE = WAVOREL_BUILD_XP ? 1343 : 1801;
// Texts.
constexpr UINT IDS_WPS_AP_LIST = 6246;
constexpr UINT IDS_WPS_PROFILE_LIST = 6247;
constexpr UINT IDS_WPS_RESCAN = 13;
constexpr UINT IDS_WPS_CONNECT = 14;
constexpr UINT IDS_WPS_DELETE = 50;
// Wavorel's string 56 is its link page's "IP Address >>".
constexpr UINT IDS_WPS_RESCANNING = WAVOREL_BUILD_XP ? 535 : 56;
constexpr UINT IDS_WPS_PROGRESS_FORMAT = 68;
constexpr UINT IDS_WPS_NO_SELECTED_ITEM = 115;
constexpr UINT IDS_WPS_WIRELESS_LABEL = 320;
constexpr UINT IDS_WPS_INFORMATION = 487;
constexpr UINT IDS_WPS_PIN_CODE = 488;
constexpr UINT IDS_WPS_DETAIL = 489;
constexpr UINT IDS_WPS_DISCONNECT = 490;
constexpr UINT IDS_WPS_ROTATE = 506;
constexpr UINT IDS_WPS_ASSOCIATE_IE = 507;
constexpr UINT IDS_WPS_PROBE_IE = 508;
constexpr UINT IDS_WPS_CONFIG_MODE = 517;
constexpr UINT IDS_WPS_ENROLLEE = 518;
constexpr UINT IDS_WPS_REGISTRAR = 519;
constexpr UINT IDS_WPS_EXPORT = 520;
constexpr UINT IDS_WPS_RENEW = 521;
constexpr UINT IDS_WPS_AUTO = 530;
constexpr UINT IDS_WPS_PREFER_5G = 531;
constexpr UINT IDS_WPS_PREFER_24G = 532;
constexpr UINT IDS_WPS_BAND_AUTO = 533;
constexpr UINT IDB_WPS_IMAGES = 201;
// The page's timers.
enum WpsPageTimer : UINT_PTR {
  kWpsRescanWaitTimer = 1,  // Wavorel: 3500 ms (5500 ms in wireless modes 2 and 3) after a rescan
  kWpsStatePollTimer = 2,   // 200 ms: the driver's state word
  kWpsRunLimitTimer = 3,    // 20 000 ms: a run without auto-select
  kWpsConnectWatchTimer = 4,  // 2000 ms: the credential connection
  kWpsButtonWatchTimer = 6,   // 1000 ms: a run the driver began by itself
  kWpsWalkTimer = 7,          // 120 000 ms: the walk of an automatic PIN run
  kWpsAutoStepTimer = 8,      // 5000 ms: the next AP of an automatic PIN run
};
// The WPS methods of a run.
enum WpsMethod { kWpsMethodNone = 0, kWpsMethodPin = 1, kWpsMethodPbc = 2 };
// The config modes (combo 1847).
enum WpsConfigMode { kWpsEnrollee = 0, kWpsRegistrar = 1 };

// The WPS state shared by the page and the worker beside the credential
// table and the values of WorkerGlobals.h / WpsWorker.h.
extern int g_nWpsMethod;
extern int g_nWpsAutoApIndex;

class CPageWPSDlg : public CDialog {
 public:
  explicit CPageWPSDlg(CWnd* pParent = nullptr);
  ~CPageWPSDlg() override;
  CPageWPSDlg(const CPageWPSDlg&) = delete;
  CPageWPSDlg& operator=(const CPageWPSDlg&) = delete;

  BOOL OnInitDialog() override;
  // Bridge codes 64-72 (the worker took the value from the bridge).
  void RunBridgeCommand(UINT code, const CString& value);

  // ---- Operations other parts call ----
  void UpdateButtons();
  // Rebuilds the AP list from the worker's BSS list; 1 when that list existed.
  int BuildApList();
  // Rebuilds the credential rows from the table (mark -1), reports them.
  void LoadProfileList();
  // Ends the credential connection: progress reset, flags cleared and
  // stored, the link dropped, the current row unmarked.
  void Disconnect();
  // Empties the AP list and reports it.
  void ClearApList();

  // ---- PINs ----
  static DWORD GeneratePin();
  // The PIN edit's text before a PIN start; FALSE with its message.
  BOOL ValidatePin();
  // Registrar mode: record 0 becomes the credential the adapter hands out.
  void MakeRegistrarCredential();

  // ---- What the page holds ----
  const std::vector<WpsApEntry>& GetApEntries() const { return m_apEntries; }
  const std::vector<WpsProfileEntry>& GetProfileEntries() const { return m_profileEntries; }
  const BYTE* GetPageBss() const { return m_pageBss.get(); }
  CQuickList& ApList() { return m_apList; }
  CQuickList& ProfileList() { return m_profileList; }
  CProgressCtrlX& Progress() { return m_progress; }
  CSmartEdit& PinEdit() { return m_editPin; }
  const CString& GetStatusText() const { return m_strStatus; }
  const CString& GetPinText() const { return m_strPin; }

  int m_bAssociateIe = 1;
  int m_bProbeIe = 1;
  int m_bAutoSelect = 0;
  int m_bWalkTimerArmed = 0;
  int m_bRescanPending = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  LRESULT OnBssListReady(WPARAM wParam, LPARAM lParam);
  LRESULT OnScanEnded(WPARAM wParam, LPARAM lParam);
  LRESULT OnQuickListGetItem(WPARAM wParam, LPARAM lParam);
  void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);

 public:
  // ---- Buttons and choices (the message map's handlers) ----
  void OnBnClickedPbc();
  void OnBnClickedPin();
  void OnBnClickedRescan();
  void OnBnClickedInformation();
  void OnBnClickedProfileDetail();
  void OnBnClickedConnect();
  void OnBnClickedRotate();
  void OnBnClickedDisconnect();
  void OnBnClickedDelete();
  void OnBnClickedExportProfile();
  void OnBnClickedRenewPin();
  void OnBnClickedAutoSelect();
  void OnSelchangeConfigMode();
  void OnSelchangeWirelessMode();
  void OnChangePinCode();
  // The driver began a push-button run by itself.
  void OnDriverPbcStart();

 private:
  DECLARE_MESSAGE_MAP()

  // ---- The run (PageWPSRun.cpp) ----
  int StartRun();
  int StopTimers();
  void ResetProgress(int reset);
  // Timer 2: one state word turned into text, progress and follow-ups.
  void PollState();
  // State 15: the credentials read once, stored and connected.
  void OnConfigured();
  // The next AP of an automatic PIN run after a failed one; TRUE when the
  // run went on (the text is then not shown).
  BOOL RetryNextAp();
  BOOL AutoApIndexValid() const;
  // Timer 4: the credential connection's watch.
  void WatchConnection();
  // The start request's sets after 0xFFF10151 (PIN: the auto-pick flag first).
  void SendStart(const BYTE* request, DWORD size);
  // The table, the stored BSSID and the credential rows cleared.
  void ClearCredentials();
  void SetProgress(int percent);
  void SetStatus(const CString& text);
  void RecolourProgress();

  // ---- The link and the scans, per build: Native Wi-Fi in
  // vista/PageWPSNative.cpp (WavorelVista), driver codes, the supplicant and
  // the worker's queue in xp/station/status/PageWPSDlgXp.cpp (Wavorel) ----
  // Off the network before a run: WavorelVista disconnects and deletes every
  // Native Wi-Fi profile; Wavorel stops the supplicant's port, sets open
  // authentication and, unless `disassociate` is FALSE (the restart of a run
  // the driver began), disassociates.
  static void DropLinkAndProfiles(BOOL disassociate);
  // WavorelVista: every Native Wi-Fi profile deleted (Wavorel has none).
  static void DeleteAllNativeProfiles();
  // The link ended: by Native Wi-Fi and the driver's disconnect code, or by
  // the supplicant's port and the driver's disassociate code.
  static void DisconnectLink();
  static BOOL IsLinkConnected();
  // What follows the Disconnect button: WavorelVista deletes its Native Wi-Fi
  // profiles, Wavorel applies the current station profile again.
  static void AfterDisconnect();
  static void DeleteNativeProfileOfSsid(const BYTE* ssid, DWORD length);
  // The scan the Rescan button asks for: WavorelVista waits for the worker's
  // scan-ended message, Wavorel for timer 1.
  void StartRescanWait();
  // Timer 1 (Wavorel): the scan had its time; the AP list is refilled.
  void OnRescanWaitEnded();
  // Timer 3 (Wavorel): a run without automatic AP choice reads the driver's
  // list into the worker's scan buffer and refills the AP list.
  void OnRunLimitTick();
  // Takes record `row` out of the credential table (the later ones move down,
  // the stored BSSID goes with the last record).
  void RemoveCredential(int row);

  // ---- Helpers ----
  int SelectedApRow() const;
  int SelectedProfileRow() const;
  void FillApList();
  void FillProfileList();
  // A profile row's mark, reported with code 88.
  void MarkProfileRow(int row, int mark);
  void EnableButton(CWnd& button, BOOL enable, UINT code);
  void ShowPinForMode();
  void SetWirelessMode(int mode);
  static void OpenHostDialog(int index);
  static CString LoadText(UINT id);

  std::unique_ptr<BYTE[]> m_pageBss;
  CString m_strPin;
  CString m_strStatus;
  CImageList m_images;
  std::vector<WpsApEntry> m_apEntries;
  std::vector<WpsProfileEntry> m_profileEntries;
  DWORD m_dwGeneratedPin = 0;
  int m_nTickCounter = 1;
  // The record the detail view reads, aligned.
  std::vector<DWORD> m_detailRecord;

  CSeparator m_apSeparator;
  CQuickList m_apList;
  CShadeButtonST m_btnRescan;
  CShadeButtonST m_btnInformation;
  CSmartEdit m_editPin;
  CShadeButtonST m_btnRenew;
  CComboBoxSuper m_comboConfigMode;
  CSeparator m_profileSeparator;
  CQuickList m_profileList;
  CShadeButtonST m_btnDetail;
  CShadeButtonST m_btnConnect;
  CShadeButtonST m_btnRotate;
  CShadeButtonST m_btnDisconnect;
  CShadeButtonST m_btnExport;
  CShadeButtonST m_btnDelete;
  CShadeButtonST m_btnPin;
  CShadeButtonST m_btnPbc;
  CButtonST m_checkAssociateIe;
  CButtonST m_checkProbeIe;
  CButtonST m_checkAutoSelect;
  CProgressCtrlX m_progress;
  CComboBoxSuper m_comboWirelessMode;
  CFont m_progressFont;
};
