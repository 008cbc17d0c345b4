// Wavorel's site survey rebuild over a full 64 KB site list (records with
// RSN, WPS and HT elements, as many as fit): the sort in place with the
// stamps, the copy, the rows with their attribute lists, the front end's row
// text and the search for the connected row. Window-free: the list control's
// share is the page benchmark's (SiteSurveyBench).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/SiteRecords.h"
#include "platform/testing/BenchRoot.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "station/status/SiteList.h"
#include "worker/BssLists.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/status/SiteAssociation.h"

namespace {

namespace ndis = wavorel::wire::ndis;
using wavorel::wire::putU32;

void BM_RebuildFullSiteList(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  std::vector<BYTE> full(kBssListSize, 0);
  DWORD at = ndis::kListHeadSize;
  DWORD count = 0;
  for (int n = 0;; ++n) {
    const std::vector<BYTE> record = bench::SiteRecord(n);
    if (at + record.size() > kBssListSize) break;
    std::memcpy(full.data() + at, record.data(), record.size());
    at += static_cast<DWORD>(record.size());
    ++count;
  }
  putU32(full.data(), count);
  const int key = static_cast<int>(state.range(0));
  auto site = std::make_unique<BYTE[]>(kBssListSize);
  auto copy = std::make_unique<BYTE[]>(kBssListSize);
  const BYTE connected[6] = {0, 0, 0, 0, 0, 7};
  std::vector<SiteRow> rows;
  std::vector<DWORD> offsets;
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(site.get(), full.data(), kBssListSize);
    state.ResumeTiming();
    SortSiteList(site.get(), kBssListSize, g_siteStamps, kSiteStampCapacity, key);
    std::memcpy(copy.get(), site.get(), kBssListSize);
    rows.clear();
    offsets.clear();
    BuildSiteRows(copy.get(), kBssListSize, rows, &offsets);
    benchmark::DoNotOptimize(MakeSurveyRowsText(rows).GetLength());
    benchmark::DoNotOptimize(FindAssociatedSiteRow(copy.get(), offsets, rows, connected, 8, nullptr).row);
  }
  if (rows.size() != count) state.SkipWithError("not every network became a row");
  state.counters["records"] = count;
}
BENCHMARK(BM_RebuildFullSiteList)->Arg(kSiteSortSsid)->Arg(kSiteSortSignal)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
