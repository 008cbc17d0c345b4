// CPageSystemConfigDlg: the first page of the profile editor (template 308):
// profile name, SSID, network type, power save, transmit power, preamble,
// the ad hoc channel and the RTS and fragmentation thresholds of one station
// profile. A hidden page: the front end mirrors it through the UI bridge, so
// the page reports the values it sets (codes 36-39) and takes the user's
// changes as bridge commands 19-22 (RunBridgeCommand).
//
// Its parent is the editor's tab container, its grandparent the editor.
// The power-save, preamble, channel and threshold controls stay hidden in
// this build but still carry their fields, which the editor saves.
#pragma once

#include "platform/Platform.h"
#include "widgets/ButtonST.h"
#include "widgets/ComboBoxSuper.h"
#include "widgets/LinkSlider.h"
#include "widgets/SmartEdit.h"

constexpr UINT IDD_PAGE_SYSTEM_CONFIG = 308;

// Controls.
constexpr int IDC_SC_PROFILE_NAME = 1308;
constexpr int IDC_SC_SSID = 1532;
constexpr int IDC_SC_CHANNEL = 5199;
constexpr int IDC_SC_NETWORK_TYPE = 1315;
constexpr int IDC_SC_PREAMBLE = 1291;
constexpr int IDC_SC_TX_POWER = 1286;
constexpr int IDC_SC_CAM = 1310;
constexpr int IDC_SC_PSM = 1312;
constexpr int IDC_SC_USE_RTS = 1321;
constexpr int IDC_SC_USE_FRAG = 1324;
constexpr int IDC_SC_RTS_SLIDER = 1327;
constexpr int IDC_SC_FRAG_SLIDER = 1329;
constexpr int IDC_SC_RTS_VALUE = 1331;
constexpr int IDC_SC_FRAG_VALUE = 1333;
constexpr int IDC_SC_PROFILE_NAME_LABEL = 1244;
constexpr int IDC_SC_SSID_LABEL = 1248;
constexpr int IDC_SC_POWER_SAVE_LABEL = 1270;
constexpr int IDC_SC_NETWORK_TYPE_LABEL = 1039;
constexpr int IDC_SC_TX_POWER_LABEL = 1283;
constexpr int IDC_SC_PREAMBLE_LABEL = 1318;
constexpr int IDC_SC_CHANNEL_LABEL = 1028;
constexpr int IDC_SC_RTS_LABEL = 1738;
constexpr int IDC_SC_FRAG_LABEL = 1740;
constexpr int IDC_SC_CAM_TEXT = 1742;
constexpr int IDC_SC_PSM_TEXT = 1743;
constexpr int IDC_SC_RTS_MIN_TEXT = 1336;
constexpr int IDC_SC_RTS_MAX_TEXT = 1338;
constexpr int IDC_SC_FRAG_MIN_TEXT = 1340;
constexpr int IDC_SC_FRAG_MAX_TEXT = 1342;

// Menus of the drop-down buttons and their commands.
constexpr UINT IDR_NETWORK_TYPE_MENU = 322;
constexpr UINT IDR_PREAMBLE_MENU = 324;
constexpr UINT IDR_TX_POWER_MENU = 326;
constexpr UINT ID_NETWORK_INFRASTRUCTURE = 32877;
constexpr UINT ID_NETWORK_ADHOC = 32878;
constexpr UINT ID_PREAMBLE_AUTO = 32879;
constexpr UINT ID_PREAMBLE_LONG = 32880;
constexpr UINT ID_TX_POWER_AUTO = 32881;
constexpr UINT ID_TX_POWER_100 = 32891;
constexpr UINT ID_TX_POWER_75 = 32882;
constexpr UINT ID_TX_POWER_50 = 32883;
constexpr UINT ID_TX_POWER_25 = 32884;
constexpr UINT ID_TX_POWER_10 = 32885;
constexpr UINT ID_TX_POWER_LOWEST = 32886;

constexpr int kRtsThresholdMax = 2347;
constexpr int kFragThresholdMin = 256;
constexpr int kFragThresholdMax = 2346;

class CPageSystemConfigDlg : public CDialog {
 public:
  explicit CPageSystemConfigDlg(CWnd* pParent = nullptr);
  ~CPageSystemConfigDlg() override;

