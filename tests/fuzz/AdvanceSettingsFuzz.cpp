// libFuzzer target for the advanced page's readers of the driver key: the
// input is stored as "CCX2Control", "TransmitSetting" or a decimal value of
// any type and size (first byte: type and name), then read back as the page
// reads it. A word read must unpack into the page's ranges, a value of the
// wrong type or size must leave the field as it was.
#include <cstdlib>

#include "platform/Platform.h"
#include "tests/fuzz/FuzzRoot.h"
#include "xp/station/AdvanceSettings.h"

namespace {

constexpr const char* kKey = "SOFTWARE\\AdvanceFuzz";
constexpr const char* kNames[] = {"CCX2Control", "TransmitSetting", "WirelessMode", "TransRate"};
constexpr DWORD kTypes[] = {REG_SZ, REG_DWORD, REG_BINARY, REG_MULTI_SZ};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty() || size < 1) return 0;
  const DWORD type = kTypes[data[0] & 3];
  const char* name = kNames[(data[0] >> 2) & 3];
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return 0;
  RegSetValueEx(key, name, 0, type, data + 1, static_cast<DWORD>(size - 1));

  constexpr DWORD kUntouched = 0xA5A5A5A5;
  DWORD word = kUntouched;
  if (ReadDwordValue(key, name, word)) {
    if (type != REG_DWORD || size - 1 != sizeof word) abort();
    const CcxFields ccx = UnpackCcxControl(word);
    if (ccx.threshold < kThresholdMin || ccx.threshold > kThresholdMax || ccx.limit > kLimitMax) abort();
    const HtFields ht = UnpackHtFields(word);
    if (ht.extChannel < 0 || ht.extChannel > 2 || ht.mcs > 0x7F || ht.mode > 0xF) abort();
    if ((PackTransmitSetting(ht) & 0x1FFFF) != ((word & 0x1BFFF) | 0x8000)) abort();
  } else if (word != kUntouched) {
    abort();
  }
  int number = -12345;
  if (!ReadDecimalValue(key, name, number) && number != -12345) abort();
  RegDeleteValue(key, name);
  RegCloseKey(key);
  return 0;
}
