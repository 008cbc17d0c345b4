// CPageAdvanceDlg's "&APPLY": the settings into the driver key and the TCP/IP
// parameters, onto the driver, WMM for the 802.11n modes, and a reconnect
// with a rescan when the wireless mode or a country region changed.
#include <algorithm>
#include <cstring>

#include "frontend/UiBridge.h"
#include "station/status/PageWMMDlg.h"
#include "worker/ActionQueue.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/RateSets.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/AdvanceSettings.h"
#include "xp/station/PageAdvanceDlg.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

constexpr int kSetTries = 3;
constexpr UINT IDS_HT_COMBINATION_REFUSED = 4281;
constexpr UINT kReconnectWaitMs = 100;

// OID_VX_HT_TRANSMIT: u32 mode, u8 2, HT mode, kept, MCS, bandwidth, STBC,
// guard interval, kept.
constexpr DWORD kHtTransmitSize = 12;
constexpr size_t kHtConstant = 4;
constexpr size_t kHtMode = 5;
constexpr size_t kHtMcs = 7;
constexpr size_t kHtBandwidth = 8;
constexpr size_t kHtStbc = 9;
constexpr size_t kHtGuardInterval = 10;

BOOL SetDword(DWORD oid, DWORD value) {
  DWORD written = 0;
  return SetOid(oid, &value, sizeof value, &written, kSetTries);
}

// Runs the worker's queue when queuing `action` asks for it.
void QueueOnWorker(_ACTION_DATA action) {
  if (g_pHideDlg && g_pHideDlg->AddAction(std::move(action))) g_pHideDlg->ProcessActions();
}

}  // namespace

void CPageAdvanceDlg::OnApply() {
  if (g_bHtFamily && IsDlgButtonChecked(IDC_ADV_HT_GF) == BST_CHECKED &&
      IsDlgButtonChecked(IDC_ADV_GI_AUTO) == BST_CHECKED && IsDlgButtonChecked(IDC_ADV_STBC_AUTO) == BST_CHECKED) {
    CString text;
    text.LoadString(IDS_HT_COMBINATION_REFUSED);
    NotifyUIMessageBox(text, nullptr, MB_ICONEXCLAMATION);
    return;
  }
  if (!TakeControls() || m_nLimit > kLimitMax || m_nThreshold < kThresholdMin || m_nThreshold > kThresholdMax) return;
  const int regionBG = m_comboRegionBG.GetCurSel();
  const int regionA = m_comboRegionA.GetCurSel();
  const int mode = m_comboMode.GetCurSel();
  SaveToRegistry();
  ApplyToDriver();
  ApplyWmmForHtMode();
  if (regionBG != s_nEntryRegionBG || regionA != s_nEntryRegionA || mode != s_nEntryMode) {
    if (GetCurrentProfile()) Reconnect();
    CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
    CDialog* survey = host ? host->GetTabPage(kHostTabSiteSurvey) : nullptr;
    if (CWnd* rescan = survey ? survey->GetDlgItem(kSiteSurveyRescanButton) : nullptr) rescan->SendMessage(BM_CLICK);
    s_nEntryRegionBG = regionBG;
    s_nEntryRegionA = regionA;
    s_nEntryMode = mode;
  }
}

void CPageAdvanceDlg::Reconnect() {
  const _PROFILE_DATA* current = GetCurrentProfile();
  DWORD written = 0;
  SetOid(OID_802_11_DISASSOCIATE, nullptr, 0, &written, kSetTries);
  WaitMilliseconds(kReconnectWaitMs);
  if (ConfigToolMode != kConfigToolZeroConfig) {
    _ACTION_DATA connect;
    connect.Kind = kActionConnect;
    CopyProfileData(connect.Profile, current);
    connect.Profile->AdvancedValid = 0;
    QueueOnWorker(std::move(connect));
    return;
  }
  static const BYTE kNoBssid[6] = {};
  _ACTION_DATA action;
  if (current->UseBssid && std::memcmp(current->Bssid, kNoBssid, sizeof kNoBssid) != 0) {
    action.Kind = kActionSetBssid;
    std::memcpy(action.Bssid, current->Bssid, sizeof action.Bssid);
  } else if (!current->UseBssid && current->Ssid.SsidLength != 0) {
    action.Kind = kActionSetSsid;
    action.Ssid = current->Ssid;
  } else {
    SetEmptySsidAndCcx();
    return;
  }
  QueueOnWorker(std::move(action));
}

void CPageAdvanceDlg::SetEmptySsidAndCcx() {
  NDIS_802_11_SSID empty{};
  empty.SsidLength = sizeof empty.Ssid;
  DWORD written = 0;
  SetOid(OID_802_11_SSID, &empty, sizeof empty, &written, kSetTries);
  DWORD ccx = 0;
  ReadCcx2Control(ccx);
  SetCcxControl(1, ccx);
}

CcxFields CPageAdvanceDlg::CcxOfFields() {
  if (!m_bRadioMeasurements) m_bLimitEnable = 0;
  CcxFields f;
  f.ccx = m_bCcx;
  f.leapCckm = m_bLeapCckm;
  f.radioMeasurements = m_bRadioMeasurements;
  f.limitEnable = m_bLimitEnable;
  f.qos = m_bQos;
  f.fastRoaming = m_bFastRoaming;
  f.threshold = m_nThreshold;
  f.limit = m_nLimit;
  return f;
}

