// BeginPaint/EndPaint, erasing, clipping to the update region and to the
// window tree, and the colours controls get from their parent.
#include "PaintTestSupport.h"
#include "platform/present/WindowImage.h"

namespace wavorel::testing {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

using PaintSuite = PaintTest;

TEST_F(PaintSuite, InvalidatedAreaIsErasedOnceAndPaintingStaysInside) {
  HWND w = make(WS_POPUP | WS_VISIBLE, 0, 0, 60, 40);
  ASSERT_TRUE(w);
  WindowImage first = composeWindow(w);
  EXPECT_EQ(record(w).paints, 1);
  EXPECT_EQ(record(w).erases, 1);
  EXPECT_EQ(countColour(first, {0, 0, 60, 40}, kRed), 60 * 40);

  record(w).fill = kBlue;
  RECT area{10, 5, 20, 15};
  InvalidateRect(w, &area, TRUE);
  UpdateWindow(w);
  EXPECT_EQ(record(w).paints, 2);
  EXPECT_EQ(record(w).erases, 2);
  const RECT& painted = record(w).last.rcPaint;
  EXPECT_TRUE(painted.left == 10 && painted.top == 5 && painted.right == 20 && painted.bottom == 15);
  EXPECT_FALSE(record(w).last.fErase);  // the class brush erased it
  WindowImage second = composeWindow(w);
  EXPECT_EQ(record(w).paints, 2);  // nothing left to paint
  EXPECT_EQ(countColour(second, {0, 0, 60, 40}, kBlue), 10 * 10);
  EXPECT_EQ(countColour(second, area, kBlue), 10 * 10);
}

TEST_F(PaintSuite, EraseFlagAndBackgroundBrushDecideWmEraseBkgndAndFErase) {
  struct Case {
    bool erase;
    bool brush;
    int erases;
    BOOL fErase;
  };
  const Case cases[] = {{true, true, 1, FALSE}, {true, false, 1, TRUE}, {false, true, 0, FALSE}};
  for (const Case& c : cases) {
    HWND w = make(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, kRed, c.brush);
    composeWindow(w);
    record(w).erases = 0;
    InvalidateRect(w, nullptr, c.erase);
    UpdateWindow(w);
    EXPECT_EQ(record(w).erases, c.erases) << c.erase << c.brush;
    EXPECT_EQ(record(w).last.fErase, c.fErase) << c.erase << c.brush;
    DestroyWindow(w);
  }
}

TEST_F(PaintSuite, GetUpdateRgnReportsTheInvalidArea) {
  HWND w = make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  composeWindow(w);
  HRGN r = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(w, r, FALSE), NULLREGION);
  RECT a{0, 0, 10, 10}, b{20, 20, 30, 30};
  InvalidateRect(w, &a, FALSE);
  InvalidateRect(w, &b, FALSE);
  EXPECT_EQ(GetUpdateRgn(w, r, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(r, 25, 25));
  EXPECT_FALSE(PtInRegion(r, 15, 15));
  EXPECT_EQ(GetUpdateRgn(nullptr, r, FALSE), RGN_ERROR);
  DeleteObject(r);
}

TEST_F(PaintSuite, ClipChildrenKeepsTheParentOffItsChildren) {
  for (bool clip : {true, false}) {
    HWND parent = make(WS_POPUP | WS_VISIBLE | (clip ? WS_CLIPCHILDREN : 0), 0, 0, 80, 60, nullptr, kRed);
    HWND child = make(WS_CHILD | WS_VISIBLE, 20, 20, 30, 20, parent, kGreen);
    composeWindow(parent);
    int childPaints = record(child).paints;
    InvalidateRect(parent, nullptr, TRUE);
    WindowImage image = composeWindow(parent);
    // Windows invalidate the children with the parent unless it clips them.
    EXPECT_EQ(record(child).paints, childPaints + (clip ? 0 : 1)) << clip;
    EXPECT_EQ(countColour(image, {20, 20, 50, 40}, kGreen), 30 * 20) << clip;
    EXPECT_EQ(image.colorAt(10, 10), kRed);
    DestroyWindow(parent);
  }
}

// A child repainted at once (RDW_UPDATENOW) while its parent is still to
// paint: the parent paints first, so it does not later cover the child.
TEST_F(PaintSuite, UpdateNowOfAChildPaintsItsPendingParentFirst) {
  HWND parent = make(WS_POPUP | WS_VISIBLE, 0, 0, 80, 60, nullptr, kRed);
  HWND child = make(WS_CHILD | WS_VISIBLE, 20, 20, 30, 20, parent, kGreen);
  composeWindow(parent);
  InvalidateRect(parent, nullptr, TRUE);
  RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  WindowImage image = composeWindow(parent);
  EXPECT_EQ(countColour(image, {20, 20, 50, 40}, kGreen), 30 * 20);
  EXPECT_EQ(image.colorAt(10, 10), kRed);
  DestroyWindow(parent);
}

TEST_F(PaintSuite, ClipSiblingsLeavesTheSiblingAboveAlone) {
  HWND parent = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 80, 60, nullptr, kRed);
  HWND top = make(WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, parent, kGreen);
  HWND below = make(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 20, 20, 40, 30, parent, kBlue);
  SetWindowPos(below, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  composeWindow(parent);
  InvalidateRect(below, nullptr, TRUE);
  WindowImage image = composeWindow(parent);
  EXPECT_EQ(image.colorAt(30, 30), kGreen);  // the overlap belongs to the sibling above
  EXPECT_EQ(image.colorAt(50, 45), kBlue);
  (void)top;
}

TEST_F(PaintSuite, OnlyTheInvalidatedChildRepaints) {
  HWND parent = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 60, nullptr, kRed);
  HWND a = make(WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, parent, kGreen);
  HWND b = make(WS_CHILD | WS_VISIBLE, 50, 5, 20, 20, parent, kGreen);
  WindowImage before = composeWindow(parent);
  record(b).fill = kBlue;
  InvalidateRect(b, nullptr, FALSE);
  WindowImage after = composeWindow(parent);
  EXPECT_EQ(record(parent).paints, 1);
  EXPECT_EQ(record(a).paints, 1);
  EXPECT_EQ(record(b).paints, 2);
  int changed = 0;
  for (size_t i = 0; i < after.pixels.size(); ++i) changed += before.pixels[i] != after.pixels[i];
  EXPECT_EQ(changed, 20 * 20);
}

