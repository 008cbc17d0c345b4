#include "softap/ConfigPage_AP.h"

#include "platform/mfc/ControlRef.h"
#include <algorithm>
#include <cstdlib>

#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "softap/ApChannelRules.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApRecords.h"
#include "softap/ApSettings.h"
#include "softap/AuthSecuDlg_AP.h"
#include "softap/HideDlg_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/DriverCodes.h"
#include "worker/PasswordHash.h"
#include "worker/ProfileData.h"
#include "worker/Settings.h"

namespace {

// Values read from the driver key are cut to what a 128-byte buffer holds.
constexpr int kReadRoom = 127;
constexpr int kSsidBytes = 32;
constexpr int kMinBeacon = 20;
constexpr int kMaxBeacon = 1000;
constexpr int kMinIdle = 60;
constexpr int kMaxIdle = 3600;
constexpr int kDefaultIdle = 300;
constexpr int kMaxChannelItems = 64;
constexpr int kTxPowerPercent[] = {100, 75, 50, 25, 12};

// The controls hidden on an adapter without 802.11n.
constexpr int kHtControls[] = {IDC_AP_HT_GROUP, IDC_AP_GI_LABEL, IDC_AP_STBC_LABEL, IDC_AP_GI_LONG,
                               IDC_AP_STBC_NONE, IDC_AP_GI_AUTO, IDC_AP_STBC_AUTO, IDC_AP_MCS_LABEL,
                               IDC_AP_MCS, IDC_AP_TX_RATE_INFO, IDC_AP_HT_MODE_LABEL, IDC_AP_HT_MM,
                               IDC_AP_HT_GF, IDC_AP_EXT_LABEL, IDC_AP_EXT_CHANNEL, IDC_AP_ALLOW_BW40};

CString loaded(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

BOOL readText(HKEY key, LPCSTR name, CString& value) {
  CString text;
  if (!ReadApText(key, name, text)) return FALSE;
  value = text.Left(kReadRoom);
  return TRUE;
}

// A 32-bit value of exactly REG_DWORD and 4 bytes; anything else is missing.
BOOL readDword(HKEY key, LPCSTR name, DWORD& value) {
  BYTE data[4] = {};
  DWORD type = 0, size = sizeof data;
  if (RegQueryValueEx(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) return FALSE;
  if (type != REG_DWORD || size != sizeof data) return FALSE;
  value = wavorel::wire::getU32(data);
  return TRUE;
}

// Sets `record` with `setOid` when the driver's answer to `queryOid` differs.
void setWhenDifferent(DWORD queryOid, DWORD setOid, ApRecord record) {
  ApRecord current(record.size(), 0);
  DWORD returned = 0;
  QueryDriverOid_AP(queryOid, current.data(), static_cast<DWORD>(current.size()), &returned);
  if (current != record) SetDriverRecord_AP(setOid, std::move(record));
}

ApRecord dwordRecord(DWORD value) {
  ApRecord record(4, 0);
  wavorel::wire::putU32(record.data(), value);
  return record;
}

CString selectedText(CComboBox& combo) {
  CString text;
  const int sel = combo.GetCurSel();
  if (sel >= 0) combo.GetLBText(sel, text);
  return text;
}

}  // namespace

IMPLEMENT_DYNCREATE(CConfigPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CConfigPage_AP, CPropertyPage)
  ON_BN_CLICKED(IDC_AP_APPLY, &CConfigPage_AP::OnApplyClicked)
  ON_BN_CLICKED(IDC_AP_DEFAULT, &CConfigPage_AP::OnDefault)
  ON_BN_CLICKED(IDC_AP_SECURITY, &CConfigPage_AP::OnSecurity)
  ON_BN_CLICKED(IDC_AP_USE_MAC, &CConfigPage_AP::OnUseMac)
  ON_CBN_SELCHANGE(IDC_AP_WIRELESS_MODE, &CConfigPage_AP::OnWirelessModeChange)
  ON_CBN_SELCHANGE(IDC_AP_REGION_BG, &CConfigPage_AP::OnRegionChange)
  ON_CBN_SELCHANGE(IDC_AP_REGION_A, &CConfigPage_AP::OnRegionChange)
  ON_BN_CLICKED(IDC_AP_AUTO_CHANNEL, &CConfigPage_AP::OnAutoChannel)
  ON_CBN_SELCHANGE(IDC_AP_CHANNEL, &CConfigPage_AP::OnChannelChange)
  ON_CBN_SELCHANGE(IDC_AP_MCS, &CConfigPage_AP::OnRateChoice)
  ON_BN_CLICKED(IDC_AP_GI_LONG, &CConfigPage_AP::OnRateChoice)
  ON_BN_CLICKED(IDC_AP_GI_AUTO, &CConfigPage_AP::OnRateChoice)
  ON_BN_CLICKED(IDC_AP_BW_20, &CConfigPage_AP::OnBandwidth20)
  ON_BN_CLICKED(IDC_AP_BW_40, &CConfigPage_AP::OnBandwidth40)
  ON_BN_CLICKED(IDC_AP_ALLOW_BW40, &CConfigPage_AP::OnAllowBw40)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CConfigPage_AP::CConfigPage_AP() : CPropertyPage(kTemplate, IDS_AP_CONFIG_CAPTION) {}

CConfigPage_AP::~CConfigPage_AP() = default;

void CConfigPage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_AP_REGION_A, m_comboRegionA);
  DDX_Control(pDX, IDC_AP_REGION_BG, m_comboRegionBG);
  DDX_Control(pDX, IDC_AP_WIRELESS_MODE, m_comboWirelessMode);
  DDX_Control(pDX, IDC_AP_TX_POWER, m_comboTxPower);
  DDX_Control(pDX, IDC_AP_PROTECTION, m_comboProtection);
  DDX_Control(pDX, IDC_AP_TX_RATE, m_comboTxRate);
  DDX_Control(pDX, IDC_AP_PREAMBLE, m_comboPreamble);
  DDX_Control(pDX, IDC_AP_TX_ANT, m_comboTxAnt);
  DDX_Control(pDX, IDC_AP_RX_ANT, m_comboRxAnt);
  DDX_Control(pDX, IDC_AP_CHANNEL, m_comboChannel);
  DDX_Control(pDX, IDC_AP_MCS, m_comboMcs);
  DDX_Control(pDX, IDC_AP_EXT_CHANNEL, m_comboExtChannel);
  DDX_Text(pDX, IDC_AP_SSID, m_strSsid);
  DDX_CBIndex(pDX, IDC_AP_PREAMBLE, m_nPreamble);
  DDX_Text(pDX, IDC_AP_BEACON, m_nBeacon);
  DDX_Text(pDX, IDC_AP_FRAG, m_nFragment);
  DDX_Text(pDX, IDC_AP_RTS, m_nRts);
  DDX_Check(pDX, IDC_AP_TX_BURST, m_bTxBurst);
  DDX_Check(pDX, IDC_AP_NO_FORWARDING, m_bNoForwarding);
  DDX_Check(pDX, IDC_AP_HIDE_SSID, m_bHideSsid);
  DDX_Text(pDX, IDC_AP_TX_ANT_LABEL, m_strTxAntLabel);
  DDX_Text(pDX, IDC_AP_RX_ANT_LABEL, m_strRxAntLabel);
  DDX_Text(pDX, IDC_AP_FRAG_LABEL, m_strFragLabel);
  DDX_Text(pDX, IDC_AP_RTS_LABEL, m_strRtsLabel);
  DDX_Text(pDX, IDC_AP_SSID_LABEL, m_strSsidLabel);
  DDX_Text(pDX, IDC_AP_TX_RATE_LABEL, m_strTxRateLabel);
  DDX_Text(pDX, IDC_AP_PREAMBLE_LABEL, m_strPreambleLabel);
  DDX_Text(pDX, IDC_AP_BEACON_LABEL, m_strBeaconLabel);
  DDX_Text(pDX, IDC_AP_WIRELESS_MODE_LABEL, m_strModeLabel);
  DDX_Text(pDX, IDC_AP_PROTECTION_LABEL, m_strProtectionLabel);
  DDX_Text(pDX, IDC_AP_TX_POWER_LABEL, m_strTxPowerLabel);
  DDX_Check(pDX, IDC_AP_TURBO, m_bTurbo);
  DDX_Check(pDX, IDC_AP_SHORT_SLOT, m_bShortSlot);
  DDX_CBString(pDX, IDC_AP_WIRELESS_MODE, m_strWirelessMode);
  DDX_CBIndex(pDX, IDC_AP_PROTECTION, m_nProtection);
  DDX_Check(pDX, IDC_AP_AUTO_CHANNEL, m_bAutoChannel);
  DDX_CBIndex(pDX, IDC_AP_TX_POWER, m_nTxPower);
  DDX_CBIndex(pDX, IDC_AP_REGION_BG, m_nRegionBG);
  DDX_CBIndex(pDX, IDC_AP_REGION_A, m_nRegionA);
  DDX_Text(pDX, IDC_AP_IDLE, m_nIdleTime);
  DDX_Radio(pDX, IDC_AP_STBC_NONE, m_nStbc);
  DDX_Radio(pDX, IDC_AP_BW_20, m_nBandwidth);
  DDX_Radio(pDX, IDC_AP_GI_LONG, m_nGuardInterval);
  DDX_Radio(pDX, IDC_AP_HT_MM, m_nHtMode);
  DDX_CBString(pDX, IDC_AP_MCS, m_strMcs);
  DDX_CBString(pDX, IDC_AP_EXT_CHANNEL, m_strExtChannel);
  DDX_Check(pDX, IDC_AP_ALLOW_BW40, m_bAllowBw40);
  DDX_CBIndex(pDX, IDC_AP_TX_RATE, m_nTxRate);
}

