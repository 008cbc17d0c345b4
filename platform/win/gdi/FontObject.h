// The GDI font object: a LOGFONT, realized by the font engine when text is
// measured or drawn.
#pragma once

#include <atomic>
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
  // Realized on first use: a font a program makes but never draws or measures
  // with opens no font file.
  const FontFace& face() const;

 private:
  LOGFONT logFont_;
  // The engine keeps its faces for the process's life; any thread may be
  // first to realize it (the engine answers each with the same face).
  mutable std::atomic<const FontFace*> face_{nullptr};
};

// The font selected into a DC (the stock system font when none is).
const FontObject& selectedFont(const DeviceContext& dc);

}  // namespace wavorel::gdi
