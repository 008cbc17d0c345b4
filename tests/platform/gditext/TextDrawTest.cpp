#include <cstring>

#include "GdiTextTestSupport.h"
#include "platform/win/gdi/FontEngine.h"

namespace wavorel::testing {
namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class TextTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    LOGFONT lf{};
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Arial");
    font = CreateFontIndirect(&lf);
    old = SelectObject(dc, font);
    face = &fontEngine().realize(lf);
    SetTextColor(dc, kBlue);
    SetBkColor(dc, kRed);
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(font);
    CanvasTest::TearDown();
  }
  // A fully covered pixel of `c`'s glyph drawn with its cell at (x, y).
  POINT solidPixel(char32_t c, int x, int y) const {
    const GlyphImage& g = face->glyph(c);
    for (int row = g.height / 2; row < g.height; ++row)
      for (int col = 0; col < g.width; ++col)
        if (g.coverage[static_cast<size_t>(row) * g.width + col] == 255)
          return POINT{x + g.left + col, y + face->metrics().tmAscent - g.top + row};
    ADD_FAILURE() << "no solid pixel";
    return POINT{0, 0};
  }

  HFONT font = nullptr;
  HGDIOBJ old = nullptr;
  const FontFace* face = nullptr;
};

TEST_F(TextTest, OpaqueTextFillsItsCellTransparentTextLeavesTheBackground) {
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32(dc, "HI", 2, &size));
  EXPECT_EQ(size.cx, face->advance(U'H') + face->advance(U'I'));
  EXPECT_EQ(size.cy, face->metrics().tmHeight);

  ASSERT_TRUE(TextOut(dc, 10, 10, "HI", 2));  // OPAQUE is the default mode
  EXPECT_EQ(at(10, 10), kRed);
  EXPECT_EQ(at(10 + size.cx - 1, 10 + size.cy - 1), kRed);
  EXPECT_EQ(at(10 + size.cx, 10), kWhite);
  EXPECT_EQ(at(10, 10 + size.cy), kWhite);
  const POINT stroke = solidPixel(U'H', 10, 10);
  EXPECT_EQ(at(stroke.x, stroke.y), kBlue);

  SetBkMode(dc, TRANSPARENT);
  ASSERT_TRUE(TextOut(dc, 10, 60, "HI", 2));
  EXPECT_EQ(at(10, 60), kWhite);
  const POINT stroke2 = solidPixel(U'H', 10, 60);
  EXPECT_EQ(at(stroke2.x, stroke2.y), kBlue);
  // Edge pixels are blends between the text and the background.
  bool blended = false;
  for (int y = 60; y < 60 + size.cy && !blended; ++y)
    for (int x = 10; x < 10 + size.cx && !blended; ++x) blended = at(x, y) != kWhite && at(x, y) != kBlue;
  EXPECT_TRUE(blended);
}

TEST_F(TextTest, AlignmentPlacesTheCellAroundTheReferencePoint) {
  SIZE size{};
  GetTextExtentPoint32(dc, "W", 1, &size);
  const TEXTMETRIC& tm = face->metrics();
  struct Case {
    UINT align;
    int left, top;  // expected cell corner for reference point (100, 60)
  } cases[] = {
      {TA_LEFT | TA_TOP, 100, 60},
      {TA_RIGHT | TA_TOP, 100 - size.cx, 60},
      {TA_CENTER | TA_TOP, 100 - size.cx / 2, 60},
      {TA_LEFT | TA_BOTTOM, 100, 60 - tm.tmHeight},
      {TA_LEFT | TA_BASELINE, 100, 60 - tm.tmAscent},
  };
  for (const Case& c : cases) {
    PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
    SetTextAlign(dc, c.align);
    TextOut(dc, 100, 60, "W", 1);
    EXPECT_EQ(at(c.left, c.top), kRed) << c.align;
    EXPECT_NE(at(c.left - 1, c.top), kRed) << c.align;
    EXPECT_NE(at(c.left, c.top - 1), kRed) << c.align;
    EXPECT_EQ(at(c.left + size.cx - 1, c.top + tm.tmHeight - 1), kRed) << c.align;
  }
  // TA_UPDATECP draws at the current position and moves it past the text.
  SetTextAlign(dc, TA_UPDATECP);
  MoveToEx(dc, 5, 5, nullptr);
  TextOut(dc, 0, 0, "W", 1);
  POINT cp{};
  GetCurrentPositionEx(dc, &cp);
  EXPECT_EQ(cp.x, 5 + size.cx);
  EXPECT_EQ(cp.y, 5);
}