// ---- Start ----

CString CConfigPage_AP::DefaultSsid() { return FormatString("%s-SoftAP", static_cast<LPCSTR>(GetMLText("CompanyName"))); }

void CConfigPage_AP::QueryMac(BYTE mac[6]) {
  std::fill(mac, mac + 6, BYTE{0});
  DWORD returned = 0;
  QueryDriverOid_AP(OID_802_3_CURRENT_ADDRESS, mac, 6, &returned);
}

void CConfigPage_AP::SelectWirelessModeText() {
  int sel = m_comboWirelessMode.FindString(-1, m_strWirelessMode);
  if (sel < 0) sel = 0;
  m_comboWirelessMode.SetCurSel(sel);
  NotifyUIInt(BRIDGE_UI_AP_MODE_SELECT, m_comboWirelessMode.GetCurSel(), TRUE);
}

BOOL CConfigPage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_htTable.Build();
  m_strWirelessMode = kBand24Text;
  m_bAllowBw40 = TRUE;

  static const UINT kTexts[][2] = {
      {IDC_AP_DEFAULT, IDS_AP_DEFAULT},          {IDC_AP_APPLY, IDS_AP_APPLY},
      {IDC_AP_SECURITY, IDS_AP_SECURITY_SETTING}, {IDC_AP_USE_MAC, IDS_AP_USE_MAC},
      {IDC_AP_TX_BURST, IDS_AP_TX_BURST},        {IDC_AP_TURBO, IDS_AP_TURBO_RATE},
      {IDC_AP_SHORT_SLOT, IDS_AP_SHORT_SLOT},    {IDC_AP_HIDE_SSID, IDS_AP_HIDE_SSID},
      {IDC_AP_NO_FORWARDING, IDS_AP_NO_FORWARDING}, {IDC_AP_AUTO_CHANNEL, IDS_AP_AUTO_CHANNEL},
      {IDC_AP_ALLOW_BW40, IDS_AP_ALLOW_BW40},    {IDC_AP_REGION_GROUP, IDS_AP_REGION_CODE},
      {IDC_AP_IDLE_LABEL, IDS_AP_IDLE_TIME}};
  for (const auto& pair : kTexts) SetDlgItemText(static_cast<int>(pair[0]), loaded(pair[1]));
  m_strProtectionLabel = loaded(IDS_AP_WIRELESS_PROTECTION);
  m_strTxPowerLabel = loaded(IDS_AP_TX_POWER);
  m_strModeLabel = loaded(IDS_AP_WIRELESS_MODE);
  m_strTxRateLabel = loaded(IDS_AP_TX_RATE);
  m_strTxAntLabel = loaded(IDS_AP_TX_ANTENNA);
  m_strRxAntLabel = loaded(IDS_AP_RX_ANTENNA);
  m_strSsidLabel = loaded(IDS_AP_SSID);
  m_strPreambleLabel = loaded(IDS_AP_PREAMBLE);
  m_strFragLabel = loaded(IDS_AP_FRAG_THRESHOLD);
  m_strRtsLabel = loaded(IDS_AP_RTS_THRESHOLD);
  m_strBeaconLabel = loaded(IDS_AP_BEACON);

  const std::vector<CString> regionTexts = BandARegionTexts(g_nApFamilyIndex);
  if (!regionTexts.empty()) {
    m_comboRegionA.ResetContent();
    for (const CString& text : regionTexts) m_comboRegionA.AddString(text);
  }

  if (!g_bApRegionBandG) {
    GetDlgItem(IDC_AP_REGION_GROUP)->EnableWindow(FALSE);
    m_comboRegionBG.EnableWindow(FALSE);
  }
  if (!g_bApRegionBandA) {
    m_comboRegionA.EnableWindow(FALSE);
    GetDlgItem(g_bApRegionBandG ? IDC_AP_REGION_GROUP : IDC_AP_REGION_BG)->EnableWindow(FALSE);
  }
  if (!g_bApSupportBandA) {
    GetDlgItem(IDC_AP_REGION_A_LABEL)->ShowWindow(SW_HIDE);
    m_comboRegionA.ShowWindow(SW_HIDE);
  }

  m_comboProtection.ResetContent();
  for (const char* item : {"Auto", "ON", "OFF"}) m_comboProtection.AddString(item);
  m_comboProtection.SetCurSel(m_nProtection);
  for (const char* item : {"Auto", "Antenna A", "Antenna B"}) {
    m_comboTxAnt.AddString(item);
    m_comboRxAnt.AddString(item);
  }
  m_comboPreamble.ResetContent();
  for (const char* item : {"Long Preamble", "Short Preamble"}) m_comboPreamble.AddString(item);
  m_comboPreamble.SetCurSel(m_nPreamble);
  m_comboTxRate.ResetContent();
  for (const char* item : {"Auto", "1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"}) m_comboTxRate.AddString(item);
  m_comboTxPower.AddString("Lowest");
  m_comboTxPower.SetCurSel(m_nTxPower);

  m_comboWirelessMode.ResetContent();
  NotifyUI(BRIDGE_UI_AP_MODE_LIST, "", TRUE);
  m_comboWirelessMode.AddString(kBand24Text);
  NotifyUI(BRIDGE_UI_AP_MODE_ITEM, kBand24Text, TRUE);
  if (g_bApSupportBandA) m_comboWirelessMode.AddString(kBand5Text);

  if (!g_bApHtFamily)
    for (int id : kHtControls) GetDlgItem(id)->ShowWindow(SW_HIDE);

  BYTE mac[6];
  QueryMac(mac);
  m_strSsid = DefaultSsid();
  NotifyUI(BRIDGE_UI_AP_SSID, m_strSsid, TRUE);
  ReadSettings();
  SelectWirelessModeText();
  FillMcsCombo(m_strMcs);
  BuildChannelLists();
  OnAutoChannel();
  Refresh(FALSE);
  OnWirelessModeChange();
  m_strMacSsid = FormatString("AP%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return TRUE;
}

