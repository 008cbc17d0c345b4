// The link status page's passes as the benchmarks time them: the page on a
// visible frame of its own (so that its controls paint), a first pass that
// only keeps the byte counts, then per iteration one pass, the repaint of
// what it changed and the posted bridge values taken.
#pragma once

#include <benchmark/benchmark.h>

#include "bench/DriverCallTrim.h"
#include "platform/Platform.h"
#include "platform/testing/Drivers.h"
#include "station/status/LinkStatusDlg.h"

namespace bench {

inline void TimeLinkPagePasses(benchmark::State& state, const char* frameClass) {
  CWnd frame;
  frame.CreateEx(0, frameClass, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 820, 400), nullptr, 0);
  CLinkStatusDlg page(&frame);
  page.Create(IDD_LINK_STATUS, &frame);
  page.ShowWindow(SW_SHOW);
  page.MeasurementPass();
  wavorel::pumpMessages();
  size_t sinceClear = 0;
  for (auto _ : state) {
    page.MeasurementPass();
    page.UpdateWindow();
    wavorel::pumpMessages();
    TrimDriverCalls(state, sinceClear);
  }
  page.DestroyWindow();
  frame.DestroyWindow();
}

}  // namespace bench
