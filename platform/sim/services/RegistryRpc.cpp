// The RPC run-time over the machine's local services: string bindings,
// binding handles, the management probe and client calls. Binding handles
// live in a table and are reset with the platform state.
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/sim/services/RegistryRpcService.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"

namespace {

struct Binding {
  std::string endpoint;
  ULONG authnLevel = 0;
  ULONG authnService = 0;
};

struct Bindings {
  std::mutex mutex;
  std::map<uintptr_t, Binding> byHandle;
  uintptr_t next = 0x52500001;
};

Bindings& bindings() {
  static Bindings b;
  return b;
}

const bool g_reset = (wavorel::registerStateReset([] {
                        std::lock_guard<std::mutex> lock(bindings().mutex);
                        bindings().byHandle.clear();
                      }),
                      true);

std::string text(RPC_CSTR s) { return s ? reinterpret_cast<const char*>(s) : ""; }

// The endpoint of a binding, or false for a handle that is not one.
bool endpointOf(RPC_BINDING_HANDLE h, std::string& endpoint) {
  std::lock_guard<std::mutex> lock(bindings().mutex);
  auto it = bindings().byHandle.find(reinterpret_cast<uintptr_t>(h));
  if (it == bindings().byHandle.end()) return false;
  endpoint = it->second.endpoint;
  return true;
}

bool serving(const std::string& endpoint) {
  return endpoint == wavorel::sim::kRegistryServiceEndpoint && wavorel::sim::registryServiceListening();
}

}  // namespace

RPC_STATUS RpcStringBindingCompose(RPC_CSTR ObjUuid, RPC_CSTR ProtSeq, RPC_CSTR NetworkAddr, RPC_CSTR Endpoint,
                                   RPC_CSTR Options, RPC_CSTR* StringBinding) {
  if (!StringBinding) return RPC_S_INVALID_STRING_BINDING;
  std::string s;
  if (!text(ObjUuid).empty()) s += text(ObjUuid) + "@";
  if (!text(ProtSeq).empty()) s += text(ProtSeq) + ":";
  s += text(NetworkAddr);
  if (!text(Endpoint).empty() || !text(Options).empty()) {
    s += "[" + text(Endpoint);
    if (!text(Options).empty()) s += "," + text(Options);
    s += "]";
  }
  auto* out = static_cast<unsigned char*>(std::malloc(s.size() + 1));
  if (!out) return ERROR_OUTOFMEMORY;
  std::memcpy(out, s.c_str(), s.size() + 1);
  *StringBinding = out;
  return RPC_S_OK;
}

RPC_STATUS RpcStringFree(RPC_CSTR* String) {
  if (!String) return RPC_S_INVALID_STRING_BINDING;
  std::free(*String);
  *String = nullptr;
  return RPC_S_OK;
}

RPC_STATUS RpcBindingFromStringBinding(RPC_CSTR StringBinding, RPC_BINDING_HANDLE* Binding) {
  if (!Binding) return RPC_S_INVALID_BINDING;
  *Binding = nullptr;
  std::string s = text(StringBinding);
  size_t at = s.find('@');
  if (at != std::string::npos) s.erase(0, at + 1);
  size_t colon = s.find(':');
  if (colon == std::string::npos) return RPC_S_INVALID_STRING_BINDING;
  if (s.compare(0, colon, "ncalrpc") != 0) return RPC_S_PROTSEQ_NOT_SUPPORTED;
  std::string rest = s.substr(colon + 1);
  size_t open = rest.find('[');
  std::string endpoint;
  if (open != std::string::npos) {
    if (rest.back() != ']') return RPC_S_INVALID_STRING_BINDING;
    endpoint = rest.substr(open + 1, rest.size() - open - 2);
    endpoint = endpoint.substr(0, endpoint.find(','));
  }
  std::lock_guard<std::mutex> lock(bindings().mutex);
  uintptr_t handle = bindings().next++;
  bindings().byHandle[handle].endpoint = endpoint;
  *Binding = reinterpret_cast<RPC_BINDING_HANDLE>(handle);
  return RPC_S_OK;
}

RPC_STATUS RpcBindingSetAuthInfo(RPC_BINDING_HANDLE Binding, RPC_CSTR, ULONG AuthnLevel, ULONG AuthnSvc, void*,
                                 ULONG) {
  if (AuthnSvc != RPC_C_AUTHN_WINNT && AuthnSvc != 0) return RPC_S_UNKNOWN_AUTHN_SERVICE;
  std::lock_guard<std::mutex> lock(bindings().mutex);
  auto it = bindings().byHandle.find(reinterpret_cast<uintptr_t>(Binding));
  if (it == bindings().byHandle.end()) return RPC_S_INVALID_BINDING;
  it->second.authnLevel = AuthnLevel;
  it->second.authnService = AuthnSvc;
  return RPC_S_OK;
}

RPC_STATUS RpcBindingFree(RPC_BINDING_HANDLE* Binding) {
  if (!Binding) return RPC_S_INVALID_BINDING;
  std::lock_guard<std::mutex> lock(bindings().mutex);
  if (bindings().byHandle.erase(reinterpret_cast<uintptr_t>(*Binding)) == 0) return RPC_S_INVALID_BINDING;
  *Binding = nullptr;
  return RPC_S_OK;
}

RPC_STATUS RpcMgmtIsServerListening(RPC_BINDING_HANDLE Binding) {
  std::string endpoint;
  if (!endpointOf(Binding, endpoint)) return RPC_S_INVALID_BINDING;
  return serving(endpoint) ? RPC_S_OK : RPC_S_NOT_LISTENING;
}

LONG NdrClientCall2(RPC_BINDING_HANDLE Binding, unsigned procNum, const std::vector<wavorel::RpcArgument>& args) {
  std::string endpoint;
  if (!endpointOf(Binding, endpoint)) return RPC_S_INVALID_BINDING;
  if (!serving(endpoint)) return RPC_S_SERVER_UNAVAILABLE;
  return wavorel::sim::callRegistryService(procNum, args);
}