  // The defaults of every field.
  void ResetFields();
  // A new profile named `profileName` (reported as code 36): defaults, the
  // site list's SSIDs, infrastructure, transmit power and preamble Auto,
  // the adapter's ad hoc mode and the channel list.
  void LoadDefaults(const CString& profileName);
  // A new profile from a site survey entry: as LoadDefaults, then the
  // entry's SSID (code 37; its row of the SSID list selected), its network
  // type (1 infrastructure, else ad hoc) and the channel of its frequency
  // (code 38) when the channel table has it.
  void LoadFromSite(const CString& profileName, const CString& ssid, int infrastructureMode, DWORD frequencyKhz);
  // After the editor read a stored profile into the fields: the site list's
  // SSIDs (the SSID field selected, or added as a last row), the stored
  // network type, transmit power and preamble, the channel list.
  void LoadFromProfile();
  // Rebuilds the channel combo box for the network type and modes and
  // selects the channel field's row (row 0 when none matches).
  void FillChannelList();
  // Bridge commands 19-22; FALSE for another code.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  // The channel as the page shows it: 208, 212, 216 as "J8", "J12", "J16",
  // any other number "%d".
  static CString ChannelText(int channel);
  // The number of a shown channel: "J8", "J12", "J16" give 208, 212, 216; a
  // text that is no number gives 0.
  static int ChannelNumber(const CString& text);

  BOOL OnInitDialog() override;

  // Fields (the editor and the worker write them, then UpdateData(FALSE)).
  CString m_strProfileName;
  CString m_strSsid;
  CString m_strChannel;
  int m_nAdhocMode = 1;     // the driver's AdhocOfdm numbering
  int m_nNetworkType = 0;   // 1 infrastructure, 0 ad hoc
  int m_nPreamble = 0;      // 0 Auto, 1 Long
  int m_nPowerSave = 0;     // 0 CAM, 1 PSM
  int m_nTxPower = 0;       // 0 Auto, 1 100% .. 6 Lowest
  int m_nACPowerCam = 0;    // stay awake on mains power
  BOOL m_bUseRts = FALSE;
  int m_nRtsSlider = kRtsThresholdMax;
  BOOL m_bUseFrag = FALSE;
  int m_nFragSlider = kFragThresholdMax;
  int m_nRtsValue = kRtsThresholdMax;
  int m_nFragValue = kFragThresholdMax;

  CButtonST& NetworkTypeButton() { return m_btnNetworkType; }
  CButtonST& TxPowerButton() { return m_btnTxPower; }
  CButtonST& PreambleButton() { return m_btnPreamble; }
  CComboBoxSuper& SsidCombo() { return m_comboSsid; }
  CComboBoxSuper& ChannelCombo() { return m_comboChannel; }
  CLinkSlider& RtsSlider() { return m_sliderRts; }
  CLinkSlider& FragSlider() { return m_sliderFrag; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnInfrastructure();
  void OnAdhoc();
  void OnTxPower(UINT nID);
  void OnPreamble(UINT nID);
  void OnUseRts();
  void OnUseFrag();
  void OnPowerSave();
  void OnRtsChange();
  void OnFragChange();
  void OnPaint();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // The SSID combo box from the worker's site list; returns the row whose
  // SSID equals `match` (case-sensitive), -1 when none does.
  int FillSsidList(const CString& match);
  void EnableControl(int id, BOOL enable);
  void ShowControl(int id, BOOL show);
  // The ad hoc mode from word 5 of the adapter's station configuration.
  void ReadAdhocMode();

  CButtonST m_btnNetworkType;
  CButtonST m_btnPreamble;
  CButtonST m_btnTxPower;
  CButtonST m_radioCam;
  CButtonST m_radioPsm;
  CButtonST m_checkRts;
  CButtonST m_checkFrag;
  CComboBoxSuper m_comboSsid;
  CComboBoxSuper m_comboChannel;
  CLinkSlider m_sliderRts;
  CLinkSlider m_sliderFrag;
  CSmartEdit m_editRts;
  CSmartEdit m_editFrag;
  // Set while DoDataExchange runs: the edits' change notices it causes are
  // not taken as typing.
  BOOL m_bExchanging = FALSE;
};