BOOL CConfigPage_AP::OnSetActive() {
  SetTimer(kHtTimer, kHtTimerMs, nullptr);
  return CPropertyPage::OnSetActive();
}

void CConfigPage_AP::OnOK() { CPropertyPage::OnOK(); }

BOOL CConfigPage_AP::Refresh(BOOL bSave) {
  UpdateData(bSave);
  if (bSave) {
    if (m_comboChannel.GetCurSel() >= 0) m_strChannel = selectedText(m_comboChannel);
    if (m_comboMcs.GetCurSel() >= 0) m_strMcs = selectedText(m_comboMcs);
  }
  return TRUE;
}

// ---- Reading the store ----

BOOL CConfigPage_AP::ReadSettings() {
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key);
  int value = 0;
  if (readText(key, "SSID", m_strSsid)) NotifyUI(BRIDGE_UI_AP_SSID, m_strSsid, TRUE);
  if (ReadApInt(key, "WirelessMode", value)) m_strWirelessMode = WirelessModeToText(value);
  m_strWirelessMode = NormalizeWirelessModeText(m_strWirelessMode);
  g_nApWirelessMode = WirelessModeFromText(m_strWirelessMode);
  readText(key, "Channel", m_strChannel);
  if (g_bApHtFamily) {
    ReadApInt(key, "AllowBW40Capability", m_bAllowBw40);
    DWORD word = 0;
    if (readDword(key, "TransmitSetting", word)) {
      const HtSettings ht = UnpackTransmitSetting(word);
      m_nBandwidth = ht.bandwidth;
      m_nGuardInterval = ht.guardInterval;
      m_nStbc = ht.stbc;
      m_nHtMode = ht.htMode;
      m_strMcs = ht.mcs == kMcsAuto ? CString("Auto") : FormatString("%d", ht.mcs);
      m_strExtChannel = ExtChannelTextFromWord(ht, ChannelFromText(m_strChannel));
    }
  }
  if (ReadApInt(key, "TransRate", m_nTxRate) && m_nTxRate < 0) m_nTxRate = 0;
  ReadApInt(key, "TXPower", m_nTxPower);
  ReadApInt(key, "BGProtection", m_nProtection);
  // A region beyond its list reads as the first one.
  if (g_bApRegionBandG) {
    if (ReadApInt(key, "CountryRegion", value)) m_nRegionBG = value & 127;
  } else {
    m_nRegionBG = static_cast<int>(g_dwApCountryRegion & 127);
  }
  if (m_nRegionBG >= m_comboRegionBG.GetCount()) m_nRegionBG = 0;
  if (g_bApRegionBandA) {
    if (ReadApInt(key, "CountryRegionABand", value)) m_nRegionA = value & 127;
  } else {
    m_nRegionA = static_cast<int>((g_dwApCountryRegion >> 8) & 127);
  }
  if (m_nRegionA >= m_comboRegionA.GetCount()) m_nRegionA = 0;
  if (ReadApInt(key, "PreambleType", m_nPreamble) && m_nPreamble > 1) m_nPreamble = 0;
  ReadApInt(key, "BeaconPeriod", m_nBeacon);
  ReadApInt(key, "RtsThresh", m_nRts);
  ReadApInt(key, "FragThresh", m_nFragment);
  ReadApInt(key, "TXBurst", m_bTxBurst);
  ReadApInt(key, "TurboRate", m_bTurbo);
  ReadApInt(key, "NoForwarding", m_bNoForwarding);
  ReadApInt(key, "HideSSID", m_bHideSsid);
  ReadApInt(key, "ShortSlot", m_bShortSlot);
  ReadApInt(key, "AutoChannelSelect", m_bAutoChannel);

  DWORD number = 0;
  if (ReadApDword(key, kApAuthValueName, number)) m_security.AuthMode = static_cast<DWORD>(AuthIndexFromStored(number));
  if (ReadApDword(key, kApCipherValueName, number))
    m_security.Encryption = static_cast<DWORD>(CipherIndexFromStored(number));
  ReadApDword(key, "RadiusIP", m_security.RadiusServer);
  ReadApDword(key, "RadiusPort", m_security.RadiusPort);
  readText(key, "RadiusKey", m_security.RadiusKey);
  ReadApDword(key, "RekeyInterval", m_security.RekeyInterval);
  ReadApDword(key, "RekeyMethod", m_security.RekeyMethod);
  if (readText(key, "WPAPSK", m_security.PreSharedKey)) g_strApWpaPsk = m_security.PreSharedKey;
  if (ReadApInt(key, "WEPKeyUse", value)) m_security.DefaultKey = static_cast<DWORD>(std::clamp(value - 1, 0, 3));
  for (int n = 0; n < 4; ++n) {
    ReadApDword(key, FormatString("WEPKey%dType", n + 1), m_security.KeyType[n]);
    readText(key, FormatString("WEPKey%d", n + 1), m_security.Key[n]);
  }
  if (ReadApInt(key, "IdleTime", m_nIdleTime) && (m_nIdleTime < kMinIdle || m_nIdleTime > kMaxIdle))
    m_nIdleTime = kDefaultIdle;
  if (key) RegCloseKey(key);
  Refresh(FALSE);
  return TRUE;
}

