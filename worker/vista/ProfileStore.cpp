#include "worker/ProfileStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "worker/ChannelTable.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "worker/HexStringToBytes.h"
#include "worker/IniProfileStore.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/OidRequest.h"
#include "worker/PasswordHash.h"
#include "worker/RateSets.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr int kValueSize = 128;
constexpr char kConfig[] = "Config";
constexpr char kWpsCommon[] = "Common";
constexpr DWORD kDefaultRtsThresh = 2347;
constexpr DWORD kMaxAuthMode = 7;
constexpr DWORD kHexKeyLength = 64;
constexpr int kWindowsXpOsType = 8;  // Windows 5.1 and later from here
constexpr DWORD kHtTransmitSize = 12;
constexpr size_t kHtTransmitModeByte = 6;
constexpr DWORD kStationConfigSize = sizeof(DWORD) * kStationConfigWords;
constexpr size_t kMacDigits = 12;

// One value of the store; empty when missing.
struct Value {
  char text[kValueSize] = "";

  bool empty() const { return text[0] == '\0'; }
  int number() const { return std::atoi(text); }
  size_t length() const { return std::strlen(text); }
};

Value ReadStore(int kind, LPCSTR section, LPCSTR key) {
  Value v;
  ReadIniValue(g_strAdapterGuid, kind, section, key, v.text, kValueSize, 0);
  return v;
}

Value ReadConfig(LPCSTR key) { return ReadStore(kIniKindStation, kConfig, key); }

// A number of section "Config" into `field`; an empty value leaves it.
template <typename T>
bool ReadConfigNumber(LPCSTR key, T& field) {
  const Value v = ReadConfig(key);
  if (v.empty()) return false;
  field = static_cast<T>(v.number());
  return true;
}

// A text of section "Config" with its terminator into `field`.
template <size_t N>
void ReadConfigText(LPCSTR key, char (&field)[N]) {
  const Value v = ReadConfig(key);
  if (v.empty()) return;
  const size_t count = std::min(v.length(), N - 1);
  std::memcpy(field, v.text, count);
  field[count] = '\0';
}

// `count` bytes from the hexadecimal text, the digits it lacks counted as 0.
void HexToBytes(const char* text, BYTE* out, size_t count) {
  std::string digits(text, std::min(std::strlen(text), 2 * count));
  digits.resize(2 * count, '0');
  HexStringToBytes(digits.c_str(), out, static_cast<int>(count));
}

// "<prefix>CertLen" and "<prefix>CertData" into a 152-byte field.
void ReadCertificate(LPCSTR lengthKey, LPCSTR dataKey, DWORD& length, BYTE (&data)[152]) {
  int stored = 0;
  if (ReadConfigNumber(lengthKey, stored)) length = static_cast<DWORD>(std::clamp(stored, 0, 152));
  const Value hex = ReadConfig(dataKey);
  if (!hex.empty()) HexToBytes(hex.text, data, length);
}

void Read8021XGroup(_PROFILE_DATA& p) {
  ReadConfigNumber("AuthenProtocol", p.AuthenProtocol);
  ReadConfigNumber("TunnelProtocol", p.AuthenProtocol == 2 ? p.TunnelProtocol2 : p.TunnelProtocol);
  ReadConfigNumber("ProvisioningTunnel", p.ProvisioningTunnel);
  ReadConfigText("ID", p.Identity);
  ReadConfigText("Password", p.Password);
  ReadConfigText("TunnelID", p.TunnelID);
  ReadConfigText("TunnelPassword", p.TunnelPassword);
  ReadConfigNumber("SessionResumption", p.SessionResumption);
  ReadConfigNumber("PasswordMode", p.PasswordMode);
  if (p.PasswordMode == 1) ReadConfigText("TunnelPassword", p.TunnelPassword);
  ReadConfigNumber("UseClientCert", p.UseClientCert);
  ReadConfigNumber("UseSmartCard", p.UseSmartCard);
  if (p.UseClientCert) ReadCertificate("ClientCertLen", "ClientCertData", p.ClientCertLen, p.ClientCertData);
  ReadConfigNumber("UseServerCert", p.UseServerCert);
  if (p.UseServerCert) ReadCertificate("ServerCertLen", "ServerCertData", p.ServerCertLen, p.ServerCertData);
  ReadConfigNumber("UsePAC", p.UsePAC);
  ReadConfigNumber("ProvisionMode", p.ProvisionMode);
  ReadConfigText("PACFilePath", p.PACFilePath);
  ReadConfigText("ServerName", p.ServerName);
  ReadConfigNumber("NameRule", p.NameRule);
  ReadConfigNumber("IntermediateCert", p.IntermediateCert);
}

