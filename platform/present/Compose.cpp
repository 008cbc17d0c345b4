#include <algorithm>
#include <cstring>

#include "platform/present/WindowImage.h"
#include "platform/win/WindowManager.h"
#include "platform/win/gdi/WindowSurface.h"

namespace wavorel {

WindowImage composeWindow(HWND hwnd) {
  WindowImage image;
  HWND top = IsWindow(hwnd) ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  auto w = top ? WindowManager::instance().find(top) : nullptr;
  if (!w) return image;
  RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto surface = gdi::windowSurface(top);
  if (!surface || !w->alive()) return image;
  const gdi::Surface& s = surface->surface();
  image.width = s.width();
  image.height = s.height();
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  std::shared_ptr<Region> shape = w->region ? regionFromHandle(w->region) : nullptr;
  for (int y = 0; y < image.height; ++y) {
    const uint32_t* from = s.row32(y);
    uint32_t* to = &image.pixels[static_cast<size_t>(y) * image.width];
    for (int x = 0; x < image.width; ++x) to[x] = from[x] | 0xFF000000u;
  }
  if (shape) {
    Region outside(RECT{0, 0, image.width, image.height});
    outside = Region::combine(outside, *shape, Region::Op::Diff);
    for (const RECT& r : outside.rects())
      for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x) image.pixels[static_cast<size_t>(y) * image.width + x] = 0;
  }
  return image;
}

WindowImage composeDesktop() {
  WindowImage screen;
  screen.width = GetSystemMetrics(SM_CXSCREEN);
  screen.height = GetSystemMetrics(SM_CYSCREEN);
  COLORREF desk = GetSysColor(COLOR_DESKTOP);
  uint32_t back = 0xFF000000u | (GetRValue(desk) << 16) | (GetGValue(desk) << 8) | GetBValue(desk);
  screen.pixels.assign(static_cast<size_t>(screen.width) * screen.height, back);
  std::vector<HWND> tops = WindowManager::instance().desktop().children;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    RECT at;
    GetWindowRect(*it, &at);
    WindowImage image = composeWindow(*it);
    for (int y = 0; y < image.height; ++y) {
      int sy = at.top + y;
      if (sy < 0 || sy >= screen.height) continue;
      for (int x = 0; x < image.width; ++x) {
        int sx = at.left + x;
        if (sx >= 0 && sx < screen.width && image.opaqueAt(x, y))
          screen.pixels[static_cast<size_t>(sy) * screen.width + sx] = image.pixel(x, y);
      }
    }
  }
  return screen;
}

}  // namespace wavorel
