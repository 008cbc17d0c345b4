// The link status page's steady work on the simulated machine: one 2-second
// pass while the link is up (the link event, the PHY word, the Native Wi-Fi
// connection, the transmit power, the addresses, both rates, the link-status
// record, throughput, quality, three chains, SNR and noise, the codes to the
// front end) and the repaint of the controls the pass changed.
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
#include "station/status/LinkStatusDlg.h"
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

void BM_LinkPagePassWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  wavorel::sim::Machine& machine = bench::StoreOpenCurrentProfile(root);
  WNDCLASS wc{};
  wc.lpfnWndProc = &FrontEnd;
  wc.lpszClassName = "LinkStatusBenchUi";
  RegisterClass(&wc);
  HWND ui = CreateWindowEx(0, "LinkStatusBenchUi", "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetUINotifyWnd(ui);
  if (!CreateHideDlg() || !bench::PumpUntil([&machine] { return machine.adapter(0).connected(); })) {
    DestroyHideDlg();
    state.SkipWithError("the worker did not connect");
    return;
  }
  // The page on a visible window of its own, so that its controls paint.
  CWnd frame;
  frame.CreateEx(0, "LinkStatusBenchUi", "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 820, 400), nullptr, 0);
  CLinkStatusDlg page(&frame);
  page.Create(IDD_LINK_STATUS, &frame);
  page.ShowWindow(SW_SHOW);
  page.MeasurementPass();  // the first pass only keeps the byte counts
  wavorel::pumpMessages();
  size_t sinceClear = 0;
  for (auto _ : state) {
    page.MeasurementPass();
    page.UpdateWindow();
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
BENCHMARK(BM_LinkPagePassWhileConnected)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
