// Drawing outside WM_PAINT: a DC from GetDC or GetWindowDC reaches what the
// window's painting reaches (siblings above it, children and the window
// region are cut out), and the caret, drawn through it, inverts its place,
// blinks on the platform clock and keeps out of the window's paint.
#include "PaintTestSupport.h"

namespace wavorel::testing {
namespace {

constexpr COLORREF kPen = RGB(250, 0, 250);

using WindowDcSuite = PaintTest;

void fillThrough(HWND hwnd, bool whole) {
  HDC dc = whole ? GetWindowDC(hwnd) : GetDC(hwnd);
  ASSERT_NE(dc, nullptr);
  HBRUSH brush = CreateSolidBrush(kPen);
  RECT all{-500, -500, 1000, 1000};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(hwnd, dc);
}

TEST_F(WindowDcSuite, AWindowDcCannotPaintOverSiblingsChildrenOrOutsideTheRegion) {
  HWND top = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 120, nullptr, RGB(0, 0, 200));
  // `above` is created first, so it lies above `drawn` in the z-order.
  make(WS_CHILD | WS_VISIBLE, 60, 10, 40, 40, top, RGB(0, 200, 0));
  HWND drawn = make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 20, 20, 120, 80, top, RGB(200, 0, 0));
  make(WS_CHILD | WS_VISIBLE, 10, 50, 20, 20, drawn, RGB(200, 200, 0));
  SetWindowRgn(drawn, CreateRectRgn(0, 0, 110, 70), TRUE);
  WindowImage before = composeWindow(top);

  fillThrough(drawn, false);
  WindowImage image = composeWindow(top);
  EXPECT_EQ(image.colorAt(30, 30), kPen) << "its own client area";
  EXPECT_EQ(image.colorAt(70, 30), RGB(0, 200, 0)) << "the sibling above it";
  EXPECT_EQ(image.colorAt(35, 75), RGB(200, 200, 0)) << "its child";
  EXPECT_EQ(image.colorAt(135, 95), before.colorAt(135, 95)) << "outside its window region";
  EXPECT_EQ(image.colorAt(150, 30), RGB(0, 0, 200)) << "outside its rectangle";
  EXPECT_EQ(image.colorAt(10, 10), RGB(0, 0, 200));

  // The parent with WS_CLIPCHILDREN cannot reach its children either.
  fillThrough(top, true);
  image = composeWindow(top);
  EXPECT_EQ(image.colorAt(5, 5), kPen);
  EXPECT_EQ(image.colorAt(70, 30), RGB(0, 200, 0));
}

TEST_F(WindowDcSuite, TheCaretInvertsItsPlaceBlinksAndKeepsOutOfThePaint) {
  HWND w = make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 40, nullptr, RGB(255, 255, 255));
  composeWindow(w);
  ASSERT_TRUE(CreateCaret(w, nullptr, 2, 16));
  SetCaretPos(10, 5);
  EXPECT_EQ(composeWindow(w).colorAt(11, 10), RGB(255, 255, 255)) << "hidden until ShowCaret";
  ASSERT_TRUE(ShowCaret(w));
  WindowImage on = composeWindow(w);
  EXPECT_EQ(on.colorAt(10, 5), RGB(0, 0, 0));
  EXPECT_EQ(on.colorAt(11, 20), RGB(0, 0, 0));
  EXPECT_EQ(on.colorAt(12, 10), RGB(255, 255, 255)) << "two pixels wide";

  // It blinks every GetCaretBlinkTime milliseconds.
  const UINT blink = GetCaretBlinkTime();
  clock().advance(blink);
  pumpMessages();
  EXPECT_EQ(composeWindow(w).colorAt(11, 10), RGB(255, 255, 255));
  clock().advance(blink);
  pumpMessages();
  EXPECT_EQ(composeWindow(w).colorAt(11, 10), RGB(0, 0, 0));

  // A paint of its window does not leave it inverted twice or drawn over.
  InvalidateRect(w, nullptr, TRUE);
  WindowImage painted = composeWindow(w);
  EXPECT_EQ(painted.colorAt(11, 10), RGB(0, 0, 0));
  EXPECT_EQ(painted.colorAt(30, 10), RGB(255, 255, 255));

  // Moving shows it at once in its new place; hiding and destroying take it off.
  SetCaretPos(50, 5);
  WindowImage moved = composeWindow(w);
  EXPECT_EQ(moved.colorAt(11, 10), RGB(255, 255, 255));
  EXPECT_EQ(moved.colorAt(51, 10), RGB(0, 0, 0));
  HideCaret(w);
  EXPECT_EQ(composeWindow(w).colorAt(51, 10), RGB(255, 255, 255));
  ShowCaret(w);
  DestroyCaret();
  EXPECT_EQ(composeWindow(w).colorAt(51, 10), RGB(255, 255, 255));
  EXPECT_FALSE(ShowCaret(w));
}

}  // namespace
}  // namespace wavorel::testing
