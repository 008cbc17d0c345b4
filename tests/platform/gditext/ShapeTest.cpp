#include "GdiTextTestSupport.h"
#include "platform/win/user/User.h"

namespace wavorel::testing {
namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

using ShapeTest = CanvasTest;

TEST_F(ShapeTest, RectangleAndEllipseStayInsideRightAndBottom) {
  SelectObject(dc, GetStockObject(BLACK_PEN));
  HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
  HGDIOBJ oldBrush = SelectObject(dc, grey);
  Rectangle(dc, 10, 10, 20, 16);
  EXPECT_EQ(at(10, 10), kBlack);
  EXPECT_EQ(at(19, 15), kBlack);
  EXPECT_EQ(at(20, 15), kWhite);
  EXPECT_EQ(at(19, 16), kWhite);
  EXPECT_EQ(at(11, 11), RGB(128, 128, 128));
  EXPECT_EQ(count(RECT{0, 0, kWidth, kHeight}, kBlack), 2 * 10 + 2 * 4);

  Ellipse(dc, 40, 10, 50, 20);
  EXPECT_EQ(count(RECT{50, 0, kWidth, kHeight}, kBlack), 0);
  EXPECT_EQ(count(RECT{40, 20, 50, kHeight}, kBlack), 0);
  EXPECT_EQ(at(45, 10), kBlack);
  EXPECT_EQ(at(49, 15), kBlack);
  EXPECT_EQ(at(45, 15), RGB(128, 128, 128));
  EXPECT_EQ(at(40, 10), kWhite);  // corners stay outside

  // Without a pen the filled area loses its right column and bottom row.
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 60, 10, 70, 20);
  EXPECT_EQ(count(RECT{60, 10, 70, 20}, RGB(128, 128, 128)), 9 * 9);
  SelectObject(dc, oldBrush);
  DeleteObject(grey);
}

TEST_F(ShapeTest, LinesLeaveOutTheirLastPixelAndFollowRop2) {
  SelectObject(dc, GetStockObject(BLACK_PEN));
  MoveToEx(dc, 10, 10, nullptr);
  LineTo(dc, 20, 10);
  EXPECT_EQ(count(RECT{0, 10, kWidth, 11}, kBlack), 10);
  EXPECT_EQ(at(20, 10), kWhite);
  POINT cp{};
  GetCurrentPositionEx(dc, &cp);
  EXPECT_EQ(cp.x, 20);
  LineTo(dc, 20, 20);  // on from the current position
  EXPECT_EQ(at(20, 10), kBlack);
  EXPECT_EQ(at(20, 20), kWhite);
  const POINT diagonal[] = {{30, 30}, {35, 35}, {40, 30}};
  Polyline(dc, diagonal, 3);
  EXPECT_EQ(at(34, 34), kBlack);
  EXPECT_EQ(at(35, 35), kBlack);  // the middle point is drawn by the second segment
  EXPECT_EQ(at(40, 30), kWhite);

  SetROP2(dc, R2_NOT);
  MoveToEx(dc, 10, 10, nullptr);
  LineTo(dc, 15, 10);
  EXPECT_EQ(at(12, 10), kWhite);  // black inverted
  EXPECT_EQ(at(17, 10), kBlack);
}

TEST_F(ShapeTest, FillFrameInvertAndFocusRectangles) {
  RECT r{10, 10, 20, 20};
  FillRect(dc, &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_3DSHADOW + 1)));
  EXPECT_EQ(count(r, GetSysColor(COLOR_3DSHADOW)), 100);
  EXPECT_EQ(at(20, 20), kWhite);
  RECT f{30, 10, 40, 20};
  FrameRect(dc, &f, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(count(f, kBlack), 36);
  InvertRect(dc, &f);
  EXPECT_EQ(count(f, kWhite), 36);
  EXPECT_EQ(count(f, kBlack), 64);

  PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
  RECT focus{50, 10, 60, 20};
  DrawFocusRect(dc, &focus);
  EXPECT_EQ(at(50, 10), kBlack);
  EXPECT_EQ(at(51, 10), kWhite);
  EXPECT_EQ(at(52, 10), kBlack);
  EXPECT_EQ(at(55, 15), kWhite);
  EXPECT_EQ(count(focus, kBlack), 18);
  DrawFocusRect(dc, &focus);
  EXPECT_EQ(count(focus, kWhite), 100);
}

