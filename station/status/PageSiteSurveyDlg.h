// CPageSiteSurveyDlg: the hidden site survey page (template 160), a tab page
// of the station host. It keeps its own copy of the worker's site list, shows
// one row per network in a CQuickList (sorted by SSID, channel or signal,
// the connected network marked), mirrors the list to the front end (codes
// 26-30) and connects to the selected network or opens the profile editor
// filled from it. The worker drives it through the UI bridge (codes 3-8).
//
// A connection is one _PROFILE_DATA record that BuildConnectProfile fills
// from the selected BSS and the pending-connection fields below (the
// security editor and the hidden-SSID prompt write them) and hands to the
// worker's action queue; it is never saved as a profile.
//
// The members that reach the adapter (StartAdapterView, OnBssListReady,
// RefreshConnection, UpdateButtons, QueueConnection) differ per build: through
// Native Wi-Fi in vista/PageSiteSurveyNative.cpp (WavorelVista), through driver
// codes and the worker's queue in xp/station/status/PageSiteSurveyDlgXp.cpp
// (Wavorel); the connect path is in PageSiteSurveyConnect.cpp.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "station/profiles/SecurityChoices.h"
#include "station/status/ShowDbmFlag.h"
#include "station/status/SiteList.h"
#include "widgets/ButtonST.h"
#include "widgets/QuickList.h"
#include "widgets/Separator.h"
#include "widgets/ShadeButtonST.h"
#include "worker/ProfileData.h"

class CHiddenSsidDlg;

// The template and control ids of each build (WavorelVista, Wavorel).
constexpr UINT IDD_PAGE_SITE_SURVEY = WAVOREL_BUILD_XP ? 144 : 160;
// Controls.
constexpr int IDC_SS_LIST = WAVOREL_BUILD_XP ? 1014 : 1017;
constexpr int IDC_SS_RESCAN = WAVOREL_BUILD_XP ? 1015 : 1018;
constexpr int IDC_SS_CONNECT = WAVOREL_BUILD_XP ? 1016 : 1019;
constexpr int IDC_SS_ADD_TO_PROFILE = WAVOREL_BUILD_XP ? 1067 : 1107;
// The radio group: three consecutive ids in the XP build, 1096, 1099, 1102 in the Vista build.
constexpr int IDC_SS_SORT_SSID = WAVOREL_BUILD_XP ? 1062 : 1096;
constexpr int IDC_SS_SORT_CHANNEL = WAVOREL_BUILD_XP ? 1063 : 1099;
constexpr int IDC_SS_SORT_SIGNAL = WAVOREL_BUILD_XP ? 1064 : 1102;
constexpr int IDC_SS_SSID_LABEL = WAVOREL_BUILD_XP ? 1287 : 1662;
constexpr int IDC_SS_CHANNEL_LABEL = WAVOREL_BUILD_XP ? 1288 : 1665;
constexpr int IDC_SS_SIGNAL_LABEL = WAVOREL_BUILD_XP ? 1289 : 1668;
constexpr int IDC_SS_SHOW_DBM = WAVOREL_BUILD_XP ? 1065 : 1104;
constexpr int IDC_SS_SHOW_DBM_LABEL = WAVOREL_BUILD_XP ? 1290 : 1671;
constexpr int IDC_SS_SEPARATOR = WAVOREL_BUILD_XP ? 1045 : 1057;
constexpr int IDC_SS_STATIC = WAVOREL_BUILD_XP ? 1066 : 1106;
// Resources: the row images and the texts.
constexpr UINT IDB_SITE_IMAGES = WAVOREL_BUILD_XP ? 167 : 201;
// "No selected item".
constexpr UINT IDS_SS_NO_SELECTED_ITEM = WAVOREL_BUILD_XP ? 109 : 115;
constexpr UINT IDS_SS_RESCAN = 13;
constexpr UINT IDS_SS_CONNECT = 14;
constexpr UINT IDS_SS_ADD_TO_PROFILE = 15;
constexpr UINT IDS_SS_SIGNAL = 18;
constexpr UINT IDS_SS_AP_LIST = 6391;
constexpr UINT IDS_SS_CHANNEL = 6403;
constexpr UINT IDS_SS_SSID = 6404;
constexpr UINT IDS_SS_SHOW_DBM = 6405;
// The page's timer.
constexpr UINT_PTR kSiteSurveyTimer = 1;
constexpr UINT kSiteSurveyPeriodMs = 2000;
// The list's columns.
enum SiteColumn {
  kSiteColConnected = 0,
  kSiteColSsid,
  kSiteColNetworkType,
  kSiteColChannel,
  kSiteColA,
  kSiteColB,
  kSiteColG,
  kSiteColN,
  kSiteColSecurity,
  kSiteColSignalText,
  kSiteColSignalBar,
  kSiteColCount
};
// The row images of bitmap 201.
constexpr int kSiteImageA = 2;
constexpr int kSiteImageB = 3;
constexpr int kSiteImageG = 4;
constexpr int kSiteImageLock = 5;
constexpr int kSiteImageConnected = 6;
constexpr int kSiteImageWps = 8;
constexpr int kSiteImageN = 9;
// The connected-row state once a connected BSSID is known.
constexpr int kSiteConnectedKnown = -3;


