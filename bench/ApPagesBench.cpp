// The AP pages' periodic work on the worker's sheet: one tick of the
// link-status page with a station heard, and one refresh of the Mac Table
// page with 32 stations associated.
#include <benchmark/benchmark.h>

#include "bench/DriverCallTrim.h"

#include <chrono>
#include <cstdio>
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

// The AP worker of a fresh platform with `stations` stations associated;
// null when it did not start.
CQzPropSheet_AP* startSheet(const wavorel::testing::BenchRoot& root, wavorel::VirtualClock& clock, int stations) {
  const std::string world = root.path() + "/world.ini";
  std::ofstream out(world, std::ios::binary);
  out << wavorel::sim::defaultWorldText() << "\n";
  char section[160];
  for (int i = 0; i < stations; ++i) {
    std::snprintf(section, sizeof section, "[Client %d]\nAdapter = Adapter1\nMac = 00-24-D7-00-01-%02X\nArrives = 1\n", i,
                  i);
    out << section;
  }
  out.close();
  setenv("WAVOREL_WORLD", world.c_str(), 1);
  if (!ShowHideDlgAP() || !GetHideDlgAP()) return nullptr;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (GetHideDlgAP()->IsKeyPending() && std::chrono::steady_clock::now() < deadline) {
    wavorel::pumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  clock.advance(2000);
  wavorel::pumpMessages();
  return GetHideDlgAP()->GetSheet();
}

void runPage(benchmark::State& state, int stations, bool linkStatus) {
  wavorel::testing::BenchRoot root;
  auto clock = wavorel::installVirtualClock();
  CQzPropSheet_AP* sheet = root.path().empty() ? nullptr : startSheet(root, *clock, stations);
  if (!sheet) {
    state.SkipWithError("the AP worker did not start");
    DestroyHideDlgAP();
    return;
  }
  CPropertyPage* page = &sheet->GetMacTablePage();
  if (linkStatus) {
    page = &sheet->GetLinkStatusPage();
    sheet->AddPage(page);
  }
  sheet->SetActivePage(page);
  wavorel::pumpMessages();
  size_t sinceClear = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(page->SendMessage(WM_TIMER, 1, 0));
    bench::TrimDriverCalls(state, sinceClear, bench::Pump::Yes);
  }
  DestroyHideDlgAP();
  CloseAPOnExit();
  unsetenv("WAVOREL_WORLD");
}

void BM_ApLinkStatusTick(benchmark::State& state) { runPage(state, 1, true); }
BENCHMARK(BM_ApLinkStatusTick);

void BM_ApMacTableRefresh32(benchmark::State& state) { runPage(state, 32, false); }
BENCHMARK(BM_ApMacTableRefresh32);

}  // namespace

BENCHMARK_MAIN();
