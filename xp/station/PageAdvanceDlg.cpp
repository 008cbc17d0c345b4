#include "xp/station/PageAdvanceDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PageTopLine.h"
#include "worker/RateSets.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/AdvanceSettings.h"

namespace {

constexpr UINT kRadioIconOn = 212;
constexpr UINT kRadioIconOff = 210;
constexpr UINT kCheckIconOn = 209;
constexpr UINT kCheckIconOff = 207;
constexpr UINT IDS_MODE_HINT = 237;
constexpr UINT IDS_SHOW_AUTH_STATUS = 381;
constexpr UINT IDS_MCS_AUTO = 122;
constexpr int kMcsAuto = 33;
// The threshold edit takes digits and "-".
constexpr WORD kSignedDigits = 0x10;

// The wireless-mode table: number and string id of its text.
struct ModeText {
  int mode;
  UINT stringId;
};
constexpr ModeText kModeTexts[] = {{0, 209}, {1, 208}, {2, 227}, {3, 228}, {4, 2247}, {5, 4271}, {8, 3278}, {9, 3279}};
constexpr int kEmptyTextMode = 6;

constexpr int kCheckIds[] = {IDC_ADV_TX_BURST,  IDC_ADV_TCP_WINDOW,         IDC_ADV_FAST_ROAMING,
                             IDC_ADV_SHOW_AUTH_STATUS, IDC_ADV_CCX,          IDC_ADV_LEAP_CCKM,
                             IDC_ADV_RADIO_MEASUREMENTS, IDC_ADV_LIMIT_ENABLE, IDC_ADV_QOS};
constexpr int kRadioIds[] = {IDC_ADV_HT_MM,   IDC_ADV_HT_GF,     IDC_ADV_BW_20,    IDC_ADV_BW_AUTO,
                             IDC_ADV_GI_LONG, IDC_ADV_GI_AUTO,   IDC_ADV_STBC_NONE, IDC_ADV_STBC_AUTO,
                             IDC_ADV_EXT_NONE, IDC_ADV_EXT_ABOVE, IDC_ADV_EXT_BELOW};

// The right half's 802.11n controls, created hidden.
#define HT_CONTROL_IDS                                                                                              \
  1262, 3281, IDC_ADV_HT_MM, IDC_ADV_HT_GF, 1263, 1264, 3269, IDC_ADV_BW_20, IDC_ADV_BW_AUTO, 1265, 1266, 3270,     \
      IDC_ADV_GI_LONG, IDC_ADV_GI_AUTO, 1267, 1268, 3271, IDC_ADV_STBC_NONE, IDC_ADV_STBC_AUTO, 1269, 1270, 3272, \
      IDC_ADV_MCS, 1284, IDC_ADV_EXT_NONE, IDC_ADV_EXT_ABOVE, IDC_ADV_EXT_BELOW, 1271, 1272, 1273
// Controls the VX32_A family shows but does not let the user change.
#define HT_FIXED_IDS                                                                                               \
  IDC_ADV_HT_MM, IDC_ADV_HT_GF, IDC_ADV_BW_20, IDC_ADV_BW_AUTO, IDC_ADV_GI_LONG, IDC_ADV_GI_AUTO, IDC_ADV_STBC_NONE, \
      IDC_ADV_STBC_AUTO, IDC_ADV_MCS

const char* const kRegionsVx52[] = {"0: FCC, CH1-11",     "1: IC (Canada), CH1-11", "2: ETSI, CH1-13",
                                    "3: SPAIN, CH10-11",  "4: FRANCE, CH10-13",     "5: MKK, CH14",
                                    "6: MKK1(TELEC), CH1-14", "7: ISRAEL, CH3-9"};
const char* const kRegionsBG[] = {"0: CH1-11",  "1: CH1-13",  "2: CH10-11", "3: CH10-13",
                                  "4: CH14",    "5: CH1-14",  "6: CH3-9",   "7: CH5-13"};
const char* const kRegionsA[] = {
    "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165",
    "1: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140",
    "2: CH 36,40,44,48,52,56,60,64",
    "3: CH 52,56,60,64,149,153,157,161",
    "4: CH 149,153,157,161,165",
    "5: CH 149,153,157,161",
    "6: CH 36,40,44,48",
    "7: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140,149,153,157,161,165",
    "8: CH 52, 56, 60, 64"};

const char* const kRatesOfB[] = {"1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"};
const char* const kRatesOfG[] = {"6 Mbps", "9 Mbps", "12 Mbps", "18 Mbps", "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};
constexpr int kMaxRateIndexB = 4;
constexpr int kMaxRateIndexG = 8;

// The program INI's [Advance] switch `key` is the text "1".
bool IniSwitchOn(LPCSTR key) {
  char value[260] = "";
  GetModuleIniString("Advance", key, "0", value, sizeof value, "ini");
  return std::strcmp(value, "1") == 0;
}

void AddTexts(CComboBox& list, const char* const* texts, size_t count) {
  for (size_t i = 0; i < count; ++i) list.AddString(texts[i]);
}

}  // namespace

int CPageAdvanceDlg::s_nEntryRegionBG = -1;
int CPageAdvanceDlg::s_nEntryRegionA = -1;
int CPageAdvanceDlg::s_nEntryMode = -1;

BEGIN_MESSAGE_MAP(CPageAdvanceDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_ADV_APPLY, &CPageAdvanceDlg::OnApply)
  ON_CBN_SELCHANGE(IDC_ADV_MODE, &CPageAdvanceDlg::OnWirelessModeChange)
  ON_CBN_SELCHANGE(IDC_ADV_MCS, &CPageAdvanceDlg::OnMcsChange)
  ON_COMMAND_RANGE(ID_BG_PROTECTION_ON, ID_BG_PROTECTION_OFF, &CPageAdvanceDlg::OnBgProtection)
  ON_BN_CLICKED(IDC_ADV_BW_20, &CPageAdvanceDlg::OnRateRadio)
  ON_BN_CLICKED(IDC_ADV_BW_AUTO, &CPageAdvanceDlg::OnRateRadio)
  ON_BN_CLICKED(IDC_ADV_GI_LONG, &CPageAdvanceDlg::OnRateRadio)
  ON_BN_CLICKED(IDC_ADV_GI_AUTO, &CPageAdvanceDlg::OnRateRadio)
  ON_BN_CLICKED(IDC_ADV_HT_MM, &CPageAdvanceDlg::OnHtRadio)
  ON_BN_CLICKED(IDC_ADV_HT_GF, &CPageAdvanceDlg::OnHtRadio)
  ON_BN_CLICKED(IDC_ADV_STBC_NONE, &CPageAdvanceDlg::OnHtRadio)
  ON_BN_CLICKED(IDC_ADV_STBC_AUTO, &CPageAdvanceDlg::OnHtRadio)
  ON_BN_CLICKED(IDC_ADV_EXT_NONE, &CPageAdvanceDlg::OnHtRadio)
  ON_BN_CLICKED(IDC_ADV_EXT_ABOVE, &CPageAdvanceDlg::OnHtRadio)
  ON_BN_CLICKED(IDC_ADV_EXT_BELOW, &CPageAdvanceDlg::OnHtRadio)
  ON_BN_CLICKED(IDC_ADV_CCX, &CPageAdvanceDlg::OnCheckBox)
  ON_BN_CLICKED(IDC_ADV_RADIO_MEASUREMENTS, &CPageAdvanceDlg::OnCheckBox)
  ON_BN_CLICKED(IDC_ADV_LIMIT_ENABLE, &CPageAdvanceDlg::OnCheckBox)
  ON_BN_CLICKED(IDC_ADV_FAST_ROAMING, &CPageAdvanceDlg::OnCheckBox)
END_MESSAGE_MAP()

CPageAdvanceDlg::CPageAdvanceDlg(CWnd* pParent)
    : CDialog(IDD_PAGE_ADVANCE, pParent), m_strWirelessMode(GetWirelessModeText(3)), m_strMcs(McsToText(kMcsAuto)) {}

CPageAdvanceDlg::~CPageAdvanceDlg() {
  if (m_pMessageBox && m_pMessageBox->GetSafeHwnd()) m_pMessageBox->DestroyWindow();
}

void CPageAdvanceDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ADV_MODE, m_comboMode);
  DDX_Control(pDX, IDC_ADV_TX_RATE, m_comboRate);
  DDX_Control(pDX, IDC_ADV_REGION_BG, m_comboRegionBG);
  DDX_Control(pDX, IDC_ADV_REGION_A, m_comboRegionA);
  DDX_Control(pDX, IDC_ADV_MCS, m_comboMcs);
  DDX_Control(pDX, IDC_ADV_BG_PROTECTION, m_btnBgProtection);
  DDX_Control(pDX, IDC_ADV_APPLY, m_btnApply);
  DDX_Control(pDX, IDC_ADV_THRESHOLD, m_editThreshold);
  for (size_t i = 0; i < std::size(kCheckIds); ++i) DDX_Control(pDX, kCheckIds[i], m_checks[i]);
  for (size_t i = 0; i < std::size(kRadioIds); ++i) DDX_Control(pDX, kRadioIds[i], m_radios[i]);

  // The mode's empty text (mode 6) selects no entry.
  if (pDX->m_bSaveAndValidate || !m_strWirelessMode.IsEmpty())
    DDX_CBString(pDX, IDC_ADV_MODE, m_strWirelessMode);
  else
    m_comboMode.SetCurSel(-1);
  // The lists keep their field when they hold no selection (an empty list of
  // a family without regions); no rate selected reads as "Auto".
  if (pDX->m_bSaveAndValidate) {
    m_nTxRate = std::max(m_comboRate.GetCurSel(), 0);
    if (m_comboRegionBG.GetCurSel() >= 0) m_nRegionBG = m_comboRegionBG.GetCurSel();
    if (m_comboRegionA.GetCurSel() >= 0) m_nRegionA = m_comboRegionA.GetCurSel();
  } else {
    m_comboRate.SetCurSel(m_nTxRate);
    m_comboRegionBG.SetCurSel(m_nRegionBG);
    m_comboRegionA.SetCurSel(m_nRegionA);
  }
  DDX_Check(pDX, IDC_ADV_TX_BURST, m_bTxBurst);
  DDX_Check(pDX, IDC_ADV_TCP_WINDOW, m_bTcpWindow);
  DDX_Check(pDX, IDC_ADV_FAST_ROAMING, m_bFastRoaming);
  DDX_Text(pDX, IDC_ADV_THRESHOLD, m_nThreshold);
  DDV_MinMaxInt(pDX, m_nThreshold, kThresholdMin, kThresholdMax);
  DDX_Check(pDX, IDC_ADV_CCX, m_bCcx);
  DDX_Check(pDX, IDC_ADV_LEAP_CCKM, m_bLeapCckm);
  DDX_Check(pDX, IDC_ADV_RADIO_MEASUREMENTS, m_bRadioMeasurements);
  DDX_Check(pDX, IDC_ADV_LIMIT_ENABLE, m_bLimitEnable);
  DDX_Text(pDX, IDC_ADV_LIMIT, m_nLimit);
  DDV_MinMaxUInt(pDX, m_nLimit, 0, kLimitMax);
  DDX_Check(pDX, IDC_ADV_QOS, m_bQos);
  DDX_Check(pDX, IDC_ADV_SHOW_AUTH_STATUS, m_bShowAuthStatus);
  DDX_Radio(pDX, IDC_ADV_STBC_NONE, m_nStbc);
  DDX_Radio(pDX, IDC_ADV_BW_20, m_nBandwidth);
  DDX_Radio(pDX, IDC_ADV_GI_LONG, m_nGuardInterval);
  DDX_Radio(pDX, IDC_ADV_HT_MM, m_nHtMode);
  DDX_Radio(pDX, IDC_ADV_EXT_NONE, m_nExtChannel);
}

