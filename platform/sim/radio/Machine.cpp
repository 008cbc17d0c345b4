#include "platform/sim/radio/Machine.h"

#include <cstdio>

#include "platform/sim/driver/CodeTable.h"
#include "platform/sim/driver/DriverDevice.h"
#include "platform/sim/driver/DriverFiles.h"
#include "platform/sim/radio/LinkMonitor.h"
#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Devices.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/registry/Registry.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/PlatformLog.h"

namespace wavorel::sim {

namespace {

std::unique_ptr<Machine> g_machine;
std::string g_refusal;  // why the world was refused, reported once

std::string devicePath(const std::string& guid) { return "\\\\.\\" + guid; }

// Device names are known before the machine loads, so that a device path
// opens (and loads the machine) even when nothing else touched it first.
// Names of an earlier world stay registered and find no adapter.
void registerDevices(const World& world) {
  for (const WorldAdapter& a : world.adapters) {
    std::string guid = a.guid;
    registerDevice(devicePath(guid), [guid]() -> std::shared_ptr<KernelObject> {
      std::lock_guard<std::recursive_mutex> lock(machineMutex());
      Machine* m = machineIfLoaded();
      if (!m) return nullptr;
      return m->open(guid);
    });
  }
}

void registerWorldDevices() {
  try {
    registerDevices(loadWorld());
  } catch (const WorldError&) {
    // Reported when the machine itself loads.
  }
}

const bool g_registered = (registerStateReset([] {
                             {
                               std::lock_guard<std::recursive_mutex> lock(machineMutex());
                               g_machine.reset();
                               g_refusal.clear();
                             }
                             registerWorldDevices();
                           }),
                           registerWorldDevices(), true);

// The driver's installer writes below HKEY_LOCAL_MACHINE whoever runs the program.
class InstallerRights {
 public:
  InstallerRights() : was_(runningAsAdministrator()) { setRunningAsAdministrator(true); }
  ~InstallerRights() { setRunningAsAdministrator(was_); }

 private:
  bool was_;
};

}  // namespace

std::recursive_mutex& machineMutex() {
  static std::recursive_mutex m;
  return m;
}

Machine::Machine(World world) : world_(std::move(world)) {
  uint64_t now = clock().tickMs();
  for (size_t i = 0; i < world_.adapters.size(); ++i) {
    std::vector<WorldClient> clients;
    for (const WorldClient& c : world_.clients)
      if (c.adapter == i) clients.push_back(c);
    adapters_.push_back(std::make_unique<Adapter>(world_.adapters[i], world_.networks, std::move(clients), now));
  }
  install();
}

std::string Machine::driverValue(const Adapter& a) const {
  char instance[8];
  std::snprintf(instance, sizeof instance, "%04u", a.config().classIndex % 10000);
  return std::string(kNetClassGuid) + "\\" + instance;
}

void Machine::install() {
  InstallerRights rights;
  for (const auto& a : adapters_) {
    installDriverFiles(a->config());
    std::string path = std::string(kClassRoot) + "\\" + driverValue(*a);
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      continue;
    auto setText = [key](const char* name, const std::string& text) {
      RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                    static_cast<DWORD>(text.size() + 1));
    };
    setText("NetCfgInstanceId", a->guid());
    setText("DriverDesc", a->config().description);
    // Values the program may have changed since keep their current data.
    for (const auto& [name, value] : a->config().driverValues) {
      if (RegQueryValueEx(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) continue;
      RegSetValueEx(key, name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
                    static_cast<DWORD>(value.data.size()));
    }
    RegCloseKey(key);
  }
  registerDevices(world_);
}

Adapter* Machine::findAdapter(const std::string& guid) {
  for (auto& a : adapters_)
    if (a->guid() == guid) return a.get();
  return nullptr;
}

void Machine::setPresent(const std::string& guid, bool present) {
  if (Adapter* a = findAdapter(guid)) a->setPresent(present);
}

void Machine::setHardwareRadio(const std::string& guid, bool on) {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Adapter* a = findAdapter(guid);
  if (!a) return;
  a->setHardwareRadio(on);
  checkLinks();
}

void Machine::failCode(uint32_t code, int times) { world_.faults.failCounts[code] = times; }

void Machine::shortAnswer(uint32_t code, uint32_t bytes) { world_.faults.shortAnswers[code] = bytes; }

void Machine::setOpenable(const std::string& guid, bool openable) {
  if (openable) {
    world_.faults.unopenable.erase(guid);
  } else {
    world_.faults.unopenable.insert(guid);
  }
}

std::shared_ptr<KernelObject> Machine::open(const std::string& guid) {
  Adapter* a = findAdapter(guid);
  if (!a || !a->present()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  if (world_.faults.unopenable.count(guid)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return std::make_shared<DriverDevice>(guid);
}

bool Machine::request(const std::string& guid, uint32_t code, uint8_t* buffer, uint32_t size, uint32_t& returned,
                      uint32_t& error) {
  DriverCall call;
  call.guid = guid;
  call.code = code;
  call.set = (code & kSetFlag) != 0;
  call.size = size;
  if (call.set) call.data.assign(buffer, buffer + size);
  returned = 0;
  error = ERROR_SUCCESS;
  Adapter* a = findAdapter(guid);
  auto fault = world_.faults.failCounts.find(code);
  const CodeBinding* binding = CodeTable::instance().find(code, size);
  if (!a || !a->present()) {
    error = ERROR_DEVICE_NOT_CONNECTED;
  } else if (fault != world_.faults.failCounts.end() && fault->second > 0) {
    if (--fault->second == 0) world_.faults.failCounts.erase(fault);
    error = ERROR_GEN_FAILURE;
  } else if (!binding) {
    // A number the driver knows with data that fits none of its records.
    error = CodeTable::instance().known(code) ? ERROR_INVALID_PARAMETER : ERROR_NOT_SUPPORTED;
  } else {
    // The handler answers into a copy, so a short answer never leaves more in
    // the caller's buffer than it reports.
    std::vector<uint8_t> work(buffer, buffer + size);
    OidRequest r{*a, call.set, work.data(), size};
    error = binding->handler(r);
    returned = r.returned;
    auto cut = world_.faults.shortAnswers.find(code);
    if (error == ERROR_SUCCESS && !call.set && cut != world_.faults.shortAnswers.end() && returned > cut->second)
      returned = cut->second;
    if (error == ERROR_SUCCESS && !call.set) std::copy(work.begin(), work.begin() + returned, buffer);
    if (error == ERROR_SUCCESS && !call.set) call.data.assign(buffer, buffer + returned);
  }
  if (error != ERROR_SUCCESS && error != ERROR_INSUFFICIENT_BUFFER) returned = 0;
  call.returned = returned;
  call.error = error;
  calls_.push_back(std::move(call));
  return error == ERROR_SUCCESS;
}

Machine& machine() {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  if (!g_machine) g_machine = std::make_unique<Machine>(loadWorld());
  return *g_machine;
}

Machine* machineIfLoaded() {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  if (g_machine) return g_machine.get();
  if (!g_refusal.empty()) return nullptr;
  try {
    return &machine();
  } catch (const WorldError& e) {
    g_refusal = e.what();
    wavorel::logNote("simulated machine: %s", e.what());
    return nullptr;
  }
}

std::vector<DriverCall> driverCalls() {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Machine* m = machineIfLoaded();
  return m ? m->calls() : std::vector<DriverCall>{};
}

void clearDriverCalls() {
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  if (Machine* m = machineIfLoaded()) m->calls().clear();
}

}  // namespace wavorel::sim
