// CShadeButtonST and CCeXDib: the shaded pictures (colour table, patterns,
// noise from rand() in pixel order, tints), their painting, and the DIB's
// edge cases.
#include "widgets/ShadeButtonST.h"

#include <gtest/gtest.h>

#include <memory>

#include "WidgetTestSupport.h"

namespace widgets_test {
namespace {

class ShadeButtonTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    WidgetTest::TearDown();
  }
  std::unique_ptr<CShadeButtonST> Make(int width, int height, LPCSTR text = "") {
    auto button = std::make_unique<CShadeButtonST>();
    HWND hwnd = CreateWindowEx(0, "Button", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, width, height,
                               parent_.GetSafeHwnd(), reinterpret_cast<HMENU>(1200), nullptr, nullptr);
    EXPECT_TRUE(button->SubclassWindow(hwnd));
    return button;
  }
  void Draw(CShadeButtonST& button, Canvas& canvas, UINT state = 0) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 1200;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = button.GetSafeHwnd();
    dis.hDC = canvas.dc()->GetSafeHdc();
    dis.rcItem = CRect(0, 0, canvas.width(), canvas.height());
    parent_.SendMessage(WM_DRAWITEM, 1200, reinterpret_cast<LPARAM>(&dis));
  }
  CWnd parent_;
};

COLORREF mixed(COLORREF a, COLORREF b, int weightA, int weightB) {
  return RGB((GetRValue(a) * weightA + GetRValue(b) * weightB) / 128,
             (GetGValue(a) * weightA + GetGValue(b) * weightB) / 128,
             (GetBValue(a) * weightA + GetBValue(b) * weightB) / 128);
}

TEST_F(ShadeButtonTest, PatternFourRowsAndTheNoiseDrawOrder) {
  auto button = Make(10, 20);
  srand(1);
  button->BuildShadeBitmaps(4, 8, 40, 0, 0, 0xB4B4B4, 0x00FF00);
  const int rows[20] = {11, 42, 68, 88, 104, 113, 121, 126, 128, 128, 128, 128, 128, 130, 135, 143, 153, 168, 188, 214};
  srand(1);
  const CCeXDib& picture = button->GetNormalPicture();
  ASSERT_EQ(picture.GetWidth(), 10u);
  ASSERT_EQ(picture.GetHeight(), 20u);
  for (int r = 0; r < 20; ++r) {
    for (int x = 0; x < 10; ++x) {
      const int noise = rand() / 2047 - 8;
      EXPECT_EQ(picture.GetPixelIndex(x, 19 - r), (rows[r] + noise) & 0xFF) << "row " << r << " column " << x;
    }
  }
  EXPECT_EQ(button->GetHoverPicture().GetPixelIndex(3, 3), picture.GetPixelIndex(3, 3)) << "the same pixels";
  EXPECT_EQ(button->GetLatchedPicture().GetPixelIndex(7, 11), picture.GetPixelIndex(7, 11));
  EXPECT_EQ(button->GetHoverPicture().GetBits(), picture.GetBits()) << "the three pictures hold one set of pixels";
  EXPECT_EQ(button->GetLatchedPicture().GetBits(), picture.GetBits());
}

TEST_F(ShadeButtonTest, TheColourTableRunsFromShadowOverFaceToHighlight) {
  auto button = Make(30, 12);
  button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  const CCeXDib& normal = button->GetNormalPicture();
  const COLORREF S = GetSysColor(COLOR_BTNSHADOW), F = GetSysColor(COLOR_BTNFACE), H = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(normal.GetColorEntry(0), S);
  EXPECT_EQ(normal.GetColorEntry(64), mixed(S, F, 64, 64));
  EXPECT_EQ(normal.GetColorEntry(127), mixed(S, F, 1, 127));
  EXPECT_EQ(normal.GetColorEntry(128), mixed(F, H, 127, 1)) << "the second run overwrites entry 128";
  EXPECT_EQ(normal.GetColorEntry(255), H);
  // Pattern 2 with granularity 8: the bottom row lies in 0..16.
  for (int x = 0; x < 30; ++x) EXPECT_LE(normal.GetPixelIndex(x, 11), 16) << x;
  // Hovered and latched: every entry 10 % darker (towards tint 0).
  for (int i : {0, 77, 128, 200, 255}) {
    const COLORREF c = normal.GetColorEntry(static_cast<BYTE>(i));
    const COLORREF darker = RGB(GetRValue(c) * 90 / 100, GetGValue(c) * 90 / 100, GetBValue(c) * 90 / 100);
    EXPECT_EQ(button->GetHoverPicture().GetColorEntry(static_cast<BYTE>(i)), darker) << i;
    EXPECT_EQ(button->GetLatchedPicture().GetColorEntry(static_cast<BYTE>(i)), darker) << i;
  }
}

