#include "platform/sim/radio/Adapter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/win/kernel/Clock.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/VendorRecords.h"
#include "platform/wire/WpsRecords.h"

namespace wavorel::sim {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint64_t kSignalPeriodMs = 30000;
constexpr int32_t kSensitivityDbm = -95;

bool timed(LinkState s) {
  return s == LinkState::Authenticating || s == LinkState::Associating || s == LinkState::Handshake ||
         s == LinkState::Eap;
}

bool associatedIn(LinkState s) {
  return s == LinkState::AwaitingKey || s == LinkState::Handshake || s == LinkState::Eap ||
         s == LinkState::Connected;
}

// Quarter milliseconds of traffic per millisecond of link time.
uint64_t trafficWeight(PowerSave p) { return p == PowerSave::Maximum ? 1 : p == PowerSave::Fast ? 2 : 4; }

}  // namespace

Adapter::Adapter(WorldAdapter config, const std::vector<WorldNetwork>& networks, std::vector<WorldClient> clients,
                 const WorldTiming& timing, std::string driverKey, uint64_t loadTick)
    : config_(std::move(config)),
      networks_(networks),
      timing_(timing),
      store_(std::move(driverKey)),
      loadTick_(loadTick),
      lastTick_(loadTick),
      present_(config_.present),
      hardwareRadioOn_(config_.hardwareRadio),
      wpsTable_(wire::wps::table::kSize, 0),
      softAp_(std::move(clients)) {
  registers_[{3, 0x36}] = config_.register54;
  if (!hardwareRadioOn_) linkEvent_ = kHardwareRadioOff;
}

std::vector<uint8_t> Adapter::setting(const std::string& name, const std::vector<uint8_t>& initial) {
  return store_.get(name, initial);
}

uint32_t Adapter::settingU32(const std::string& name, uint32_t initial) { return store_.getU32(name, initial); }

void Adapter::setSetting(const std::string& name, const std::vector<uint8_t>& value) {
  advance();  // the time until now runs under the old settings
  store_.set(name, value);
}

RadioSettings Adapter::radioSettings() {
  // Worked out again only when a setting may have changed.
  const uint64_t generation = store_.generation();
  if (!settingsGeneration_ || *settingsGeneration_ != generation) {
    settings_ = readRadioSettings();
    settingsGeneration_ = generation;
  }
  return settings_;
}

RadioSettings Adapter::readRadioSettings() {
  namespace ht = wire::vendor::httransmit;
  RadioSettings s;
  s.wirelessMode = store_.getU32(setting::kWirelessMode, defaultWirelessMode(config_));
  s.region = store_.getU32(setting::kCountryRegion, config_.countryRegion);
  std::vector<uint8_t> transmit = store_.get(setting::kHtTransmit, defaultHtTransmit());
  s.width40 = transmit[ht::kBandwidth40] != 0;
  s.shortGi = transmit[ht::kShortGi] != 0;
  s.mcs = transmit[ht::kMcs];
  s.txPowerPercent = store_.getU32(setting::kTxPower, kTxPowerDefault);
  // The standard power mode (1 the most saving, 2 fast) and the Native Wi-Fi
  // level (8 fast, 16 and above the most saving): the deeper one counts.
  uint32_t mode = store_.getU32(setting::kPowerMode, 0);
  uint32_t level = store_.getU32(setting::kPowerManagement, 0);
  int depth = std::max(mode == 1 ? 2 : mode == 2 ? 1 : 0, level >= 16 ? 2 : level >= 8 ? 1 : 0);
  s.powerSave = static_cast<PowerSave>(depth);
  return s;
}