// ---- Lists ----

void CConfigPage_AP::BuildChannelLists() {
  const std::vector<BYTE> bandG = BandGChannels(m_nRegionBG);
  const std::vector<BYTE> bandA = BandAChannels(m_nRegionA, g_nApFamilyIndex);
  m_nChannels24 = static_cast<int>(std::min(bandG.size(), sizeof m_channels24));
  std::copy_n(bandG.begin(), m_nChannels24, m_channels24);
  m_nChannels5 = static_cast<int>(std::min(bandA.size(), sizeof m_channels5));
  std::copy_n(bandA.begin(), m_nChannels5, m_channels5);
}

void CConfigPage_AP::FillChannelCombo() {
  if (m_comboChannel.GetCurSel() >= 0) m_strChannel = selectedText(m_comboChannel);
  m_comboChannel.ResetContent();
  NotifyUI(BRIDGE_UI_AP_CHANNEL_CLEAR, "", TRUE);
  auto add = [this](int channel) {
    const CString text = ChannelDisplayText(channel);
    m_comboChannel.AddString(text);
    NotifyUI(BRIDGE_UI_AP_CHANNEL_ITEM, text, TRUE);
  };
  const int mode = WirelessModeFromText(m_strWirelessMode);
  if (mode == 9) {
    const bool wide = m_bAllowBw40 && m_nChannels24 > 0 && m_channels24[m_nChannels24 - 1] - m_channels24[0] >= 4;
    EnableExtChannel(wide ? TRUE : FALSE);
    m_nBandwidth = wide ? 1 : 0;
  }
  if (mode == 0 || mode == 9) {
    for (int i = 0; i < m_nChannels24; ++i) add(m_channels24[i]);
  } else if (mode == 2 || mode == 8) {
    const bool wideChecked = IsDlgButtonChecked(IDC_AP_BW_40) == BST_CHECKED;
    for (int i = 0; i < m_nChannels5; ++i)
      if (mode == 2 || !wideChecked || (m_channels5[i] != 140 && m_channels5[i] != 165)) add(m_channels5[i]);
  }
  const CString current = ChannelDisplayText(ChannelFromText(m_strChannel));
  m_comboChannel.SetCurSel(m_comboChannel.FindStringExact(-1, current));
  NotifyUIInt(BRIDGE_UI_AP_CHANNEL_SELECT, m_comboChannel.GetCurSel(), TRUE);
  if (m_comboChannel.GetCurSel() < 0) {
    m_comboChannel.SetCurSel(0);
    NotifyUIInt(BRIDGE_UI_AP_CHANNEL_SELECT, m_comboChannel.GetCurSel(), TRUE);
  }
  FillExtChannelCombo();
  Refresh(FALSE);
}

void CConfigPage_AP::FillExtChannelCombo() {
  m_comboExtChannel.ResetContent();
  std::vector<int> items;
  CString text;
  for (int i = 0; i < std::min(m_comboChannel.GetCount(), kMaxChannelItems); ++i) {
    m_comboChannel.GetLBText(i, text);
    items.push_back(std::atoi(text));
  }
  const int sel = m_comboChannel.GetCurSel();
  if (sel < 0 || sel >= static_cast<int>(items.size())) return;
  const int channel = items[static_cast<size_t>(sel)];
  if (channel < 36) {
    for (int ext : ExtChannels24(items, channel)) {
      m_comboExtChannel.AddString(FormatString("%d", ext));
      m_comboExtChannel.SetCurSel(0);
    }
  } else {
    const int partner = ExtChannelPartner5(channel);
    m_comboExtChannel.AddString(partner ? FormatString("%d", partner) : CString("none"));
    m_comboExtChannel.SetCurSel(0);
  }
  UpdateAllowBw40(m_bAllowBw40);
}

