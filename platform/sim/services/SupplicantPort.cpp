#include "platform/sim/services/SupplicantPort.h"

#include <algorithm>
#include <chrono>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/SupplicantLibrary.h"
#include "platform/win/kernel/Clock.h"

namespace wavorel::sim {

namespace {

bool pskNetwork(const WorldNetwork& n) { return n.security == Security::WpaPsk || n.security == Security::Wpa2Psk; }
bool eapNetwork(const WorldNetwork& n) {
  return n.security == Security::Wpa2Enterprise || n.security == Security::WpaEnterprise ||
         n.security == Security::WepEnterprise;
}

int64_t utcSeconds() { return (clock().utcFileTime() - kFileTimeUnixEpoch) / 10000000; }

// The identity a PAC is issued to: the outer identity before its "@", after its first backslash.
std::string pacIdentityOf(std::string identity) {
  identity = identity.substr(0, identity.find('@'));
  size_t slash = identity.find('\\');
  return slash == std::string::npos ? identity : identity.substr(slash + 1);
}

}  // namespace

SupplicantPort::SupplicantPort(std::string guid, const AC_PORT_CALLBACKS& callbacks)
    : guid_(std::move(guid)), callbacks_(callbacks) {}

SupplicantPort::~SupplicantPort() {
  if (clockListener_ >= 0) removeClockListener(clockListener_);
  if (thread_.joinable()) thread_.detach();
}

template <class Fn>
auto SupplicantPort::withAdapter(Fn fn) -> decltype(fn(std::declval<Adapter&>())) {
  using Result = decltype(fn(std::declval<Adapter&>()));
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Machine* m = machineIfLoaded();
  Adapter* a = m && !guid_.empty() ? m->findAdapter(guid_) : nullptr;
  if (!a) return Result{};
  return fn(*a);
}

void SupplicantPort::startThread() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!guid_.empty()) holding_ = withAdapter([](Adapter& a) { return a.holdExchange(true), true; });
  }
  std::weak_ptr<SupplicantPort> weak = weak_from_this();
  clockListener_ = addClockListener([weak] {
    if (auto self = weak.lock()) {
      std::lock_guard<std::mutex> lock(self->mutex_);
      self->kicked_ = true;
      self->cv_.notify_all();
    }
  });
  std::shared_ptr<SupplicantPort> self = shared_from_this();
  thread_ = std::thread([self] { self->run(); });
}

void SupplicantPort::shutdown() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    ++generation_;
    cv_.notify_all();
  }
  if (clockListener_ >= 0) removeClockListener(clockListener_);
  clockListener_ = -1;
  if (thread_.joinable()) {
    if (thread_.get_id() == std::this_thread::get_id())
      thread_.detach();
    else
      thread_.join();
  }
  if (holding_) withAdapter([](Adapter& a) { return a.holdExchange(false), true; });
  holding_ = false;
}

void SupplicantPort::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!quit_) {
    if (!raised_.empty()) {
      auto [kind, phase] = raised_.front();
      raised_.pop_front();
      uint64_t generation = generation_;
      lock.unlock();
      ask(kind, phase, generation);
      lock.lock();
      continue;
    }
    if (kicked_) {
      kicked_ = false;
      lock.unlock();
      observe();
      lock.lock();
      continue;
    }
    wait_ = Wait::Idle;
    // Clock moves and commands kick the thread; the real-time bound lets it
    // follow an adapter under the real clock too.
    cv_.wait_for(lock, std::chrono::milliseconds(50), [this] { return quit_ || kicked_ || !raised_.empty(); });
    if (!kicked_ && raised_.empty()) kicked_ = true;
    wait_ = Wait::Busy;
  }
}

