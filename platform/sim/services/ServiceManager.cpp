#include "platform/sim/services/ServiceManager.h"

#include <strings.h>

#include <map>
#include <mutex>

#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/registry/Registry.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/services/Services.h"

namespace wavorel::sim {

namespace {

constexpr const char* kInterfacesKey = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
constexpr DWORD kManagerReadRights = SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE | SC_MANAGER_QUERY_LOCK_STATUS;
constexpr DWORD kServiceReadRights = SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS |
                                     SERVICE_INTERROGATE | SERVICE_USER_DEFINED_CONTROL | 0x00020000;

struct Service {
  uint32_t state = SERVICE_RUNNING;
  uint32_t startType = SERVICE_AUTO_START;
  uint64_t pendingUntil = 0;  // end of a pending state

  void settle() {
    if ((state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING) && clock().tickMs() >= pendingUntil)
      state = state == SERVICE_START_PENDING ? SERVICE_RUNNING : SERVICE_STOPPED;
  }
};

struct OpenHandle {
  std::string service;  // empty: the manager
  DWORD access = 0;
};

struct Manager {
  std::mutex mutex;
  std::map<std::string, Service> services = {{"WZCSVC", Service{}}};
  std::map<uintptr_t, OpenHandle> handles;
  uintptr_t next = 0x53430001;
  bool interfacesWritten = false;
};

Manager& manager() {
  static Manager m;
  return m;
}

const bool g_reset = (registerStateReset([] {
                        Manager& m = manager();
                        std::lock_guard<std::mutex> lock(m.mutex);
                        m.services = {{"WZCSVC", Service{}}};
                        m.handles.clear();
                        m.interfacesWritten = false;
                      }),
                      true);

// The service writes its interface keys with its own rights.
void writeInterfaceKeys() {
  std::vector<std::string> guids;
  {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    if (Machine* m = machineIfLoaded())
      for (size_t i = 0; i < m->adapterCount(); ++i) guids.push_back(m->adapter(i).guid());
  }
  RegistryServiceRights rights;
  for (const std::string& guid : guids) {
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, (kInterfacesKey + guid).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr) != ERROR_SUCCESS)
      continue;
    if (RegQueryValueEx(key, "ControlFlags", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      DWORD flags = 0x8000;
      RegSetValueEx(key, "ControlFlags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags);
    }
    RegCloseKey(key);
  }
}

SC_HANDLE insert(Manager& m, OpenHandle h) {
  uintptr_t id = m.next++;
  m.handles.emplace(id, std::move(h));
  return reinterpret_cast<SC_HANDLE>(id);
}

// The open service of a handle with `access`, or nullptr with the last error set.
Service* serviceOf(Manager& m, SC_HANDLE h, DWORD access) {
  auto it = m.handles.find(reinterpret_cast<uintptr_t>(h));
  if (it == m.handles.end() || it->second.service.empty()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if ((it->second.access & access) != access) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  Service& s = m.services[it->second.service];
  s.settle();
  return &s;
}

void fill(const Service& s, LPSERVICE_STATUS out) {
  *out = SERVICE_STATUS{};
  out->dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
  out->dwCurrentState = s.state;
  out->dwControlsAccepted = s.state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  bool pending = s.state == SERVICE_START_PENDING || s.state == SERVICE_STOP_PENDING;
  out->dwCheckPoint = pending ? 1 : 0;
  out->dwWaitHint = pending ? static_cast<DWORD>(kServiceTransitionMs) : 0;
}

}  // namespace

bool serviceState(const std::string& name, ServiceState& out) {
  Manager& m = manager();
  std::lock_guard<std::mutex> lock(m.mutex);
  auto it = m.services.find(name);
  if (it == m.services.end()) return false;
  it->second.settle();
  out = {it->second.state, it->second.startType};
  return true;
}

}  // namespace wavorel::sim

using wavorel::sim::manager;

SC_HANDLE OpenSCManager(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) {
  if ((lpMachineName && *lpMachineName) || (lpDatabaseName && strcasecmp(lpDatabaseName, "ServicesActive") != 0)) {
    SetLastError(ERROR_INVALID_NAME);
    return nullptr;
  }
  if (!wavorel::runningAsAdministrator() && (dwDesiredAccess & ~wavorel::sim::kManagerReadRights)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  bool first = false;
  SC_HANDLE h;
  {
    auto& m = manager();
    std::lock_guard<std::mutex> lock(m.mutex);
    first = !m.interfacesWritten;
    m.interfacesWritten = true;
    h = wavorel::sim::insert(m, {"", dwDesiredAccess});
  }
  if (first) wavorel::sim::writeInterfaceKeys();
  return h;
}

SC_HANDLE OpenService(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) {
  auto& m = manager();
  std::lock_guard<std::mutex> lock(m.mutex);
  auto it = m.handles.find(reinterpret_cast<uintptr_t>(hSCManager));
  if (it == m.handles.end() || !it->second.service.empty()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!lpServiceName) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return nullptr;
  }
  for (auto& [name, service] : m.services) {
    if (strcasecmp(name.c_str(), lpServiceName) != 0) continue;
    if (!wavorel::runningAsAdministrator() && (dwDesiredAccess & ~wavorel::sim::kServiceReadRights)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
    return wavorel::sim::insert(m, {name, dwDesiredAccess});
  }
  SetLastError(ERROR_SERVICE_DOES_NOT_EXIST);
  return nullptr;
}

BOOL QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) {
  auto& m = manager();
  std::lock_guard<std::mutex> lock(m.mutex);
  auto* s = wavorel::sim::serviceOf(m, hService, SERVICE_QUERY_STATUS);
  if (!s) return FALSE;
  if (!lpServiceStatus) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  wavorel::sim::fill(*s, lpServiceStatus);
  return TRUE;
}

BOOL StartService(SC_HANDLE hService, DWORD /*dwNumServiceArgs*/, LPCSTR* /*lpServiceArgVectors*/) {
  auto& m = manager();
  std::lock_guard<std::mutex> lock(m.mutex);
  auto* s = wavorel::sim::serviceOf(m, hService, SERVICE_START);
  if (!s) return FALSE;
  if (s->startType == SERVICE_DISABLED) {
    SetLastError(ERROR_SERVICE_DISABLED);
    return FALSE;
  }
  if (s->state != SERVICE_STOPPED) {
    SetLastError(ERROR_SERVICE_ALREADY_RUNNING);
    return FALSE;
  }
  s->state = SERVICE_START_PENDING;
  s->pendingUntil = wavorel::clock().tickMs() + wavorel::sim::kServiceTransitionMs;
  return TRUE;
}

BOOL ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) {
  auto& m = manager();
  std::lock_guard<std::mutex> lock(m.mutex);
  DWORD access = dwControl == SERVICE_CONTROL_STOP ? SERVICE_STOP : SERVICE_INTERROGATE;
  auto* s = wavorel::sim::serviceOf(m, hService, access);
  if (!s) return FALSE;
  if (!lpServiceStatus) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  if (dwControl != SERVICE_CONTROL_STOP && dwControl != SERVICE_CONTROL_INTERROGATE) {
    SetLastError(ERROR_INVALID_SERVICE_CONTROL);
    return FALSE;
  }
  if (s->state == SERVICE_STOPPED) {
    SetLastError(ERROR_SERVICE_NOT_ACTIVE);
    return FALSE;
  }
  if (s->state != SERVICE_RUNNING) {
    wavorel::sim::fill(*s, lpServiceStatus);
    SetLastError(ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
    return FALSE;
  }
  if (dwControl == SERVICE_CONTROL_STOP) {
    s->state = SERVICE_STOP_PENDING;
    s->pendingUntil = wavorel::clock().tickMs() + wavorel::sim::kServiceTransitionMs;
  }
  wavorel::sim::fill(*s, lpServiceStatus);
  return TRUE;
}

BOOL ChangeServiceConfig(SC_HANDLE hService, DWORD /*dwServiceType*/, DWORD dwStartType, DWORD /*dwErrorControl*/,
                         LPCSTR, LPCSTR, LPDWORD, LPCSTR, LPCSTR, LPCSTR, LPCSTR) {
  auto& m = manager();
  std::lock_guard<std::mutex> lock(m.mutex);
  auto* s = wavorel::sim::serviceOf(m, hService, SERVICE_CHANGE_CONFIG);
  if (!s) return FALSE;
  if (dwStartType == SERVICE_NO_CHANGE) return TRUE;
  if (dwStartType < SERVICE_AUTO_START || dwStartType > SERVICE_DISABLED) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  s->startType = dwStartType;
  return TRUE;
}

BOOL CloseServiceHandle(SC_HANDLE hSCObject) {
  auto& m = manager();
  std::lock_guard<std::mutex> lock(m.mutex);
  if (!m.handles.erase(reinterpret_cast<uintptr_t>(hSCObject))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
