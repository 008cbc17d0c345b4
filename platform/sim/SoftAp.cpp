#include "platform/sim/SoftAp.h"

#include <algorithm>

#include "platform/sim/Bytes.h"
#include "platform/sim/Pbkdf2.h"

namespace wavorel::sim {

namespace {

constexpr uint32_t kAllowListed = 1;
constexpr uint32_t kRejectListed = 2;
constexpr size_t kEventLogSize = 168;
constexpr size_t kEventsPerRead = 10;
constexpr size_t kEventSize = 16;
static_assert(8 + kEventsPerRead * kEventSize == kEventLogSize, "count, reserved word, ten events");
// Transmit setting of a station: HT, MCS 7, 20 MHz, long guard interval.
constexpr uint16_t kStationTxSetting = (2u << 14) | 7u;

}  // namespace

void SoftAp::start(uint64_t now, const Mac& own) {
  running_ = true;
  startedAt_ = workedTo_ = now;
  stations_.clear();
  log(now, own, kApRestarted);
}

void SoftAp::stop() {
  running_ = false;
  stations_.clear();
}

bool SoftAp::admitted(const WorldClient& c) const {
  uint32_t policy = getU32(accessControl.data());
  uint32_t count = std::min<uint32_t>(getU32(accessControl.data() + 4), 32);
  bool listed = false;
  for (uint32_t i = 0; i < count; ++i)
    listed |= std::equal(c.mac.begin(), c.mac.end(), accessControl.begin() + 8 + 8 * i);
  if (policy == kAllowListed) return listed;
  if (policy == kRejectListed) return !listed;
  return true;
}

void SoftAp::advance(uint64_t now) {
  if (!running_ || now <= workedTo_) return;
  // Every arrival and departure in (workedTo_, now], in time order.
  struct Change {
    uint64_t tick;
    size_t client;
    bool arrives;
  };
  std::vector<Change> changes;
  for (size_t i = 0; i < clients_.size(); ++i) {
    uint64_t arrive = startedAt_ + clients_[i].arrivesMs;
    uint64_t leave = clients_[i].leavesMs ? startedAt_ + clients_[i].leavesMs : 0;
    if (arrive > workedTo_ && arrive <= now) changes.push_back({arrive, i, true});
    if (leave && leave > workedTo_ && leave <= now) changes.push_back({leave, i, false});
  }
  std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.tick < b.tick; });
  for (const Change& ch : changes) {
    const WorldClient& c = clients_[ch.client];
    auto it = std::find_if(stations_.begin(), stations_.end(), [&](const Station& s) { return s.client == ch.client; });
    if (!ch.arrives) {
      if (it != stations_.end()) {
        stations_.erase(it);
        log(ch.tick, c.mac, kApLeft);
      }
      continue;
    }
    if (!admitted(c) || stations_.size() == kMaxStations) continue;
    if (!preSharedKey.empty()) {
      Psk key = wpaPassphraseKey(c.passphrase, ssid);
      if (c.passphrase.empty() || std::string(key.begin(), key.end()) != preSharedKey) {
        log(ch.tick, c.mac, kApWrongPsk);
        continue;
      }
    }
    uint8_t aid = 1;
    while (std::any_of(stations_.begin(), stations_.end(), [aid](const Station& s) { return s.aid == aid; })) ++aid;
    stations_.push_back({ch.client, aid});
    log(ch.tick, c.mac, kApAssociated);
  }
  workedTo_ = now;
}

std::vector<uint8_t> SoftAp::stationTable(bool ht) const {
  size_t entry = ht ? 10 : 8;
  std::vector<uint8_t> t(4 + kMaxStations * entry, 0);
  putU32(t.data(), static_cast<uint32_t>(stations_.size()));
  for (size_t i = 0; i < stations_.size(); ++i) {
    uint8_t* p = t.data() + 4 + i * entry;
    const Mac& mac = clients_[stations_[i].client].mac;
    std::copy(mac.begin(), mac.end(), p);
    p[6] = stations_[i].aid;
    p[7] = 0;  // awake
    if (ht) putU16(p + 8, kStationTxSetting);
  }
  return t;
}

std::vector<uint8_t> SoftAp::takeEventLog(uint64_t now, int64_t utcNow) {
  std::vector<uint8_t> b(kEventLogSize, 0);
  size_t n = std::min(events_.size(), kEventsPerRead);
  putU32(b.data(), static_cast<uint32_t>(n));
  for (size_t i = 0; i < n; ++i) {
    uint8_t* p = b.data() + 8 + i * kEventSize;
    putU64(p, static_cast<uint64_t>(utcNow - static_cast<int64_t>(now - events_[i].tick) * 10000));
    std::copy(events_[i].mac.begin(), events_[i].mac.end(), p + 8);
    putU16(p + 14, events_[i].code);
  }
  events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(n));
  return b;
}

}  // namespace wavorel::sim
