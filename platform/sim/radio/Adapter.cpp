#include "platform/sim/radio/Adapter.h"

#include <algorithm>
#include <cmath>

#include "platform/sim/Bytes.h"
#include "platform/win/kernel/Clock.h"

namespace wavorel::sim {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint64_t kSignalPeriodMs = 30000;
constexpr int32_t kSensitivityDbm = -95;

}  // namespace

Adapter::Adapter(WorldAdapter config, const std::vector<WorldNetwork>& networks, std::vector<WorldClient> clients,
                 uint64_t loadTick)
    : config_(std::move(config)),
      networks_(networks),
      loadTick_(loadTick),
      lastTick_(loadTick),
      present_(config_.present),
      hardwareRadioOn_(config_.hardwareRadio),
      softAp_(std::move(clients)) {
  registers_[{3, 0x36}] = config_.register54;
  if (!hardwareRadioOn_) linkEvent_ = kHardwareRadioOff;
}

void Adapter::advance() {
  uint64_t now = clock().tickMs();
  if (now < lastTick_) now = lastTick_;
  if (network_) (icvError_ ? undecryptableMs_ : connectedMs_) += now - lastTick_;
  lastTick_ = now;
  softAp_.advance(now);
  if (handshake_ && now >= handshake_->endsAt) finishHandshake(now);
  if (network_ && !inRange(*network_, now)) dropLink(kLinkDown);
  if (pending_ && !inRange(*pending_, now)) pending_ = nullptr;
  if (handshake_ && !inRange(*handshake_->network, now)) handshake_.reset();
  if (scanStartedAt_ && now >= *scanStartedAt_ + kScanDurationMs) {
    uint64_t done = *scanStartedAt_ + kScanDurationMs;
    scanStartedAt_.reset();
    scanResults_.clear();
    for (const WorldNetwork& n : networks_)
      if (inRange(n, done)) scanResults_.push_back({&n, signalAt(n, done)});
  }
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
  if (n.band5() && !config_.band5) return false;
  return signalAt(n, now) >= kSensitivityDbm;
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
  const WorldNetwork* n = pending_ ? pending_ : handshake_ ? handshake_->network : nullptr;
  pending_ = nullptr;
  if (n) startHandshake(*n, lastTick_);
}

void Adapter::startHandshake(const WorldNetwork& n, uint64_t now) {
  handshake_ = Handshake{&n, now + kHandshakeMs, pmk_ && wpaPassphraseKey(n.passphrase, n.ssid) == *pmk_};
}

void Adapter::finishHandshake(uint64_t now) {
  Handshake h = *handshake_;
  handshake_.reset();
  if (!h.keyMatches) {
    linkEvent_ = kFourWayTimeout;
    return;
  }
  network_ = h.network;
  linkEvent_ = kLinkUp;
  connectedMs_ += now - h.endsAt;  // the link has carried traffic since the handshake ended
}

bool Adapter::handshaking() {
  advance();
  return handshake_.has_value();
}

void Adapter::clearKeys() {
  for (auto& k : wepKeys_) k.clear();
  transmitKey_ = 0;
  pmk_.reset();
}