BOOL CPageAdvanceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText("Advance");
  for (CButtonST& check : m_checks) {
    check.LoadIconPair(kCheckIconOn, kCheckIconOff);
    check.SetFlatBorder(FALSE, FALSE);
  }
  for (CButtonST& radio : m_radios) {
    radio.LoadIconPair(kRadioIconOn, kRadioIconOff);
    radio.SetFlatBorder(FALSE, FALSE);
  }
  m_btnBgProtection.AttachDropMenu(IDR_BG_PROTECTION_MENU, GetSafeHwnd(), FALSE, 0, 0, 0, 0);
  m_btnApply.BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  for (CComboBoxSuper* list : {&m_comboMode, &m_comboRate, &m_comboRegionBG, &m_comboRegionA, &m_comboMcs})
    list->SetColumnCount(1);
  m_editThreshold.SetCharClassMask(kSignedDigits);
  ShowControls({IDC_ADV_QOS, 1205}, FALSE);
  FillLists();
  return TRUE;
}

// ---- Lists and reading ----

void CPageAdvanceDlg::FillLists() {
  m_htTable.Rebuild();
  m_comboMode.ResetContent();
  for (int mode : {0, 1}) m_comboMode.AddString(GetWirelessModeText(mode));
  if (g_bSupportBandA)
    for (int mode : {2, 3}) m_comboMode.AddString(GetWirelessModeText(mode));
  if (g_bHtFamily) m_comboMode.AddString(GetWirelessModeText(9));
  if (g_bHtFamily && g_bSupportBandA) m_comboMode.AddString(GetWirelessModeText(5));
  m_comboRate.ResetContent();
  if (!g_bHtFamily) HideHtControls();
  CString label;
  label.LoadString(IDS_SHOW_AUTH_STATUS);
  SetDlgItemText(1313, label);

  m_comboRegionBG.ResetContent();
  m_comboRegionA.ResetContent();
  if (g_nFamilyIndex == 0 || g_nFamilyIndex == 1)
    AddTexts(m_comboRegionBG, kRegionsVx52, std::size(kRegionsVx52));
  else if (g_nFamilyIndex >= 4 && g_nFamilyIndex <= 8)
    AddTexts(m_comboRegionBG, kRegionsBG, std::size(kRegionsBG));
  if (g_nFamilyIndex >= 6 && g_nFamilyIndex <= 8) AddTexts(m_comboRegionA, kRegionsA, std::size(kRegionsA));

  m_comboRate.AddString(McsToText(kMcsAuto));
  if (g_nOsType < 7) EnableControls({IDC_ADV_TCP_WINDOW, 1201}, FALSE);
  LoadFromRegistry();
  if (!g_bAdministrator) LoadFromDriver();
  SetBgProtectionText();
  FillMcsList(m_strMcs);
  UpdateData(FALSE);
  UpdateControlStates();
  OnWirelessModeChange();
  UpdateData(FALSE);
  UpdateControlStates();
  m_bInitialising = 0;
  s_nEntryRegionBG = m_comboRegionBG.GetCurSel();
  s_nEntryRegionA = m_comboRegionA.GetCurSel();
  s_nEntryMode = m_comboMode.GetCurSel();
}

