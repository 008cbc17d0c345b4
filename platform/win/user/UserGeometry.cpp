// Window rectangles, SetWindowPos, coordinate mapping, hit-testing and regions.
#include <algorithm>

#include "platform/win/kernel/Errors.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

using wavorel::Window;
using wavorel::WindowManager;

namespace {

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Makes a window that just became visible paint itself and its visible descendants.
void exposeTree(Window& w) {
  wavorel::invalidate(w, nullptr, true);
  for (HWND h : w.children) {
    auto c = WindowManager::instance().find(h);
    if (c && (c->style & WS_VISIBLE)) exposeTree(*c);
  }
}

bool isTopLevel(const Window& w) { return w.parent == WindowManager::instance().desktopHandle(); }

// Point in the window's own coordinates (origin at the window's top-left) inside its region.
bool insideRegion(const Window& w, LONG x, LONG y) {
  if (!w.region) return true;
  auto rgn = wavorel::regionFromHandle(w.region);
  return !rgn || rgn->contains(x, y);
}

bool hitsWindow(const Window& w, POINT screen) {
  RECT r = wavorel::screenRect(w);
  if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom) return false;
  return insideRegion(w, screen.x - r.left, screen.y - r.top);
}

// A child of this thread that answers WM_NCHITTEST with HTTRANSPARENT (a
// group box) is passed over: the mouse reaches the controls it frames.
bool transparentToMouse(const std::shared_ptr<Window>& c, POINT screen) {
  if (c->threadId != wavorel::MessageQueue::currentThreadId()) return false;
  return wavorel::sendTo(c, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT;
}

HWND deepestChildAt(const Window& w, POINT screen) {
  for (HWND h : w.children) {
    auto c = WindowManager::instance().find(h);
    if (!c || !(c->style & WS_VISIBLE) || (c->style & WS_DISABLED) || !hitsWindow(*c, screen)) continue;
    if (transparentToMouse(c, screen)) continue;
    HWND deeper = deepestChildAt(*c, screen);
    return deeper ? deeper : h;
  }
  return nullptr;
}

// A child that was hidden or moved uncovers part of its old place: its
// parent and the siblings there paint it again.
void exposeUnder(const wavorel::Window& w, const RECT& oldRect) {
  auto parent = wavorel::parentOf(w);
  if (!parent) return;
  wavorel::Region gone(oldRect);
  if (w.style & WS_VISIBLE) gone.subtract(w.rect);
  for (const RECT& r : gone.rects())
    RedrawWindow(parent->hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w || rect == nullptr) return FALSE;
  *rect = wavorel::screenRect(*w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w || rect == nullptr) return FALSE;
  *rect = w->clientRect();
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  auto& wm = WindowManager::instance();
  if (!w) return FALSE;
  if (hwnd == wm.desktopHandle()) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
  WINDOWPOS wp{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rect.left;
    wp.y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->width();
    wp.cy = w->height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    wavorel::sendTo(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!w->alive()) return FALSE;
  }
  UINT f = wp.flags;
  RECT oldRect = w->rect;
  RECT oldClient = w->clientRect();
  POINT oldOrigin = wavorel::clientOrigin(*w);
  if (!(f & SWP_NOMOVE)) w->rect = {wp.x, wp.y, wp.x + w->width(), wp.y + w->height()};
  if (!(f & SWP_NOSIZE)) w->rect = {w->rect.left, w->rect.top, w->rect.left + wp.cx, w->rect.top + wp.cy};
  if (!(f & SWP_NOZORDER))
    if (auto parent = wavorel::parentOf(*w)) wavorel::placeInZOrder(*parent, *w, wp.hwndInsertAfter);
  if ((f & SWP_FRAMECHANGED) || oldRect.right - oldRect.left != w->width() || oldRect.bottom - oldRect.top != w->height()) {
    RECT frameRect = w->rect;
    wavorel::sendTo(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&frameRect));
    if (!w->alive()) return FALSE;
  }
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  RECT newClient = w->clientRect();
  bool sized = !sameRect(oldClient, newClient);
  if ((f & SWP_SHOWWINDOW) && !wasVisible) {
    w->style |= WS_VISIBLE;
    exposeTree(*w);
  } else if ((f & SWP_HIDEWINDOW) && wasVisible) {
    w->style &= ~WS_VISIBLE;
  } else if (wasVisible && !(f & SWP_NOREDRAW) && (sized || (f & SWP_FRAMECHANGED))) {
    if ((w->cls->style & (CS_HREDRAW | CS_VREDRAW)) || (f & SWP_FRAMECHANGED)) {
      wavorel::invalidate(*w, nullptr, true);
    } else {
      wavorel::Region grown(newClient);
      grown.subtract(oldClient);
      for (const RECT& r : grown.rects()) wavorel::invalidate(*w, &r, true);
    }
  }
  if (w->isChild() && wasVisible && !(f & SWP_NOREDRAW) && !sameRect(oldRect, w->rect) && (w->style & WS_VISIBLE))
    wavorel::invalidate(*w, nullptr, true);  // a child's pixels do not move with it
  if (w->isChild() && wasVisible && !(f & SWP_NOREDRAW) && (!(w->style & WS_VISIBLE) || !sameRect(oldRect, w->rect)))
    exposeUnder(*w, oldRect);
  POINT newOrigin = wavorel::clientOrigin(*w);
  WINDOWPOS done{hwnd, wp.hwndInsertAfter, w->rect.left, w->rect.top, w->width(), w->height(), f};
  if (sameRect(oldRect, w->rect)) done.flags |= SWP_NOMOVE | SWP_NOSIZE;
  if (oldOrigin.x == newOrigin.x && oldOrigin.y == newOrigin.y) done.flags |= SWP_NOCLIENTMOVE;
  if (!sized) done.flags |= SWP_NOCLIENTSIZE;
  wavorel::sendTo(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  if (!w->alive()) return TRUE;
  bool nowVisible = (w->style & WS_VISIBLE) != 0;
  if (isTopLevel(*w)) {
    if (nowVisible && !wasVisible && !(f & SWP_NOACTIVATE)) wavorel::activate(hwnd);
    if (!nowVisible && wasVisible && wm.active == hwnd) {
      auto owner = wm.find(w->owner);
      wavorel::activate(owner && (owner->style & WS_VISIBLE) ? w->owner : nullptr);
    }
    if (nowVisible != wasVisible) wavorel::publishWindow(*w);
  }
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from) {
    auto w = wavorel::windowOrFail(from);
    if (!w) return 0;
    a = wavorel::clientOrigin(*w);
  }
  if (to) {
    auto w = wavorel::windowOrFail(to);
    if (!w) return 0;
    b = wavorel::clientOrigin(*w);
  }
  LONG dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w || pt == nullptr) return FALSE;
  POINT o = wavorel::clientOrigin(*w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w || pt == nullptr) return FALSE;
  POINT o = wavorel::clientOrigin(*w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

HWND WindowFromPoint(POINT pt) {
  auto& wm = WindowManager::instance();
  for (HWND h : wm.desktop().children) {
    auto w = wm.find(h);
    if (!w || !(w->style & WS_VISIBLE) || !hitsWindow(*w, pt)) continue;
    HWND child = deepestChildAt(*w, pt);
    return child ? child : h;
  }
  return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
  auto w = wavorel::windowOrFail(parent);
  if (!w) return nullptr;
  RECT client = w->clientRect();
  if (pt.x < client.left || pt.x >= client.right || pt.y < client.top || pt.y >= client.bottom) return nullptr;
  POINT origin = wavorel::clientOrigin(*w);
  POINT screen{pt.x + origin.x, pt.y + origin.y};
  for (HWND h : w->children) {
    auto c = WindowManager::instance().find(h);
    if (c && hitsWindow(*c, screen)) return h;
  }
  return parent;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w) return 0;
  if (w->region && w->region != region) wavorel::deleteRegion(w->region);
  w->region = region;
  if (redraw && (w->style & WS_VISIBLE)) wavorel::invalidate(*w, nullptr, true);
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w || !w->region) return RGN_ERROR;
  auto src = wavorel::regionFromHandle(w->region);
  auto dst = wavorel::regionFromHandle(region);
  if (!src || !dst) return RGN_ERROR;
  *dst = *src;
  return dst->complexity();
}