// The WPA key text of AuthMode 4, 5 and 7 (cut to 64 characters), and the
// WPA-None key block: a text of exactly 64 characters is the key in hex, any
// other a pass phrase mapped with the SSID (none longer than 63 maps: zero key).
void ReadWpaKey(_PROFILE_DATA& p) {
  const Value key = ReadConfig("WPAPSK");
  std::memset(p.WpaPsk, 0, sizeof p.WpaPsk);
  const size_t length = std::min(key.length(), sizeof p.WpaPsk);
  std::memcpy(p.WpaPsk, key.text, length);
  p.WpaPskLength = static_cast<DWORD>(length);
  if (p.AuthMode != 5) return;
  BYTE psk[kWpaNoneKeyLength] = {};
  if (key.length() == kHexKeyLength) {
    HexStringToBytes(key.text, psk, kWpaNoneKeyLength);
  } else {
    PasswordHash(key.text, p.Ssid.Ssid, static_cast<int>(p.Ssid.SsidLength), psk);
  }
  p.WpaNoneKey = MakeNdisKeyBlock(kTransmitKeyBit, psk, kWpaNoneKeyLength);
}

void ReadWepKeys(_PROFILE_DATA& p) {
  DWORD transmitKey = 0;
  ReadConfigNumber("WEPKeyUse", transmitKey);
  for (DWORD n = 1; n <= 4; ++n) {
    char key[] = "WEPKey0";
    key[6] = static_cast<char>('0' + n);
    const Value text = ReadConfig(key);
    NdisKeyBlock& block = p.WepKey[n - 1];
    block.clear();
    if (text.length() <= 1) continue;
    const DWORD keyLength = text.length() == 10 || text.length() == 11 ? 5 : 13;
    BYTE bytes[13] = {};
    HexToBytes(text.text, bytes, keyLength);
    block = MakeNdisKeyBlock((n - 1) | (n == transmitKey ? kTransmitKeyBit : 0), bytes, keyLength);
  }
}

// DesiredRates by the corrected wireless mode and "TransRate".
void SelectRates(BYTE (&rates)[8], int mode, bool transRateRead, long transRate) {
  static const BYTE kSingleG[] = {12, 18, 24, 36, 48, 72, 96, 108};
  static const BYTE kSingle[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};
  auto set = [&rates](const BYTE* list, size_t count) {
    std::memset(rates, 0, sizeof rates);
    std::memcpy(rates, list, count);
  };
  if (mode == 1 || mode == 2 || mode == 4) {
    set(kRatesB, sizeof kRatesB);
  } else {
    set(kRatesMixed, sizeof kRatesMixed);
  }
  if (!transRateRead) return;
  if (IsHtWirelessMode(mode)) {
    if ((g_dwTransmitSetting & kHtMixedRatesMask) == kHtMixedRatesValue) {
      set(kRatesMixed, sizeof kRatesMixed);
    } else {
      set(&kRatesMixed[0], 1);
    }
    return;
  }
  long t = transRate < 0 ? 0 : transRate;
  if ((mode == 1 && t > 4) || (mode == 2 && t > 8)) t = 0;
  if (mode == 2 || mode == 4) {
    if (t == 0 || t > 8) {
      set(kRatesG, sizeof kRatesG);
    } else {
      set(&kSingleG[t - 1], 1);
    }
  } else if (t >= 1 && t <= 12) {
    set(&kSingle[t - 1], 1);
  } else {
    mode == 1 ? set(kRatesB, sizeof kRatesB) : set(kRatesMixed, sizeof kRatesMixed);
  }
}

