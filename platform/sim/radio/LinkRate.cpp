#include "platform/sim/radio/LinkRate.h"

namespace wavorel::sim {

namespace {

// Rates in kb/s: CCK, OFDM, and HT MCS 0-7 of one stream at 20 and 40 MHz
// with the long guard interval (two streams double them, the short guard
// interval makes them 10/9 as fast).
constexpr uint32_t kCck[] = {1000, 2000, 5500, 11000};
constexpr uint32_t kOfdm[] = {6000, 9000, 12000, 18000, 24000, 36000, 48000, 54000};
constexpr uint32_t kHt20[] = {6500, 13000, 19500, 26000, 39000, 52000, 58500, 65000};
constexpr uint32_t kHt40[] = {13500, 27000, 40500, 54000, 81000, 108000, 121500, 135000};

// The highest step whose threshold the margin reaches: one index per 4 dB
// above the floor of -90 dBm.
uint32_t stepFor(int32_t marginDbm, uint32_t steps) {
  if (marginDbm <= -90) return 0;
  uint32_t step = static_cast<uint32_t>((marginDbm + 90) / 4);
  return step < steps ? step : steps - 1;
}

}  // namespace

uint32_t LinkRate::phyWord() const {
  return (static_cast<uint32_t>(phy) << 14) | (shortGi ? 1u << 8 : 0) | (width40 ? 1u << 7 : 0) | (index & 0x7F);
}

LinkRate linkRate(const WorldNetwork& n, const WorldAdapter& a, const RadioSettings& s, int32_t signalDbm) {
  const int32_t margin = signalDbm + s.txPowerDb();
  LinkRate r;
  if (n.ht && a.ht && s.ht()) {
    r.phy = LinkRate::Phy::Ht;
    r.width40 = s.width40 && n.band5();  // the 5 GHz networks offer a 40 MHz channel
    r.shortGi = s.shortGi;
    const uint32_t streams = a.chains >= 2 && margin >= -65 ? 2 : 1;
    const bool fixed = s.mcs < (a.chains >= 2 ? 16u : 8u);  // else chosen by the margin
    const uint32_t mcs = fixed ? s.mcs : stepFor(margin, 8) + 8 * (streams - 1);
    r.index = mcs;
    uint32_t kbps = (r.width40 ? kHt40 : kHt20)[mcs % 8] * (mcs / 8 + 1);
    r.kbps = r.shortGi ? kbps * 10 / 9 : kbps;
    return r;
  }
  if (s.ofdm() && (n.band5() || !s.cck() || margin > -82)) {
    r.phy = LinkRate::Phy::Ofdm;
    r.index = stepFor(margin, 8);
    r.kbps = kOfdm[r.index];
    return r;
  }
  r.phy = LinkRate::Phy::Cck;
  r.index = stepFor(margin, 4);
  r.kbps = kCck[r.index];
  return r;
}

}  // namespace wavorel::sim
