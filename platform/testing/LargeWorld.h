// A world file of one adapter (the default world's) and `networks` open
// networks with their own BSSIDs, spread over channels 1 to 11: the input of
// the tests and benchmarks of loading large worlds.
#pragma once

#include <cstdio>
#include <string>

namespace wavorel::testing {

inline std::string largeWorldText(size_t networks) {
  std::string text =
      "[Adapter1]\nHardwareId = USB\\VID_F0A5&PID_0101\nFamily = 8\nGuid = {6B29FC40-CA47-1067-B31D-00DD010662DA}\n"
      "Description = 802.11n USB Wireless LAN Card\nMac = 00-0E-2E-5A-10-01\nBands = 2.4+5\nHT = yes\n"
      "CountryRegion = 0x0701\n";
  char section[192];
  for (size_t i = 0; i < networks; ++i) {
    std::snprintf(section, sizeof section,
                  "\n[Network %zu]\nSsid = Street%05zu\nBssid = 02-00-00-%02zX-%02zX-%02zX\nChannel = %zu\n"
                  "Signal = -%zu\n",
                  i, i, (i >> 16) & 0xFF, (i >> 8) & 0xFF, i & 0xFF, 1 + i % 11, 40 + i % 50);
    text += section;
  }
  return text;
}

}  // namespace wavorel::testing
