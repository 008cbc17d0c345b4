// Test windows that record their painting: each fills its paint DC with its
// own colour and counts WM_PAINT and WM_ERASEBKGND.
#pragma once

#include <map>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/present/WindowImage.h"

namespace wavorel::testing {

struct PaintRecord {
  COLORREF fill = RGB(255, 0, 0);
  int paints = 0;
  int erases = 0;
  PAINTSTRUCT last{};
};

class PaintTest : public PlatformTest {
 public:
  static std::map<HWND, PaintRecord>& records();

 protected:
  void SetUp() override;
  // A window of the recording class ("PaintRec", background COLOR_WINDOW+1,
  // or none when `background` is false).
  HWND make(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, COLORREF fill = RGB(255, 0, 0),
            bool background = true);
  static PaintRecord& record(HWND hwnd) { return records()[hwnd]; }
};

// Counts pixels of `image` inside `r` with colour `c`, each channel within
// `tolerance` (text edges are blended with the background).
int countColour(const WindowImage& image, RECT r, COLORREF c, int tolerance = 0);

}  // namespace wavorel::testing
