// CSize: a SIZE with arithmetic. A default CSize is (0, 0).
#pragma once

#include "platform/win/kernel/Types.h"

class CSize : public SIZE {
 public:
  CSize() noexcept : SIZE{0, 0} {}
  CSize(int initCX, int initCY) noexcept : SIZE{initCX, initCY} {}
  CSize(SIZE initSize) noexcept : SIZE(initSize) {}
  CSize(POINT initPt) noexcept : SIZE{initPt.x, initPt.y} {}

  void SetSize(int newCX, int newCY) noexcept {
    cx = newCX;
    cy = newCY;
  }

  bool operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
  bool operator!=(SIZE size) const noexcept { return !(*this == size); }
  CSize& operator+=(SIZE size) noexcept {
    cx += size.cx;
    cy += size.cy;
    return *this;
  }
  CSize& operator-=(SIZE size) noexcept {
    cx -= size.cx;
    cy -= size.cy;
    return *this;
  }
  CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const noexcept { return CSize(-cx, -cy); }
};
