#include "worker/OsType.h"

#include "platform/Platform.h"
#include "worker/WorkerGlobals.h"

namespace {

// -1: no row of the table.
int windows9xType(DWORD major, DWORD minor, DWORD build) {
  if (major != 4) return -1;
  if (minor == 0) return 2;
  if (minor == 10) return (build & 0xFFFF) == 2222 ? 4 : 3;
  if (minor == 90) return 5;
  return -1;
}

int windowsNtType(DWORD major, DWORD minor, BYTE productType) {
  const bool workstation = productType == VER_NT_WORKSTATION;
  if (major < 5) return 6;
  if (major == 5 && minor == 0) return 7;
  if (major == 5 && minor == 1) return 8;
  if (major == 5 && minor == 2) return workstation ? 10 : 9;
  if (major == 6) return 11;
  return workstation ? 12 : 13;  // 5.3 and above 5.2, 7 and above
}

}  // namespace

void GetOsType() {
  OSVERSIONINFOEX info{};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEX);
  if (!GetVersionEx(&info)) {
    info = OSVERSIONINFOEX{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
    if (!GetVersionEx(reinterpret_cast<LPOSVERSIONINFO>(&info))) return;
  }
  int type = -1;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
    type = windows9xType(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
  else if (info.dwPlatformId == VER_PLATFORM_WIN32_NT)
    type = windowsNtType(info.dwMajorVersion, info.dwMinorVersion, info.wProductType);
  if (type >= 0) g_nOsType = type;
}
