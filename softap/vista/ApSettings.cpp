#include "softap/ApSettings.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "softap/ApDriver.h"
#include "softap/HideDlg_AP.h"
#include "softap/ApModule.h"
#include "softap/QzPropSheet_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/ChannelTable.h"
#include "worker/CopyRegistryKeyValues.h"
#include "worker/DriverCodes.h"
#include "worker/HexStringToBytes.h"
#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/ProfileData.h"
#include "worker/vista/RegistryRpcClient.h"

namespace {

constexpr DWORD kAuthValues[] = {1, 2, 2, 3, 4, 5, 6, 7, 0x80000000u, 0x80000001u};
constexpr int kAuthIndexCount = static_cast<int>(sizeof kAuthValues / sizeof kAuthValues[0]);
constexpr DWORD kNativeWiFiWpaWpa2 = 0x80000000u;
constexpr DWORD kNativeWiFiWep = 0x101;
constexpr size_t kMacDigits = 12;
constexpr int kPskHexDigits = 64;
constexpr int kMaxPassphrase = 63;

bool allHex(LPCSTR text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (HexDigitValue(text[i]) == 255) return false;
  return true;
}

void appendRun(std::vector<int>& list, int first, int last, int step) {
  for (int channel = first; channel <= last; channel += step) list.push_back(channel);
}

}  // namespace

DWORD AuthIndexToNativeWiFi(int index) { return index >= 0 && index < kAuthIndexCount ? kAuthValues[index] : 0; }

int AuthIndexFromNativeWiFi(DWORD value) {
  switch (value) {
    case 1: return 0;
    case 2: return 1;
    case 3: case 4: case 5: case 6: case 7: return static_cast<int>(value);
    case 0x80000000u: return 8;
    case 0x80000001u: return 9;
    default: return 0;
  }
}

DWORD CipherIndexToNativeWiFi(int index) {
  switch (index) {
    case 0: return kNativeWiFiWep;
    case 4: return 2;
    case 6: return 4;
    case 8: return kNativeWiFiWpaWpa2;
    default: return 0;  // 1 (none) and every unknown index
  }
}

int CipherIndexFromNativeWiFi(DWORD value) {
  switch (value) {
    case 0: return 1;
    case 2: return 4;
    case 4: return 6;
    case kNativeWiFiWep: return 0;
    case kNativeWiFiWpaWpa2: return 8;
    default: return 1;
  }
}

bool IsPskAuthIndex(int index) { return index == 4 || index == 7 || index == 9; }

int FixWirelessMode_AP(int mode) {
  if (mode == 0) return 0;
  if (mode == 2) return g_bApSupportBandA ? 2 : 0;
  if (mode == 8 && g_bApSupportBandA) return g_bApHtFamily ? 8 : 2;
  return g_bApHtFamily ? 9 : 0;
}

BOOL ReadApText(HKEY key, LPCSTR name, CString& text) {
  text.Empty();
  if (RegQueryValueEx(key, name, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return FALSE;
  char buffer[kApValueRoom];
  ReadRegistryText(key, name, buffer, sizeof buffer);
  text = buffer;
  return TRUE;
}

BOOL ReadApInt(HKEY key, LPCSTR name, int& value) {
  CString text;
  if (!ReadApText(key, name, text)) return FALSE;
  value = static_cast<int>(std::strtol(text, nullptr, 10));
  return TRUE;
}

BOOL ReadApDword(HKEY key, LPCSTR name, DWORD& value) {
  CString text;
  if (!ReadApText(key, name, text)) return FALSE;
  value = static_cast<DWORD>(std::strtoul(text, nullptr, 10));
  return TRUE;
}

std::vector<MacAddress> ReadApMacList(HKEY key, LPCSTR name, size_t limit) {
  std::vector<MacAddress> macs;
  DWORD size = 0;
  if (RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return macs;
  std::vector<char> data(size_t{size} + 1, '\0');
  if (RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(data.data()), &size) != ERROR_SUCCESS)
    return macs;
  // Entries end at their zero; the extra zero ends the last one.
  for (size_t at = 0; at < size && macs.size() < limit;) {
    const size_t length = std::strlen(data.data() + at);
    if (length == kMacDigits && allHex(data.data() + at, length)) {
      MacAddress mac{};
      HexStringToBytes(data.data() + at, mac.data(), static_cast<int>(mac.size()));
      macs.push_back(mac);
    }
    at += length + 1;
  }
  return macs;
}

LONG WriteApText(HKEY key, LPCSTR name, LPCSTR text, LPCSTR keyPath) {
  return RpcRegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text)), keyPath);
}

