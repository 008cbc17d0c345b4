// The fast blit path against the general one: over a table of source and
// target formats, raster operations, colour keys and geometries (stretched,
// mirrored, partly outside the source, clipped), both leave the same bytes in
// the target. Targets the fast path does not take (8 and 1 bits) check that
// the hand-over to the general path keeps them equal too.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Raster.h"

namespace {

using wavorel::gdi::BlitPath;
using wavorel::gdi::Surface;

struct Format {
  const char* name;
  int bpp;
  bool dib;
  bool bottomUp;
};

// A bitmap of a format with random pixels (and a random colour table),
// selected into its own memory DC.
class Picture {
 public:
  Picture(const Format& f, int width, int height, std::mt19937& random) {
    dc_ = CreateCompatibleDC(nullptr);
    if (f.dib) {
      std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
      auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
      bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      bi->bmiHeader.biWidth = width;
      bi->bmiHeader.biHeight = f.bottomUp ? height : -height;
      bi->bmiHeader.biPlanes = 1;
      bi->bmiHeader.biBitCount = static_cast<WORD>(f.bpp);
      bi->bmiHeader.biCompression = BI_RGB;
      for (int i = 0; i < 256; ++i)
        bi->bmiColors[i] = RGBQUAD{static_cast<BYTE>(random()), static_cast<BYTE>(random()),
                                   static_cast<BYTE>(random()), 0};
      void* bits = nullptr;
      bitmap_ = CreateDIBSection(dc_, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    } else {
      bitmap_ = CreateBitmap(width, height, 1, static_cast<UINT>(f.bpp), nullptr);
    }
    old_ = SelectObject(dc_, bitmap_);
    for (size_t i = 0; i < surface().byteSize(); ++i) surface().bits()[i] = static_cast<BYTE>(random());
  }
  ~Picture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  HDC dc() const { return dc_; }
  wavorel::gdi::DeviceContext& context() const { return *wavorel::gdi::dcFromHandle(dc_); }
  Surface& surface() const { return wavorel::gdi::bitmapFromHandle(bitmap_)->surface(); }
  std::vector<BYTE> bytes() const { return {surface().bits(), surface().bits() + surface().byteSize()}; }
  void copyFrom(const Picture& other) {
    std::memcpy(surface().bits(), other.surface().bits(), surface().byteSize());
    surface().setColours(0, other.surface().colours().data(), other.surface().colours().size());
  }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

struct Geometry {
  const char* name;
  int x, y, w, h;      // destination
  int sx, sy, sw, sh;  // source
  bool clip;           // a clip region with a hole
};

const Format kSources[] = {
    {"1-bit DIB", 1, true, true},   {"1-bit DDB", 1, false, false},   {"4-bit DIB", 4, true, true},
    {"8-bit DIB", 8, true, false},  {"16-bit DIB", 16, true, true},   {"24-bit DIB", 24, true, true},
    {"24-bit top-down DIB", 24, true, false}, {"32-bit DIB", 32, true, true}, {"32-bit DDB", 32, false, false},
};
const Format kTargets[] = {
    {"24-bit DIB", 24, true, true}, {"32-bit DIB", 32, true, false}, {"32-bit DDB", 32, false, false},
    {"8-bit DIB", 8, true, true},   {"1-bit DDB", 1, false, false},
};
const DWORD kRops[] = {SRCCOPY,    SRCAND,     SRCPAINT, SRCINVERT, SRCERASE,   NOTSRCCOPY, NOTSRCERASE, MERGEPAINT,
                       0x00220326 /* DSna */,  MERGECOPY, PATCOPY,   PATINVERT,  DSTINVERT, BLACKNESS,   WHITENESS,
                       0x00B8074A /* PSDPxax */};
const Geometry kGeometries[] = {
    {"same size", 3, 2, 20, 12, 1, 1, 20, 12, false},
    {"partly outside the source", -2, 1, 30, 18, -4, -3, 30, 18, false},
    {"stretched", 0, 0, 40, 25, 2, 2, 13, 9, false},
    {"shrunk", 1, 1, 9, 7, 0, 0, 27, 19, false},
    {"mirrored", 30, 20, -25, -15, 0, 0, 25, 15, false},
    {"clipped", 0, 0, 36, 24, 0, 0, 36, 24, true},
};

class BlitPathTest : public wavorel::testing::PlatformTest {};

TEST_F(BlitPathTest, FastPathGivesTheGeneralPathsPixels) {
  std::mt19937 random(7);
  for (const Format& sf : kSources)
    for (const Format& tf : kTargets)
      for (const Geometry& g : kGeometries)
        for (int keyed = 0; keyed < 2; ++keyed)
          for (DWORD rop : kRops) {
            if (keyed && rop != SRCCOPY) continue;  // the key comes with TransparentBlt's copy
            Picture source(sf, 29, 21, random), general(tf, 37, 26, random), fast(tf, 37, 26, random);
            fast.copyFrom(general);
            COLORREF key = keyed ? wavorel::gdi::colorFromPixel(source.surface().get(5, 4)) : CLR_INVALID;
            for (const Picture* p : {&general, &fast}) {
              SetTextColor(p->dc(), RGB(0x12, 0x34, 0x56));
              SetBkColor(p->dc(), RGB(0xAB, 0xCD, 0xEF));
              SelectObject(p->dc(), CreateSolidBrush(RGB(0x5A, 0xC3, 0x0F)));
              if (g.clip) {
                HRGN clip = CreateRectRgn(0, 0, 36, 24);
                HRGN hole = CreateRectRgn(8, 5, 19, 13);
                CombineRgn(clip, clip, hole, RGN_DIFF);
                SelectClipRgn(p->dc(), clip);
                DeleteObject(hole);
                DeleteObject(clip);
              }
            }
            SetBkColor(source.dc(), wavorel::gdi::colorFromPixel(source.surface().get(0, 0)));
            ASSERT_TRUE(wavorel::gdi::blit(general.context(), g.x, g.y, g.w, g.h, &source.context(), g.sx, g.sy,
                                           g.sw, g.sh, rop, key, BlitPath::General));
            ASSERT_TRUE(wavorel::gdi::blit(fast.context(), g.x, g.y, g.w, g.h, &source.context(), g.sx, g.sy, g.sw,
                                           g.sh, rop, key, BlitPath::Fast));
            ASSERT_EQ(general.bytes(), fast.bytes())
                << sf.name << " onto " << tf.name << ", " << g.name << ", rop " << std::hex << rop
                << (keyed ? ", colour key" : "");
            for (const Picture* p : {&general, &fast}) DeleteObject(SelectObject(p->dc(), GetStockObject(WHITE_BRUSH)));
          }
}

// A blit within one bitmap reads it as it was before, on both paths: the
// overlapping move of a row of distinct colours keeps them all.
TEST_F(BlitPathTest, OverlappingBlitWithinOneBitmapReadsTheOldPixels) {
  std::mt19937 random(3);
  for (BlitPath path : {BlitPath::General, BlitPath::Fast}) {
    Picture p({"32-bit DIB", 32, true, false}, 16, 4, random);
    std::vector<BYTE> before = p.bytes();
    ASSERT_TRUE(wavorel::gdi::blit(p.context(), 3, 1, 12, 3, &p.context(), 0, 0, 12, 3, SRCCOPY, CLR_INVALID, path));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 12; ++x)
        EXPECT_EQ(std::memcmp(p.surface().row32(y + 1) + x + 3, before.data() + (static_cast<size_t>(y) * 16 + x) * 4, 4),
                  0)
            << (path == BlitPath::Fast ? "fast" : "general") << " at " << x << "," << y;
  }
}

}  // namespace
