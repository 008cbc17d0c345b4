#include "worker/vista/RegistryRpcClient.h"

#include <string>
#include <vector>

namespace {

// The binding every remote call uses.
RPC_BINDING_HANDLE g_hRegistryBinding = nullptr;

constexpr const char* kProtocolSequence = "ncalrpc";
constexpr const char* kEndpoint = "//.//NeroltRegistry_AP";

RPC_CSTR rpcText(const char* s) { return reinterpret_cast<RPC_CSTR>(const_cast<char*>(s)); }

// The service listens unless it says it does not (an unbound handle is asked
// all the same; its call then fails with the RPC status).
bool ServiceMayListen() { return RpcMgmtIsServerListening(g_hRegistryBinding) != RPC_S_NOT_LISTENING; }

// The value's `size` bytes as they travel to the service. A text need not
// end in a terminator (it is never read past its size), and binary data such
// as a REG_DWORD keeps its zero bytes, so the service writes what the direct
// call would have written.
std::string DataBytes(const BYTE* data, DWORD size) {
  if (!data) return std::string();
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace

CRegistryRpcClient::CRegistryRpcClient() { Bind(); }

CRegistryRpcClient::~CRegistryRpcClient() {
  if (bound) Unbind();
}

BOOL CRegistryRpcClient::Bind() {
  // A second Bind starts over, so nothing of the first binding is left behind.
  if (bound) Unbind();
  if (RpcStringBindingCompose(nullptr, rpcText(kProtocolSequence), nullptr, rpcText(kEndpoint), nullptr,
                              &stringBinding) != RPC_S_OK) {
    return FALSE;
  }
  if (RpcBindingFromStringBinding(stringBinding, &g_hRegistryBinding) != RPC_S_OK) {
    RpcStringFree(&stringBinding);
    return FALSE;
  }
  RpcBindingSetAuthInfo(g_hRegistryBinding, nullptr, RPC_C_AUTHN_LEVEL_CONNECT, RPC_C_AUTHN_WINNT, nullptr, 0);
  if (RpcMgmtIsServerListening(g_hRegistryBinding) == RPC_S_NOT_LISTENING) {
    Unbind();
    return FALSE;
  }
  bound = TRUE;
  return TRUE;
}

BOOL CRegistryRpcClient::Unbind() {
  const bool stringFreed = RpcStringFree(&stringBinding) == RPC_S_OK;
  const bool bindingFreed = RpcBindingFree(&g_hRegistryBinding) == RPC_S_OK;
  bound = FALSE;
  return stringFreed && bindingFreed;
}

LONG RpcRegOpenKeyEx(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  return RegOpenKeyEx(root, subKey, options, access, result);
}

LONG RpcRegSetValueEx(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size,
                      LPCSTR keyPath) {
  const LONG direct = RegSetValueEx(key, valueName, reserved, type, data, size);
  if (direct == ERROR_SUCCESS) return ERROR_SUCCESS;
  if (!ServiceMayListen()) return direct;
  const std::vector<wavorel::RpcArgument> args = {
      wavorel::RpcArgument::ofText(keyPath), wavorel::RpcArgument::ofText(valueName),
      wavorel::RpcArgument::ofNumber(type), wavorel::RpcArgument{DataBytes(data, size), 0, true},
      wavorel::RpcArgument::ofNumber(size)};
  return NdrClientCall2(g_hRegistryBinding, kRegistryRpcSetValue, args);
}

LONG RpcRegCreateKeyEx(HKEY root, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                       LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  const LONG direct = RegCreateKeyEx(root, subKey, reserved, keyClass, options, access, security, result, disposition);
  if (direct == ERROR_SUCCESS) return ERROR_SUCCESS;
  if (!ServiceMayListen()) return direct;
  return NdrClientCall2(g_hRegistryBinding, kRegistryRpcCreateKey, {wavorel::RpcArgument::ofText(subKey)});
}
