// Builds NDIS_WLAN_BSSID_EX records and BSS lists for the worker's tests: the
// 116-byte head, the 12 fixed beacon fields and the elements given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"

namespace worker::testing {

using Bytes = std::vector<BYTE>;

// One element: id, length, content.
inline Bytes Element(BYTE id, const Bytes& content) {
  Bytes e{id, static_cast<BYTE>(content.size())};
  e.insert(e.end(), content.begin(), content.end());
  return e;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

struct BssRecordFields {
  std::string ssid = "Net";
  BYTE mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  LONG rssi = -50;
  DWORD privacy = 0;
  DWORD infrastructure = 1;
  DWORD frequency = 2437000;
  WORD beaconInterval = 100;
  WORD capability = 0x0001;
  Bytes elements;
};

inline Bytes BssRecord(const BssRecordFields& s) {
  namespace ndis = wavorel::wire::ndis;
  namespace bss = ndis::bssid;
  namespace cfg = ndis::configuration;
  using wavorel::wire::putU16;
  using wavorel::wire::putU32;
  Bytes r(bss::kHeadSize + ndis::fixed::kSize, 0);
  std::copy(s.mac, s.mac + 6, r.begin() + bss::kMacAddress);
  putU32(r.data() + bss::kSsidLength, static_cast<DWORD>(s.ssid.size()));
  std::copy(s.ssid.begin(), s.ssid.end(), r.begin() + bss::kSsid);
  putU32(r.data() + bss::kPrivacy, s.privacy);
  putU32(r.data() + bss::kRssi, static_cast<DWORD>(s.rssi));
  putU32(r.data() + bss::kConfiguration + cfg::kLength, cfg::kSize);
  putU32(r.data() + bss::kConfiguration + cfg::kBeaconPeriod, s.beaconInterval);
  putU32(r.data() + bss::kConfiguration + cfg::kDsConfig, s.frequency);
  putU32(r.data() + bss::kInfrastructureMode, s.infrastructure);
  BYTE* fixed = r.data() + bss::kIes;
  wavorel::wire::putU64(fixed + ndis::fixed::kTimestamp, 0x0102030405060708ull);
  putU16(fixed + ndis::fixed::kBeaconInterval, s.beaconInterval);
  putU16(fixed + ndis::fixed::kCapabilities, s.capability);
  r.insert(r.end(), s.elements.begin(), s.elements.end());
  putU32(r.data() + bss::kLength, static_cast<DWORD>(r.size()));
  putU32(r.data() + bss::kIeLength, static_cast<DWORD>(ndis::fixed::kSize + s.elements.size()));
  return r;
}

// An NDIS_802_11_BSSID_LIST_EX of the records, padded to `size` bytes.
inline Bytes BssList(const std::vector<Bytes>& records, size_t size) {
  Bytes list(wavorel::wire::ndis::kListHeadSize, 0);
  wavorel::wire::putU32(list.data() + wavorel::wire::ndis::kListNumberOfItems, static_cast<DWORD>(records.size()));
  for (const Bytes& r : records) list.insert(list.end(), r.begin(), r.end());
  list.resize(std::max(size, list.size()), 0);
  return list;
}

}  // namespace worker::testing
