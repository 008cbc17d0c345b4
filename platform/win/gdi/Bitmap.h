// A bitmap GDI object: a device-dependent bitmap (monochrome or 32 bits, rows
// padded to 2 bytes) or a DIB section (any DIB format, rows padded to 4 bytes,
// pixel memory the program may write through the bits pointer).
#pragma once

#include <memory>
#include <vector>

#include "platform/win/gdi/GdiObject.h"
#include "platform/win/gdi/Surface.h"

namespace wavorel::gdi {

class DeviceContext;

class Bitmap : public GdiObject {
 public:
  // A device-dependent bitmap (1 or 32 bits per pixel).
  static std::shared_ptr<Bitmap> makeDdb(int width, int height, int bpp);
  // A DIB section; `colours` fills the colour table for 8 bits and fewer.
  static std::shared_ptr<Bitmap> makeDib(int width, int height, int bpp, bool bottomUp,
                                         const std::vector<RGBQUAD>& colours);
  // False for sizes that are zero, negative or too large.
  static bool validSize(int width, int height, int bpp);

  Bitmap(Surface surface, bool dib) : GdiObject(OBJ_BITMAP), surface_(std::move(surface)), dib_(dib) {}

  Surface& surface() { return surface_; }
  const Surface& surface() const { return surface_; }
  bool isDib() const { return dib_; }
  BITMAP info() const;
  int describe(int size, void* out) const override;

  // The DC the bitmap is selected into (a bitmap is in at most one DC).
  DeviceContext* owner = nullptr;

 private:
  Surface surface_;
  bool dib_;
};

// The bitmap behind a handle, or null.
std::shared_ptr<Bitmap> bitmapFromHandle(HBITMAP handle);

}  // namespace wavorel::gdi
