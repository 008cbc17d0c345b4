// One driver query of the station worker as its 2-second poll makes several:
// open the adapter's device path, one IOCTL_NDIS_QUERY_GLOBAL_STATS request
// answered by the simulated driver, close the device.
#include <benchmark/benchmark.h>

#include "bench/DriverCallTrim.h"

#include "platform/sim/radio/Machine.h"
#include "platform/testing/BenchRoot.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

namespace {

void BM_QueryOidRoundTrip(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  if (root.path().empty()) {
    state.SkipWithError("cannot create a temporary root");
    return;
  }
  g_strDevicePath = CString("\\\\.\\") + wavorel::sim::machine().adapter(0).guid().c_str();
  size_t sinceClear = 0;
  for (auto _ : state) {
    DWORD linkEvent = 0;
    DWORD returned = 0;
    if (!QueryOid(OID_VX_LINK_EVENT, &linkEvent, sizeof(linkEvent), &returned)) {
      state.SkipWithError("the query failed");
      break;
    }
    benchmark::DoNotOptimize(linkEvent);
    bench::TrimDriverCalls(state, sinceClear);
  }
  g_strDevicePath.Empty();
}
BENCHMARK(BM_QueryOidRoundTrip);

}  // namespace

BENCHMARK_MAIN();
