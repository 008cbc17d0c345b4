// CPageAdvanceDlg: Wavorel's advanced settings page (template 145), a hidden
// page of the station host. It edits the radio settings the driver reads from
// the adapter's driver key: wireless mode, the two country regions, TX rate,
// TX burst, B/G protection, the CCX 2.0 options with fast roaming, the
// authentication-status option, the 802.11n settings and the TCP/IP window
// tuning. "&APPLY" stores them, sets them on the driver and, when the mode or
// a region changed, reconnects and rescans (PageAdvanceApply.cpp). UI thread
// only.
#pragma once

#include <initializer_list>
#include <memory>

#include "platform/Platform.h"
#include "station/status/HTTable.h"
#include "widgets/ButtonST.h"
#include "widgets/ComboBoxSuper.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/SmartEdit.h"
#include "xp/station/AdvanceSettings.h"
#include "xp/station/MessageBoxDlg.h"

constexpr UINT IDD_PAGE_ADVANCE = 145;
constexpr UINT IDR_BG_PROTECTION_MENU = 270;
constexpr UINT ID_BG_PROTECTION_AUTO = 32888;
constexpr UINT ID_BG_PROTECTION_ON = 32887;
constexpr UINT ID_BG_PROTECTION_OFF = 32889;

constexpr int IDC_ADV_MODE = 1107;
constexpr int IDC_ADV_BG_PROTECTION = 1207;
constexpr int IDC_ADV_TX_RATE = 1044;
constexpr int IDC_ADV_TX_BURST = 1109;
constexpr int IDC_ADV_TCP_WINDOW = 1119;
constexpr int IDC_ADV_FAST_ROAMING = 1117;
constexpr int IDC_ADV_THRESHOLD = 1106;
constexpr int IDC_ADV_SHOW_AUTH_STATUS = 1312;
constexpr int IDC_ADV_REGION_BG = 1000;
constexpr int IDC_ADV_REGION_A = 1001;
constexpr int IDC_ADV_CCX = 1112;
constexpr int IDC_ADV_LEAP_CCKM = 1110;
constexpr int IDC_ADV_RADIO_MEASUREMENTS = 1114;
constexpr int IDC_ADV_LIMIT_ENABLE = 1115;
constexpr int IDC_ADV_LIMIT = 1220;
constexpr int IDC_ADV_QOS = 1116;
constexpr int IDC_ADV_APPLY = 1136;
constexpr int IDC_ADV_HT_MM = 3282;
constexpr int IDC_ADV_HT_GF = 1283;
constexpr int IDC_ADV_BW_20 = 3273;
constexpr int IDC_ADV_BW_AUTO = 3274;
constexpr int IDC_ADV_GI_LONG = 4275;
constexpr int IDC_ADV_GI_AUTO = 4276;
constexpr int IDC_ADV_STBC_NONE = 3277;
constexpr int IDC_ADV_STBC_AUTO = 1278;
constexpr int IDC_ADV_MCS = 1279;
constexpr int IDC_ADV_HT_RATE = 1280;
constexpr int IDC_ADV_EXT_NONE = 1285;
constexpr int IDC_ADV_EXT_ABOVE = 1286;
constexpr int IDC_ADV_EXT_BELOW = 1287;

constexpr UINT_PTR kAdvanceHtTimer = 1;
constexpr UINT kAdvanceHtPeriodMs = 1000;

class CPageAdvanceDlg : public CDialog {
 public:
  explicit CPageAdvanceDlg(CWnd* pParent = nullptr);
  ~CPageAdvanceDlg() override;
  CPageAdvanceDlg(const CPageAdvanceDlg&) = delete;
  CPageAdvanceDlg& operator=(const CPageAdvanceDlg&) = delete;

  // Skins the controls, hides "Enable QOS", then FillLists.
  BOOL OnInitDialog() override;

