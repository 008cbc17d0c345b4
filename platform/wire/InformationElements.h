// IEEE 802.11 information elements as they follow the fixed fields of a
// beacon: one byte id, one byte length, the content. Element ids, the suite
// selectors of the RSN and WPA elements, and the fields of the 802.11n HT
// elements. WPS attributes inside the WPS vendor element: WpsRecords.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wavorel::wire::ie {

// Element ids.
constexpr uint8_t kSsid = 0;
constexpr uint8_t kSupportedRates = 1;
constexpr uint8_t kDsParameterSet = 3;
constexpr uint8_t kIbssParameterSet = 6;
constexpr uint8_t kErpInformation = 42;
constexpr uint8_t kHtCapabilities = 45;
constexpr uint8_t kRsn = 48;
constexpr uint8_t kExtendedSupportedRates = 50;
constexpr uint8_t kNeighborReport = 52;
constexpr uint8_t kHtInformation = 61;
constexpr uint8_t kSecondaryChannelOffset = 62;
constexpr uint8_t kExtendedCapabilities = 127;
constexpr uint8_t kVendorSpecific = 221;

// An element: id, length, content.
constexpr size_t kHeaderSize = 2;
constexpr size_t kMaxContent = 255;

// Organisation identifiers and the vendor element types under 00-50-F2.
constexpr uint8_t kOuiIeee[3] = {0x00, 0x0F, 0xAC};
constexpr uint8_t kOuiMicrosoft[3] = {0x00, 0x50, 0xF2};
constexpr uint8_t kVendorTypeWpa = 1;
constexpr uint8_t kVendorTypeWps = 4;
// The element's type byte follows its OUI.
constexpr size_t kVendorType = 3;

// Suite types (after the OUI) of cipher and key management suites.
constexpr uint8_t kCipherTkip = 2;
constexpr uint8_t kCipherCcmp = 4;
constexpr uint8_t kAkm8021X = 1;
constexpr uint8_t kAkmPsk = 2;

// Rates: 500 kb/s units, bit 7 marks a basic rate.
constexpr uint8_t kBasicRate = 0x80;

// HT capabilities element (26 bytes).
namespace htcap {
constexpr size_t kCapabilityInfo = 0;  // u16
constexpr size_t kAmpduParameters = 2;
constexpr size_t kSupportedMcsSet = 3;  // 16 bytes, the receive MCS bitmask first
constexpr size_t kTxMcsParameters = kSupportedMcsSet + 12;  // transmit set defined (bit 0) ...
constexpr size_t kExtendedCapabilities = 19;  // u16
constexpr size_t kTransmitBeamforming = 21;   // u32
constexpr size_t kAntennaSelection = 25;
constexpr size_t kSize = 26;

constexpr uint16_t kSupportedChannelWidth40 = 0x0002;
constexpr uint16_t kShortGi20 = 0x0020;
constexpr uint16_t kShortGi40 = 0x0040;

// A-MPDU parameters: bits 0-1 the maximum A-MPDU length exponent (the length
// is 2^(13 + exponent) - 1 bytes), bits 2-4 the minimum MPDU start spacing.
constexpr uint8_t kMaxAmpdu8K = 0;
constexpr uint8_t kMaxAmpdu16K = 1;
constexpr uint8_t kMaxAmpdu32K = 2;
constexpr uint8_t kMaxAmpdu64K = 3;
constexpr uint8_t kSpacingNone = 0;
constexpr uint8_t kSpacingQuarterUs = 1;
constexpr uint8_t kSpacingHalfUs = 2;
constexpr uint8_t kSpacing1Us = 3;
constexpr uint8_t kSpacing2Us = 4;
constexpr uint8_t kSpacing4Us = 5;
constexpr uint8_t kSpacing8Us = 6;
constexpr uint8_t kSpacing16Us = 7;
constexpr uint8_t ampduParameters(uint8_t maxLengthExponent, uint8_t spacing) {
  return static_cast<uint8_t>((maxLengthExponent & 0x03) | ((spacing & 0x07) << 2));
}
static_assert(ampduParameters(kMaxAmpdu64K, kSpacing8Us) == 0x1B);
}  // namespace htcap

// HT information element (22 bytes).
namespace htinfo {
constexpr size_t kPrimaryChannel = 0;
constexpr size_t kSubset1 = 1;  // secondary channel offset (bits 0-1), STA channel width (bit 2)
constexpr size_t kOperation = 2;   // u16: operating mode (bits 0-1), non-greenfield stations (bit 2)
constexpr size_t kOperation2 = 4;  // u16: dual beacon (bit 6) ... PCO phase (bit 11)
constexpr size_t kBasicMcsSet = 6;  // 16 bytes
constexpr size_t kSize = 22;

constexpr uint8_t kSecondaryNone = 0;
constexpr uint8_t kSecondaryAbove = 1;
constexpr uint8_t kSecondaryBelow = 3;
constexpr uint8_t kAnyChannelWidth = 0x04;
}  // namespace htinfo

}  // namespace wavorel::wire::ie