TEST_F(ShadeButtonTest, PatternZeroIsAPlainTintedFaceAndOverHundredActsAsHundred) {
  auto button = Make(20, 10);
  button->BuildShadeBitmaps(0, 33, 10, 0, 0, 0xE68CA0, 0xA01E3C);
  const CCeXDib& normal = button->GetNormalPicture();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(normal.GetPixelIndex(x, y), 255);
  const COLORREF H = GetSysColor(COLOR_BTNHIGHLIGHT);
  const auto toward = [](COLORREF c, COLORREF t, int p) {
    return RGB((GetRValue(c) * (100 - p) + GetRValue(t) * p) / 100, (GetGValue(c) * (100 - p) + GetGValue(t) * p) / 100,
               (GetBValue(c) * (100 - p) + GetBValue(t) * p) / 100);
  };
  EXPECT_EQ(normal.GetColorEntry(255), H);
  EXPECT_EQ(button->GetHoverPicture().GetColorEntry(255), toward(H, 0xE68CA0, 10));
  EXPECT_EQ(button->GetLatchedPicture().GetColorEntry(255), toward(H, 0xA01E3C, 10));

  // Only the low byte of colouring counts; 200 and a blend of 150 act as 100.
  button->BuildShadeBitmaps(0, 0x108, 150, 0x1C8, RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90));
  for (int i : {0, 128, 255}) {
    EXPECT_EQ(button->GetNormalPicture().GetColorEntry(static_cast<BYTE>(i)), RGB(10, 20, 30)) << i;
    EXPECT_EQ(button->GetHoverPicture().GetColorEntry(static_cast<BYTE>(i)), RGB(40, 50, 60)) << i;
    EXPECT_EQ(button->GetLatchedPicture().GetColorEntry(static_cast<BYTE>(i)), RGB(70, 80, 90)) << i;
  }
}

TEST_F(ShadeButtonTest, TheProgramsFourArgumentSetsTintAsAsked) {
  struct Set {
    const char* use;
    int pattern, granularity;
    BYTE blend;
    int colouring;
    COLORREF base, hover, selected;
  };
  const Set sets[] = {
      {"push buttons", 2, 8, 10, 0, 0, 0, 0},
      {"tab buttons", 4, 8, 40, 5, 0, 0xB4B4B4, 0x00FF00},
      {"802.1X sub-pages", 4, 8, 40, 5, 0, 0xB4B4B4, 0x0000FF},
      {"host buttons", 0, 33, 10, 0, 0, 0xE68CA0, 0xA01E3C},
  };
  const auto toward = [](COLORREF c, COLORREF t, int p) {
    return RGB((GetRValue(c) * (100 - p) + GetRValue(t) * p) / 100, (GetGValue(c) * (100 - p) + GetGValue(t) * p) / 100,
               (GetBValue(c) * (100 - p) + GetBValue(t) * p) / 100);
  };
  const COLORREF S = GetSysColor(COLOR_BTNSHADOW), H = GetSysColor(COLOR_BTNHIGHLIGHT);
  for (const Set& set : sets) {
    auto button = Make(100, 25);
    button->BuildShadeBitmaps(set.pattern, set.granularity, set.blend, set.colouring, set.base, set.hover,
                              set.selected);
    for (auto [entry, plain] : {std::pair{0, S}, std::pair{255, H}}) {
      const COLORREF normal = toward(plain, set.base, set.colouring);
      EXPECT_EQ(button->GetNormalPicture().GetColorEntry(static_cast<BYTE>(entry)), normal) << set.use;
      EXPECT_EQ(button->GetHoverPicture().GetColorEntry(static_cast<BYTE>(entry)), toward(normal, set.hover, set.blend))
          << set.use;
      EXPECT_EQ(button->GetLatchedPicture().GetColorEntry(static_cast<BYTE>(entry)),
                toward(normal, set.selected, set.blend))
          << set.use;
    }
  }
}

