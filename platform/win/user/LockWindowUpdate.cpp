// LockWindowUpdate: one window of the process at a time stops painting. The
// locked window is taken out of the paint order the way WM_SETREDRAW does here
// (its visible flag is cleared without any message); unlocking restores the
// flag and invalidates the window and its children with erasing.
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/User.h"
#include "platform/win/user/WindowManager.h"

namespace {

struct Lock {
  HWND hwnd = nullptr;
  bool wasVisible = false;
};
Lock g_lock;

const bool g_resetRegistered = [] {
  wavorel::registerStateReset([] { g_lock = Lock{}; });
  return true;
}();

}  // namespace

BOOL LockWindowUpdate(HWND hWndLock) {
  auto& wm = wavorel::WindowManager::instance();
  if (hWndLock == nullptr) {
    const Lock held = g_lock;
    g_lock = Lock{};
    if (!held.hwnd) return FALSE;
    auto w = wm.find(held.hwnd);
    if (!w || !w->alive()) return TRUE;  // destroyed while locked
    if (held.wasVisible) w->style |= WS_VISIBLE;
    RedrawWindow(held.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return TRUE;
  }
  auto w = wm.find(hWndLock);
  if (!w || !w->alive()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (g_lock.hwnd) return FALSE;
  g_lock = Lock{hWndLock, (w->style & WS_VISIBLE) != 0};
  w->style &= ~WS_VISIBLE;
  return TRUE;
}
