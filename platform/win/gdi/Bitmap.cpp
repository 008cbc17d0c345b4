#include "platform/win/gdi/Bitmap.h"

namespace wavorel::gdi {

bool Bitmap::validSize(int width, int height, int bpp) {
  if (width <= 0 || height <= 0) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  return static_cast<int64_t>(width) * height <= Surface::kMaxPixels;
}

std::shared_ptr<Bitmap> Bitmap::makeDdb(int width, int height, int bpp) {
  if (!validSize(width, height, bpp) || (bpp != 1 && bpp != 32)) return nullptr;
  std::vector<RGBQUAD> colours = bpp == 1 ? monochromeColours() : std::vector<RGBQUAD>{};
  return std::make_shared<Bitmap>(Surface(width, height, bpp, false, std::move(colours), 2), false);
}

std::shared_ptr<Bitmap> Bitmap::makeDib(int width, int height, int bpp, bool bottomUp,
                                        const std::vector<RGBQUAD>& colours) {
  if (!validSize(width, height, bpp)) return nullptr;
  return std::make_shared<Bitmap>(Surface(width, height, bpp, bottomUp, colours, 4), true);
}

BITMAP Bitmap::info() const {
  BITMAP bm{};
  bm.bmType = 0;
  bm.bmWidth = surface_.width();
  bm.bmHeight = surface_.height();
  bm.bmWidthBytes = static_cast<LONG>(surface_.rowBytes());
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(surface_.bpp());
  bm.bmBits = dib_ ? const_cast<BYTE*>(surface_.bits()) : nullptr;
  return bm;
}

int Bitmap::describe(int size, void* out) const {
  if (dib_ && (size >= static_cast<int>(sizeof(DIBSECTION)))) {
    DIBSECTION ds{};
    ds.dsBm = info();
    ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    ds.dsBmih.biWidth = surface_.width();
    ds.dsBmih.biHeight = surface_.bottomUp() ? surface_.height() : -surface_.height();
    ds.dsBmih.biPlanes = 1;
    ds.dsBmih.biBitCount = static_cast<WORD>(surface_.bpp());
    ds.dsBmih.biCompression = BI_RGB;
    ds.dsBmih.biSizeImage = static_cast<DWORD>(surface_.byteSize());
    ds.dsBmih.biClrUsed = static_cast<DWORD>(surface_.colours().size());
    return describeAs(ds, size, out);
  }
  return describeAs(info(), size, out);
}

std::shared_ptr<Bitmap> bitmapFromHandle(HBITMAP handle) { return gdiObjectAs<Bitmap>(handle); }

}  // namespace wavorel::gdi
