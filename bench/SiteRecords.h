// The networks of the site survey benchmarks: NDIS_WLAN_BSSID_EX records with
// the 12 fixed fields and RSN, WPS and HT capability elements, numbered.
#pragma once

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/Platform.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"

namespace bench {

// Network `n`: SSID "Net%03d" of (n x 37) mod 401, MAC ending in n, signal
// -40 to -89 dBm, 2.4 GHz channels 1 to 13 in turn.
inline std::vector<BYTE> SiteRecord(int n) {
  namespace ndis = wavorel::wire::ndis;
  using wavorel::wire::putU32;
  static const BYTE kElements[] = {48,  20, 1, 0, 0, 0x0F, 0xAC, 4, 1, 0, 0, 0x0F, 0xAC, 4, 1, 0, 0, 0x0F, 0xAC, 2, 0, 0,
                                   221, 9,  0, 0x50, 0xF2, 4, 0x10, 0x4A, 0, 1, 0x10, 45, 26};
  constexpr size_t kFixedEnd = ndis::bssid::kHeadSize + ndis::fixed::kSize;
  std::vector<BYTE> r(kFixedEnd + sizeof kElements + 26, 0);  // the HT element's 26 bytes stay zero
  std::memcpy(r.data() + kFixedEnd, kElements, sizeof kElements);
  char ssid[16];
  const int length = std::snprintf(ssid, sizeof ssid, "Net%03d", (n * 37) % 401);
  r[ndis::bssid::kMacAddress + 4] = static_cast<BYTE>(n >> 8);
  r[ndis::bssid::kMacAddress + 5] = static_cast<BYTE>(n);
  putU32(r.data() + ndis::bssid::kSsidLength, static_cast<DWORD>(length));
  std::memcpy(r.data() + ndis::bssid::kSsid, ssid, static_cast<size_t>(length));
  putU32(r.data() + ndis::bssid::kRssi, static_cast<DWORD>(-40 - n % 50));
  putU32(r.data() + ndis::bssid::kNetworkTypeInUse, 3);
  putU32(r.data() + ndis::bssid::kConfiguration + ndis::configuration::kDsConfig, 2412000 + 5000 * (n % 13));
  putU32(r.data() + ndis::bssid::kInfrastructureMode, 1);
  putU32(r.data() + ndis::bssid::kLength, static_cast<DWORD>(r.size()));
  putU32(r.data() + ndis::bssid::kIeLength, static_cast<DWORD>(r.size() - ndis::bssid::kHeadSize));
  return r;
}

}  // namespace bench