BOOL CPageAdvanceDlg::LoadFromRegistry() {
  if (g_nOsType >= 7) {
    m_bTcpWindow = 0;
    HKEY tcp = OpenTcpParametersKey();
    if (tcp) {
      DWORD value = 0, size = sizeof value;
      m_bTcpWindow = RegQueryValueEx(tcp, kTcpWindowSize, nullptr, nullptr, reinterpret_cast<LPBYTE>(&value),
                                     &size) == ERROR_SUCCESS;
      RegCloseKey(tcp);
    }
  }
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    LoadFromDriver();
    return FALSE;
  }
  int number = 0;
  if (ReadDecimalValue(key, "WirelessMode", number)) m_strWirelessMode = GetWirelessModeText(number);
  int mode = GetWirelessModeIndex(m_strWirelessMode);
  AdjustWirelessMode(mode);
  m_strWirelessMode = GetWirelessModeText(mode);
  g_nWirelessMode = GetWirelessModeIndex(m_strWirelessMode);

  DWORD word = 0;
  if (g_bHtFamily && ReadDwordValue(key, "TransmitSetting", word)) {
    const HtFields ht = UnpackHtFields(word);
    m_nBandwidth = Is40MHzPermitted(g_nWirelessMode) ? ht.bandwidth : 0;
    m_nGuardInterval = ht.guardInterval;
    m_nStbc = ht.stbc;
    m_nHtMode = ht.htMode;
    m_nExtChannel = ht.extChannel;
    m_strMcs = McsToText(ht.mcs);
    g_dwTransmitSetting = word;
  }
  ReadDecimalValue(key, "TXBurst", m_bTxBurst);
  ReadDecimalValue(key, "BGProtection", m_nBgProtection);
  if (g_bRegionEditableBandG) {
    if (ReadDecimalValue(key, "CountryRegion", number)) m_nRegionBG = number & 0x7F;
  } else {
    m_nRegionBG = static_cast<int>(g_dwCountryRegion & 0x7F);
  }
  if (g_bRegionEditableBandA) {
    if (ReadDecimalValue(key, "CountryRegionABand", number)) m_nRegionA = number & 0x7F;
  } else {
    m_nRegionA = static_cast<int>((g_dwCountryRegion >> 8) & 0x7F);
  }
  if (ReadDecimalValue(key, "TransRate", number)) m_nTxRate = std::max(number, 0);
  m_bShowAuthStatus = 0;
  ReadDecimalValue(key, "ShowAuthStatus", m_bShowAuthStatus);
  g_bShowAuthStatus = m_bShowAuthStatus;
  if (ReadDwordValue(key, "CCX2Control", word)) {
    const CcxFields ccx = UnpackCcxControl(word);
    m_bCcx = ccx.ccx;
    m_bLeapCckm = ccx.leapCckm;
    m_bRadioMeasurements = ccx.radioMeasurements;
    m_bLimitEnable = ccx.limitEnable;
    m_bQos = ccx.qos;
    m_bFastRoaming = ccx.fastRoaming;
    m_nLimit = ccx.limit;
    m_nThreshold = ccx.threshold;
  }
  RegCloseKey(key);
  UpdateData(FALSE);
  UpdateControlStates();
  return TRUE;
}

