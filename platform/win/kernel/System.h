// System information: the Windows version the machine reports and the WOW64
// state of the programs. Both are settings of the simulated machine (reset
// with the platform state): by default Windows Vista SP2 (6.0.6002), a
// workstation, and a 64-bit-clean process (not under WOW64).
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2
#define VER_NT_WORKSTATION 0x0000001
#define VER_NT_DOMAIN_CONTROLLER 0x0000002
#define VER_NT_SERVER 0x0000003

struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
};
typedef OSVERSIONINFO* LPOSVERSIONINFO;
typedef OSVERSIONINFO* POSVERSIONINFO;

struct OSVERSIONINFOEX {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};
typedef OSVERSIONINFOEX* LPOSVERSIONINFOEX;
typedef OSVERSIONINFOEX* POSVERSIONINFOEX;
static_assert(sizeof(OSVERSIONINFO) == 148, "OSVERSIONINFO is 148 bytes");
static_assert(sizeof(OSVERSIONINFOEX) == 156, "OSVERSIONINFOEX is 156 bytes");

// dwOSVersionInfoSize must be the size of either structure (else
// ERROR_INSUFFICIENT_BUFFER). The extended one fails with
// ERROR_INVALID_PARAMETER where Windows did not have it yet: the 9x family
// and NT 4.0 before Service Pack 6.
BOOL GetVersionEx(LPOSVERSIONINFO lpVersionInformation);
inline BOOL GetVersionEx(LPOSVERSIONINFOEX lpVersionInformation) {
  return GetVersionEx(reinterpret_cast<LPOSVERSIONINFO>(lpVersionInformation));
}

// For the calling process (GetCurrentProcess) or a process handle it started.
BOOL IsWow64Process(HANDLE hProcess, PBOOL Wow64Process);
// Switches file-system redirection of the calling thread; returns TRUE when
// done. Fails (FALSE, ERROR_INVALID_FUNCTION) in a process not under WOW64.
BOOLEAN Wow64EnableWow64FsRedirection(BOOLEAN Wow64FsEnableRedirection);

namespace wavorel {

struct OsVersion {
  DWORD major = 6;
  DWORD minor = 0;
  DWORD build = 6002;
  DWORD platformId = VER_PLATFORM_WIN32_NT;
  std::string servicePack = "Service Pack 2";
  WORD servicePackMajor = 2;
  WORD servicePackMinor = 0;
  WORD suiteMask = 0x0100;  // VER_SUITE_SINGLEUSERTS
  BYTE productType = VER_NT_WORKSTATION;
};
void setOsVersion(const OsVersion& version);
OsVersion osVersion();

void setWow64(bool underWow64);
// True while the calling thread's file system is redirected: under WOW64 with
// redirection not switched off (C:\Windows\System32 then shows SysWOW64).
bool wow64FsRedirectionActive();

}  // namespace wavorel
