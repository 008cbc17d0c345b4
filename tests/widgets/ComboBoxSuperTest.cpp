#include "widgets/ComboBoxSuper.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

constexpr COLORREF kCanvas = RGB(255, 255, 255);
constexpr COLORREF kIcon = RGB(200, 0, 0);
constexpr COLORREF kLine = RGB(0xC0, 0xC0, 0xC0);
constexpr int kRowHeight = 20;
constexpr int kWidth = 300;

class ComboBoxSuperTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    ASSERT_TRUE(combo_.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                              CRect(10, 10, 10 + kWidth, 200), &parent_, 1153));
    canvas_.CreateCompatibleDC(nullptr);
    ASSERT_TRUE(canvasBitmap_.CreateBitmap(kWidth, kRowHeight, 1, 32, nullptr));
    oldBitmap_ = canvas_.SelectObject(&canvasBitmap_);
  }
  void TearDown() override {
    canvas_.SelectObject(oldBitmap_);
    parent_.DestroyWindow();
    PlatformTest::TearDown();
  }

  // 16 x 16 icons of one colour each.
  void makeImages(std::initializer_list<COLORREF> colours) {
    ASSERT_TRUE(images_.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    for (COLORREF colour : colours) {
      CDC dc;
      dc.CreateCompatibleDC(nullptr);
      CBitmap bitmap;
      ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 32, nullptr));
      CBitmap* old = dc.SelectObject(&bitmap);
      dc.FillSolidRect(0, 0, 16, 16, colour);
      dc.SelectObject(old);
      ASSERT_GE(images_.Add(&bitmap, RGB(255, 0, 255)), 0);
    }
    combo_.SetImageList(&images_);
  }

  // Draws one item on the canvas through the parent, as the control asks for it.
  void draw(int item, UINT state = 0) {
    canvas_.FillSolidRect(0, 0, kWidth, kRowHeight, kCanvas);
    canvas_.SetBkColor(kCanvas);
    canvas_.SetTextColor(RGB(0, 0, 0));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = 1153;
    dis.itemID = static_cast<UINT>(item);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = combo_.GetSafeHwnd();
    dis.hDC = canvas_.GetSafeHdc();
    dis.rcItem = CRect(0, 0, kWidth, kRowHeight);
    parent_.SendMessage(WM_DRAWITEM, 1153, reinterpret_cast<LPARAM>(&dis));
  }
  COLORREF pixel(int x, int y) { return canvas_.GetPixel(x, y); }
  // The pixels of a column range that differ from `background`.
  int inkIn(int left, int right, COLORREF background) {
    int ink = 0;
    for (int x = left; x < right; ++x)
      for (int y = 0; y < kRowHeight; ++y) ink += pixel(x, y) != background;
    return ink;
  }
  bool hasPixel(int left, int right, COLORREF colour) {
    for (int x = left; x < right; ++x)
      for (int y = 0; y < kRowHeight; ++y)
        if (pixel(x, y) == colour) return true;
    return false;
  }

  CWnd parent_;
  CComboBoxSuper combo_;
  CImageList images_;
  CDC canvas_;
  CBitmap canvasBitmap_;
  CBitmap* oldBitmap_ = nullptr;
};

