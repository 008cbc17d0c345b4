#include <string>
#include <vector>

#include "platform/win/commctrl/RichEdit.h"
#include "tests/platform/commctrl/CommCtrlTestSupport.h"

namespace wavorel::testing {
namespace {

class RichEditTest : public CommCtrlTest {
 protected:
  void SetUp() override {
    CommCtrlTest::SetUp();
    edit_ = control(RICHEDIT_CLASS, ES_MULTILINE, {0, 0, 200, 64}, 55);  // four lines of 16 pixels
    ASSERT_NE(edit_, nullptr);
  }
  void select(LONG from, LONG to) {
    CHARRANGE r{from, to};
    SendMessage(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
  }
  void append(const char* text) {
    LONG end = static_cast<LONG>(SendMessage(edit_, WM_GETTEXTLENGTH, 0, 0));
    SendMessage(edit_, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessage(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
  }
  void colour(COLORREF c) {
    CHARFORMAT cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = c;
    EXPECT_TRUE(SendMessage(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
  }
  HWND edit_ = nullptr;
};

TEST_F(RichEditTest, ColourRunsFollowTheSelection) {
  SendMessage(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("first line\r\nsecond"));
  EXPECT_EQ(SendMessage(edit_, WM_GETTEXTLENGTH, 0, 0), 18);
  GETTEXTLENGTHEX how{GTL_DEFAULT, 0};
  EXPECT_EQ(SendMessage(edit_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0), 17);  // one CR per paragraph

  select(11, -1);
  colour(RGB(255, 0, 0));
  select(0, 5);
  CHARFORMAT2 bold{};
  bold.cbSize = sizeof bold;
  bold.dwMask = CFM_BOLD;
  bold.dwEffects = CFE_BOLD;
  SendMessage(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));

  auto runs = richEditRuns(edit_);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, "first");
  EXPECT_EQ(runs[0].effects & CFE_BOLD, static_cast<DWORD>(CFE_BOLD));
  EXPECT_EQ(runs[1].text, " line\r");
  EXPECT_EQ(runs[1].effects & CFE_AUTOCOLOR, static_cast<DWORD>(CFE_AUTOCOLOR));
  EXPECT_EQ(runs[2].cpMin, 11);
  EXPECT_EQ(runs[2].text, "second");
  EXPECT_EQ(runs[2].color, RGB(255, 0, 0));
  EXPECT_EQ(runs[2].effects & CFE_AUTOCOLOR, 0u);

  // Over a mixed selection the colour is not reported as common.
  select(8, 13);
  CHARFORMAT got{};
  got.cbSize = sizeof got;
  DWORD mask = static_cast<DWORD>(SendMessage(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(mask & CFM_COLOR, 0u);
  EXPECT_EQ(mask & CFM_BOLD, static_cast<DWORD>(CFM_BOLD));
  got.cbSize = 3;
  EXPECT_EQ(SendMessage(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&got)), 0);

  // Text put at the end takes the format of the text before it; a format set
  // at an empty selection applies to what is put there next.
  append("!");
  SendMessage(edit_, EM_SETSEL, 18, 18);
  colour(RGB(0, 0, 255));
  SendMessage(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\nblue"));
  runs = richEditRuns(edit_);
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[2].text, "second!");
  EXPECT_EQ(runs[3].text, "\rblue");
  EXPECT_EQ(runs[3].color, RGB(0, 0, 255));
  char all[64];
  SendMessage(edit_, WM_GETTEXT, sizeof all, reinterpret_cast<LPARAM>(all));
  EXPECT_STREQ(all, "first line\r\nsecond!\r\nblue");
}

TEST_F(RichEditTest, ChangeEventsLimitsAndScrolling) {
  SendMessage(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  std::vector<WORD> events;
  on(WM_COMMAND, [&](HWND, UINT, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    EXPECT_EQ(LOWORD(wParam), 55);
    events.push_back(HIWORD(wParam));
    return 0;
  }, parent_);
  SendMessage(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("x"));
  EXPECT_TRUE(events.empty());  // no event mask: no EN_CHANGE
  EXPECT_EQ(SendMessage(edit_, EM_SETEVENTMASK, 0, ENM_CHANGE), ENM_NONE);
  SendMessage(edit_, WM_CHAR, 'y', 0);
  EXPECT_EQ(events, std::vector<WORD>{EN_CHANGE});

  SendMessage(edit_, EM_EXLIMITTEXT, 0, 6);
  SendMessage(edit_, EM_SETSEL, 0, 0);
  SendMessage(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("12345"));
  char text[16];
  SendMessage(edit_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "1xyabc");  // only one character fitted

  SendMessage(edit_, EM_SETREADONLY, TRUE, 0);
  SendMessage(edit_, WM_CHAR, 'z', 0);
  SendMessage(edit_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "1xyabc");

  SendMessage(edit_, EM_EXLIMITTEXT, 0, 0);
  SendMessage(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1\n2\n3\n4\n5\n6\n7\n8\n9\n10"));
  EXPECT_EQ(SendMessage(edit_, EM_GETLINECOUNT, 0, 0), 10);
  EXPECT_EQ(SendMessage(edit_, EM_LINEINDEX, 3, 0), 6);
  SendMessage(edit_, WM_VSCROLL, 7 /* SB_BOTTOM */, 0);
  EXPECT_EQ(SendMessage(edit_, EM_GETFIRSTVISIBLELINE, 0, 0), 6);
  SendMessage(edit_, EM_LINESCROLL, 0, -5);
  EXPECT_EQ(SendMessage(edit_, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  SendMessage(edit_, EM_SETSEL, 0, 0);
  SendMessage(edit_, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessage(edit_, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(SendMessage(edit_, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)), static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
}

}  // namespace
}  // namespace wavorel::testing
