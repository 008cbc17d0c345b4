// The input format of the fuzz targets of the XP build's registry readers: a
// sequence of entries {key, value name index, kind, length, data} written
// below the key `base` (HKEY_LOCAL_MACHINE) before the reader runs. Key 0 is
// `base` itself, 1 its "WscProfile", 2-9 "WscProfile\Profile0".."Profile7".
// Kind 0 a text with its terminator, 1 a text without one, 2 binary bytes,
// 3 a REG_DWORD (4 bytes, or what is there). Names are those of the profile
// store, the adapter's values and the WPS store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace xpfuzz {

const char* const kNames[] = {
    "SSID", "Channel", "NetworkType", "PreambleType", "ACPowerCam", "PSMode", "TXPower", "UseRts", "RtsThresh",
    "UseFrag", "FragThresh", "AuthenType", "Encryption", "LeapEnabled", "LeapUserName", "LeapPassword",
    "LeapDomainName", "LeapEncryType", "WPAPSK", "WEPKeyUse", "WEPKey1Type", "WEPKey2Type", "WEPKey3Type",
    "WEPKey4Type", "WEPKey1", "WEPKey2", "WEPKey3", "WEPKey4", "Use8021X", "AuthenProtocol", "TunnelProtocol",
    "ProvisioningTunnel", "ID", "Password", "DomainName", "TunnelID", "TunnelPassword", "SessionResumption",
    "PasswordMode", "UseClientCert", "UseServerCert", "UsePAC", "ProvisionMode", "PACFilePath", "ClientCertLen",
    "ClientCertData", "ServerCertLen", "ServerCertData", "ServerName", "NameRule", "IntermediateCert",
    // The adapter's values.
    "WSC", "ShowAuthStatus", "CCX2Control", "WirelessMode", "TransmitSetting", "CountryRegion",
    "CountryRegionABand", "TXBurst", "TurboRate", "BGProtection", "ShortSlot", "TransRate", "CurProfile",
    // The WPS store.
    "NumberofProfile", "ConfigMode", "Wireless Mode", "PinCode", "Bssid", "AuthType", "EncryType", "KeyIndex",
    "KeyLength", "Key", "MacAddress",
};
constexpr size_t kNameCount = sizeof kNames / sizeof kNames[0];

inline std::string KeyPath(const std::string& base, uint8_t selector) {
  const unsigned key = selector % 10;
  if (key == 0) return base;
  if (key == 1) return base + "\\WscProfile";
  return base + "\\WscProfile\\Profile" + std::to_string(key - 2);
}

// Removes what the last input left, then writes this one's entries.
inline void WriteEntries(const std::string& base, const uint8_t* data, size_t size) {
  SHDeleteKey(HKEY_LOCAL_MACHINE, base.c_str());
  HKEY root = nullptr;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, base.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr) ==
      ERROR_SUCCESS)
    RegCloseKey(root);
  size_t at = 0;
  while (at + 4 <= size) {
    const uint8_t selector = data[at], name = data[at + 1], kind = data[at + 2];
    const size_t length = std::min<size_t>(data[at + 3], size - at - 4);
    const uint8_t* bytes = data + at + 4;
    at += 4 + length;
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, KeyPath(base, selector).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr) != ERROR_SUCCESS)
      continue;
    const char* valueName = kNames[name % kNameCount];
    switch (kind % 4) {
      case 0: {
        std::string text(reinterpret_cast<const char*>(bytes), length);
        RegSetValueEx(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                      static_cast<DWORD>(text.size() + 1));
        break;
      }
      case 1:
        RegSetValueEx(key, valueName, 0, REG_SZ, bytes, static_cast<DWORD>(length));
        break;
      case 2:
        RegSetValueEx(key, valueName, 0, REG_BINARY, bytes, static_cast<DWORD>(length));
        break;
      default:
        RegSetValueEx(key, valueName, 0, REG_DWORD, bytes, static_cast<DWORD>(std::min<size_t>(length, 4)));
        break;
    }
    RegCloseKey(key);
  }
}

}  // namespace xpfuzz
