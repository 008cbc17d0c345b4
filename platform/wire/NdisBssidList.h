// The NDIS 802.11 BSS list as a driver returns it for OID_802_11_BSSID_LIST:
// NDIS_802_11_BSSID_LIST_EX (u32 NumberOfItems, then the records) of
// NDIS_WLAN_BSSID_EX records chained by their Length, each with its
// NDIS_802_11_CONFIGURATION and an element area of IELength bytes that starts
// with the 12 fixed beacon fields (NDIS_802_11_FIXED_IEs: timestamp, beacon
// interval, capability information) and goes on with the information
// elements (InformationElements.h). All fields little-endian.
//
// Code reads and writes the records field by field at the offsets below (see
// Bytes.h); the structs only pin those offsets to the public layout.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wavorel::wire::ndis {

// NDIS_802_11_BSSID_LIST_EX.
constexpr size_t kListNumberOfItems = 0;
constexpr size_t kListHeadSize = 4;
// A driver's answer never reaches this size.
constexpr size_t kListLimit = 65536;

// NDIS_802_11_CONFIGURATION (with its NDIS_802_11_CONFIGURATION_FH).
namespace configuration {
constexpr size_t kLength = 0;
constexpr size_t kBeaconPeriod = 4;  // Kusec
constexpr size_t kAtimWindow = 8;
constexpr size_t kDsConfig = 12;  // centre frequency in kHz
constexpr size_t kFhConfig = 16;
constexpr size_t kSize = 32;
constexpr size_t kFhSize = 16;
}  // namespace configuration

// NDIS_WLAN_BSSID_EX.
namespace bssid {
constexpr size_t kLength = 0;
constexpr size_t kMacAddress = 4;
constexpr size_t kSsidLength = 12;  // NDIS_802_11_SSID: u32 length, 32 bytes
constexpr size_t kSsid = 16;
constexpr size_t kSsidSize = 32;
constexpr size_t kPrivacy = 48;
constexpr size_t kRssi = 52;
constexpr size_t kNetworkTypeInUse = 56;
constexpr size_t kConfiguration = 60;
constexpr size_t kInfrastructureMode = 92;
constexpr size_t kSupportedRates = 96;
constexpr size_t kSupportedRatesSize = 16;
constexpr size_t kIeLength = 112;
constexpr size_t kIes = 116;
constexpr size_t kHeadSize = 116;
}  // namespace bssid

// NDIS_802_11_FIXED_IEs, the first bytes of the element area.
namespace fixed {
constexpr size_t kTimestamp = 0;
constexpr size_t kBeaconInterval = 8;
constexpr size_t kCapabilities = 10;
constexpr size_t kSize = 12;
}  // namespace fixed

// NDIS_802_11_NETWORK_TYPE.
constexpr uint32_t kNetworkTypeFh = 0;
constexpr uint32_t kNetworkTypeDs = 1;
constexpr uint32_t kNetworkTypeOfdm5 = 2;
constexpr uint32_t kNetworkTypeOfdm24 = 3;
constexpr uint32_t kNetworkTypeAutomode = 4;
constexpr uint32_t kNetworkTypeMax = 5;  // one past the last type: none of them

// NDIS_802_11_NETWORK_INFRASTRUCTURE.
constexpr uint32_t kIbss = 0;
constexpr uint32_t kInfrastructure = 1;
constexpr uint32_t kAutoUnknown = 2;

// Capability information bits.
constexpr uint16_t kCapabilityEss = 0x0001;
constexpr uint16_t kCapabilityIbss = 0x0002;
constexpr uint16_t kCapabilityPrivacy = 0x0010;
constexpr uint16_t kCapabilityShortPreamble = 0x0020;
constexpr uint16_t kCapabilityShortSlotTime = 0x0400;

namespace layout {
struct ConfigurationFh {
  uint32_t Length;
  uint32_t HopPattern;
  uint32_t HopSet;
  uint32_t DwellTime;
};
struct Configuration {
  uint32_t Length;
  uint32_t BeaconPeriod;
  uint32_t ATIMWindow;
  uint32_t DSConfig;
  ConfigurationFh FHConfig;
};
struct WlanBssidExHead {
  uint32_t Length;
  uint8_t MacAddress[6];
  uint8_t Reserved[2];
  uint32_t SsidLength;
  uint8_t Ssid[32];
  uint32_t Privacy;
  int32_t Rssi;
  uint32_t NetworkTypeInUse;
  Configuration Config;
  uint32_t InfrastructureMode;
  uint8_t SupportedRates[16];
  uint32_t IELength;
};
struct FixedIes {
  uint8_t Timestamp[8];
  uint16_t BeaconInterval;
  uint16_t Capabilities;
};
}  // namespace layout

static_assert(sizeof(layout::ConfigurationFh) == configuration::kFhSize);
static_assert(sizeof(layout::Configuration) == configuration::kSize);
static_assert(offsetof(layout::Configuration, BeaconPeriod) == configuration::kBeaconPeriod);
static_assert(offsetof(layout::Configuration, ATIMWindow) == configuration::kAtimWindow);
static_assert(offsetof(layout::Configuration, DSConfig) == configuration::kDsConfig);
static_assert(offsetof(layout::Configuration, FHConfig) == configuration::kFhConfig);
static_assert(offsetof(layout::WlanBssidExHead, MacAddress) == bssid::kMacAddress);
static_assert(offsetof(layout::WlanBssidExHead, SsidLength) == bssid::kSsidLength);
static_assert(offsetof(layout::WlanBssidExHead, Ssid) == bssid::kSsid);
static_assert(offsetof(layout::WlanBssidExHead, Privacy) == bssid::kPrivacy);
static_assert(offsetof(layout::WlanBssidExHead, Rssi) == bssid::kRssi);
static_assert(offsetof(layout::WlanBssidExHead, NetworkTypeInUse) == bssid::kNetworkTypeInUse);
static_assert(offsetof(layout::WlanBssidExHead, Config) == bssid::kConfiguration);
static_assert(offsetof(layout::WlanBssidExHead, InfrastructureMode) == bssid::kInfrastructureMode);
static_assert(offsetof(layout::WlanBssidExHead, SupportedRates) == bssid::kSupportedRates);
static_assert(offsetof(layout::WlanBssidExHead, IELength) == bssid::kIeLength);
static_assert(sizeof(layout::WlanBssidExHead) == bssid::kHeadSize);
static_assert(offsetof(layout::FixedIes, BeaconInterval) == fixed::kBeaconInterval);
static_assert(offsetof(layout::FixedIes, Capabilities) == fixed::kCapabilities);
static_assert(sizeof(layout::FixedIes) == fixed::kSize);

}  // namespace wavorel::wire::ndis