TEST_F(TextTest, ExtTextOutOpaqueRectangleAndClipping) {
  SetBkMode(dc, TRANSPARENT);
  const RECT r{20, 20, 60, 40};
  ASSERT_TRUE(ExtTextOut(dc, 20, 20, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWWWWWW", 10, nullptr));
  EXPECT_GT(count(r, kRed), 0);
  EXPECT_EQ(at(20, 20), kRed);
  // Nothing outside the rectangle although the text is wider.
  EXPECT_EQ(count(RECT{60, 0, kWidth, kHeight}, kWhite), (kWidth - 60) * kHeight);
  EXPECT_EQ(count(RECT{0, 40, 60, kHeight}, kWhite), 60 * (kHeight - 40));
}

TEST_F(TextTest, DrawTextCentresClipsAndUnderlinesThePrefix) {
  SIZE size{};
  GetTextExtentPoint32(dc, "File", 4, &size);
  RECT calc{10, 10, 10, 10};
  EXPECT_EQ(DrawText(dc, "&File", -1, &calc, DT_CALCRECT | DT_SINGLELINE), size.cy);
  EXPECT_EQ(calc.right - calc.left, size.cx);
  EXPECT_EQ(calc.bottom - calc.top, size.cy);
  EXPECT_EQ(count(RECT{0, 0, kWidth, kHeight}, kWhite), kWidth * kHeight);  // drew nothing

  RECT r{0, 0, 200, 100};
  const int result = DrawText(dc, "&File", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const int top = (100 - size.cy) / 2, left = (200 - size.cx) / 2;
  EXPECT_EQ(result, top + size.cy);
  EXPECT_EQ(at(left, top), kRed);
  EXPECT_EQ(at(left - 1, top), kWhite);
  EXPECT_EQ(at(left + size.cx, top), kWhite);
  // The prefix underline under 'F' in the text colour.
  const int underline = top + face->metrics().tmAscent + face->underlineOffset();
  EXPECT_EQ(at(left + 1, underline), kBlue);
  EXPECT_NE(at(left + face->advance(U'F') + 1, underline), kBlue);

  // Clipped to the rectangle unless DT_NOCLIP.
  PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
  RECT small{10, 10, 20, 20};
  DrawText(dc, "WWWW", -1, &small, DT_SINGLELINE);
  EXPECT_EQ(count(RECT{20, 0, kWidth, kHeight}, kWhite), (kWidth - 20) * kHeight);
  DrawText(dc, "WWWW", -1, &small, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_LT(count(RECT{20, 0, kWidth, kHeight}, kWhite), (kWidth - 20) * kHeight);
}

TEST_F(TextTest, OriginsMoveTextAndUnderlinedFontsDrawTheirLine) {
  SetViewportOrgEx(dc, 30, 40, nullptr);
  TextOut(dc, 0, 0, "W", 1);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(at(30, 40), kRed);
  EXPECT_EQ(at(29, 40), kWhite);

  LOGFONT lf{};
  lf.lfHeight = -20;
  lf.lfUnderline = 1;
  std::strcpy(lf.lfFaceName, "Arial");
  HFONT under = CreateFontIndirect(&lf);
  SelectObject(dc, under);
  SetBkMode(dc, TRANSPARENT);
  TextOut(dc, 100, 10, "    ", 4);  // blanks: only the underline is drawn
  const FontFace& f = fontEngine().realize(lf);
  const int y = 10 + f.metrics().tmAscent + f.underlineOffset();
  EXPECT_EQ(at(101, y), kBlue);
  EXPECT_EQ(at(101, y - 2), kWhite);
  SelectObject(dc, font);
  DeleteObject(under);
}

TEST_F(TextTest, FontObjectsStockFontsAndFaceNames) {
  LOGFONT back{};
  ASSERT_EQ(GetObject(font, sizeof(back), &back), static_cast<int>(sizeof(LOGFONT)));
  EXPECT_EQ(back.lfHeight, -20);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_STREQ(back.lfFaceName, "Arial");
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));

  char name[LF_FACESIZE];
  EXPECT_EQ(GetTextFace(dc, sizeof(name), name), 5);
  EXPECT_STREQ(name, "Arial");
  EXPECT_EQ(GetTextFace(dc, 3, name), 2);
  EXPECT_STREQ(name, "Ar");
  EXPECT_EQ(GetTextFace(dc, 0, nullptr), 6);

  HFONT created = CreateFont(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, "Times New Roman");
  EXPECT_EQ(SelectObject(dc, created), font);
  TEXTMETRIC tm{};
  ASSERT_TRUE(GetTextMetrics(dc, &tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);  // -MulDiv(9, 96, 72) = -12
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  SelectObject(dc, font);
  DeleteObject(created);

  HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
  ASSERT_NE(gui, nullptr);
  LOGFONT guiLf{};
  GetObject(gui, sizeof(guiLf), &guiLf);
  EXPECT_EQ(guiLf.lfHeight, -11);
  EXPECT_STREQ(guiLf.lfFaceName, "MS Shell Dlg");
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetObjectType(GetStockObject(ANSI_VAR_FONT)), static_cast<DWORD>(OBJ_FONT));
  // A fresh DC measures with the system font.
  HDC fresh = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(GetTextMetrics(fresh, &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  DeleteDC(fresh);
}

TEST(FontMulDiv, RoundsHalfAwayFromZeroAndReportsFaults) {
  struct Case {
    int n, num, den, result;
  } cases[] = {{9, 96, 72, 12}, {8, 96, 72, 11}, {7, 96, 72, 9},  {10, 96, 72, 13}, {-9, 96, 72, -12},
               {1, 1, 2, 1},    {-1, 1, 2, -1},  {3, 1, -2, -2}, {5, 0, 3, 0},      {1, 1, 0, -1},
               {0x40000000, 4, 1, -1}};
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.n, c.num, c.den), c.result) << c.n << "*" << c.num << "/" << c.den;
}

}  // namespace
}  // namespace wavorel::testing
