// Records of the adapter driver's private codes that the system fills or
// reads byte by byte: the 12-byte HT transmit setting (OID_VX_HT_TRANSMIT)
// and the 32-byte station configuration block (OID_VX_PRIVATE_0111).
// Little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wavorel::wire::vendor {

// HT transmit setting.
namespace httransmit {
constexpr size_t kWirelessMode = 0;  // u32
constexpr size_t kPhyMode = 4;
constexpr size_t kHtMode = 5;
constexpr size_t kExtensionChannel = 6;  // 0 none, 1 above, 3 below
constexpr size_t kMcs = 7;               // 0..15 a fixed MCS, 32 the duplicate MCS, 33 automatic
constexpr size_t kBandwidth40 = 8;       // 1: 40 MHz allowed
constexpr size_t kStbc = 9;
constexpr size_t kShortGi = 10;          // 1: 400 ns guard interval
constexpr size_t kSize = 12;

constexpr uint8_t kMcsDuplicate = 32;
constexpr uint8_t kMcsAuto = 33;
}  // namespace httransmit

// Station configuration block.
namespace stationconfig {
constexpr size_t kTxBurst = 0;
constexpr size_t kTurboRate = 4;
constexpr size_t kBgProtection = 8;
constexpr size_t kShortSlot = 12;
constexpr size_t kAdhocOfdm = 16;
constexpr size_t kRadio = 20;  // the driver's own word: non-zero while the radio works
constexpr size_t kSize = 32;
}  // namespace stationconfig

}  // namespace wavorel::wire::vendor
