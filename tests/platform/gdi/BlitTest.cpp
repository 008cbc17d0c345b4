#include <functional>

#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"

using gditest::Canvas;

namespace {

class BlitTest : public wavorel::testing::PlatformTest {};

const std::map<char, COLORREF> kColours = {{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)},
                                           {'r', RGB(255, 0, 0)},     {'g', RGB(0, 255, 0)},
                                           {'b', RGB(0, 0, 255)},     {'y', RGB(255, 255, 0)}};

TEST_F(BlitTest, TernaryOperationsFollowTheirBooleanFormulas) {
  // Every pairing of source and destination colour, under one brush colour.
  const COLORREF pattern = RGB(0xF0, 0x0F, 0x3C);
  const COLORREF sources[] = {RGB(0x00, 0xFF, 0x5A), RGB(0xC3, 0x81, 0x18)};
  const COLORREF dests[] = {RGB(0x66, 0x00, 0xFF), RGB(0x99, 0x7E, 0x24)};
  struct Case {
    DWORD rop;
    std::function<DWORD(DWORD, DWORD, DWORD)> formula;  // (P, S, D)
  };
  const Case cases[] = {
      {SRCCOPY, [](DWORD, DWORD s, DWORD) { return s; }},
      {SRCAND, [](DWORD, DWORD s, DWORD d) { return s & d; }},
      {SRCPAINT, [](DWORD, DWORD s, DWORD d) { return s | d; }},
      {SRCINVERT, [](DWORD, DWORD s, DWORD d) { return s ^ d; }},
      {SRCERASE, [](DWORD, DWORD s, DWORD d) { return s & ~d; }},
      {NOTSRCCOPY, [](DWORD, DWORD s, DWORD) { return ~s; }},
      {NOTSRCERASE, [](DWORD, DWORD s, DWORD d) { return ~(s | d); }},
      {MERGECOPY, [](DWORD p, DWORD s, DWORD) { return p & s; }},
      {MERGEPAINT, [](DWORD, DWORD s, DWORD d) { return ~s | d; }},
      {PATCOPY, [](DWORD p, DWORD, DWORD) { return p; }},
      {PATPAINT, [](DWORD p, DWORD s, DWORD d) { return p | ~s | d; }},
      {PATINVERT, [](DWORD p, DWORD, DWORD d) { return p ^ d; }},
      {DSTINVERT, [](DWORD, DWORD, DWORD d) { return ~d; }},
      {BLACKNESS, [](DWORD, DWORD, DWORD) { return 0u; }},
      {WHITENESS, [](DWORD, DWORD, DWORD) { return ~0u; }},
      {0x00E20746, [](DWORD p, DWORD s, DWORD d) { return ((p ^ d) & s) ^ d; }},  // DSPDxax
  };
  for (const Case& c : cases) {
    Canvas src(2, 2), dst(2, 2);
    for (int i = 0; i < 4; ++i) {
      SetPixel(src.dc, i % 2, i / 2, sources[i % 2]);
      SetPixel(dst.dc, i % 2, i / 2, dests[i / 2]);
    }
    HBRUSH brush = CreateSolidBrush(pattern);
    HGDIOBJ old = SelectObject(dst.dc, brush);
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, c.rop));
    SelectObject(dst.dc, old);
    DeleteObject(brush);
    for (int i = 0; i < 4; ++i) {
      DWORD expected = c.formula(pattern, sources[i % 2], dests[i / 2]) & 0xFFFFFF;
      EXPECT_EQ(dst.at(i % 2, i / 2), expected) << std::hex << "rop " << c.rop << " pixel " << i;
    }
  }
}

TEST_F(BlitTest, MonochromeToColourTakesTextAndBackgroundColours) {
  // Rows of 2 bytes: 1 0 1 1 / 0 1 0 0 in the top bits.
  const BYTE bits[] = {0xB0, 0, 0x40, 0};
  HBITMAP mono = CreateBitmap(4, 2, 1, 1, bits);
  HDC monoDc = CreateCompatibleDC(nullptr);
  SelectObject(monoDc, mono);
  Canvas dst(4, 2);
  SetTextColor(dst.dc, RGB(255, 0, 0));  // 0 bits
  SetBkColor(dst.dc, RGB(0, 255, 0));    // 1 bits
  ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 2, monoDc, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.rows(kColours), (std::vector<std::string>{"grgg", "rgrr"}));
  DeleteDC(monoDc);
  DeleteObject(mono);
}