void SupplicantPort::observe() {
  struct Seen {
    bool valid = false, associated = false, joining = false;
    uint64_t join = 0;
    std::optional<WorldNetwork> network;
  };
  Seen seen = withAdapter([](Adapter& a) {
    Seen s;
    s.valid = true;
    LinkState st = a.linkState();
    s.associated = a.associatedNetwork() != nullptr;
    s.joining = st == LinkState::Eap || st == LinkState::AwaitingKey || st == LinkState::Handshake;
    s.join = a.joinCount();
    if (const WorldNetwork* n = a.associatedNetwork()) s.network = *n;
    return s;
  });
  bool started, linkChanged, wasAuthenticated;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    started = started_;
    linkChanged = seen.associated != linkUp_;
    linkUp_ = seen.associated;
    wasAuthenticated = state_ == AC_STATE_AUTHENTICATED;
    if (linkChanged && !seen.associated) {
      addressFrom_ = UINT64_MAX;
      if (wasAuthenticated) state_ = AC_STATE_IDLE;
    }
  }
  if (!started) return;
  if (linkChanged) {
    emit(AC_PORT_EVENT_LINK);
    if (!seen.associated && wasAuthenticated) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        status_ = AC_STATUS_LINK_DOWN;
      }
      emit(AC_PORT_EVENT_STATUS);
    }
  }
  if (seen.joining && seen.network && seen.join != handledJoin_ &&
      (pskNetwork(*seen.network) || eapNetwork(*seen.network))) {
    handledJoin_ = seen.join;
    exchange(*seen.network, seen.join);
  }
}

void SupplicantPort::emit(int event) {
  if (callbacks_.status) callbacks_.status(callbacks_.context, event);
}

bool SupplicantPort::aborted(uint64_t generation) {
  return quit_ || generation != generation_;
}

bool SupplicantPort::round(uint64_t generation) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (aborted(generation)) return false;
  roundEnd_ = clock().tickMs() + kRoundMs;
  wait_ = Wait::Round;
  clock().waitUntil(lock, cv_, roundEnd_, [&] { return aborted(generation); }, "acAuth exchange round");
  wait_ = Wait::Busy;
  return !aborted(generation);
}

bool SupplicantPort::rounds(uint64_t generation, uint64_t ms) {
  for (uint64_t spent = 0; spent < ms; spent += kRoundMs)
    if (!round(generation)) return false;
  return true;
}

std::shared_ptr<SupplicantRequest> SupplicantPort::ask(uint32_t kind, uint32_t phase, uint64_t generation) {
  auto request = std::make_shared<SupplicantRequest>();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (aborted(generation)) return nullptr;
    request->record.id = nextRequest_++;
    request->record.kind = kind;
    request->record.phase = phase;
    request->record.eapType = method_;
    pending_ = request;
  }
  AC_CRED_REQUEST copy = request->record;
  if (callbacks_.credential) callbacks_.credential(callbacks_.context, &copy);
  std::unique_lock<std::mutex> lock(mutex_);
  if (request->deferred && !request->complete) {
    wait_ = Wait::Answer;
    cv_.wait(lock, [&] { return request->complete || aborted(generation); });
    wait_ = Wait::Busy;
  }
  pending_.reset();
  if (aborted(generation)) return nullptr;
  return request;
}

std::shared_ptr<SupplicantRequest> SupplicantPort::step(uint32_t kind, uint32_t phase, uint64_t generation) {
  if (!round(generation)) return nullptr;
  return ask(kind, phase, generation);
}

SupplicantPort::Join SupplicantPort::join() {
  uint64_t expected;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    expected = join_;
  }
  return withAdapter([expected](Adapter& a) {
    Join j;
    LinkState st = a.linkState();
    bool same = a.joinCount() == expected;
    j.connected = same && st == LinkState::Connected;
    j.failed = same && st == LinkState::Idle;
    j.alive = same && st != LinkState::Idle;
    return j;
  });
}

void SupplicantPort::setState(uint32_t state, std::optional<uint32_t> status) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = state;
    if (status) status_ = *status;
  }
  emit(AC_PORT_EVENT_STATE);
}

void SupplicantPort::fail(uint32_t status, bool eap) {
  if (eap) withAdapter([](Adapter& a) { return a.finishExchange(false, {}); });
  {
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = AC_STATE_HELD;
    status_ = status;
  }
  emit(AC_PORT_EVENT_STATUS);
}