void CConfigPage_AP::UpdateAllowBw40(int checkState) {
  const int mode = WirelessModeFromText(m_strWirelessMode);
  ControlRef<CButton> allowRef(this, IDC_AP_ALLOW_BW40);
  CButton* allow = allowRef.get();
  if (g_bApHtFamily) allow->ShowWindow(mode == 8 || mode == 9 ? SW_SHOW : SW_HIDE);
  if (mode == 2 || mode == 8) {
    allow->SetCheck(checkState == 1 ? BST_CHECKED : BST_UNCHECKED);
    allow->EnableWindow(TRUE);
  } else if (mode == 0 || mode == 9) {
    int channel = -1;
    if (m_comboChannel.GetCurSel() >= 0) channel = ChannelFromText(selectedText(m_comboChannel));
    const bool narrow = m_nChannels24 == 0 || m_channels24[m_nChannels24 - 1] - m_channels24[0] < 4;
    if (narrow || channel == 14) {
      // The page's value follows, so no later exchange checks it again.
      allow->SetCheck(BST_UNCHECKED);
      allow->EnableWindow(FALSE);
      m_bAllowBw40 = FALSE;
    } else {
      allow->SetCheck(checkState == 1 ? BST_CHECKED : BST_UNCHECKED);
      allow->EnableWindow(TRUE);
    }
  }
}

void CConfigPage_AP::FillMcsCombo(const CString& mcsText) {
  m_comboMcs.ResetContent();
  for (const char* item : kMcsItems) m_comboMcs.AddString(item);
  if (m_comboMcs.SelectString(-1, mcsText) < 0) {
    m_comboMcs.SetCurSel(0);
    m_strMcs = selectedText(m_comboMcs);
  }
}

void CConfigPage_AP::OnWirelessModeChange() {
  Refresh(TRUE);
  m_strMcs = selectedText(m_comboMcs);
  m_strExtChannel = selectedText(m_comboExtChannel);
  m_strWirelessMode = selectedText(m_comboWirelessMode);
  if (m_comboTxRate.GetCount() > 0) m_nTxRate = std::max(m_comboTxRate.GetCurSel(), 0);
  UpdateAllowBw40(m_bAllowBw40);
  const int mode = WirelessModeFromText(m_strWirelessMode);
  const bool bandG = mode == 0 || mode == 9;
  const bool bandA = mode == 2 || mode == 8;
  if (bandG || bandA) {
    GetDlgItem(IDC_AP_REGION_BG_LABEL)->ShowWindow(bandG ? SW_SHOW : SW_HIDE);
    m_comboRegionBG.ShowWindow(bandG ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_AP_REGION_A_LABEL)->ShowWindow(bandA ? SW_SHOW : SW_HIDE);
    m_comboRegionA.ShowWindow(bandA ? SW_SHOW : SW_HIDE);
  }
  m_comboTxRate.ResetContent();
  for (const char* item : TxRateItems(mode)) m_comboTxRate.AddString(item);
  if (bandG) m_comboProtection.EnableWindow(TRUE);
  if (bandA) {
    m_nProtection = 0;
    if (m_nTxRate > 8) m_nTxRate = 0;
  }
  if (mode == 8 || mode == 9) {
    ShowTxRateLabel(g_nApHtFamilyCode);
    EnableExtChannel(m_nBandwidth != 0);
  }
  m_comboTxRate.SetCurSel(m_nTxRate);
  FillChannelCombo();
  Refresh(FALSE);
}

int CConfigPage_AP::GetMcsNumber() const { return McsNumberFromText(m_strMcs); }

void CConfigPage_AP::ShowTxRateLabel(int htFamilyCode) {
  const int mcs = GetMcsNumber();
  CString text;
  double rate = 0;
  if (htFamilyCode == 1) {
    int bandwidth = 0;
    text = m_htTable.LookupByIndex(mcs, &rate, &bandwidth)
               ? FormatString(loaded(IDS_AP_TX_RATE_MCS), rate, bandwidth)
               : loaded(IDS_AP_TX_RATE_NONE);
  } else if (htFamilyCode == 2 || htFamilyCode == 3) {
    text = m_htTable.LookupRate(m_nBandwidth, m_nGuardInterval, mcs, &rate) ? FormatString(loaded(IDS_AP_TX_RATE_HT), rate)
                                                                              : loaded(IDS_AP_TX_RATE_NONE);
  }
  SetDlgItemText(IDC_AP_TX_RATE_INFO, text);
}

void CConfigPage_AP::EnableExtChannel(BOOL bEnable) {
  GetDlgItem(IDC_AP_EXT_LABEL)->EnableWindow(bEnable);
  m_comboExtChannel.EnableWindow(bEnable);
}

// ---- Handlers ----

void CConfigPage_AP::OnUseMac() {
  m_strSsid = m_strMacSsid;
  NotifyUI(BRIDGE_UI_AP_SSID, m_strSsid, TRUE);
  Refresh(FALSE);
}

void CConfigPage_AP::OnRegionChange() {
  const BOOL allow = m_bAllowBw40;
  Refresh(TRUE);
  BuildChannelLists();
  FillChannelCombo();
  UpdateAllowBw40(allow);
}

void CConfigPage_AP::OnAutoChannel() {
  Refresh(TRUE);
  m_strMcs = selectedText(m_comboMcs);
  m_comboChannel.EnableWindow(!m_bAutoChannel);
  NotifyUIInt(BRIDGE_UI_AP_CHANNEL_ENABLE, m_comboChannel.IsWindowEnabled() ? 1 : 0, TRUE);
}

void CConfigPage_AP::OnChannelChange() { FillExtChannelCombo(); }

void CConfigPage_AP::OnRateChoice() {
  Refresh(TRUE);
  ShowTxRateLabel(g_nApHtFamilyCode);
}

void CConfigPage_AP::OnBandwidth20() {
  Refresh(TRUE);
  ShowTxRateLabel(g_nApHtFamilyCode);
  EnableExtChannel(FALSE);
}

void CConfigPage_AP::OnBandwidth40() {
  Refresh(TRUE);
  ShowTxRateLabel(g_nApHtFamilyCode);
  EnableExtChannel(TRUE);
  FillChannelCombo();
}

