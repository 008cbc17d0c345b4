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

namespace {

constexpr int kCipherIndexes[] = {0, 1, 4, 6, 8};

}  // namespace

DWORD AuthIndexToStored(int index) {
  return WAVOREL_BUILD_XP ? static_cast<DWORD>(index) : AuthIndexToNativeWiFi(index);
}

int AuthIndexFromStored(DWORD value) {
  if (!WAVOREL_BUILD_XP) return AuthIndexFromNativeWiFi(value);
  // An index the program does not have reads as open.
  return value < static_cast<DWORD>(kAuthIndexCount) ? static_cast<int>(value) : 0;
}

DWORD CipherIndexToStored(int index) {
  return WAVOREL_BUILD_XP ? static_cast<DWORD>(index) : CipherIndexToNativeWiFi(index);
}

int CipherIndexFromStored(DWORD value) {
  if (!WAVOREL_BUILD_XP) return CipherIndexFromNativeWiFi(value);
  // An index the program does not have reads as none.
  for (int index : kCipherIndexes)
    if (value == static_cast<DWORD>(index)) return index;
  return 1;
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
  return RegSetValueEx_AP(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text)), keyPath);
}

BOOL CopyRegistryValues(HKEY source, HKEY destination, LPCSTR destinationPath) {
  return EnumRegistryValues(source, [destination, destinationPath](LPCSTR name, DWORD type, const BYTE* data,
                                                                   DWORD size) {
    return RegSetValueEx_AP(destination, name, 0, type, data, size, destinationPath);
  });
}

void UpdateApDefault() {
  const CString apPath = g_strApDriverKey + "\\ApDefault";
  HKEY apDefault = nullptr, driverKey = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, apPath, 0, KEY_QUERY_VALUE, &apDefault);
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &driverKey);
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

void ReadAllowBW40InBGBand() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  int allow = 0;
  if (ReadApInt(key, "AllowBW40InBGBand", allow)) g_bApAllowBW40BandG = allow == 1 ? 1 : 0;
  RegCloseKey(key);
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
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &key);
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
    RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, apPath, 0, KEY_ALL_ACCESS, &apDefault);
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

void PutApIntField(HKEY key, LPCSTR name, BYTE* field) {
  int value = 0;
  if (ReadApInt(key, name, value)) wavorel::wire::putU32(field, static_cast<DWORD>(value));
}
