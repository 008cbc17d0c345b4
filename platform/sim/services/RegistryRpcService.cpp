#include "platform/sim/services/RegistryRpcService.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/registry/Registry.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

namespace {

constexpr unsigned kSetValue = 3;
constexpr unsigned kCreateKey = 4;

// What a test set with setRegistryServiceListening, over the world's setting.
std::mutex g_overrideMutex;
std::optional<bool> g_override;
std::mutex g_callsMutex;
std::vector<RegistryServiceCall> g_calls;
const bool g_reset = (registerStateReset([] {
                        {
                          std::lock_guard<std::mutex> lock(g_overrideMutex);
                          g_override.reset();
                        }
                        clearRegistryServiceCalls();
                      }),
                      true);

bool fits(const std::vector<RpcArgument>& args, const std::vector<bool>& texts) {
  if (args.size() != texts.size()) return false;
  for (size_t i = 0; i < args.size(); ++i)
    if (args[i].isText != texts[i]) return false;
  return true;
}

// (key path, value name, type, data, data size): the data is the string's
// bytes with its terminator, cut to the size given.
LONG setValue(const std::vector<RpcArgument>& args) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyEx(HKEY_LOCAL_MACHINE, args[0].text.c_str(), 0, nullptr, 0,
                               KEY_WRITE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  const std::string& data = args[3].text;
  DWORD size = std::min<DWORD>(args[4].number, static_cast<DWORD>(data.size() + 1));
  status = RegSetValueEx(key, args[1].text.c_str(), 0, args[2].number, reinterpret_cast<const BYTE*>(data.c_str()),
                         size);
  RegCloseKey(key);
  return status;
}

LONG createKey(const std::vector<RpcArgument>& args) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyEx(HKEY_LOCAL_MACHINE, args[0].text.c_str(), 0, nullptr, 0,
                               KEY_WRITE, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return status;
}

}  // namespace

void setRegistryServiceListening(bool listening) {
  std::lock_guard<std::mutex> lock(g_overrideMutex);
  g_override = listening;
}

bool registryServiceListening() {
  {
    std::lock_guard<std::mutex> lock(g_overrideMutex);
    if (g_override) return *g_override;
  }
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Machine* m = machineIfLoaded();
  return !m || m->world().registryServiceListening;
}

LONG callRegistryService(unsigned procedure, const std::vector<RpcArgument>& args) {
  {
    std::lock_guard<std::mutex> lock(g_callsMutex);
    g_calls.push_back({procedure, args});
  }
  RegistryServiceRights rights;
  if (procedure == kSetValue) {
    if (!fits(args, {true, true, false, true, false})) return RPC_X_BAD_STUB_DATA;
    return setValue(args);
  }
  if (procedure == kCreateKey) {
    if (!fits(args, {true})) return RPC_X_BAD_STUB_DATA;
    return createKey(args);
  }
  return RPC_S_PROCNUM_OUT_OF_RANGE;
}

std::vector<RegistryServiceCall> registryServiceCalls() {
  std::lock_guard<std::mutex> lock(g_callsMutex);
  return g_calls;
}

void clearRegistryServiceCalls() {
  std::lock_guard<std::mutex> lock(g_callsMutex);
  g_calls.clear();
}

}  // namespace wavorel::sim
