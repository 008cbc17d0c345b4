#include "platform/sim/radio/RadioSettings.h"

#include <algorithm>
#include <cmath>

#include "platform/wire/VendorRecords.h"

namespace wavorel::sim {

namespace {

namespace ht = wire::vendor::httransmit;

struct ChannelRun {
  int first, last, step;
};
using Runs = std::vector<ChannelRun>;

// The 2.4 GHz channels of a region (chip families 4 to 8 number them from 0;
// families 0 and 1 from 1, with 0 as 1). Unknown regions: channels 1-11.
const Runs& channels24(uint32_t region, int family) {
  static const Runs kTable[] = {{{1, 11, 1}}, {{1, 13, 1}}, {{10, 11, 1}}, {{10, 13, 1}},
                                {{14, 14, 1}}, {{1, 14, 1}}, {{3, 9, 1}},  {{5, 13, 1}}};
  if (family <= 1) region = region == 0 ? 0 : region - 1;
  return kTable[region < std::size(kTable) ? region : 0];
}

// The 5 GHz channels of a region. Unknown regions: those of region 0.
const Runs& channels5(uint32_t region) {
  static const Runs kTable[] = {
      {{36, 64, 4}, {149, 165, 4}},
      {{36, 64, 4}, {100, 140, 4}},
      {{36, 64, 4}},
      {{52, 64, 4}, {149, 161, 4}},
      {{149, 165, 4}},
      {{149, 161, 4}},
      {{36, 48, 4}},
      {{36, 64, 4}, {100, 140, 4}, {149, 165, 4}},
      {{52, 64, 4}},
      {{34, 46, 4}},
      {{34, 48, 2}, {52, 64, 4}},
  };
  return kTable[region < std::size(kTable) ? region : 0];
}

bool inRuns(const Runs& runs, int channel) {
  for (const ChannelRun& r : runs)
    if (channel >= r.first && channel <= r.last && (channel - r.first) % r.step == 0) return true;
  return false;
}

constexpr uint32_t kRegionLock24 = 0x0080;
constexpr uint32_t kRegionLock5 = 0x8000;

}  // namespace

bool RadioSettings::band24() const { return wirelessMode != 2 && wirelessMode != 8; }
bool RadioSettings::band5() const {
  return wirelessMode == 2 || wirelessMode == 3 || wirelessMode == 5 || wirelessMode == 8 || wirelessMode == 10;
}
bool RadioSettings::cck() const {
  return wirelessMode == 0 || wirelessMode == 1 || wirelessMode == 3 || wirelessMode == 5 || wirelessMode == 9;
}
bool RadioSettings::ofdm() const { return wirelessMode != 1 && wirelessMode != 6; }
bool RadioSettings::ht() const { return wirelessMode >= 5 && wirelessMode <= kLastWirelessMode; }
bool RadioSettings::htOnly() const { return wirelessMode == 6; }

bool RadioSettings::channelAllowed(int channel, int family) const {
  if (channel <= 14) return band24() && inRuns(channels24(region & 0x7F, family), channel);
  return band5() && inRuns(channels5((region >> 8) & 0x7F), channel);
}

bool RadioSettings::reaches(const WorldNetwork& n, const WorldAdapter& a) const {
  if (n.band5() && !a.band5) return false;
  if (htOnly() && !n.ht) return false;
  return channelAllowed(n.channel, a.family);
}

int32_t RadioSettings::txPowerDb() const {
  if (txPowerPercent == kTxPowerDefault || txPowerPercent >= 100 || txPowerPercent == 0) return 0;
  return static_cast<int32_t>(std::lround(10.0 * std::log10(txPowerPercent / 100.0)));
}

uint32_t defaultWirelessMode(const WorldAdapter& a) { return a.ht ? (a.band5 ? 5u : 9u) : a.band5 ? 3u : 0u; }

bool wirelessModeFits(uint32_t mode, const WorldAdapter& a) {
  if (mode > kLastWirelessMode) return false;
  RadioSettings s;
  s.wirelessMode = mode;
  return (a.band5 || !s.band5()) && (a.ht || !s.ht());
}

bool regionFits(uint32_t word, uint32_t eeprom, int family) {
  if (word > 0xFFFF) return false;
  uint32_t region24 = word & 0x7F, region5 = (word >> 8) & 0x7F;
  if (region24 > (family <= 1 ? 8u : 7u) || region5 > 10) return false;
  if ((eeprom & kRegionLock24) && region24 != (eeprom & 0x7F)) return false;
  if ((eeprom & kRegionLock5) && region5 != ((eeprom >> 8) & 0x7F)) return false;
  return true;
}

std::vector<uint8_t> defaultHtTransmit() {
  std::vector<uint8_t> r(ht::kSize, 0);
  r[ht::kPhyMode] = 2;
  r[ht::kMcs] = ht::kMcsAuto;
  r[ht::kBandwidth40] = 1;
  r[ht::kShortGi] = 1;
  return r;
}

bool htTransmitFits(const uint8_t* record, const WorldAdapter& a) {
  uint8_t mcs = record[ht::kMcs];
  bool mcsFits = mcs == ht::kMcsAuto || mcs == ht::kMcsDuplicate || mcs < (a.chains >= 2 ? 16 : 8);
  return a.ht && mcsFits && record[ht::kBandwidth40] <= 1 && record[ht::kShortGi] <= 1;
}

}  // namespace wavorel::sim
