#include "platform/win/gdi/ColorTables.h"

#include <algorithm>
#include <vector>

#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/Bitmap.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Palette.h"

namespace {

// The DIB section with a colour table selected into hdc, or null.
wavorel::gdi::Surface* colourTableOf(HDC hdc) {
  auto dc = wavorel::gdi::dcFromHandle(hdc);
  wavorel::gdi::Bitmap* bitmap = dc && dc->isMemory() ? dc->selectedBitmap() : nullptr;
  if (!bitmap || !bitmap->isDib() || bitmap->surface().colours().empty()) return nullptr;
  return &bitmap->surface();
}

UINT entriesFrom(const wavorel::gdi::Surface& surface, UINT start, UINT count) {
  const size_t size = surface.colours().size();
  return start >= size ? 0 : static_cast<UINT>(std::min<size_t>(count, size - start));
}

}  // namespace

UINT GetDIBColorTable(HDC hdc, UINT uStartIndex, UINT cEntries, RGBQUAD* prgbq) {
  wavorel::gdi::Surface* surface = colourTableOf(hdc);
  if (!surface || !prgbq) return 0;
  const UINT n = entriesFrom(*surface, uStartIndex, cEntries);
  std::copy_n(surface->colours().begin() + uStartIndex, n, prgbq);
  return n;
}

UINT SetDIBColorTable(HDC hdc, UINT uStartIndex, UINT cEntries, const RGBQUAD* prgbq) {
  wavorel::gdi::Surface* surface = colourTableOf(hdc);
  if (!surface || !prgbq) return 0;
  const UINT n = entriesFrom(*surface, uStartIndex, cEntries);
  surface->setColours(uStartIndex, prgbq, n);
  return n;
}

HPALETTE CreateHalftonePalette(HDC hdc) {
  if (!wavorel::gdi::dcFromHandle(hdc)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const PALETTEENTRY first[10] = {{0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
                                  {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
                                  {192, 220, 192, 0}, {166, 202, 240, 0}};
  const PALETTEENTRY last[10] = {{255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},
                                 {0, 255, 0, 0},     {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},
                                 {0, 255, 255, 0},   {255, 255, 255, 0}};
  std::vector<PALETTEENTRY> entries(first, first + 10);
  for (int i = 0; i < 216; ++i)
    entries.push_back(PALETTEENTRY{static_cast<BYTE>((i / 36) * 51), static_cast<BYTE>((i / 6 % 6) * 51),
                                   static_cast<BYTE>((i % 6) * 51), 0});
  // Greys between the cube's steps.
  for (int i = 1; i <= 20; ++i) {
    const BYTE grey = static_cast<BYTE>(i * 255 / 21);
    entries.push_back(PALETTEENTRY{grey, grey, grey, 0});
  }
  entries.insert(entries.end(), last, last + 10);
  return static_cast<HPALETTE>(wavorel::gdi::insertGdiObject(std::make_shared<wavorel::gdi::Palette>(std::move(entries))));
}
