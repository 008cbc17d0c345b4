// The transmit rate of a link: the PHY (CCK, OFDM or HT), the rate index or
// MCS, the channel width and guard interval, chosen from what the network and
// the adapter support, the driver settings (wireless mode, HT transmit
// setting) and the margin the access point hears the adapter with (its signal
// and the transmit power).
#pragma once

#include <cstdint>

#include "platform/sim/radio/RadioSettings.h"
#include "platform/sim/radio/World.h"

namespace wavorel::sim {

struct LinkRate {
  enum class Phy { Cck = 0, Ofdm = 1, Ht = 2 };
  Phy phy = Phy::Cck;
  uint32_t index = 0;  // CCK 0..3 (1, 2, 5.5, 11 Mb/s), OFDM 0..7 (6 .. 54 Mb/s), HT the MCS
  bool width40 = false;
  bool shortGi = false;
  uint32_t kbps = 1000;

  // In 500 kb/s units, rounded.
  uint32_t units() const { return (kbps + 250) / 500; }
  // The PHY word: mode in bits 14-15, MCS or rate index in bits 0-6, 40 MHz
  // in bit 7, short guard interval in bit 8.
  uint32_t phyWord() const;
};

// The rate on a link to `n` heard at `signalDbm`.
LinkRate linkRate(const WorldNetwork& n, const WorldAdapter& a, const RadioSettings& s, int32_t signalDbm);

}  // namespace wavorel::sim
