// Composition of the window tree into pixels: a top-level window with its
// children as they painted themselves into its surface, or the whole desktop.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel {

// 32-bit pixels 0xAARRGGBB, rows from the top. Alpha is 0 where the window
// region leaves the window out, 255 elsewhere; a layered window
// (WS_EX_LAYERED) has its constant alpha instead, 0 on its colour key, and is
// all transparent until SetLayeredWindowAttributes was called for it.
struct WindowImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  COLORREF colorAt(int x, int y) const {
    uint32_t p = pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  bool opaqueAt(int x, int y) const { return (pixel(x, y) >> 24) != 0; }
  bool empty() const { return pixels.empty(); }
};

// Paints what is waiting to be painted in the window's tree (parents before
// children), then gives the top-level window of `hwnd` as an image of its
// window rectangle, clipped by its window region. Empty for an invalid window.
WindowImage composeWindow(HWND hwnd);
// The screen: the desktop colour under the visible top-level windows of this
// process, bottom of the z-order first.
WindowImage composeDesktop();

}  // namespace wavorel
