// The site survey page's RebuildList over a site list of 64 networks (each
// with RSN, WPS and HT elements): the sort by SSID in place, the copy, the
// rows with their attribute lists, the list control's row count and the
// front end's row text. The page lies under a plain window, without worker.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/SiteRecords.h"
#include "platform/testing/BenchRoot.h"
#include "platform/testing/Drivers.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "worker/BssLists.h"
#include "worker/WorkerGlobals.h"

namespace {

namespace ndis = wavorel::wire::ndis;
using wavorel::wire::putU32;

void BM_RebuildListOf64Networks(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(BssidSiteList.get(), 0, kBssListSize);
  DWORD at = ndis::kListHeadSize;
  for (int n = 0; n < state.range(0); ++n) {
    const std::vector<BYTE> record = bench::SiteRecord(n);
    std::memcpy(BssidSiteList.get() + at, record.data(), record.size());
    at += static_cast<DWORD>(record.size());
  }
  putU32(BssidSiteList.get(), static_cast<DWORD>(state.range(0)));
  CWnd parent;
  parent.CreateEx(0, "STATIC", "host", WS_POPUP, CRect(0, 0, 700, 400), nullptr, 0);
  CPageSiteSurveyDlg page(&parent);
  if (!page.Create(IDD_PAGE_SITE_SURVEY, &parent)) {
    state.SkipWithError("the page was not created");
    return;
  }
  for (auto _ : state) {
    page.RebuildList();
    benchmark::DoNotOptimize(page.GetRowCount());
  }
  if (page.GetRowCount() != state.range(0)) state.SkipWithError("not every network became a row");
  page.DestroyWindow();
  parent.DestroyWindow();
  wavorel::pumpMessages();
  BssidSiteList.reset();
}
BENCHMARK(BM_RebuildListOf64Networks)->Arg(64)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
