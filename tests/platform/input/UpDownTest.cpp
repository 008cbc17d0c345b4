#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace wavorel::testing {
namespace {

struct Report {
  UINT msg;
  int a;  // UDN_DELTAPOS: iPos; scroll: the request code
  int b;  // UDN_DELTAPOS: iDelta; scroll: the position
};
std::vector<Report> g_reports;
bool g_veto = false;

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    const auto* n = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (n->hdr.code != UDN_DELTAPOS) return 0;
    g_reports.push_back({msg, n->iPos, n->iDelta});
    return g_veto ? 1 : 0;
  }
  if (msg == WM_VSCROLL || msg == WM_HSCROLL)
    g_reports.push_back({msg, LOWORD(wParam), static_cast<short>(HIWORD(wParam))});
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class UpDownTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_reports.clear();
    g_veto = false;
    WNDCLASS wc{};
    wc.lpfnWndProc = parentProc;
    wc.lpszClassName = "SpinParent";
    RegisterClass(&wc);
    parent_ = CreateWindow("SpinParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                           nullptr);
    edit_ = CreateWindow("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 60, 20, parent_, nullptr, nullptr, nullptr);
  }

  HWND spin(DWORD style) {
    return CreateWindow(UPDOWN_CLASS, "", WS_CHILD | WS_VISIBLE | style, 60, 0, 16, 20, parent_,
                        reinterpret_cast<HMENU>(7), nullptr, nullptr);
  }
  // A click on the upper (right) or lower (left) arrow and the release.
  static void click(HWND control, bool up) {
    RECT r;
    GetClientRect(control, &r);
    bool horizontal = GetWindowLong(control, GWL_STYLE) & UDS_HORZ;
    LPARAM at = horizontal ? MAKELPARAM(up ? r.right - 2 : 2, r.bottom / 2) : MAKELPARAM(r.right / 2, up ? 2 : r.bottom - 2);
    SendMessage(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessage(control, WM_LBUTTONUP, 0, at);
  }
  std::string editText() {
    char text[32] = {};
    GetWindowText(edit_, text, sizeof text);
    return text;
  }

  HWND parent_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(UpDownTest, RangeAndPositionMessages) {
  HWND s = spin(0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SendMessage(s, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));  // upper 0, lower 100
  EXPECT_EQ(SendMessage(s, UDM_GETPOS, 0, 0), 0);
  SendMessage(s, UDM_SETRANGE, 0, MAKELONG(static_cast<WORD>(-20), 50));  // upper -20, lower 50
  int low = 0, high = 0;
  SendMessage(s, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 50);
  EXPECT_EQ(high, -20);
  struct Case {
    UINT msg;
    int pos;
    int kept;
  } cases[] = {{UDM_SETPOS, 10, 10}, {UDM_SETPOS, -30, -20}, {UDM_SETPOS32, 70, 50}, {UDM_SETPOS32, 0, 0}};
  int previous = 0;
  for (const Case& c : cases) {
    LPARAM arg = c.msg == UDM_SETPOS ? MAKELPARAM(static_cast<WORD>(c.pos), 0) : c.pos;
    LRESULT old = SendMessage(s, c.msg, 0, arg);
    EXPECT_EQ(c.msg == UDM_SETPOS ? static_cast<short>(old) : old, previous);
    BOOL error = TRUE;
    EXPECT_EQ(SendMessage(s, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), c.kept);
    EXPECT_FALSE(error);
    previous = c.kept;
  }
  UDACCEL accel[2] = {{0, 5}, {2, 20}};
  EXPECT_TRUE(SendMessage(s, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel)));
  UDACCEL back[1] = {};
  EXPECT_EQ(SendMessage(s, UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(back)), 2);
  EXPECT_EQ(back[0].nInc, 5u);
}

TEST_F(UpDownTest, BuddyNumberIsReadAndWritten) {
  HWND s = spin(UDS_SETBUDDYINT | UDS_AUTOBUDDY);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(s, UDM_GETBUDDY, 0, 0)), edit_);
  SendMessage(s, UDM_SETRANGE32, 0, 5000);
  struct Case {
    const char* text;
    int pos;
    bool error;
  } cases[] = {{"1,234", 1234, false}, {"-3", 1234, true}, {"abc", 1234, true}, {"17", 17, false}};
  for (const Case& c : cases) {
    SetWindowText(edit_, c.text);
    LRESULT r = SendMessage(s, UDM_GETPOS, 0, 0);
    EXPECT_EQ(LOWORD(r), c.pos) << c.text;
    EXPECT_EQ(HIWORD(r) != 0, c.error) << c.text;
  }
  SendMessage(s, UDM_SETPOS32, 0, 999);
  SetWindowText(edit_, "999");
  click(s, true);
  EXPECT_EQ(editText(), "1,000");
  HWND plain = spin(UDS_SETBUDDYINT | UDS_NOTHOUSANDS);
  EXPECT_EQ(SendMessage(plain, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0), 0);
  SendMessage(plain, UDM_SETRANGE32, 0, 5000);
  click(plain, true);  // reads 1,000 from the buddy first
  EXPECT_EQ(editText(), "1001");
}

TEST_F(UpDownTest, ArrowClicksAskTheParentThenMoveAndReport) {
  HWND s = spin(0);
  // The default range runs from 100 down to 0: the up arrow counts down.
  SendMessage(s, UDM_SETPOS32, 0, 50);
  click(s, true);
  ASSERT_EQ(g_reports.size(), 3u);
  EXPECT_EQ(g_reports[0].msg, static_cast<UINT>(WM_NOTIFY));
  EXPECT_EQ(g_reports[0].a, 50);
  EXPECT_EQ(g_reports[0].b, -1);
  EXPECT_EQ(g_reports[1].msg, static_cast<UINT>(WM_VSCROLL));
  EXPECT_EQ(g_reports[1].a, SB_THUMBPOSITION);
  EXPECT_EQ(g_reports[1].b, 49);
  EXPECT_EQ(g_reports[2].a, SB_ENDSCROLL);
  click(s, false);
  EXPECT_EQ(SendMessage(s, UDM_GETPOS32, 0, 0), 50);

  // A refused click changes nothing.
  g_veto = true;
  click(s, false);
  EXPECT_EQ(SendMessage(s, UDM_GETPOS32, 0, 0), 50);
  g_veto = false;

  // At an end: stop there, or wrap to the other end with UDS_WRAP; UDS_HORZ
  // reports with WM_HSCROLL and its right arrow counts up.
  struct Case {
    DWORD style;
    bool up;
    int expected;
    UINT report;
  } cases[] = {{0, true, 10, WM_VSCROLL}, {UDS_WRAP, true, 0, WM_VSCROLL}, {UDS_WRAP | UDS_HORZ, false, 10, WM_HSCROLL}};
  for (const Case& c : cases) {
    HWND w = spin(c.style);
    SendMessage(w, UDM_SETRANGE32, 0, 10);
    SendMessage(w, UDM_SETPOS32, 0, c.up ? 10 : 0);
    g_reports.clear();
    click(w, c.up);
    EXPECT_EQ(SendMessage(w, UDM_GETPOS32, 0, 0), c.expected);
    EXPECT_EQ(g_reports.back().msg, c.report);
  }
  // The first acceleration step sets the increment.
  UDACCEL accel = {0, 4};
  SendMessage(s, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  click(s, false);
  EXPECT_EQ(SendMessage(s, UDM_GETPOS32, 0, 0), 54);
}

}  // namespace
}  // namespace wavorel::testing
