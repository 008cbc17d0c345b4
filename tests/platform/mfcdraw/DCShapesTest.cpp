// CDC's rectangle, frame, image and line members on a white 32-bit canvas.
#include <vector>

#include "platform/Platform.h"
#include "tests/platform/gditext/GdiTextTestSupport.h"

namespace wavorel::testing {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

class CDCShapesTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    cdc = CDC::FromHandle(dc);
  }
  CDC* cdc = nullptr;
};

TEST_F(CDCShapesTest, Draw3dRectGivesTheCornersAsMfcDoes) {
  cdc->Draw3dRect(CRect(10, 10, 20, 16), kRed, kBlue);
  struct Pixel {
    int x, y;
    COLORREF colour;
  } pixels[] = {
      {10, 10, kRed},   {15, 10, kRed},  {18, 10, kRed},  // top, up to the last pixel but one
      {19, 10, kBlue},                                    // top-right: the right side's
      {10, 12, kRed},   {10, 14, kRed},                   // left, down to the last pixel but one
      {10, 15, kBlue},                                    // bottom-left: the bottom side's
      {19, 12, kBlue},  {15, 15, kBlue}, {19, 15, kBlue},
      {15, 12, kWhite}, {20, 10, kWhite}, {10, 16, kWhite}, {9, 10, kWhite},  // inside and outside
  };
  for (const Pixel& p : pixels) EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << "," << p.y;
  EXPECT_EQ(cdc->GetBkColor(), kBlue);  // drawn with FillSolidRect, which sets it
}

TEST_F(CDCShapesTest, BrushRectanglesTakeObjects) {
  CBrush red(kRed);
  cdc->FillRect(CRect(0, 0, 10, 10), &red);
  EXPECT_EQ(count(RECT{0, 0, 10, 10}, kRed), 100);
  CBrush blue(kBlue);
  cdc->FrameRect(CRect(20, 0, 30, 10), &blue);
  EXPECT_EQ(count(RECT{20, 0, 30, 10}, kBlue), 36);
  cdc->InvertRect(CRect(0, 0, 5, 5));
  EXPECT_EQ(at(2, 2), RGB(0, 255, 255));
}

TEST_F(CDCShapesTest, LinesMoveTheCurrentPosition) {
  CPen pen(PS_SOLID, 1, kRed);
  CPen* old = cdc->SelectObject(&pen);
  EXPECT_EQ(cdc->MoveTo(5, 5), CPoint(0, 0));
  EXPECT_TRUE(cdc->LineTo(15, 5));
  EXPECT_EQ(cdc->MoveTo(CPoint(0, 0)), CPoint(15, 5));
  EXPECT_EQ(count(RECT{0, 5, 30, 6}, kRed), 10);  // the last point is left out
  cdc->SelectObject(old);
}

TEST_F(CDCShapesTest, RoundRectRoundsOnlyItsCorners) {
  CPen pen(PS_SOLID, 1, kRed);
  cdc->SelectObject(&pen);
  cdc->SelectStockObject(NULL_BRUSH);
  ASSERT_TRUE(cdc->RoundRect(10, 10, 40, 30, 10, 10));
  EXPECT_EQ(at(10, 10), kWhite);  // the corner is cut
  EXPECT_EQ(at(25, 10), kRed);    // straight top
  EXPECT_EQ(at(10, 20), kRed);    // straight left
  EXPECT_EQ(at(39, 20), kRed);    // right edge is the last column inside
  EXPECT_EQ(at(25, 29), kRed);
  EXPECT_EQ(at(25, 20), kWhite);  // null brush: inside untouched

  // Corners of 0 draw what Rectangle draws.
  ASSERT_TRUE(cdc->RoundRect(CRect(50, 10, 70, 30), CPoint(0, 0)));
  ASSERT_TRUE(cdc->Rectangle(80, 10, 100, 30));
  for (int y = 8; y < 32; ++y)
    for (int x = 48; x < 72; ++x) EXPECT_EQ(at(x, y), at(x + 30, y)) << x << "," << y;
}

// An 8 x 8 icon: an opaque 4 x 4 block at (2, 2) that is black but for a white
// bottom-right pixel; the rest transparent (mask bits set).
HICON makeIcon() {
  BYTE mask[16];  // rows of 2 bytes, the leftmost pixel in the top bit
  for (int y = 0; y < 8; ++y) {
    mask[2 * y] = (y >= 2 && y < 6) ? 0xC3 : 0xFF;
    mask[2 * y + 1] = 0xFF;
  }
  std::vector<DWORD> colour(64, 0);
  colour[5 * 8 + 5] = 0x00FFFFFF;
  ICONINFO info{TRUE, 4, 4, CreateBitmap(8, 8, 1, 1, mask), CreateBitmap(8, 8, 1, 32, colour.data())};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  return icon;
}

TEST_F(CDCShapesTest, DrawStateEmbossesADisabledIcon) {
  HICON icon = makeIcon();
  ASSERT_NE(icon, nullptr);
  CBrush green(kGreen);
  cdc->FillRect(CRect(0, 0, kWidth, kHeight), &green);
  const COLORREF lit = GetSysColor(COLOR_3DHIGHLIGHT), shadow = GetSysColor(COLOR_3DSHADOW);

  ASSERT_TRUE(cdc->DrawState(CPoint(20, 20), CSize(0, 0), icon, DSS_NORMAL, static_cast<CBrush*>(nullptr)));
  EXPECT_EQ(at(22, 22), RGB(0, 0, 0));
  EXPECT_EQ(at(25, 25), kWhite);
  EXPECT_EQ(at(21, 21), kGreen);  // transparent

  ASSERT_TRUE(cdc->DrawState(CPoint(60, 20), CSize(0, 0), icon, DSS_DISABLED, static_cast<CBrush*>(nullptr)));
  struct Pixel {
    int x, y;
    COLORREF colour;
  } disabled[] = {
      {62, 22, shadow}, {65, 24, shadow},  // the dark shape in place
      {66, 23, lit},                       // its highlight, one right and down
      {65, 25, lit},                       // the white pixel is no shape, only lit
      {66, 26, kGreen}, {61, 21, kGreen},  // transparent stays
  };
  for (const Pixel& p : disabled) EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << "," << p.y;

  // A size scales the icon: the shape starts 4 pixels in at 16 x 16.
  ASSERT_TRUE(cdc->DrawState(CPoint(100, 20), CSize(16, 16), icon, DSS_DISABLED, static_cast<HBRUSH>(nullptr)));
  EXPECT_EQ(at(104, 24), shadow);
  EXPECT_EQ(at(103, 24), kGreen);
  EXPECT_EQ(at(111, 31), kGreen);
  DestroyIcon(icon);

  EXPECT_FALSE(cdc->DrawState(CPoint(0, 0), CSize(0, 0), static_cast<HICON>(nullptr), DSS_NORMAL,
                              static_cast<CBrush*>(nullptr)));
}

TEST_F(CDCShapesTest, DrawStateCutsABitmapToTheSize) {
  CBitmap bitmap;
  std::vector<DWORD> pixels(16 * 16, 0x000000FF);  // blue
  ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 32, pixels.data()));
  ASSERT_TRUE(cdc->DrawState(CPoint(10, 10), CSize(4, 16), &bitmap, DSS_NORMAL));
  EXPECT_EQ(count(RECT{0, 0, 40, 40}, kBlue), 4 * 16);
}

}  // namespace
}  // namespace wavorel::testing
