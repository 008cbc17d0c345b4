// Client of the local registry service: registry writes under
// HKEY_LOCAL_MACHINE that the program may lack the rights for are tried
// directly first and, when that fails, handed to the service over local RPC
// (endpoint "//.//NeroltRegistry_AP"), which writes with a service's rights.
// One binding serves the whole module; a client object binds it while it
// lives. UI thread only.
#pragma once

#include "platform/Platform.h"

class CRegistryRpcClient {
 public:
  // Binds at once; IsBound tells whether a server listens.
  CRegistryRpcClient();
  ~CRegistryRpcClient();
  CRegistryRpcClient(const CRegistryRpcClient&) = delete;
  CRegistryRpcClient& operator=(const CRegistryRpcClient&) = delete;

  // Composes the string binding, binds the module's handle with connect-level
  // Windows NT authentication and asks the server: TRUE unless the compose or
  // binding fails or the server does not listen (then everything is freed).
  // The result is also what IsBound tells afterwards.
  BOOL Bind();
  // Frees the string binding and the module's handle; TRUE when both went.
  BOOL Unbind();
  BOOL IsBound() const { return bound; }

 private:
  BOOL bound = FALSE;
  RPC_CSTR stringBinding = nullptr;
};

// The remote procedures the client calls.
constexpr unsigned kRegistryRpcSetValue = 3;   // key path, value name, type, data text, data size
constexpr unsigned kRegistryRpcCreateKey = 4;  // key path

// RegOpenKeyEx; its result.
LONG RpcRegOpenKeyEx(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
// RegSetValueEx on `key` (which may be NULL when it could not be opened);
// when that fails and the service listens, the service sets the value under
// `keyPath` (a path below HKEY_LOCAL_MACHINE). Returns ERROR_SUCCESS when the
// value was written by either; the direct call's error when the service does
// not listen; the service's status when it could not write.
LONG RpcRegSetValueEx(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD size,
                      LPCSTR keyPath);
// RegCreateKeyEx; when that fails and the service listens, the service creates
// `subKey` below HKEY_LOCAL_MACHINE (*result stays NULL then: later writes go
// through the service by path). Results as for RpcRegSetValueEx.
LONG RpcRegCreateKeyEx(HKEY root, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                       LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
