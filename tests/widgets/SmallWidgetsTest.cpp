// The small controls: the filtered edit with its linked slider, the
// separator, and the sortable arrays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WidgetTestSupport.h"
#include "widgets/LinkSlider.h"
#include "widgets/Separator.h"
#include "widgets/SmartEdit.h"
#include "widgets/SortIntArray.h"
#include "widgets/SortStringArray.h"

namespace widgets_test {
namespace {

constexpr int kEditId = 1300;
constexpr int kSliderId = 1301;

class SmallWidgetsTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    LPCTSTR face = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    ASSERT_TRUE(parent_.CreateEx(0, face, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    WidgetTest::TearDown();
  }
  void MakeEdit(CSmartEdit& edit) {
    HWND hwnd = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 100, 20,
                               parent_.GetSafeHwnd(), reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
    ASSERT_TRUE(edit.SubclassWindow(hwnd));
  }
  void MakeSlider(CLinkSlider& slider, DWORD style = 0) {
    HWND hwnd = CreateWindowEx(0, TRACKBAR_CLASS, "", WS_CHILD | WS_VISIBLE | style, 10, 40, 200, 30,
                               parent_.GetSafeHwnd(), reinterpret_cast<HMENU>(kSliderId), nullptr, nullptr);
    ASSERT_TRUE(slider.SubclassWindow(hwnd));
  }
  std::string Text(CWnd& wnd) {
    CString text;
    wnd.GetWindowText(text);
    return static_cast<LPCSTR>(text);
  }
  void Type(CSmartEdit& edit, const char* keys) {
    for (const char* k = keys; *k; ++k) edit.SendMessage(WM_CHAR, static_cast<BYTE>(*k), 1);
  }
  CWnd parent_;
};

TEST_F(SmallWidgetsTest, CharacterClassesAndMasks) {
  struct Class {
    UINT ch;
    WORD expected;
  };
  for (const Class& c : {Class{'\b', 0xFFFF}, Class{31, 0xFFFF}, Class{'0', 0x55}, Class{'9', 0x55}, Class{'A', 0x42},
                         Class{'f', 0x42}, Class{'E', 0x46}, Class{'e', 0x46}, Class{'G', 0x02}, Class{'z', 0x02},
                         Class{'-', 0x14}, Class{'.', 0x04}, Class{'_', 0x28}, Class{' ', 0x08}, Class{'/', 0x08},
                         Class{0xE9, 0x08}})
    EXPECT_EQ(CSmartEdit::CharClass(c.ch), c.expected) << c.ch;

  CSmartEdit edit;
  MakeEdit(edit);
  struct Case {
    WORD mask;
    const char* typed;
    const char* kept;
    size_t beeps;
  };
  const Case cases[] = {
      {CSmartEdit::kDigits, "1-2a3", "123", 2},
      {CSmartEdit::kSignedDigits, "-12x", "-12", 1},
      {CSmartEdit::kHexDigits, "0fE9g-", "0fE9", 2},
      {CSmartEdit::kAll, "a-_. 9", "a-_. 9", 0},
  };
  for (const Case& c : cases) {
    edit.SetWindowText("");
    EXPECT_EQ(edit.SetCharClassMask(c.mask), c.mask);
    const size_t before = wavorel::beeps().size();
    Type(edit, c.typed);
    EXPECT_EQ(Text(edit), c.kept) << c.typed;
    ASSERT_EQ(wavorel::beeps().size() - before, c.beeps) << c.typed;
    if (c.beeps) {
      EXPECT_EQ(wavorel::beeps().back(), 0xFFFFFFFFu);
    }
  }
  edit.SetCharClassMask(CSmartEdit::kDigits);
  edit.SetWindowText("12");
  edit.SetSel(2, 2);
  Type(edit, "\b");
  EXPECT_EQ(Text(edit), "1") << "control characters always pass";
}

TEST_F(SmallWidgetsTest, ALinkedEditCorrectsItsValueAndMovesTheSlider) {
  CSmartEdit edit;
  CLinkSlider slider;
  MakeEdit(edit);
  MakeSlider(slider);
  edit.LinkSlider(&parent_, kSliderId);
  ASSERT_EQ(edit.GetLinkedSlider(), &slider);
  EXPECT_TRUE(edit.SetIntRange(0, 100, 5, 20));
  EXPECT_EQ(edit.GetCharClassMask(), CSmartEdit::kDigits);
  EXPECT_EQ(slider.GetRangeMin(), 0);
  EXPECT_EQ(slider.GetRangeMax(), 100);
  EXPECT_EQ(slider.GetLineSize(), 5);
  EXPECT_EQ(slider.GetPageSize(), 20);
  EXPECT_FALSE(edit.SetIntValue(101));
  EXPECT_TRUE(edit.SetIntValue(55));
  EXPECT_EQ(Text(edit), "55");

  struct Case {
    std::string text;
    int value;
    bool beep;
    std::string shown;
  };
  const Case cases[] = {
      {"999", 100, true, "100"},
      {"42", 42, false, "42"},
      {"-5", 0, true, "0"},
      {std::string(511, '0') + "42", 4, false, std::string(511, '0') + "42"},  // only 512 characters are read
  };
  for (const Case& c : cases) {
    edit.SetWindowText(c.text.c_str());
    const size_t before = wavorel::beeps().size();
    edit.SendMessage(WM_KILLFOCUS);
    EXPECT_EQ(wavorel::beeps().size() - before, c.beep ? 1u : 0u) << c.value;
    EXPECT_EQ(Text(edit), c.shown) << c.value;
    EXPECT_EQ(slider.GetPos(), c.value);
  }
  EXPECT_TRUE(edit.SetIntRange(-10, 10, 1, 1));
  EXPECT_EQ(edit.GetCharClassMask(), CSmartEdit::kSignedDigits);

  // The slider writes its position into the edit.
  slider.SetPos(7);
  slider.SendMessage(WM_USER);  // nothing happens without a scroll
  parent_.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), reinterpret_cast<LPARAM>(slider.GetSafeHwnd()));
  EXPECT_EQ(Text(edit), "3");
  parent_.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(slider.GetSafeHwnd()));
  EXPECT_EQ(Text(edit), "7");
  edit.SetWindowText("x");
  parent_.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(slider.GetSafeHwnd()));
  EXPECT_EQ(Text(edit), "x") << "other codes do nothing";
  EXPECT_FALSE(edit.SetValueText(7)) << "the last value shown";
  EXPECT_TRUE(edit.SetValueText(8));
}

