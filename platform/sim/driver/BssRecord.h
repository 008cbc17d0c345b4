// The NDIS_WLAN_BSSID_EX record of one network as the driver reports it in
// its BSS list, with the network's information elements. The element area
// holds the elements from its first byte (no fixed beacon fields in front).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

// Offsets of the record's fields.
namespace bss {
constexpr size_t kLength = 0;
constexpr size_t kMacAddress = 4;
constexpr size_t kSsidLength = 12;
constexpr size_t kSsid = 16;
constexpr size_t kPrivacy = 48;
constexpr size_t kRssi = 52;
constexpr size_t kNetworkTypeInUse = 56;
constexpr size_t kConfiguration = 60;  // NDIS_802_11_CONFIGURATION, 32 bytes
constexpr size_t kInfrastructureMode = 92;
constexpr size_t kSupportedRates = 96;
constexpr size_t kIeLength = 112;
constexpr size_t kIes = 116;
}  // namespace bss

// NDIS network types.
constexpr uint32_t kNetworkTypeDs = 1;
constexpr uint32_t kNetworkTypeOfdm5 = 2;
constexpr uint32_t kNetworkTypeOfdm24 = 3;

// The 32-byte NDIS_802_11_CONFIGURATION of a network on `channel`.
void writeConfiguration(uint8_t* out, uint32_t beaconPeriod, int channel);

// Appends the record of `n` as seen with `rssiDbm` to `out`.
void appendBssRecord(std::vector<uint8_t>& out, const WorldNetwork& n, int32_t rssiDbm);

// The information elements of a network, in beacon order.
std::vector<uint8_t> informationElements(const WorldNetwork& n);

}  // namespace wavorel::sim
