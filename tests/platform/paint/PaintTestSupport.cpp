#include "PaintTestSupport.h"

#include <cstdlib>

namespace wavorel::testing {

namespace {

LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& rec = PaintTest::records()[hwnd];
  if (msg == WM_ERASEBKGND) ++rec.erases;
  if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wParam, lParam);
  ++rec.paints;
  HDC dc = BeginPaint(hwnd, &rec.last);
  RECT all;
  GetClientRect(hwnd, &all);
  HBRUSH brush = CreateSolidBrush(rec.fill);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  EndPaint(hwnd, &rec.last);
  return 0;
}

}  // namespace

std::map<HWND, PaintRecord>& PaintTest::records() {
  static std::map<HWND, PaintRecord> all;
  return all;
}

void PaintTest::SetUp() {
  PlatformTest::SetUp();
  records().clear();
  for (bool background : {true, false}) {
    WNDCLASS wc{};
    wc.lpfnWndProc = recordingProc;
    wc.hbrBackground = background ? reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1) : nullptr;
    wc.lpszClassName = background ? "PaintRec" : "PaintRecBare";
    ASSERT_TRUE(RegisterClass(&wc));
  }
}

HWND PaintTest::make(DWORD style, int x, int y, int cx, int cy, HWND parent, COLORREF fill, bool background) {
  HWND h = CreateWindowEx(0, background ? "PaintRec" : "PaintRecBare", "", style, x, y, cx, cy, parent, nullptr,
                          nullptr, nullptr);
  records()[h].fill = fill;
  return h;
}

int countColour(const WindowImage& image, RECT r, COLORREF c, int tolerance) {
  auto near = [&](COLORREF p) {
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((c >> shift) & 0xFF)) > tolerance)
        return false;
    return true;
  };
  int n = 0;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x) n += image.opaqueAt(x, y) && near(image.colorAt(x, y));
  return n;
}

}  // namespace wavorel::testing