void SupplicantPort::succeed(const std::string& key) {
  if (!key.empty()) withAdapter([&key](Adapter& a) { return a.finishExchange(true, key); });
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const WorldNetwork& n = *network_;
    addressFrom_ = clock().tickMs() + (n.dhcp ? n.dhcpDelayMs : 0);
  }
  setState(AC_STATE_AUTHENTICATED);
}

void SupplicantPort::exchange(const WorldNetwork& network, uint64_t join) {
  uint64_t generation;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    generation = generation_;
    join_ = join;
    network_ = network;
    method_ = 0;
    fastMode_ = 0;
  }
  setState(AC_STATE_CONNECTING);
  if (pskNetwork(network))
    pskExchange(generation);
  else
    eapExchange(network, generation);
}

void SupplicantPort::pskExchange(uint64_t generation) {
  if (!round(generation)) return;
  setState(AC_STATE_PROGRESS, AC_STATUS_STARTING_CONNECTION);
  std::string key;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    key = psk_;
  }
  if (key.size() != 32) return fail(AC_STATUS_INVALID_CREDENTIALS, false);
  withAdapter([&key](Adapter& a) { return a.setPairwiseMasterKey(key), true; });
  for (;;) {
    if (!round(generation)) return;
    Join j = join();
    if (j.connected) return succeed({});
    if (j.failed) return fail(AC_STATUS_INVALID_CREDENTIALS, false);
    if (!j.alive) return;
  }
}