TEST_F(BlitTest, ColourToMonochromeMarksTheSourceBackgroundColourWhite) {
  Canvas src({"ry.y", "yyb#"}, kColours);
  SetBkColor(src.dc, RGB(255, 255, 0));
  HDC monoDc = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateCompatibleBitmap(monoDc, 4, 2);  // a fresh memory DC makes monochrome
  BITMAP bm{};
  GetObject(mono, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  SelectObject(monoDc, mono);
  ASSERT_TRUE(BitBlt(monoDc, 0, 0, 4, 2, src.dc, 0, 0, SRCCOPY));
  const char* expected[] = {"#.#.", "..##"};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(GetPixel(monoDc, x, y), expected[y][x] == '.' ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x << "," << y;
  DeleteDC(monoDc);
  DeleteObject(mono);
}

TEST_F(BlitTest, DisabledLookFromAMaskPaintsTheBrushWhereTheMaskIsBlack) {
  // Mask: white where the image has the face or highlight colour, else black.
  const COLORREF face = RGB(192, 192, 192), light = RGB(255, 255, 255);
  std::map<char, COLORREF> colours = kColours;
  colours['f'] = face;
  Canvas image({"f#r.", "bfy#"}, colours);
  HDC maskDc = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateCompatibleBitmap(maskDc, 4, 2);
  HGDIOBJ oldMask = SelectObject(maskDc, mask);
  PatBlt(maskDc, 0, 0, 4, 2, WHITENESS);
  SetBkColor(image.dc, face);
  BitBlt(maskDc, 0, 0, 4, 2, image.dc, 0, 0, SRCCOPY);
  SetBkColor(image.dc, light);
  BitBlt(maskDc, 0, 0, 4, 2, image.dc, 0, 0, SRCPAINT);

  Canvas target(4, 2, RGB(0, 0, 255));
  SetBkColor(target.dc, RGB(0, 0, 0));
  SetTextColor(target.dc, RGB(255, 255, 255));
  HBRUSH brush = CreateSolidBrush(light);
  HGDIOBJ oldBrush = SelectObject(target.dc, brush);
  BitBlt(target.dc, 0, 0, 4, 2, maskDc, 0, 0, 0x00E20746);
  EXPECT_EQ(target.rows(kColours), (std::vector<std::string>{"b..b", ".b.."}));
  SelectObject(target.dc, oldBrush);
  DeleteObject(brush);
  SelectObject(maskDc, oldMask);
  DeleteDC(maskDc);
  DeleteObject(mask);
}

TEST_F(BlitTest, StripFrameCopiesOnlyThatFrameInsideTheClip) {
  Canvas strip({"rrggbbyy", "rrggbbyy"}, kColours);
  Canvas target(4, 3);
  // Frame 2 (blue) at (1, 1): the clip keeps the column x = 2 only.
  IntersectClipRect(target.dc, 2, 0, 3, 3);
  ASSERT_TRUE(BitBlt(target.dc, 1, 1, 2, 2, strip.dc, 4, 0, SRCCOPY));
  EXPECT_EQ(target.rows(kColours), (std::vector<std::string>{"....", "..b.", "..b."}));
  SelectClipRgn(target.dc, nullptr);
  ASSERT_TRUE(BitBlt(target.dc, 0, 0, 2, 1, strip.dc, 6, 1, SRCCOPY));
  EXPECT_EQ(target.rows(kColours), (std::vector<std::string>{"yy..", "..b.", "..b."}));
}

TEST_F(BlitTest, StretchScalesByNearestPixelAndMirrors) {
  Canvas src({"rg", "by"}, kColours);
  Canvas dst(4, 4);
  ASSERT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(dst.rows(kColours), (std::vector<std::string>{"rrgg", "rrgg", "bbyy", "bbyy"}));
  Canvas mirrored(2, 2);
  // A negative width mirrors: the rectangle ends at x = 2 and runs leftwards.
  ASSERT_TRUE(StretchBlt(mirrored.dc, 2, 0, -2, 2, src.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(mirrored.rows(kColours), (std::vector<std::string>{"gr", "yb"}));
}

TEST_F(BlitTest, TransparentBltSkipsTheKeyColour) {
  Canvas src({"ryy", "yby"}, kColours);
  Canvas dst(3, 2, RGB(0, 0, 0));
  ASSERT_TRUE(TransparentBlt(dst.dc, 0, 0, 3, 2, src.dc, 0, 0, 3, 2, RGB(255, 255, 0)));
  EXPECT_EQ(dst.rows(kColours), (std::vector<std::string>{"r##", "#b#"}));
}

TEST_F(BlitTest, OriginsMoveDrawingAndPatBltUsesTheBrush) {
  Canvas dst(4, 2);
  SetViewportOrgEx(dst.dc, 1, 0, nullptr);
  SetWindowOrgEx(dst.dc, 0, 1, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(dst.dc, brush);
  // Logical (0, 1) is device (1, 0).
  ASSERT_TRUE(PatBlt(dst.dc, 0, 1, 2, 1, PATCOPY));
  EXPECT_EQ(dst.rows(kColours), (std::vector<std::string>{".rr.", "...."}));
  ASSERT_TRUE(PatBlt(dst.dc, 0, 1, 3, 2, DSTINVERT));
  EXPECT_EQ(dst.rows(kColours), (std::vector<std::string>{".??#", ".###"}));
  POINT p{0, 1};
  LPtoDP(dst.dc, &p, 1);
  EXPECT_EQ(p.x, 1);
  EXPECT_EQ(p.y, 0);
  EXPECT_FALSE(PatBlt(dst.dc, 0, 0, 1, 1, SRCCOPY));  // PatBlt takes no source
  SelectObject(dst.dc, old);
  DeleteObject(brush);
}

}  // namespace
