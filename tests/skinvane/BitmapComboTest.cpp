#include "skinvane/GxComboBitmap.h"
#include "skinvane/GxComboBox.h"

#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::SkinTest;
using skinvane::testing::writeBmp;

constexpr COLORREF kLeft = RGB(250, 0, 0);
constexpr COLORREF kMiddle = RGB(0, 250, 0);
constexpr COLORREF kRight = RGB(0, 0, 250);
constexpr COLORREF kGrey = RGB(90, 90, 90);
constexpr COLORREF kBorder = RGB(250, 0, 250);

class BitmapComboTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    const struct {
      const char* name;
      int width;
      COLORREF colour;
    } pieces[] = {{"l.bmp", 6, kLeft},  {"m.bmp", 4, kMiddle}, {"r.bmp", 16, kRight},
                  {"g.bmp", 6, kGrey},  {"b.bmp", 3, kBorder}};
    for (const auto& piece : pieces)
      ASSERT_TRUE(writeBmp(skinFile(piece.name), piece.width, 22, [&](int, int) { return piece.colour; }));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }

  void create(CGxComboBitmap& combo) {
    ASSERT_TRUE(combo.Create("COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_SIMPLE, CRect(10, 10, 160, 32), &parent_, 7));
    ASSERT_EQ(combo.SetComboBitmap(skinFile("l.bmp"), skinFile("g.bmp"), skinFile("r.bmp"), skinFile("g.bmp"),
                                   skinFile("m.bmp"), skinFile("g.bmp")),
              1);
  }

  CWnd parent_;
};

TEST_F(BitmapComboTest, CreationMakesAnOwnerDrawnDropDownList) {
  CGxComboBitmap combo;
  ASSERT_TRUE(combo.Create("COMBOBOX", "", WS_CHILD | 0x4 | 0x8 | CBS_SIMPLE, CRect(0, 0, 100, 20), &parent_, 7));
  EXPECT_EQ(combo.GetStyle() & 0x22F, static_cast<DWORD>(CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS));
}

TEST_F(BitmapComboTest, FaceIsDrawnFromItsPiecesAndColourBand) {
  CGxComboBitmap combo;
  create(combo);
  combo.AddString("Auto");
  combo.SetCurSel(0);
  repaint(parent_.GetSafeHwnd());
  const HWND hwnd = combo.GetSafeHwnd();
  EXPECT_EQ(pixelAt(hwnd, 0, 1), kLeft);
  EXPECT_EQ(pixelAt(hwnd, 5, 1), kLeft);
  EXPECT_EQ(pixelAt(hwnd, 6, 1), kMiddle);  // stretched from the left piece's edge
  EXPECT_EQ(pixelAt(hwnd, 120, 1), kMiddle);
  EXPECT_EQ(pixelAt(hwnd, 110, 10), RGB(255, 255, 255));  // the band in the normal background
  EXPECT_EQ(pixelAt(hwnd, 134, 10), kRight);             // the right piece on the right edge
  EXPECT_EQ(pixelAt(hwnd, 149, 17), kRight);  // the bottom row of a face as tall as its field

  // Disabled: the disabled pieces and band colour.
  combo.SetDisableColor(RGB(1, 2, 3), RGB(4, 5, 6));
  combo.EnableWindow(FALSE);
  combo.Invalidate();
  repaint(parent_.GetSafeHwnd());
  EXPECT_EQ(pixelAt(hwnd, 0, 1), kGrey);
  EXPECT_EQ(pixelAt(hwnd, 140, 1), kGrey);
  EXPECT_EQ(pixelAt(hwnd, 60, 10), RGB(1, 2, 3));
}

TEST_F(BitmapComboTest, ItemsAreDrawnInTheirStateColoursWithTheListBorders) {
  CGxComboBitmap combo;
  create(combo);
  combo.AddString("Auto");
  combo.AddString("Channel 11 and a long name");
  ASSERT_EQ(combo.SetComboListBitmap(skinFile("b.bmp"), skinFile("b.bmp"), skinFile("b.bmp"), skinFile("b.bmp")), 1);
  // Until the list asks for colours, DrawItem draws no borders.
  HWND list = CreateWindowEx(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 10, 40, 60, 100, parent_.GetSafeHwnd(), nullptr,
                             nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Auto"));
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Channel 11 and a long name"));

  CBitmap canvasBitmap;
  CDC canvas;
  canvas.CreateCompatibleDC(nullptr);
  canvasBitmap.CreateBitmap(150, 40, 1, 32, nullptr);
  CBitmap* old = canvas.SelectObject(&canvasBitmap);
  canvas.FillSolidRect(0, 0, 150, 40, RGB(7, 7, 7));
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_COMBOBOX;
  draw.hDC = canvas.GetSafeHdc();
  draw.rcItem = CRect(0, 0, 150, 20);
  draw.itemID = static_cast<UINT>(-1);
  combo.DrawItem(&draw);
  EXPECT_EQ(canvas.GetPixel(5, 5), RGB(7, 7, 7));  // id -1 draws nothing

  draw.itemID = 0;
  draw.itemState = ODS_FOCUS;
  combo.DrawItem(&draw);
  EXPECT_EQ(canvas.GetPixel(100, 5), RGB(0x31, 0x6A, 0xC5));  // 0xC56A31 as COLORREF
  draw.rcItem = CRect(0, 20, 150, 40);
  draw.itemID = 1;
  draw.itemState = 0;
  combo.DrawItem(&draw);
  EXPECT_EQ(canvas.GetPixel(140, 35), RGB(255, 255, 255));

  // The list is taken on its first colour request, then painted with the face:
  // normal background, borders, widened to its widest text.
  combo.SendMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(canvas.GetSafeHdc()), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(combo.GetListWindow(), list);
  combo.Invalidate();
  repaint(parent_.GetSafeHwnd());
  CRect listRect;
  GetWindowRect(list, &listRect);
  EXPECT_GT(listRect.Width(), 60);
  EXPECT_EQ(CGxComboBitmap::TextIndent(), 6 + 5);
  // The list repaints itself after the face; the borders are drawn on it again.
  combo.DrawListLeft(0);
  combo.DrawListRight(0);
  combo.DrawListTop(0);
  combo.DrawListBot(0);
  EXPECT_EQ(pixelAt(list, 0, 50), kBorder);
  EXPECT_EQ(pixelAt(list, listRect.Width() - 1, 50), kBorder);
  EXPECT_EQ(pixelAt(list, 30, 0), kBorder);
  EXPECT_EQ(pixelAt(list, 30, 99), kBorder);
  // The list's procedure goes back when the combo is destroyed.
  const LONG_PTR passThrough = GetWindowLongPtr(list, GWL_WNDPROC);
  combo.DestroyWindow();
  EXPECT_NE(GetWindowLongPtr(list, GWL_WNDPROC), passThrough);
  canvas.SelectObject(old);
}

TEST_F(BitmapComboTest, FailedLoadStopsTheSetterAndKeepsTheRest) {
  CGxComboBitmap combo;
  create(combo);
  EXPECT_EQ(combo.SetComboBitmap(skinFile("m.bmp"), skinFile("m.bmp"), skinFile("none.bmp"), skinFile("m.bmp"),
                                 skinFile("r.bmp"), skinFile("r.bmp")),
            0);
  repaint(parent_.GetSafeHwnd());
  const HWND hwnd = combo.GetSafeHwnd();
  EXPECT_EQ(pixelAt(hwnd, 0, 1), kMiddle);     // the left piece was replaced
  EXPECT_EQ(pixelAt(hwnd, 140, 1), kRight);    // the right piece kept what it held
  EXPECT_EQ(pixelAt(hwnd, 60, 1), kMiddle);    // and so did the middle piece
}

TEST_F(BitmapComboTest, ReadOnlyComboIgnoresClicksAndKeysButNotTheProgram) {
  struct OpenCombo : CGxComboBox {
    using CGxComboBox::CtlColor;
  } combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 120, 120), &parent_, 8));
  combo.AddString("One");
  combo.AddString("Two");
  combo.SetCurSel(0);
  EXPECT_EQ(combo.EnableEditing(0), 1);
  combo.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(combo.GetCurSel(), 0);
  combo.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(combo.GetDroppedState());
  combo.SetCurSel(1);
  EXPECT_EQ(combo.GetCurSel(), 1);
  combo.EnableEditing(1);
  combo.SendMessage(WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(combo.GetCurSel(), 0);

  // No background colour: a null brush, so the parent's answer stands.
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  EXPECT_EQ(combo.CtlColor(&dc, CTLCOLOR_EDIT), nullptr);
  EXPECT_EQ(dc.GetBkColor(), GetSysColor(COLOR_WINDOW));
  combo.SetBkColorGx(RGB(3, 4, 5));
  combo.SetTextColor(RGB(6, 7, 8));
  EXPECT_NE(combo.CtlColor(&dc, CTLCOLOR_EDIT), nullptr);
  EXPECT_EQ(dc.GetBkColor(), RGB(3, 4, 5));
  EXPECT_EQ(dc.GetTextColor(), RGB(6, 7, 8));
}

}  // namespace
