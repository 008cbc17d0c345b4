// WLAN profile documents of the tests of the Native Wi-Fi service.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

namespace wavorel::sim::testing {

inline std::u16string w(const char* s) { return std::u16string(s, s + std::strlen(s)); }

inline std::string hexOf(const std::string& s) {
  std::string out;
  char b[3];
  for (unsigned char c : s) {
    std::snprintf(b, sizeof b, "%02X", c);
    out += b;
  }
  return out;
}

// An infrastructure network's profile; `key` as the shared key's material.
inline std::string profileXml(const std::string& name, const std::string& ssidHex, const std::string& auth,
                              const std::string& enc, const std::string& key = "",
                              const std::string& keyType = "passPhrase") {
  std::string x = "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
                  "<name><![CDATA[" + name + "]]></name><SSIDConfig><SSID><hex>" + ssidHex +
                  "</hex></SSID></SSIDConfig><connectionType>ESS</connectionType><connectionMode>auto</connectionMode>"
                  "<autoSwitch>false</autoSwitch><MSM><security><authEncryption><authentication>" + auth +
                  "</authentication><encryption>" + enc + "</encryption><useOneX>false</useOneX></authEncryption>";
  if (!key.empty())
    x += "<sharedKey><keyType>" + keyType + "</keyType><protected>false</protected><keyMaterial>" + key +
         "</keyMaterial></sharedKey>";
  return x + "</security></MSM></WLANProfile>";
}

}  // namespace wavorel::sim::testing
