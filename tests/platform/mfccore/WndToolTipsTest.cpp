// CWnd tooltips: the default hit test over child windows, the text asked for
// with TTN_NEEDTEXT under the tooltip's id 0, and what hides the tip.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/MouseTracking.h"

namespace {

// Names each child's tip after its control id.
class CTipParent : public CWnd {
 public:
  int asked = 0;

 protected:
  BOOL OnNeedText(UINT, NMHDR* hdr, LRESULT* result) {
    ++asked;
    auto* info = reinterpret_cast<NMTTDISPINFO*>(hdr);
    if (!(info->uFlags & TTF_IDISHWND)) return FALSE;
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(hdr->idFrom));
    std::snprintf(info->szText, sizeof info->szText, "Control %d", id);
    info->lpszText = info->szText;
    *result = 0;
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipParent, CWnd)
  ON_NOTIFY_EX(TTN_NEEDTEXT, 0, &CTipParent::OnNeedText)
END_MESSAGE_MAP()

class WndToolTipsTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    for (int i = 0; i < 3; ++i) {
      const int ids[] = {5, 6, 0};
      ASSERT_TRUE(children_[i].Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(10 + 60 * i, 10, 60 + 60 * i, 40),
                                      &parent_, static_cast<UINT>(ids[i])));
    }
    EXPECT_TRUE(parent_.EnableToolTips(TRUE));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    PlatformTest::TearDown();
  }

  // Runs what is ready as the program's loop does (PreTranslateMessage
  // first), letting `restMs` pass.
  void run(uint64_t restMs) {
    for (uint64_t rested = 0;; rested += 50) {
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      if (rested >= restMs) break;
      clock().advance(50);
    }
  }
  void hover(CWnd& wnd, CPoint at, uint64_t restMs) {
    wavorel::mouseMoveTo(wnd.m_hWnd, at, 0);
    run(restMs);
  }
  static std::string shownTip() {
    HWND tip = FindWindow(TOOLTIPS_CLASS, nullptr);
    if (!tip || !IsWindowVisible(tip)) return "";
    char text[128] = "";
    GetWindowText(tip, text, sizeof text);
    return text;
  }

  CTipParent parent_;
  CWnd children_[3];
};

TEST_F(WndToolTipsTest, ChildrenWithIdsGetTheParentsTexts) {
  struct Case {
    int child;  // -1: the parent's own client area
    const char* tip;
  };
  for (const Case& c : {Case{0, "Control 5"}, Case{1, "Control 6"}, Case{2, ""}, Case{-1, ""}}) {
    SCOPED_TRACE(c.child);
    hover(parent_, CPoint(290, 190), 0);  // off every tool first
    if (c.child >= 0)
      hover(children_[c.child], CPoint(20, 15), 600);
    else
      hover(parent_, CPoint(250, 150), 600);
    EXPECT_EQ(shownTip(), c.tip);
  }
  // A hidden child is no tool.
  children_[0].ShowWindow(SW_HIDE);
  hover(parent_, CPoint(30, 20), 600);
  EXPECT_EQ(shownTip(), "");
  EXPECT_EQ(parent_.OnToolHitTest(CPoint(30, 20), nullptr), -1);
  EXPECT_EQ(parent_.OnToolHitTest(CPoint(90, 20), nullptr), 6);
}

TEST_F(WndToolTipsTest, ClicksKeysAndDisablingHideTheTip) {
  CPoint at(20, 15);
  for (const char* how : {"click", "key", "disable"}) {
    SCOPED_TRACE(how);
    parent_.EnableToolTips(TRUE);
    hover(parent_, CPoint(290, 190), 0);
    hover(children_[0], at, 600);
    ASSERT_EQ(shownTip(), "Control 5");
    const std::string kind(how);
    if (kind == "click") {
      children_[0].PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      run(0);
      EXPECT_EQ(shownTip(), "");
      // Not again while the mouse stays on the clicked tool.
      hover(children_[0], at + CPoint(1, 0), 600);
      EXPECT_EQ(shownTip(), "");
    } else if (kind == "key") {
      children_[0].PostMessage(WM_KEYDOWN, VK_SPACE, 1);
      run(0);
      EXPECT_EQ(shownTip(), "");
    } else {
      parent_.EnableToolTips(FALSE);
      EXPECT_EQ(shownTip(), "");
      hover(children_[1], at, 600);
      EXPECT_EQ(shownTip(), "");
    }
  }
}

}  // namespace
