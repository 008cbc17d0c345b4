// libFuzzer target for the AP configuration page: the input fills the
// adapter's driver key (ApDriverKeyInput.h); the page reads it as it starts
// (ReadSettings) and applies once. Every driver record keeps its size and
// bounds, and every value written to "ApDefault" is text except the 4-byte
// REG_DWORD "TransmitSetting".
#include <cstring>

#include "softap/ConfigPage_AP.h"
#include "tests/fuzz/ApDriverKeyInput.h"
#include "tests/fuzz/FuzzRoot.h"

namespace {

void checkApDefault() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey + "\\ApDefault", 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  char name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name, type = 0, bytes = 0;
    if (RegEnumValue(key, i, name, &length, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) break;
    if (std::strcmp(name, "TransmitSetting") == 0)
      apfuzz::check(type == REG_DWORD && bytes == 4);
    else if (std::strcmp(name, "AccessControlList") != 0 && std::strcmp(name, "WdsList") != 0)
      apfuzz::check(type == REG_SZ);
  }
  RegCloseKey(key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty() || size < 1 || !apfuzz::useFirstAdapter()) return 0;
  if (!apfuzz::fillDriverKey(data, size)) return 0;
  // A fresh "ApDefault" for each input.
  RegDeleteKey(HKEY_LOCAL_MACHINE, g_strApDriverKey + "\\ApDefault");
  HKEY apDefault = nullptr;
  RegCreateKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey + "\\ApDefault", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                 &apDefault, nullptr);
  if (apDefault) RegCloseKey(apDefault);
  wavorel::sim::clearDriverCalls();
  {
    CPropertySheet sheet("AP");
    CConfigPage_AP page;
    sheet.AddPage(&page);
    if (sheet.Create(nullptr, WS_POPUP | WS_CAPTION)) {
      page.PressApply();
      sheet.DestroyWindow();
    }
  }
  for (const wavorel::sim::DriverCall& c : wavorel::sim::driverCalls())
    if (c.set) apfuzz::checkRecord(c);
  checkApDefault();
  return 0;
}