void CPageAdvanceDlg::LoadFromDriver() {
  DWORD mode = 0, returned = 0;
  if (QueryOid(OID_VX_WIRELESS_MODE, &mode, sizeof mode, &returned) && returned == sizeof mode) {
    m_strWirelessMode = GetWirelessModeText(static_cast<int>(mode));
    g_nWirelessMode = static_cast<int>(mode);
  }
  DWORD config[kStationConfigWords] = {};
  if (QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned) && returned == sizeof config) {
    m_bTxBurst = static_cast<int>(config[0]);
    m_nBgProtection = static_cast<int>(config[2]);
  }
  DWORD region = 0;
  if (QueryOid(OID_VX_COUNTRY_REGION, &region, sizeof region, &returned) && returned == sizeof region) {
    m_nRegionBG = static_cast<int>(region & 0x7F);
    m_nRegionA = static_cast<int>((region >> 8) & 0x7F);
  }
  g_bShowAuthStatus = m_bShowAuthStatus;
  UpdateData(FALSE);
  UpdateControlStates();
}

// ---- Control behaviour ----

void CPageAdvanceDlg::UpdateControlStates() {
  const BOOL ccx = m_bCcx != 0;
  EnableControls({IDC_ADV_LEAP_CCKM, 1203, IDC_ADV_RADIO_MEASUREMENTS, 1204, IDC_ADV_QOS, 1205}, ccx);
  EnableControls({IDC_ADV_LIMIT_ENABLE, 1224}, ccx && m_bRadioMeasurements);
  EnableControls({IDC_ADV_LIMIT, 1225}, ccx && m_bRadioMeasurements && m_bLimitEnable);
  EnableControls({IDC_ADV_THRESHOLD}, m_bFastRoaming != 0);
  if (m_strWirelessMode.IsEmpty())
    m_comboMode.SetCurSel(-1);
  else
    m_comboMode.SetCurSel(m_comboMode.FindString(-1, m_strWirelessMode));
}

