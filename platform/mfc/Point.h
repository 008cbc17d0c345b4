// CPoint: a POINT with arithmetic. A default CPoint is (0, 0).
#pragma once

#include "platform/win/kernel/Types.h"

class CPoint : public POINT {
 public:
  CPoint() noexcept : POINT{0, 0} {}
  CPoint(int initX, int initY) noexcept : POINT{initX, initY} {}
  CPoint(POINT initPt) noexcept : POINT(initPt) {}
  CPoint(SIZE initSize) noexcept : POINT{initSize.cx, initSize.cy} {}
  // From a message's packed coordinates: signed low word x, high word y.
  explicit CPoint(LPARAM dwPoint) noexcept
      : POINT{static_cast<short>(LOWORD(dwPoint)), static_cast<short>(HIWORD(dwPoint))} {}

  void Offset(int xOffset, int yOffset) noexcept {
    x += xOffset;
    y += yOffset;
  }
  void Offset(POINT point) noexcept { Offset(point.x, point.y); }
  void SetPoint(int newX, int newY) noexcept {
    x = newX;
    y = newY;
  }

  bool operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
  bool operator!=(POINT point) const noexcept { return !(*this == point); }
  CPoint& operator+=(POINT point) noexcept {
    Offset(point);
    return *this;
  }
  CPoint& operator-=(POINT point) noexcept {
    Offset(-point.x, -point.y);
    return *this;
  }
  CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
  CPoint operator-(POINT point) const noexcept { return CPoint(x - point.x, y - point.y); }
  CPoint operator-() const noexcept { return CPoint(-x, -y); }
};
