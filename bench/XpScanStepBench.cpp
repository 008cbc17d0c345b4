// Wavorel's scan step from a scan that fills the whole 64 KB list: the
// networks on forbidden channels dropped and the site list rebuilt with the
// entries the scan missed (the rebuild), and the same with the driver's list
// read first (the whole step).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/sim/radio/Adapter.h"
#include "platform/sim/radio/Machine.h"
#include "platform/testing/BenchRoot.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/LargeWorld.h"
#include "platform/win/kernel/Clock.h"
#include "platform/wire/Bytes.h"
#include "worker/BssLists.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/XpWorker.h"

namespace {

// More networks than 64 KB of records hold: the driver fills the list.
constexpr size_t kNetworks = 600;

void BM_XpScanStepFromAFullList(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  auto clock = wavorel::installVirtualClock();
  const std::string world = root.path() + "/world.ini";
  std::ofstream(world, std::ios::binary) << wavorel::testing::largeWorldText(kNetworks);
  setenv("WAVOREL_WORLD", world.c_str(), 1);
  g_strDevicePath = CString("\\\\.\\") + wavorel::sim::machine().adapter(0).guid().c_str();
  g_dwCountryRegion = 0;
  g_nWirelessMode = 0;
  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  DWORD returned = 0;
  SetOid(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, &returned, 1);
  wavorel::runFor(wavorel::sim::kScanDurationMs + 100);
  RefreshXpSiteList(nullptr);
  if (wavorel::wire::getU32(XpWorkerState().ScanList.get()) < 200) state.SkipWithError("the list is not full");
  auto scan = std::make_unique<BYTE[]>(kBssListSize);
  for (auto _ : state) {
    if (state.range(0)) {
      RefreshXpSiteList(nullptr);
      state.PauseTiming();
      wavorel::sim::clearDriverCalls();
      state.ResumeTiming();
    } else {
      state.PauseTiming();
      std::memcpy(scan.get(), XpWorkerState().ScanList.get(), kBssListSize);
      state.ResumeTiming();
      MergeXpScanList(scan.get());
    }
  }
  ResetXpWorkerState();
  BssidSiteList.reset();
  ClearSiteStamps();
  g_strDevicePath.Empty();
  unsetenv("WAVOREL_WORLD");
}
BENCHMARK(BM_XpScanStepFromAFullList)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
