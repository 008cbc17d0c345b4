#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/win/gdi/Images.h"

using gditest::Canvas;

namespace {

class ImageListTest : public wavorel::testing::PlatformTest {};

const COLORREF kYellow = 0x00FFFF;  // RGB(255, 255, 0)
const std::map<char, COLORREF> kColours = {{'y', kYellow},          {'r', RGB(255, 0, 0)}, {'g', RGB(0, 255, 0)},
                                           {'b', RGB(0, 0, 255)},   {'#', RGB(0, 0, 0)},   {'.', RGB(255, 255, 255)},
                                           {'m', RGB(127, 0, 127)}, {'k', RGB(0, 0, 127)}};

// Two 3 x 2 frames with yellow key pixels.
HIMAGELIST maskedList(Canvas& strip) {
  HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR24 | ILC_MASK, 2, 1);
  SelectObject(strip.dc, strip.previous);
  EXPECT_EQ(ImageList_AddMasked(list, strip.bitmap, kYellow), 0);
  strip.previous = SelectObject(strip.dc, strip.bitmap);
  return list;
}

TEST_F(ImageListTest, AddMaskedMakesExactlyTheKeyPixelsTransparent) {
  Canvas strip({"ryrgyg", "yrygyy"}, kColours);
  HIMAGELIST list = maskedList(strip);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  struct Case {
    int image;
    UINT style;
    COLORREF listBk;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0, ILD_TRANSPARENT, CLR_NONE, {"rbr", "brb"}},
      {1, ILD_NORMAL, CLR_NONE, {"gbg", "gbb"}},  // no background colour: transparent as well
      {1, ILD_NORMAL, RGB(255, 255, 255), {"g.g", "g.."}},
      {0, ILD_MASK, CLR_NONE, {"#.#", ".#."}},
      {0, ILD_TRANSPARENT | ILD_BLEND50, CLR_NONE, {"mbm", "bmb"}},  // (255, 0, 0) + (0, 0, 255) halves
  };
  for (const Case& c : cases) {
    Canvas target(3, 2, RGB(0, 0, 255));
    ImageList_SetBkColor(list, c.listBk);
    ASSERT_TRUE(ImageList_DrawEx(list, c.image, target.dc, 0, 0, 0, 0, CLR_DEFAULT, RGB(0, 0, 255), c.style));
    EXPECT_EQ(target.rows(kColours), c.expected) << "image " << c.image << " style " << c.style;
  }
  ImageList_Destroy(list);
}

// A DIB section of `bpp` bits holding `picture`'s pixels (the 8-bit one with
// the test's colours as its colour table).
HBITMAP dibCopy(const Canvas& picture, int bpp) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = picture.width;
  info.header.biHeight = picture.height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bpp);
  int n = 0;
  for (const auto& kv : kColours)
    info.colours[n++] = RGBQUAD{GetBValue(kv.second), GetGValue(kv.second), GetRValue(kv.second), 0};
  info.header.biClrUsed = bpp <= 8 ? n : 0;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, copy);
  BitBlt(dc, 0, 0, picture.width, picture.height, picture.dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  return copy;
}

// Image `image` of a 3 x 2 list drawn over blue: transparent pixels show blue
// (ILD_TRANSPARENT), white (ILD_NORMAL) or are white in the mask (ILD_MASK).
std::vector<std::string> drawnOverBlue(HIMAGELIST list, int image, UINT style) {
  Canvas target(3, 2, RGB(0, 0, 255));
  ImageList_DrawEx(list, image, target.dc, 0, 0, 0, 0, RGB(255, 255, 255), CLR_DEFAULT, style);
  return target.rows(kColours);
}