TEST_F(ShadeButtonTest, EveryPatternShadesItsWayAndOddSizesNeverFault) {
  struct Case {
    int pattern;
    // Mean of the top-left and bottom-right quarter, compared.
    bool lighterTopLeft;
  };
  auto mean = [](const CCeXDib& d, int x0, int y0, int x1, int y1) {
    int sum = 0, n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x, ++n) sum += d.GetPixelIndex(x, y);
    return sum / n;
  };
  for (const Case& c : {Case{1, true}, Case{2, true}, Case{3, true}, Case{4, true}, Case{5, true}, Case{6, true}}) {
    auto button = Make(80, 40);
    button->BuildShadeBitmaps(c.pattern, 8, 10, 0, 0, 0, 0);
    const CCeXDib& d = button->GetNormalPicture();
    EXPECT_GT(mean(d, 0, 0, 20, 10), mean(d, 60, 30, 80, 40)) << "pattern " << c.pattern;
  }
  auto banded = Make(96, 30);
  banded->BuildShadeBitmaps(7, 8, 10, 0, 0, 0, 0);
  const CCeXDib& bands = banded->GetNormalPicture();
  EXPECT_GT(mean(bands, 0, 13, 4, 17), 150) << "a light band at the left edge at mid-height";
  EXPECT_LT(mean(bands, 92, 13, 96, 17), 100) << "a dark band at the right edge";
  auto strokes = Make(60, 24);
  strokes->BuildShadeBitmaps(8, 8, 10, 0, 0, 0, 0);
  EXPECT_FALSE(strokes->GetNormalPicture().IsEmpty());

  // Zero-size, one line high, wider than the noise divisor allows: no fault.
  for (auto [w, h, pattern] : {std::tuple{0, 10, 2}, std::tuple{10, 0, 8}, std::tuple{30, 1, 7},
                               std::tuple{40000, 1, 8}, std::tuple{1, 40000, 8}, std::tuple{1, 1, 6}}) {
    auto odd = Make(w, h);
    odd->BuildShadeBitmaps(pattern, 8, 10, 0, 0, 0, 0);
    EXPECT_EQ(odd->GetNormalPicture().IsEmpty(), w == 0 || h == 0) << w << "x" << h;
    EXPECT_EQ(odd->GetHoverPicture().IsEmpty(), w == 0 || h == 0);
  }
}

TEST_F(ShadeButtonTest, PaintingPicksThePictureAndDrawsNoBorder) {
  auto button = Make(40, 20, "");
  Canvas canvas(40, 20);
  const COLORREF white = RGB(255, 255, 255);
  Draw(*button, canvas);
  EXPECT_EQ(canvas.Count({0, 0, 40, 20}, white), 40 * 20) << "no picture built: no background, no border";

  button->BuildShadeBitmaps(0, 8, 50, 0, 0, RGB(0, 0, 255), RGB(0, 255, 0));
  const COLORREF face = button->GetNormalPicture().GetColorEntry(255);
  const COLORREF hover = button->GetHoverPicture().GetColorEntry(255);
  const COLORREF latched = button->GetLatchedPicture().GetColorEntry(255);
  Draw(*button, canvas);
  EXPECT_EQ(canvas.Count({0, 0, 40, 20}, face), 40 * 20);
  button->SetLatched(1);
  Draw(*button, canvas);
  EXPECT_EQ(canvas.Pixel(0, 0), latched) << "the latched tint";
  button->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  ASSERT_TRUE(button->IsHovered());
  Draw(*button, canvas);
  EXPECT_EQ(canvas.Pixel(0, 0), hover);
  canvas.Clear(white);
  Draw(*button, canvas, ODS_SELECTED);
  EXPECT_EQ(canvas.Pixel(0, 0), white) << "hovered and pressed: moved one pixel";
  EXPECT_EQ(canvas.Pixel(0, 10), white);
  EXPECT_EQ(canvas.Pixel(10, 0), white);
  EXPECT_EQ(canvas.Pixel(1, 1), hover);
  button->CancelHover();
  canvas.Clear(white);
  Draw(*button, canvas, ODS_SELECTED);
  EXPECT_EQ(canvas.Pixel(0, 0), latched) << "pressed without the mouse: the latched picture in place";
}

