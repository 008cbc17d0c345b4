// libFuzzer target for the WLAN profile reader of the Native Wi-Fi service:
// any bytes give a profile or a refusal with a reason code; what it takes has
// an SSID of 1 to 32 bytes and a name of 1 to 255.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/sim/services/WlanProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wavorel::sim::WlanProfile profile;
  uint32_t reason = 0;
  if (wavorel::sim::parseWlanProfile(std::string(reinterpret_cast<const char*>(data), size), profile, reason)) {
    if (profile.ssid.empty() || profile.ssid.size() > 32 || profile.name.empty() || profile.name.size() > 255)
      std::abort();
  } else if (reason == 0) {
    std::abort();
  }
  return 0;
}
