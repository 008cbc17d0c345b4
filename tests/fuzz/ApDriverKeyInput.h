// The input format shared by the AP fuzz targets that read the adapter's
// driver key: one byte of module flags (bit 0 an 802.11n family, bits 1 and 2
// the 2.4 and 5 GHz region flags, bit 3 the 5 GHz band), then entries of
// {value name index, kind, length, data}: kind 0 a text without terminator,
// 1 a text with one, 2 a REG_MULTI_SZ list, 3 REG_DWORD/raw bytes. Also the
// sizes and bounds every AP driver record must keep.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/Platform.h"
#include "platform/sim/radio/Machine.h"
#include "softap/ApModule.h"

namespace apfuzz {

const char* const kNames[] = {
    "SSID",        "CountryRegion", "CountryRegionABand", "WirelessMode",   "TXPower",     "TransRate",
    "AutoChannelSelect", "Channel", "BeaconPeriod",       "TransmitSetting", "PreambleType", "RtsThresh",
    "FragThresh",  "BGProtection",  "TXBurst",            "TurboRate",      "NoForwarding", "HideSSID",
    "ShortSlot",   "IdleTime",      "AuthMode",           "CipherMode",     "WPAPSK",      "WEPKeyUse",
    "WEPKey1",     "WEPKey2",       "WEPKey3",            "WEPKey4",        "RekeyMethod", "RekeyInterval",
    "RadiusIP",    "RadiusPort",    "RadiusKey",          "AccessControlPolicy", "AccessControlList",
    "WdsEnable",   "WdsList",
};
constexpr size_t kNameCount = sizeof kNames / sizeof kNames[0];

inline uint32_t u32(const std::vector<uint8_t>& d, size_t at) {
  return uint32_t{d[at]} | uint32_t{d[at + 1]} << 8 | uint32_t{d[at + 2]} << 16 | uint32_t{d[at + 3]} << 24;
}

// The size of each record apply-all sends; 0 for the key records, checked
// on their own.
const std::map<uint32_t, size_t> kRecordSizes = {
    {0xFF8C0003, 4},  {0xFF8C0002, 4},  {0xFF8C0007, 4},  {0xFF8C0045, 8},  {0xFF8C003B, 32}, {0xFF8C0028, 12},
    {0xFFF10101, 4},  {0xFF8C003C, 4},  {0xFF8C003D, 4},  {0xFF8C0040, 32}, {0xFF8C0035, 4},  {0xFF8C0036, 4},
    {0xFF8C0038, 0},  {0xFF8C003A, 72}, {0xFF8C0041, 8},  {0xFF8C0039, 16}, {0xFF8C0046, 264}, {0xFF8C0048, 60},
};

inline void check(bool ok) {
  if (!ok) std::abort();
}

inline void checkRecord(const wavorel::sim::DriverCall& c) {
  auto known = kRecordSizes.find(c.code);
  check(known != kRecordSizes.end());
  if (known->second) check(c.data.size() == known->second);
  switch (c.code) {
    case 0xFF8C0038: {  // key: length 39 + key length, 5, 13 or 32 bytes of key
      check(c.data.size() >= 39);
      const uint32_t keyLength = u32(c.data, 8);
      check(keyLength == 5 || keyLength == 13 || keyLength == 32);
      check(u32(c.data, 0) == 39 + keyLength && c.data.size() == 39 + keyLength);
      check((u32(c.data, 4) & 0x7FFFFFFFu) <= 3);
      break;
    }
    case 0xFF8C0039: check(u32(c.data, 0) == 16 && u32(c.data, 4) <= 3); break;
    case 0xFF8C0046: check(u32(c.data, 4) <= 32); break;
    case 0xFF8C0048: check(u32(c.data, 0) <= 3 && (u32(c.data, 24) == 0 || u32(c.data, 24) == 32)); break;
    default: break;
  }
}

inline void clearValues(HKEY key) {
  char name[512];
  for (;;) {
    DWORD length = sizeof name;
    if (RegEnumValue(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return;
    if (RegDeleteValue(key, name) != ERROR_SUCCESS) return;
  }
}

// The adapter's device path and driver key into the module (once); FALSE
// without an adapter.
inline bool useFirstAdapter() {
  static const bool ready = [] {
    auto& machine = wavorel::sim::machine();
    if (machine.adapterCount() == 0) return false;
    g_strApDevicePath = CString("\\\\.\\") + machine.adapter(0).guid().c_str();
    g_strApDriverKey = CString(wavorel::sim::kClassRoot) + "\\" + machine.driverValue(machine.adapter(0)).c_str();
    return true;
  }();
  return ready;
}

// The driver key emptied and filled from the input; the module flags set.
inline bool fillDriverKey(const uint8_t* data, size_t size) {
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  clearValues(key);
  g_bApHtFamily = data[0] & 1;
  g_bApRegionBandG = (data[0] >> 1) & 1;
  g_bApRegionBandA = (data[0] >> 2) & 1;
  g_bApSupportBandA = (data[0] >> 3) & 1;
  for (size_t at = 1; at + 3 <= size;) {
    const char* name = kNames[data[at] % kNameCount];
    const int kind = data[at + 1] % 4;
    const size_t length = std::min<size_t>(data[at + 2], size - at - 3);
    std::string value(reinterpret_cast<const char*>(data + at + 3), length);
    at += 3 + length;
    DWORD type = REG_SZ;
    if (kind == 1) value += '\0';
    if (kind == 2) type = REG_MULTI_SZ;
    if (kind == 3) type = value.size() == 4 ? REG_DWORD : REG_BINARY;
    RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(value.data()), static_cast<DWORD>(value.size()));
  }
  RegCloseKey(key);
  return true;
}

}  // namespace apfuzz
