// Bitmaps and DIBs: creation, DIB bits in and out, single pixels.
#include <algorithm>
#include <cstring>

#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/DibFormat.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Raster.h"
#include "platform/win/gdi/StockObjects.h"

using namespace wavorel::gdi;

namespace {

HBITMAP insertBitmap(std::shared_ptr<Bitmap> bitmap) {
  if (!bitmap) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return static_cast<HBITMAP>(insertGdiObject(std::move(bitmap)));
}

// The size a BITMAPINFO may be read as: header, masks and a full table.
size_t infoSpan(const BITMAPINFO* info) {
  return info->bmiHeader.biSize + 12 + 256 * sizeof(RGBQUAD);
}

bool parseInfo(const BITMAPINFO* info, UINT usage, DibFormat& format) {
  if (!info || usage != DIB_RGB_COLORS) return false;
  if (info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) || info->bmiHeader.biSize > 124) return false;
  // The table is only read as far as the header says; infoSpan bounds it.
  return format.parse(reinterpret_cast<const BYTE*>(info), infoSpan(info));
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (width == 0 || height == 0) return stockBitmap();
  auto bitmap = Bitmap::makeDdb(width, height, static_cast<int>(bitsPerPixel));
  if (bitmap && bits) std::memcpy(bitmap->surface().bits(), bits, bitmap->surface().byteSize());
  return insertBitmap(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  auto dc = dcFromHandle(hdc);
  if (!dc) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (width == 0 || height == 0) return stockBitmap();
  // A memory DC makes bitmaps like the one selected into it (monochrome for a
  // fresh one); window and screen DCs make 32-bit ones.
  Bitmap* selected = dc->isMemory() ? dc->selectedBitmap() : nullptr;
  int bpp = selected && selected->surface().bpp() == 1 ? 1 : 32;
  return insertBitmap(Bitmap::makeDdb(width, height, bpp));
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  if ((hdc && !dcFromHandle(hdc)) || section) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DibFormat format;
  if (!parseInfo(info, usage, format)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = makeDibSection(format, nullptr);
  if (bitmap && bits) *bits = bitmap->surface().bits();
  return insertBitmap(std::move(bitmap));
}

int GetDIBits(HDC hdc, HBITMAP handle, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
  auto bitmap = bitmapFromHandle(handle);
  if (!dcFromHandle(hdc) || !bitmap || !info || usage != DIB_RGB_COLORS ||
      info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const Surface& s = bitmap->surface();
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biBitCount == 0) {
    // Describe the bitmap.
    h.biWidth = s.width();
    h.biHeight = s.height();
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(s.bpp());
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(Surface::rowBytesFor(s.width(), s.bpp(), 4) * s.height());
    h.biClrUsed = 0;
    return bits ? 0 : 1;
  }
  if (h.biBitCount != 1 && h.biBitCount != 4 && h.biBitCount != 8 && h.biBitCount != 24 && h.biBitCount != 32) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // The caller's layout: its height sign, the bitmap's width and height.
  bool bottomUp = h.biHeight >= 0;
  int bpp = h.biBitCount;
  std::vector<RGBQUAD> colours;
  if (bpp <= 8) colours = s.bpp() == bpp ? s.colours() : (bpp == 1 ? monochromeColours() : s.colours());
  Surface out(s.width(), s.height(), bpp, bottomUp, colours, 4);
  h.biWidth = s.width();
  h.biHeight = bottomUp ? s.height() : -s.height();
  h.biPlanes = 1;
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(out.byteSize());
  h.biClrUsed = 0;
  if (bpp <= 8 && !out.colours().empty())
    std::memcpy(info->bmiColors, out.colours().data(), out.colours().size() * sizeof(RGBQUAD));
  if (!bits) return 1;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      if (bpp == s.bpp() && bpp <= 8) out.setIndex(x, y, s.index(x, y));
      else if (bpp == 1 && s.bpp() != 1) out.setIndex(x, y, out.nearestIndex(s.get(x, y)));
      else out.set(x, y, s.get(x, y));
    }
  if (start >= static_cast<UINT>(s.height())) return 0;
  UINT count = std::min<UINT>(lines, static_cast<UINT>(s.height()) - start);
  std::memcpy(bits, out.bits() + static_cast<size_t>(start) * out.rowBytes(), count * out.rowBytes());
  return static_cast<int>(count);
}

int SetDIBits(HDC hdc, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  auto bitmap = bitmapFromHandle(handle);
  DibFormat format;
  if ((hdc && !dcFromHandle(hdc)) || !bitmap || !bits || !parseInfo(info, usage, format)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (start >= static_cast<UINT>(format.height)) return 0;
  int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(format.height) - start));
  format.copyInto(bitmap->surface(), static_cast<const BYTE*>(bits), static_cast<int>(start), count);
  return count;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !dc->surface()) return CLR_INVALID;
  POINT d = dc->toDevice(POINT{x, y});
  bool inside = false;
  dc->forEachClipped(RECT{d.x, d.y, d.x + 1, d.y + 1}, [&](const RECT&) { inside = true; });
  if (!inside) return CLR_INVALID;
  return colorFromPixel(dc->surface()->get(d.x + dc->origin().x, d.y + dc->origin().y));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !dc->surface()) return static_cast<COLORREF>(-1);
  POINT d = dc->toDevice(POINT{x, y});
  COLORREF result = static_cast<COLORREF>(-1);
  dc->forEachClipped(RECT{d.x, d.y, d.x + 1, d.y + 1}, [&](const RECT& r) {
    Surface& s = *dc->surface();
    s.set(r.left, r.top, colourValue(s, colour));
    result = colorFromPixel(s.get(r.left, r.top));
  });
  return result;
}