void Adapter::advance() {
  uint64_t now = std::max(clock().tickMs(), lastTick_);
  while (timed(state_) && stepEndsAt_ <= now) {
    accrue(stepEndsAt_);
    finishStep(stepEndsAt_);
  }
  accrue(now);
  softAp_.advance(now);
  if (target_ && !reaches(*target_, now)) {
    if (state_ == LinkState::Connected) {
      dropLink(kLinkDown);
    } else {
      failJoin(kAssociationFailed);
    }
  }
  if (scanStartedAt_ && now >= *scanStartedAt_ + kScanDurationMs) {
    uint64_t done = *scanStartedAt_ + kScanDurationMs;
    scanStartedAt_.reset();
    scanResults_.clear();
    for (const WorldNetwork& n : networks_)
      if (reaches(n, done)) scanResults_.push_back({&n, signalAt(n, done), done});
  }
}

void Adapter::accrue(uint64_t until) {
  if (until <= lastTick_) return;
  if (state_ == LinkState::Connected) {
    uint64_t quarters = (until - lastTick_) * trafficWeight(radioSettings().powerSave);
    (icvError_ ? undecryptableQms_ : connectedQms_) += quarters;
  }
  lastTick_ = until;
}

int32_t Adapter::signalAt(const WorldNetwork& n, uint64_t tick) const {
  double phase = 2.0 * kPi * static_cast<double>((tick - loadTick_) % kSignalPeriodMs) / kSignalPeriodMs +
                 n.bssid[5] * 0.7;
  return n.signalDbm + static_cast<int32_t>(std::lround(n.variationDbm * std::sin(phase)));
}

bool Adapter::inRange(const WorldNetwork& n, uint64_t now) const {
  if (!present_ || !radioWorks() || apMode_) return false;
  uint64_t since = now - loadTick_;
  if (since < n.appearsMs || (n.leavesMs != 0 && since >= n.leavesMs)) return false;
  return signalAt(n, now) >= kSensitivityDbm;
}

bool Adapter::reaches(const WorldNetwork& n, uint64_t now) {
  return inRange(n, now) && radioSettings().reaches(n, config_);
}

void Adapter::setPresent(bool present) {
  advance();
  present_ = present;
  if (!present) {
    dropLink(kLinkDown);
    softAp_.stop();
    apMode_ = false;  // the driver starts in station mode when the adapter is back
    scanStartedAt_.reset();
    scanResults_.clear();
  }
}

void Adapter::setRadio(bool on) {
  advance();
  radioOn_ = on;
  if (!on) radioOff(kSoftwareRadioOff);
}

void Adapter::setHardwareRadio(bool on) {
  advance();
  hardwareRadioOn_ = on;
  if (!on) radioOff(kHardwareRadioOff);
}

void Adapter::radioOff(uint32_t event) {
  dropLink(event);
  softAp_.takeDown(lastTick_);
  scanStartedAt_.reset();
  scanResults_.clear();
}

void Adapter::setApMode(bool on) {
  advance();
  if (on) dropLink(kLinkDown);
  if (on && !apMode_ && present_) softAp_.start(lastTick_, config_.mac);
  if (!on) softAp_.stop();
  if (on != apMode_) desiredSsid_.clear();  // the SSID set in the other mode was that mode's
  apMode_ = on;
}

SoftAp& Adapter::softAp() {
  advance();
  return softAp_;
}

void Adapter::startScan() {
  advance();
  if (present_ && radioWorks() && !apMode_) scanStartedAt_ = lastTick_;
}

bool Adapter::scanning() {
  advance();
  return scanStartedAt_.has_value();
}

std::optional<uint64_t> Adapter::nextChangeAt() const {
  std::optional<uint64_t> at;
  if (scanStartedAt_) at = *scanStartedAt_ + kScanDurationMs;
  if (timed(state_) && stepEndsAt_ != UINT64_MAX && (!at || stepEndsAt_ < *at)) at = stepEndsAt_;
  return at;
}

std::vector<ScanEntry> Adapter::scanResults() {
  advance();
  return scanResults_;
}

void Adapter::setWepKey(int index, const std::string& material, bool transmit) {
  advance();
  (apMode_ ? softAp_.wepKeys : wepKeys_)[index & 3] = material;
  if (transmit) (apMode_ ? softAp_.wepTransmitKey : transmitKey_) = index & 3;
}