BOOL CopyRegistryValues(HKEY source, HKEY destination, LPCSTR destinationPath) {
  return EnumRegistryValues(source, [destination, destinationPath](LPCSTR name, DWORD type, const BYTE* data,
                                                                   DWORD size) {
    return RpcRegSetValueEx(destination, name, 0, type, data, size, destinationPath);
  });
}

void UpdateApDefault() {
  const CString apPath = g_strApDriverKey + "\\ApDefault";
  HKEY apDefault = nullptr, driverKey = nullptr;
  RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, apPath, 0, KEY_QUERY_VALUE, &apDefault);
  RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &driverKey);
  // The subkey is open for queries only: these writes go to the registry
  // service with its full path.
  static const char* const kWhenMissing[][2] = {
      {"AllowBW40Capability", "1"}, {"CountryRegion", "0"}, {"CountryRegionABand", "0"}};
  for (const auto& value : kWhenMissing)
    if (RegQueryValueEx(apDefault, value[0], nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      WriteApText(apDefault, value[0], value[1], apPath);
  CopyRegistryValues(apDefault, driverKey, g_strApDriverKey);
  if (apDefault) RegCloseKey(apDefault);
  if (driverKey) RegCloseKey(driverKey);
}

void ReadRegionFlags() {
  BYTE word[aprecord::kRegionSize] = {};
  DWORD returned = 0;
  QueryDriverOid_AP(OID_VX_COUNTRY_REGION, word, sizeof word, &returned);
  const DWORD region = wavorel::wire::getU32(word);
  g_bApRegionBandG = (region & aprecord::kRegionFixedBandG) ? 0 : 1;
  g_bApRegionBandA = (region & aprecord::kRegionFixedBandA) ? 0 : 1;
  g_dwApCountryRegion = region & ~(aprecord::kRegionFixedBandG | aprecord::kRegionFixedBandA);
}

std::vector<int> AllowedChannels_VX52(DWORD regionWord, int wirelessMode) {
  std::vector<int> list;
  if (wirelessMode != 2) {
    switch (regionWord & 0xFF) {
      case 1: appendRun(list, 1, 13, 1); break;
      case 2: appendRun(list, 10, 11, 1); break;
      case 3: appendRun(list, 10, 13, 1); break;
      case 4: appendRun(list, 14, 14, 1); break;
      case 5: appendRun(list, 1, 14, 1); break;
      case 6: appendRun(list, 3, 9, 1); break;
      case 7: appendRun(list, 5, 13, 1); break;
      default: appendRun(list, 1, 11, 1); break;
    }
  }
  if (wirelessMode == 2 || wirelessMode == 3 || wirelessMode == 8) {
    switch ((regionWord >> 8) & 0xFF) {
      case 1: appendRun(list, 36, 64, 4); appendRun(list, 100, 140, 4); break;
      case 2: appendRun(list, 36, 64, 4); break;
      case 3: appendRun(list, 52, 64, 4); appendRun(list, 149, 161, 4); break;
      case 4: appendRun(list, 149, 165, 4); break;
      case 5: appendRun(list, 149, 161, 4); break;
      case 6: appendRun(list, 36, 48, 4); break;
      case 7: appendRun(list, 36, 64, 4); appendRun(list, 100, 140, 4); appendRun(list, 149, 165, 4); break;
      case 8: appendRun(list, 52, 64, 4); break;
      case 9: case 10: case 11: break;
      default: appendRun(list, 36, 64, 4); appendRun(list, 149, 165, 4); break;
    }
  }
  return list;
}

void FixChannelAndRegion_VX52() {
  HKEY key = nullptr;
  RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &key);
  ReadRegionFlags();
  ReadApInt(key, "WirelessMode", g_nApWirelessMode);
  g_nApWirelessMode = FixWirelessMode_AP(g_nApWirelessMode);
  const std::vector<int> allowed = AllowedChannels_VX52(g_dwApCountryRegion, g_nApWirelessMode);

  int channel = 0;
  const bool keep = ReadApInt(key, "Channel", channel) &&
                    std::find(allowed.begin(), allowed.end(), channel) != allowed.end();
  const CString channelText = allowed.empty() ? CString("0") : FormatString("%d", allowed.front());
  if (!keep) WriteApText(key, "Channel", channelText, g_strApDriverKey);
  if (g_bApRegionBandG)
    WriteApText(key, "CountryRegion", FormatString("%d", g_dwApCountryRegion & 0x7F), g_strApDriverKey);
  if (g_bApRegionBandA)
    WriteApText(key, "CountryRegionABand", FormatString("%d", (g_dwApCountryRegion >> 8) & 0x7F), g_strApDriverKey);
  if (!keep) {
    const CString apPath = g_strApDriverKey + "\\ApDefault";
    HKEY apDefault = nullptr;
    RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, apPath, 0, KEY_ALL_ACCESS, &apDefault);
    WriteApText(apDefault, "Channel", channelText, apPath);
    if (apDefault) RegCloseKey(apDefault);
  }
  if (key) RegCloseKey(key);
}

