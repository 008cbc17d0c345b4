#include "platform/win/user/ControlDrawing.h"

#include <algorithm>
#include <cstring>

#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/TextLayout.h"
#include "platform/win/gdi/TextPainter.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Icon.h"
#include "platform/win/gdi/Images.h"

using wavorel::gdi::Brush;
using wavorel::gdi::dcFromHandle;
using wavorel::gdi::DeviceContext;

namespace {

void fill(DeviceContext& dc, const RECT& r, COLORREF colour) {
  if (r.left < r.right && r.top < r.bottom) dc.paintRect(r, Brush(BS_SOLID, colour), PATCOPY);
}

// One-pixel border of device rectangle `r` on the sides in `flags`: top and
// left first, so the corners they share with the other sides take `br`.
void border(DeviceContext& dc, const RECT& r, UINT flags, COLORREF tl, COLORREF br) {
  if (flags & BF_LEFT) fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, tl);
  if (flags & BF_TOP) fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, tl);
  if (flags & BF_RIGHT) fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, br);
  if (flags & BF_BOTTOM) fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
}

RECT inside(const RECT& r, UINT flags) {
  return RECT{r.left + ((flags & BF_LEFT) ? 1 : 0), r.top + ((flags & BF_TOP) ? 1 : 0),
              r.right - ((flags & BF_RIGHT) ? 1 : 0), r.bottom - ((flags & BF_BOTTOM) ? 1 : 0)};
}

void edge(DeviceContext& dc, RECT& r, UINT edgeType, UINT flags) {
  const UINT outer = edgeType & BDR_OUTER, inner = edgeType & BDR_INNER;
  const bool soft = (flags & BF_SOFT) != 0;
  COLORREF outerTl = 0, outerBr = 0, innerTl = 0, innerBr = 0;
  if (flags & BF_MONO) {
    outerTl = outerBr = GetSysColor(COLOR_WINDOWFRAME);
    innerTl = innerBr = GetSysColor(COLOR_WINDOW);
  } else if (flags & BF_FLAT) {
    outerTl = outerBr = GetSysColor(COLOR_3DSHADOW);
    innerTl = innerBr = GetSysColor(COLOR_3DFACE);
  } else {
    if (outer == BDR_RAISEDOUTER) {
      outerTl = GetSysColor(soft ? COLOR_3DHIGHLIGHT : COLOR_3DLIGHT);
      outerBr = GetSysColor(COLOR_3DDKSHADOW);
    } else if (outer == BDR_SUNKENOUTER) {
      outerTl = GetSysColor(soft ? COLOR_3DDKSHADOW : COLOR_3DSHADOW);
      outerBr = GetSysColor(COLOR_3DHIGHLIGHT);
    }
    if (inner == BDR_RAISEDINNER) {
      innerTl = GetSysColor(soft ? COLOR_3DLIGHT : COLOR_3DHIGHLIGHT);
      innerBr = GetSysColor(COLOR_3DSHADOW);
    } else if (inner == BDR_SUNKENINNER) {
      innerTl = GetSysColor(soft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW);
      innerBr = GetSysColor(COLOR_3DLIGHT);
    }
  }
  if (outer) {
    border(dc, r, flags, outerTl, outerBr);
    r = inside(r, flags);
  }
  if (inner) {
    border(dc, r, flags, innerTl, innerBr);
    r = inside(r, flags);
  }
  if (flags & BF_MIDDLE) fill(dc, r, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE));
}

RECT square(const RECT& r) {
  const LONG side = std::min(r.right - r.left, r.bottom - r.top);
  const LONG x = r.left + (r.right - r.left - side) / 2, y = r.top + (r.bottom - r.top - side) / 2;
  return RECT{x, y, x + side, y + side};
}

// The check mark: seven columns of three pixels, a = 2, 3, 4, 3, 2, 1, 0, centred.
void checkMark(DeviceContext& dc, const RECT& box, COLORREF colour) {
  static const int rise[7] = {2, 3, 4, 3, 2, 1, 0};
  const LONG x = box.left + (box.right - box.left - 7) / 2, y = box.top + (box.bottom - box.top - 7) / 2;
  for (int i = 0; i < 7; ++i) fill(dc, RECT{x + i, y + rise[i], x + i + 1, y + rise[i] + 3}, colour);
}

// Pixels of the disc inscribed in device square `s`, shrunk by `inset`.
template <class F>
void disc(const RECT& s, double inset, F f) {
  const double c = (s.right - s.left) / 2.0, rad = c - inset;
  for (LONG y = s.top; y < s.bottom; ++y) {
    for (LONG x = s.left; x < s.right; ++x) {
      const double dx = x - s.left + 0.5 - c, dy = y - s.top + 0.5 - c;
      if (dx * dx + dy * dy <= rad * rad) f(x, y);
    }
  }
}

