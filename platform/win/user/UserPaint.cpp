// Update regions: invalidation, validation and the WM_PAINT requests they make.
#include <memory>
#include <vector>

#include "platform/win/kernel/Errors.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

using wavorel::Window;
using wavorel::WindowManager;

namespace {

// Applies RedrawWindow's invalidation or validation to `w` and, as the flags
// and WS_CLIPCHILDREN say, to its children. `area` is in `w`'s client
// coordinates; nullptr means the whole client area.
void redrawTree(Window& w, const wavorel::Region* area, UINT flags) {
  if (flags & RDW_INVALIDATE) {
    if (area) {
      for (const RECT& r : area->rects()) wavorel::invalidate(w, &r, (flags & RDW_ERASE) != 0);
    } else {
      wavorel::invalidate(w, nullptr, (flags & RDW_ERASE) != 0);
    }
  }
  if (flags & RDW_INTERNALPAINT) {
    bool before = w.needsPaint();
    w.internalPaint = true;
    if (!before && w.queue) w.queue->paintCount++;
  }
  if (flags & RDW_VALIDATE) {
    if (area) {
      for (const RECT& r : area->rects()) wavorel::validate(w, &r);
    } else {
      wavorel::validate(w, nullptr);
    }
  }
  if (flags & RDW_NOERASE) w.erase = false;
  if ((flags & RDW_NOINTERNALPAINT) && w.internalPaint) {
    w.internalPaint = false;
    if (!w.needsPaint() && w.queue) w.queue->paintCount--;
  }
  bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w.style & WS_CLIPCHILDREN));
  if (!children) return;
  for (HWND h : w.children) {
    auto c = WindowManager::instance().find(h);
    if (!c) continue;
    RECT f = c->frame();
    LONG dx = c->rect.left + f.left, dy = c->rect.top + f.top;
    if (area) {
      wavorel::Region sub = *area;
      sub.offset(-dx, -dy);
      sub.intersect(c->clientRect());
      if (!sub.empty()) redrawTree(*c, &sub, flags);
    } else {
      redrawTree(*c, nullptr, flags);
    }
  }
}

// A child draws into its top-level window's surface: an ancestor that is
// still to paint paints first, or it would later paint over the child that
// has painted already (the page of a dialog shown again, whose field takes
// the focus back and has its parent repaint at once).
void paintAncestorsFirst(const Window& w) {
  const HWND desktop = WindowManager::instance().desktopHandle();
  std::vector<std::shared_ptr<Window>> ancestors;
  for (auto p = wavorel::parentOf(w); p && p->hwnd != desktop; p = wavorel::parentOf(*p)) ancestors.push_back(p);
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
    if ((*it)->needsPaint() && wavorel::visibleChain(**it)) wavorel::sendTo(*it, WM_PAINT, 0, 0);
}

void paintNow(const std::shared_ptr<Window>& w, bool children) {
  if (w->needsPaint() && wavorel::visibleChain(*w)) wavorel::sendTo(w, WM_PAINT, 0, 0);
  if (!children) return;
  for (HWND h : std::vector<HWND>(w->children))
    if (auto c = WindowManager::instance().find(h)) paintNow(c, true);
}

}  // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  auto& wm = WindowManager::instance();
  auto w = hwnd ? wavorel::ownWindowOrFail(hwnd) : wm.find(wm.desktopHandle());
  if (!w) return FALSE;
  if (!hwnd) {
    // Every top-level window of this thread.
    for (HWND h : std::vector<HWND>(w->children)) {
      auto t = wm.find(h);
      if (t && t->threadId == wavorel::MessageQueue::currentThreadId()) RedrawWindow(h, rect, region, flags);
    }
    return TRUE;
  }
  std::unique_ptr<wavorel::Region> area;
  if (region) {
    auto r = wavorel::regionFromHandle(region);
    if (r) area = std::make_unique<wavorel::Region>(*r);
  } else if (rect) {
    area = std::make_unique<wavorel::Region>(*rect);
  }
  redrawTree(*w, area.get(), flags);
  if (flags & RDW_UPDATENOW) {
    paintAncestorsFirst(*w);
    paintNow(w, (flags & RDW_ALLCHILDREN) != 0);
  }
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) { return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE); }

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return FALSE;
  if (rect) *rect = w->update.bounds();
  return w->update.empty() ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w) return FALSE;
  paintNow(w, false);
  return TRUE;
}

namespace wavorel {

BOOL takeUpdateRegion(HWND hwnd, RECT* bounds, BOOL* erase) {
  auto w = windowOrFail(hwnd);
  if (!w) return FALSE;
  bool had = w->needsPaint();
  if (bounds) *bounds = w->update.bounds();
  if (erase) *erase = w->erase ? TRUE : FALSE;
  validate(*w, nullptr);
  return had ? TRUE : FALSE;
}

}  // namespace wavorel
