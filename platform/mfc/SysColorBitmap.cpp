#include "platform/mfc/SysColorBitmap.h"

#include <vector>

#include "platform/win/gdi/DibFormat.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/user/User.h"

namespace {

struct ColourMap {
  COLORREF from;
  int sysColour;
};

constexpr ColourMap kButtonColours[] = {
    {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
    {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
    {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
    {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
};

}  // namespace

HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc) {
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(hInst, hRsrc)));
  const DWORD size = SizeofResource(hInst, hRsrc);
  wavorel::gdi::DibFormat format;
  if (!data || !format.parse(data, size) || format.bpp > 8 || format.colours.empty()) return nullptr;
  const size_t bitsAt = format.headerSize + format.tableBytes;
  if (bitsAt + format.imageBytes() > size) return nullptr;
  std::vector<BYTE> copy(data, data + size);
  auto* table = reinterpret_cast<RGBQUAD*>(copy.data() + format.headerSize);
  for (size_t i = 0; i < format.colours.size(); ++i) {
    RGBQUAD& entry = table[i];
    const COLORREF colour = RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    for (const ColourMap& map : kButtonColours) {
      if (colour != map.from) continue;
      const COLORREF system = GetSysColor(map.sysColour);
      entry = RGBQUAD{GetBValue(system), GetGValue(system), GetRValue(system), 0};
      break;
    }
  }
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, format.width, format.height);
  if (bitmap &&
      SetDIBits(screen, bitmap, 0, static_cast<UINT>(format.height), copy.data() + bitsAt,
                reinterpret_cast<const BITMAPINFO*>(copy.data()), DIB_RGB_COLORS) == 0) {
    DeleteObject(bitmap);
    bitmap = nullptr;
  }
  ReleaseDC(nullptr, screen);
  return bitmap;
}