TEST_F(ComboBoxSuperTest, ColumnTextsLiveInTheItemRecords) {
  combo_.AddString("First");
  combo_.AddString("Second");
  EXPECT_EQ(combo_.GetItemRecord(-1), nullptr);
  EXPECT_EQ(combo_.GetItemRecord(2), nullptr);
  EXPECT_EQ(combo_.GetColumnText(0, 0), "First");
  EXPECT_EQ(combo_.GetColumnText(5, 0), "");
  EXPECT_EQ(combo_.GetColumnText(1, 3), "") << "a missing column text reads empty";

  combo_.SetColumnText(0, 1, "ch 6");
  combo_.SetColumnText(1, 1, "ch 11");
  combo_.SetColumnText(7, 1, "nowhere");  // out of range: ignored
  EXPECT_EQ(combo_.GetColumnText(0, 1), "ch 6");
  EXPECT_EQ(combo_.GetColumnText(1, 1), "ch 11");
  CComboBoxSuperItem* record = combo_.GetItemRecord(1);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record, combo_.GetItemRecord(1)) << "one record per item";
  EXPECT_EQ(record->crTextColor, 0u);
  EXPECT_EQ(record->nImageIndex, -1);
  EXPECT_FALSE(record->bBold);
  EXPECT_EQ(reinterpret_cast<CComboBoxSuperItem*>(combo_.GetItemData(1)), record);

  // Deleting an item frees its record; the others keep theirs.
  combo_.DeleteString(0);
  EXPECT_EQ(combo_.GetColumnText(0, 0), "Second");
  EXPECT_EQ(combo_.GetColumnText(0, 1), "ch 11");
  combo_.ResetContent();
  EXPECT_EQ(combo_.GetItemRecord(0), nullptr);
}

TEST_F(ComboBoxSuperTest, ColumnCountAndWidthsAreKeptInRange) {
  EXPECT_EQ(combo_.GetColumnCount(), 100);
  combo_.SetColumnCount(1);
  combo_.SetColumnWidth(0, 200);
  combo_.SetColumnWidth(1, 70);   // beyond the count: ignored
  combo_.SetColumnWidth(-1, 70);
  combo_.SetColumnCount(3);       // new columns are 50 wide
  combo_.AddString("A");
  combo_.SetColumnText(0, 2, "x");
  draw(0);
  // Lines behind columns 0 and 1 only: at 1 + 200 and 1 + 250.
  EXPECT_EQ(pixel(201, 2), kLine);
  EXPECT_EQ(pixel(251, 2), kLine);
  EXPECT_NE(pixel(271, 2), kLine);
}

TEST_F(ComboBoxSuperTest, ItemsOutOfRangeDrawNothing) {
  draw(0);  // empty combo
  EXPECT_EQ(inkIn(0, kWidth, kCanvas), 0);
  combo_.AddString("Only");
  draw(1);
  EXPECT_EQ(inkIn(0, kWidth, kCanvas), 0);
  draw(-1);
  EXPECT_EQ(inkIn(0, kWidth, kCanvas), 0);
  draw(0);
  EXPECT_GT(inkIn(0, kWidth, kCanvas), 0);
}

TEST_F(ComboBoxSuperTest, IconsAreDrawnInFrontAndEveryTextMovesPastThem) {
  makeImages({kIcon, RGB(0, 150, 0)});
  combo_.SetColumnCount(1);
  combo_.AddString("With icon");
  combo_.AddString("Without icon");
  combo_.GetItemRecord(0)->nImageIndex = 0;

  draw(0);
  EXPECT_EQ(pixel(1, 0), kIcon) << "the icon sits at the top-left of the rectangle narrowed by one pixel";
  EXPECT_EQ(pixel(16, 15), kIcon);
  EXPECT_EQ(pixel(0, 5), kCanvas);
  EXPECT_GT(inkIn(17, kWidth, kCanvas), 0);

  draw(1);  // a record-less item gets no icon but the same indent
  EXPECT_EQ(inkIn(0, 17, kCanvas), 0);
  EXPECT_GT(inkIn(17, kWidth, kCanvas), 0);

  combo_.GetItemRecord(1)->nImageIndex = 1;
  draw(1);
  EXPECT_EQ(pixel(8, 8), RGB(0, 150, 0));
}