TEST_F(SmallWidgetsTest, AVerticalSliderRunsInverted) {
  CLinkSlider slider;
  MakeSlider(slider, TBS_VERT);
  CSmartEdit edit;
  MakeEdit(edit);
  EXPECT_TRUE(slider.SetLinkedEdit(&edit) & TBS_VERT);
  slider.SetRange(0, 100);
  slider.SetLinkedPos(30);
  EXPECT_EQ(slider.GetPos(), 70);
  EXPECT_EQ(slider.GetLinkedPos(), 70);
}

TEST_F(SmallWidgetsTest, SeparatorsDrawAnEtchedLineAndTheirCaption) {
  CSeparator across, down;
  across.Create("Transmit", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(10, 100, 210, 120), &parent_, 1401);
  down.Create("Hidden", WS_CHILD | WS_VISIBLE, CRect(250, 100, 260, 200), &parent_, 1402);
  wavorel::WindowImage image = wavorel::composeWindow(parent_.GetSafeHwnd());
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(image.colorAt(12, 110), shadow);
  EXPECT_EQ(image.colorAt(12, 111), light);
  EXPECT_EQ(image.colorAt(207, 110), shadow);
  int ink = 0;
  for (int x = 60; x < 160; ++x)
    for (int y = 100; y < 120; ++y) ink += image.colorAt(x, y) == GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_GT(ink, 10) << "the caption over the line";
  EXPECT_EQ(image.colorAt(100, 110) == shadow, false) << "the caption's face hides the line behind it";

  EXPECT_EQ(image.colorAt(255, 150), shadow);
  EXPECT_EQ(image.colorAt(256, 150), light);
  int downInk = 0;
  for (int x = 250; x < 260; ++x)
    for (int y = 100; y < 200; ++y) downInk += image.colorAt(x, y) == GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_EQ(downInk, 0) << "a vertical separator shows no caption";
}

TEST_F(SmallWidgetsTest, SortableArrays) {
  CSortStringArray words;
  words.Sort();
  EXPECT_EQ(words.GetSize(), 0);
  for (const char* w : {"beta", "Alpha", "gamma", "alpha2", "BETA", "Gamma"}) words.Add(w);
  words.Sort();
  std::vector<std::string> sorted;
  for (INT_PTR i = 0; i < words.GetSize(); ++i) sorted.push_back(static_cast<LPCSTR>(words[i]));
  EXPECT_EQ(sorted, (std::vector<std::string>{"Alpha", "alpha2", "beta", "BETA", "gamma", "Gamma"}))
      << "equal without case: kept in their order";

  CSortIntArray numbers;
  for (int n : {5, -3, 9, 0, 9, -7}) numbers.Add(n);
  numbers.Sort();
  std::vector<int> order;
  for (INT_PTR i = 0; i < numbers.GetSize(); ++i) order.push_back(numbers[i]);
  EXPECT_EQ(order, (std::vector<int>{-7, -3, 0, 5, 9, 9}));
  numbers.Reverse();
  EXPECT_EQ(numbers[0], 9);
  EXPECT_EQ(numbers[5], -7);
  numbers.RemoveAt(0);
  numbers.Reverse();  // odd count: the middle stays
  order.clear();
  for (INT_PTR i = 0; i < numbers.GetSize(); ++i) order.push_back(numbers[i]);
  EXPECT_EQ(order, (std::vector<int>{-7, -3, 0, 5, 9}));
}

}  // namespace
}  // namespace widgets_test
