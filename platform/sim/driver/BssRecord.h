// The NDIS_WLAN_BSSID_EX record of one network as the driver reports it in
// its BSS list (layout: platform/wire/NdisBssidList.h): the element area
// starts with the 12 fixed beacon fields (timestamp, beacon interval,
// capability information), counted in IELength, and goes on with the
// network's information elements.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

// The 32-byte NDIS_802_11_CONFIGURATION of a network on `channel`.
void writeConfiguration(uint8_t* out, uint32_t beaconPeriod, int channel);

// The capability information a network's beacons carry.
uint16_t capabilityInformation(const WorldNetwork& n);
// The timestamp (its timer in microseconds) of a beacon heard at `tickMs`.
uint64_t beaconTimestamp(uint64_t tickMs);

// Appends the record of `n` heard at `tickMs` with `rssiDbm` to `out`.
void appendBssRecord(std::vector<uint8_t>& out, const WorldNetwork& n, int32_t rssiDbm, uint64_t tickMs);

// The information elements of a network, in beacon order (no fixed fields).
std::vector<uint8_t> informationElements(const WorldNetwork& n);

}  // namespace wavorel::sim