void Adapter::removeKey(int index) {
  advance();
  (apMode_ ? softAp_.wepKeys : wepKeys_)[index & 3].clear();
}

void Adapter::setPairwiseMasterKey(const std::string& material) {
  advance();
  if (apMode_) {
    softAp_.preSharedKey = material;
    return;
  }
  Psk key;
  std::copy(material.begin(), material.begin() + 32, key.begin());
  pmk_ = key;
  // A key that arrives while the association waits for it, or while its
  // handshake runs, starts the handshake (again) with this key.
  if (state_ == LinkState::AwaitingKey || state_ == LinkState::Handshake) startHandshake(lastTick_);
}

void Adapter::enter(LinkState state, uint32_t event) {
  constexpr size_t kKeptSteps = 32;
  state_ = state;
  if (steps_.size() == kKeptSteps) steps_.erase(steps_.begin());
  steps_.push_back({state, event});
}

void Adapter::startStep(LinkState state, uint64_t now, uint64_t durationMs) {
  enter(state, linkEvent_);
  stepEndsAt_ = now + durationMs;
}

void Adapter::startHandshake(uint64_t now) {
  keyFits_ = pmk_ && wpaPassphraseKey(target_->passphrase, target_->ssid) == *pmk_;
  startStep(LinkState::Handshake, now, timing_.handshakeMs);
}

void Adapter::linkUp(uint64_t at) {
  lastTick_ = at;  // the link carries traffic from here
  const WorldNetwork& n = *target_;
  bool oneX = n.security == Security::Wpa2Enterprise || n.security == Security::WpaEnterprise ||
              n.security == Security::WepEnterprise;
  linkEvent_ = oneX ? kEapSucceeded : kLinkUp;
  enter(LinkState::Connected, linkEvent_);
  icvError_ = n.security == Security::Wep && wepKeys_[n.wepKeyIndex] != n.wepKeys[n.wepKeyIndex];
}

void Adapter::failJoin(uint32_t event) {
  target_ = nullptr;
  linkEvent_ = event;
  enter(LinkState::Idle, event);
}

void Adapter::finishStep(uint64_t at) {
  const WorldNetwork& n = *target_;
  switch (state_) {
    case LinkState::Authenticating:
      if (sharedKeyFails(n)) return failJoin(kSharedAuthFail);
      return startStep(LinkState::Associating, at, timing_.associationMs);
    case LinkState::Associating:
      switch (admission(n)) {
        case Admission::Join: return linkUp(at);
        case Admission::Handshake: return startHandshake(at);
        case Admission::AwaitKey: return enter(LinkState::AwaitingKey, linkEvent_);
        case Admission::Eap: return startStep(LinkState::Eap, at, timing_.eapMs);
        case Admission::Refuse: return failJoin(kAssociationFailed);
      }
      return;
    case LinkState::Handshake:
      return keyFits_ ? linkUp(at) : failJoin(kFourWayTimeout);
    case LinkState::Eap:
      if (exchangeHolds_ > 0) {  // the supplicant decides: the step has no end of its own
        stepEndsAt_ = UINT64_MAX;
        return;
      }
      return n.eapAccepts ? linkUp(at) : failJoin(kAssociationFailed);
    default:
      return;
  }
}

LinkState Adapter::linkState() {
  advance();
  return state_;
}

std::vector<JoinStep> Adapter::takeJoinSteps() {
  advance();
  return std::exchange(steps_, {});
}

bool Adapter::joining() {
  advance();
  return state_ != LinkState::Idle && state_ != LinkState::Connected;
}

void Adapter::holdExchange(bool hold) {
  advance();
  exchangeHolds_ = std::max(0, exchangeHolds_ + (hold ? 1 : -1));
  // An exchange nobody decides any more takes the world's time from here.
  if (exchangeHolds_ == 0 && state_ == LinkState::Eap && stepEndsAt_ == UINT64_MAX)
    stepEndsAt_ = lastTick_ + timing_.eapMs;
}

