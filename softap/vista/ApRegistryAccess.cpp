// The AP module's registry access in WavorelVista: through the registry
// service when the direct call is refused.
#include "softap/ApSettings.h"
#include "worker/vista/RegistryRpcClient.h"

LONG RegOpenKeyEx_AP(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  return RpcRegOpenKeyEx(root, subKey, options, access, result);
}

LONG RegSetValueEx_AP(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size,
                      LPCSTR keyPath) {
  return RpcRegSetValueEx(key, name, reserved, type, data, size, keyPath);
}
