#include "xp/supplicant/SupplicantRegistry.h"

#include <cstdio>
#include <cstring>

#include "worker/WorkerGlobals.h"
#include "xp/supplicant/PacFile.h"
#include "xp/supplicant/PortManager.h"

namespace {

constexpr DWORD kProfileNameSize = 128;
constexpr size_t kTraceLineSize = 512;

void TraceFailure(LPCSTR format, LPCSTR text) {
  char line[kTraceLineSize];
  std::snprintf(line, sizeof line, format, text);
  SupplicantTrace(line);
}

void WriteTexts(const CString& keyPath, std::initializer_list<LPCSTR> names, LPCSTR value, LPCSTR failFormat) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_WRITE, &key) != ERROR_SUCCESS) {
    TraceFailure("RegOpenKeyEx '%s' failed\n", keyPath);
    return;
  }
  for (LPCSTR name : names)
    if (RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                      static_cast<DWORD>(std::strlen(value) + 1)) != ERROR_SUCCESS)
      TraceFailure(failFormat, value);
  RegCloseKey(key);
}

}  // namespace

std::string ReadCurProfileName() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    TraceFailure("RegOpenKeyEx '%s' failed\n", g_strDriverKey);
    return {};
  }
  char name[kProfileNameSize] = {};
  DWORD size = sizeof name - 1;
  if (RegQueryValueEx(key, "CurProfile", nullptr, nullptr, reinterpret_cast<LPBYTE>(name), &size) != ERROR_SUCCESS) {
    SupplicantTrace("RegQueryValueEx 'REGSTR_KEY_CURPROFILE' failed\n");
    name[0] = 0;
  }
  RegCloseKey(key);
  return std::string(name, strnlen(name, sizeof name));
}

void WriteSupplicantTexts(std::initializer_list<LPCSTR> names, LPCSTR value, LPCSTR failFormat, BOOL profileKeyToo) {
  WriteTexts(g_strDriverKey, names, value, failFormat);
  if (!profileKeyToo) return;
  // Without a usable profile name there is no station profile key to write
  // (an empty name would be "\Profile\Station" itself).
  const std::string profile = ReadCurProfileName();
  if (IsSafeProfileName(profile.c_str()))
    WriteTexts(g_strDriverKey + "\\Profile\\Station\\" + profile.c_str(), names, value, failFormat);
}
