// Pixel probes of the screenshots of Wavorel's station pages: a control's
// place in its frame's picture and the pixels of a kind inside it.
#pragma once

#include <algorithm>

#include "platform/Platform.h"
#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"

namespace xp::testing {

// The frame's picture, written to `file`.
inline wavorel::WindowImage Picture(CWnd& frame, const char* file) {
  wavorel::WindowImage image = wavorel::composeWindow(frame.GetSafeHwnd());
  if (!image.empty()) wavorel::present::writeImage(image, file);
  return image;
}

// A control's rectangle in its frame's picture.
inline CRect PlaceIn(CWnd& frame, CWnd& control) {
  CRect rect;
  control.GetWindowRect(&rect);
  frame.ScreenToClient(&rect);
  return rect;
}

// Pixels inside `rect` (its edge left out, cut to the picture) that `kind` accepts.
template <typename Kind>
int CountPixels(const wavorel::WindowImage& image, const CRect& rect, Kind kind) {
  int count = 0;
  const int top = std::max(0, static_cast<int>(rect.top) + 1);
  const int bottom = std::min(image.height, static_cast<int>(rect.bottom) - 1);
  const int left = std::max(0, static_cast<int>(rect.left) + 1);
  const int right = std::min(image.width, static_cast<int>(rect.right) - 1);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += kind(image.colorAt(x, y)) ? 1 : 0;
  return count;
}

// Strong green: the low-noise and strong-signal bars' colour.
inline bool Green(COLORREF c) {
  return GetGValue(c) >= 0xC0 && GetGValue(c) > GetRValue(c) + 0x20 && GetGValue(c) > GetBValue(c) + 0x20;
}
// Dark: text.
inline bool Ink(COLORREF c) { return GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60; }

}  // namespace xp::testing