Adapter::Admission Adapter::admission(const WorldNetwork& n, uint32_t& failEvent) const {
  failEvent = kAssociationFailed;
  if ((n.adhoc && infrastructureMode == 1) || (!n.adhoc && infrastructureMode == 0)) return Admission::Refuse;
  switch (n.security) {
    case Security::Open:
      return (authMode == kAuthOpen || authMode == kAuthAutoSwitch) && encryptionStatus != kWepEnabled
                 ? Admission::Join
                 : Admission::Refuse;
    case Security::Wep:
      if (encryptionStatus != kWepEnabled) return Admission::Refuse;
      if (authMode == kAuthShared && wepKeys_[n.wepKeyIndex] != n.wepKeys[n.wepKeyIndex]) {
        failEvent = kSharedAuthFail;
        return Admission::Refuse;
      }
      return authMode == kAuthOpen || authMode == kAuthShared || authMode == kAuthAutoSwitch ? Admission::Join
                                                                                             : Admission::Refuse;
    case Security::WpaPsk:
    case Security::Wpa2Psk:
    case Security::Wpa2Enterprise: {
      uint32_t wanted = n.security == Security::WpaPsk   ? kAuthWpaPsk
                        : n.security == Security::Wpa2Psk ? kAuthWpa2Psk
                                                          : kAuthWpa2;
      if (n.adhoc && n.security != Security::Wpa2Enterprise) wanted = kAuthWpaNone;
      if (authMode != wanted) return Admission::Refuse;
      unsigned cipher = encryptionStatus == kTkipEnabled ? kCipherTkip
                        : encryptionStatus == kAesEnabled ? kCipherCcmp
                                                          : 0;
      if ((n.ciphers & cipher) == 0) return Admission::Refuse;
      if (n.security == Security::Wpa2Enterprise) return n.eapAccepts ? Admission::Join : Admission::Refuse;
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
    if (n.ssid != ssid || !inRange(n, lastTick_) || (bssid && *bssid != n.bssid)) continue;
    if (!best || signalAt(n, lastTick_) > signalAt(*best, lastTick_)) best = &n;
  }
  if (!best) return;
  uint32_t failEvent = kAssociationFailed;
  switch (admission(*best, failEvent)) {
    case Admission::Join:
      network_ = best;
      linkEvent_ = best->security == Security::Wpa2Enterprise ? kEapSucceeded : kLinkUp;
      icvError_ = best->security == Security::Wep && wepKeys_[best->wepKeyIndex] != best->wepKeys[best->wepKeyIndex];
      break;
    case Admission::Handshake:
      startHandshake(*best, lastTick_);
      break;
    case Admission::AwaitKey:
      pending_ = best;
      break;
    case Admission::Refuse:
      linkEvent_ = failEvent;
      break;
  }
}

void Adapter::dropLink(uint32_t event) {
  if (network_ || event == kSoftwareRadioOff || event == kHardwareRadioOff) linkEvent_ = event;
  network_ = nullptr;
  pending_ = nullptr;
  handshake_.reset();
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
  return network_;
}

const WorldNetwork& Adapter::apBss() {
  apBss_.ssid = softAp_.ssid();
  apBss_.bssid = config_.mac;
  apBss_.signalDbm = -30;  // the adapter hears itself
  apBss_.ht = config_.ht;
  // The channel and beacon period of the configuration block last set, in
  // either build's code.
  for (int code : {0x0D010211, static_cast<int>(0xFF0C003Bu)}) {
    auto it = stored_.find(code);
    if (it == stored_.end() || it->second.size() < 16 || getU32(it->second.data() + 12) == 0) continue;
    uint32_t khz = getU32(it->second.data() + 12);
    for (int channel = 1; channel <= 196; ++channel)
      if (channelFrequencyKhz(channel) == khz) apBss_.channel = channel;
    if (uint32_t period = getU32(it->second.data() + 4)) apBss_.beaconPeriod = static_cast<int>(period);
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
  if (apMode_) return softAp_.strongestStation().value_or(-100) - 2 * chain;  // what the AP hears
  if (!network_) return -100;
  return signalAt(*network_, lastTick_) - 2 * chain;
}

int32_t Adapter::signalOf(const WorldNetwork& n) {
  advance();
  return signalAt(n, lastTick_);
}

uint32_t Adapter::txRateUnits() {
  advance();
  if (!network_) return 2;  // 1 Mb/s
  int32_t s = signalAt(*network_, lastTick_);
  uint32_t top = network_->ht && config_.ht ? (network_->band5() ? 600 : 260) : 108;  // 300, 130, 54 Mb/s
  if (s >= -60) return top;
  if (s >= -70) return top / 2;
  if (s >= -80) return top / 4;
  return 2;
}

LinkCounters Adapter::rawCounters() const {
  return apMode_ ? trafficOver(softAp_.decryptingMs(), softAp_.undecryptableMs())
                 : trafficOver(connectedMs_, undecryptableMs_);
}

LinkCounters Adapter::counters() {
  advance();
  return sinceReset(rawCounters(), apMode_ ? apOffset_ : offset_);
}

void Adapter::resetCounters() {
  advance();
  (apMode_ ? apOffset_ : offset_) = rawCounters();
}

bool Adapter::addBlockAck(const uint8_t* request) {
  advance();
  return network_ && std::equal(network_->bssid.begin(), network_->bssid.end(), request + 1) &&
         blockAck_.add(request);
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
  return (network_ || entry[11] == 0) && directLinks_.apply(entry, lastTick_);
}

std::vector<uint8_t> Adapter::directLinkTable() {
  advance();
  directLinks_.expire(lastTick_);
  return directLinks_.table();
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
    if (inRange(n, lastTick_)) heard.push_back(&n);
  uint32_t status = wps_.status(lastTick_, heard);
  if (wps_.result() && !wpsRegistrar_ && wpsTaken_ != wps_.result()) {
    wpsTaken_ = wps_.result();
    wpsTable_ = wpsCredentialTable(*wpsTaken_);
  }
  return status;
}

std::vector<uint8_t>& Adapter::stored(int code, std::vector<uint8_t> initial) {
  return stored_.emplace(code, std::move(initial)).first->second;
}

uint32_t Adapter::registerValue(uint32_t space, uint32_t address) const {
  auto it = registers_.find({space, address});
  return it == registers_.end() ? 0 : it->second;
}

void Adapter::setRegister(uint32_t space, uint32_t address, uint32_t value) { registers_[{space, address}] = value; }

}  // namespace wavorel::sim
