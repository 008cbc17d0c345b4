#include "platform/win/gdi/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"

using wavorel::gdi::Brush;
using wavorel::gdi::dcFromHandle;
using wavorel::gdi::DeviceContext;
using wavorel::gdi::Pen;

namespace {

// The solid colour a FillRect brush argument paints; false for a null brush.
bool brushColour(HBRUSH brush, COLORREF& colour) {
  const auto value = reinterpret_cast<uintptr_t>(brush);
  if (value >= 1 && value <= COLOR_MENUBAR + 1) {
    colour = GetSysColor(static_cast<int>(value - 1));
    return true;
  }
  auto object = wavorel::gdi::gdiObjectAs<Brush>(brush);
  if (!object || !object->paints()) return false;
  colour = object->colour;
  return true;
}

RECT normalised(int l, int t, int r, int b) { return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)}; }

// A pen dot of the pen's width centred on a device point.
void stamp(DeviceContext& dc, const Pen& pen, LONG x, LONG y) {
  if (pen.width <= 1) {
    dc.plot(x, y, pen.colour);
    return;
  }
  const LONG half = pen.width / 2;
  dc.fillRect(RECT{x - half, y - half, x - half + pen.width, y - half + pen.width}, pen.colour);
}

// Device points from `a` to `b`, leaving out `b`.
void drawLine(DeviceContext& dc, POINT a, POINT b) {
  const Pen* pen = dc.pen();
  if (!pen || !pen->paints()) return;
  const LONG dx = std::labs(b.x - a.x), dy = -std::labs(b.y - a.y);
  const LONG sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
  LONG err = dx + dy;
  LONG x = a.x, y = a.y;
  while (x != b.x || y != b.y) {
    stamp(dc, *pen, x, y);
    const LONG e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

int penWidth(const DeviceContext& dc) {
  const Pen* pen = dc.pen();
  if (!pen || !pen->paints()) return 0;
  return std::max(1, pen->width);
}

void fillWithBrush(DeviceContext& dc, const RECT& r) {
  const Brush* brush = dc.brush();
  if (!brush || !brush->paints() || r.left >= r.right || r.top >= r.bottom) return;
  dc.fillRect(r, brush->colour);
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  auto dc = dcFromHandle(hdc);
  COLORREF colour = 0;
  if (!dc || !rect) return 0;
  if (brushColour(brush, colour)) dc->paintRect(dc->toDevice(*rect), Brush(BS_SOLID, colour), PATCOPY);
  return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  auto dc = dcFromHandle(hdc);
  COLORREF colour = 0;
  if (!dc || !rect) return 0;
  const RECT r = dc->toDevice(*rect);
  if (r.left >= r.right || r.top >= r.bottom || !brushColour(brush, colour)) return 1;
  const Brush b(BS_SOLID, colour);
  dc->paintRect(RECT{r.left, r.top, r.right, r.top + 1}, b, PATCOPY);
  dc->paintRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, b, PATCOPY);
  dc->paintRect(RECT{r.left, r.top, r.left + 1, r.bottom}, b, PATCOPY);
  dc->paintRect(RECT{r.right - 1, r.top, r.right, r.bottom}, b, PATCOPY);
  return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !rect) return FALSE;
  dc->paintRect(dc->toDevice(*rect), Brush(BS_SOLID, 0), DSTINVERT);
  return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state().current;
  dc->state().current = POINT{x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !position) return FALSE;
  *position = dc->state().current;
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return FALSE;
  drawLine(*dc, dc->toDevice(dc->state().current), dc->toDevice(POINT{x, y}));
  dc->state().current = POINT{x, y};
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !points || count < 2) return FALSE;
  for (int i = 1; i < count; ++i) drawLine(*dc, dc->toDevice(points[i - 1]), dc->toDevice(points[i]));
  return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return FALSE;
  const RECT r = dc->toDevice(normalised(left, top, right, bottom));
  const int w = penWidth(*dc);
  if (w == 0) {
    fillWithBrush(*dc, RECT{r.left, r.top, r.right - 1, r.bottom - 1});
    return TRUE;
  }
  fillWithBrush(*dc, RECT{r.left + w, r.top + w, r.right - w, r.bottom - w});
  const COLORREF c = dc->pen()->colour;
  dc->fillRect(RECT{r.left, r.top, r.right, std::min(r.top + w, r.bottom)}, c);
  dc->fillRect(RECT{r.left, std::max(r.bottom - w, r.top + w), r.right, r.bottom}, c);
  dc->fillRect(RECT{r.left, r.top + w, std::min(r.left + w, r.right), r.bottom - w}, c);
  dc->fillRect(RECT{std::max(r.right - w, r.left + w), r.top + w, r.right, r.bottom - w}, c);
  return TRUE;
}

namespace {

// The pixels of device rectangle `r` with its corners rounded by ellipses of
// cornerW x cornerH (an ellipse when they are the rectangle's size): pixel
// centres inside the shape are filled with the brush, those within the pen's
// width of its border take the pen.
void roundedShape(DeviceContext& dc, const RECT& r, int cornerW, int cornerH) {
  const int w = penWidth(dc);
  const double rx = std::min<double>(std::abs(cornerW), r.right - r.left) / 2.0;
  const double ry = std::min<double>(std::abs(cornerH), r.bottom - r.top) / 2.0;
  auto inside = [&](double px, double py, double shrink) {
    const double left = r.left + shrink, right = r.right - shrink, top = r.top + shrink, bottom = r.bottom - shrink;
    if (px < left || px > right || py < top || py > bottom) return false;
    const double ax = rx - shrink, ay = ry - shrink;
    if (ax <= 0 || ay <= 0) return true;  // corners no rounder than the band is deep: square inside it
    const double dx = px < left + ax ? px - (left + ax) : px > right - ax ? px - (right - ax) : 0;
    const double dy = py < top + ay ? py - (top + ay) : py > bottom - ay ? py - (bottom - ay) : 0;
    return (dx / ax) * (dx / ax) + (dy / ay) * (dy / ay) <= 1.0;
  };
  const Brush* brush = dc.brush();
  for (LONG y = r.top; y < r.bottom; ++y) {
    for (LONG x = r.left; x < r.right; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      if (!inside(px, py, 0)) continue;
      if (w > 0 && !inside(px, py, w)) {
        dc.plot(x, y, dc.pen()->colour);
      } else if (brush && brush->paints()) {
        dc.plot(x, y, brush->colour);
      }
    }
  }
}

}  // namespace

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return FALSE;
  const RECT r = dc->toDevice(normalised(left, top, right, bottom));
  roundedShape(*dc, r, r.right - r.left, r.bottom - r.top);
  return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return FALSE;
  roundedShape(*dc, dc->toDevice(normalised(left, top, right, bottom)), cornerWidth, cornerHeight);
  return TRUE;
}
