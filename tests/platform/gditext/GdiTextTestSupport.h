// A memory DC over a 32-bit top-down DIB section, filled white.
#pragma once

#include <gtest/gtest.h>

#include "platform/win/user/ControlDrawing.h"
#include "platform/win/gdi/Fonts.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/testing/PlatformTest.h"

namespace wavorel::testing {

// A 32-bit top-down DIB section of `width` x `height` pixels.
inline HBITMAP CreateTopDownDib32(HDC dc, int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

class CanvasTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap = CreateTopDownDib32(dc, kWidth, kHeight, &bits);
    ASSERT_NE(bitmap, nullptr);
    oldBitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
  }
  void TearDown() override {
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    PlatformTest::TearDown();
  }
  COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
  // Pixels of colour `c` in the rectangle.
  int count(const RECT& r, COLORREF c) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += at(x, y) == c ? 1 : 0;
    return n;
  }

  static constexpr int kWidth = 200;
  static constexpr int kHeight = 120;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
};

}  // namespace wavorel::testing
