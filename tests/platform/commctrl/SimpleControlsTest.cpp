#include <tuple>
#include <vector>

#include "platform/win/kernel/Errors.h"
#include "platform/win/commctrl/IpAddress.h"
#include "platform/win/commctrl/Progress.h"
#include "platform/win/commctrl/Tab.h"
#include "platform/win/commctrl/Trackbar.h"
#include "tests/platform/commctrl/CommCtrlTestSupport.h"

namespace wavorel::testing {
namespace {

using CommonControlsTest = CommCtrlTest;

TEST_F(CommonControlsTest, ClassesExistAndInitChecksItsRecord) {
  for (const char* cls : {WC_LISTVIEW, WC_HEADER, WC_TABCONTROL, PROGRESS_CLASS, TRACKBAR_CLASS, TOOLTIPS_CLASS,
                          WC_IPADDRESS, "RichEdit20A"}) {
    HWND h = control(cls, 0, {0, 0, 100, 100});
    EXPECT_NE(h, nullptr) << cls;
  }
  INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  icc.dwSize = 4;
  EXPECT_FALSE(InitCommonControlsEx(&icc));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  HMODULE riched = LoadLibrary("riched20.dll");
  EXPECT_NE(riched, nullptr);
  FreeLibrary(riched);
}

using ProgressTest = CommCtrlTest;

TEST_F(ProgressTest, PositionsAreClampedAndStepsWrap) {
  HWND bar = control(PROGRESS_CLASS, 0, {0, 0, 100, 20});
  EXPECT_EQ(SendMessage(bar, PBM_SETRANGE, 0, MAKELPARAM(10, 50)), MAKELONG(0, 100));
  struct Case {
    UINT msg;
    WPARAM arg;
    int previous;
    int after;
  } cases[] = {
      {PBM_SETPOS, 5, 10, 10},    // below the range: the lower end (the range moved 0 to 10)
      {PBM_SETPOS, 70, 10, 50},   // above: the upper end
      {PBM_DELTAPOS, static_cast<WPARAM>(-15), 50, 35},
      {PBM_STEPIT, 0, 35, 45},    // the default step is 10
      {PBM_STEPIT, 0, 45, 15},    // 55 is 5 past the end: starts over from 10
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SendMessage(bar, c.msg, c.arg, 0), c.previous) << c.msg;
    EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), c.after) << c.msg;
  }
  EXPECT_EQ(SendMessage(bar, PBM_SETSTEP, 3, 0), 10);
  PBRANGE range{};
  EXPECT_EQ(SendMessage(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 10);
  EXPECT_EQ(range.iHigh, 50);
  SendMessage(bar, PBM_SETRANGE32, 0, 20);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 15);
  SendMessage(bar, PBM_SETRANGE32, 0, 12);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 12);  // a shrinking range pulls the position in
  EXPECT_EQ(SendMessage(bar, PBM_SETBARCOLOR, 0, RGB(0, 255, 0)), static_cast<LRESULT>(CLR_DEFAULT));
  EXPECT_EQ(SendMessage(bar, PBM_SETBARCOLOR, 0, RGB(1, 2, 3)), static_cast<LRESULT>(RGB(0, 255, 0)));
}

class TrackbarTest : public CommCtrlTest {
 protected:
  void SetUp() override {
    CommCtrlTest::SetUp();
    for (UINT msg : {WM_HSCROLL, WM_VSCROLL})
      on(msg, [this, msg](HWND, UINT, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        scrolls_.emplace_back(msg, LOWORD(wParam), HIWORD(wParam));
        return 0;
      }, parent_);
  }
  std::vector<std::tuple<UINT, int, int>> scrolls_;
};

