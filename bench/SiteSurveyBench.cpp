// The site survey page's RebuildList over a site list of 64 networks (each
// with RSN, WPS and HT elements): the sort by SSID in place, the copy, the
// rows with their attribute lists, the list control's row count and the
// front end's row text. The page lies under a plain window, without worker.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

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

// One record: head, the 12 fixed fields, RSN, WPS and HT capability elements.
std::vector<BYTE> Record(int n) {
  static const BYTE kElements[] = {48,  20, 1, 0, 0, 0x0F, 0xAC, 4, 1, 0, 0, 0x0F, 0xAC, 4, 1, 0, 0, 0x0F, 0xAC, 2, 0, 0,
                                   221, 9,  0, 0x50, 0xF2, 4, 0x10, 0x4A, 0, 1, 0x10, 45, 26};
  std::vector<BYTE> r(ndis::bssid::kHeadSize + ndis::fixed::kSize, 0);
  r.insert(r.end(), std::begin(kElements), std::end(kElements));
  r.resize(r.size() + 26, 0);
  char ssid[16];
  const int length = std::snprintf(ssid, sizeof ssid, "Net%02d", (n * 37) % 64);
  r[ndis::bssid::kMacAddress + 5] = static_cast<BYTE>(n);
  putU32(r.data() + ndis::bssid::kSsidLength, static_cast<DWORD>(length));
  std::memcpy(r.data() + ndis::bssid::kSsid, ssid, static_cast<size_t>(length));
  putU32(r.data() + ndis::bssid::kRssi, static_cast<DWORD>(-40 - n % 50));
  putU32(r.data() + ndis::bssid::kNetworkTypeInUse, 3);
  putU32(r.data() + ndis::bssid::kConfiguration + ndis::configuration::kDsConfig, 2412000 + 5000 * (n % 13));
  putU32(r.data() + ndis::bssid::kInfrastructureMode, 1);
  putU32(r.data() + ndis::bssid::kLength, static_cast<DWORD>(r.size()));
  putU32(r.data() + ndis::bssid::kIeLength, static_cast<DWORD>(r.size() - ndis::bssid::kHeadSize));
  return r;
}

void BM_RebuildListOf64Networks(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(BssidSiteList.get(), 0, kBssListSize);
  DWORD at = ndis::kListHeadSize;
  for (int n = 0; n < state.range(0); ++n) {
    const std::vector<BYTE> record = Record(n);
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
