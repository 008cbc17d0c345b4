// The driver settings that change what the radio does, as one snapshot of
// the adapter's stored settings: the wireless mode (which bands and PHYs),
// the country region (which channels), the HT transmit setting (40 MHz,
// guard interval, MCS), the transmit power and the power-save level. Also the
// checks by which the driver refuses a setting the hardware cannot take.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

// Names under which the settings are stored (the codes that carry them).
namespace setting {
constexpr const char* kWirelessMode = "OID_VX_WIRELESS_MODE";
constexpr const char* kCountryRegion = "OID_VX_COUNTRY_REGION";
constexpr const char* kHtTransmit = "OID_VX_HT_TRANSMIT";
constexpr const char* kTxPower = "OID_VX_TX_POWER";
constexpr const char* kPowerMode = "OID_802_11_POWER_MODE";
constexpr const char* kPowerManagement = "OID_DOT11_POWER_MGMT_REQUEST";
}  // namespace setting

// Wireless modes: 0 b/g, 1 b, 2 a, 3 a/b/g, 4 g, 5 a/b/g/n, 6 n (2.4 GHz),
// 7 g/n, 8 a/n, 9 b/g/n, 10 a/g/n.
constexpr uint32_t kLastWirelessMode = 10;
// The transmit power the driver chooses itself (full power).
constexpr uint32_t kTxPowerDefault = 0xFFFFFFFFu;
// Power-save levels.
enum class PowerSave { None = 0, Fast = 1, Maximum = 2 };

struct RadioSettings {
  uint32_t wirelessMode = 0;
  uint32_t region = 0;  // bits 0-6 the 2.4 GHz region, 8-14 the 5 GHz region; 7 and 15 lock them
  bool width40 = true;
  bool shortGi = true;
  uint32_t mcs = 33;  // 0..15 fixed, else chosen by the signal
  uint32_t txPowerPercent = kTxPowerDefault;
  PowerSave powerSave = PowerSave::None;

  bool band24() const;
  bool band5() const;
  bool cck() const;   // 802.11b rates
  bool ofdm() const;  // 802.11g (2.4 GHz) or 802.11a (5 GHz) rates
  bool ht() const;    // 802.11n
  bool htOnly() const;
  // Whether the channel is one the region allows (chip family `family`).
  bool channelAllowed(int channel, int family) const;
  // Whether the radio in these settings hears and may join the network.
  bool reaches(const WorldNetwork& n, const WorldAdapter& a) const;
  // How much weaker than at full power the access point hears the adapter, in dB (0 or less).
  int32_t txPowerDb() const;
};

// The wireless mode the driver starts with: the widest the adapter has (the
// program's own choice takes effect once it sets one).
uint32_t defaultWirelessMode(const WorldAdapter& a);

// The refusals of the driver: a wireless mode the adapter cannot run; a
// region word with unknown regions, or one that changes a band the adapter's
// EEPROM locks (`eeprom`: the adapter's own word).
bool wirelessModeFits(uint32_t mode, const WorldAdapter& a);
bool regionFits(uint32_t word, uint32_t eeprom, int family);

// The default HT transmit record of the driver (layout: platform/wire/VendorRecords.h).
std::vector<uint8_t> defaultHtTransmit();
// The HT transmit fields a driver accepts (MCS, bandwidth, guard interval).
bool htTransmitFits(const uint8_t* record, const WorldAdapter& a);

}  // namespace wavorel::sim