void CConfigPage_AP::OnAllowBw40() {
  Refresh(TRUE);
  if (m_bAllowBw40) {
    m_nBandwidth = 1;
    FillChannelCombo();
  } else {
    m_nBandwidth = 0;
  }
  Refresh(FALSE);
  ShowTxRateLabel(g_nApHtFamilyCode);
  EnableExtChannel(m_nBandwidth == 1);
}

void CConfigPage_AP::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHtTimer) {
    CPropertyPage::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kHtTimer);
  const int mode = WirelessModeFromText(m_strWirelessMode);
  if (mode == 8 || mode == 9) {
    char value[16] = "";
    GetModuleIniString("Advance", "HT Setting", "0", value, sizeof value, "ini");
    GetDlgItem(IDC_AP_ALLOW_BW40)->ShowWindow(SW_SHOW);
  } else {
    GetDlgItem(IDC_AP_ALLOW_BW40)->ShowWindow(SW_HIDE);
  }
  SetTimer(kHtTimer, kHtTimerMs, nullptr);
}

void CConfigPage_AP::OnDefault() {
  BYTE mac[6];
  QueryMac(mac);
  m_strSsid = DefaultSsid();
  NotifyUI(BRIDGE_UI_AP_SSID, m_strSsid, TRUE);
  m_strWirelessMode = kBand24Text;
  SelectWirelessModeText();
  m_nTxRate = m_nTxPower = m_nProtection = m_nPreamble = 0;
  m_nBeacon = 100;
  m_nFragment = 2347;
  m_nRts = 2346;
  m_bTxBurst = m_bTurbo = m_bNoForwarding = m_bHideSsid = FALSE;
  m_bShortSlot = TRUE;
  m_bAutoChannel = FALSE;
  m_bAllowBw40 = TRUE;
  m_security = _AP_SECURITY_DATA();
  m_comboChannel.EnableWindow(TRUE);
  NotifyUIInt(BRIDGE_UI_AP_CHANNEL_ENABLE, 1, TRUE);
  m_comboChannel.SetCurSel(0);
  NotifyUIInt(BRIDGE_UI_AP_CHANNEL_SELECT, m_comboChannel.GetCurSel(), TRUE);
  m_strChannel = selectedText(m_comboChannel);
  m_nIdleTime = kDefaultIdle;
  m_nStbc = m_nBandwidth = m_nGuardInterval = 1;
  m_nHtMode = 0;
  m_strMcs = "Auto";
  m_strExtChannel = "none";
  Refresh(FALSE);
  OnWirelessModeChange();
}

// ---- Security ----

void CConfigPage_AP::OnSecurity() {
  // One dialog at a time: a second press while it runs would nest another
  // and lose the first one's address.
  if (m_pSecuDlg) return;
  CAuthSecuDlg_AP dialog(this);
  dialog.m_data = m_security;
  m_pSecuDlg = &dialog;
  const INT_PTR result = dialog.DoModal();
  m_pSecuDlg = nullptr;
  if (result == IDOK) m_security = dialog.m_data;
  NotifyUIInt(BRIDGE_UI_AP_CONFIG_STATE, static_cast<int>(result), TRUE);
}

void CConfigPage_AP::CancelSecurityDialog() {
  if (m_pSecuDlg && ::IsWindow(m_pSecuDlg->GetSafeHwnd())) m_pSecuDlg->EndDialog(IDCANCEL);
}

// ---- Apply ----

BOOL CConfigPage_AP::IsPskAuth() const { return IsPskAuthIndex(static_cast<int>(m_security.AuthMode)); }

BOOL CConfigPage_AP::IsWepInUse() const {
  const DWORD auth = m_security.AuthMode;
  return auth == 1 || ((auth == 0 || auth == 2) && m_security.Encryption == 0);
}

void CConfigPage_AP::OnApplyClicked() {
  BOOL translated = FALSE;
  const int beacon = static_cast<int>(GetDlgItemInt(IDC_AP_BEACON, &translated, TRUE));
  const int idle = static_cast<int>(GetDlgItemInt(IDC_AP_IDLE, &translated, TRUE));
  if (beacon < kMinBeacon || beacon > kMaxBeacon) {
    NotifyUIAlert(loaded(IDS_AP_MSG_BEACON), MB_ICONWARNING);
    return;
  }
  if (idle < kMinIdle || idle > kMaxIdle) {
    NotifyUIAlert(loaded(IDS_AP_MSG_IDLE), MB_ICONWARNING);
    return;
  }
  Refresh(TRUE);
  m_strMcs = selectedText(m_comboMcs);
  if (m_strSsid.IsEmpty()) {
    NotifyUIAlert(loaded(IDS_AP_MSG_SSID), MB_ICONWARNING);
    return;
  }
  SaveSettings();
  ApTrace(FormatString("Config Apply: SSID %s, wireless mode %d", static_cast<LPCSTR>(m_strSsid), g_nApWirelessMode));
  if (CHideDlg_AP* worker = GetHideDlgAP()) worker->ReconnectSsid(m_strSsid.Left(kSsidBytes));
}

BOOL CConfigPage_AP::SaveSettings() {
  if (m_comboTxRate.GetCurSel() >= 0)
    m_nTxRate = m_comboTxRate.GetCurSel();
  else
    m_nTxRate = 0;
  if (m_comboChannel.GetCurSel() >= 0) m_strChannel = selectedText(m_comboChannel);
  m_strWirelessMode = NormalizeWirelessModeText(m_strWirelessMode);
  const int mode = WirelessModeFromText(m_strWirelessMode);
  g_nApWirelessMode = mode;
  if (g_bApSupportBandA && mode == 2) {
    m_nProtection = 0;
    if (m_nTxRate > 8) m_nTxRate = 0;
  }
  WriteApDefaultKey(mode);
  SetDriverValues(mode);
  if (CHideDlg_AP* worker = GetHideDlgAP())
    worker->TakeSettings(static_cast<int>(m_security.AuthMode), static_cast<int>(m_security.Encryption),
                         m_security.PreSharedKey, m_security.Key, static_cast<int>(m_security.DefaultKey) + 1,
                         m_strSsid.Left(kSsidBytes));
  return TRUE;
}

