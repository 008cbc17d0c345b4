// The key records of OID_802_11_ADD_KEY and OID_802_11_REMOVE_KEY, with their
// documented padding: NDIS_802_11_KEY {u32 Length, u32 KeyIndex, u32
// KeyLength, 6-byte BSSID, 6 bytes of padding, u64 KeyRSC, key material} and
// NDIS_802_11_REMOVE_KEY {u32 Length, u32 KeyIndex, 6-byte BSSID, 2 bytes of
// padding}. Little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wavorel::wire::ndis {

namespace key {
constexpr size_t kLength = 0;
constexpr size_t kKeyIndex = 4;
constexpr size_t kKeyLength = 8;
constexpr size_t kBssid = 12;
constexpr size_t kKeyRsc = 24;
constexpr size_t kKeyMaterial = 32;
// KeyIndex bits: the key index in bits 0-7; the transmit key, a pairwise key,
// and a KeyRSC the caller set.
constexpr uint32_t kIndexMask = 0xFF;
constexpr uint32_t kTransmit = 0x80000000u;
constexpr uint32_t kPairwise = 0x40000000u;
constexpr uint32_t kRscSet = 0x20000000u;
}  // namespace key

namespace removekey {
constexpr size_t kLength = 0;
constexpr size_t kKeyIndex = 4;
constexpr size_t kBssid = 8;
constexpr size_t kSize = 16;
}  // namespace removekey

namespace layout {
struct Key {
  uint32_t Length;
  uint32_t KeyIndex;
  uint32_t KeyLength;
  uint8_t BSSID[6];
  uint64_t KeyRSC;
  uint8_t KeyMaterial[1];
};
struct RemoveKey {
  uint32_t Length;
  uint32_t KeyIndex;
  uint8_t BSSID[6];
};
}  // namespace layout

static_assert(offsetof(layout::Key, BSSID) == key::kBssid);
static_assert(offsetof(layout::Key, KeyRSC) == key::kKeyRsc);
static_assert(offsetof(layout::Key, KeyMaterial) == key::kKeyMaterial);
static_assert(offsetof(layout::RemoveKey, BSSID) == removekey::kBssid);
static_assert(sizeof(layout::RemoveKey) == removekey::kSize);

}  // namespace wavorel::wire::ndis