// A number of the driver key: TRUE and `value` when the text is not empty.
bool ReadKeyNumber(HKEY key, LPCSTR name, long& value) {
  char text[kValueSize];
  ReadRegistryText(key, name, text, sizeof text);
  if (!text[0]) return false;
  value = std::atol(text);
  return true;
}

void ReadRadioSettings(HKEY key, _PROFILE_DATA& p) {
  long number = 0;
  if (ReadKeyNumber(key, "WirelessMode", number)) g_nWirelessMode = static_cast<int>(number);
  AdjustWirelessMode(g_nWirelessMode);
  const int mode = g_nWirelessMode;
  DWORD returned = 0;
  if (g_bHtFamily) {
    BYTE transmit[kHtTransmitSize] = {};
    QueryOid(OID_VX_HT_TRANSMIT, transmit, sizeof transmit, &returned);
    const DWORD h = transmit[kHtTransmitModeByte] & 3;
    const DWORD m = static_cast<DWORD>(mode) & 0xF;
    DWORD v = 0;
    if (ReadRegistryRawDword(key, "TransmitSetting", v)) {
      g_dwTransmitSetting = (h << 17) | (v & 0x13FF0) | (g_dwTransmitSetting & 0xFFF88000) | m | 0x8000;
    } else {
      g_dwTransmitSetting = (h << 17) | (g_dwTransmitSetting & 0xFFF8BA10) | m | 0xBA10;
    }
  }
  BYTE config[kStationConfigSize];
  for (size_t i = 0; i < kStationConfigWords; ++i) wavorel::wire::putU32(config + 4 * i, p.StationConfig[i]);
  QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned);
  for (size_t i = 0; i < kStationConfigWords; ++i) p.StationConfig[i] = wavorel::wire::getU32(config + 4 * i);
  long region = 0, regionA = 0;
  ReadKeyNumber(key, "CountryRegion", region);
  ReadKeyNumber(key, "CountryRegionABand", regionA);
  p.CountryRegion = static_cast<DWORD>(region + (regionA << 8));
  if (ReadKeyNumber(key, "TXBurst", number)) p.StationConfig[0] = static_cast<DWORD>(number);
  if (ReadKeyNumber(key, "TurboRate", number)) p.StationConfig[1] = static_cast<DWORD>(number);
  if (mode == 0 || mode == 3) {
    if (ReadKeyNumber(key, "BGProtection", number)) p.StationConfig[2] = static_cast<DWORD>(number);
  } else {
    p.StationConfig[2] = 0;
  }
  if (ReadKeyNumber(key, "ShortSlot", number)) p.StationConfig[3] = static_cast<DWORD>(number);
  long transRate = 0;
  const bool transRateRead = ReadKeyNumber(key, "TransRate", transRate);
  SelectRates(p.DesiredRates, mode, transRateRead, transRate);
  std::copy(std::begin(p.StationConfig), std::end(p.StationConfig), g_stationConfig);
}

}  // namespace

BOOL ClearConfigSection() {
  static const struct {
    const char* key;
    const char* value;
  } kBlank[] = {{"SSID", ""},           {"NetworkType", "1"},   {"AuthMode", "0"},       {"CipherMode", "1"},
                {"WEPKey1Type", ""},    {"WEPKey2Type", ""},    {"WEPKey3Type", ""},     {"WEPKey4Type", ""},
                {"CurProfile", ""},     {"LeapEnabled", ""},    {"LeapUserName", ""},    {"LeapPassword", ""},
                {"TunnelID", ""},       {"TunnelProtocol", ""}, {"Use8021X", "0"},       {"ServerCertLen", "0"},
                {"ServerCertData", ""}, {"ClientCertLen", "0"}, {"ClientCertData", ""}};
  for (const auto& entry : kBlank) WriteIniValue(g_strAdapterGuid, kIniKindStation, kConfig, entry.key, entry.value, 0);
  return TRUE;
}

