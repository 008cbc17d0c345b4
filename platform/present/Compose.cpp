#include <algorithm>
#include <cstring>

#include "platform/present/WindowImage.h"
#include "platform/win/user/LayeredWindows.h"
#include "platform/win/user/Window.h"
#include "platform/win/user/WindowManager.h"
#include "platform/win/gdi/WindowSurface.h"

namespace wavorel {

namespace {

// A layered window shows nothing until its attributes are set; then its
// colour key is cut out and the rest takes its constant alpha.
void applyLayering(WindowImage& image, const LayeredAttributes& layered) {
  const uint32_t alpha = !layered.set ? 0 : (layered.flags & LWA_ALPHA) ? layered.alpha : 255;
  const bool keyed = layered.set && (layered.flags & LWA_COLORKEY);
  const uint32_t key = (GetRValue(layered.key) << 16) | (GetGValue(layered.key) << 8) | GetBValue(layered.key);
  for (uint32_t& p : image.pixels) {
    const uint32_t rgb = p & 0x00FFFFFFu;
    p = (keyed && rgb == key) ? rgb : (alpha << 24) | rgb;
  }
}

uint32_t blend(uint32_t under, uint32_t over) {
  const uint32_t a = over >> 24;
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t u = (under >> shift) & 0xFF;
    const uint32_t o = (over >> shift) & 0xFF;
    out |= ((o * a + u * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

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
  if (w->exStyle & WS_EX_LAYERED) applyLayering(image, w->layered);
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
        if (sx >= 0 && sx < screen.width && image.opaqueAt(x, y)) {
          uint32_t& at = screen.pixels[static_cast<size_t>(sy) * screen.width + sx];
          at = blend(at, image.pixel(x, y));
        }
      }
    }
  }
  return screen;
}

}  // namespace wavorel
