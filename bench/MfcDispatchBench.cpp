// Message-map dispatch: a message found in the derived class's map, one found
// two base maps down past every other entry, a command by id range, and a
// message no entry takes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/testing/BenchRoot.h"
#include "platform/win/kernel/Root.h"

namespace {

long g_count = 0;

class CBase : public CWnd {
 public:
  LRESULT OnDeep(WPARAM, LPARAM) { return ++g_count; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBase, CWnd)
  ON_MESSAGE(WM_APP + 100, &CBase::OnDeep)
END_MESSAGE_MAP()

class CMiddle : public CBase {
 public:
  LRESULT OnOther(WPARAM, LPARAM) { return ++g_count; }
  void OnTimer(UINT_PTR) { ++g_count; }
  void OnPaint() { ++g_count; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMiddle, CBase)
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_MESSAGE(WM_APP + 1, &CMiddle::OnOther)
  ON_MESSAGE(WM_APP + 2, &CMiddle::OnOther)
  ON_MESSAGE(WM_APP + 3, &CMiddle::OnOther)
  ON_MESSAGE(WM_APP + 4, &CMiddle::OnOther)
  ON_MESSAGE(WM_APP + 5, &CMiddle::OnOther)
  ON_MESSAGE(WM_APP + 6, &CMiddle::OnOther)
END_MESSAGE_MAP()

class CDerived : public CMiddle {
 public:
  LRESULT OnNear(WPARAM, LPARAM) { return ++g_count; }
  void OnCommandRange(UINT) { ++g_count; }
  void OnClicked() { ++g_count; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerived, CMiddle)
  ON_MESSAGE(WM_APP + 10, &CDerived::OnNear)
  ON_BN_CLICKED(1, &CDerived::OnClicked)
  ON_BN_CLICKED(2, &CDerived::OnClicked)
  ON_BN_CLICKED(3, &CDerived::OnClicked)
  ON_COMMAND_RANGE(1000, 1099, &CDerived::OnCommandRange)
  ON_MESSAGE(WM_APP + 11, &CDerived::OnNear)
  ON_MESSAGE(WM_APP + 12, &CDerived::OnNear)
END_MESSAGE_MAP()

void dispatch(benchmark::State& state, UINT message, WPARAM wParam) {
  static wavorel::testing::BenchRoot root;
  CDerived wnd;
  wnd.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  for (auto _ : state) benchmark::DoNotOptimize(wnd.SendMessage(message, wParam, 0));
}

void BM_MfcNearEntry(benchmark::State& state) { dispatch(state, WM_APP + 10, 0); }
BENCHMARK(BM_MfcNearEntry);

void BM_MfcDeepEntry(benchmark::State& state) { dispatch(state, WM_APP + 100, 0); }
BENCHMARK(BM_MfcDeepEntry);

void BM_MfcCommandRange(benchmark::State& state) { dispatch(state, WM_COMMAND, MAKEWPARAM(1050, 0)); }
BENCHMARK(BM_MfcCommandRange);

void BM_MfcUnhandled(benchmark::State& state) { dispatch(state, WM_APP + 200, 0); }
BENCHMARK(BM_MfcUnhandled);

}  // namespace
BENCHMARK_MAIN();