void SupplicantPort::eapExchange(const WorldNetwork& network, uint64_t generation) {
  SupplicantLibrary& library = SupplicantLibrary::instance();
  SupplicantServer server(network, machine().world().certificates, library.serverPassword(network));
  const WorldEap& eap = network.eap;
  // After the credentials were refused on this network the password is
  // asked for as a retry, which the program answers afresh.
  uint32_t passwordKind = AC_REQ_PASSWORD;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (refusedOn_ == network.ssid) passwordKind = AC_REQ_RETRY_PASSWORD;
  }
  if (!step(AC_REQ_SESSION_START, 0, generation)) return;
  auto outer = step(AC_REQ_IDENTITY, 0, generation);
  if (!outer) return;
  std::string outerIdentity = outer->identity.value_or("");
  {
    std::lock_guard<std::mutex> lock(mutex_);
    outerIdentity_ = outerIdentity;
  }
  if (eap.timeoutMs > 0) {  // the server never answers
    if (rounds(generation, eap.timeoutMs)) fail(AC_STATUS_TIMEOUT, true);
    return;
  }
  auto offer = step(AC_REQ_EAP_METHODS, 0, generation);
  if (!offer) return;
  uint32_t method = server.choose(offer->methods.value_or(std::vector<uint32_t>{}));
  if (!network.eapAccepts || method == 0) return fail(AC_STATUS_REJECTED, true);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    method_ = method;
  }
  setState(AC_STATE_AUTHENTICATING);

  // What the client has shown so far.
  std::string identity = outerIdentity;
  std::optional<std::string> password;
  std::optional<bool> innerFits;
  bool serverRefused = false;
  bool provisioning = false;
  uint32_t phase = 0;
  auto verifyServer = [&]() {
    auto r = step(AC_REQ_SERVER_VERIFY, 0, generation);
    if (r && r->serverResult && *r->serverResult == 0) serverRefused = true;
    return r != nullptr;
  };
  auto inner = [&](bool methods) {
    phase = 1;
    auto id = step(AC_REQ_IDENTITY, 1, generation);
    if (!id) return false;
    if (id->identity) identity = *id->identity;
    if (methods) {
      auto m = step(AC_REQ_EAP_METHODS, 1, generation);
      if (!m) return false;
      const std::vector<uint32_t> offered = m->methods.value_or(std::vector<uint32_t>{});
      innerFits = std::any_of(offered.begin(), offered.end(), [&](uint32_t t) { return server.innerFits(t); });
    }
    auto pw = step(passwordKind, 1, generation);
    if (!pw) return false;
    password = pw->password;
    return true;
  };

  switch (method) {
    case kEapPeap:
      if (!verifyServer() || !inner(true)) return;
      break;
    case kEapTtls: {
      if (!verifyServer()) return;
      auto t = step(AC_REQ_TTLS_METHOD, 0, generation);
      if (!t) return;
      innerFits = t->tunnelMethod && server.innerFits(*t->tunnelMethod);
      if (!inner(false)) return;
      break;
    }
    case kEapTls: {
      if (!verifyServer()) return;
      auto c = step(AC_REQ_USER_CERT, 0, generation);
      if (!c) return;
      if (!c->certificate || !server.clientCertificateFits(*c->certificate, utcSeconds()))
        return fail(AC_STATUS_REJECTED, true);
      break;
    }
    case kEapFast: {
      auto types = step(AC_REQ_FAST_PAC_TYPES, 0, generation);
      if (!types) return;
      auto modes = step(AC_REQ_FAST_PROVISION_MODES, 0, generation);
      if (!modes) return;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        fastMode_ = 2;
      }
      auto pac = step(AC_REQ_FAST_PAC, 0, generation);
      if (!pac) return;
      if (pac->pac) {
        if (int verdict = server.checkPac(pac->pac->first, pac->pac->second, utcSeconds()))
          return fail(static_cast<uint32_t>(verdict), true);
      } else {
        if (modes->provisionModes.empty()) return fail(AC_STATUS_REJECTED, true);
        provisioning = true;
        {
          std::lock_guard<std::mutex> lock(mutex_);
          fastMode_ = 1;
        }
        if (!verifyServer()) return;
      }
      if (!inner(true)) return;
      break;
    }
    default:  // MD5, LEAP: the password of the outer identity
      if (auto pw = step(passwordKind, 0, generation)) {
        password = pw->password;
        break;
      }
      return;
  }

  if (serverRefused) return fail(AC_STATUS_REJECTED, true);
  bool needsPassword = method != kEapTls;
  const bool refused = !server.identityFits(identity) || (needsPassword && (!password || !server.passwordFits(*password)));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    refusedOn_ = refused ? network.ssid : std::string();
  }
  if (refused) return fail(AC_STATUS_INVALID_CREDENTIALS, true);
  if (innerFits && !*innerFits) return fail(AC_STATUS_REJECTED, true);
  if (provisioning) {
    auto store = ask(AC_REQ_FAST_PAC_STORE, 0, generation);  // answered with the new PAC in hand
    if (!store) return;
    setState(AC_STATE_PROGRESS, AC_STATUS_FAST_PROVISIONED);
  }
  if (eap.passwordChange && needsPassword) {
    auto change = step(AC_REQ_CHANGE_PASSWORD, phase, generation);
    if (!change) return;
    if (change->password) {
      server.changePassword(*change->password);
      library.setServerPassword(network.ssid, *change->password);
    }
  }
  if (!round(generation)) return;
  succeed(server.sessionKey(identity));
}

int SupplicantPort::withRequest(const AC_CRED_REQUEST* request, std::initializer_list<uint32_t> kinds,
                                const std::function<int(SupplicantRequest&)>& answer) {
  if (!request) return AC_ERR_INVALID_PARAM;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!pending_ || pending_->record.id != request->id || pending_->complete) return AC_ERR_INVALID_HANDLE;
  if (std::find(kinds.begin(), kinds.end(), pending_->record.kind) == kinds.end()) return AC_ERR_ANSWER_IGNORED;
  return answer(*pending_);
}

int SupplicantPort::deferred(const AC_CRED_REQUEST* request) {
  if (!request) return AC_ERR_INVALID_PARAM;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!pending_ || pending_->record.id != request->id || pending_->complete) return AC_ERR_INVALID_HANDLE;
  pending_->deferred = true;
  return AC_OK;
}

int SupplicantPort::complete(const AC_CRED_REQUEST* request) {
  if (!request) return AC_ERR_INVALID_PARAM;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!pending_ || pending_->record.id != request->id || pending_->complete) return AC_ERR_INVALID_HANDLE;
  pending_->complete = true;
  cv_.notify_all();
  return AC_OK;
}

