// Text: DrawText of a 20-character label, centred on one line, into a
// 32-bit memory bitmap (glyphs cached after the first run).
#include <benchmark/benchmark.h>

#include "platform/win/gdi/Fonts.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"

namespace {

void BM_DrawTextLabel(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 200;
  info.bmiHeader.biHeight = -24;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (auto _ : state) {
    RECT r{0, 0, 200, 24};
    benchmark::DoNotOptimize(DrawText(dc, "Signal Strength: 87%", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
BENCHMARK(BM_DrawTextLabel);

}  // namespace

BENCHMARK_MAIN();
