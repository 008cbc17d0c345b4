// The statistics page's steady work on the simulated machine: one tick of its
// 2-second poll while the link is up (the statistics block and the no-buffer
// count read, ten texts on the two child pages, nine values posted to the
// front end and taken there).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "frontend/UiBridge.h"
#include "bench/StationBenchSetup.h"
#include "platform/sim/radio/Machine.h"
#include "platform/testing/BenchRoot.h"
#include "platform/testing/Drivers.h"
#include "platform/win/kernel/Paths.h"
#include "station/status/PageStatisticsDlg.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"

namespace {

void BM_StatisticsTickWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  bench::ConnectedStation station(root);
  if (!station.connected()) {
    state.SkipWithError("the worker did not connect");
    return;
  }
  // The page on a visible window of its own, its transmit tab in front.
  CWnd frame;
  frame.CreateEx(0, bench::ConnectedStation::kWindowClass, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 820, 400), nullptr, 0);
  CPageStatisticsDlg page(&frame);
  page.Create(IDD_PAGE_STATISTICS, &frame);
  page.ShowWindow(SW_SHOW);
  wavorel::pumpMessages();
  size_t sinceClear = 0;
  for (auto _ : state) {
    page.SendMessage(WM_TIMER, kStatisticsTimer, 0);
    wavorel::pumpMessages();
    bench::TrimDriverCalls(state, sinceClear);
  }
  page.DestroyWindow();
  frame.DestroyWindow();
}
BENCHMARK(BM_StatisticsTickWhileConnected)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
