// The GDI font object: a LOGFONT, realized by the font engine when text is
// measured or drawn.
#pragma once

#include <memory>

#include "platform/win/gdi/FontFace.h"
#include "platform/win/gdi/Fonts.h"
#include "platform/win/gdi/GdiObject.h"

namespace wavorel::gdi {

class DeviceContext;

class FontObject : public GdiObject {
 public:
  explicit FontObject(const LOGFONT& lf);
  int describe(int size, void* out) const override { return describeAs(logFont_, size, out); }
  const LOGFONT& logFont() const { return logFont_; }
  const FontFace& face() const { return face_; }

 private:
  LOGFONT logFont_;
  const FontFace& face_;
};

// The font selected into a DC (the stock system font when none is).
const FontObject& selectedFont(const DeviceContext& dc);

}  // namespace wavorel::gdi