TEST_F(ShadeButtonTest, DibLayoutAndEdgeCases) {
  CCeXDib dib;
  struct Case {
    WORD bits;
    DWORD stride;
    DWORD table;
  };
  for (const Case& c : {Case{1, 4, 8}, Case{4, 8, 64}, Case{8, 16, 1024}, Case{24, 40, 0}, Case{32, 52, 0}}) {
    ASSERT_NE(dib.Create(13, 3, c.bits), nullptr) << c.bits;
    EXPECT_EQ(dib.GetStride(), c.stride) << c.bits;
    EXPECT_EQ(dib.GetColorTableSize(), c.table) << c.bits;
    EXPECT_EQ(dib.GetTotalSize(), 40 + c.table + c.stride * 3) << c.bits;
    EXPECT_NE(dib.GetBits(), nullptr);
  }
  ASSERT_NE(dib.Create(4, 2, 8), nullptr);
  dib.Fill(7);
  dib.SetColorEntry(7, 10, 20, 30);
  dib.SetColorEntry(0, 1, 1, 1);
  dib.SetPixelIndex(1, 0, 0);
  for (auto [x, y] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{4, 0}, std::pair{0, 2}}) dib.SetPixelIndex(x, y, 0);
  EXPECT_EQ(dib.GetBits()[1 * dib.GetStride() + 1], 0) << "row 0 from the top is stored last";
  int zeros = 0;
  for (DWORD i = 0; i < 8; ++i) zeros += dib.GetBits()[i] == 0;
  EXPECT_EQ(zeros, 1) << "pixels outside changed nothing";
  CCeXDib copy;
  copy.CopyFrom(dib);
  EXPECT_EQ(copy.GetColorEntry(7), RGB(10, 20, 30));
  EXPECT_EQ(copy.GetPixelIndex(1, 0), 0);
  copy.TintPalette(RGB(110, 120, 130), 250);
  EXPECT_EQ(copy.GetColorEntry(7), RGB(110, 120, 130)) << "more than 100 % acts as 100 %";
  EXPECT_EQ(dib.GetColorEntry(7), RGB(10, 20, 30)) << "the copy has its own block";
  // The pixels are shared until one of the two changes them.
  EXPECT_TRUE(copy.SharesPixels());
  copy.SetPixelIndex(2, 1, 9);
  EXPECT_FALSE(copy.SharesPixels());
  EXPECT_EQ(copy.GetPixelIndex(2, 1), 9);
  EXPECT_EQ(dib.GetPixelIndex(2, 1), 7) << "a change to the copy reached its source";
  CCeXDib filled;
  filled.CopyFrom(dib);
  dib.Fill(3);
  EXPECT_EQ(filled.GetPixelIndex(2, 1), 7) << "a change to the source reached its copy";
  CCeXDib written;
  written.CopyFrom(filled);
  written.GetBits()[0] = 5;
  EXPECT_NE(filled.GetBits()[0], 5) << "writing through the bits reached the copy's source";
  dib.SetPixelIndex(1, 0, 0);
  dib.Fill(7);
  dib.SetPixelIndex(1, 0, 0);

  Canvas canvas(10, 10);
  dib.Draw(canvas.dc()->GetSafeHdc(), 2, 3);
  EXPECT_EQ(canvas.Pixel(2, 3), RGB(10, 20, 30));
  EXPECT_EQ(canvas.Pixel(3, 3), RGB(1, 1, 1));
  EXPECT_EQ(canvas.Pixel(6, 3), RGB(255, 255, 255));

  // A size whose pixel area does not fit 32 bits gives an empty picture.
  EXPECT_EQ(dib.Create(0x10000, 0x10000, 32), nullptr);
  EXPECT_TRUE(dib.IsEmpty());
  EXPECT_EQ(dib.GetTotalSize(), 0u);
  dib.Fill(1);
  dib.SetPixelIndex(0, 0, 1);
  dib.TintPalette(0, 50);
  canvas.Clear(RGB(255, 255, 255));
  dib.Draw(canvas.dc()->GetSafeHdc(), 0, 0);
  EXPECT_EQ(canvas.Count({0, 0, 10, 10}, RGB(255, 255, 255)), 100) << "an empty picture draws nothing";
}

}  // namespace
}  // namespace widgets_test
