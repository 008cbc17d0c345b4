#include "platform/sim/services/SupplicantLibrary.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

namespace {

const bool g_reset = (registerStateReset([] { SupplicantLibrary::instance().reset(); }), true);

std::string deviceName(const std::string& guid) { return "\\DEVICE\\" + guid; }

}  // namespace

SupplicantLibrary& SupplicantLibrary::instance() {
  static SupplicantLibrary library;
  (void)g_reset;
  return library;
}

void SupplicantLibrary::force(const std::string& call, int status, int times) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (times > 0)
    forced_[call] = {status, times};
  else
    forced_.erase(call);
}

std::optional<int> SupplicantLibrary::forced(const char* call) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = forced_.find(call);
  if (it == forced_.end()) return std::nullopt;
  int status = it->second.first;
  if (--it->second.second <= 0) forced_.erase(it);
  return status;
}

int SupplicantLibrary::init(const AC_INIT* init) {
  if (!init || !init->eventCallback || init->netCallback != &acNetCallback) return AC_ERR_INVALID_PARAM;
  AC_EVENT_CALLBACK callback;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    initialized_ = true;
    eventCallback_ = callback = init->eventCallback;
  }
  callback(AC_EVENT_INIT);
  return AC_OK;
}

int SupplicantLibrary::initStep(int step) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!initialized_) return AC_ERR_NOT_INITIALIZED;
  if (steps_[step]) return AC_ERR_ALREADY;
  steps_[step] = true;
  return AC_OK;
}

int SupplicantLibrary::netEvent(int event) {
  if (event != AC_NET_EVENT_ADAPTERS_CHANGED) return AC_ERR_INVALID_PARAM;
  AC_EVENT_CALLBACK callback;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) return AC_ERR_NOT_INITIALIZED;
    callback = eventCallback_;
  }
  callback(AC_EVENT_PORTS_CHANGED);
  return AC_OK;
}

std::vector<SupplicantLibrary::PortName> SupplicantLibrary::portNames() {
  std::vector<PortName> names;
  {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    if (Machine* m = machineIfLoaded())
      for (size_t i = 0; i < m->adapterCount(); ++i)
        if (m->adapter(i).present()) names.push_back({deviceName(m->adapter(i).guid()), m->adapter(i).guid()});
  }
  names.push_back({kWiredPortName, ""});
  names.push_back({kWanPortName, ""});
  return names;
}

int SupplicantLibrary::nextPortName(char* name, uint32_t size) {
  if (!name || size == 0) return AC_ERR_INVALID_PARAM;
  std::string previous(name, strnlen(name, size));
  std::vector<PortName> names = portNames();
  size_t next = 0;
  if (!previous.empty()) {
    auto it = std::find_if(names.begin(), names.end(), [&](const PortName& p) { return p.name == previous; });
    if (it == names.end()) return AC_ERR_NOT_FOUND;
    next = static_cast<size_t>(it - names.begin()) + 1;
  }
  if (next >= names.size()) return AC_ERR_NOT_FOUND;
  if (names[next].name.size() + 1 > size) return AC_ERR_BUFFER_TOO_SMALL;
  std::memcpy(name, names[next].name.c_str(), names[next].name.size() + 1);
  return AC_OK;
}

int SupplicantLibrary::attributes(const char* name, AC_PORT_ATTR* attr) {
  if (!name || !attr) return AC_ERR_INVALID_PARAM;
  if (std::strcmp(name, kWanPortName) == 0) return AC_ERR_ALREADY;
  AC_PORT_ATTR out{};
  out.mtu = 1500;
  if (std::strcmp(name, kWiredPortName) == 0) {
    std::strncpy(out.name, kWiredPortDescription, sizeof out.name - 1);
    std::copy(kWiredPortMac.begin(), kWiredPortMac.end(), out.mac);
    out.capabilities = AC_CAP_8023 | AC_CAP_ENCR_NONE | AC_CAP_AUTH_OPEN;
    *attr = out;
    return AC_OK;
  }
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Machine* m = machineIfLoaded();
  for (size_t i = 0; m && i < m->adapterCount(); ++i) {
    Adapter& a = m->adapter(i);
    if (!a.present() || deviceName(a.guid()) != name) continue;
    const WorldAdapter& c = a.config();
    std::strncpy(out.name, c.description.c_str(), sizeof out.name - 1);
    std::copy(c.mac.begin(), c.mac.end(), out.mac);
    out.capabilities = AC_CAP_80211B | AC_CAP_80211G | (c.band5 ? AC_CAP_80211A : 0u) | (c.ht ? AC_CAP_80211N : 0u) |
                       AC_CAP_ENCR_NONE | AC_CAP_ENCR_WEP | AC_CAP_ENCR_TKIP | AC_CAP_ENCR_AES | AC_CAP_AUTH_OPEN |
                       AC_CAP_AUTH_SHARED | AC_CAP_AUTH_WPA_1X | AC_CAP_AUTH_WPA_PSK | AC_CAP_AUTH_11I_1X |
                       AC_CAP_AUTH_11I_PSK;
    out.ccxVersion = c.ccx;
    if (c.ccx >= 1) out.extra |= AC_EXTRA_CMIC | AC_EXTRA_CKIP;
    if (c.ccx >= 2) out.extra |= AC_EXTRA_WPA_CCKM | AC_EXTRA_11I_CCKM;
    *attr = out;
    return AC_OK;
  }
  return AC_ERR_NOT_FOUND;
}

