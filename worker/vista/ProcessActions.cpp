// CHideDlg::ProcessActions in WavorelVista: rescans through Native Wi-Fi,
// profiles applied by the fixed sequence of driver sets and then connected
// through Native Wi-Fi, SSID and BSSID sets.
#include <algorithm>
#include <cstring>

#include "worker/HideDlg.h"
#include "platform/wire/Bytes.h"
#include "worker/HtSettingRecord.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileDriverSets.h"
#include "worker/RateSets.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr DWORD kChannel14Frequency = 2484000;
constexpr DWORD kChannel14ClearedFlag = 0x800;
constexpr DWORD kStatisticsSize = 200;
constexpr UINT kWepLinkPeriodMs = 10000;

// The HT transmit setting refilled from the worker's transmit-setting word;
// bytes 6 and 11 stay as the driver has them (nothing is sent when the
// driver does not answer them).
void RefillHtTransmit() {
  BYTE block[kHtTransmitRecordSize] = {};
  DWORD returned = 0;
  if (!QueryOid(OID_VX_HT_TRANSMIT, block, sizeof block, &returned) || returned < sizeof block) return;
  FillHtTransmitRecord(g_dwTransmitSetting, block);
  SetOidData(OID_VX_HT_TRANSMIT_SET, block, sizeof block);
}

bool HasWepKey(const _PROFILE_DATA& p) {
  for (const NdisKeyBlock& key : p.WepKey)
    if (!key.empty()) return true;
  return false;
}

}  // namespace

int CHideDlg::ProcessActions() {
  std::vector<_ACTION_DATA>& queue = GetActionQueue();
  int done = 0;
  while (!queue.empty()) {
    _ACTION_DATA action = std::move(queue.front());
    queue.erase(queue.begin());
    ++done;
    switch (action.Kind) {
      case kActionRescan:
        // A scan the service refused sends no completion: it does not run.
        g_bScanRunning = 1;
        if (NativeWiFi().Scan() != ERROR_SUCCESS) g_bScanRunning = 0;
        return done;
      case kActionConnect:
        if (action.Profile) ApplyProfile(*action.Profile);
        break;
      case kActionSetSsid:
        g_bIcvError = 0;
        SetSsidOid(action.Ssid);
        AfterLinkSet();
        break;
      case kActionSetBssid:
        g_bIcvError = 0;
        SetOidData(OID_802_11_BSSID, action.Bssid, sizeof action.Bssid);
        AfterLinkSet();
        break;
      default:
        break;
    }
  }
  return done;
}

void CHideDlg::ApplyProfile(_PROFILE_DATA& r) {
  if (r.ChannelFrequency == kChannel14Frequency) r.Reserved2 &= ~kChannel14ClearedFlag;
  if (g_bHtFamily) RefillHtTransmit();
  if (r.AdvancedValid) {
    if (!r.ApplyArgument) SetOidDword(OID_VX_WIRELESS_MODE_SET, static_cast<DWORD>(g_nWirelessMode));
    SetStationConfig(r.StationConfig);
    SetCountryRegion(r.CountryRegion);
    if (!IsHtWirelessMode(g_nWirelessMode)) {
      SetOidData(OID_802_11_DESIRED_RATES, r.DesiredRates, sizeof r.DesiredRates);
      SetRateBlock();
    }
    SetCcxControl(r.UseBssid ? 0 : 1, r.Ccx2Control);
    SetOidDword(OID_VX_PRIVATE_0151_SET, static_cast<DWORD>(g_nWpsWirelessMode));
  } else {
    SetStationConfig(g_stationConfig);
    SetCountryRegion(g_dwCountryRegion);
    BYTE rates[8];
    FillModeRates(g_nWirelessMode, g_dwTransmitSetting, rates);
    SetOidData(OID_802_11_DESIRED_RATES, rates, sizeof rates);
    SetRateBlock();
  }
  if (r.ConnectThroughNativeWiFi && r.Ssid.SsidLength) {
    NativeWiFi().ConnectProfile(g_bWpsConnect, &r);
    DWORD ccx = 0;
    ReadCcx2Control(ccx);
    SetCcxControl(1, ccx);
  }
  g_bIcvError = 0;
  m_bWepLink = (r.AuthMode == 0 || r.AuthMode == 1) && r.CipherMode == 0 && HasWepKey(r);
  if (m_bWepLink) {
    StoreWepBaselines();
    SetTimer(kWepLinkTimer, kWepLinkPeriodMs, nullptr);
  }
}

void CHideDlg::AfterLinkSet() {
  DWORD ccx = 0;
  ReadCcx2Control(ccx);
  SetCcxControl(1, ccx);
  if (m_bWepLink) StoreWepBaselines();
}

void CHideDlg::StoreWepBaselines() {
  BYTE statistics[kStatisticsSize] = {};
  DWORD returned = 0;
  if (QueryOid(OID_802_11_STATISTICS, statistics, sizeof statistics, &returned) && returned >= 16) {
    m_wepBaseline[0] = wavorel::wire::getU32(statistics + 8);
    m_wepBaseline[1] = wavorel::wire::getU32(statistics + 12);
  }
  DWORD received = 0;
  returned = 0;
  if (QueryOid(OID_GEN_RCV_OK, &received, sizeof received, &returned) && returned >= sizeof received)
    m_rcvOkBaseline = received;
}
