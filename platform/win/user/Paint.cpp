// BeginPaint, EndPaint and the update region.
#include "platform/win/user/Paint.h"

#include <atomic>
#include <memory>
#include <utility>

#include "platform/win/kernel/Errors.h"
#include "platform/win/user/Caret.h"
#include "platform/win/user/WindowManager.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/WindowSurface.h"

using wavorel::Region;
using wavorel::Window;
using wavorel::WindowManager;

namespace {

std::atomic<uint64_t> g_paints{0};

// Where a window's rectangle lies in its top-level window's surface.
RECT rectInSurface(const Window& w) {
  if (!w.isChild()) return {0, 0, w.width(), w.height()};
  POINT p{w.rect.left, w.rect.top};
  for (auto parent = wavorel::parentOf(w); parent; parent = wavorel::parentOf(*parent)) {
    RECT f = parent->frame();
    p.x += f.left;
    p.y += f.top;
    if (!parent->isChild()) break;
    p.x += parent->rect.left;
    p.y += parent->rect.top;
  }
  return {p.x, p.y, p.x + w.width(), p.y + w.height()};
}

RECT clientInSurface(const Window& w) {
  RECT r = rectInSurface(w), f = w.frame(), c = w.clientRect();
  return {r.left + f.left, r.top + f.top, r.left + f.left + c.right, r.top + f.top + c.bottom};
}

// Cuts `area` to the window region of `w`, if it has one.
void cutToWindowRegion(Region& area, const Window& w) {
  if (!w.region) return;
  auto shape = wavorel::regionFromHandle(w.region);
  if (!shape) return;
  Region r = *shape;
  RECT at = rectInSurface(w);
  r.offset(at.left, at.top);
  if (area.rects().size() == 1) {  // the usual case: the shape cut to one rectangle
    r.intersect(area.bounds());
    area = std::move(r);
  } else {
    area = Region::combine(area, r, Region::Op::And);
  }
}

void subtractVisibleWindow(Region& area, HWND hwnd) {
  auto c = WindowManager::instance().find(hwnd);
  if (c && (c->style & WS_VISIBLE)) area.subtract(rectInSurface(*c));
}

// The part of `w`'s client area (or whole window) that drawing may reach, in
// surface coordinates.
Region paintableArea(const Window& w, bool whole) {
  Region area(whole ? rectInSurface(w) : clientInSurface(w));
  cutToWindowRegion(area, w);
  if (w.style & WS_CLIPCHILDREN)
    for (HWND h : w.children) subtractVisibleWindow(area, h);
  const Window* at = &w;
  std::shared_ptr<Window> hold;
  while (at->isChild()) {
    auto parent = wavorel::parentOf(*at);
    if (!parent) break;
    if (at->style & WS_CLIPSIBLINGS)
      for (HWND h : parent->children) {
        if (h == at->hwnd) break;  // the rest lie below
        subtractVisibleWindow(area, h);
      }
    area.intersect(clientInSurface(*parent));
    cutToWindowRegion(area, *parent);
    hold = parent;
    at = hold.get();
  }
  return area;
}

// A DC over `w`'s client area clipped to `update` (client coordinates).
HDC updateDc(const std::shared_ptr<Window>& w, Region update) {
  auto top = wavorel::topLevelOf(w);
  auto surface = wavorel::gdi::windowSurface(top ? top->hwnd : w->hwnd);
  RECT client = clientInSurface(*w);
  update.offset(client.left, client.top);
  Region visible = Region::combine(paintableArea(*w, false), update, Region::Op::And);
  return reinterpret_cast<HDC>(wavorel::gdi::insertGdiObject(
      wavorel::gdi::DeviceContext::makeView(surface, POINT{client.left, client.top}, std::move(visible), w->hwnd)));
}

}  // namespace

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  if (!w || !paint) {
    if (w) SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  wavorel::caretBeforePaint(hwnd);
  Region update = w->update;
  bool erase = w->erase;
  RECT bounds{};
  wavorel::takeUpdateRegion(hwnd, &bounds, nullptr);
  HDC dc = updateDc(w, std::move(update));
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->rcPaint = bounds;
  if (erase) {
    RECT f = w->frame();
    if (f.left || f.top || f.right || f.bottom) wavorel::sendTo(w, WM_NCPAINT, 1, 0);
    paint->fErase = wavorel::sendTo(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  }
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  BOOL released = ReleaseDC(hwnd, paint->hdc) ? TRUE : FALSE;
  wavorel::notePainted();
  wavorel::caretAfterPaint(hwnd);
  return released;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  auto out = region ? wavorel::regionFromHandle(region) : nullptr;
  if (!w || !out) return RGN_ERROR;
  *out = w->update;
  if (erase && w->erase && !w->update.empty()) {
    w->erase = false;
    HDC dc = updateDc(w, w->update);
    wavorel::sendTo(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(hwnd, dc);
  }
  return out->complexity();
}

namespace wavorel {

LRESULT paintThroughPrintClient(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (!dc) return 0;
  SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EndPaint(hwnd, &ps);
  return 0;
}

uint64_t paintGeneration() { return g_paints.load(); }

void notePainted() { ++g_paints; }

Region drawableArea(HWND hwnd, bool whole, POINT* origin) {
  auto w = WindowManager::instance().find(hwnd);
  if (!w) return Region();
  RECT at = whole ? rectInSurface(*w) : clientInSurface(*w);
  if (origin) *origin = {at.left, at.top};
  return paintableArea(*w, whole);
}

}  // namespace wavorel
