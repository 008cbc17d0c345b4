// Visibility, minimized and maximized state, enabling, focus, capture and activation.
#include "platform/win/user/Desktop.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/WindowManager.h"

using wavorel::Window;
using wavorel::WindowManager;

namespace {

bool isTopLevel(const Window& w) { return w.parent == WindowManager::instance().desktopHandle(); }

// A maximized window fills its parent's client area (the work area for a
// top-level window) with its side frame just outside it.
RECT maximizedRect(const Window& w) {
  RECT area;
  if (isTopLevel(w)) {
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  } else {
    auto parent = wavorel::parentOf(w);
    area = parent ? parent->clientRect() : RECT{0, 0, 0, 0};
  }
  LONG edge = w.frame().left;
  return {area.left - edge, area.top - edge, area.right + edge, area.bottom + edge};
}

RECT minimizedRect() {
  return {-32000, -32000, -32000 + GetSystemMetrics(SM_CXMINIMIZED), -32000 + GetSystemMetrics(SM_CYMINIMIZED)};
}

void activateOwnerOf(const Window& w) {
  auto owner = WindowManager::instance().find(w.owner);
  wavorel::activate(owner && (owner->style & WS_VISIBLE) && !(owner->style & WS_DISABLED) ? w.owner : nullptr);
}

bool focusInside(HWND hwnd) {
  HWND f = WindowManager::instance().focus;
  return f && (f == hwnd || wavorel::isDescendant(hwnd, f));
}

}  // namespace

