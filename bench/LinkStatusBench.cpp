// The link status page's steady work on the simulated machine: one 2-second
// pass while the link is up (the link event, the PHY word, the Native Wi-Fi
// connection, the transmit power, the addresses, both rates, the link-status
// record, throughput, quality, three chains, SNR and noise, the codes to the
// front end) and the repaint of the controls the pass changed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "bench/LinkPagePasses.h"
#include "bench/StationBenchSetup.h"
#include "frontend/UiBridge.h"
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
  bench::TimeLinkPagePasses(state, bench::ConnectedStation::kWindowClass);
}
BENCHMARK(BM_LinkPagePassWhileConnected)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
