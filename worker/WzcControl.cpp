// Hand-over of the adapter to and from the Zero Configuration service
// "WZCSVC": its state and start type through the service control manager,
// and its per-interface "ControlFlags" in the registry.
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr const char* kServiceName = "WZCSVC";
constexpr const char* kInterfacesKey = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
constexpr DWORD kManagedByService = 0x8000;
// A stop in progress is waited for at most this long before the restart, and
// a start at most as long before the hand-over counts as done.
constexpr int kStopWaitSteps = 50;
constexpr DWORD kStopWaitStepMs = 100;

// The manager and the service, opened with all access; closed on the way out.
class ServiceHandles {
 public:
  ServiceHandles() {
    manager_ = OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager_) service_ = OpenService(manager_, kServiceName, SERVICE_ALL_ACCESS);
  }
  ~ServiceHandles() {
    if (service_) CloseServiceHandle(service_);
    if (manager_) CloseServiceHandle(manager_);
  }
  ServiceHandles(const ServiceHandles&) = delete;
  ServiceHandles& operator=(const ServiceHandles&) = delete;

  bool open() const { return service_ != nullptr; }
  SC_HANDLE service() const { return service_; }
  bool state(DWORD& out) const {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service_, &status)) return false;
    out = status.dwCurrentState;
    return true;
  }
  void setStartType(DWORD startType) const {
    ChangeServiceConfig(service_, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr);
  }

 private:
  SC_HANDLE manager_ = nullptr;
  SC_HANDLE service_ = nullptr;
};

bool activeState(DWORD state) { return state == SERVICE_RUNNING || state == SERVICE_START_PENDING; }

// Sets or clears the service's claim on the adapter, stopping an active
// service first; a key or value that cannot be used changes nothing.
void setInterfaceFlag(DWORD state, int enable) {
  REGSAM access = KEY_ALL_ACCESS;
  if (g_nOsType >= 10 && IsWow64()) access |= KEY_WOW64_64KEY;
  HKEY key = nullptr;
  const CString path = CString(kInterfacesKey) + g_strAdapterGuid;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, access, &key) != ERROR_SUCCESS) return;
  DWORD flags = 0, type = 0, size = sizeof flags;
  if (RegQueryValueEx(key, "ControlFlags", nullptr, &type, reinterpret_cast<LPBYTE>(&flags), &size) ==
          ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof flags) {
    const bool managed = (flags & kManagedByService) != 0;
    if ((enable != 0) != managed) {
      if (activeState(state)) StopWzcService(0);
      flags = enable ? (flags | kManagedByService) : (flags & ~kManagedByService);
      RegSetValueEx(key, "ControlFlags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags);
    }
  }
  RegCloseKey(key);
}

}  // namespace

void StopWzcService(int restartType) {
  ServiceHandles wzc;
  if (!wzc.open()) return;
  DWORD state = 0;
  if (wzc.state(state) && state != SERVICE_STOPPED) {
    SERVICE_STATUS status{};
    ControlService(wzc.service(), SERVICE_CONTROL_STOP, &status);
  }
  if (restartType) wzc.setStartType(SERVICE_DEMAND_START);
}

void EnableWzcOnInterface(int enable) {
  ServiceHandles wzc;
  if (!wzc.open()) return;
  DWORD state = 0;
  if (!wzc.state(state)) return;
  setInterfaceFlag(state, enable);
  // The flag may have stopped the service: look again, and let a stop in
  // progress end so that the service can be started afresh.
  if (!wzc.state(state)) return;
  const auto waitWhile = [&wzc, &state](DWORD pending) {
    for (int step = 0; state == pending && step < kStopWaitSteps; ++step) {
      Sleep(kStopWaitStepMs);
      if (!wzc.state(state)) return false;
    }
    return true;
  };
  if (!waitWhile(SERVICE_STOP_PENDING)) return;
  if (activeState(state)) return;
  StartService(wzc.service(), 0, nullptr);
  wzc.setStartType(SERVICE_AUTO_START);
  // Until the service runs, the worker's next look at it would find it not
  // running and take the adapter back.
  if (wzc.state(state)) waitWhile(SERVICE_START_PENDING);
}
