// The AP module's small controls on a plain parent window: the list that
// drops its horizontal scroll bar, the drop-down list that widens to its
// items, and the filtered edit with its linked slider.
#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "softap/ApControls.h"
#include "widgets/LinkSlider.h"

namespace {

class ApControlsTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    LPCTSTR face = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    ASSERT_TRUE(parent_.CreateEx(0, face, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    PlatformTest::TearDown();
  }
  std::string Text(CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return static_cast<LPCSTR>(text);
  }
  CWnd parent_;
};

TEST_F(ApControlsTest, ListDropsItsHorizontalScrollBar) {
  CNoHScrollListCtrl_AP list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_HSCROLL | LVS_REPORT, CRect(0, 0, 100, 80), &parent_, 1187));
  EXPECT_FALSE(list.GetStyle() & WS_HSCROLL) << "gone when the window was made";
  list.ModifyStyle(0, WS_HSCROLL);
  ASSERT_TRUE(list.GetStyle() & WS_HSCROLL);
  list.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_FALSE(list.GetStyle() & WS_HSCROLL) << "gone with the new frame";
  list.ModifyStyle(0, WS_HSCROLL);
  list.SetWindowPos(nullptr, 0, 0, 150, 90, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_FALSE(list.GetStyle() & WS_HSCROLL) << "gone with a new size";

  CListCtrl plain;  // a plain list keeps the style it was given
  ASSERT_TRUE(plain.Create(WS_CHILD | WS_HSCROLL | LVS_REPORT, CRect(0, 100, 100, 180), &parent_, 1188));
  EXPECT_TRUE(plain.GetStyle() & WS_HSCROLL);
}

TEST_F(ApControlsTest, DroppedListIsAsWideAsTheWidestItem) {
  CResizeWidthComboBox_AP combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 70, 120), &parent_, 1305));
  combo.AddString("11b");
  const CString widest = "802.11 B/G/N mixed mode, the longest";
  combo.AddString(widest);
  combo.AddString("11g");
  combo.ShowDropDown(TRUE);
  combo.ShowDropDown(FALSE);

  CClientDC dc(&combo);
  CFont* previous = dc.SelectObject(combo.GetFont());
  const int expected =
      dc.GetTextExtent(widest).cx + GetSystemMetrics(SM_CXVSCROLL) + dc.GetTextExtent(CString("0")).cx;
  dc.SelectObject(previous);
  EXPECT_GT(expected, 60) << "the item is wider than the box";
  EXPECT_EQ(combo.GetDroppedWidth(), expected);
}

TEST_F(ApControlsTest, EditFiltersTypedCharacters) {
  CSmartEdit_AP edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 110, 30), &parent_, 1227));
  EXPECT_EQ(edit.GetCharClassMask(), 0xFFFF);
  EXPECT_EQ(edit.SetCharClassMask(0x40), 0x40);
  const size_t before = wavorel::beeps().size();
  for (const char* k = "0aFg-9\b"; *k; ++k) edit.SendMessage(WM_CHAR, static_cast<BYTE>(*k), 1);
  EXPECT_EQ(Text(edit), "0aF");  // "g" and "-" refused, then 9 typed and taken back
  ASSERT_EQ(wavorel::beeps().size() - before, 2u);
  EXPECT_EQ(wavorel::beeps().back(), 0xFFFFFFFFu);

  EXPECT_EQ(edit.SetValue(12), 1);
  EXPECT_EQ(Text(edit), "12");
  edit.SetWindowText("typed");
  EXPECT_EQ(edit.SetValue(12), 0) << "the current value: nothing shown";
  EXPECT_EQ(Text(edit), "typed");
}

TEST_F(ApControlsTest, LeavingTheEditPullsItsNumberIntoTheRange) {
  CSmartEdit_AP edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 110, 30), &parent_, 1300));
  CLinkSlider slider;
  ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 210, 70), &parent_, 1301));
  slider.SetRange(0, 100);

  // Without a linked slider nothing is read.
  edit.SetWindowText("150");
  edit.SendMessage(WM_KILLFOCUS);
  EXPECT_EQ(Text(edit), "150");
  EXPECT_EQ(edit.GetValue(), CSmartEdit_AP::kNoValue);

  edit.SetLinkedSlider(&slider);
  edit.SetRange(0, 100);
  struct Case {
    const char* typed;
    int value;
    bool beep;
    const char* shown;
  };
  for (const Case& c : {Case{"150", 100, true, "100"}, Case{"42", 42, false, "42"}, Case{"-3", 0, true, "0"},
                        Case{"7x", 7, false, "7x"}}) {
    edit.SetWindowText(c.typed);
    const size_t before = wavorel::beeps().size();
    edit.SendMessage(WM_KILLFOCUS);
    EXPECT_EQ(wavorel::beeps().size() - before, c.beep ? 1u : 0u) << c.typed;
    EXPECT_EQ(Text(edit), c.shown) << c.typed;
    EXPECT_EQ(edit.GetValue(), c.value) << c.typed;
    EXPECT_EQ(slider.GetPos(), c.value) << c.typed;
  }
}

}  // namespace
