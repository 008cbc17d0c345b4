// Draws placed characters on a DC: the text colour blended by each glyph's
// anti-aliased coverage (ROP2 does not apply to text), the cell in the
// background colour first when the background mode is OPAQUE, and the
// font's underline and strike-out.
#pragma once

#include <vector>

#include "platform/win/gdi/FontObject.h"
#include "platform/win/gdi/TextLayout.h"
#include "platform/win/gdi/DeviceContext.h"

namespace wavorel::gdi {

class TextPainter {
 public:
  // `clip` (device coordinates, may be null) limits everything drawn.
  TextPainter(DeviceContext& dc, const FontObject& font, const RECT* clip);

  // One run whose cell's top-left corner is `origin` (device coordinates).
  void run(POINT origin, const std::vector<PlacedChar>& chars, int width, bool opaqueCell) const;
  // A one-pixel underline below the baseline from x for width pixels.
  void prefixUnderline(POINT origin, int x, int width) const;
  // Fills a device rectangle with a colour, inside the clip.
  void fill(const RECT& rect, COLORREF colour) const;

 private:
  DeviceContext& dc_;
  const FontObject& font_;
  bool clipped_;
  RECT clip_{};
};

}  // namespace wavorel::gdi
