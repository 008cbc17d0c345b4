// The driver's WPS records: the 124-byte credential record, the 996-byte
// credential table (u32 count, then eight records), the 56-byte start request
// (all little-endian), and the attributes of the WPS vendor element of a
// beacon (big-endian u16 type, u16 length, value) with the values used here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wavorel::wire::wps {

namespace credential {
constexpr size_t kSsidLength = 0;
constexpr size_t kSsid = 4;
constexpr size_t kSsidSize = 32;
constexpr size_t kAuthType = 36;
constexpr size_t kEncryptionType = 40;
constexpr size_t kKeyIndex = 44;
constexpr size_t kKeyLength = 48;
constexpr size_t kKey = 52;
constexpr size_t kKeySize = 64;
constexpr size_t kMacAddress = 116;
constexpr size_t kSize = 124;

// Authentication types.
constexpr uint32_t kAuthOpen = 1;
constexpr uint32_t kAuthWpaPsk = 2;
constexpr uint32_t kAuthShared = 4;
constexpr uint32_t kAuthWpa = 8;
constexpr uint32_t kAuthWpa2 = 16;
constexpr uint32_t kAuthWpa2Psk = 32;
// Encryption types.
constexpr uint32_t kEncryptionNone = 1;
constexpr uint32_t kEncryptionWep = 2;
constexpr uint32_t kEncryptionTkip = 4;
constexpr uint32_t kEncryptionAes = 8;
}  // namespace credential

namespace table {
constexpr size_t kCount = 0;
constexpr size_t kRecords = 4;
constexpr size_t kMaxRecords = 8;
constexpr size_t kSize = 996;
constexpr size_t recordAt(size_t i) { return kRecords + credential::kSize * i; }
static_assert(recordAt(kMaxRecords) == kSize);
}  // namespace table

// The table's bytes as the driver exchanges them.
using CredentialTable = std::array<uint8_t, table::kSize>;

namespace start {
constexpr size_t kMode = 0;
constexpr size_t kPin = 4;
constexpr size_t kPinSize = 8;
constexpr size_t kSsidLength = 12;
constexpr size_t kSsid = 16;
constexpr size_t kSsidSize = 32;
constexpr size_t kBssid = 48;
constexpr size_t kChannel = 54;
constexpr size_t kRole = 55;
constexpr size_t kSize = 56;

constexpr uint32_t kModePin = 0x10000000u;
constexpr uint32_t kModePushButton = 0x20000000u;
constexpr uint8_t kRoleEnrollee = 1;
constexpr uint8_t kRoleRegistrar = 2;
}  // namespace start

// Attributes of the WPS vendor element (after its OUI 00-50-F2 and type 4).
namespace attribute {
constexpr size_t kHeaderSize = 4;  // u16 type, u16 length, big-endian
constexpr uint16_t kConfigMethods = 0x1008;
constexpr uint16_t kEnrolleeNonce = 0x101A;
constexpr uint16_t kRfBands = 0x103C;
constexpr uint16_t kSelectedRegistrar = 0x1041;
constexpr uint16_t kWpsState = 0x1044;
constexpr uint16_t kUuidE = 0x1047;
constexpr uint16_t kVersion = 0x104A;
constexpr uint16_t kDevicePasswordId = 0x1012;
constexpr uint16_t kSelectedRegistrarConfigMethods = 0x1053;
constexpr uint16_t kApSetupLocked = 0x1057;
constexpr size_t kUuidSize = 16;

constexpr uint8_t kVersion10 = 0x10;
constexpr uint8_t kStateUnconfigured = 1;
constexpr uint8_t kStateConfigured = 2;
constexpr uint16_t kPasswordIdDefaultPin = 0x0000;
constexpr uint16_t kPasswordIdPushButton = 0x0004;
constexpr uint16_t kConfigMethodsPin = 0x000C;  // label and display
constexpr uint16_t kConfigMethodsPushButton = 0x0080;
constexpr uint8_t kRfBand24 = 1;
constexpr uint8_t kRfBand5 = 2;
}  // namespace attribute

}  // namespace wavorel::wire::wps
