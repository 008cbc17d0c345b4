#include <string>
#include <vector>

#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

using Commands = std::vector<std::pair<int, int>>;

class EditTest : public ControlTest {
 protected:
  static void type(HWND edit, const std::string& chars) {
    for (char c : chars) send(edit, WM_CHAR, static_cast<unsigned char>(c));
  }
  static std::pair<DWORD, DWORD> selection(HWND edit) {
    DWORD start = 99, end = 99;
    send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

TEST_F(EditTest, SetTextNotifiesOnlyForSingleLineEdits) {
  HWND single = control(WC_EDIT, ES_AUTOHSCROLL, 1);
  HWND multi = control(WC_EDIT, ES_MULTILINE, 2);
  EXPECT_TRUE(SetWindowText(single, "hello"));
  EXPECT_TRUE(SetWindowText(multi, "a\r\nb"));
  EXPECT_EQ(commands(), (Commands{{1, EN_UPDATE}, {1, EN_CHANGE}}));
  EXPECT_EQ(text(single), "hello");
  EXPECT_EQ(text(multi), "a\r\nb");
  EXPECT_EQ(send(single, EM_GETMODIFY), FALSE);
}

TEST_F(EditTest, TypingInsertsAtTheSelectionAndNotifies) {
  HWND e = control(WC_EDIT, 0, 3, "world");
  send(e, EM_SETSEL, 0, 0);
  type(e, "hi ");
  EXPECT_EQ(text(e), "hi world");
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{3, 3}));
  EXPECT_EQ(send(e, EM_GETMODIFY), TRUE);
  EXPECT_EQ(commands().size(), 6u);
  EXPECT_EQ(commands().back(), (std::pair<int, int>{3, EN_CHANGE}));

