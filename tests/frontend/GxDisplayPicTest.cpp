#include "frontend/GxDisplayPic.h"

#include <string>

#include "frontend/PictureDraw.h"
#include "platform/testing/TestBitmaps.h"
#include "tests/frontend/FrontendTest.h"

namespace {

using wavorel::testing::FrontendTest;

constexpr COLORREF kParentColour = RGB(10, 120, 30);
constexpr COLORREF kPictureColour = RGB(200, 40, 160);

// A parent that paints itself one colour, so a transparent child shows it.
class ColouredParent : public CWnd {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ERASEBKGND) {
      RECT client;
      ::GetClientRect(m_hWnd, &client);
      HBRUSH brush = CreateSolidBrush(kParentColour);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      DeleteObject(brush);
      return 1;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class GxDisplayPicTest : public FrontendTest {
 protected:
  void SetUp() override {
    FrontendTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 120, nullptr, nullptr));
    ASSERT_TRUE(pic_.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 70), &parent_, 5223));
    // A 20 x 10 picture of one colour.
    picturePath_ = FormatString("%sSkin\\picture.bmp", GetCurDir());
    ASSERT_TRUE(wavorel::testing::writeBmp(picturePath_, 20, 10, [](int, int) { return kPictureColour; }));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    FrontendTest::TearDown();
  }

  COLORREF paintedAt(int x, int y) {
    parent_.Invalidate();
    UpdateWindow(parent_.GetSafeHwnd());
    wavorel::pumpMessages();
    HDC dc = GetDC(pic_.GetSafeHwnd());
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(pic_.GetSafeHwnd(), dc);
    return colour;
  }

  ColouredParent parent_;
  CGxDisplayPic pic_;
  CString picturePath_;
};

TEST_F(GxDisplayPicTest, EmptyControlShowsTheParent) {
  EXPECT_EQ(paintedAt(5, 5), kParentColour);
  EXPECT_EQ(paintedAt(40, 30), kParentColour);
}

TEST_F(GxDisplayPicTest, MissingIconFileHoldsNoIconAndPaintsNothing) {
  EXPECT_FALSE(pic_.LoadIconFile(FormatString("%sSkin\\MsgBox_80.ico", GetCurDir())));
  EXPECT_EQ(pic_.GetIcon(), nullptr);
  EXPECT_FALSE(pic_.LoadIconFile(nullptr));
  EXPECT_EQ(paintedAt(40, 30), kParentColour);
}

TEST_F(GxDisplayPicTest, IconIsDrawnCentredOverTheParent) {
  ASSERT_TRUE(pic_.LoadIconFile(FormatString("%sSkin\\MsgBox_3.ico", GetCurDir())));
  EXPECT_NE(pic_.GetIcon(), nullptr);
  // The error icon is a red disc centred in the 80 x 60 control; its masked
  // corners let the parent through.
  const COLORREF centre = paintedAt(40, 30 + 8);
  EXPECT_GT(GetRValue(centre), 150);
  EXPECT_LT(GetGValue(centre), 100);
  EXPECT_EQ(paintedAt(40 - 15, 30 - 15), kParentColour);
  EXPECT_EQ(paintedAt(2, 2), kParentColour);
}

TEST_F(GxDisplayPicTest, PictureIsClippedToItsSizeOrFillsTheControl) {
  // The static class gets a background brush for this test.
  const ULONG_PTR classBrush = SetClassLongPtr(pic_.GetSafeHwnd(), GCL_HBRBACKGROUND, COLOR_WINDOW + 1);
  ASSERT_TRUE(pic_.Picture().LoadFile(picturePath_));
  const SIZE natural = pic_.Picture().GetSizeInPixels(nullptr);
  EXPECT_EQ(natural.cx, 20);
  EXPECT_EQ(natural.cy, 10);
  EXPECT_EQ(paintedAt(5, 5), kPictureColour);
  // Outside the picture the class background is painted.
  EXPECT_EQ(paintedAt(50, 40), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(paintedAt(25, 5), GetSysColor(COLOR_WINDOW));

  pic_.SetFillRect(1);
  EXPECT_EQ(paintedAt(50, 40), kPictureColour);
  EXPECT_EQ(paintedAt(79, 59), kPictureColour);
  SetClassLongPtr(pic_.GetSafeHwnd(), GCL_HBRBACKGROUND, static_cast<LONG_PTR>(classBrush));
}

TEST_F(GxDisplayPicTest, ModalStateDisablesTheControl) {
  pic_.BeginModalState();
  EXPECT_FALSE(pic_.IsWindowEnabled());
  pic_.EndModalState();
  EXPECT_TRUE(pic_.IsWindowEnabled());
}

TEST_F(GxDisplayPicTest, BackgroundCompanionDrawsIntoItsRectangle) {
  CPictureDraw draw(&parent_);
  ASSERT_TRUE(draw.Picture().LoadFile(picturePath_));
  HDC windowDc = GetDC(parent_.GetSafeHwnd());
  CDC* dc = CDC::FromHandle(windowDc);

  draw.SetRect(RECT{100, 50, 160, 100});
  draw.Draw(dc);
  EXPECT_EQ(GetPixel(windowDc, 101, 51), kPictureColour);
  EXPECT_EQ(GetPixel(windowDc, 119, 59), kPictureColour);
  EXPECT_NE(GetPixel(windowDc, 125, 55), kPictureColour);  // natural size only

  // Holding an icon switches the picture off.
  draw.SetRect(RECT{0, 0, 0, 0});
  draw.SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
  draw.Draw(dc);
  EXPECT_NE(GetPixel(windowDc, 1, 1), kPictureColour);
  EXPECT_TRUE(draw.EraseBackground(dc));
  CPictureDraw orphan(nullptr);
  EXPECT_FALSE(orphan.EraseBackground(dc));
  ReleaseDC(parent_.GetSafeHwnd(), windowDc);
}

}  // namespace
