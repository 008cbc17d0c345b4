// Opaque text is its cell filled with the background colour and the glyphs
// laid over it: drawing it so gives the same pixels as filling the cell first
// and drawing the text transparent, on every byte, wherever glyphs overlap
// each other, stick out of the cell onto other pixels or are clipped. And
// transparent text comes out the same whether or not the DC's background
// colour is the one under it.
#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "GdiTextTestSupport.h"

namespace wavorel::testing {
namespace {

constexpr int kWidth = 180;
constexpr int kHeight = 70;

// A 32-bit top-down DIB section in a memory DC, filled with a noise of
// random pixels and pixels of `plain` (as text backgrounds often meet their
// own colour outside the cell).
struct NoiseCanvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  DWORD* bits = nullptr;

  NoiseCanvas(unsigned seed, COLORREF plain) {
    dc = CreateCompatibleDC(nullptr);
    void* pixels = nullptr;
    bitmap = CreateTopDownDib32(dc, kWidth, kHeight, &pixels);
    bits = static_cast<DWORD*>(pixels);
    old = SelectObject(dc, bitmap);
    std::mt19937 random(seed);
    const DWORD plainValue = GetRValue(plain) << 16 | GetGValue(plain) << 8 | GetBValue(plain);
    for (int i = 0; i < kWidth * kHeight; ++i) bits[i] = random() % 3 == 0 ? plainValue : random() & 0xFFFFFF;
  }
  ~NoiseCanvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  NoiseCanvas(const NoiseCanvas&) = delete;
  NoiseCanvas& operator=(const NoiseCanvas&) = delete;
};

struct Case {
  const char* name;
  const char* text;
  int height;
  int weight;
  bool italic;
  COLORREF text_colour, back;
  RECT box;  // DrawText's rectangle; the text starts at its top-left corner and is clipped to it
};
const Case kCases[] = {
    {"list cell", "Row 12 column 5", -11, FW_NORMAL, false, RGB(0, 0, 0), RGB(255, 255, 255), {4, 4, 170, 30}},
    {"overlapping italics", "jfff//VAWjj", -26, FW_NORMAL, true, RGB(20, 40, 200), RGB(250, 240, 200),
     {6, 8, 176, 66}},
    {"bold on a selection", "Wavorel 802.11", -17, FW_BOLD, false, RGB(255, 255, 255), RGB(0, 120, 215),
     {2, 10, 176, 40}},
    {"small and thin", "il.,;:|!ij", -8, FW_NORMAL, false, RGB(90, 10, 10), RGB(200, 200, 200), {30, 30, 120, 50}},
    {"cut by its rectangle", "Signal strength 100%", -15, FW_NORMAL, true, RGB(0, 128, 0), RGB(255, 255, 255),
     {11, 13, 97, 24}},
    {"text in the background colour", "Same", -14, FW_NORMAL, false, RGB(9, 9, 9), RGB(9, 9, 9), {5, 5, 100, 40}},
    {"many glyphs in one run", "The quick brown fox jumps over the lazy dog: fj/fj/fj", -9, FW_NORMAL, true,
     RGB(60, 0, 90), RGB(240, 255, 240), {1, 40, 179, 60}},
};

const UINT kFormat = DT_SINGLELINE | DT_TOP | DT_LEFT | DT_NOPREFIX;
// A background colour other than the plain one under the text.
const COLORREF kElsewhere = RGB(1, 2, 3);

HFONT fontFor(const Case& k) {
  LOGFONT lf{};
  lf.lfHeight = k.height;
  lf.lfWeight = k.weight;
  lf.lfItalic = k.italic ? 1 : 0;
  std::strcpy(lf.lfFaceName, "Arial");
  return CreateFontIndirect(&lf);
}

void expectSamePixels(const NoiseCanvas& got, const NoiseCanvas& want) {
  int wrong = 0;
  for (int i = 0; i < kWidth * kHeight; ++i)
    if (got.bits[i] != want.bits[i] && ++wrong <= 5)
      ADD_FAILURE() << "pixel " << i % kWidth << "," << i / kWidth << ": " << std::hex << got.bits[i] << " where "
                    << want.bits[i] << " was expected";
  EXPECT_EQ(wrong, 0);
}

class TextOverBackgroundTest : public PlatformTest {};

TEST_F(TextOverBackgroundTest, OpaqueTextIsTheFilledCellWithTheTextLaidOverIt) {
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.name);
    HFONT font = fontFor(k);
    NoiseCanvas opaque(7, k.back);
    NoiseCanvas laid(7, k.back);
    for (HDC dc : {opaque.dc, laid.dc}) {
      SelectObject(dc, font);
      SetTextColor(dc, k.text_colour);
      SetBkColor(dc, k.back);
    }

    RECT box = k.box;
    DrawText(opaque.dc, k.text, -1, &box, kFormat);

    // The text's cell: its width by its height from the top-left corner, inside the rectangle.
    SIZE size{};
    GetTextExtentPoint32(laid.dc, k.text, static_cast<int>(std::strlen(k.text)), &size);
    const RECT cell{k.box.left, k.box.top, std::min(k.box.left + size.cx, k.box.right),
                    std::min(k.box.top + size.cy, k.box.bottom)};
    HBRUSH back = CreateSolidBrush(k.back);
    FillRect(laid.dc, &cell, back);
    DeleteObject(back);
    // Laid over with a background colour that is not the one under it.
    SetBkMode(laid.dc, TRANSPARENT);
    SetBkColor(laid.dc, kElsewhere);
    box = k.box;
    DrawText(laid.dc, k.text, -1, &box, kFormat);

    expectSamePixels(opaque, laid);
    for (HDC dc : {opaque.dc, laid.dc}) SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
  }
}

TEST_F(TextOverBackgroundTest, TransparentTextIsTheSameWhateverTheBackgroundColourSays) {
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.name);
    HFONT font = fontFor(k);
    NoiseCanvas matching(9, k.back);
    NoiseCanvas other(9, k.back);
    for (HDC dc : {matching.dc, other.dc}) {
      SelectObject(dc, font);
      SetTextColor(dc, k.text_colour);
      SetBkMode(dc, TRANSPARENT);
    }
    SetBkColor(matching.dc, k.back);
    SetBkColor(other.dc, kElsewhere);
    for (HDC dc : {matching.dc, other.dc}) {
      RECT box = k.box;
      DrawText(dc, k.text, -1, &box, kFormat);
    }
    expectSamePixels(matching, other);
    for (HDC dc : {matching.dc, other.dc}) SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
  }
}

}  // namespace
}  // namespace wavorel::testing