void CConfigPage_AP::WriteApDefaultKey(int mode) {
  const CString apPath = g_strApDriverKey + "\\ApDefault";
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, apPath, 0, KEY_ALL_ACCESS, &key);
  auto text = [&](LPCSTR name, const CString& value) { WriteApText(key, name, value, apPath); };
  auto number = [&](LPCSTR name, int value) { text(name, FormatString("%d", value)); };
  const int auth = static_cast<int>(m_security.AuthMode);
  const int cipher = static_cast<int>(m_security.Encryption);
  number("WirelessMode", mode);
  number("TransRate", m_nTxRate);
  number("TXPower", m_nTxPower);
  // "J8", "J12" and "J16" are stored as their numbers.
  const int channel = ChannelFromText(m_strChannel);
  text("Channel", channel != std::atoi(m_strChannel) ? FormatString("%d", channel) : m_strChannel);
  number("BeaconPeriod", m_nBeacon);
  number("BGProtection", m_nProtection);
  if (g_bApRegionBandG) number("CountryRegion", m_nRegionBG);
  if (g_bApRegionBandA) number("CountryRegionABand", m_nRegionA);
  number("PreambleType", m_nPreamble);
  number("RtsThresh", m_nRts);
  number("FragThresh", m_nFragment);
  number("TXBurst", m_bTxBurst);
  number("TurboRate", m_bTurbo);
  number("NoForwarding", m_bNoForwarding);
  number("HideSSID", m_bHideSsid);
  number("ShortSlot", m_bShortSlot);
  text(kApAuthValueName, FormatString("%u", AuthIndexToStored(auth)));
  g_nApAuthIndex = auth;
  text(kApCipherValueName, FormatString("%u", CipherIndexToStored(cipher)));
  text("RadiusIP", FormatString("%u", m_security.RadiusServer));
  text("RadiusPort", FormatString("%u", m_security.RadiusPort));
  text("RadiusKey", m_security.RadiusKey);
  text("RekeyInterval", FormatString("%u", m_security.RekeyInterval));
  text("RekeyMethod", FormatString("%u", m_security.RekeyMethod));
  if (IsPskAuth()) {
    text("WPAPSK", m_security.PreSharedKey);
    g_strApWpaPsk = m_security.PreSharedKey;
  } else if (IsWepInUse()) {
    text("WEPKeyUse", FormatString("%u", m_security.DefaultKey + 1));
    for (int n = 0; n < 4; ++n) text(FormatString("WEPKey%dType", n + 1), FormatString("%u", m_security.KeyType[n]));
    for (int n = 0; n < 4; ++n) text(FormatString("WEPKey%d", n + 1), m_security.Key[n]);
  }
  number("AutoChannelSelect", m_bAutoChannel);
  text("SSID", m_strSsid.Left(kSsidBytes));
  number("IdleTime", m_nIdleTime);
  if (g_bApHtFamily) {
    HtSettings ht;
    ht.mode = mode;
    ht.mcs = GetMcsNumber();
    ht.bandwidth = m_nBandwidth;
    ht.guardInterval = m_nGuardInterval;
    ht.stbc = m_nStbc;
    ht.htMode = m_nHtMode;
    ht.extCode = m_comboExtChannel.GetCurSel() >= 0 ? GetExtChannelCode(m_nBandwidth, m_strExtChannel, m_strChannel) : 0;
    BYTE word[4];
    wavorel::wire::putU32(word, PackTransmitSetting(ht));
    RegSetValueEx_AP(key, "TransmitSetting", 0, REG_DWORD, word, sizeof word, apPath);
    number("AllowBW40Capability", m_bAllowBw40);
  }
  if (key) RegCloseKey(key);

  HKEY source = nullptr, driverKey = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, apPath, 0, KEY_READ, &source);
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &driverKey);
  CopyRegistryValues(source, driverKey, g_strApDriverKey);
  if (source) RegCloseKey(source);
  if (driverKey) RegCloseKey(driverKey);
}

