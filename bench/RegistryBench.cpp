// The registry read of the 2-second poll: open the driver key, read a DWORD,
// close it, on a hive that is already loaded (each read still checks whether
// the hive file changed).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/testing/BenchRoot.h"

#include "platform/win/kernel/Errors.h"
#include "platform/win/registry/Registry.h"
#include "platform/win/kernel/Root.h"

namespace {

const char* kDriverKey = "System\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}\\0007";

void BM_OpenQueryDwordClose(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  if (root.path().empty()) {
    state.SkipWithError("cannot create a temporary root");
    return;
  }
  HKEY key = nullptr;
  RegCreateKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  // A driver key of realistic size: some forty values, the one read among the last.
  for (int i = 0; i < 40; ++i) {
    std::string name = "Value" + std::to_string(i);
    RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 1);
  }
  DWORD ba = 0x1234;
  RegSetValueEx(key, "BACapability", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ba), sizeof ba);
  RegCloseKey(key);

  for (auto _ : state) {
    HKEY k = nullptr;
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_READ, &k) != ERROR_SUCCESS ||
        RegQueryValueEx(k, "BACapability", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) !=
            ERROR_SUCCESS) {
      state.SkipWithError("read failed");
      break;
    }
    benchmark::DoNotOptimize(value);
    RegCloseKey(k);
  }
}
BENCHMARK(BM_OpenQueryDwordClose);

}  // namespace

BENCHMARK_MAIN();
