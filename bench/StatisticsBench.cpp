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

// The front end's side of the bridge: takes every value and drops it.
LRESULT CALLBACK FrontEnd(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_UIBRIDGE) return DefWindowProc(hwnd, message, wParam, lParam);
  TakeNotifyText(wParam, lParam);
  return 0;
}

void BM_StatisticsTickWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  wavorel::sim::Machine& machine = bench::StoreOpenCurrentProfile(root);
  WNDCLASS wc{};
  wc.lpfnWndProc = &FrontEnd;
  wc.lpszClassName = "StatisticsBenchUi";
  RegisterClass(&wc);
  HWND ui = CreateWindowEx(0, "StatisticsBenchUi", "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetUINotifyWnd(ui);
  if (!CreateHideDlg() || !bench::PumpUntil([&machine] { return machine.adapter(0).connected(); })) {
    DestroyHideDlg();
    state.SkipWithError("the worker did not connect");
    return;
  }
  // The page on a visible window of its own, its transmit tab in front.
  CWnd frame;
  frame.CreateEx(0, "StatisticsBenchUi", "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 820, 400), nullptr, 0);
  CPageStatisticsDlg page(&frame);
  page.Create(IDD_PAGE_STATISTICS, &frame);
  page.ShowWindow(SW_SHOW);
  wavorel::pumpMessages();
  size_t sinceClear = 0;
  for (auto _ : state) {
    page.SendMessage(WM_TIMER, kStatisticsTimer, 0);
    wavorel::pumpMessages();
    if (++sinceClear == 1024) {
      state.PauseTiming();
      wavorel::sim::clearDriverCalls();
      sinceClear = 0;
      state.ResumeTiming();
    }
  }
  page.DestroyWindow();
  frame.DestroyWindow();
  DestroyHideDlg();
  SetUINotifyWnd(nullptr);
  DestroyWindow(ui);
}
BENCHMARK(BM_StatisticsTickWhileConnected)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