bool Adapter::finishExchange(bool accepted, const std::string& sessionKey) {
  advance();
  if (state_ != LinkState::Eap || !target_) return false;
  if (!accepted) {
    failJoin(kAssociationFailed);
    return true;
  }
  if (target_->security == Security::WepEnterprise) {
    wepKeys_[0] = sessionKey.substr(0, 13);
    transmitKey_ = 0;
  } else if (sessionKey.size() >= 32) {
    Psk key;
    std::copy(sessionKey.begin(), sessionKey.begin() + 32, key.begin());
    pmk_ = key;
  }
  linkUp(lastTick_);
  return true;
}

void Adapter::clearKeys() {
  for (auto& k : wepKeys_) k.clear();
  transmitKey_ = 0;
  pmk_.reset();
}

bool Adapter::sharedKeyFails(const WorldNetwork& n) const {
  return authMode == kAuthShared && n.security == Security::Wep && wepKeys_[n.wepKeyIndex] != n.wepKeys[n.wepKeyIndex];
}

Adapter::Admission Adapter::admission(const WorldNetwork& n) const {
  if ((n.adhoc && infrastructureMode == 1) || (!n.adhoc && infrastructureMode == 0)) return Admission::Refuse;
  switch (n.security) {
    case Security::Open:
      return (authMode == kAuthOpen || authMode == kAuthAutoSwitch) && encryptionStatus != kWepEnabled
                 ? Admission::Join
                 : Admission::Refuse;
    case Security::WepEnterprise:
      return authMode == kAuthOpen && encryptionStatus == kWepEnabled ? Admission::Eap : Admission::Refuse;
    case Security::Wep:
      if (encryptionStatus != kWepEnabled) return Admission::Refuse;
      return authMode == kAuthOpen || authMode == kAuthShared || authMode == kAuthAutoSwitch ? Admission::Join
                                                                                             : Admission::Refuse;
    case Security::WpaPsk:
    case Security::Wpa2Psk:
    case Security::Wpa2Enterprise:
    case Security::WpaEnterprise: {
      bool oneX = n.security == Security::Wpa2Enterprise || n.security == Security::WpaEnterprise;
      uint32_t wanted = n.security == Security::WpaPsk          ? kAuthWpaPsk
                        : n.security == Security::Wpa2Psk        ? kAuthWpa2Psk
                        : n.security == Security::WpaEnterprise ? kAuthWpa
                                                                 : kAuthWpa2;
      if (n.adhoc && !oneX) wanted = kAuthWpaNone;
      if (authMode != wanted) return Admission::Refuse;
      unsigned cipher = encryptionStatus == kTkipEnabled ? kCipherTkip
                        : encryptionStatus == kAesEnabled ? kCipherCcmp
                                                          : 0;
      if ((n.ciphers & cipher) == 0) return Admission::Refuse;
      if (oneX) return Admission::Eap;
      return pmk_ ? Admission::Handshake : Admission::AwaitKey;
    }
  }
  return Admission::Refuse;
}

void Adapter::associate(const std::string& ssid, const std::optional<Mac>& bssid) {
  advance();
  dropLink(kLinkDown);
  linkEvent_ = kLinkDown;
  desiredSsid_ = ssid;
  if (apMode_ && present_ && radioWorks()) softAp_.bringUp(lastTick_, ssid);
  if (!present_ || !radioWorks() || apMode_) return;
  const WorldNetwork* best = nullptr;
  for (const WorldNetwork& n : networks_) {
    if (n.ssid != ssid || !reaches(n, lastTick_) || (bssid && *bssid != n.bssid)) continue;
    if (!best || signalAt(n, lastTick_) > signalAt(*best, lastTick_)) best = &n;
  }
  if (!best) return;
  ++joins_;
  target_ = best;
  startStep(LinkState::Authenticating, lastTick_, timing_.authenticationMs);
}

