#include <algorithm>
#include <cstring>
#include <list>
#include <mutex>
#include <tuple>

#include "platform/present/WindowImage.h"
#include "platform/win/gdi/WindowSurface.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/LayeredWindows.h"
#include "platform/win/user/Window.h"
#include "platform/win/user/WindowManager.h"

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

// The part of a width x height image that a window region leaves out, kept
// for the last few regions (a region is known by its version): a window's
// region rarely changes while its pictures do.
class OutsideMasks {
 public:
  std::shared_ptr<const std::vector<RECT>> get(const Region& shape, int width, int height) {
    const Key key{shape.version(), width, height};
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = masks_.begin(); it != masks_.end(); ++it)
      if (it->first == key) {
        masks_.splice(masks_.begin(), masks_, it);
        return masks_.front().second;
      }
    Region outside = Region::combine(Region(RECT{0, 0, width, height}), shape, Region::Op::Diff);
    masks_.emplace_front(key, std::make_shared<const std::vector<RECT>>(outside.rects()));
    if (masks_.size() > kKept) masks_.pop_back();
    return masks_.front().second;
  }
  void clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    masks_.clear();
  }

 private:
  using Key = std::tuple<uint64_t, int, int>;
  static constexpr size_t kKept = 8;
  std::mutex mutex_;
  std::list<std::pair<Key, std::shared_ptr<const std::vector<RECT>>>> masks_;
};

OutsideMasks& outsideMasks() {
  static OutsideMasks masks;
  return masks;
}

const bool g_reset = (registerStateReset([] { outsideMasks().clear(); }), true);

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
  const int width = image.width, height = image.height;  // not re-read through the pixel stores
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = s.row32(y);
    uint32_t* to = &image.pixels[static_cast<size_t>(y) * width];
    for (int x = 0; x < width; ++x) to[x] = from[x] | 0xFF000000u;
  }
  if (w->exStyle & WS_EX_LAYERED) applyLayering(image, w->layered);
  if (shape) {
    for (const RECT& r : *outsideMasks().get(*shape, image.width, image.height))
      for (LONG y = r.top; y < r.bottom; ++y) {
        uint32_t* row = &image.pixels[static_cast<size_t>(y) * image.width];
        std::fill(row + r.left, row + r.right, 0u);
      }
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