class CPageSiteSurveyDlg : public CDialog {
 public:
  static constexpr int kKeyCount = 4;
  static constexpr int kKeyBytes = 14;

  explicit CPageSiteSurveyDlg(CWnd* pParent = nullptr);
  ~CPageSiteSurveyDlg() override;
  CPageSiteSurveyDlg(const CPageSiteSurveyDlg&) = delete;
  CPageSiteSurveyDlg& operator=(const CPageSiteSurveyDlg&) = delete;

  BOOL OnInitDialog() override;

  // ---- The list ----
  // Sets the rescan-pending flag, asks the worker for a scan, UpdateButtons.
  void OnRescan();
  // The worker's scan finished: its list is rebuilt, then the page's.
  LRESULT OnBssListReady(WPARAM wParam, LPARAM lParam);
  // Sorts the worker's list, copies it and rebuilds the rows; reports them.
  void RebuildList();
  // The timer's step: a pending rebuild, the radio, the connected row.
  void RefreshConnection();
  // Every row unmarked, `row` marked when connected; code 27 with the row.
  void MarkConnected(int row, BOOL notConnected);
  // Enables the buttons for the radio, a pending rescan and the interface.
  void UpdateButtons();
  // Bridge code 5: UpdateButtons, then code 29 with Connect's state.
  void UpdateConnectButton();
  // Bridge code 4: selects the row and reports its details (code 28).
  void SelectSite(int row);

  // ---- Connecting (bridge codes 6 and 7) ----
  void ConnectSelected(int row);
  void OnAddToProfile();
  // Fills the connection record from the selected BSS and the pending
  // fields and queues it on the worker.
  void BuildConnectProfile();
  // The pending-connection fields back to their reset values.
  void ResetSecurity();
  // The choices of the security editor back to their reset values.
  void ResetSecurityChoices();
  // A secured network: the host's security editor takes the connection.
  void PrepareConnectPages();
  // The security editor's OK: its choices become the pending ones and the
  // connection is built.
  void ConnectWithChoices(const SecurityChoices& choices);
  // The hidden-SSID prompt's OK: the SSID entered becomes the pending one;
  // a secured network goes on in the security editor (TRUE), an open one is
  // connected (FALSE).
  BOOL ContinueWithHiddenSsid(const NDIS_802_11_SSID& ssid);
  // The selected security kind of a site authentication text.
  static int AuthTextToMode(const CString& text);

  // ---- What the page holds ----
  const std::vector<SiteRow>& GetRows() const { return m_rows; }
  int GetRowCount() const { return static_cast<int>(m_rows.size()); }
  // The record of a row in the page's copy (and its Length), or null.
  const BYTE* RecordOfRow(int row, DWORD* length = nullptr) const;
  const BYTE* GetSiteCopy() const { return m_siteCopy.get(); }
  const _PROFILE_DATA* GetConnectRecord() const { return m_pConnectRecord.get(); }
  CQuickList& List() { return m_list; }
  CShadeButtonST& ConnectButton() { return m_btnConnect; }
  CShadeButtonST& AddToProfileButton() { return m_btnAddToProfile; }