void Adapter::dropLink(uint32_t event) {
  if (state_ == LinkState::Connected || event == kSoftwareRadioOff || event == kHardwareRadioOff) linkEvent_ = event;
  if (state_ != LinkState::Idle) enter(LinkState::Idle, linkEvent_);
  target_ = nullptr;
  icvError_ = false;
  blockAck_.clear();
  directLinks_.clear();
}

void Adapter::disassociate() {
  advance();
  dropLink(kLinkDown);
  softAp_.takeDown(lastTick_);
  desiredSsid_.clear();
}

bool Adapter::connected() { return network() != nullptr; }

const WorldNetwork* Adapter::network() {
  advance();
  if (apMode_) return softAp_.beaconing() ? &apBss() : nullptr;
  return state_ == LinkState::Connected ? target_ : nullptr;
}

const WorldNetwork* Adapter::associatedNetwork() {
  advance();
  if (apMode_) return softAp_.beaconing() ? &apBss() : nullptr;
  return associatedIn(state_) ? target_ : nullptr;
}

const WorldNetwork& Adapter::apBss() {
  namespace cfg = wire::ndis::configuration;
  apBss_.ssid = softAp_.ssid();
  apBss_.bssid = config_.mac;
  apBss_.signalDbm = -30;  // the adapter hears itself
  apBss_.ht = config_.ht;
  // The channel and beacon period of the configuration block last set, in
  // either build's code.
  for (const char* name : {"OID_802_11_CONFIGURATION", "OID_VX_CONFIGURATION"}) {
    std::vector<uint8_t> block = store_.get(name, std::vector<uint8_t>(cfg::kSize));
    uint32_t khz = wire::getU32(block.data() + cfg::kDsConfig);
    if (khz == 0) continue;
    for (int channel = 1; channel <= 196; ++channel)
      if (channelFrequencyKhz(channel) == khz) apBss_.channel = channel;
    if (uint32_t period = wire::getU32(block.data() + cfg::kBeaconPeriod)) apBss_.beaconPeriod = static_cast<int>(period);
  }
  switch (softAp_.kind()) {
    case SoftAp::Kind::Open: apBss_.security = Security::Open; break;
    case SoftAp::Kind::Wep: apBss_.security = Security::Wep; break;
    case SoftAp::Kind::Psk: apBss_.security = Security::Wpa2Psk; break;
    case SoftAp::Kind::Eap: apBss_.security = Security::Wpa2Enterprise; break;
  }
  apBss_.ciphers = softAp_.cipherAlgorithm == 2u ? kCipherTkip : kCipherCcmp;
  return apBss_;
}

uint32_t Adapter::linkEvent() {
  advance();
  return linkEvent_;
}

bool Adapter::wepIcvError() {
  advance();
  return icvError_;
}

int32_t Adapter::rssiDbm(int chain) {
  advance();
  if (chain >= config_.chains) return kNoChainDbm;
  if (apMode_) return softAp_.strongestStation().value_or(kNoSignalDbm) - 2 * chain;  // what the AP hears
  if (!associatedIn(state_)) return kNoSignalDbm;
  return signalAt(*target_, lastTick_) - 2 * chain;
}

int32_t Adapter::signalOf(const WorldNetwork& n) {
  advance();
  return signalAt(n, lastTick_);
}

std::optional<LinkRate> Adapter::txRate() {
  const WorldNetwork* n = associatedNetwork();
  if (!n || apMode_) return std::nullopt;
  return linkRate(*n, config_, radioSettings(), signalAt(*n, lastTick_));
}

uint32_t Adapter::txRateUnits() {
  std::optional<LinkRate> rate = txRate();
  return rate ? rate->units() : 0;
}

LinkCounters Adapter::rawCounters() const {
  return apMode_ ? trafficOver(softAp_.decryptingMs(), softAp_.undecryptableMs())
                 : trafficOver(connectedQms_ / 4, undecryptableQms_ / 4);
}