  send(e, EM_SETSEL, 3, -1);
  type(e, "X");
  EXPECT_EQ(text(e), "hi X");
  type(e, "\b\b");
  EXPECT_EQ(text(e), "hi");
  send(e, EM_SETSEL, 0, 0);
  send(e, WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(text(e), "i");
  send(e, EM_SETMODIFY, FALSE);
  EXPECT_EQ(send(e, EM_GETMODIFY), FALSE);
}

TEST_F(EditTest, TheLimitStopsTypingButNotSetText) {
  HWND e = control(WC_EDIT, 0, 4);
  EXPECT_EQ(send(e, EM_GETLIMITTEXT), 32767);
  send(e, EM_LIMITTEXT, 3);
  EXPECT_EQ(send(e, EM_GETLIMITTEXT), 3);
  type(e, "abcd");
  EXPECT_EQ(text(e), "abc");
  int maxText = 0;
  for (const auto& c : commands()) maxText += c.second == EN_MAXTEXT;
  EXPECT_EQ(maxText, 1);

  send(e, EM_SETSEL, 0, -1);
  type(e, "x");
  EXPECT_EQ(text(e), "x") << "typing over a selection fits";
  send(e, EM_SETSEL, 1, 1);
  send(e, EM_REPLACESEL, TRUE, str("12345"));
  EXPECT_EQ(text(e), "x12") << "replacing is cut to the limit";

  SetWindowText(e, "longer than three");
  EXPECT_EQ(text(e), "longer than three");

  send(e, EM_LIMITTEXT, 0);
  EXPECT_EQ(send(e, EM_GETLIMITTEXT), 0x7FFFFFFE);
  HWND multi = control(WC_EDIT, ES_MULTILINE);
  send(multi, EM_LIMITTEXT, 0);
  EXPECT_EQ(static_cast<DWORD>(send(multi, EM_GETLIMITTEXT)), 0xFFFFFFFFu);
}

TEST_F(EditTest, ReadOnlyRefusesEditingButNotSetText) {
  HWND e = control(WC_EDIT, ES_READONLY, 5, "keep");
  send(e, EM_SETSEL, 0, -1);
  type(e, "x\b");
  send(e, WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(text(e), "keep");
  EXPECT_TRUE(commands().empty());
  SetWindowText(e, "set");
  EXPECT_EQ(text(e), "set");

  EXPECT_EQ(send(e, EM_SETREADONLY, FALSE), TRUE);
  EXPECT_FALSE(GetWindowLong(e, GWL_STYLE) & ES_READONLY);
  send(e, EM_SETSEL, 3, 3);
  type(e, "!");
  EXPECT_EQ(text(e), "set!");
  send(e, EM_SETREADONLY, TRUE);
  EXPECT_TRUE(GetWindowLong(e, GWL_STYLE) & ES_READONLY);
}

TEST_F(EditTest, PasswordCharacterOnlyChangesTheLook) {
  HWND e = control(WC_EDIT, ES_PASSWORD);
  EXPECT_EQ(send(e, EM_GETPASSWORDCHAR), '*');
  type(e, "secret");
  EXPECT_EQ(text(e), "secret") << "WM_GETTEXT gives the real text";
  send(e, EM_SETPASSWORDCHAR, '#');
  EXPECT_EQ(send(e, EM_GETPASSWORDCHAR), '#');
  send(e, EM_SETPASSWORDCHAR, 0);
  EXPECT_EQ(send(e, EM_GETPASSWORDCHAR), 0);
  EXPECT_FALSE(GetWindowLong(e, GWL_STYLE) & ES_PASSWORD);
  EXPECT_EQ(send(control(WC_EDIT, 0), EM_GETPASSWORDCHAR), 0);
}

TEST_F(EditTest, CharacterFilteringStyles) {
  struct Case {
    DWORD style;
    const char* typed;
    const char* result;
  } cases[] = {
      {ES_NUMBER, "1a2-3 ", "123"},
      {ES_UPPERCASE, "Mixed 1", "MIXED 1"},
      {ES_LOWERCASE, "Mixed 1", "mixed 1"},
      {0, "a\tb\x01" "c\r", "abc"},
  };
  for (const auto& c : cases) {
    HWND e = control(WC_EDIT, c.style);
    type(e, c.typed);
    EXPECT_EQ(text(e), c.result) << c.typed;
  }
}

TEST_F(EditTest, SelectionIsOrderedAndClamped) {
  HWND e = control(WC_EDIT, 0, 1, "abcdef");
  struct Case {
    LPARAM start, end;
    std::pair<DWORD, DWORD> got;
  } cases[] = {
      {0, -1, {0, 6}}, {4, 2, {2, 4}}, {3, 100, {3, 6}}, {50, 60, {6, 6}},
  };
  for (const auto& c : cases) {
    send(e, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
    EXPECT_EQ(selection(e), c.got) << c.start << "," << c.end;
  }
  send(e, EM_SETSEL, 1, 3);
  EXPECT_EQ(send(e, EM_GETSEL), MAKELONG(1, 3));
  send(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{3, 3})) << "-1 drops the selection, keeping the caret";
  send(e, EM_REPLACESEL, FALSE, str("--"));
  EXPECT_EQ(text(e), "abc--def");
  EXPECT_TRUE(commands().size() >= 2u) << "replacing reports the change";
}

TEST_F(EditTest, MultilineLines) {
  HWND e = control(WC_EDIT, ES_MULTILINE | ES_WANTRETURN);
  type(e, "one\rtwo\rthree");
  EXPECT_EQ(text(e), "one\r\ntwo\r\nthree");
  EXPECT_EQ(send(e, EM_GETLINECOUNT), 3);
  EXPECT_EQ(send(e, EM_LINEINDEX, 0), 0);
  EXPECT_EQ(send(e, EM_LINEINDEX, 2), 10);
  EXPECT_EQ(send(e, EM_LINEINDEX, 3), -1);
  EXPECT_EQ(send(e, EM_LINEINDEX, static_cast<WPARAM>(-1)), 10) << "the caret's line";
  type(e, "\b\b\b\b\b\b");
  EXPECT_EQ(text(e), "one\r\ntwo") << "backspace takes a line break whole";
  EXPECT_EQ(send(control(WC_EDIT, 0), EM_GETLINECOUNT), 1);
}

TEST_F(EditTest, FocusNotificationsAndDialogCode) {
  HWND a = control(WC_EDIT, 0, 1);
  HWND b = control(WC_EDIT, 0, 2);
  SetFocus(a);
  SetFocus(b);
  EXPECT_EQ(commands(), (Commands{{1, EN_SETFOCUS}, {1, EN_KILLFOCUS}, {2, EN_SETFOCUS}}));
  EXPECT_EQ(send(a, WM_GETDLGCODE), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
  EXPECT_TRUE(send(control(WC_EDIT, ES_MULTILINE), WM_GETDLGCODE) & DLGC_WANTALLKEYS);
}

}  // namespace
}  // namespace wavorel::testing
