// The station worker's steady work on the simulated machine: one 2-second
// poll tick while the link is up and nothing changes (the adapter check, the
// link check through Native Wi-Fi, the link event, both RSSI queries and the
// connection state sent to the front end), and the site-list rebuild of
// UpdateBssList from a full 64 KB scan list.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "bench/StationBenchSetup.h"
#include "platform/sim/radio/Machine.h"
#include "platform/testing/BenchRoot.h"
#include "platform/win/kernel/Paths.h"
#include "platform/testing/Drivers.h"
#include "worker/BssLists.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"

namespace {

void BM_PollTickWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  wavorel::sim::Machine& machine = bench::StoreOpenCurrentProfile(root);
  if (!CreateHideDlg() || !bench::PumpUntil([&machine] { return machine.adapter(0).connected(); })) {
    DestroyHideDlg();
    state.SkipWithError("the worker did not connect");
    return;
  }
  const HWND worker = g_pHideDlg->GetSafeHwnd();
  size_t sinceClear = 0;
  for (auto _ : state) {
    SendMessage(worker, WM_TIMER, kPollTimer, 0);
    bench::TrimDriverCalls(state, sinceClear, bench::Pump::Yes);
  }
  DestroyHideDlg();
}
BENCHMARK(BM_PollTickWhileConnected)->MeasureProcessCPUTime();

// A full scan list of `records` equal-sized records on channel 6 (the last
// byte of the MAC numbering them, the one before from `salt`).
std::unique_ptr<BYTE[]> FullList(int records, BYTE salt) {
  using namespace wavorel::wire::ndis::bssid;
  using wavorel::wire::ndis::kListHeadSize;
  using wavorel::wire::ndis::kListNumberOfItems;
  auto list = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(list.get(), 0, kBssListSize);
  const DWORD length = ((kBssListSize - kListHeadSize) / records) & ~3u;
  wavorel::wire::putU32(list.get() + kListNumberOfItems, static_cast<DWORD>(records));
  for (int i = 0; i < records; ++i) {
    BYTE* r = list.get() + kListHeadSize + i * length;
    wavorel::wire::putU32(r + kLength, length);
    r[kMacAddress + 4] = salt;
    r[kMacAddress + 5] = static_cast<BYTE>(i);
    wavorel::wire::putU32(r + kConfiguration + wavorel::wire::ndis::configuration::kDsConfig, 2437000);
    wavorel::wire::putU32(r + kIeLength, length - kHeadSize);
  }
  return list;
}

void BM_SiteListRebuildFromAFullScan(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const auto first = FullList(records, 1);
  const auto second = FullList(records, 2);
  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  const BYTE channels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  ULONGLONG now = 0x01D0000000000000ull;
  bool odd = false;
  for (auto _ : state) {
    now += 20000000;  // two seconds
    const FILETIME stamp{static_cast<DWORD>(now), static_cast<DWORD>(now >> 32)};
    RebuildSiteList((odd ? second : first).get(), BssidSiteList.get(), channels, sizeof channels, stamp);
    odd = !odd;
  }
  BssidSiteList.reset();
  ClearSiteStamps();
}
BENCHMARK(BM_SiteListRebuildFromAFullScan)->Arg(64)->Arg(512)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
