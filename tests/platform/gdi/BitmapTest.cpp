#include <climits>
#include <cstring>

#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/Bitmap.h"
#include "platform/win/gdi/ImageFile.h"
#include "platform/win/gdi/Images.h"

namespace {

class BitmapTest : public wavorel::testing::PlatformTest {};

struct Info {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

// A DIB section with a colour table and a byte pattern in its bits.
HBITMAP patterned(int bpp, bool bottomUp, int w, int h) {
  Info info{};
  info.header = {sizeof(BITMAPINFOHEADER), w, bottomUp ? h : -h, 1, static_cast<WORD>(bpp), BI_RGB, 0, 0, 0, 0, 0};
  // Black and white first, so that monochrome device bitmaps keep the colours.
  for (int i = 0; i < 256; ++i) info.colours[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i * 5), static_cast<BYTE>(i * 3), 0};
  info.colours[1] = {255, 255, 255, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  DIBSECTION ds{};
  GetObject(bitmap, sizeof(ds), &ds);
  auto* bytes = static_cast<BYTE*>(bits);
  for (size_t i = 0; i < ds.dsBmih.biSizeImage; ++i) bytes[i] = static_cast<BYTE>(i * 7 + i / 5);
  return bitmap;
}

std::string bmpOf(HBITMAP bitmap) {
  auto bytes = wavorel::gdi::encodeBmp(*wavorel::gdi::bitmapFromHandle(bitmap));
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(BitmapTest, BmpFilesRoundTripInEveryFormatAndRowOrder) {
  for (int bpp : {1, 4, 8, 24, 32})
    for (bool bottomUp : {true, false}) {
      SCOPED_TRACE(std::to_string(bpp) + (bottomUp ? " bottom-up" : " top-down"));
      HBITMAP original = patterned(bpp, bottomUp, 13, 5);
      gditest::writeFile("C:\\round.bmp", bmpOf(original));
      HBITMAP loaded = static_cast<HBITMAP>(
          LoadImage(nullptr, "C:\\round.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
      ASSERT_NE(loaded, nullptr);
      DIBSECTION a{}, b{};
      ASSERT_EQ(GetObject(original, sizeof(a), &a), static_cast<int>(sizeof(DIBSECTION)));
      ASSERT_EQ(GetObject(loaded, sizeof(b), &b), static_cast<int>(sizeof(DIBSECTION)));
      EXPECT_EQ(b.dsBm.bmBitsPixel, bpp);
      EXPECT_EQ(b.dsBmih.biHeight, bottomUp ? 5 : -5);
      EXPECT_EQ(b.dsBm.bmWidthBytes, a.dsBm.bmWidthBytes);
      EXPECT_EQ(std::memcmp(a.dsBm.bmBits, b.dsBm.bmBits, a.dsBmih.biSizeImage), 0);
      // Without LR_CREATEDIBSECTION: the same colours in a device bitmap.
      HBITMAP ddb = static_cast<HBITMAP>(LoadImage(nullptr, "C:\\round.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
      BITMAP bm{};
      ASSERT_EQ(GetObject(ddb, sizeof(bm), &bm), static_cast<int>(sizeof(BITMAP)));
      EXPECT_EQ(bm.bmBits, nullptr);
      EXPECT_EQ(bm.bmBitsPixel, bpp == 1 ? 1 : 32);
      HDC x = CreateCompatibleDC(nullptr), y = CreateCompatibleDC(nullptr);
      SelectObject(x, original);
      SelectObject(y, ddb);
      for (int py = 0; py < 5; ++py)
        for (int px = 0; px < 13; ++px) ASSERT_EQ(GetPixel(x, px, py), GetPixel(y, px, py)) << px << "," << py;
      DeleteDC(x);
      DeleteDC(y);
      for (HBITMAP h : {original, loaded, ddb}) EXPECT_TRUE(DeleteObject(h));
    }
}

TEST_F(BitmapTest, MalformedBmpFilesGiveNull) {
  HBITMAP source = patterned(8, true, 6, 4);
  const std::string good = bmpOf(source);
  DeleteObject(source);
  auto load = [](const std::string& bytes) {
    gditest::writeFile("C:\\bad.bmp", bytes);
    return LoadImage(nullptr, "C:\\bad.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  };
  ASSERT_NE(load(good), nullptr);
  for (size_t cut = 0; cut < good.size(); ++cut) EXPECT_EQ(load(good.substr(0, cut)), nullptr) << cut;
  auto patched = [&](size_t at, uint32_t value, int bytes) {
    std::string s = good;
    for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>(value >> (8 * i));
    return s;
  };
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    int bytes;
  };
  const Case cases[] = {
      {"magic", 0, 'X', 1},
      {"pixel offset past the end", 10, 0x7FFFFFF0u, 4},
      {"header size", 14, 12, 4},
      {"zero width", 18, 0, 4},
      {"absurd width", 18, 0x7FFFFFFFu, 4},
      {"absurd height", 22, 0x40000000u, 4},
      {"most negative height", 22, static_cast<uint32_t>(INT_MIN), 4},
      {"planes", 26, 2, 2},
      {"bit count", 28, 7, 2},
      {"run-length data", 30, BI_RLE8, 4},
      {"more colours than the depth has", 46, 257, 4},
  };
  for (const Case& c : cases) EXPECT_EQ(load(patched(c.at, c.value, c.bytes)), nullptr) << c.what;
  EXPECT_EQ(LoadImage(nullptr, "C:\\missing.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST_F(BitmapTest, V5HeadersAndStandardBitMasksLoad) {
  // A 2 x 1 32-bit file with a 124-byte header and BI_BITFIELDS masks in it.
  std::string f(14 + 124 + 8, '\0');
  auto put = [&](size_t at, uint32_t v) { std::memcpy(&f[at], &v, 4); };
  f[0] = 'B';
  f[1] = 'M';
  put(2, static_cast<uint32_t>(f.size()));
  put(10, 14 + 124);
  put(14, 124);
  put(18, 2);
  put(22, 1);
  put(26, 1 | (32 << 16));
  put(30, BI_BITFIELDS);
  put(54, 0x00FF0000);
  put(58, 0x0000FF00);
  put(62, 0x000000FF);
  put(138, 0x00112233);
  put(142, 0x00445566);
  gditest::writeFile("C:\\v5.bmp", f);
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImage(nullptr, "C:\\v5.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0x44, 0x55, 0x66));
  DeleteDC(dc);
  put(58, 0x0000FC00);  // other masks are not read
  gditest::writeFile("C:\\v5.bmp", f);
  EXPECT_EQ(LoadImage(nullptr, "C:\\v5.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST_F(BitmapTest, ObjectsSelectedIntoADcStayUntilSelectedOut) {
  HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
  // A fresh memory DC holds a 1 x 1 monochrome bitmap.
  BITMAP bm{};
  GetObject(GetCurrentObject(a, OBJ_BITMAP), sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  HBITMAP screenLike = CreateCompatibleBitmap(GetDC(nullptr), 4, 4);
  GetObject(screenLike, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(GetObjectType(screenLike), static_cast<DWORD>(OBJ_BITMAP));
  HGDIOBJ old = SelectObject(a, screenLike);
  EXPECT_EQ(SelectObject(b, screenLike), nullptr);  // one DC at a time
  EXPECT_FALSE(DeleteObject(screenLike));
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HGDIOBJ oldBrush = SelectObject(a, brush);
  EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(DeleteObject(brush));
  LOGBRUSH lb{};
  EXPECT_EQ(GetObject(brush, sizeof(lb), &lb), static_cast<int>(sizeof(LOGBRUSH)));
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
  SelectObject(a, oldBrush);
  SelectObject(a, old);
  EXPECT_NE(SelectObject(b, screenLike), nullptr);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(screenLike));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));  // handles are not reused
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
  EXPECT_EQ(GetObjectType(a), static_cast<DWORD>(OBJ_MEMDC));
  DeleteDC(a);
}

TEST_F(BitmapTest, DibBitsConvertBetweenFormats) {
  gditest::Canvas canvas({"rg", "b."}, {{'r', RGB(255, 0, 0)}, {'g', RGB(0, 255, 0)}, {'b', RGB(0, 0, 255)},
                                        {'.', RGB(255, 255, 255)}});
  SelectObject(canvas.dc, canvas.previous);  // GetDIBits wants it out of the DC
  Info info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  ASSERT_NE(GetDIBits(canvas.dc, canvas.bitmap, 0, 2, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
            0);
  EXPECT_EQ(info.header.biBitCount, 32);
  EXPECT_EQ(info.header.biHeight, 2);
  info.header.biBitCount = 24;
  BYTE bits[16] = {};
  ASSERT_EQ(GetDIBits(canvas.dc, canvas.bitmap, 0, 2, bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 2);
  // Bottom-up rows of 8 bytes: blue, white / red, green, in blue-green-red order.
  const BYTE expected[16] = {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
  EXPECT_EQ(std::memcmp(bits, expected, 16), 0);
  // Back in, top-down, through SetDIBits.
  info.header.biHeight = -2;
  const BYTE swapped[16] = {0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0};
  ASSERT_EQ(SetDIBits(canvas.dc, canvas.bitmap, 0, 2, swapped, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
            2);
  EXPECT_EQ(canvas.at(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(canvas.at(1, 1), RGB(0, 0, 255));
  canvas.previous = SelectObject(canvas.dc, canvas.bitmap);
}

}  // namespace
