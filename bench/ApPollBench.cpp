// One tick of the AP worker's 2-second poll with a station associated and
// nothing changing (the signal query, the event-log query, the tray state),
// beside a tick of a timer the worker does not poll on.
#include <benchmark/benchmark.h>

#include "bench/DriverCallTrim.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/radio/World.h"
#include "platform/testing/BenchRoot.h"
#include "platform/win/kernel/Clock.h"
#include "platform/testing/Drivers.h"
#include "softap/HideDlg_AP.h"

namespace {

// The AP worker of a fresh platform with one station at -50 dBm; null when it
// did not start.
CHideDlg_AP* startWorker(const wavorel::testing::BenchRoot& root, wavorel::VirtualClock& clock) {
  const std::string world = root.path() + "/world.ini";
  std::ofstream(world, std::ios::binary) << wavorel::sim::defaultWorldText()
                                         << "\n[Client Laptop]\nAdapter = Adapter1\nMac = 00-24-D7-00-00-01\n"
                                            "Signal = -50\nArrives = 1\n";
  setenv("WAVOREL_WORLD", world.c_str(), 1);
  if (!ShowHideDlgAP() || !GetHideDlgAP()) return nullptr;
  // The first connection's keys go out once the service reports it (from its
  // own thread).
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (GetHideDlgAP()->IsKeyPending() && std::chrono::steady_clock::now() < deadline) {
    wavorel::pumpMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  clock.advance(CHideDlg_AP::kPollMs);
  wavorel::pumpMessages();
  return GetHideDlgAP();
}

void runTicks(benchmark::State& state, UINT_PTR timer) {
  wavorel::testing::BenchRoot root;
  auto clock = wavorel::installVirtualClock();
  CHideDlg_AP* worker = root.path().empty() ? nullptr : startWorker(root, *clock);
  if (!worker || wavorel::sim::machine().adapter(0).softAp().strongestStation() != -50) {
    state.SkipWithError("the AP worker did not start with its station");
    DestroyHideDlgAP();
    return;
  }
  size_t sinceClear = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(worker->SendMessage(WM_TIMER, timer, 0));
    bench::TrimDriverCalls(state, sinceClear, bench::Pump::Yes);
  }
  DestroyHideDlgAP();
  CloseAPOnExit();
  unsetenv("WAVOREL_WORLD");
}

void BM_ApPollTick(benchmark::State& state) { runTicks(state, CHideDlg_AP::kPollTimer); }
BENCHMARK(BM_ApPollTick);

void BM_ApIdleTick(benchmark::State& state) { runTicks(state, 7); }
BENCHMARK(BM_ApIdleTick);

}  // namespace

BENCHMARK_MAIN();