BOOL CPageAdvanceDlg::SaveToRegistry() {
  TakeControls();
  if (g_nOsType >= 7) SetTcpWindowTuning(m_bTcpWindow);
  m_nTxRate = std::max(m_comboRate.GetCurSel(), 0);
  int mode = GetWirelessModeIndex(m_strWirelessMode);
  AdjustWirelessMode(mode);
  m_strWirelessMode = GetWirelessModeText(mode);
  mode = GetWirelessModeIndex(m_strWirelessMode);
  g_nWirelessMode = mode;
  const bool bandA = g_bSupportBandA != 0;
  if (mode == 1 || (mode == 2 && bandA)) m_nBgProtection = 0;
  if ((mode == 1 && m_nTxRate > 4) || (mode == 2 && bandA && m_nTxRate > 8)) m_nTxRate = 0;
  const DWORD ccx = PackCcxControl(CcxOfFields());

  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return FALSE;
  if (WriteDecimalValue(key, "ShowAuthStatus", m_bShowAuthStatus) != ERROR_SUCCESS) m_bShowAuthStatus = 0;
  g_bShowAuthStatus = m_bShowAuthStatus;
  WriteDecimalValue(key, "WirelessMode", mode);
  WriteDecimalValue(key, "TXBurst", m_bTxBurst);
  WriteDecimalValue(key, "BGProtection", m_nBgProtection);
  if (g_bRegionEditableBandG) WriteDecimalValue(key, "CountryRegion", m_nRegionBG);
  if (g_bRegionEditableBandA) WriteDecimalValue(key, "CountryRegionABand", m_nRegionA);
  int adhoc = 0;
  WirelessModeToAdhocMode(mode, adhoc);
  WriteDecimalValue(key, "AdhocOfdm", adhoc);
  WriteDecimalValue(key, "TransRate", m_nTxRate);
  RegSetValueEx(key, "CCX2Control", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ccx), sizeof ccx);
  if (g_bHtFamily) {
    const DWORD word = PackTransmitSetting(HtOfFields(mode));
    RegSetValueEx(key, "TransmitSetting", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word);
    g_dwTransmitSetting = word;
  }
  RegCloseKey(key);
  return TRUE;
}

HtFields CPageAdvanceDlg::HtOfFields(int mode) const {
  HtFields f;
  f.mode = mode;
  f.mcs = GetMcsNumber(m_strMcs);
  f.bandwidth = m_nBandwidth;
  f.guardInterval = m_nGuardInterval;
  f.stbc = m_nStbc;
  f.htMode = m_nHtMode;
  f.extChannel = m_nExtChannel;
  return f;
}

void CPageAdvanceDlg::ApplyToDriver() {
  TakeControls();
  const DWORD ccx = PackCcxControl(CcxOfFields());
  SetDword(OID_VX_WIRELESS_MODE_SET, static_cast<DWORD>(g_nWirelessMode));
  DWORD returned = 0;
  const int mcs = GetMcsNumber(m_strMcs);
  if (g_bHtFamily) {
    BYTE record[kHtTransmitSize] = {};
    QueryOid(OID_VX_HT_TRANSMIT, record, sizeof record, &returned);
    const DWORD mode = static_cast<DWORD>(g_nWirelessMode);
    std::memcpy(record, &mode, sizeof mode);
    record[kHtConstant] = 2;
    record[kHtMode] = static_cast<BYTE>(m_nHtMode);
    record[kHtMcs] = static_cast<BYTE>(mcs);
    record[kHtBandwidth] = static_cast<BYTE>(m_nBandwidth);
    record[kHtStbc] = static_cast<BYTE>(m_nStbc);
    record[kHtGuardInterval] = static_cast<BYTE>(m_nGuardInterval);
    SetOid(OID_VX_HT_TRANSMIT_SET, record, sizeof record, &returned, kSetTries);
  }
  DWORD stored = 0;
  ReadCcx2Control(stored);
  SetCcxControl(1, stored);

  DWORD config[kStationConfigWords] = {};
  QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned);
  DWORD before[kStationConfigWords];
  std::memcpy(before, config, sizeof config);
  int adhoc = 0;
  WirelessModeToAdhocMode(g_nWirelessMode, adhoc);
  config[0] = static_cast<DWORD>(m_bTxBurst);
  config[2] = static_cast<DWORD>(m_nBgProtection);
  config[4] = static_cast<DWORD>(adhoc);
  config[6] = 0;
  if (std::memcmp(before, config, sizeof config) != 0) {
    SetOid(OID_VX_PRIVATE_0111_SET, config, sizeof config, &returned, kSetTries);
    std::memcpy(g_stationConfig, config, sizeof config);
  }
  if (g_bRegionEditableBandG || g_bRegionEditableBandA) {
    SetDword(OID_VX_COUNTRY_REGION_SET, (static_cast<DWORD>(m_nRegionA) << 8) | static_cast<DWORD>(m_nRegionBG));
    QueryCountryRegion();
  }
  BYTE rates[8];
  FillDesiredRates(g_nWirelessMode, m_nTxRate, mcs, rates);
  SetOid(OID_802_11_DESIRED_RATES, rates, sizeof rates, &returned, kSetTries);
  BYTE block[kRateBlockSize];
  if (FillRateBlock(g_nWirelessMode, block)) SetOid(OID_VX_PRIVATE_0127_SET, block, sizeof block, &returned, kSetTries);
  const _PROFILE_DATA* current = GetCurrentProfile();
  SetCcxControl(current && current->UseBssid == 1 ? 0 : 1, ccx);
}

void CPageAdvanceDlg::ApplyWmmForHtMode() {
  DWORD apsd = 0, returned = 0;
  QueryOid(OID_VX_APSD_CAPABLE, &apsd, sizeof apsd, &returned);
  if (!IsHtWirelessMode(g_nWirelessMode)) return;
  CPageWMMDlg::WriteWmmRegistryValues(1, 1, 1, 0, 0, 1);
  CPageWMMDlg::SetWmmOids(1, 1, 1, apsd & 0x7E, 0, 1);
}
