#include "platform/sim/radio/SoftAp.h"

#include <algorithm>

#include "platform/wire/Bytes.h"
#include "platform/sim/crypto/Pbkdf2.h"

namespace wavorel::sim {

namespace {

constexpr uint32_t kAllowListed = 1;
constexpr uint32_t kRejectListed = 2;
constexpr size_t kEventLogSize = 168;
constexpr size_t kEventsPerRead = 10;
constexpr size_t kEventSize = 16;
static_assert(8 + kEventsPerRead * kEventSize == kEventLogSize, "count, reserved word, ten events");

// Authentication values of the AP codes that ask for a pre-shared key or 802.1X.
bool pskAuth(uint32_t a) { return a == 4 || a == 7 || a == kApAuthWpaPskWpa2Psk; }
bool eapAuth(uint32_t a) { return a == 3 || a == 6 || a == kApAuthWpaWpa2 || a == kApAuthOpen8021X; }

}  // namespace

SoftAp::SoftAp(std::vector<WorldClient> clients) : clients_(std::move(clients)), tried_(clients_.size(), false) {}

void SoftAp::start(uint64_t now, const Mac& own) {
  running_ = true;
  up_ = false;
  own_ = own;
  startedAt_ = workedTo_ = now;
  stations_.clear();
  std::fill(tried_.begin(), tried_.end(), false);
  // Keys do not outlive an AP session.
  preSharedKey.clear();
  for (std::string& k : wepKeys) k.clear();
}

void SoftAp::stop() {
  running_ = false;
  up_ = false;
  stations_.clear();
}

void SoftAp::bringUp(uint64_t now, const std::string& ssid) {
  if (!running_) return;
  if (up_) takeDown(now);  // a new SSID restarts the BSS
  if (ssid.empty()) return;
  ssid_ = ssid;
  up_ = true;
  upSince_ = workedTo_ = std::max(workedTo_, now);
  log(upSince_, own_, kApRestarted);
}

void SoftAp::takeDown(uint64_t now) {
  if (!up_) return;
  countTraffic(now);
  for (const Station& s : stations_) log(now, clients_[s.client].mac, kApLeft);
  stations_.clear();
  std::fill(tried_.begin(), tried_.end(), false);  // they come again when the BSS is back
  up_ = false;
}

SoftAp::Kind SoftAp::kind() const {
  if (authAlgorithm) {
    if (pskAuth(*authAlgorithm)) return Kind::Psk;
    if (eapAuth(*authAlgorithm)) return Kind::Eap;
    if (*authAlgorithm == kApAuthShared || cipherAlgorithm == kApCipherWep) return Kind::Wep;
    return Kind::Open;
  }
  // Without an authentication setting the keys the AP holds decide.
  if (!preSharedKey.empty()) return Kind::Psk;
  if (std::any_of(std::begin(wepKeys), std::end(wepKeys), [](const std::string& k) { return !k.empty(); }))
    return Kind::Wep;
  return Kind::Open;
}

bool SoftAp::allowedByList(const WorldClient& c) const {
  uint32_t policy = wire::getU32(accessControl.data());
  uint32_t count = std::min<uint32_t>(wire::getU32(accessControl.data() + 4), 32);
  bool listed = false;
  for (uint32_t i = 0; i < count; ++i)
    listed |= std::equal(c.mac.begin(), c.mac.end(), accessControl.begin() + 8 + 8 * i);
  if (policy == kAllowListed) return listed;
  if (policy == kRejectListed) return !listed;
  return true;
}

void SoftAp::admit(size_t client, uint64_t tick) {
  const WorldClient& c = clients_[client];
  if (!allowedByList(c) || stations_.size() == kMaxStations) return;
  bool decrypts = true;
  switch (kind()) {
    case Kind::Open:
      break;
    case Kind::Psk: {
      Psk key = wpaPassphraseKey(c.passphrase, ssid_);
      if (c.passphrase.empty() || std::string(key.begin(), key.end()) != preSharedKey) {
        log(tick, c.mac, kApWrongPsk);
        return;
      }
      break;
    }
    case Kind::Wep: {
      if (c.wepKey.empty()) return;
      // Shared-key authentication proves the key; open authentication lets a
      // wrong key associate, and its frames then fail decryption.
      decrypts = c.wepKey == wepKeys[wepTransmitKey & 3];
      if (!decrypts && authAlgorithm == kApAuthShared) return;
      break;
    }
    case Kind::Eap:
      if (!radiusServer || !c.eapAccepts) return;
      break;
  }
  uint8_t aid = 1;
  while (std::any_of(stations_.begin(), stations_.end(), [aid](const Station& s) { return s.aid == aid; })) ++aid;
  stations_.push_back({client, aid, decrypts});
  log(tick, c.mac, kApAssociated);
}

void SoftAp::countTraffic(uint64_t until) {
  if (until <= workedTo_) return;
  uint64_t span = until - workedTo_;
  for (const Station& s : stations_) (s.decrypts ? decryptingMs_ : undecryptableMs_) += span;
  workedTo_ = until;
}

void SoftAp::advance(uint64_t now) {
  if (!running_ || now <= workedTo_) return;
  if (!up_) {
    workedTo_ = now;
    return;
  }
  // Every arrival and departure in (workedTo_, now], in time order. A client
  // that arrived while the BSS was down comes as soon as it is up.
  struct Change {
    uint64_t tick;
    size_t client;
    bool arrives;
  };
  std::vector<Change> changes;
  for (size_t i = 0; i < clients_.size(); ++i) {
    uint64_t arrive = std::max(startedAt_ + clients_[i].arrivesMs, upSince_);
    uint64_t leave = clients_[i].leavesMs ? startedAt_ + clients_[i].leavesMs : 0;
    bool station = std::any_of(stations_.begin(), stations_.end(), [i](const Station& s) { return s.client == i; });
    if (!tried_[i] && arrive <= now) {
      tried_[i] = true;
      if (leave && leave <= arrive) continue;  // gone before the BSS was there
      changes.push_back({arrive, i, true});
      if (leave && leave <= now) changes.push_back({leave, i, false});
    } else if (station && leave && leave <= now) {
      changes.push_back({leave, i, false});
    }
  }
  std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.tick < b.tick; });
  for (const Change& ch : changes) {
    countTraffic(ch.tick);
    if (ch.arrives) {
      admit(ch.client, ch.tick);
      continue;
    }
    auto it = std::find_if(stations_.begin(), stations_.end(), [&](const Station& s) { return s.client == ch.client; });
    if (it != stations_.end()) {
      stations_.erase(it);
      log(ch.tick, clients_[ch.client].mac, kApLeft);
    }
  }
  countTraffic(now);
}