LinkCounters Adapter::counters() {
  advance();
  if (apMode_) return sinceReset(rawCounters(), apOffset_);
  // In station mode the reset restarts the link-status byte counts as well.
  LinkCounters c = sinceReset(rawCounters(), offset_);
  c.txBytes -= std::min(c.txBytes, offset_.txBytes);
  c.rxBytes -= std::min(c.rxBytes, offset_.rxBytes);
  return c;
}

void Adapter::resetCounters() {
  advance();
  (apMode_ ? apOffset_ : offset_) = rawCounters();
}

std::vector<Mac> Adapter::linkPeers() {
  std::vector<Mac> peers;
  if (state_ != LinkState::Connected || !target_) return peers;
  peers.push_back(target_->bssid);
  directLinks_.expire(lastTick_);
  for (const Mac& peer : directLinks_.peers()) peers.push_back(peer);
  return peers;
}

bool Adapter::addBlockAck(const uint8_t* request) {
  advance();
  // A station's sessions are with the peers of its link; the soft AP's with
  // the stations associated with it.
  if (apMode_) return softAp_.hasStation(request + 1) && blockAck_.add(request);
  const std::vector<Mac> peers = linkPeers();
  const bool known = std::any_of(peers.begin(), peers.end(),
                                 [&](const Mac& peer) { return std::equal(peer.begin(), peer.end(), request + 1); });
  return known && blockAck_.add(request);
}

bool Adapter::removeBlockAck(const uint8_t* request) {
  advance();
  return blockAck_.remove(request);
}

std::vector<uint8_t> Adapter::blockAckTable() {
  advance();
  return blockAck_.table();
}

bool Adapter::applyDirectLink(const uint8_t* entry) {
  advance();
  return (state_ == LinkState::Connected || entry[11] == 0) && directLinks_.apply(entry, lastTick_);
}

std::vector<uint8_t> Adapter::directLinkTable() {
  advance();
  directLinks_.expire(lastTick_);
  return directLinks_.table();
}

std::vector<uint8_t> Adapter::stationTable() {
  advance();
  std::vector<uint8_t> table = softAp_.stationTable(config().ht);
  if (apMode_) return table;
  // The link's peers in the entry form of the AP's stations: MAC, then an AID
  // counted from 1.
  const std::vector<Mac> peers = linkPeers();
  const size_t entry = (table.size() - 4) / SoftAp::kMaxStations;
  wire::putU32(table.data(), static_cast<uint32_t>(peers.size()));
  for (size_t i = 0; i < peers.size(); ++i) {
    uint8_t* p = table.data() + 4 + i * entry;
    std::copy(peers[i].begin(), peers[i].end(), p);
    p[6] = static_cast<uint8_t>(i + 1);
  }
  return table;
}

void Adapter::startWps(const WpsRequest& request) {
  advance();
  wps_.start(request, lastTick_);
  wpsRegistrar_ = request.registrar;
  wpsTaken_ = nullptr;
  wpsByButton_ = false;
}

void Adapter::pressWpsButton() {
  startWps(WpsRequest{});
  wpsByButton_ = true;
}

bool Adapter::takeWpsButtonReport() {
  const bool pressed = wpsByButton_;
  wpsByButton_ = false;
  return pressed;
}

uint32_t Adapter::wpsStatus() {
  advance();
  std::vector<const WorldNetwork*> heard;
  for (const WorldNetwork& n : networks_)
    if (reaches(n, lastTick_)) heard.push_back(&n);
  uint32_t status = wps_.status(lastTick_, heard);
  if (wps_.result() && !wpsRegistrar_ && wpsTaken_ != wps_.result()) {
    wpsTaken_ = wps_.result();
    wpsTable_ = wpsCredentialTable(*wpsTaken_);
  }
  return status;
}

uint32_t Adapter::registerValue(uint32_t space, uint32_t address) const {
  auto it = registers_.find({space, address});
  return it == registers_.end() ? 0 : it->second;
}

void Adapter::setRegister(uint32_t space, uint32_t address, uint32_t value) { registers_[{space, address}] = value; }

}  // namespace wavorel::sim
