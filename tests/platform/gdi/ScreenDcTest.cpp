// The screen DC makes its screen-sized surface only when something draws on
// it (or reads its pixels): taking one to ask for capabilities, the clip box
// or a text extent costs no 1280 x 1024 bitmap.
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/WindowSurface.h"

namespace {

using ScreenDcTest = wavorel::testing::PlatformTest;

TEST_F(ScreenDcTest, TheScreenSurfaceIsMadeWhenSomethingDrawsOnIt) {
  HDC screen = GetDC(nullptr);
  ASSERT_TRUE(screen);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  RECT box{};
  EXPECT_EQ(GetClipBox(screen, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(box.bottom, GetSystemMetrics(SM_CYSCREEN));
  SIZE extent{};
  EXPECT_TRUE(GetTextExtentPoint32(screen, "Signal", 6, &extent));
  EXPECT_GT(extent.cx, 0);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
  EXPECT_FALSE(wavorel::gdi::screenSurfaceMade());

  EXPECT_NE(SetPixel(screen, 7, 9, RGB(10, 20, 30)), static_cast<COLORREF>(-1));
  EXPECT_TRUE(wavorel::gdi::screenSurfaceMade());
  EXPECT_EQ(GetPixel(screen, 7, 9), RGB(10, 20, 30));
  HDC again = GetDC(nullptr);
  EXPECT_EQ(GetPixel(again, 7, 9), RGB(10, 20, 30));  // one screen for every screen DC
  ReleaseDC(nullptr, again);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace
