#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/Palette.h"

#include <algorithm>

namespace {

using ColorTable = wavorel::testing::PlatformTest;

struct TwoColourInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

TEST_F(ColorTable, SelectedDibSectionTableIsReadAndWrittenWithinItsSize) {
  TwoColourInfo info{};
  info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, -1, 1, 1, BI_RGB, 0, 0, 0, 2, 0};
  info.colours[0] = RGBQUAD{255, 0, 0, 0};  // blue
  info.colours[1] = RGBQUAD{0, 255, 0, 0};  // green
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  static_cast<BYTE*>(bits)[0] = 0x40;  // pixel 0 uses entry 0, pixel 1 entry 1
  HDC dc = CreateCompatibleDC(nullptr);
  RGBQUAD read[8] = {};
  EXPECT_EQ(GetDIBColorTable(dc, 0, 8, read), 0u) << "no DIB section selected";
  HGDIOBJ old = SelectObject(dc, dib);

  struct Range {
    UINT start, count, got;
  };
  for (const Range& r : {Range{0, 8, 2}, Range{1, 5, 1}, Range{2, 1, 0}, Range{0, 1, 1}}) {
    EXPECT_EQ(GetDIBColorTable(dc, r.start, r.count, read), r.got) << r.start;
    if (r.got) {
      EXPECT_EQ(read[0].rgbBlue, info.colours[r.start].rgbBlue) << r.start;
    }
  }
  // A new entry changes the colour of the pixels that use it.
  const RGBQUAD grey[2] = {{9, 9, 9, 0}, {7, 7, 7, 0}};
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
  EXPECT_EQ(SetDIBColorTable(dc, 1, 2, grey), 1u);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(9, 9, 9));
  ASSERT_EQ(GetDIBColorTable(dc, 1, 1, read), 1u);
  EXPECT_EQ(read[0].rgbRed, 9);

  gditest::Canvas deep(2, 2);  // 32 bits: no table
  EXPECT_EQ(GetDIBColorTable(deep.dc, 0, 1, read), 0u);
  EXPECT_EQ(SetDIBColorTable(deep.dc, 0, 1, grey), 0u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
}

TEST_F(ColorTable, HalftonePaletteHasTheStaticColoursAroundTheCube) {
  EXPECT_EQ(CreateHalftonePalette(reinterpret_cast<HDC>(0x77)), nullptr);
  HDC screen = GetDC(nullptr);
  HPALETTE palette = CreateHalftonePalette(screen);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(palette, nullptr);
  auto object = wavorel::gdi::gdiObjectAs<wavorel::gdi::Palette>(palette);
  ASSERT_TRUE(object);
  ASSERT_EQ(object->entries.size(), 256u);
  const PALETTEENTRY* entries = object->entries.data();
  auto rgb = [](const PALETTEENTRY& e) { return RGB(e.peRed, e.peGreen, e.peBlue); };
  EXPECT_EQ(rgb(entries[0]), RGB(0, 0, 0));
  EXPECT_EQ(rgb(entries[7]), RGB(192, 192, 192));
  EXPECT_EQ(rgb(entries[255]), RGB(255, 255, 255));
  EXPECT_EQ(rgb(entries[249]), RGB(255, 0, 0));
  // Every colour of the cube is there.
  int found = 0;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        found += std::any_of(entries, entries + 256,
                             [&](const PALETTEENTRY& e) { return rgb(e) == RGB(r * 51, g * 51, b * 51); });
  EXPECT_EQ(found, 216);
  DeleteObject(palette);
}

}  // namespace