TEST_F(ComboBoxSuperTest, SelectionColoursAndTheRecordColour) {
  combo_.SetColumnCount(1);
  combo_.AddString("WWWW");
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  const COLORREF green = RGB(0, 128, 0);
  struct Case {
    bool selected;
    COLORREF record;  // the record's colour; 0xFFFFFFFF: no record
    COLORREF background;
    COLORREF text;
  } cases[] = {
      {false, 0xFFFFFFFF, kCanvas, RGB(0, 0, 0)},
      {true, 0xFFFFFFFF, highlight, highlightText},
      {true, 0, highlight, highlightText},  // colour 0 keeps the highlight text
      {true, green, highlight, green},      // any other colour wins even when selected
      {false, green, kCanvas, green},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "selected " << c.selected << " colour " << std::hex << c.record);
    if (c.record != 0xFFFFFFFF) combo_.GetItemRecord(0)->crTextColor = c.record;
    draw(0, c.selected ? ODS_SELECTED : 0);
    EXPECT_EQ(pixel(0, 0), c.background);
    EXPECT_EQ(pixel(kWidth - 1, kRowHeight - 1), c.background);
    EXPECT_TRUE(hasPixel(0, 60, c.text));
    // The DC's colours are given back.
    EXPECT_EQ(canvas_.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(canvas_.GetBkColor(), kCanvas);
  }
}

TEST_F(ComboBoxSuperTest, BoldRecordsDrawHeavierText) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(90, "Tahoma", &canvas_));
  CFont* oldFont = canvas_.SelectObject(&font);
  combo_.SetColumnCount(1);
  combo_.AddString("Heavy text");
  combo_.AddString("Heavy text");
  combo_.GetItemRecord(1)->bBold = TRUE;
  draw(0);
  const int normal = inkIn(0, kWidth, kCanvas);
  draw(1);
  EXPECT_GT(inkIn(0, kWidth, kCanvas), normal);
  draw(0);
  EXPECT_EQ(inkIn(0, kWidth, kCanvas), normal) << "the DC's font is given back";
  canvas_.SelectObject(oldFont);
}

TEST_F(ComboBoxSuperTest, ColumnsAreSplitByGreyLinesAndEmptyCellsStayEmpty) {
  combo_.SetColumnCount(3);
  combo_.SetColumnWidth(0, 80);
  combo_.SetColumnWidth(1, 60);
  combo_.AddString("Name");
  combo_.AddString("Plain");
  combo_.SetColumnText(0, 2, "Third");

  draw(0);
  for (int y : {0, kRowHeight / 2, kRowHeight - 1}) {
    EXPECT_EQ(pixel(81, y), kLine);   // behind column 0
    EXPECT_EQ(pixel(141, y), kLine);  // behind column 1, whose cell has no text
  }
  EXPECT_GT(inkIn(2, 81, kCanvas), 0);
  EXPECT_EQ(inkIn(82, 141, kCanvas), 0);
  EXPECT_GT(inkIn(142, kWidth, kCanvas), 0);

  draw(1);  // no record: only column 0 has text, the lines are still drawn
  EXPECT_EQ(pixel(81, 3), kLine);
  EXPECT_EQ(pixel(141, 3), kLine);
  EXPECT_EQ(inkIn(142, kWidth, kCanvas), 0);
}

TEST_F(ComboBoxSuperTest, SelectionFieldShowsTheSelectedItem) {
  makeImages({kIcon});
  combo_.SetColumnCount(1);
  combo_.AddString("First");
  combo_.AddString("Second");
  combo_.GetItemRecord(1)->nImageIndex = 0;
  EXPECT_EQ(combo_.GetCurSel(), CB_ERR);
  combo_.SetCurSel(1);
  EXPECT_EQ(combo_.GetCurSel(), 1);
  combo_.Invalidate();
  UpdateWindow(parent_.GetSafeHwnd());
  wavorel::pumpMessages();
  HDC dc = GetDC(combo_.GetSafeHwnd());
  bool iconShown = false;
  for (int x = 0; x < 40 && !iconShown; ++x)
    for (int y = 0; y < 20 && !iconShown; ++y) iconShown = GetPixel(dc, x, y) == kIcon;
  ReleaseDC(combo_.GetSafeHwnd(), dc);
  EXPECT_TRUE(iconShown);
}

}  // namespace
