// CInfoWnd: the class, placement beside a control, the four seconds and the
// first message winning; the pop-up a CSmartEdit owns.
#include "widgets/InfoWnd.h"

#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "widgets/SmartEdit.h"

namespace widgets_test {
namespace {

class InfoWndTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, 100, 200, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(control_.Create("", WS_CHILD | WS_VISIBLE, CRect(50, 60, 150, 80), &parent_, 1500));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    WidgetTest::TearDown();
  }
  static COLORREF ClassColour() {
    WNDCLASS wc{};
    if (!GetClassInfo(AfxGetInstanceHandle(), CInfoWnd::kClassName, &wc)) return CLR_INVALID;
    LOGBRUSH brush{};
    GetObject(wc.hbrBackground, sizeof brush, &brush);
    return brush.lbColor;
  }
  CWnd parent_;
  CStatic control_;
};

TEST_F(InfoWndTest, TheClassKeepsTheFirstColourOfTheProcess) {
  CInfoWnd first(RGB(1, 2, 3));
  const COLORREF colour = ClassColour();
  WNDCLASS wc{};
  ASSERT_TRUE(GetClassInfo(AfxGetInstanceHandle(), "ST_InfoWnd", &wc));
  EXPECT_EQ(wc.style & CS_SAVEBITS, static_cast<UINT>(CS_SAVEBITS));
  CInfoWnd second(RGB(200, 0, 0));
  CSmartEdit edit;  // its pop-up is coloured 0x8181FF
  EXPECT_EQ(ClassColour(), colour) << "later constructors change nothing";
  EXPECT_NE(colour, RGB(200, 0, 0));
  ASSERT_TRUE(first.Create(&parent_));
  EXPECT_EQ(first.GetStyle() & 0xFFFF0000u, 0x80800000u);
  EXPECT_TRUE(first.GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(first.IsWindowVisible());
}

TEST_F(InfoWndTest, PlacedBesideTheControlByItsFlags) {
  CInfoWnd info(0x8181FF);
  ASSERT_TRUE(info.Create(&control_));
  CRect control;
  control_.GetWindowRect(&control);
  struct Case {
    int flags;
    const char* where;
  };
  for (const Case& c : {Case{0, "above"}, Case{CInfoWnd::kBelow, "below"}, Case{CInfoWnd::kRight, "right"},
                        Case{CInfoWnd::kLeft, "left"}, Case{CInfoWnd::kBelow | CInfoWnd::kRight, "below"}}) {
    info.HideInfo();
    info.SetPlacement(c.flags);
    info.ShowInfo(&control_, "Key too short");
    ASSERT_TRUE(info.IsWindowVisible()) << c.where;
    EXPECT_EQ(info.GetText(), " Key too short ");
    const CRect shown = info.GetShownRect();
    const CSize size = shown.Size();
    const CPoint expected = (c.flags & CInfoWnd::kBelow)   ? CPoint(control.left, control.bottom + 2)
                            : (c.flags & CInfoWnd::kRight) ? CPoint(control.right + 2, control.top)
                            : (c.flags & CInfoWnd::kLeft)  ? CPoint(control.left - 2 - size.cx, control.top)
                                                           : CPoint(control.left, control.top - 2 - size.cy);
    EXPECT_EQ(shown.TopLeft(), expected) << c.where;
    CRect window;
    info.GetWindowRect(&window);
    EXPECT_EQ(window, CRect(shown.left - 3, shown.top - 1, shown.right, shown.bottom - 1)) << c.where;
    EXPECT_GT(shown.Width(), 20);
  }
}

TEST_F(InfoWndTest, TheFirstMessageStaysForFourSeconds) {
  CInfoWnd info(0x8181FF);
  ASSERT_TRUE(info.Create(&parent_));
  info.ShowInfo(&control_, "PIN must have 8 digits");
  info.ShowInfo(&control_, "Second");
  EXPECT_EQ(info.GetText(), " PIN must have 8 digits ");
  clock().advance(3999);
  wavorel::pumpMessages();
  EXPECT_TRUE(info.IsWindowVisible());
  clock().advance(1);
  wavorel::pumpMessages();
  EXPECT_FALSE(info.IsWindowVisible());
  info.ShowInfo(&control_, "Second");
  EXPECT_TRUE(info.IsWindowVisible());
  EXPECT_EQ(info.GetText(), " Second ");
  info.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_FALSE(info.IsWindowVisible()) << "a release on it hides it";
}

TEST_F(InfoWndTest, AtTheTopOfTheScreenItGoesAboveZero) {
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 30, nullptr, nullptr));
  CInfoWnd info(0x8181FF);
  ASSERT_TRUE(info.Create(&top));
  info.ShowInfo(&top, "WEP key");
  CRect window;
  info.GetWindowRect(&window);
  EXPECT_LT(window.top, 0) << "nothing clamps it";
  top.DestroyWindow();
}

TEST_F(InfoWndTest, ASmartEditOwnsAPopUpBesideIt) {
  CSmartEdit edit;
  HWND hwnd = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, parent_.GetSafeHwnd(),
                             reinterpret_cast<HMENU>(1501), nullptr, nullptr);
  ASSERT_TRUE(edit.SubclassWindow(hwnd));
  ASSERT_TRUE(edit.GetInfoWnd().GetSafeHwnd()) << "made when the edit is subclassed";
  edit.GetInfoWnd().ShowInfo(&edit, "Only digits");
  EXPECT_TRUE(edit.GetInfoWnd().IsWindowVisible());
}

}  // namespace
}  // namespace widgets_test
