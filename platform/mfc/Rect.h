// CRect: a RECT with the MFC helpers. A default CRect is empty at (0, 0).
// As in Windows, a rectangle holds the points left <= x < right and
// top <= y < bottom, and is empty when its width or height is not positive.
#pragma once

#include <algorithm>

#include "platform/mfc/Point.h"
#include "platform/mfc/Size.h"
#include "platform/win/kernel/Types.h"

class CRect : public RECT {
 public:
  CRect() noexcept : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) noexcept : RECT{l, t, r, b} {}
  CRect(const RECT& srcRect) noexcept : RECT(srcRect) {}
  CRect(LPCRECT lpSrcRect) noexcept : RECT(*lpSrcRect) {}
  CRect(POINT point, SIZE size) noexcept : RECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
  CRect(POINT topLeft, POINT bottomRight) noexcept : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const noexcept { return right - left; }
  int Height() const noexcept { return bottom - top; }
  CSize Size() const noexcept { return CSize(Width(), Height()); }
  CPoint TopLeft() const noexcept { return CPoint(left, top); }
  CPoint BottomRight() const noexcept { return CPoint(right, bottom); }
  CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

  operator LPRECT() noexcept { return this; }
  operator LPCRECT() const noexcept { return this; }

  BOOL IsRectEmpty() const noexcept { return right <= left || bottom <= top; }
  BOOL IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const noexcept {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  BOOL EqualRect(LPCRECT lpRect) const noexcept {
    return left == lpRect->left && top == lpRect->top && right == lpRect->right && bottom == lpRect->bottom;
  }

  void SetRect(int l, int t, int r, int b) noexcept {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  void SetRectEmpty() noexcept { SetRect(0, 0, 0, 0); }
  void CopyRect(LPCRECT lpSrcRect) noexcept { *static_cast<RECT*>(this) = *lpSrcRect; }

  void InflateRect(int l, int t, int r, int b) noexcept {
    left -= l;
    top -= t;
    right += r;
    bottom += b;
  }
  void InflateRect(int x, int y) noexcept { InflateRect(x, y, x, y); }
  void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT lpRect) noexcept { InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  void DeflateRect(int l, int t, int r, int b) noexcept { InflateRect(-l, -t, -r, -b); }
  void DeflateRect(int x, int y) noexcept { InflateRect(-x, -y); }
  void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(LPCRECT lpRect) noexcept { DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }

  void OffsetRect(int x, int y) noexcept {
    left += x;
    right += x;
    top += y;
    bottom += y;
  }
  void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
  void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
  void MoveToXY(int x, int y) noexcept { OffsetRect(x - left, y - top); }
  void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }

  void NormalizeRect() noexcept {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }

  // The overlap of both; empty (all zero) and FALSE when they do not overlap.
  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept {
    CRect r(std::max(lpRect1->left, lpRect2->left), std::max(lpRect1->top, lpRect2->top),
            std::min(lpRect1->right, lpRect2->right), std::min(lpRect1->bottom, lpRect2->bottom));
    if (r.IsRectEmpty()) r.SetRectEmpty();
    *this = r;
    return !r.IsRectEmpty();
  }
  // The smallest rectangle holding both; an empty one does not count.
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept {
    CRect a(lpRect1), b(lpRect2);
    if (a.IsRectEmpty()) a = b;
    else if (!b.IsRectEmpty())
      a.SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
    if (a.IsRectEmpty()) a.SetRectEmpty();
    *this = a;
    return !a.IsRectEmpty();
  }

  bool operator==(const RECT& rect) const noexcept { return EqualRect(&rect) != FALSE; }
  bool operator!=(const RECT& rect) const noexcept { return !(*this == rect); }
  CRect& operator+=(POINT point) noexcept {
    OffsetRect(point);
    return *this;
  }
  CRect& operator-=(POINT point) noexcept {
    OffsetRect(-point.x, -point.y);
    return *this;
  }
  CRect operator+(POINT point) const noexcept {
    CRect r(*this);
    r.OffsetRect(point);
    return r;
  }
  CRect operator-(POINT point) const noexcept {
    CRect r(*this);
    r.OffsetRect(-point.x, -point.y);
    return r;
  }
  CRect& operator&=(const RECT& rect) noexcept {
    IntersectRect(this, &rect);
    return *this;
  }
  CRect& operator|=(const RECT& rect) noexcept {
    UnionRect(this, &rect);
    return *this;
  }
};