std::optional<WorldNetwork> SupplicantPort::exchangeNetwork() {
  std::lock_guard<std::mutex> lock(mutex_);
  return network_;
}

uint32_t SupplicantPort::exchangeMethod() {
  std::lock_guard<std::mutex> lock(mutex_);
  return method_;
}

std::string SupplicantPort::pacIdentity() {
  std::lock_guard<std::mutex> lock(mutex_);
  return pacIdentityOf(outerIdentity_);
}

uint32_t SupplicantPort::fastMode() {
  std::lock_guard<std::mutex> lock(mutex_);
  return fastMode_;
}

void SupplicantPort::raise(uint32_t kind, uint32_t phase) {
  std::lock_guard<std::mutex> lock(mutex_);
  raised_.emplace_back(kind, phase);
  cv_.notify_all();
}

bool SupplicantPort::settled() {
  std::lock_guard<std::mutex> lock(mutex_);
  switch (wait_) {
    case Wait::Idle: return !kicked_ && raised_.empty();
    case Wait::Round: return clock().tickMs() < roundEnd_ && !aborted(generation_);
    case Wait::Answer: return true;
    case Wait::Busy: return false;
  }
  return false;
}

void SupplicantPort::setPsk(const std::string& key) {
  std::lock_guard<std::mutex> lock(mutex_);
  psk_ = key;
}

int SupplicantPort::authenticate() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (started_) return AC_ERR_ALREADY;
  started_ = true;
  kicked_ = true;
  cv_.notify_all();
  return AC_OK;
}

int SupplicantPort::associate(const AC_ASSOCIATION& association) {
  static const std::pair<uint32_t, uint32_t> kAuth[] = {{1, kAuthShared}, {2, kAuthOpen},  {10, kAuthWpa},
                                                        {11, kAuthWpaPsk}, {20, kAuthWpa2}, {21, kAuthWpa2Psk}};
  static const std::pair<uint32_t, uint32_t> kCipher[] = {
      {1, kWepDisabled}, {2, kWepEnabled}, {3, kTkipEnabled}, {4, kAesEnabled}};
  auto auth = std::find_if(std::begin(kAuth), std::end(kAuth), [&](auto& p) { return p.first == association.authMode; });
  auto cipher = std::find_if(std::begin(kCipher), std::end(kCipher), [&](auto& p) { return p.first == association.cipher; });
  if (association.ssidLength > 32 || auth == std::end(kAuth) || cipher == std::end(kCipher)) return AC_ERR_INVALID_PARAM;
  if (guid_.empty()) return AC_ERR_FAILED;  // the wired port has no radio
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    started_ = true;
    kicked_ = true;
    cv_.notify_all();
  }
  std::string ssid(reinterpret_cast<const char*>(association.ssid), association.ssidLength);
  bool done = withAdapter([&](Adapter& a) {
    if (!a.present()) return false;
    // A second association ends the first one before it starts.
    if (a.associatedNetwork() || a.joining()) a.disassociate();
    a.infrastructureMode = 1;
    a.authMode = auth->second;
    a.encryptionStatus = cipher->second;
    if (association.authMode >= 10) a.clearKeys();  // the exchange brings the key
    a.associate(ssid, std::nullopt);
    return true;
  });
  return done ? AC_OK : AC_ERR_FAILED;
}

int SupplicantPort::disassociate() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    kicked_ = true;
    cv_.notify_all();
  }
  return withAdapter([](Adapter& a) {
    if (!a.associatedNetwork() && !a.joining()) return AC_ERR_ALREADY;
    a.disassociate();
    return AC_OK;
  });
}

int SupplicantPort::stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++generation_;
  started_ = false;
  if (state_ != AC_STATE_AUTHENTICATED) state_ = AC_STATE_IDLE;
  cv_.notify_all();
  return AC_OK;
}

