#include "platform/win/gdi/WindowSurface.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/win/kernel/Root.h"
#include "platform/win/user/User.h"

namespace wavorel::gdi {

namespace {

struct Surfaces {
  std::mutex mutex;
  std::unordered_map<HWND, std::shared_ptr<Bitmap>> windows;
  std::shared_ptr<Bitmap> screen;
  bool shared = false;  // shareWindowSurfaces
};

Surfaces& surfaces() {
  static Surfaces s;
  return s;
}

const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(surfaces().mutex);
                        surfaces().windows.clear();
                        surfaces().screen.reset();
                        surfaces().shared = false;
                      }),
                      true);

// A window's surface at a new size (or moved into shared memory), keeping
// the pixels that still fit.
std::shared_ptr<Bitmap> resized(const std::shared_ptr<Bitmap>& old, int width, int height, bool& shared) {
  std::shared_ptr<Bitmap> fresh;
  if (!shared) {
    fresh = Bitmap::makeDdb(width, height, 32);
  } else if (Bitmap::validSize(width, height, 32)) {
    fresh = std::make_shared<Bitmap>(Surface::sharedMemory(width, height), false);
    shared = fresh->surface().shmId() >= 0;
  }
  if (!fresh || !old) return fresh;
  const Surface& from = old->surface();
  Surface& to = fresh->surface();
  int w = std::min(from.width(), width), h = std::min(from.height(), height);
  for (int y = 0; y < h; ++y) std::memcpy(to.row32(y), from.row32(y), static_cast<size_t>(w) * 4);
  return fresh;
}

}  // namespace

std::shared_ptr<Bitmap> windowSurface(HWND topLevel) {
  RECT r;
  if (!IsWindow(topLevel) || !GetWindowRect(topLevel, &r)) return nullptr;
  int width = r.right - r.left, height = r.bottom - r.top;
  Surfaces& s = surfaces();
  std::lock_guard<std::mutex> lock(s.mutex);
  // Forget the surfaces of windows that are gone.
  for (auto it = s.windows.begin(); it != s.windows.end();)
    it = IsWindow(it->first) ? std::next(it) : s.windows.erase(it);
  auto& slot = s.windows[topLevel];
  if (!slot || slot->surface().width() != width || slot->surface().height() != height ||
      (s.shared && slot->surface().shmId() < 0))
    slot = resized(slot, width, height, s.shared);
  return slot;
}

void shareWindowSurfaces(bool on) {
  Surfaces& s = surfaces();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.shared = on;
}

std::shared_ptr<Bitmap> screenSurface() {
  Surfaces& s = surfaces();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.screen) s.screen = Bitmap::makeDdb(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 32);
  return s.screen;
}

bool screenSurfaceMade() {
  Surfaces& s = surfaces();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.screen != nullptr;
}

}  // namespace wavorel::gdi