LRESULT CALLBACK colourParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  static HBRUSH green = CreateSolidBrush(kGreen);
  if (msg == WM_CTLCOLORSTATIC) {
    SetProp(hwnd, "asked-by", reinterpret_cast<HANDLE>(lParam));
    SetTextColor(reinterpret_cast<HDC>(wParam), kBlue);
    return reinterpret_cast<LRESULT>(green);
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(PaintSuite, StaticTakesItsColoursFromWmCtlColorStatic) {
  WNDCLASS wc{};
  wc.lpfnWndProc = colourParent;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  wc.lpszClassName = "ColourParent";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND parent = CreateWindowEx(0, "ColourParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 60, nullptr, nullptr,
                               nullptr, nullptr);
  HWND label = CreateWindowEx(0, "Static", "Hello World", WS_CHILD | WS_VISIBLE, 10, 10, 150, 30, parent, nullptr,
                              nullptr, nullptr);
  WindowImage image = composeWindow(parent);
  EXPECT_EQ(GetProp(parent, "asked-by"), reinterpret_cast<HANDLE>(label));
  EXPECT_EQ(image.colorAt(155, 35), kGreen);
  EXPECT_GT(countColour(image, {10, 10, 160, 40}, kBlue, 100), 20);  // glyph cores in the text colour
  EXPECT_EQ(image.colorAt(5, 5), GetSysColor(COLOR_3DFACE));
}

TEST_F(PaintSuite, DefaultControlColoursAreTheSystemBrushes) {
  HWND w = make(WS_POPUP, 0, 0, 10, 10);
  HDC dc = GetDC(w);
  const std::pair<UINT, int> cases[] = {{WM_CTLCOLOREDIT, COLOR_WINDOW},     {WM_CTLCOLORLISTBOX, COLOR_WINDOW},
                                        {WM_CTLCOLORSTATIC, COLOR_3DFACE},   {WM_CTLCOLORBTN, COLOR_3DFACE},
                                        {WM_CTLCOLORDLG, COLOR_3DFACE},      {WM_CTLCOLORSCROLLBAR, COLOR_SCROLLBAR}};
  for (auto [msg, colour] : cases) {
    LRESULT brush = DefWindowProc(w, msg, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(colour)) << msg;
    EXPECT_EQ(GetBkColor(dc), GetSysColor(colour)) << msg;
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  }
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObject(GetSysColorBrush(COLOR_HIGHLIGHT), sizeof lb, &lb));
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_HIGHLIGHT));
  DeleteObject(GetSysColorBrush(COLOR_HIGHLIGHT));
  EXPECT_TRUE(GetObject(GetSysColorBrush(COLOR_HIGHLIGHT), sizeof lb, &lb));  // survives DeleteObject
  ReleaseDC(w, dc);
}

TEST_F(PaintSuite, CaptionAndBorderAreDrawnOnWmNcPaint) {
  HWND w = CreateWindowEx(0, "PaintRec", "Title", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 200,
                          100, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(w);
  WindowImage image = composeWindow(w);
  int edge = GetSystemMetrics(SM_CXDLGFRAME);
  int caption = GetSystemMetrics(SM_CYCAPTION);
  EXPECT_EQ(image.colorAt(edge + 40, edge + caption - 2), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_GT(countColour(image, {edge, edge, 100, edge + caption}, GetSysColor(COLOR_CAPTIONTEXT), 100), 5);
  EXPECT_EQ(image.colorAt(1, 50), GetSysColor(COLOR_3DHIGHLIGHT));
  EXPECT_EQ(image.colorAt(100, 60), kRed);  // the client area is the window's own
}

}  // namespace
}  // namespace wavorel::testing

namespace wavorel::testing {
namespace {

INT_PTR CALLBACK blueDialog(HWND, UINT msg, WPARAM, LPARAM) {
  static HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  return msg == WM_CTLCOLORDLG ? reinterpret_cast<INT_PTR>(blue) : FALSE;
}

TEST_F(PaintSuite, DialogBackgroundIsItsWmCtlColorDlgBrush) {
  WNDCLASS wc{};
  wc.lpfnWndProc = DefDlgProc;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  wc.lpszClassName = "PlainDialog";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND dialog = CreateWindowEx(0, "PlainDialog", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(dialog);
  WindowImage plain = (ShowWindow(dialog, SW_SHOW), composeWindow(dialog));
  EXPECT_EQ(plain.colorAt(20, 15), GetSysColor(COLOR_3DFACE));
  SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(blueDialog));
  InvalidateRect(dialog, nullptr, TRUE);
  EXPECT_EQ(composeWindow(dialog).colorAt(20, 15), RGB(0, 0, 255));
}

}  // namespace
}  // namespace wavorel::testing