uint32_t SupplicantPort::linkState() {
  if (guid_.empty()) return AC_LINK_DOWN;
  return withAdapter([](Adapter& a) { return a.associatedNetwork() ? uint32_t{AC_LINK_UP} : uint32_t{AC_LINK_DOWN}; });
}

uint32_t SupplicantPort::state() {
  std::lock_guard<std::mutex> lock(mutex_);
  return state_;
}

uint32_t SupplicantPort::status() {
  std::lock_guard<std::mutex> lock(mutex_);
  return status_;
}

int SupplicantPort::ccxRadioConfig(uint32_t flags) {
  int version = withAdapter([](Adapter& a) { return a.config().ccx; });
  if (version <= 0) return AC_ERR_NOT_CCX;
  if (version == 1) return AC_ERR_NO_RADIO_CFG;
  uint32_t supported = AC_CCX_MIXED_CELL | AC_CCX_NETWORK_EAP | AC_CCX_ROGUE_AP;
  if (version >= 3) supported |= AC_CCX_FAST_ROAM;
  if (version >= 4) supported |= AC_CCX_RADIO_MEAS;
  std::lock_guard<std::mutex> lock(mutex_);
  radioFlags_ = flags & supported;
  return radioFlags_ == flags ? AC_OK : AC_ERR_RADIO_CFG_CHANGED;
}

uint32_t SupplicantPort::radioConfig() {
  std::lock_guard<std::mutex> lock(mutex_);
  return radioFlags_;
}

int SupplicantPort::ccxEnable(bool on) {
  if (withAdapter([](Adapter& a) { return a.config().ccx; }) <= 0) return AC_ERR_NOT_CCX;
  std::lock_guard<std::mutex> lock(mutex_);
  ccxOn_ = on;
  return AC_OK;
}

int SupplicantPort::ccxRogueApTimeout(uint32_t seconds) {
  if (withAdapter([](Adapter& a) { return a.config().ccx; }) <= 0) return AC_ERR_NOT_CCX;
  std::lock_guard<std::mutex> lock(mutex_);
  rogueTimeout_ = seconds;
  return AC_OK;
}

int SupplicantPort::ipConnected(int& connected) {
  connected = withAdapter([](Adapter& a) { return a.connected(); }) ? 1 : 0;
  return AC_OK;
}

int SupplicantPort::dhcpEnabled(int& enabled) {
  std::optional<WorldNetwork> n = withAdapter([](Adapter& a) {
    const WorldNetwork* net = a.network();
    return net ? std::optional<WorldNetwork>(*net) : std::nullopt;
  });
  if (!n) return AC_ERR_FAILED;
  enabled = n->dhcp ? 1 : 0;
  return AC_OK;
}

int SupplicantPort::ipAddress(uint8_t address[4]) {
  std::optional<WorldNetwork> n = withAdapter([](Adapter& a) {
    const WorldNetwork* net = a.network();
    return net ? std::optional<WorldNetwork>(*net) : std::nullopt;
  });
  std::fill(address, address + 4, 0);
  if (!n) return AC_OK;
  uint64_t from;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A link this port did not authenticate (an open network) counts from the first look.
    if (addressFrom_ == UINT64_MAX) addressFrom_ = clock().tickMs() + n->dhcpDelayMs;
    from = addressFrom_;
  }
  // A static address holds from the link on; DHCP answers after its delay.
  if (!n->dhcp || (from != UINT64_MAX && clock().tickMs() >= from)) std::copy(n->address.begin(), n->address.end(), address);
  return AC_OK;
}

int SupplicantPort::dhcpRenew() {
  std::optional<WorldNetwork> n = withAdapter([](Adapter& a) {
    const WorldNetwork* net = a.network();
    return net ? std::optional<WorldNetwork>(*net) : std::nullopt;
  });
  if (!n) return AC_ERR_FAILED;
  if (!n->dhcp) return AC_ERR_ALREADY;
  std::lock_guard<std::mutex> lock(mutex_);
  addressFrom_ = clock().tickMs() + n->dhcpDelayMs;
  return AC_OK;
}

}  // namespace wavorel::sim
