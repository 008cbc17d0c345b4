// A WLAN profile document (WLANProfile schema, version 1) as the Native Wi-Fi
// service reads it: name, SSID, connection type and mode, and the MSM
// security settings. Parsing checks the document against the elements the
// schema knows and refuses the rest with the service's reason code.
#pragma once

#include <cstdint>
#include <string>

namespace wavorel::sim {

struct WlanProfile {
  std::string name;   // UTF-8
  std::string ssid;   // the SSID bytes
  bool ibss = false;  // connectionType IBSS (else ESS)
  bool autoConnect = false;
  std::string authentication = "open";  // open, shared, WPA, WPAPSK, WPA2, WPA2PSK
  std::string encryption = "none";      // none, WEP, TKIP, AES
  bool oneX = false;
  std::string keyType;      // networkKey, passPhrase, or empty
  std::string keyMaterial;  // as written
  int keyIndex = 0;

  bool secured() const { return authentication != "open" || encryption != "none"; }
};

// Parses `xml` (UTF-8). On failure returns false with a WLAN_REASON_CODE in `reason`.
bool parseWlanProfile(const std::string& xml, WlanProfile& out, uint32_t& reason);

}  // namespace wavorel::sim
