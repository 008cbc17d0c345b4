// A pen GDI object: style, width and colour (PS_NULL draws nothing).
#pragma once

#include <memory>

#include "platform/win/gdi/GdiObject.h"

namespace wavorel::gdi {

class Pen : public GdiObject {
 public:
  Pen(UINT style, int width, COLORREF colour) : GdiObject(OBJ_PEN), style(style), width(width), colour(colour) {}
  int describe(int size, void* out) const override {
    return describeAs(LOGPEN{style, POINT{width, 0}, colour}, size, out);
  }
  bool paints() const { return style != PS_NULL; }

  const UINT style;
  const int width;
  const COLORREF colour;
};

}  // namespace wavorel::gdi