TEST_F(TrackbarTest, KeysAndMouseReportToTheParent) {
  // Channel 8..208: one position unit is two pixels.
  HWND bar = control(TRACKBAR_CLASS, 0, {0, 0, 216, 30});
  SendMessage(bar, TBM_SETPAGESIZE, 0, 25);
  SendMessage(bar, TBM_SETPOS, TRUE, 50);
  EXPECT_TRUE(scrolls_.empty());  // programmatic moves are silent
  SendMessage(bar, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessage(bar, WM_KEYUP, VK_RIGHT, 0);
  SendMessage(bar, WM_KEYDOWN, VK_PRIOR, 0);
  SendMessage(bar, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(SendMessage(bar, TBM_GETPOS, 0, 0), 100);
  SendMessage(bar, WM_KEYDOWN, VK_RIGHT, 0);  // already at the end
  EXPECT_EQ(SendMessage(bar, TBM_GETPOS, 0, 0), 100);

  RECT thumb{};
  SendMessage(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  EXPECT_EQ((thumb.left + thumb.right) / 2, 208);
  SendMessage(bar, WM_LBUTTONDOWN, 0, MAKELPARAM(208, 15));
  SendMessage(bar, WM_MOUSEMOVE, 0, MAKELPARAM(68, 15));
  SendMessage(bar, WM_LBUTTONUP, 0, MAKELPARAM(68, 15));
  SendMessage(bar, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 15));  // right of the thumb: a page down
  SendMessage(bar, WM_LBUTTONUP, 0, MAKELPARAM(200, 15));
  std::vector<std::tuple<UINT, int, int>> expected{
      {WM_HSCROLL, TB_LINEDOWN, 0},    {WM_HSCROLL, TB_ENDTRACK, 0},    {WM_HSCROLL, TB_PAGEUP, 0},
      {WM_HSCROLL, TB_BOTTOM, 0},      {WM_HSCROLL, TB_LINEDOWN, 0},    {WM_HSCROLL, TB_THUMBTRACK, 30},
      {WM_HSCROLL, TB_THUMBPOSITION, 30}, {WM_HSCROLL, TB_ENDTRACK, 0}, {WM_HSCROLL, TB_PAGEDOWN, 0},
      {WM_HSCROLL, TB_ENDTRACK, 0}};
  EXPECT_EQ(scrolls_, expected);
  EXPECT_EQ(SendMessage(bar, TBM_GETPOS, 0, 0), 55);

  HWND vertical = control(TRACKBAR_CLASS, TBS_VERT, {0, 40, 30, 240});
  SendMessage(vertical, TBM_SETRANGE, TRUE, MAKELPARAM(-10, 10));
  EXPECT_EQ(SendMessage(vertical, TBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(SendMessage(vertical, TBM_GETPAGESIZE, 0, 0), 4);  // a fifth of the range
  SendMessage(vertical, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(scrolls_.back(), std::make_tuple(static_cast<UINT>(WM_VSCROLL), TB_LINEUP, 0));
  EXPECT_EQ(SendMessage(vertical, TBM_GETPOS, 0, 0), -1);
}

using TabTest = CommCtrlTest;

TEST_F(TabTest, UserSelectionCanBeVetoed) {
  HWND tab = control(WC_TABCONTROL, 0, {0, 0, 300, 200});
  for (const char* label : {"One", "Two", "Three"}) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(label);
    SendMessage(tab, TCM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&item));
  }
  EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);
  RECT r{};
  SendMessage(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 2 + guiTextWidth("One") + 12);  // indent, then the first tab: text and padding
  EXPECT_EQ(r.bottom, 20);

  bool veto = true;
  answer(TCN_SELCHANGING, [&](NMHDR*) -> LRESULT {
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);  // asked before the change
    return veto;
  });
  SendMessage(tab, WM_LBUTTONDOWN, 0, MAKELPARAM(r.left + 3, 5));
  EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(codes(TCN_SELCHANGE).empty());
  veto = false;
  SendMessage(tab, WM_LBUTTONDOWN, 0, MAKELPARAM(r.left + 3, 5));
  EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(codes(TCN_SELCHANGE).size(), 1u);

  codes_.clear();
  EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 2, 0), 1);
  EXPECT_TRUE(codes_.empty());  // programmatic: no notifications
  EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 7, 0), -1);
  SendMessage(tab, TCM_DELETEITEM, 0, 0);
  EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 1);

  RECT display{0, 0, 300, 200};
  SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_EQ(display.top, 22);
  SendMessage(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&display));
  EXPECT_EQ(display.top, 0);
  EXPECT_EQ(display.right, 300);
}

using IpAddressTest = CommCtrlTest;

TEST_F(IpAddressTest, FieldsBlanksAndTyping) {
  HWND ip = control(WC_IPADDRESS, 0, {0, 0, 120, 20});
  DWORD address = 1;
  EXPECT_TRUE(SendMessage(ip, IPM_ISBLANK, 0, 0));
  EXPECT_EQ(SendMessage(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 0);
  EXPECT_EQ(address, 0u);

  SendMessage(ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 20));
  EXPECT_EQ(SendMessage(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 4);
  EXPECT_EQ(FIRST_IPADDRESS(address), 192u);
  EXPECT_EQ(FOURTH_IPADDRESS(address), 20u);

  // Clear, then type "10." and "300" into the first two fields; the second field's range is 1-223.
  SendMessage(ip, IPM_CLEARADDRESS, 0, 0);
  ASSERT_TRUE(SendMessage(ip, IPM_SETRANGE, 1, MAKEIPRANGE(1, 223)));
  EXPECT_FALSE(SendMessage(ip, IPM_SETRANGE, 4, MAKEIPRANGE(1, 2)));
  std::vector<std::pair<int, int>> changes;
  answer(IPN_FIELDCHANGED, [&](NMHDR* hdr) -> LRESULT {
    auto* nm = reinterpret_cast<NMIPADDRESS*>(hdr);
    changes.emplace_back(nm->iField, nm->iValue);
    return 0;
  });
  SendMessage(ip, IPM_SETFOCUS, 0, 0);
  for (char c : std::string("10.300")) SendMessage(ip, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{0, 10}, {1, 223}}));
  // Fields 2 and 3 are blank: two of four fields count.
  EXPECT_EQ(SendMessage(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 2);
  EXPECT_EQ(address, static_cast<DWORD>(MAKEIPADDRESS(10, 223, 0, 0)));
  EXPECT_FALSE(SendMessage(ip, IPM_ISBLANK, 0, 0));
}

}  // namespace
}  // namespace wavorel::testing
