// WOW64: whether the program runs under it and its file-system redirection,
// through the kernel32 entry points looked up once (older systems lack them).
#include "worker/ModuleFunctions.h"

namespace {

using IsWow64ProcessProc = BOOL (*)(HANDLE, PBOOL);
using EnableRedirectionProc = BOOLEAN (*)(BOOLEAN);

FARPROC kernelProc(LPCSTR name) {
  HMODULE kernel = GetModuleHandle("kernel32.dll");
  return kernel ? GetProcAddress(kernel, name) : nullptr;
}

EnableRedirectionProc enableRedirection() {
  static const auto proc = reinterpret_cast<EnableRedirectionProc>(kernelProc("Wow64EnableWow64FsRedirection"));
  return proc;
}

}  // namespace

BOOL IsWow64() {
  static const auto proc = reinterpret_cast<IsWow64ProcessProc>(kernelProc("IsWow64Process"));
  BOOL wow64 = FALSE;
  if (!proc || !proc(GetCurrentProcess(), &wow64)) return FALSE;
  return wow64;
}

void EnableFsRedirection() {
  if (EnableRedirectionProc proc = enableRedirection()) proc(TRUE);
}

void DisableFsRedirection() {
  if (EnableRedirectionProc proc = enableRedirection()) proc(FALSE);
}