void button(DeviceContext& dc, RECT r, UINT state) {
  const bool inactive = (state & DFCS_INACTIVE) != 0, pushed = (state & DFCS_PUSHED) != 0;
  const bool checked = (state & DFCS_CHECKED) != 0;
  const COLORREF mark = GetSysColor(inactive ? COLOR_3DSHADOW : COLOR_WINDOWTEXT);
  const COLORREF face = GetSysColor(inactive || pushed ? COLOR_3DFACE : COLOR_WINDOW);
  if (state & DFCS_BUTTONPUSH) {
    const UINT flat = (state & DFCS_FLAT) ? BF_FLAT : 0;
    edge(dc, r, (pushed || checked) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT | flat);
  } else if (state & DFCS_BUTTONRADIO) {
    const RECT s = square(r);
    disc(s, 0, [&](LONG x, LONG y) {
      // Upper-left half of the ring shadowed, lower-right lit.
      dc.plot(x, y, GetSysColor((x - s.left) + (y - s.top) < (s.right - s.left) ? COLOR_3DSHADOW : COLOR_3DHIGHLIGHT));
    });
    disc(s, 1, [&](LONG x, LONG y) {
      dc.plot(x, y, GetSysColor((x - s.left) + (y - s.top) < (s.right - s.left) ? COLOR_3DDKSHADOW : COLOR_3DLIGHT));
    });
    disc(s, 2, [&](LONG x, LONG y) { dc.plot(x, y, face); });
    if (checked) disc(s, (s.right - s.left) / 2.0 - 2, [&](LONG x, LONG y) { dc.plot(x, y, mark); });
  } else {
    RECT s = square(r);
    edge(dc, s, EDGE_SUNKEN, BF_RECT);
    fill(dc, s, face);
    if (checked) checkMark(dc, s, mark);
  }
}

void caption(DeviceContext& dc, RECT r, UINT state) {
  const bool pushed = (state & DFCS_PUSHED) != 0;
  edge(dc, r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
  // An X of two-pixel strokes in the square inside the edges.
  const RECT s = square(r);
  const LONG side = s.right - s.left, shift = pushed ? 1 : 0;
  const COLORREF colour = GetSysColor((state & DFCS_INACTIVE) ? COLOR_3DSHADOW : COLOR_BTNTEXT);
  for (LONG i = 2; i < side - 2; ++i) {
    const LONG y = s.top + i + shift;
    fill(dc, RECT{s.left + i + shift, y, s.left + i + shift + 2, y + 1}, colour);
    fill(dc, RECT{s.right - i - 2 + shift, y, s.right - i + shift, y + 1}, colour);
  }
}

}  // namespace

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edgeType, UINT flags) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !rect) return FALSE;
  RECT r = dc->toDevice(*rect);
  const RECT before = r;
  edge(*dc, r, edgeType, flags);
  if (flags & BF_ADJUST) {
    rect->left += r.left - before.left;
    rect->top += r.top - before.top;
    rect->right += r.right - before.right;
    rect->bottom += r.bottom - before.bottom;
  }
  return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !rect) return FALSE;
  const RECT r = dc->toDevice(*rect);
  if (r.left >= r.right || r.top >= r.bottom) return TRUE;
  const Brush white(BS_SOLID, RGB(255, 255, 255));
  auto dot = [&](LONG x, LONG y) {
    if (((x - r.left) + (y - r.top)) % 2 == 0) dc->paintRect(RECT{x, y, x + 1, y + 1}, white, PATINVERT);
  };
  for (LONG x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
  }
  for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
    dot(r.left, y);
    if (r.right - 1 > r.left) dot(r.right - 1, y);
  }
  return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !rect) return FALSE;
  const RECT r = dc->toDevice(*rect);
  if (type == DFC_BUTTON) {
    button(*dc, r, state);
  } else if (type == DFC_CAPTION) {
    caption(*dc, r, state);
  } else {
    return FALSE;
  }
  return TRUE;
}

