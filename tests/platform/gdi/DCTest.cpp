#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/WindowSurface.h"

using gditest::Canvas;

namespace {

class DCTest : public wavorel::testing::PlatformTest {};

std::string text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST_F(DCTest, ScreenCapabilities) {
  HDC screen = GetDC(nullptr);
  const std::pair<int, int> caps[] = {{BITSPIXEL, 32}, {PLANES, 1},    {LOGPIXELSX, 96},  {LOGPIXELSY, 96},
                                      {HORZRES, 1280}, {VERTRES, 1024}, {NUMCOLORS, -1}, {SIZEPALETTE, 0}};
  for (auto [index, value] : caps) EXPECT_EQ(GetDeviceCaps(screen, index), value) << index;
  EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 0);  // released
}

TEST_F(DCTest, SaveAndRestoreBringBackAttributesObjectsOriginsAndClip) {
  Canvas c(10, 10);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SetBkColor(c.dc, RGB(1, 1, 1));
  int level = SaveDC(c.dc);
  EXPECT_EQ(level, 1);
  SelectObject(c.dc, red);
  SetBkColor(c.dc, RGB(2, 2, 2));
  SetViewportOrgEx(c.dc, 3, 3, nullptr);
  IntersectClipRect(c.dc, 0, 0, 2, 2);
  EXPECT_EQ(SaveDC(c.dc), 2);
  SetBkMode(c.dc, TRANSPARENT);
  EXPECT_TRUE(RestoreDC(c.dc, -1));
  EXPECT_EQ(GetBkMode(c.dc), OPAQUE);
  EXPECT_EQ(GetBkColor(c.dc), RGB(2, 2, 2));
  EXPECT_TRUE(RestoreDC(c.dc, level));
  EXPECT_EQ(GetBkColor(c.dc), RGB(1, 1, 1));
  EXPECT_EQ(GetCurrentObject(c.dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(red));  // no longer selected
  POINT org{};
  GetViewportOrgEx(c.dc, &org);
  EXPECT_EQ(org.x, 0);
  RECT box{};
  EXPECT_EQ(GetClipBox(c.dc, &box), SIMPLEREGION);
  EXPECT_EQ(text(box), "0,0,10,10");
  EXPECT_FALSE(RestoreDC(c.dc, 1));  // nothing saved any more
}

TEST_F(DCTest, ClipRectanglesAreLogicalAndClipRegionsDevice) {
  Canvas c(10, 10);
  SetWindowOrgEx(c.dc, 5, 0, nullptr);  // logical x 5 is device x 0
  EXPECT_EQ(IntersectClipRect(c.dc, 5, 0, 12, 6), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc, 7, 2, 9, 4), COMPLEXREGION);
  RECT box{};
  GetClipBox(c.dc, &box);
  EXPECT_EQ(text(box), "5,0,12,6");
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(c.dc, clip), 1);
  RECT device{};
  GetRgnBox(clip, &device);
  EXPECT_EQ(text(device), "0,0,7,6");
  // A selected region is copied: changing it later changes nothing.
  HRGN mine = CreateRectRgn(1, 1, 3, 3);
  EXPECT_EQ(SelectObject(c.dc, mine), reinterpret_cast<HGDIOBJ>(SIMPLEREGION));
  OffsetRgn(mine, 5, 5);
  GetClipBox(c.dc, &box);
  EXPECT_EQ(text(box), "6,1,8,3");
  EXPECT_EQ(SetPixel(c.dc, 5, 0, RGB(0, 0, 0)), static_cast<COLORREF>(-1));  // clipped away
  EXPECT_EQ(GetPixel(c.dc, 6, 1), RGB(255, 255, 255));
  EXPECT_EQ(SelectClipRgn(c.dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(c.dc, clip), 0);
  DeleteObject(clip);
  DeleteObject(mine);
}

LRESULT CALLBACK plainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

TEST_F(DCTest, WindowDcDrawsTheChildAreaOfTheTopLevelSurface) {
  WNDCLASS wc{};
  wc.lpfnWndProc = plainProc;
  wc.lpszClassName = "DcTestWindow";
  ASSERT_NE(RegisterClass(&wc), 0);
  HWND top = CreateWindowEx(0, "DcTestWindow", "", WS_POPUP, 100, 100, 40, 30, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "DcTestWindow", "", WS_CHILD, 10, 5, 50, 8, top, nullptr, nullptr, nullptr);
  HDC whole = GetWindowDC(top);
  PatBlt(whole, 0, 0, 40, 30, WHITENESS);
  ReleaseDC(top, whole);
  HDC dc = GetDC(child);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));
  PatBlt(dc, -5, -5, 100, 100, BLACKNESS);
  RECT box{};
  GetClipBox(dc, &box);
  EXPECT_EQ(text(box), "0,0,30,8");  // cut by the parent's client area
  ReleaseDC(child, dc);
  auto surface = wavorel::gdi::windowSurface(top);
  ASSERT_NE(surface, nullptr);
  const auto& s = surface->surface();
  EXPECT_EQ(s.width(), 40);
  auto black = [&](int x, int y) { return (s.get(x, y) & 0xFFFFFF) == 0; };
  EXPECT_TRUE(black(10, 5));
  EXPECT_TRUE(black(39, 12));
  EXPECT_FALSE(black(9, 5));
  EXPECT_FALSE(black(10, 13));
  DestroyWindow(top);
}

}  // namespace
