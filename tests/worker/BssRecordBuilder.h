// Builds NDIS_WLAN_BSSID_EX records and BSS lists for the worker's tests: the
// 116-byte head, the 12 fixed beacon fields and the elements given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "worker/LeBytes.h"
#include "worker/NdisBssid.h"

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

struct BssRecordSpec {
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

inline Bytes BssRecord(const BssRecordSpec& s) {
  using namespace ndis_bssid;
  Bytes r(kHeadSize + kFixedSize, 0);
  std::copy(s.mac, s.mac + 6, r.begin() + kMacAddress);
  PutLeU32(r.data() + kSsidLength, static_cast<DWORD>(s.ssid.size()));
  std::copy(s.ssid.begin(), s.ssid.end(), r.begin() + kSsid);
  PutLeU32(r.data() + kPrivacy, s.privacy);
  PutLeU32(r.data() + kRssi, static_cast<DWORD>(s.rssi));
  PutLeU32(r.data() + kConfigurationLength, 32);
  PutLeU32(r.data() + kBeaconPeriod, s.beaconInterval);
  PutLeU32(r.data() + kDsConfig, s.frequency);
  PutLeU32(r.data() + kInfrastructureMode, s.infrastructure);
  BYTE* fixed = r.data() + kIes;
  PutLeU64(fixed + kFixedTimestamp, 0x0102030405060708ull);
  PutLeU16(fixed + kFixedBeaconInterval, s.beaconInterval);
  PutLeU16(fixed + kFixedCapability, s.capability);
  r.insert(r.end(), s.elements.begin(), s.elements.end());
  PutLeU32(r.data() + kLength, static_cast<DWORD>(r.size()));
  PutLeU32(r.data() + kIeLength, static_cast<DWORD>(kFixedSize + s.elements.size()));
  return r;
}

// An NDIS_802_11_BSSID_LIST_EX of the records, padded to `size` bytes.
inline Bytes BssList(const std::vector<Bytes>& records, size_t size) {
  Bytes list(ndis_bssid::kListHeadSize, 0);
  PutLeU32(list.data(), static_cast<DWORD>(records.size()));
  for (const Bytes& r : records) list.insert(list.end(), r.begin(), r.end());
  list.resize(std::max(size, list.size()), 0);
  return list;
}

}  // namespace worker::testing
