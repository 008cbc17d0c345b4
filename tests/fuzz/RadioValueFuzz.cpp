// libFuzzer target for Wavorel's reader of the driver-key value "Radio": the
// input is stored as "Radio" of any type and size (first byte: the type),
// then read back as the host reads it. A text of up to 127 bytes must read as
// its number; anything must read without a fault.
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "tests/fuzz/FuzzRoot.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/host/RadioValue.h"

namespace {

constexpr const char* kKey = "SOFTWARE\\RadioValueFuzz";
constexpr DWORD kTypes[] = {REG_SZ, REG_DWORD, REG_BINARY, REG_MULTI_SZ};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty() || size < 1) return 0;
  g_strDriverKey = kKey;
  const DWORD type = kTypes[data[0] & 3];
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return 0;
  RegSetValueEx(key, "Radio", 0, type, data + 1, static_cast<DWORD>(size - 1));
  const BOOL off = IsRadioValueOff();
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (type == REG_SZ && text.size() < 128 && text.find('\0') == std::string::npos &&
      (off != FALSE) != (std::atoi(text.c_str()) != 0))
    abort();
  RegDeleteValue(key, "Radio");
  RegCloseKey(key);
  return 0;
}