void CPageAdvanceDlg::OnWirelessModeChange() {
  TakeControls();
  m_bDevicePresent = IsAdapterPresent();
  if (!m_bInitialising && m_bDevicePresent) {
    if (!m_pMessageBox) m_pMessageBox = std::make_unique<CMessageBoxDlg>();
    m_pMessageBox->m_strMessage.LoadString(IDS_MODE_HINT);
    if (!m_pMessageBox->GetSafeHwnd()) m_pMessageBox->Create(IDD_MESSAGE_BOX_DLG, this);
    if (m_pMessageBox->GetSafeHwnd()) {
      m_pMessageBox->UpdateData(FALSE);
      m_pMessageBox->ShowWindow(SW_SHOW);
      m_pMessageBox->CenterWindow();
    }
  }
  m_comboRate.ResetContent();
  ShowHtControls(0, 0);
  const int mode = GetWirelessModeIndex(m_strWirelessMode);
  m_comboRate.AddString(McsToText(kMcsAuto));
  if (mode == 1) {
    AddTexts(m_comboRate, kRatesOfB, std::size(kRatesOfB));
    m_nBgProtection = 0;
    if (m_nTxRate > kMaxRateIndexB) m_nTxRate = 0;
  } else if (mode == 2 || mode == 4) {
    AddTexts(m_comboRate, kRatesOfG, std::size(kRatesOfG));
    m_nBgProtection = 0;
    if (m_nTxRate > kMaxRateIndexG) m_nTxRate = 0;
  } else if (mode != kEmptyTextMode) {
    AddTexts(m_comboRate, kRatesOfB, std::size(kRatesOfB));
    AddTexts(m_comboRate, kRatesOfG, std::size(kRatesOfG));
  }
  SetBgProtectionText();
  if (IsHtWirelessMode(mode)) {
    ShowHtRate();
    ShowHtControls(IniSwitchOn("HT Setting") ? 1 : 0, mode);
  }
  UpdateData(FALSE);
  UpdateControlStates();
  m_nBandwidth = 0;
  UpdateData(FALSE);
  UpdateControlStates();
}