int SupplicantLibrary::attach(AC_HANDLE* handle, const char* name, const AC_PORT_CALLBACKS* callbacks) {
  if (!handle || !name || !callbacks) return AC_ERR_INVALID_PARAM;
  *handle = 0;
  std::vector<PortName> names = portNames();
  auto it = std::find_if(names.begin(), names.end(), [&](const PortName& p) { return p.name == name; });
  if (it == names.end()) return AC_ERR_NOT_FOUND;
  if (it->name == kWanPortName) return AC_ERR_ALREADY;  // a port without attributes is never attached
  std::shared_ptr<SupplicantPort> port;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_) return AC_ERR_NOT_INITIALIZED;
    for (auto& [h, p] : ports_)
      if (p->guid() == it->guid && (!it->guid.empty() || it->name == kWiredPortName)) return AC_ERR_BUSY;
    port = std::make_shared<SupplicantPort>(it->guid, *callbacks);
    *handle = nextPort_++;
    ports_[*handle] = port;
  }
  port->startThread();
  return AC_OK;
}

int SupplicantLibrary::detach(AC_HANDLE handle) {
  std::shared_ptr<SupplicantPort> port;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = ports_.find(handle);
    if (it == ports_.end()) return AC_ERR_INVALID_HANDLE;
    port = it->second;
    ports_.erase(it);
  }
  port->shutdown();
  return AC_OK;
}

std::shared_ptr<SupplicantPort> SupplicantLibrary::port(AC_HANDLE handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = ports_.find(handle);
  return it == ports_.end() ? nullptr : it->second;
}

AC_OBJECT SupplicantLibrary::add(SupplicantObject object) {
  std::lock_guard<std::mutex> lock(mutex_);
  AC_OBJECT id = nextObject_++;
  objects_[id] = std::move(object);
  return id;
}

std::optional<SupplicantObject> SupplicantLibrary::object(AC_OBJECT id, SupplicantObject::Kind kind) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = objects_.find(id);
  if (it == objects_.end() || it->second.kind != kind) return std::nullopt;
  return it->second;
}

int SupplicantLibrary::destroy(AC_OBJECT id, SupplicantObject::Kind kind) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = objects_.find(id);
  if (it == objects_.end() || it->second.kind != kind) return AC_ERR_INVALID_HANDLE;
  objects_.erase(it);
  return AC_OK;
}

std::string SupplicantLibrary::serverPassword(const WorldNetwork& network) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = passwords_.find(network.ssid);
  return it == passwords_.end() ? network.eap.password : it->second;
}

void SupplicantLibrary::setServerPassword(const std::string& ssid, const std::string& password) {
  std::lock_guard<std::mutex> lock(mutex_);
  passwords_[ssid] = password;
}

bool SupplicantLibrary::settled() {
  std::vector<std::shared_ptr<SupplicantPort>> ports;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& [h, p] : ports_) ports.push_back(p);
  }
  return std::all_of(ports.begin(), ports.end(), [](auto& p) { return p->settled(); });
}

void SupplicantLibrary::reset() {
  std::map<AC_HANDLE, std::shared_ptr<SupplicantPort>> ports;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ports.swap(ports_);
    forced_.clear();
    initialized_ = false;
    std::fill(std::begin(steps_), std::end(steps_), false);
    eventCallback_ = nullptr;
    objects_.clear();
    passwords_.clear();
  }
  for (auto& [h, p] : ports) p->shutdown();
}

void forceSupplicantStatus(const std::string& call, int status, int times) {
  SupplicantLibrary::instance().force(call, status, times);
}

void raiseSupplicantRequest(AC_HANDLE port, uint32_t kind, uint32_t phase) {
  if (auto p = SupplicantLibrary::instance().port(port)) p->raise(kind, phase);
}

bool settleSupplicant() {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  // Settled twice in a row: a thread between two waits is not mistaken for one at rest.
  int calm = 0;
  while (std::chrono::steady_clock::now() < until) {
    calm = SupplicantLibrary::instance().settled() ? calm + 1 : 0;
    if (calm >= 2) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

}  // namespace wavorel::sim