BOOL DerivePreSharedKey(const CString& text, const CString& ssid, BYTE out[kPskLength]) {
  const int length = text.GetLength();
  if (length == kPskHexDigits) {
    if (!allHex(text, static_cast<size_t>(length))) return FALSE;
    HexStringToBytes(text, out, static_cast<int>(kPskLength));
    return TRUE;
  }
  if (length > kMaxPassphrase) return FALSE;
  const int ssidLength = std::min(ssid.GetLength(), 32);
  return PasswordHash(text, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(ssid)), ssidLength, out) ? TRUE
                                                                                                      : FALSE;
}

BOOL ParseWepKey(const CString& text, std::vector<BYTE>& key) {
  const int length = text.GetLength();
  if ((length != 10 && length != 26) || !allHex(text, static_cast<size_t>(length))) return FALSE;
  key.assign(static_cast<size_t>(length / 2), 0);
  HexStringToBytes(text, key.data(), length / 2);
  return TRUE;
}

// ---- Apply-all: every stored AP value to the driver ----

namespace {

constexpr int kTxPowerPercent[] = {100, 75, 50, 25, 12};

// Sets `record` unless the driver already holds it.
void setIfChanged(DWORD queryOid, DWORD setOid, ApRecord record) {
  ApRecord current(record.size(), 0);
  DWORD returned = 0;
  QueryDriverOid_AP(queryOid, current.data(), static_cast<DWORD>(current.size()), &returned);
  if (current != record) SetDriverRecord_AP(setOid, std::move(record));
}

// A field of a queried block from a readable value.
void putReadable(HKEY key, LPCSTR name, BYTE* field) {
  int value = 0;
  if (ReadApInt(key, name, value)) wavorel::wire::putU32(field, static_cast<DWORD>(value));
}

// "SoftAP-%02X" of the adapter's last MAC byte.
CString DefaultBeaconSsid() {
  BYTE mac[6] = {};
  DWORD returned = 0;
  QueryDriverOid_AP(OID_802_3_CURRENT_ADDRESS, mac, sizeof mac, &returned);
  return FormatString("SoftAP-%02X", mac[5]);
}

}  // namespace

