// CToolBar and AfxLoadSysColorBitmap: toolbar resources compiled by wavrc
// (TOOLBAR and a 16-colour BITMAP written at build time) and hand-made
// resources that lie about their size.
#include <gtest/gtest.h>

#include "data/ToolBarIds.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

constexpr WORD kBrokenToolBar = 900;
constexpr WORD kShortBitmap = 901;

// A toolbar that names 5 buttons but holds 2, and a 16-colour bitmap header
// whose pixels are missing.
const BYTE kCountPastEnd[] = {1, 0, 16, 0, 15, 0, 5, 0, 0x41, 0x9C, 0x42, 0x9C};
const BYTE kHeaderOnly[] = {40, 0, 0, 0, 16, 0, 0, 0, 15, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0,
                            0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0};
const wavorel::ResourceEntry kBrokenEntries[] = {
    {{241, nullptr}, {kBrokenToolBar, nullptr}, 0, kCountPastEnd, sizeof kCountPastEnd},
    {{2, nullptr}, {kShortBitmap, nullptr}, 0, kHeaderOnly, sizeof kHeaderOnly},
};
const wavorel::ResourceTable kBroken{kBrokenEntries, 2, nullptr, 0};

HINSTANCE brokenModule() {
  static HINSTANCE module = [] {
    HINSTANCE made = wavorel::moduleInstance("BrokenToolBars.dll");
    wavorel::registerResourceModule(made, kBroken);
    return made;
  }();
  return module;
}

class ToolBarTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(frame_.CreateEx(0, nullptr, "frame", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
  }
  void TearDown() override {
    frame_.DestroyWindow();
    PlatformTest::TearDown();
  }
  // The colour of a bitmap's pixel.
  static COLORREF pixel(HBITMAP bitmap, int x, int y) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc.GetSafeHdc(), bitmap);
    const COLORREF colour = dc.GetPixel(x, y);
    SelectObject(dc.GetSafeHdc(), old);
    return colour;
  }
  CWnd frame_;
};

TEST_F(ToolBarTest, LoadsButtonsSizesAndItsBitmapFromTheResources) {
  CToolBar bar;
  ASSERT_TRUE(bar.Create(&frame_, 0x50002800, 59392));
  EXPECT_EQ(bar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
  EXPECT_EQ(bar.GetStyle() & 0xFFFF0000u, static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
  EXPECT_EQ(bar.GetStyle() & CBRS_TOP, static_cast<DWORD>(CBRS_TOP));

  ASSERT_TRUE(bar.LoadToolBar(IDR_BUTTONS));
  EXPECT_EQ(bar.GetCount(), 5);
  EXPECT_EQ(bar.GetButtonSize(), CSize(23, 22));
  EXPECT_EQ(bar.GetImageSize(), CSize(16, 15));
  struct Expected {
    UINT id;
    int index;
    UINT style;
    int image;
  };
  for (const Expected& e : {Expected{ID_FIRST, 0, TBBS_BUTTON, 0}, Expected{ID_SECOND, 1, TBBS_BUTTON, 1},
                            Expected{ID_THIRD, 3, TBBS_BUTTON, 2}, Expected{ID_FOURTH, 4, TBBS_BUTTON, 3}}) {
    EXPECT_EQ(bar.CommandToIndex(e.id), e.index) << e.id;
    UINT id = 0, style = 99;
    int image = -1;
    bar.GetButtonInfo(e.index, id, style, image);
    EXPECT_EQ(id, e.id);
    EXPECT_EQ(style, e.style);
    EXPECT_EQ(image, e.image);
  }
  UINT id = 1, style = 0;
  int image = 0;
  bar.GetButtonInfo(2, id, style, image);
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(style, static_cast<UINT>(TBBS_SEPARATOR));
  EXPECT_EQ(bar.CommandToIndex(12345), -1);
  EXPECT_EQ(bar.GetItemID(3), static_cast<UINT>(ID_THIRD));

  HBITMAP strip = bar.GetToolBarBitmap();
  ASSERT_NE(strip, nullptr);
  BITMAP info{};
  ASSERT_TRUE(GetObject(strip, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 64);
  EXPECT_EQ(info.bmHeight, 15);
  // The four button colours follow the system; the others stay.
  EXPECT_EQ(pixel(strip, 0, 0), GetSysColor(COLOR_BTNFACE));      // light grey
  EXPECT_EQ(pixel(strip, 3, 2), GetSysColor(COLOR_BTNHIGHLIGHT)); // white rim
  EXPECT_EQ(pixel(strip, 13, 5), GetSysColor(COLOR_BTNTEXT));     // black rim
  EXPECT_EQ(pixel(strip, 2, 2), GetSysColor(COLOR_BTNSHADOW));    // dark grey corner
  EXPECT_EQ(pixel(strip, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(pixel(strip, 16 + 5, 5), RGB(0, 255, 0));
  EXPECT_EQ(pixel(strip, 48 + 5, 5), RGB(255, 0, 255));
}

TEST_F(ToolBarTest, MissingOrShortResourcesLoadNothing) {
  CToolBar bar;
  ASSERT_TRUE(bar.Create(&frame_));
  EXPECT_FALSE(bar.LoadToolBar(777)) << "no such toolbar";
  EXPECT_FALSE(bar.LoadToolBar(IDR_NOBITMAP)) << "the bitmap of the same name is missing";
  EXPECT_EQ(bar.GetToolBarBitmap(), nullptr);

  AfxSetResourceHandle(brokenModule());
  CToolBar broken;
  ASSERT_TRUE(broken.Create(&frame_));
  EXPECT_FALSE(broken.LoadToolBar(kBrokenToolBar)) << "five buttons named, two present";
  EXPECT_EQ(broken.GetCount(), 0);
  // The program's own toolbars are still found behind the resource module.
  EXPECT_TRUE(broken.LoadToolBar(IDR_BUTTONS));
  EXPECT_EQ(broken.GetCount(), 5);
}

TEST_F(ToolBarTest, SysColorBitmapNeedsAColourTableAndWholePixels) {
  HINSTANCE program = AfxGetInstanceHandle();
  HRSRC sixteen = FindResource(program, MAKEINTRESOURCE(IDR_BUTTONS), RT_BITMAP);
  ASSERT_NE(sixteen, nullptr);
  HBITMAP mapped = AfxLoadSysColorBitmap(program, sixteen);
  ASSERT_NE(mapped, nullptr);
  EXPECT_EQ(pixel(mapped, 0, 14), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(pixel(mapped, 32 + 5, 5), RGB(0, 0, 255));
  DeleteObject(mapped);

  HRSRC trueColour = FindResource(program, MAKEINTRESOURCE(IDR_TRUECOLOUR), RT_BITMAP);
  ASSERT_NE(trueColour, nullptr);
  EXPECT_EQ(AfxLoadSysColorBitmap(program, trueColour), nullptr) << "24 bits: no colour table to map";

  HRSRC headerOnly = FindResource(brokenModule(), MAKEINTRESOURCE(kShortBitmap), RT_BITMAP);
  ASSERT_NE(headerOnly, nullptr);
  EXPECT_EQ(AfxLoadSysColorBitmap(brokenModule(), headerOnly), nullptr);
  EXPECT_EQ(AfxLoadSysColorBitmap(program, nullptr), nullptr);
}

}  // namespace
