// A palette GDI object.
#pragma once

#include <vector>

#include "platform/win/gdi/GdiObject.h"

namespace wavorel::gdi {

// A logical palette. The screen is not a palette device, so a palette only
// keeps its entries (selecting and realising it changes no pixel).
class Palette : public GdiObject {
 public:
  explicit Palette(std::vector<PALETTEENTRY> entries) : GdiObject(OBJ_PAL), entries(std::move(entries)) {}
  // GetObject gives the number of entries as a WORD.
  int describe(int size, void* out) const override {
    return describeAs(static_cast<WORD>(entries.size()), size, out);
  }

  std::vector<PALETTEENTRY> entries;
};

}  // namespace wavorel::gdi