void CHideDlg_AP::SendPreSharedKey() {
  BYTE key[kPskLength] = {};
  if (!DerivePreSharedKey(m_strWpaPsk, m_strBeaconSsid, key)) {
    Log(GXLOG_WARNING, "AP pre-shared key: a text of %d characters is neither a pass phrase nor 64 hexadecimal "
                       "digits; no key sent", m_strWpaPsk.GetLength());
    return;
  }
  SetDriverRecord_AP(OID_VX_ADD_KEY_SET, BuildKeyRecord(kTransmitKeyBit, key, kPskLength, FALSE));
}

void CHideDlg_AP::SendWepKey(int n) {
  std::vector<BYTE> key;
  const DWORD index = static_cast<DWORD>(n - 1);
  if (!ParseWepKey(m_strWepKey[n - 1], key)) {
    SetDriverRecord_AP(OID_VX_REMOVE_KEY, BuildRemoveKeyRecord(index));
    return;
  }
  const DWORD transmit = n == m_nDefaultKey ? kTransmitKeyBit : 0;
  SetDriverRecord_AP(OID_VX_ADD_KEY_SET, BuildKeyRecord(index | transmit, key.data(), static_cast<DWORD>(key.size()), TRUE));
}

void CHideDlg_AP::ApplyAllSettings() {
  HKEY key = nullptr;
  RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key);

  ReadApText(key, "SSID", m_strSsid);
  m_strSsid = m_strSsid.Left(32);
  // The SSID the AP will beacon: the stored one, or the adapter's default
  // name (asked for once, where it is first needed).
  m_strBeaconSsid = m_strSsid;
  auto beaconSsid = [this]() {
    if (m_strBeaconSsid.IsEmpty()) m_strBeaconSsid = DefaultBeaconSsid();
  };

  // Region: a band the driver left editable takes the registry's region.
  if (g_bApRegionBandG || g_bApRegionBandA) {
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

  int level = 0;
  if (ReadApInt(key, "TXPower", level))
    SetDriverDword_AP(OID_VX_TX_POWER_SET, static_cast<DWORD>(level >= 0 && level <= 4 ? kTxPowerPercent[level] : 100));

  int rateIndex = 0;
  if (mode != 6 && ReadApInt(key, "TransRate", rateIndex)) SetDriverRecord_AP(OID_VX_DESIRED_RATES_SET, BuildRatesRecord(mode, rateIndex));

  {
    ApRecord config(aprecord::config::kSize, 0);
    DWORD returned = 0;
    QueryDriverOid_AP(OID_VX_CONFIGURATION, config.data(), aprecord::config::kSize, &returned);
    const ApRecord before = config;
    int autoChannel = 0, channel = 0;
    if (!(ReadApInt(key, "AutoChannelSelect", autoChannel) && autoChannel != 0) && ReadApInt(key, "Channel", channel))
      if (const CHANNEL_FREQUENCY* row = FindChannelByNumber(static_cast<DWORD>(channel)))
        wavorel::wire::putU32(config.data() + aprecord::config::kDsConfig, row->Frequency);
    putReadable(key, "BeaconPeriod", config.data() + aprecord::config::kBeaconPeriod);
    if (config != before) SetDriverRecord_AP(OID_VX_CONFIGURATION_SET, config);
  }

  DWORD transmitSetting = 0;
  if (g_bApHtFamily && ReadRegistryRawDword(key, "TransmitSetting", transmitSetting))
    SetDriverRecord_AP(OID_VX_HT_TRANSMIT_SET, BuildHtTransmitRecord(transmitSetting));

  int preamble = 0;
  if (ReadApInt(key, "PreambleType", preamble)) {
    ApRecord record(4, 0);
    wavorel::wire::putU32(record.data(), preamble == 1 ? 1 : 0);
    setIfChanged(OID_VX_PREAMBLE, OID_VX_PREAMBLE_SET, std::move(record));
  }
  int threshold = 0;
  if (ReadApInt(key, "RtsThresh", threshold)) {
    ApRecord record(4, 0);
    wavorel::wire::putU32(record.data(), static_cast<DWORD>(threshold));
    setIfChanged(OID_VX_RTS_THRESHOLD, OID_VX_RTS_THRESHOLD_SET, std::move(record));
  }
  if (ReadApInt(key, "FragThresh", threshold)) {
    ApRecord record(4, 0);
    wavorel::wire::putU32(record.data(), static_cast<DWORD>(threshold));
    setIfChanged(OID_VX_FRAG_THRESHOLD, OID_VX_FRAG_THRESHOLD_SET, std::move(record));
  }

  {
    using namespace aprecord::options;
    ApRecord options(kSize, 0);
    DWORD returned = 0;
    QueryDriverOid_AP(OID_VX_AP_OPTIONS, options.data(), kSize, &returned);
    const ApRecord before = options;
    if (mode == 0 || mode == 3)
      putReadable(key, "BGProtection", options.data() + kBgProtection);
    else
      wavorel::wire::putU32(options.data() + kBgProtection, 0);
    putReadable(key, "TXBurst", options.data() + kTxBurst);
    putReadable(key, "TurboRate", options.data() + kTurboRate);
    putReadable(key, "NoForwarding", options.data() + kNoForwarding);
    putReadable(key, "HideSSID", options.data() + kHideSsid);
    putReadable(key, "ShortSlot", options.data() + kShortSlot);
    putReadable(key, "IdleTime", options.data() + kIdleTime);
    if (options != before) SetDriverRecord_AP(OID_VX_AP_OPTIONS_SET, options);
  }

  DWORD nativeWiFi = 0;
  if (ReadApDword(key, "AuthMode", nativeWiFi)) {
    m_nAuthIndex = AuthIndexFromNativeWiFi(nativeWiFi);
    g_nApAuthIndex = m_nAuthIndex;
    SetDriverDword_AP(OID_VX_AUTH_MODE_SET, AuthIndexToNativeWiFi(m_nAuthIndex));
  }
  if (ReadApDword(key, "CipherMode", nativeWiFi)) {
    int cipher = CipherIndexFromNativeWiFi(nativeWiFi);
    const int auth = m_nAuthIndex;
    if ((auth == 0 || auth == 1 || auth == 2) && cipher > 1) cipher = 1;
    if ((auth == 3 || auth == 4 || auth >= 6) && cipher != 4 && cipher != 6 && cipher != 8) cipher = 4;
    m_nCipherIndex = cipher;
    g_bApWepOrNone = cipher < 4 ? 1 : 0;
    if (IsSheetWindow()) m_pSheet->RefreshWdsPage();
    SetDriverDword_AP(OID_VX_ENCRYPTION_SET, CipherIndexToNativeWiFi(cipher));
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
    putReadable(key, "RadiusPort", radius.data() + kPort);
    CString secret;
    if (ReadApText(key, "RadiusKey", secret))
      std::memcpy(radius.data() + kSecret, secret, std::min<size_t>(static_cast<size_t>(secret.GetLength()), kSecretSize));
    setIfChanged(OID_VX_RADIUS, OID_VX_RADIUS_SET, std::move(radius));
  }

  if (m_nAuthIndex == 3 || m_nAuthIndex == 4 || m_nAuthIndex >= 6) {
    ApRecord rekey(aprecord::rekey::kSize, 0);
    putReadable(key, "RekeyMethod", rekey.data() + aprecord::rekey::kMethod);
    putReadable(key, "RekeyInterval", rekey.data() + aprecord::rekey::kInterval);
    setIfChanged(OID_VX_REKEY, OID_VX_REKEY_SET, std::move(rekey));
  }

  if (m_nCipherIndex == 0 || m_nAuthIndex == 1) {
    ReadApInt(key, "WEPKeyUse", m_nDefaultKey);
    for (int n = 1; n <= 4; ++n)
      if (ReadApText(key, FormatString("WEPKey%d", n), m_strWepKey[n - 1])) SendWepKey(n);
  }

  beaconSsid();

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

  ReconnectSsid(m_strBeaconSsid);
  if (key) RegCloseKey(key);
}