void ReadCurrentProfile(_PROFILE_DATA* profile) {
  if (!profile) return;
  _PROFILE_DATA& p = *profile;
  p.UseBssid = 0;
  p.Reserved1 = 0;

  const Value ssid = ReadConfig("SSID");
  if (!ssid.empty()) {
    p.Ssid.SsidLength = static_cast<ULONG>(std::min(ssid.length(), sizeof p.Ssid.Ssid));
    std::memcpy(p.Ssid.Ssid, ssid.text, p.Ssid.SsidLength);
  }
  if (ReadConfigNumber("NetworkType", p.NetworkType) && p.NetworkType == 0 && g_pNativeWiFi)
    g_pNativeWiFi->GetCurrentBssid(g_adhocBssid);
  if (ReadConfigNumber("PreambleType", p.PreambleType) && p.PreambleType == 1) p.PreambleType = 2;
  p.RtsThresh = kDefaultRtsThresh;
  DWORD use = 0;
  if (ReadConfigNumber("UseRts", use) && use) ReadConfigNumber("RtsThresh", p.RtsThresh);
  p.FragThresh = 0;
  use = 0;
  if (ReadConfigNumber("UseFrag", use) && use) ReadConfigNumber("FragThresh", p.FragThresh);
  if (ReadConfigNumber("AuthMode", p.AuthMode) && p.AuthMode > kMaxAuthMode) p.AuthMode = 0;
  ReadConfigNumber("CipherMode", p.CipherMode);
  if (ReadConfigNumber("LeapEnabled", p.LeapEnabled) && p.LeapEnabled)
    p.LeapCcx = static_cast<BYTE>((p.Ccx2Control >> 1) & 1);
  const Value leapUser = ReadConfig("LeapUserName");
  if (!leapUser.empty()) {
    std::memcpy(p.LeapUserName, leapUser.text, kValueSize);
    p.LeapUserNameLength = kValueSize - 1;
  }
  const Value leapPassword = ReadConfig("LeapPassword");
  if (!leapPassword.empty()) {
    std::memcpy(p.LeapPassword, leapPassword.text, kValueSize);
    p.LeapPasswordLength = kValueSize - 1;
  }
  ReadConfigNumber("Use8021X", p.Use8021X);
  if (p.LeapEnabled) p.Use8021X = 0;
  if (g_b8021xSupport && (p.AuthMode == 3 || p.Use8021X)) Read8021XGroup(p);

  if (p.AuthMode == 4 || p.AuthMode == 5 || p.AuthMode == 7) {
    ReadWpaKey(p);
  } else if ((p.AuthMode == 1 || p.CipherMode == 0) && !p.LeapEnabled) {
    ReadWepKeys(p);
  }
  ReadConfigNumber("TXPower", p.TxPower);
  if (p.NetworkType == 0) {
    DWORD channel = 0;
    if (ReadConfigNumber("Channel", channel))
      if (const CHANNEL_FREQUENCY* row = FindChannelByNumber(channel)) p.ChannelFrequency = row->Frequency;
  } else {
    if (ReadConfigNumber("PSMode", p.PSMode)) {
      if (p.PSMode >= 3) p.PSMode = 0;
      if (p.PSMode == 1) p.PSMode = 2;
    }
    if (g_nOsType >= kWindowsXpOsType) ReadConfigNumber("ACPowerCam", p.ACPowerCam);
  }
  p.Valid = 1;
}