void CPageAdvanceDlg::ShowHtControls(int show, int mode) {
  if (IniSwitchOn("TxRate")) {
    ShowControls({1054, IDC_ADV_TX_RATE}, TRUE);
    EnableControls({IDC_ADV_TX_RATE}, show == 0);
  } else {
    ShowControls({1054, IDC_ADV_TX_RATE}, !g_bHtFamily);
  }
  ShowControls({1208, IDC_ADV_BG_PROTECTION}, IniSwitchOn("BgProtection") || !g_bHtFamily);
  ShowControls({HT_CONTROL_IDS}, show != 0);
  if (!show) return;
  const int permitted = Is40MHzPermitted(mode);
  EnableControls({HT_FIXED_IDS}, TRUE);
  EnableControls({IDC_ADV_BW_AUTO}, permitted);
  if (g_nHtFamilyIndex == 1) EnableControls({HT_FIXED_IDS}, FALSE);
  if (!permitted) m_nBandwidth = 0;
}

void CPageAdvanceDlg::HideHtControls() { ShowControls({HT_CONTROL_IDS, IDC_ADV_HT_RATE}, FALSE); }

void CPageAdvanceDlg::FillMcsList(const CString& text) {
  m_comboMcs.ResetContent();
  m_comboMcs.AddString(McsToText(kMcsAuto));
  for (int mcs = 0; mcs <= 15; ++mcs) m_comboMcs.AddString(McsToText(mcs));
  m_comboMcs.AddString(McsToText(32));
  if (m_comboMcs.SelectString(-1, text) == CB_ERR) {
    m_comboMcs.SetCurSel(0);
    m_comboMcs.GetLBText(0, m_strMcs);
  }
}

void CPageAdvanceDlg::ShowHtRate() {
  const int mcs = GetMcsNumber(m_strMcs);
  double rate = 0;
  CString text;
  if (g_nHtFamilyIndex == 1) {
    int bandwidth = 0;
    if (m_htTable.LookupByIndex(mcs, &rate, &bandwidth))
      text.Format("Tx Rate: %.2f Mbps \n BW:      %d      MHz", rate, bandwidth);
    else
      text = "Tx Rate: Not Available";
  } else if (g_nHtFamilyIndex == 2 || g_nHtFamilyIndex == 3) {
    if (m_htTable.Lookup(m_nBandwidth, m_nGuardInterval, mcs, &rate))
      text.Format("Tx Rate: %.2f Mbps", rate);
    else
      text = "Tx Rate: Not Available";
  }
  SetDlgItemText(IDC_ADV_HT_RATE, text);
}

void CPageAdvanceDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  LoadFromRegistry();
  if (!g_bAdministrator) LoadFromDriver();
  UpdateData(FALSE);
  UpdateControlStates();
  SetTimer(kAdvanceHtTimer, kAdvanceHtPeriodMs, nullptr);
}

void CPageAdvanceDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kAdvanceHtTimer) {
    CDialog::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kAdvanceHtTimer);
  const int mode = GetWirelessModeIndex(m_strWirelessMode);
  if (IsHtWirelessMode(mode)) ShowHtControls(IniSwitchOn("HT Setting") ? 1 : 0, mode);
  SetTimer(kAdvanceHtTimer, kAdvanceHtPeriodMs, nullptr);
}

void CPageAdvanceDlg::OnDestroy() {
  KillTimer(kAdvanceHtTimer);
  CDialog::OnDestroy();
}

void CPageAdvanceDlg::OnPaint() { PaintPageTopLine(this); }

void CPageAdvanceDlg::OnBgProtection(UINT nID) {
  m_nBgProtection = nID == ID_BG_PROTECTION_AUTO ? 0 : nID == ID_BG_PROTECTION_ON ? 1 : 2;
  SetBgProtectionText();
}

void CPageAdvanceDlg::OnMcsChange() {
  TakeControls();
  ShowHtRate();
}

void CPageAdvanceDlg::OnRateRadio() {
  TakeControls();
  ShowHtRate();
}

void CPageAdvanceDlg::OnHtRadio() { TakeControls(); }

void CPageAdvanceDlg::OnCheckBox() {
  TakeControls();
  UpdateControlStates();
}

// ---- Helpers ----

BOOL CPageAdvanceDlg::TakeControls() {
  const BOOL ok = UpdateData(TRUE);
  const int selected = m_comboMcs.GetCurSel();
  if (selected >= 0) m_comboMcs.GetLBText(selected, m_strMcs);
  return ok;
}

int CPageAdvanceDlg::Is40MHzPermitted(int mode) {
  if (mode == 9 || mode == 7) return g_bAllow40MHzBandG;
  if (mode == 8) return g_bAllow40MHzBandA;
  return 1;
}

void CPageAdvanceDlg::SetBgProtectionText() {
  static const char* const kTexts[] = {"AUTO", "ON", "OFF"};
  if (m_nBgProtection >= 0 && m_nBgProtection < static_cast<int>(std::size(kTexts)))
    m_btnBgProtection.SetWindowText(kTexts[m_nBgProtection]);
}

void CPageAdvanceDlg::ShowControls(std::initializer_list<int> ids, BOOL show) {
  for (int id : ids)
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPageAdvanceDlg::EnableControls(std::initializer_list<int> ids, BOOL enable) {
  for (int id : ids)
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

int CPageAdvanceDlg::GetWirelessModeIndex(const CString& text) {
  if (text.IsEmpty()) return kEmptyTextMode;
  for (const ModeText& entry : kModeTexts) {
    CString known;
    known.LoadString(entry.stringId);
    if (known == text) return entry.mode;
  }
  return 0;
}

CString CPageAdvanceDlg::GetWirelessModeText(int mode) {
  CString text;
  if (mode == kEmptyTextMode) return text;
  UINT id = kModeTexts[0].stringId;
  for (const ModeText& entry : kModeTexts)
    if (entry.mode == mode) id = entry.stringId;
  text.LoadString(id);
  return text;
}

CString CPageAdvanceDlg::McsToText(int mcs) {
  CString text;
  if (mcs == kMcsAuto)
    text.LoadString(IDS_MCS_AUTO);
  else
    text.Format("%d", mcs);
  return text;
}

int CPageAdvanceDlg::GetMcsNumber(const CString& text) {
  CString automatic;
  automatic.LoadString(IDS_MCS_AUTO);
  return text == automatic ? kMcsAuto : atoi(text);
}
