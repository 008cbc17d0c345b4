// Apply-all: every stored AP value to the driver. WavorelVista sends the
// region first and the HT transmit setting after the channel, and restarts
// the AP's Native Wi-Fi connection under its SSID last; Wavorel sends no
// region, the HT transmit setting right after the wireless mode, and the SSID
// by code between the WEP keys and the access list.
#include <algorithm>
#include <cstring>

#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApSettings.h"
#include "softap/HideDlg_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/ChannelTable.h"
#include "worker/DriverCodes.h"
#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/ProfileData.h"

// ---- Apply-all: every stored AP value to the driver ----

namespace {

constexpr int kTxPowerPercent[] = {100, 75, 50, 25, 12};

// "TransmitSetting" of an 802.11n family.
void sendHtTransmit(HKEY key) {
  DWORD transmitSetting = 0;
  if (g_bApHtFamily && ReadRegistryRawDword(key, "TransmitSetting", transmitSetting))
    SetDriverRecord_AP(OID_VX_HT_TRANSMIT_SET, BuildHtTransmitRecord(transmitSetting));
}

}  // namespace

void CHideDlg_AP::SendPreSharedKey() {
  BYTE key[kPskLength] = {};
  if (!DerivePreSharedKey(m_strWpaPsk, m_strBeaconSsid, key)) {
    Log(GXLOG_WARNING, "AP pre-shared key: a text of %d characters is neither a pass phrase nor 64 hexadecimal "
                       "digits; no key sent", m_strWpaPsk.GetLength());
    return;
  }
  SetDriverRecord_AP(OID_AP_ADD_KEY_SET, BuildKeyRecord(kTransmitKeyBit, key, kPskLength, FALSE));
}

void CHideDlg_AP::SendWepKey(int n) {
  std::vector<BYTE> key;
  const DWORD index = static_cast<DWORD>(n - 1);
  if (!ParseWepKey(m_strWepKey[n - 1], key)) {
    SetDriverRecord_AP(OID_AP_REMOVE_KEY_SET, BuildRemoveKeyRecord(index));
    return;
  }
  const DWORD transmit = n == m_nDefaultKey ? kTransmitKeyBit : 0;
  SetDriverRecord_AP(OID_AP_ADD_KEY_SET, BuildKeyRecord(index | transmit, key.data(), static_cast<DWORD>(key.size()), TRUE));
}

