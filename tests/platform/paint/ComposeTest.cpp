// Composition of a window tree into one image, clipped by the window region.
#include "PaintTestSupport.h"
#include "platform/present/WindowImage.h"

namespace wavorel::testing {
namespace {

using ComposeSuite = PaintTest;

TEST_F(ComposeSuite, ButtonInARegionShapedWindow) {
  HWND top = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 50, 120, 80, nullptr, RGB(255, 255, 255));
  HWND button = CreateWindowEx(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 80, 30, top,
                               reinterpret_cast<HMENU>(1), nullptr, nullptr);
  ASSERT_TRUE(button);
  SetWindowRgn(top, CreateRectRgn(10, 10, 110, 70), TRUE);
  WindowImage image = composeWindow(button);  // any window of the tree gives the top-level image
  ASSERT_EQ(image.width, 120);
  ASSERT_EQ(image.height, 80);
  for (POINT corner : {POINT{0, 0}, POINT{119, 0}, POINT{0, 79}, POINT{119, 79}, POINT{9, 40}})
    EXPECT_FALSE(image.opaqueAt(corner.x, corner.y)) << corner.x << "," << corner.y;
  EXPECT_TRUE(image.opaqueAt(15, 15));
  EXPECT_EQ(image.colorAt(15, 15), RGB(255, 255, 255));
  EXPECT_EQ(image.colorAt(25, 24), GetSysColor(COLOR_3DFACE));      // the button face
  EXPECT_GT(countColour(image, {40, 25, 80, 45}, GetSysColor(COLOR_BTNTEXT), 80), 5);  // "OK"
  EXPECT_EQ(image.colorAt(99, 49), GetSysColor(COLOR_3DDKSHADOW));  // the raised edge's outer corner
}

// The part outside the region is kept between compositions: a new region,
// and a new size under the same region, each give a new cut.
TEST_F(ComposeSuite, EachNewRegionOrSizeIsCutAnew) {
  HWND top = make(WS_POPUP | WS_VISIBLE, 0, 0, 120, 80, nullptr, RGB(255, 255, 255));
  struct Step {
    bool newRegion;
    RECT region;
    int width;
    POINT inside, outside;
  };
  const Step steps[] = {
      {true, {0, 0, 60, 80}, 120, {10, 10}, {90, 10}},
      {true, {60, 0, 120, 80}, 120, {90, 10}, {10, 10}},    // same size, other pixels
      {false, {60, 0, 120, 80}, 160, {90, 10}, {130, 10}},  // the same region, a wider window
  };
  for (const Step& step : steps) {
    if (step.newRegion) SetWindowRgn(top, CreateRectRgnIndirect(&step.region), TRUE);
    SetWindowPos(top, nullptr, 0, 0, step.width, 80, SWP_NOMOVE | SWP_NOZORDER);
    WindowImage image = composeWindow(top);
    ASSERT_EQ(image.width, step.width);
    EXPECT_TRUE(image.opaqueAt(step.inside.x, step.inside.y)) << step.region.left << ", " << step.width << " wide";
    EXPECT_FALSE(image.opaqueAt(step.outside.x, step.outside.y)) << step.region.left << ", " << step.width << " wide";
  }
}

TEST_F(ComposeSuite, PushedButtonRepaintsOnlyItself) {
  HWND top = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 120, 60);
  HWND button = CreateWindowEx(0, "Button", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 60, 24, top,
                               reinterpret_cast<HMENU>(2), nullptr, nullptr);
  WindowImage up = composeWindow(top);
  SendMessage(button, BM_SETSTATE, TRUE, 0);
  WindowImage down = composeWindow(top);
  EXPECT_EQ(record(top).paints, 1);
  int changed = 0, outside = 0;
  for (int y = 0; y < up.height; ++y)
    for (int x = 0; x < up.width; ++x) {
      if (up.pixel(x, y) == down.pixel(x, y)) continue;
      ++changed;
      outside += x < 10 || x >= 70 || y < 10 || y >= 34;
    }
  EXPECT_GT(changed, 0);
  EXPECT_EQ(outside, 0);
}

TEST_F(ComposeSuite, HiddenOrMovedChildUncoversItsParent) {
  HWND top = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 60, nullptr, RGB(255, 255, 255));
  HWND child = make(WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top, RGB(0, 0, 255));
  composeWindow(top);
  SetWindowPos(child, nullptr, 50, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  WindowImage moved = composeWindow(top);
  EXPECT_EQ(moved.colorAt(15, 15), RGB(255, 255, 255));
  EXPECT_EQ(moved.colorAt(55, 15), RGB(0, 0, 255));
  ShowWindow(child, SW_HIDE);
  EXPECT_EQ(composeWindow(top).colorAt(55, 15), RGB(255, 255, 255));
  DestroyWindow(top);
}

TEST_F(ComposeSuite, DesktopShowsVisibleWindowsOnTheDesktopColour) {
  HWND a = make(WS_POPUP | WS_VISIBLE, 10, 10, 40, 40, nullptr, RGB(255, 0, 0));
  HWND b = make(WS_POPUP | WS_VISIBLE, 30, 30, 40, 40, nullptr, RGB(0, 0, 255));
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  make(WS_POPUP, 100, 100, 40, 40, nullptr, RGB(0, 255, 0));  // hidden
  WindowImage screen = composeDesktop();
  EXPECT_EQ(screen.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(screen.colorAt(5, 5), GetSysColor(COLOR_DESKTOP));
  EXPECT_EQ(screen.colorAt(15, 15), RGB(255, 0, 0));
  EXPECT_EQ(screen.colorAt(45, 45), RGB(0, 0, 255));
  EXPECT_EQ(screen.colorAt(120, 120), GetSysColor(COLOR_DESKTOP));
  (void)a;
}

TEST_F(ComposeSuite, InvalidWindowGivesAnEmptyImage) {
  EXPECT_TRUE(composeWindow(nullptr).empty());
  HWND w = make(WS_POPUP, 0, 0, 10, 10);
  DestroyWindow(w);
  EXPECT_TRUE(composeWindow(w).empty());
}

}  // namespace
}  // namespace wavorel::testing