namespace wavorel {

void activate(HWND hwnd) {
  auto& wm = WindowManager::instance();
  HWND old = wm.active;
  if (old == hwnd) return;
  wm.active = hwnd;
  if (auto o = wm.find(old))
    sendTo(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
  if (wm.active != hwnd) return;  // changed again while deactivating
  auto n = wm.find(hwnd);
  if (!n) {
    if (wm.focus) SetFocus(nullptr);
    return;
  }
  if (isTopLevel(*n)) placeInZOrder(wm.desktop(), *n, HWND_TOP);
  sendTo(n, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, (n->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(old));
}

}  // namespace wavorel

BOOL ShowWindow(HWND hwnd, int cmd) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  enum class Place { Keep, Minimize, Maximize, Restore } place = Place::Keep;
  bool show = true;
  bool activateIt = false;
  switch (cmd) {
    case SW_HIDE: show = false; break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT: place = Place::Restore; activateIt = true; break;
    case SW_SHOWNOACTIVATE: place = Place::Restore; break;
    case SW_SHOWMINIMIZED: place = Place::Minimize; activateIt = true; break;
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: place = Place::Minimize; break;
    case SW_SHOWMAXIMIZED: place = Place::Maximize; activateIt = true; break;
    case SW_SHOW: activateIt = true; break;
    case SW_SHOWNA: break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return wasVisible;
  }
  if (show != static_cast<bool>(wasVisible)) {
    wavorel::sendTo(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!w->alive()) return wasVisible;
  }
  RECT target = w->rect;
  const DWORD minMax = WS_MINIMIZE | WS_MAXIMIZE;
  if (place == Place::Minimize && !(w->style & WS_MINIMIZE)) {
    if (!(w->style & WS_MAXIMIZE)) w->normalRect = w->rect;
    w->style = (w->style & ~minMax) | WS_MINIMIZE;
    target = minimizedRect();
  } else if (place == Place::Maximize && !(w->style & WS_MAXIMIZE)) {
    if (!(w->style & WS_MINIMIZE)) w->normalRect = w->rect;
    w->style = (w->style & ~minMax) | WS_MAXIMIZE;
    target = maximizedRect(*w);
  } else if (place == Place::Restore && (w->style & minMax)) {
    w->style &= ~minMax;
    target = w->normalRect;
  }
  // A window that appears now is activated by SetWindowPos, unless its
  // WM_WINDOWPOSCHANGING asks for SWP_NOACTIVATE; one already shown is
  // activated here.
  const bool appears = show && !wasVisible;
  UINT flags = SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  if (!(activateIt && appears)) flags |= SWP_NOACTIVATE;
  SetWindowPos(hwnd, nullptr, target.left, target.top, target.right - target.left, target.bottom - target.top, flags);
  if (!w->alive()) return wasVisible;
  if (isTopLevel(*w)) {
    if (activateIt && show && !appears) wavorel::activate(hwnd);
    if (place == Place::Minimize && !activateIt && WindowManager::instance().active == hwnd) activateOwnerOf(*w);
  }
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  if (auto w = WindowManager::instance().find(hwnd)) return wavorel::visibleChain(*w) ? TRUE : FALSE;
  wavorel::Desktop::ForeignWindow fw;
  return wavorel::Desktop::instance().foreignWindow(hwnd, &fw) && (fw.style & WS_VISIBLE) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
  auto w = WindowManager::instance().find(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  auto w = WindowManager::instance().find(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    wavorel::sendTo(w, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    wavorel::sendTo(w, WM_CANCELMODE, 0, 0);
    w->style |= WS_DISABLED;
    if (focusInside(hwnd)) SetFocus(nullptr);
    wavorel::sendTo(w, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  auto w = WindowManager::instance().find(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

HWND SetFocus(HWND hwnd) {
  auto& wm = WindowManager::instance();
  HWND before = wm.focus;
  if (hwnd) {
    auto w = wavorel::ownWindowOrFail(hwnd);
    if (!w) return nullptr;
    auto top = wavorel::topLevelOf(w);
    if (wm.active != top->hwnd) {
      // A hidden window (a program's helper dialog whose buttons it presses)
      // does not take the activation, and so the keyboard, from a shown one.
      auto active = wm.find(wm.active);
      if (!(top->style & WS_VISIBLE) && active && (active->style & WS_VISIBLE)) return nullptr;
      wavorel::activate(top->hwnd);
    }
    if (!w->alive()) return nullptr;
  }
  HWND prev = wm.focus;
  if (prev == hwnd) return before;
  wm.focus = hwnd;
  if (auto p = wm.find(prev)) wavorel::sendTo(p, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (wm.focus == hwnd) {
    if (auto n = wm.find(hwnd)) wavorel::sendTo(n, WM_SETFOCUS, reinterpret_cast<WPARAM>(prev), 0);
  }
  return before;
}

HWND GetFocus() { return WindowManager::instance().focus; }

HWND SetCapture(HWND hwnd) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  auto& wm = WindowManager::instance();
  HWND prev = wm.capture;
  if (!w) return prev;
  wm.capture = hwnd;
  if (prev && prev != hwnd)
    if (auto p = wm.find(prev)) wavorel::sendTo(p, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return prev;
}

BOOL ReleaseCapture() {
  auto& wm = WindowManager::instance();
  HWND prev = wm.capture;
  wm.capture = nullptr;
  if (auto p = wm.find(prev)) wavorel::sendTo(p, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return WindowManager::instance().capture; }

HWND SetActiveWindow(HWND hwnd) {
  auto& wm = WindowManager::instance();
  HWND prev = wm.active;
  if (hwnd == nullptr) {
    wavorel::activate(nullptr);
    return prev;
  }
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w) return nullptr;
  wavorel::activate(wavorel::topLevelOf(w)->hwnd);
  return prev;
}

HWND GetActiveWindow() { return WindowManager::instance().active; }

BOOL SetForegroundWindow(HWND hwnd) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w) return FALSE;
  wavorel::activate(wavorel::topLevelOf(w)->hwnd);
  return TRUE;
}

HWND GetForegroundWindow() { return WindowManager::instance().active; }

BOOL BringWindowToTop(HWND hwnd) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w || !SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) return FALSE;
  if (isTopLevel(*w) && (w->style & WS_VISIBLE)) wavorel::activate(hwnd);
  return TRUE;
}