void CHideDlg_AP::ApplyAllSettings() {
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key);

  ReadApText(key, "SSID", m_strSsid);
  m_strSsid = m_strSsid.Left(32);
  // The SSID the AP will beacon: the stored one, or the adapter's default
  // name (asked for once, where it is first needed).
  m_strBeaconSsid = m_strSsid;
  auto beaconSsid = [this]() {
    if (m_strBeaconSsid.IsEmpty()) m_strBeaconSsid = DefaultApSsid();
  };

  // Region: a band the driver left editable takes the registry's region.
  if (!WAVOREL_BUILD_XP && (g_bApRegionBandG || g_bApRegionBandA)) {
    int bandG = 0, bandA = 0;
    if (g_bApRegionBandG)
      ReadApInt(key, "CountryRegion", bandG);
    else
      bandG = static_cast<int>(g_dwApCountryRegion);
    if (g_bApRegionBandA)
      ReadApInt(key, "CountryRegionABand", bandA);
    else
      bandA = static_cast<int>(g_dwApCountryRegion >> 8);
    SetDriverDword_AP(OID_VX_COUNTRY_REGION_SET, (static_cast<DWORD>(bandA & 0x7F) << 8) | static_cast<DWORD>(bandG & 0x7F));
  }

  ReadApInt(key, "WirelessMode", g_nApWirelessMode);
  g_nApWirelessMode = FixWirelessMode_AP(g_nApWirelessMode);
  const int mode = g_nApWirelessMode;
  SetDriverDword_AP(OID_VX_WIRELESS_MODE_SET, static_cast<DWORD>(mode));
  if (WAVOREL_BUILD_XP) sendHtTransmit(key);

  int level = 0;
  if (ReadApInt(key, "TXPower", level))
    SetDriverDword_AP(OID_VX_TX_POWER_SET, static_cast<DWORD>(level >= 0 && level <= 4 ? kTxPowerPercent[level] : 100));

  int rateIndex = 0;
  if (mode != 6 && ReadApInt(key, "TransRate", rateIndex)) SetDriverRecord_AP(OID_AP_DESIRED_RATES_SET, BuildRatesRecord(mode, rateIndex));

  {
    ApRecord config(aprecord::config::kSize, 0);
    DWORD returned = 0;
    QueryDriverOid_AP(OID_AP_CONFIGURATION, config.data(), aprecord::config::kSize, &returned);
    const ApRecord before = config;
    int autoChannel = 0, channel = 0;
    if (!(ReadApInt(key, "AutoChannelSelect", autoChannel) && autoChannel != 0) && ReadApInt(key, "Channel", channel))
      if (const CHANNEL_FREQUENCY* row = FindChannelByNumber(static_cast<DWORD>(channel)))
        wavorel::wire::putU32(config.data() + aprecord::config::kDsConfig, row->Frequency);
    PutApIntField(key, "BeaconPeriod", config.data() + aprecord::config::kBeaconPeriod);
    if (config != before) SetDriverRecord_AP(OID_AP_CONFIGURATION_SET, config);
  }

  if (!WAVOREL_BUILD_XP) sendHtTransmit(key);

  int preamble = 0;
  if (ReadApInt(key, "PreambleType", preamble)) {
    ApRecord record(4, 0);
    wavorel::wire::putU32(record.data(), preamble == 1 ? 1 : 0);
    SetDriverRecordIfChanged_AP(OID_VX_PREAMBLE, OID_VX_PREAMBLE_SET, std::move(record));
  }
  int threshold = 0;
  if (ReadApInt(key, "RtsThresh", threshold)) {
    ApRecord record(4, 0);
    wavorel::wire::putU32(record.data(), static_cast<DWORD>(threshold));
    SetDriverRecordIfChanged_AP(OID_AP_RTS_THRESHOLD, OID_AP_RTS_THRESHOLD_SET, std::move(record));
  }
  if (ReadApInt(key, "FragThresh", threshold)) {
    ApRecord record(4, 0);
    wavorel::wire::putU32(record.data(), static_cast<DWORD>(threshold));
    SetDriverRecordIfChanged_AP(OID_AP_FRAG_THRESHOLD, OID_AP_FRAG_THRESHOLD_SET, std::move(record));
  }

  {
    using namespace aprecord::options;
    ApRecord options(kSize, 0);
    DWORD returned = 0;
    QueryDriverOid_AP(OID_VX_AP_OPTIONS, options.data(), kSize, &returned);
    const ApRecord before = options;
    if (mode == 0 || mode == 3)
      PutApIntField(key, "BGProtection", options.data() + kBgProtection);
    else
      wavorel::wire::putU32(options.data() + kBgProtection, 0);
    PutApIntField(key, "TXBurst", options.data() + kTxBurst);
    PutApIntField(key, "TurboRate", options.data() + kTurboRate);
    PutApIntField(key, "NoForwarding", options.data() + kNoForwarding);
    PutApIntField(key, "HideSSID", options.data() + kHideSsid);
    PutApIntField(key, "ShortSlot", options.data() + kShortSlot);
    PutApIntField(key, "IdleTime", options.data() + kIdleTime);
    if (options != before) SetDriverRecord_AP(OID_VX_AP_OPTIONS_SET, options);
  }

  DWORD nativeWiFi = 0;
  if (ReadApDword(key, kApAuthValueName, nativeWiFi)) {
    m_nAuthIndex = AuthIndexFromStored(nativeWiFi);
    g_nApAuthIndex = m_nAuthIndex;
    SetDriverDword_AP(OID_AP_AUTH_MODE_SET, AuthIndexToStored(m_nAuthIndex));
  }
  if (ReadApDword(key, kApCipherValueName, nativeWiFi)) {
    int cipher = CipherIndexFromStored(nativeWiFi);
    const int auth = m_nAuthIndex;
    if ((auth == 0 || auth == 1 || auth == 2) && cipher > 1) cipher = 1;
    if ((auth == 3 || auth == 4 || auth >= 6) && cipher != 4 && cipher != 6 && cipher != 8) cipher = 4;
    m_nCipherIndex = cipher;
    g_bApWepOrNone = cipher < 4 ? 1 : 0;
    if (IsSheetWindow()) m_pSheet->RefreshWdsPage();
    SetDriverDword_AP(OID_AP_ENCRYPTION_SET, CipherIndexToStored(cipher));
  }

  if (IsPskAuthIndex(m_nAuthIndex)) {
    ReadApText(key, "WPAPSK", m_strWpaPsk);
    g_strApWpaPsk = m_strWpaPsk;
    // The key is derived from the SSID the AP beacons.
    beaconSsid();
    SendPreSharedKey();
  }

  if (m_nAuthIndex == 2 || m_nAuthIndex == 3) {
    using namespace aprecord::radius;
    ApRecord radius(kSize, 0);
    DWORD address = 0;
    if (ReadApDword(key, "RadiusIP", address)) wavorel::wire::putU32(radius.data() + kAddress, address);
    PutApIntField(key, "RadiusPort", radius.data() + kPort);
    CString secret;
    if (ReadApText(key, "RadiusKey", secret))
      std::memcpy(radius.data() + kSecret, secret, std::min<size_t>(static_cast<size_t>(secret.GetLength()), kSecretSize));
    SetDriverRecordIfChanged_AP(OID_VX_RADIUS, OID_VX_RADIUS_SET, std::move(radius));
  }

  if (m_nAuthIndex == 3 || m_nAuthIndex == 4 || m_nAuthIndex >= 6) {
    ApRecord rekey(aprecord::rekey::kSize, 0);
    PutApIntField(key, "RekeyMethod", rekey.data() + aprecord::rekey::kMethod);
    PutApIntField(key, "RekeyInterval", rekey.data() + aprecord::rekey::kInterval);
    SetDriverRecordIfChanged_AP(OID_VX_REKEY, OID_VX_REKEY_SET, std::move(rekey));
  }

  if (m_nCipherIndex == 0 || m_nAuthIndex == 1) {
    ReadApInt(key, "WEPKeyUse", m_nDefaultKey);
    for (int n = 1; n <= 4; ++n)
      if (ReadApText(key, FormatString("WEPKey%d", n), m_strWepKey[n - 1])) SendWepKey(n);
  }

  beaconSsid();
  if (WAVOREL_BUILD_XP) ReconnectSsid(m_strBeaconSsid);

  int policy = 0;
  ReadApInt(key, "AccessControlPolicy", policy);
  std::vector<MacAddress> macs;
  if (policy != 0) macs = ReadApMacList(key, "AccessControlList", aprecord::acl::kMaxEntries);
  if (macs.empty()) policy = 0;
  SetDriverRecord_AP(OID_VX_ACCESS_CONTROL_SET, BuildAccessControlRecord(static_cast<DWORD>(policy), macs));

  int wdsEnable = 1;
  const BOOL wds = ReadApInt(key, "WdsEnable", wdsEnable) && wdsEnable == 0;
  const std::vector<MacAddress> peers = wds ? ReadApMacList(key, "WdsList", aprecord::wds::kMaxPeers)
                                            : std::vector<MacAddress>();
  SetDriverRecord_AP(OID_VX_WDS_LIST_SET, BuildWdsRecord(wds, peers, m_nAuthIndex, m_nCipherIndex, m_strWpaPsk));

  if (!WAVOREL_BUILD_XP) ReconnectSsid(m_strBeaconSsid);
  if (key) RegCloseKey(key);
}
