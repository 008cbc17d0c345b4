// Wavorel's link status page on the simulated machine: one 2-second tick
// while the adapter is joined to an open network (the link event, the PHY
// word, the NDIS connection codes, the transmit power, the addresses, both
// rates, the link-status block, the channel, throughput, quality, three
// chains, SNR and noise, the codes to the front end) and the repaint of the
// controls it changed.
#include <benchmark/benchmark.h>

#include <optional>

#include "bench/LinkPagePasses.h"
#include "bench/StationBenchSetup.h"
#include "frontend/UiBridge.h"
#include "platform/sim/radio/Machine.h"
#include "platform/testing/BenchRoot.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

namespace {

void BM_XpLinkPageTickWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  wavorel::sim::Machine& machine = wavorel::sim::machine();
  g_strDevicePath = CString("\\\\.\\") + machine.adapter(0).guid().c_str();
  g_bHtFamily = 1;
  g_nWirelessMode = 9;
  g_bRadioOn = 1;
  WNDCLASS wc{};
  wc.lpfnWndProc = &bench::DroppingFrontEnd;
  wc.lpszClassName = "XpLinkBenchUi";
  RegisterClass(&wc);
  const HWND ui = CreateWindowEx(0, "XpLinkBenchUi", "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetUINotifyWnd(ui);
  machine.adapter(0).associate("CafeFree", std::nullopt);
  if (!bench::PumpUntil([&machine] { return machine.adapter(0).connected(); })) {
    state.SkipWithError("the adapter did not join");
  } else {
    bench::TimeLinkPagePasses(state, "XpLinkBenchUi");
  }
  SetUINotifyWnd(nullptr);
  DestroyWindow(ui);
  g_strDevicePath.Empty();
}
BENCHMARK(BM_XpLinkPageTickWhileConnected)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