TEST_F(ShapeTest, EdgeColoursByEdgeType) {
  struct Case {
    UINT edge;
    UINT flags;
    int outerTl, outerBr, innerTl, innerBr;
  } cases[] = {
      {EDGE_RAISED, BF_RECT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
      {EDGE_SUNKEN, BF_RECT, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
      {EDGE_ETCHED, BF_RECT, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
      {EDGE_BUMP, BF_RECT, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
      {EDGE_RAISED, BF_RECT | BF_SOFT, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DSHADOW},
      {EDGE_SUNKEN, BF_RECT | BF_FLAT, COLOR_3DSHADOW, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE},
      {EDGE_SUNKEN, BF_RECT | BF_MONO, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW},
  };
  for (const Case& c : cases) {
    PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
    RECT r{10, 10, 30, 30};
    DrawEdge(dc, &r, c.edge, c.flags | BF_MIDDLE);
    EXPECT_EQ(at(15, 10), GetSysColor(c.outerTl)) << c.edge << " " << c.flags;
    EXPECT_EQ(at(10, 15), GetSysColor(c.outerTl)) << c.edge;
    EXPECT_EQ(at(29, 15), GetSysColor(c.outerBr)) << c.edge;
    EXPECT_EQ(at(15, 29), GetSysColor(c.outerBr)) << c.edge;
    EXPECT_EQ(at(29, 10), GetSysColor(c.outerBr)) << c.edge;  // shared corner
    EXPECT_EQ(at(15, 11), GetSysColor(c.innerTl)) << c.edge;
    EXPECT_EQ(at(28, 15), GetSysColor(c.innerBr)) << c.edge;
    EXPECT_EQ(at(20, 20), GetSysColor((c.flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE)) << c.edge;
    EXPECT_EQ(at(30, 15), kWhite);
  }
  // BF_ADJUST moves the flagged sides inside the borders; one side only.
  RECT r{10, 10, 30, 30};
  DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r.left, 12);
  EXPECT_EQ(r.bottom, 28);
  RECT line{10, 50, 30, 60};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP | BF_ADJUST);
  EXPECT_EQ(line.top, 52);
  EXPECT_EQ(line.left, 10);
  EXPECT_EQ(at(10, 51), GetSysColor(COLOR_3DHIGHLIGHT));
}

TEST_F(ShapeTest, FrameControlsAndTheDisabledLook) {
  RECT box{10, 10, 23, 23};
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
  const int windowPixels = count(box, GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(at(10, 10), GetSysColor(COLOR_3DSHADOW));
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_EQ(count(box, GetSysColor(COLOR_WINDOWTEXT)), 21);  // seven strokes of three
  EXPECT_EQ(count(box, GetSysColor(COLOR_WINDOW)), windowPixels - 21);
  RECT radio{30, 10, 43, 23};
  DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  EXPECT_EQ(at(36, 16), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(at(30, 10), kWhite);
  RECT push{50, 10, 70, 25};
  DrawFrameControl(dc, &push, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  EXPECT_EQ(at(55, 10), GetSysColor(COLOR_3DDKSHADOW));  // sunken, soft
  EXPECT_EQ(at(60, 17), GetSysColor(COLOR_3DFACE));
  RECT close{80, 10, 96, 24};
  DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
  EXPECT_GT(count(close, GetSysColor(COLOR_BTNTEXT)), 10);

  // DrawState disabled: highlight one pixel right and down, shadow in place.
  PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
  HBITMAP image = CreateCompatibleBitmap(dc, 4, 4);
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ prev = SelectObject(mem, image);
  PatBlt(mem, 0, 0, 4, 4, WHITENESS);
  SetPixel(mem, 1, 1, RGB(10, 20, 30));
  SelectObject(mem, prev);
  DeleteDC(mem);
  DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, 100, 50, 4, 4, DST_BITMAP | DSS_DISABLED);
  EXPECT_EQ(at(101, 51), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(at(102, 52), GetSysColor(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(at(100, 50), kWhite);
  DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, 110, 50, 4, 4, DST_BITMAP);
  EXPECT_EQ(at(111, 51), RGB(10, 20, 30));
  EXPECT_EQ(at(110, 50), kWhite);
  DeleteObject(image);

  SetTextColor(dc, RGB(0, 0, 255));
  DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>("Wi"), 0, 10, 60, 0, 0, DST_TEXT | DSS_DISABLED);
  EXPECT_GT(count(RECT{10, 60, 60, 90}, GetSysColor(COLOR_3DSHADOW)), 5);
  EXPECT_EQ(count(RECT{10, 60, 60, 90}, RGB(0, 0, 255)), 0);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
}

}  // namespace
}  // namespace wavorel::testing
