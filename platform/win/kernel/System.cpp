#include "platform/win/kernel/System.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/ProcessObject.h"
#include "platform/win/kernel/Root.h"

namespace wavorel {

namespace {

std::mutex g_mutex;
OsVersion g_version;
bool g_wow64 = false;
thread_local bool t_redirectionOff = false;

const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_mutex);
                        g_version = OsVersion();
                        g_wow64 = false;
                      }),
                      true);

bool hasExtendedVersion(const OsVersion& v) {
  return v.platformId == VER_PLATFORM_WIN32_NT && (v.major >= 5 || (v.major == 4 && v.servicePackMajor >= 6));
}

}  // namespace

void setOsVersion(const OsVersion& version) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_version = version;
}

OsVersion osVersion() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_version;
}

void setWow64(bool underWow64) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_wow64 = underWow64;
}

bool wow64FsRedirectionActive() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_wow64 && !t_redirectionOff;
}

}  // namespace wavorel

BOOL GetVersionEx(LPOSVERSIONINFO lpVersionInformation) {
  if (!lpVersionInformation) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD size = lpVersionInformation->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFO) && size != sizeof(OSVERSIONINFOEX)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  wavorel::OsVersion v = wavorel::osVersion();
  if (size == sizeof(OSVERSIONINFOEX) && !wavorel::hasExtendedVersion(v)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpVersionInformation->dwMajorVersion = v.major;
  lpVersionInformation->dwMinorVersion = v.minor;
  lpVersionInformation->dwBuildNumber = v.build;
  lpVersionInformation->dwPlatformId = v.platformId;
  char* csd = lpVersionInformation->szCSDVersion;
  size_t n = std::min(v.servicePack.size(), sizeof(lpVersionInformation->szCSDVersion) - 1);
  std::memset(csd, 0, sizeof(lpVersionInformation->szCSDVersion));
  std::memcpy(csd, v.servicePack.data(), n);
  if (size == sizeof(OSVERSIONINFOEX)) {
    auto* ex = reinterpret_cast<LPOSVERSIONINFOEX>(lpVersionInformation);
    ex->wServicePackMajor = v.servicePackMajor;
    ex->wServicePackMinor = v.servicePackMinor;
    ex->wSuiteMask = v.suiteMask;
    ex->wProductType = v.productType;
    ex->wReserved = 0;
  }
  return TRUE;
}

BOOL IsWow64Process(HANDLE hProcess, PBOOL Wow64Process) {
  if (hProcess != GetCurrentProcess() && !wavorel::kernelObjectAs<wavorel::ProcessObject>(hProcess)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!Wow64Process) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(wavorel::g_mutex);
  *Wow64Process = wavorel::g_wow64 ? TRUE : FALSE;
  return TRUE;
}

BOOLEAN Wow64EnableWow64FsRedirection(BOOLEAN Wow64FsEnableRedirection) {
  std::lock_guard<std::mutex> lock(wavorel::g_mutex);
  if (!wavorel::g_wow64) {
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
  }
  wavorel::t_redirectionOff = !Wow64FsEnableRedirection;
  return TRUE;
}