  // Lists by the adapter's bands and family, the settings read, the controls
  // set; ends the initialising state and remembers the selections at entry.
  void FillLists();
  // The driver key's and TCP/IP values into the fields; FALSE (the driver's
  // live values read instead) when the driver key does not open.
  BOOL LoadFromRegistry();
  // The driver's wireless mode, station configuration and country region.
  void LoadFromDriver();
  // Dependent enable states; the mode text selected in list 1107.
  void UpdateControlStates();
  // The rate list and HT controls for the chosen mode (CBN_SELCHANGE of 1107).
  void OnWirelessModeChange();
  void ShowHtControls(int show, int mode);
  void HideHtControls();
  // The MCS list, the first entry beginning with `text` selected.
  void FillMcsList(const CString& text);
  // Label 1280: the rate of the chosen MCS.
  void ShowHtRate();

  // "&APPLY" (PageAdvanceApply.cpp).
  void OnApply();
  BOOL SaveToRegistry();
  void ApplyToDriver();
  void ApplyWmmForHtMode();

  // The wireless-mode maps over the mode table: a text matching none gives
  // 0; numbers 7 and above 9 give "802.11 B/G mix", 6 the empty text.
  static int GetWirelessModeIndex(const CString& text);
  static CString GetWirelessModeText(int mode);
  // MCS 33 is "Auto".
  static CString McsToText(int mcs);
  static int GetMcsNumber(const CString& text);

  // The selections of lists 1000, 1001 and 1107 when the page was filled or
  // last reconnected: Apply reconnects only when one of them changed.
  static int s_nEntryRegionBG;
  static int s_nEntryRegionA;
  static int s_nEntryMode;

  // Page fields (controls 1107 ... 1279).
  CString m_strWirelessMode;
  int m_nBgProtection = 0;
  int m_nTxRate = 0;
  int m_bTxBurst = 0;
  int m_bTcpWindow = 0;
  int m_bFastRoaming = 0;
  int m_nThreshold = -70;
  int m_nRegionBG = 0;
  int m_nRegionA = 0;
  int m_bCcx = 0;
  int m_bLeapCckm = 0;
  int m_bRadioMeasurements = 0;
  int m_bLimitEnable = 0;
  UINT m_nLimit = 250;
  int m_bQos = 0;
  int m_bShowAuthStatus = 0;
  int m_nStbc = 0;
  int m_nBandwidth = 0;
  int m_nGuardInterval = 0;
  int m_nHtMode = 0;
  int m_nExtChannel = 0;
  CString m_strMcs;
  int m_bDevicePresent = 0;
  int m_bInitialising = 1;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnPaint();
  void OnBgProtection(UINT nID);
  void OnMcsChange();
  void OnRateRadio();
  void OnHtRadio();
  void OnCheckBox();

  DECLARE_MESSAGE_MAP()

 private:
  // The CCX fields (the limit switch cleared first without radio measurements).
  CcxFields CcxOfFields();
  // The HT fields with the normalised mode.
  HtFields HtOfFields(int mode) const;
  // The controls into the fields and the MCS text from list 1279; FALSE
  // when a value was refused.
  BOOL TakeControls();
  // 40 MHz is permitted in the band of `mode`.
  static int Is40MHzPermitted(int mode);
  void SetBgProtectionText();
  void ShowControls(std::initializer_list<int> ids, BOOL show);
  void EnableControls(std::initializer_list<int> ids, BOOL enable);
  // Reconnects with the current profile after a changed mode or region.
  void Reconnect();
  // The empty SSID, then the driver key's CCX control word.
  static void SetEmptySsidAndCcx();

  CComboBoxSuper m_comboMode;
  CComboBoxSuper m_comboRate;
  CComboBoxSuper m_comboRegionBG;
  CComboBoxSuper m_comboRegionA;
  CComboBoxSuper m_comboMcs;
  CButtonST m_btnBgProtection;
  CShadeButtonST m_btnApply;
  CSmartEdit m_editThreshold;
  CButtonST m_checks[9];
  CButtonST m_radios[11];
  CHTTable m_htTable;
  std::unique_ptr<CMessageBoxDlg> m_pMessageBox;
};