namespace {

// The disabled look of an image of w x h pixels at device point `at`: its
// shape (the pixels `inShape` names) in COLOR_3DHIGHLIGHT one pixel right and
// down, then in COLOR_3DSHADOW in place.
template <class F>
void emboss(DeviceContext& dc, POINT at, int w, int h, F inShape) {
  const COLORREF lit = GetSysColor(COLOR_3DHIGHLIGHT), shadow = GetSysColor(COLOR_3DSHADOW);
  for (int pass = 0; pass < 2; ++pass) {
    const LONG off = pass == 0 ? 1 : 0;
    for (int py = 0; py < h; ++py) {
      for (int px = 0; px < w; ++px) {
        if (inShape(px, py)) dc.blendPixel(at.x + px + off, at.y + py + off, pass == 0 ? lit : shadow, 255);
      }
    }
  }
}

// The colour an icon pixel leaves on a white background.
COLORREF overWhite(const wavorel::gdi::Icon& icon, int x, int y) {
  const wavorel::gdi::Pixel p = icon.colour().get(x, y);
  if (icon.hasAlpha()) {
    const unsigned a = p >> 24;
    wavorel::gdi::Pixel out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= static_cast<wavorel::gdi::Pixel>((((p >> shift) & 0xFF) * a + 255 * (255 - a) + 127) / 255) << shift;
    }
    return wavorel::gdi::colorFromPixel(out) & 0xFFFFFF;
  }
  const wavorel::gdi::Pixel under = icon.mask().index(x, y) ? 0xFFFFFFu : 0u;
  return wavorel::gdi::colorFromPixel(under ^ (p & 0xFFFFFFu)) & 0xFFFFFF;
}

BOOL drawStateText(HDC hdc, DeviceContext& dc, LPARAM data, WPARAM wData, int x, int y, bool disabled) {
  const char* text = reinterpret_cast<const char*>(data);
  if (!text) return FALSE;
  const int length = wData ? static_cast<int>(wData) : static_cast<int>(std::strlen(text));
  auto& st = dc.state();
  const COLORREF oldColour = st.textColor;
  const int oldMode = st.bkMode;
  RECT r{x, y, x + 0x3FFFFFFF, y + 0x3FFFFFFF};
  if (disabled) {
    st.bkMode = TRANSPARENT;
    st.textColor = GetSysColor(COLOR_3DHIGHLIGHT);
    RECT lit{r.left + 1, r.top + 1, r.right, r.bottom};
    DrawText(hdc, text, length, &lit, DT_NOCLIP);
    st.textColor = GetSysColor(COLOR_3DSHADOW);
  }
  DrawText(hdc, text, length, &r, DT_NOCLIP);
  st.textColor = oldColour;
  st.bkMode = oldMode;
  return TRUE;
}

BOOL drawStateBitmap(DeviceContext& dc, LPARAM data, POINT at, int cx, int cy, bool disabled) {
  auto bitmap = wavorel::gdi::gdiObjectAs<wavorel::gdi::Bitmap>(reinterpret_cast<HGDIOBJ>(data));
  if (!bitmap) return FALSE;
  const wavorel::gdi::Surface& s = bitmap->surface();
  const int w = cx > 0 ? std::min(cx, s.width()) : s.width(), h = cy > 0 ? std::min(cy, s.height()) : s.height();
  auto colour = [&](int px, int py) { return wavorel::gdi::colorFromPixel(s.get(px, py)) & 0xFFFFFF; };
  if (disabled) {
    emboss(dc, at, w, h, [&](int px, int py) { return colour(px, py) != RGB(255, 255, 255); });
    return TRUE;
  }
  for (int py = 0; py < h; ++py) {
    for (int px = 0; px < w; ++px) dc.blendPixel(at.x + px, at.y + py, colour(px, py), 255);
  }
  return TRUE;
}

BOOL drawStateIcon(DeviceContext& dc, LPARAM data, POINT at, int cx, int cy, bool disabled) {
  auto icon = wavorel::gdi::iconFromHandle(reinterpret_cast<HICON>(data));
  if (!icon) return FALSE;
  if ((cx > 0 && cx != icon->width()) || (cy > 0 && cy != icon->height())) icon = icon->scaled(cx, cy);
  if (!icon) return FALSE;
  if (disabled) {
    emboss(dc, at, icon->width(), icon->height(),
           [&](int px, int py) { return overWhite(*icon, px, py) != RGB(255, 255, 255); });
  } else {
    wavorel::gdi::drawIcon(dc, *icon, RECT{at.x, at.y, at.x + icon->width(), at.y + icon->height()}, DI_NORMAL);
  }
  return TRUE;
}

}  // namespace

BOOL DrawState(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
               UINT flags) {
  (void)brush;
  (void)proc;
  auto dc = dcFromHandle(hdc);
  if (!dc) return FALSE;
  const bool disabled = (flags & DSS_DISABLED) != 0;
  switch (flags & 0x000F) {
    case DST_TEXT:
      return drawStateText(hdc, *dc, data, wData, x, y, disabled);
    case DST_BITMAP:
      return drawStateBitmap(*dc, data, dc->toDevice(POINT{x, y}), cx, cy, disabled);
    case DST_ICON:
      return drawStateIcon(*dc, data, dc->toDevice(POINT{x, y}), cx, cy, disabled);
    default:
      return FALSE;
  }
}
