// A brush GDI object: a solid colour, or nothing (BS_NULL).
#pragma once

#include <memory>

#include "platform/win/gdi/GdiObject.h"

namespace wavorel::gdi {

class Brush : public GdiObject {
 public:
  Brush(UINT style, COLORREF colour) : GdiObject(OBJ_BRUSH), style(style), colour(colour) {}
  int describe(int size, void* out) const override { return describeAs(LOGBRUSH{style, colour, 0}, size, out); }
  bool paints() const { return style != BS_NULL; }

  const UINT style;
  const COLORREF colour;
};

}  // namespace wavorel::gdi