BOOL ReadAdapterValues(_PROFILE_DATA* profile, BOOL readRadioSettings, DWORD applyArgument) {
  if (!profile) return FALSE;
  _PROFILE_DATA& p = *profile;
  HKEY key = nullptr;
  if (!OpenDriverKey(&key, g_strDriverKey)) return FALSE;
  p.Ccx2Control = 0;
  ReadRegistryRawDword(key, "CCX2Control", p.Ccx2Control);
  if (readRadioSettings) {
    p.ApplyArgument = applyArgument;
    p.AdvancedValid = 1;
    ReadRadioSettings(key, p);
  } else {
    p.AdvancedValid = 0;
  }
  if (p.LeapEnabled) {
    DWORD ccx = 0;
    ReadRegistryRawDword(key, "CCX2Control", ccx);
    if (!(ccx & 1) || (p.CipherMode != 0 && p.CipherMode != 4 && p.CipherMode != 6)) p.CipherMode = 0;
  }
  RegCloseKey(key);

  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return FALSE;
  int adhoc = 0;
  if (WirelessModeToAdhocMode(g_nWirelessMode, adhoc)) {
    CString text;
    text.Format("%d", adhoc);
    RegSetValueEx(key, "AdhocOfdm", 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(text)),
                  static_cast<DWORD>(text.GetLength() + 1));
    p.StationConfig[4] = static_cast<DWORD>(adhoc);
  }
  RegCloseKey(key);
  return TRUE;
}

// A stored PIN is one to eight digits; any other text reads as no PIN (-1),
// which the WPS page replaces with a new one.
int PinFromText(const char* text) {
  const size_t length = std::strlen(text);
  if (length == 0 || length > 8 || std::strspn(text, "0123456789") != length) return -1;
  return std::atoi(text);
}

void ReadWpsStore() {
  int number = 0;
  if (ReadConfigNumber("WSC", number)) g_bWpsConnect = number;
  const Value configMode = ReadStore(kIniKindWps, kWpsCommon, "ConfigMode");
  if (!configMode.empty()) g_nWpsConfigMode = configMode.number();
  const Value wirelessMode = ReadStore(kIniKindWps, kWpsCommon, "Wireless Mode");
  if (!wirelessMode.empty()) g_nWpsWirelessMode = wirelessMode.number();
  const Value pin = ReadStore(kIniKindWps, kWpsCommon, "PinCode");
  if (!pin.empty()) g_nWpsPinCode = PinFromText(pin.text);

  namespace table = wavorel::wire::wps::table;
  namespace credential = wavorel::wire::wps::credential;
  using wavorel::wire::putU32;
  g_wscCredentialTable.fill(0);
  std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
  const Value count = ReadStore(kIniKindWps, kWpsCommon, "NumberofProfile");
  if (count.empty()) return;
  const size_t records = static_cast<size_t>(std::clamp(count.number(), 0, static_cast<int>(table::kMaxRecords)));
  putU32(g_wscCredentialTable.data() + table::kCount, static_cast<DWORD>(records));
  for (size_t i = 0; i < records; ++i) {
    BYTE* c = g_wscCredentialTable.data() + table::recordAt(i);
    CString section;
    section.Format("Profile%d", static_cast<int>(i));
    const Value ssid = ReadStore(kIniKindWps, section, "SSID");
    const size_t ssidLength = std::min(ssid.length(), credential::kSsidSize);
    putU32(c + credential::kSsidLength, static_cast<DWORD>(ssidLength));
    std::memcpy(c + credential::kSsid, ssid.text, ssidLength);
    putU32(c + credential::kAuthType, static_cast<DWORD>(ReadStore(kIniKindWps, section, "AuthType").number()));
    putU32(c + credential::kEncryptionType, static_cast<DWORD>(ReadStore(kIniKindWps, section, "EncryType").number()));
    putU32(c + credential::kKeyIndex, static_cast<DWORD>(ReadStore(kIniKindWps, section, "KeyIndex").number()));
    const size_t keyLength = static_cast<size_t>(
        std::clamp(ReadStore(kIniKindWps, section, "KeyLength").number(), 0, static_cast<int>(credential::kKeySize)));
    putU32(c + credential::kKeyLength, static_cast<DWORD>(keyLength));
    const Value key = ReadStore(kIniKindWps, section, "Key");
    std::memcpy(c + credential::kKey, key.text, std::min(keyLength, key.length()));
    const Value mac = ReadStore(kIniKindWps, section, "MacAddress");
    const size_t pairs = std::min(mac.length(), kMacDigits) / 2;
    HexStringToBytes(mac.text, c + credential::kMacAddress, static_cast<int>(pairs));
  }
}
