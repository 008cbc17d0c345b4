#include "skinvane/ProgressST.h"

#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::SkinTest;
using skinvane::testing::writeBmp;

constexpr COLORREF kBar = RGB(200, 30, 40);
constexpr COLORREF kBack = RGB(10, 120, 10);

class ProgressSTTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr));
    ASSERT_TRUE(writeBmp(skinFile("bar.bmp"), 3, 5, [](int, int) { return kBar; }));
    ASSERT_TRUE(writeBmp(skinFile("back.bmp"), 8, 8, [](int, int) { return kBack; }));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }

  // The first x of row y, from the left, that is not the bar colour.
  static int filledEnd(HWND bar, int y) {
    int x = 2;
    while (x < 200 && pixelAt(bar, x, y) == kBar) ++x;
    return x;
  }

  CWnd parent_;
};

TEST_F(ProgressSTTest, FillsTheBarTiledFromTheSkinInsideTheMargins) {
  struct Case {
    int lower, upper, pos;
    int clientWidth;
    int filledWidth;  // from x = 2
  } cases[] = {
      {0, 100, 50, 104, 50},
      {-50, 50, 0, 104, 50},
      {0, 100, 150, 104, 100},  // clamped to the maximum: the whole area
      {0, 100, 0, 104, 0},
      {0, 100, 25, 104, 25},
      // The fill is the area's width times the percentage, so areas that are
      // not a multiple of 100 pixels fill in proportion too.
      {0, 100, 50, 58, 27},
      {0, 100, 50, 254, 125},
      {0, 100, 100, 254, 250},
      {0, 100, 33, 64, 19},
  };
  for (const Case& c : cases) {
    CProgressST bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, c.clientWidth, 20), &parent_, 1));
    bar.SetBK_Bitmap(skinFile("back.bmp"));
    ASSERT_EQ(bar.SetBitmap(skinFile("bar.bmp"), 1), 1);
    bar.SetRange(c.lower, c.upper);
    bar.SetPos(c.pos);
    repaint(parent_.GetSafeHwnd());
    const HWND hwnd = bar.GetSafeHwnd();
    for (int y : {2, 10, 17}) {
      EXPECT_EQ(pixelAt(hwnd, 0, y), kBack) << c.pos;
      EXPECT_EQ(pixelAt(hwnd, 1, y), kBack) << c.pos;
      if (c.filledWidth > 0) {
        EXPECT_EQ(pixelAt(hwnd, 2, y), kBar) << c.pos;
        EXPECT_EQ(pixelAt(hwnd, 1 + c.filledWidth, y), kBar) << c.pos << " width " << c.clientWidth << " y " << y;
      }
      EXPECT_EQ(pixelAt(hwnd, 2 + c.filledWidth, y), kBack) << c.pos << " width " << c.clientWidth << " y " << y;
    }
    // The margins above and below stay background.
    EXPECT_EQ(pixelAt(hwnd, 10, 1), kBack);
    EXPECT_EQ(pixelAt(hwnd, 10, 18), kBack);
    bar.DestroyWindow();
  }
}

TEST_F(ProgressSTTest, PositionsClampAndStepsWrapPastTheMaximum) {
  CProgressST bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 104, 20), &parent_, 1));
  bar.SetBK_Bitmap(skinFile("back.bmp"));
  ASSERT_EQ(bar.SetBitmap(skinFile("bar.bmp"), 0), 1);
  bar.SetRange(0, 100);
  EXPECT_EQ(bar.SetStep(30), 10);  // the control's previous step
  bar.SetPos(90);
  bar.StepIt();  // 120 wraps to 20
  repaint(parent_.GetSafeHwnd());
  EXPECT_EQ(filledEnd(bar.GetSafeHwnd(), 10), 2 + 20);
  EXPECT_EQ(bar.SetPos(-5), 20);
  EXPECT_EQ(bar.GetPos(), 0);

  // An empty path leaves no bar bitmap: the standard bar paints.
  EXPECT_EQ(bar.SetBitmap("", 0), 1);
  EXPECT_EQ(bar.SetBitmap(skinFile("missing.bmp"), 0), 0);
  // The fill starts at the left margin.
  ASSERT_EQ(bar.SetBitmap(skinFile("bar.bmp"), 0), 1);
  bar.DeflateRect(10, 2, 2, 2);
  bar.SetPos(100);
  repaint(parent_.GetSafeHwnd());
  EXPECT_EQ(pixelAt(bar.GetSafeHwnd(), 9, 10), kBack);
  EXPECT_EQ(pixelAt(bar.GetSafeHwnd(), 10, 10), kBar);
}

}  // namespace
