// Message dispatch: a direct send, a post taken out of the queue and
// dispatched, and a timer firing on the virtual clock.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/testing/BenchRoot.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Root.h"

namespace {

LRESULT CALLBACK countingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  static long count = 0;
  if (msg == WM_USER || msg == WM_TIMER) return ++count;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// A fresh platform with one window of a counting class.
HWND benchWindow() {
  static wavorel::testing::BenchRoot root;
  wavorel::setPlatformRoot(root.path());
  WNDCLASS wc{};
  wc.lpfnWndProc = countingProc;
  wc.lpszClassName = "BenchWnd";
  RegisterClass(&wc);
  return CreateWindowEx(0, "BenchWnd", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

void BM_SendMessage(benchmark::State& state) {
  HWND w = benchWindow();
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(w, WM_USER, 1, 2));
  DestroyWindow(w);
}
BENCHMARK(BM_SendMessage);

void BM_PostAndDispatch(benchmark::State& state) {
  HWND w = benchWindow();
  MSG m;
  for (auto _ : state) {
    PostMessage(w, WM_USER, 1, 2);
    PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);
    benchmark::DoNotOptimize(DispatchMessage(&m));
  }
  DestroyWindow(w);
}
BENCHMARK(BM_PostAndDispatch);

void BM_TimerFiring(benchmark::State& state) {
  auto clock = wavorel::installVirtualClock();
  HWND w = benchWindow();
  SetTimer(w, 1, 10, nullptr);
  SetTimer(w, 2, 2000, nullptr);
  MSG m;
  for (auto _ : state) {
    clock->advance(10);
    PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);
    benchmark::DoNotOptimize(DispatchMessage(&m));
  }
  DestroyWindow(w);
}
BENCHMARK(BM_TimerFiring);

}  // namespace

BENCHMARK_MAIN();
