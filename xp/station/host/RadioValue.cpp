#include "xp/station/host/RadioValue.h"

#include <cstdlib>

#include "worker/WorkerGlobals.h"

namespace {

constexpr DWORD kRadioValueSize = 128;

}  // namespace

BOOL IsRadioValueOff() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return FALSE;
  char value[kRadioValueSize + 1] = "";
  DWORD size = kRadioValueSize, type = 0;
  const bool read = RegQueryValueEx(key, "Radio", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                    ERROR_SUCCESS;
  RegCloseKey(key);
  if (!read) return FALSE;
  value[size < kRadioValueSize ? size : kRadioValueSize] = '\0';
  return std::atoi(value) != 0;
}
