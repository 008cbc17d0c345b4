#include "softap/ApModule.h"

#include <vector>

#include "worker/ModuleFunctions.h"
#include "worker/OsType.h"
#include "worker/WorkerGlobals.h"

int g_nApOsType = 0;
BOOL g_bApWow64 = FALSE;

CString g_strApDevicePath;
CString g_strApInstanceId;
CString g_strApDriverKey;
char g_szApHardwareId[kApHardwareIdSize] = {};
char g_szApFriendlyName[kApFriendlyNameSize] = {};
int g_nApFamilyIndex = 0;
int g_bApUsbFound = 0;
int g_bApPciFound = 0;
int g_nApBuiltinRow = 0;
int g_bApHtFamily = 0;
int g_nApHtFamilyCode = 0;
int g_bApSupportBandA = 0;
WORD g_wApDriverVersion = 0;

DWORD g_dwApCountryRegion = 0;
int g_bApRegionBandG = 1;
int g_bApRegionBandA = 1;
int g_nApWirelessMode = 9;
int g_bApAllowBW40BandG = 1;
int g_bApRegisterRead = 0;
int g_nApAuthIndex = 0;
CString g_strApWpaPsk;
int g_bApWepOrNone = 0;
int g_bApCheckBuild = 0;
int g_bApRegisterRead2 = 0;
int g_bApNetworkType[4] = {};

namespace {

constexpr int kOsWindows2000 = 7;
constexpr int kOsWindowsXp64 = 10;
constexpr DWORD kTokenGroupsRoom = 1024;

}  // namespace

void GetOsType_AP() {
  // One classification of the running version for both workers.
  GetOsType();
  g_nApOsType = g_nOsType;
}

BOOL IsUserAdministrator_AP() {
  if (g_nApOsType < kOsWindows2000) return TRUE;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return FALSE;
  // Room of 8-byte words, so the group records are aligned.
  std::vector<ULONGLONG> groups(kTokenGroupsRoom / sizeof(ULONGLONG));
  DWORD needed = 0;
  BOOL read = GetTokenInformation(token, TokenGroups, groups.data(), kTokenGroupsRoom, &needed);
  if (!read && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    groups.resize(needed / sizeof(ULONGLONG) + 1);
    read = GetTokenInformation(token, TokenGroups, groups.data(), static_cast<DWORD>(groups.size() * sizeof(ULONGLONG)),
                               &needed);
  }
  CloseHandle(token);
  if (!read) return FALSE;
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &administrators))
    return FALSE;
  const auto* list = reinterpret_cast<const TOKEN_GROUPS*>(groups.data());
  BOOL member = FALSE;
  for (DWORD i = 0; i < list->GroupCount && !member; ++i) member = EqualSid(list->Groups[i].Sid, administrators);
  FreeSid(administrators);
  return member;
}

BOOL IsWow64_AP() { return g_nApOsType >= kOsWindowsXp64 ? IsWow64() : FALSE; }
