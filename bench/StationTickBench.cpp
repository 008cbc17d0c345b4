// Station mode's steady work end to end while the link is up: one 2-second
// poll tick of the worker with its host's link page, the reports it posts
// over the bridge, the station tab control routing them into its pages, and
// the repaint of what changed; beside it the idle tick of the same front end
// (the queue pumped with nothing due).
#include <benchmark/benchmark.h>

#include "bench/StationBenchSetup.h"
#include "frontend/TableCtrl_QZ.h"
#include "utilmere/Utilmere.h"
#include "station/host/Sorvik2007Dlg.h"
#include "worker/StationHost.h"

namespace {

// The station tab control on a host static of a top-level window, as the
// main dialog holds it, with the worker and its host connected on the
// default world's open network; ended with the object.
class ConnectedFrontEnd {
 public:
  explicit ConnectedFrontEnd(const wavorel::testing::BenchRoot& root) {
    wavorel::sim::Machine& machine = bench::StoreOpenCurrentProfile(root);
    SetStationHostFactory(&CSorvik2007Dlg::Make);
    parent_ = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 600, 470, nullptr, nullptr, nullptr, nullptr);
    HWND host = CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 100, 590, 360, parent_, nullptr, nullptr, nullptr);
    table_.reset(dynamic_cast<CTableCtrl_QZ*>(CTableCtrl_QZ::Make(CWnd::FromHandle(host))));
    connected_ = table_ && CreateHideDlg() && bench::PumpUntil([&machine] { return machine.adapter(0).connected(); });
    // The link page's values and bars have arrived.
    if (connected_) bench::PumpUntil([this] { return !gxGetWindowText(table_->GetLinkPage().GetValue(1)).IsEmpty(); });
  }
  ~ConnectedFrontEnd() {
    if (table_ && table_->GetSafeHwnd()) {
      table_->SendMessage(WM_DESTROY, 0, 0);
      table_->UnsubclassWindow();
    }
    table_.reset();
    DestroyWindow(parent_);
    SetStationHostFactory(nullptr);
  }
  ConnectedFrontEnd(const ConnectedFrontEnd&) = delete;
  ConnectedFrontEnd& operator=(const ConnectedFrontEnd&) = delete;

  bool connected() const { return connected_; }

 private:
  HWND parent_ = nullptr;
  std::unique_ptr<CTableCtrl_QZ> table_;
  bool connected_ = false;
};

void BM_StationTickEndToEnd(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  ConnectedFrontEnd frontEnd(root);
  if (!frontEnd.connected()) {
    state.SkipWithError("the worker did not connect");
    return;
  }
  const HWND worker = g_pHideDlg->GetSafeHwnd();
  size_t sinceClear = 0;
  for (auto _ : state) {
    SendMessage(worker, WM_TIMER, kPollTimer, 0);
    wavorel::pumpMessages();
    bench::TrimDriverCalls(state, sinceClear);
  }
}
BENCHMARK(BM_StationTickEndToEnd)->MeasureProcessCPUTime();

void BM_StationIdleTick(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  ConnectedFrontEnd frontEnd(root);
  if (!frontEnd.connected()) {
    state.SkipWithError("the worker did not connect");
    return;
  }
  for (auto _ : state) wavorel::pumpMessages();
}
BENCHMARK(BM_StationIdleTick)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