std::optional<int> SoftAp::strongestStation() const {
  std::optional<int> best;
  for (const Station& s : stations_) best = std::max(best.value_or(-100), clients_[s.client].signalDbm);
  return best;
}

std::vector<uint8_t> SoftAp::stationTable(bool ht) const {
  size_t entry = ht ? 10 : 8;
  std::vector<uint8_t> t(4 + kMaxStations * entry, 0);
  wire::putU32(t.data(), static_cast<uint32_t>(stations_.size()));
  for (size_t i = 0; i < stations_.size(); ++i) {
    uint8_t* p = t.data() + 4 + i * entry;
    const Mac& mac = clients_[stations_[i].client].mac;
    std::copy(mac.begin(), mac.end(), p);
    p[6] = stations_[i].aid;
    p[7] = 0;  // awake
    if (ht) wire::putU16(p + 8, clients_[stations_[i].client].txSetting);
  }
  return t;
}

bool SoftAp::hasStation(const uint8_t* mac) const {
  for (const Station& s : stations_)
    if (std::equal(clients_[s.client].mac.begin(), clients_[s.client].mac.end(), mac)) return true;
  return false;
}

std::vector<uint8_t> SoftAp::takeEventLog(uint64_t now, int64_t utcNow) {
  std::vector<uint8_t> b(kEventLogSize, 0);
  size_t n = std::min(events_.size(), kEventsPerRead);
  wire::putU32(b.data(), static_cast<uint32_t>(n));
  for (size_t i = 0; i < n; ++i) {
    uint8_t* p = b.data() + 8 + i * kEventSize;
    wire::putU64(p, static_cast<uint64_t>(utcNow - static_cast<int64_t>(now - events_[i].tick) * 10000));
    std::copy(events_[i].mac.begin(), events_[i].mac.end(), p + 8);
    wire::putU16(p + 14, events_[i].code);
  }
  events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(n));
  return b;
}

}  // namespace wavorel::sim
