// Soft-AP mode's steady work end to end while nothing changes: one 2-second
// poll tick of the AP worker with a station associated (its driver queries,
// the tray state it reports over the bridge), the AP tab control taking the
// reports, and the repaint of what changed; beside it the idle tick of the
// same front end (the queue pumped with nothing due).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "bench/StationBenchSetup.h"
#include "frontend/TableCtrl_AP.h"
#include "platform/sim/radio/World.h"
#include "softap/HideDlg_AP.h"

namespace {

// The AP tab control on a host static of a top-level window, as the main
// dialog holds it, with the AP worker it started up and one station at
// -50 dBm associated; ended with the object.
class ApFrontEnd {
 public:
  explicit ApFrontEnd(const wavorel::testing::BenchRoot& root) {
    const std::string world = root.path() + "/world.ini";
    std::ofstream(world, std::ios::binary) << wavorel::sim::defaultWorldText()
                                           << "\n[Client Laptop]\nAdapter = Adapter1\nMac = 00-24-D7-00-00-01\n"
                                              "Signal = -50\nArrives = 1\n";
    setenv("WAVOREL_WORLD", world.c_str(), 1);
    bench::InstallProgramFolder(root);
    parent_ = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 600, 470, nullptr, nullptr, nullptr, nullptr);
    HWND host = CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 100, 590, 360, parent_, nullptr, nullptr, nullptr);
    table_.reset(dynamic_cast<CTableCtrl_AP*>(CTableCtrl_AP::Make(CWnd::FromHandle(host))));
    if (!table_) return;
    // The control's start of the worker, without waiting its second.
    table_->SendMessage(WM_TIMER, TIMER_AP_START_WORKER, 0);
    running_ = GetHideDlgAP() && bench::PumpUntil([] {
                 SendMessage(GetHideDlgAP()->GetSafeHwnd(), WM_TIMER, CHideDlg_AP::kPollTimer, 0);
                 return !GetHideDlgAP()->IsKeyPending() &&
                        wavorel::sim::machine().adapter(0).softAp().strongestStation() == -50;
               });
  }
  ~ApFrontEnd() {
    if (table_ && table_->GetSafeHwnd()) {
      table_->SendMessage(WM_DESTROY, 0, 0);
      table_->UnsubclassWindow();
    }
    table_.reset();
    CloseAPOnExit();
    DestroyWindow(parent_);
    unsetenv("WAVOREL_WORLD");
  }
  ApFrontEnd(const ApFrontEnd&) = delete;
  ApFrontEnd& operator=(const ApFrontEnd&) = delete;

  bool running() const { return running_; }

 private:
  HWND parent_ = nullptr;
  std::unique_ptr<CTableCtrl_AP> table_;
  bool running_ = false;
};

void BM_ApTickEndToEnd(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  ApFrontEnd frontEnd(root);
  if (!frontEnd.running()) {
    state.SkipWithError("the AP worker did not start with its station");
    return;
  }
  const HWND worker = GetHideDlgAP()->GetSafeHwnd();
  size_t sinceClear = 0;
  for (auto _ : state) {
    SendMessage(worker, WM_TIMER, CHideDlg_AP::kPollTimer, 0);
    wavorel::pumpMessages();
    bench::TrimDriverCalls(state, sinceClear);
  }
}
BENCHMARK(BM_ApTickEndToEnd)->MeasureProcessCPUTime();

void BM_ApIdleTickEndToEnd(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  ApFrontEnd frontEnd(root);
  if (!frontEnd.running()) {
    state.SkipWithError("the AP worker did not start with its station");
    return;
  }
  for (auto _ : state) wavorel::pumpMessages();
}
BENCHMARK(BM_ApIdleTickEndToEnd)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
