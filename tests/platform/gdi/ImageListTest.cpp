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