  // Bound to the radio group (0 SSID, 1 channel, 2 signal).
  int m_nSortKey = kSiteSortSsid;
  int m_bRescanPending = 0;
  int m_nConnectedState = 0;
  // Wavorel: the timer's ticks on which the connected BSSID had no accepted
  // row since the last rescan it asked for.
  int m_nNotFoundTicks = 0;
  // Wavorel: the ad hoc OFDM word of the station configuration block, read
  // when the page starts.
  DWORD m_dwAdhocOfdm = 0;

  // ---- The pending connection ----
  int m_nProfileAuthMode = 0;    // NDIS authentication mode to use
  int m_nProfileCipherMode = 1;  // NDIS encryption status to use
  CString m_strSiteAuth;         // the BSS's security text, first field
  CString m_strSiteCipher;       // second field
  int m_nChosenAuth = 0;    // security editor: 0 open, 1 shared, 2 LEAP, 3 WPA, 4 WPA-PSK, 5 WPA2, 6 WPA2-PSK, 7 WPA-None
  int m_nChosenCipher = 0;  // 0 none, 1 WEP, 2 TKIP, 3 AES
  int m_nUse8021X = 0;
  CString m_strPassPhrase;
  int m_nDefaultKeyIndex = 0;  // the transmit key, 0..3
  int m_nKeyLength[kKeyCount] = {};
  BYTE m_keys[kKeyCount][kKeyBytes] = {};
  _8021X_DATA m_8021x;
  CString m_strLeapUserName;
  CString m_strLeapPassword;
  CString m_strLeapDomain;
  int m_nLeapCipher = 0;  // 1 TKIP, 2 AES
  BYTE m_bLeapFlag = 0;       // "CCX2Control" bit 0 when the security editor opened
  int m_bCcxCckm = 0;         // "CCX2Control" bit 1 (LEAP CCKM) then
  int m_bHiddenSsidEntered = 0;
  int m_nSecurityKind = 0;  // AuthTextToMode, or the clicked row's secured flag
  int m_bSecured = 0;
  const BYTE* m_pSelectedRecord = nullptr;
  int m_bByBssid = 0;
  int m_bBySsid = 0;
  NDIS_802_11_SSID m_ssid{};  // the hidden-SSID prompt writes it
  BYTE m_bssid[6] = {};

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnSortKey();
  void OnShowDbm();
  void OnConnect();
  LRESULT OnGetItem(WPARAM wParam, LPARAM lParam);
  void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
  void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  // The page's first look at the adapter: WavorelVista reads the radio state
  // and rescans while it is on; Wavorel marks the list for the timer's
  // rebuild and reads the ad hoc OFDM word.
  void StartAdapterView();
  // Whether WPA and 802.1X connections can be made: WavorelVista once the
  // worker found the adapter, Wavorel once the supplicant took it.
  static bool AdapterTakesSecurity();
  // A connection to a row begins: Wavorel ends a pending credential prompt
  // and records the site survey, not a stored profile, as the link's source;
  // WavorelVista keeps no source here.
  static void MarkConnectionFromSite();
  // "Config" cleared, the connection record handed to the worker's queue.
  void QueueConnection();
  // Row count, visible rows redrawn, code 26 with the rows.
  void FillList();
  // The site auth and cipher texts, secured and the security kind of the
  // selected record.
  void TakeSiteSecurity();
  // The first selected row of the list, -1 when none.
  int SelectedRow() const;
  // The host's hidden-SSID prompt, or null.
  static CHiddenSsidDlg* HiddenSsidPrompt();
  // Shows a secondary dialog of the host in its lower area.
  static void OpenHostDialog(int index);
  void OpenProfileEditorFromSite();
  // The SSID the connection uses: the prompt's when it gave one, else the BSS's.
  NDIS_802_11_SSID ConnectSsid() const;

  std::unique_ptr<BYTE[]> m_siteCopy;
  std::vector<SiteRow> m_rows;
  std::vector<DWORD> m_rowOffsets;  // each row's record in the copy
  std::vector<DWORD> m_detailRecord;  // the detail view's record, aligned
  CImageList m_images;
  std::unique_ptr<_PROFILE_DATA> m_pConnectRecord;
  UINT_PTR m_nTimer = 0;

  CQuickList m_list;
  CShadeButtonST m_btnRescan;
  CShadeButtonST m_btnConnect;
  CShadeButtonST m_btnAddToProfile;
  CButtonST m_radioSort[3];
  CButtonST m_checkShowDbm;
  CSeparator m_separator;
};
