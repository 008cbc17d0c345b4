#include <string>

#include "platform/win/user/MouseTracking.h"
#include "platform/win/commctrl/ToolTip.h"
#include "tests/platform/commctrl/CommCtrlTestSupport.h"

namespace wavorel::testing {
namespace {

class ToolTipTest : public CommCtrlTest {
 protected:
  void SetUp() override {
    CommCtrlTest::SetUp();
    SetActiveWindow(parent_);
    owner_ = make("owner", WS_CHILD | WS_VISIBLE, parent_, 7, {10, 10, 210, 110});
    tip_ = CreateWindowEx(0, TOOLTIPS_CLASS, "", WS_POPUP, 0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
    ASSERT_NE(tip_, nullptr);
  }
  void addTool(UINT_PTR id, RECT rect, LPSTR text, UINT flags = 0) {
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = flags;
    ti.hwnd = owner_;
    ti.uId = id;
    ti.rect = rect;
    ti.lpszText = text;
    ASSERT_TRUE(SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
  }
  void relay(UINT msg, int x, int y) {
    MSG m{owner_, msg, 0, MAKELPARAM(x, y), 0, {x, y}};
    SendMessage(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
  }
  std::string shown() {
    char text[100] = "";
    GetWindowText(tip_, text, sizeof text);
    return IsWindowVisible(tip_) ? text : "";
  }

  HWND owner_ = nullptr;
  HWND tip_ = nullptr;
};

TEST_F(ToolTipTest, ShowsAfterTheInitialDelayAndHidesAgain) {
  char left[] = "left tool";
  char right[] = "right tool";
  addTool(1, {0, 0, 100, 100}, left);
  addTool(2, {100, 0, 200, 100}, right);
  EXPECT_EQ(SendMessage(tip_, TTM_GETTOOLCOUNT, 0, 0), 2);

  relay(WM_MOUSEMOVE, 20, 20);
  runFor(499);
  EXPECT_EQ(shown(), "");
  relay(WM_MOUSEMOVE, 21, 20);  // moving starts the wait again
  runFor(499);
  EXPECT_EQ(shown(), "");
  runFor(1);
  EXPECT_EQ(shown(), "left tool");
  EXPECT_EQ(codes(TTN_SHOW).size(), 1u);
  EXPECT_TRUE(SendMessage(tip_, TTM_GETCURRENTTOOL, 0, 0));

  // To the next tool: the re-show delay.
  relay(WM_MOUSEMOVE, 150, 20);
  EXPECT_EQ(shown(), "");
  EXPECT_EQ(codes(TTN_POP).size(), 1u);
  runFor(100);
  EXPECT_EQ(shown(), "right tool");

  // The auto-pop delay hides it; leaving and coming back shows it again.
  runFor(5000);
  EXPECT_EQ(shown(), "");
  relay(WM_MOUSEMOVE, 150, 150);
  relay(WM_MOUSEMOVE, 150, 21);
  runFor(500);
  EXPECT_EQ(shown(), "right tool");

  // A click hides it until the pointer leaves the tool.
  relay(WM_LBUTTONDOWN, 150, 21);
  EXPECT_EQ(shown(), "");
  relay(WM_MOUSEMOVE, 151, 21);
  runFor(1000);
  EXPECT_EQ(shown(), "");

  // Deactivated, it shows nothing.
  SendMessage(tip_, TTM_ACTIVATE, FALSE, 0);
  relay(WM_MOUSEMOVE, 20, 20);
  runFor(1000);
  EXPECT_EQ(shown(), "");
}

TEST_F(ToolTipTest, ATipShownUnderTheCursorHidesOnceTheCursorLeavesTheTool) {
  char text[] = "tool";
  addTool(1, {0, 0, 100, 100}, text);
  auto cursorTo = [](HWND hwnd, POINT p) {
    ClientToScreen(hwnd, &p);
    mouseAt(p);
  };
  cursorTo(owner_, {20, 20});
  relay(WM_MOUSEMOVE, 20, 20);
  runFor(500);
  ASSERT_EQ(shown(), "tool");
  // Moving within the tool keeps it; leaving the tool hides it without a
  // relayed message, whether onto the owner's other part or another window.
  cursorTo(owner_, {60, 60});
  runFor(300);
  EXPECT_EQ(shown(), "tool");
  cursorTo(owner_, {150, 60});
  runFor(100);
  EXPECT_EQ(shown(), "");

  cursorTo(owner_, {20, 20});
  relay(WM_MOUSEMOVE, 20, 21);
  runFor(500);
  ASSERT_EQ(shown(), "tool");
  cursorTo(parent_, {500, 300});
  runFor(100);
  EXPECT_EQ(shown(), "");
}

TEST_F(ToolTipTest, CallbackTextsDelaysAndToolUpdates) {
  addTool(5, {0, 0, 50, 50}, LPSTR_TEXTCALLBACK);
  UINT_PTR askedFor = 0;
  on(WM_NOTIFY, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    auto* di = reinterpret_cast<NMTTDISPINFO*>(lParam);
    if (di->hdr.code != TTN_GETDISPINFO) return 0;
    askedFor = di->hdr.idFrom;
    std::string text = "cell " + std::to_string(di->hdr.idFrom);
    text.copy(di->szText, sizeof di->szText - 1);
    return 0;
  }, owner_);
  SendMessage(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, 50);
  EXPECT_EQ(SendMessage(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 50);
  relay(WM_MOUSEMOVE, 5, 5);
  runFor(50);
  EXPECT_EQ(askedFor, 5u);
  EXPECT_EQ(shown(), "cell 5");

  char text[] = "fixed";
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = owner_;
  ti.uId = 5;
  ti.lpszText = text;
  SendMessage(tip_, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(shown(), "fixed");
  char small[4];
  ti.lpszText = small;
  SendMessage(tip_, TTM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(small, "fix");

  EXPECT_EQ(SendMessage(tip_, TTM_SETMAXTIPWIDTH, 0, 400), -1);
  SendMessage(tip_, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(shown(), "");
  EXPECT_EQ(SendMessage(tip_, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(ToolTipTest, WholeWindowToolsAndTheActiveWindowRule) {
  HWND other = make("other", WS_POPUP | WS_VISIBLE, nullptr, 0, {300, 300, 400, 400});
  char text[] = "whole";
  TOOLINFO ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND;
  ti.hwnd = parent_;
  ti.uId = reinterpret_cast<UINT_PTR>(owner_);
  ti.lpszText = text;
  SendMessage(tip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
  SetActiveWindow(other);
  relay(WM_MOUSEMOVE, 190, 90);
  runFor(600);
  EXPECT_EQ(shown(), "");  // the tool's window is not active
  SetActiveWindow(parent_);
  relay(WM_MOUSEMOVE, 190, 91);
  runFor(600);
  EXPECT_EQ(shown(), "whole");
}

}  // namespace
}  // namespace wavorel::testing
