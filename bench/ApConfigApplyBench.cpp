// One "APPLY" of the AP worker's configuration page on the default world with a
// pre-shared key: "ApDefault" written and copied into the driver key, the
// driver sets, and the reconnect under the SSID (the service's answer and the
// keys it brings are not waited for).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/radio/World.h"
#include "platform/testing/BenchRoot.h"
#include "platform/testing/Drivers.h"
#include "platform/win/kernel/Clock.h"
#include "softap/HideDlg_AP.h"
#include "softap/QzPropSheet_AP.h"

namespace {

void BM_ApConfigApply(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  auto clock = wavorel::installVirtualClock();
  const std::string world = root.path() + "/world.ini";
  std::ofstream(world, std::ios::binary) << wavorel::sim::defaultWorldText();
  setenv("WAVOREL_WORLD", world.c_str(), 1);
  if (root.path().empty() || !ShowHideDlgAP() || !GetHideDlgAP()) {
    state.SkipWithError("the AP worker did not start");
    return;
  }
  CQzPropSheet_AP* sheet = GetHideDlgAP()->GetSheet();
  if (!sheet || !::IsWindow(sheet->GetConfigPage().GetSafeHwnd())) {
    state.SkipWithError("the worker's sheet has no Config page");
  } else {
    CConfigPage_AP& page = sheet->GetConfigPage();
    page.SetSsid("Bench-AP");
    for (auto _ : state) {
      page.PressApply();
      state.PauseTiming();
      wavorel::sim::clearDriverCalls();
      wavorel::pumpMessages();
      state.ResumeTiming();
    }
  }
  DestroyHideDlgAP();
  CloseAPOnExit();
  unsetenv("WAVOREL_WORLD");
}
BENCHMARK(BM_ApConfigApply)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