void CConfigPage_AP::SetDriverValues(int mode) {
  const int auth = static_cast<int>(m_security.AuthMode);
  const int cipher = static_cast<int>(m_security.Encryption);

  ApRecord config(aprecord::config::kSize, 0);
  DWORD returned = 0;
  QueryDriverOid_AP(OID_AP_CONFIGURATION, config.data(), aprecord::config::kSize, &returned);
  const ApRecord queried = config;
  if (!m_bAutoChannel)
    if (const DWORD frequency = ChannelFrequencyKhz(ChannelFromText(m_strChannel)))
      wavorel::wire::putU32(config.data() + aprecord::config::kDsConfig, frequency);
  wavorel::wire::putU32(config.data() + aprecord::config::kBeaconPeriod, static_cast<DWORD>(m_nBeacon));

  if (g_bApRegionBandG || g_bApRegionBandA) {
    const DWORD region = (static_cast<DWORD>(m_nRegionA & 0x7F) << 8) | static_cast<DWORD>(m_nRegionBG & 0x7F);
    SetDriverDword_AP(OID_VX_COUNTRY_REGION_SET, region);
    g_dwApCountryRegion = region;
    FillChannelCombo();
  }
  SetDriverDword_AP(OID_VX_WIRELESS_MODE_SET, static_cast<DWORD>(mode));
  if (config != queried) SetDriverRecord_AP(OID_AP_CONFIGURATION_SET, config);

  if (g_bApHtFamily) {
    HtSettings ht;
    ht.mode = mode;
    ht.htMode = m_nHtMode;
    ht.extCode = m_comboExtChannel.GetCurSel() >= 0 ? GetExtChannelCode(m_nBandwidth, m_strExtChannel, m_strChannel) : 0;
    ht.mcs = GetMcsNumber();
    ht.bandwidth = m_bAllowBw40 ? 1 : 0;  // the record's byte 8 carries "Allow BW 40 MHz"
    ht.stbc = m_nStbc;
    ht.guardInterval = m_nGuardInterval;
    SetDriverRecord_AP(OID_VX_HT_TRANSMIT_SET, BuildHtTransmitRecord(PackTransmitSetting(ht)));
  }
  SetDriverRecord_AP(OID_AP_DESIRED_RATES_SET, BuildRatesRecord(mode, m_nTxRate));
  setWhenDifferent(OID_VX_PREAMBLE, OID_VX_PREAMBLE_SET, dwordRecord(m_nPreamble == 1 ? 1 : 0));
  setWhenDifferent(OID_AP_RTS_THRESHOLD, OID_AP_RTS_THRESHOLD_SET, dwordRecord(static_cast<DWORD>(m_nRts)));
  setWhenDifferent(OID_AP_FRAG_THRESHOLD, OID_AP_FRAG_THRESHOLD_SET, dwordRecord(static_cast<DWORD>(m_nFragment)));
  const bool knownPower = m_nTxPower >= 0 && m_nTxPower < 5;
  SetDriverDword_AP(OID_VX_TX_POWER_SET, static_cast<DWORD>(knownPower ? kTxPowerPercent[m_nTxPower] : 100));

  {
    using namespace aprecord::options;
    ApRecord options(kSize, 0);
    QueryDriverOid_AP(OID_VX_AP_OPTIONS, options.data(), kSize, &returned);
    const ApRecord before = options;
    wavorel::wire::putU32(options.data() + kTxBurst, static_cast<DWORD>(m_bTxBurst));
    wavorel::wire::putU32(options.data() + kTurboRate, static_cast<DWORD>(m_bTurbo));
    wavorel::wire::putU32(options.data() + kNoForwarding, static_cast<DWORD>(m_bNoForwarding));
    wavorel::wire::putU32(options.data() + kHideSsid, static_cast<DWORD>(m_bHideSsid));
    wavorel::wire::putU32(options.data() + kBgProtection, static_cast<DWORD>(m_nProtection));
    wavorel::wire::putU32(options.data() + kShortSlot, static_cast<DWORD>(m_bShortSlot));
    wavorel::wire::putU16(options.data() + kIdleTime, static_cast<WORD>(m_nIdleTime));
    if (options != before) SetDriverRecord_AP(OID_VX_AP_OPTIONS_SET, options);
  }

  SetDriverDword_AP(OID_AP_AUTH_MODE_SET, AuthIndexToStored(auth == 5 ? 0 : auth));
  g_bApWepOrNone = cipher < 4 ? 1 : 0;
  if (auto* sheet = dynamic_cast<CQzPropSheet_AP*>(GetParent())) sheet->RefreshWdsPage();

  {
    HKEY key = nullptr;
    RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key);
    int wdsEnable = 1;
    const BOOL wds = ReadApInt(key, "WdsEnable", wdsEnable) && wdsEnable == 0;
    const std::vector<MacAddress> peers =
        wds ? ReadApMacList(key, "WdsList", aprecord::wds::kMaxPeers) : std::vector<MacAddress>();
    if (key) RegCloseKey(key);
    SetDriverRecord_AP(OID_VX_WDS_LIST_SET, BuildWdsRecord(wds, peers, auth, cipher, m_security.PreSharedKey));
  }
  SetDriverDword_AP(OID_AP_ENCRYPTION_SET, CipherIndexToStored(cipher));
  SendSecurityKeys();
}

void CConfigPage_AP::SendSecurityKeys() {
  if (IsPskAuth()) {
    BYTE key[kPskLength] = {};
    if (DerivePreSharedKey(m_security.PreSharedKey, m_strSsid.Left(kSsidBytes), key))
      SetDriverRecord_AP(OID_AP_ADD_KEY_SET, BuildKeyRecord(kTransmitKeyBit, key, kPskLength, FALSE));
  }
  {
    using namespace aprecord::radius;
    ApRecord radius(kSize, 0);
    DWORD returned = 0;
    QueryDriverOid_AP(OID_VX_RADIUS, radius.data(), kSize, &returned);
    wavorel::wire::putU32(radius.data() + kAddress, m_security.RadiusServer);
    wavorel::wire::putU32(radius.data() + kPort, m_security.RadiusPort);
    std::fill(radius.begin() + kSecret, radius.end(), BYTE{0});
    const CString& secret = m_security.RadiusKey;
    std::copy_n(static_cast<LPCSTR>(secret), std::min<size_t>(static_cast<size_t>(secret.GetLength()), kSecretSize),
                radius.begin() + kSecret);
    SetDriverRecord_AP(OID_VX_RADIUS_SET, radius);
  }
  {
    ApRecord rekey(aprecord::rekey::kSize, 0);
    wavorel::wire::putU32(rekey.data() + aprecord::rekey::kMethod, m_security.RekeyMethod);
    wavorel::wire::putU32(rekey.data() + aprecord::rekey::kInterval, m_security.RekeyInterval);
    SetDriverRecord_AP(OID_VX_REKEY_SET, rekey);
  }
  if (IsWepInUse()) {
    for (DWORD n = 0; n < 4; ++n) {
      std::vector<BYTE> key;
      if (ParseWepKey(m_security.Key[n], key)) {
        const DWORD index = n | (n == m_security.DefaultKey ? kTransmitKeyBit : 0);
        SetDriverRecord_AP(OID_AP_ADD_KEY_SET,
                           BuildKeyRecord(index, key.data(), static_cast<DWORD>(key.size()), TRUE));
      } else {
        SetDriverRecord_AP(OID_AP_REMOVE_KEY_SET, BuildRemoveKeyRecord(n));
      }
    }
  }
}

// ---- The front end's commands ----

void CConfigPage_AP::SelectWirelessMode(int index) {
  if (SetComboCurSelSafe(&m_comboWirelessMode, index)) OnWirelessModeChange();
}

void CConfigPage_AP::SetSsid(const CString& ssid) {
  m_strSsid = ssid;
  Refresh(FALSE);
}

void CConfigPage_AP::SelectChannel(int index) {
  if (SetComboCurSelSafe(&m_comboChannel, index)) FillExtChannelCombo();
}

void CConfigPage_AP::PressApply() { SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AP_APPLY, BN_CLICKED), 0); }

void CConfigPage_AP::PressDefault() { SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AP_DEFAULT, BN_CLICKED), 0); }

void CConfigPage_AP::PressSecurity() { SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AP_SECURITY, BN_CLICKED), 0); }