TEST_F(ImageListTest, StripsOfEveryFormatGoInWithTheSameColoursAndMasks) {
  Canvas strip({"ryrgyg", "yrygyy"}, kColours);
  for (int bpp : {24, 8, 32}) {
    HBITMAP source = dibCopy(strip, bpp);
    HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR24 | ILC_MASK, 2, 1);
    EXPECT_EQ(ImageList_AddMasked(list, source, kYellow), 0) << bpp;
    EXPECT_EQ(drawnOverBlue(list, 0, ILD_TRANSPARENT), (std::vector<std::string>{"rbr", "brb"})) << bpp;
    EXPECT_EQ(drawnOverBlue(list, 1, ILD_TRANSPARENT), (std::vector<std::string>{"gbg", "gbb"})) << bpp;
    EXPECT_EQ(drawnOverBlue(list, 1, ILD_MASK), (std::vector<std::string>{"#.#", "#.."})) << bpp;
    ImageList_Destroy(list);
    DeleteObject(source);
  }

  // Images 20 pixels wide: their mask bits start inside a byte and fill
  // whole bytes.
  const std::string wide = "ryyrgyrrrygyyyrgrrygyrgyyrrgryyygrgyrgyr";
  Canvas wideStrip({wide}, kColours);
  HBITMAP wideSource = dibCopy(wideStrip, 24);
  HIMAGELIST wideList = ImageList_Create(20, 1, ILC_COLOR24 | ILC_MASK, 2, 1);
  EXPECT_EQ(ImageList_AddMasked(wideList, wideSource, kYellow), 0);
  for (int image = 0; image < 2; ++image) {
    Canvas mask(20, 1, RGB(0, 0, 255)), colours(20, 1, RGB(0, 0, 255));
    ImageList_Draw(wideList, image, mask.dc, 0, 0, ILD_MASK);
    ImageList_Draw(wideList, image, colours.dc, 0, 0, ILD_TRANSPARENT);
    std::string expectedMask, expectedColours;
    for (char c : wide.substr(static_cast<size_t>(image) * 20, 20)) {
      expectedMask += c == 'y' ? '.' : '#';
      expectedColours += c == 'y' ? 'b' : c;
    }
    EXPECT_EQ(mask.rows(kColours), std::vector<std::string>{expectedMask}) << image;
    EXPECT_EQ(colours.rows(kColours), std::vector<std::string>{expectedColours}) << image;
  }
  ImageList_Destroy(wideList);
  DeleteObject(wideSource);

  // A separate monochrome mask (1 = transparent) two pixels narrower than the
  // picture: the columns it does not cover stay opaque.
  const BYTE maskBits[] = {0x60, 0, 0x80, 0};  // rows ".##." and "#..." (2-byte rows)
  HBITMAP mask = CreateBitmap(4, 2, 1, 1, maskBits);
  HBITMAP picture = dibCopy(strip, 24);
  HIMAGELIST list = ImageList_Create(3, 2, ILC_COLOR24 | ILC_MASK, 2, 1);
  EXPECT_EQ(ImageList_Add(list, picture, mask), 0);
  EXPECT_EQ(drawnOverBlue(list, 0, ILD_NORMAL), (std::vector<std::string>{"r..", ".ry"}));
  EXPECT_EQ(drawnOverBlue(list, 0, ILD_MASK), (std::vector<std::string>{"#..", ".##"}));
  EXPECT_EQ(drawnOverBlue(list, 1, ILD_NORMAL), (std::vector<std::string>{"gyg", "gyy"}));

  // A replacement narrower than the list: the missing column is black.
  Canvas narrow({"gg", "rr"}, kColours);
  SelectObject(narrow.dc, narrow.previous);
  EXPECT_TRUE(ImageList_Replace(list, 1, narrow.bitmap, nullptr));
  narrow.previous = SelectObject(narrow.dc, narrow.bitmap);
  EXPECT_EQ(drawnOverBlue(list, 1, ILD_NORMAL), (std::vector<std::string>{"gg#", "rr#"}));
  ImageList_Destroy(list);
  DeleteObject(picture);
  DeleteObject(mask);
}

TEST_F(ImageListTest, IconsGoInAndComeOutWithTheirMasks) {
  Canvas strip({"ryrgyg", "yrygyy"}, kColours);
  HIMAGELIST list = maskedList(strip);
  HICON icon = ImageList_GetIcon(list, 1, ILD_NORMAL);
  ASSERT_NE(icon, nullptr);
  Canvas viaIcon(3, 2, RGB(0, 0, 0));
  DrawIconEx(viaIcon.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(viaIcon.rows(kColours), (std::vector<std::string>{"g#g", "g##"}));
  // Appended with index -1, replacing image 0 with an index.
  EXPECT_EQ(ImageList_ReplaceIcon(list, -1, icon), 2);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 3, icon), -1);
  Canvas target(3, 2, RGB(0, 0, 0));
  ImageList_Draw(list, 0, target.dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(target.rows(kColours), viaIcon.rows(kColours));
  DestroyIcon(icon);

  IMAGEINFO info{};
  ASSERT_TRUE(ImageList_GetImageInfo(list, 2, &info));
  EXPECT_EQ(info.rcImage.right - info.rcImage.left, 3);
  EXPECT_EQ(info.rcImage.bottom - info.rcImage.top, 2);
  EXPECT_EQ(GetObjectType(info.hbmMask), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  EXPECT_TRUE(ImageList_SetImageCount(list, 5));
  EXPECT_EQ(ImageList_GetImageCount(list), 5);
  EXPECT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_FALSE(ImageList_Draw(list, 0, target.dc, 0, 0, ILD_NORMAL));
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 3);
  EXPECT_EQ(cy, 2);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list));
}

TEST_F(ImageListTest, AddSplitsAStripByTheListWidth) {
  Canvas strip({"rrggbbyy", "rrggbbyy"}, kColours);
  SelectObject(strip.dc, strip.previous);
  HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR24, 4, 1);
  EXPECT_EQ(ImageList_Add(list, strip.bitmap, nullptr), 0);
  EXPECT_EQ(ImageList_Add(list, strip.bitmap, nullptr), 4);
  EXPECT_EQ(ImageList_GetImageCount(list), 8);
  Canvas target(2, 2);
  ImageList_Draw(list, 6, target.dc, 0, 0, ILD_TRANSPARENT);  // no mask: copied whole
  EXPECT_EQ(target.rows(kColours), (std::vector<std::string>{"bb", "bb"}));
  // A strip takes the room it needs and no more: three images of 2 pixels.
  Canvas strip3({"rrggbb", "rrggbb"}, kColours);
  SelectObject(strip3.dc, strip3.previous);
  HIMAGELIST three = ImageList_Create(2, 2, ILC_COLOR24, 1, 1);
  EXPECT_EQ(ImageList_Add(three, strip3.bitmap, nullptr), 0);
  IMAGEINFO info{};
  BITMAP bm{};
  ASSERT_TRUE(ImageList_GetImageInfo(three, 0, &info));
  ASSERT_TRUE(GetObject(info.hbmImage, sizeof bm, &bm));
  EXPECT_EQ(bm.bmWidth, 6);
  ImageList_Destroy(three);
  strip3.previous = SelectObject(strip3.dc, strip3.bitmap);
  HIMAGELIST wide = ImageList_Create(9, 2, ILC_COLOR24, 1, 1);
  EXPECT_EQ(ImageList_Add(wide, strip.bitmap, nullptr), -1);  // narrower than one image
  ImageList_Destroy(wide);
  ImageList_Destroy(list);
  strip.previous = SelectObject(strip.dc, strip.bitmap);
}

}  // namespace
