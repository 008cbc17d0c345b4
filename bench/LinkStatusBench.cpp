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

void BM_LinkPagePassWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  bench::ConnectedStation station(root);
  if (!station.connected()) {
    state.SkipWithError("the worker did not connect");
    return;
  }
  // The page on a visible window of its own, so that its controls paint.
  CWnd frame;
  frame.CreateEx(0, bench::ConnectedStation::kWindowClass, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 820, 400), nullptr, 0);
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
    bench::TrimDriverCalls(state, sinceClear);
  }
  page.DestroyWindow();
  frame.DestroyWindow();
}
BENCHMARK(BM_LinkPagePassWhileConnected)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
