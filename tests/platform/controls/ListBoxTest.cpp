#include <string>
#include <vector>

#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

using Commands = std::vector<std::pair<int, int>>;

class ListBoxTest : public ControlTest {
 protected:
  static std::vector<std::string> items(HWND list) {
    std::vector<std::string> out;
    for (LRESULT i = 0; i < send(list, LB_GETCOUNT); ++i) {
      std::string s(static_cast<size_t>(send(list, LB_GETTEXTLEN, static_cast<WPARAM>(i))), '\0');
      send(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&s[0]));
      out.push_back(s);
    }
    return out;
  }
  HWND filled(DWORD style, std::initializer_list<const char*> texts, int id = 100) {
    HWND list = control(WC_LISTBOX, style, id, "", {0, 0, 100, 100});
    for (const char* t : texts) send(list, LB_ADDSTRING, 0, str(t));
    return list;
  }
};

TEST_F(ListBoxTest, SortedListsOrderWithoutRegardToCase) {
  HWND list = control(WC_LISTBOX, LBS_SORT);
  EXPECT_EQ(send(list, LB_ADDSTRING, 0, str("delta")), 0);
  EXPECT_EQ(send(list, LB_ADDSTRING, 0, str("Alpha")), 0);
  EXPECT_EQ(send(list, LB_ADDSTRING, 0, str("charlie")), 1);
  EXPECT_EQ(send(list, LB_ADDSTRING, 0, str("BRAVO")), 1);
  EXPECT_EQ(send(list, LB_ADDSTRING, 0, str("")), 0);
  EXPECT_EQ(items(list), (std::vector<std::string>{"", "Alpha", "BRAVO", "charlie", "delta"}));

  EXPECT_EQ(send(list, LB_INSERTSTRING, 1, str("zulu")), 1) << "inserting does not sort";
  EXPECT_EQ(send(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), str("echo")), 6);
  EXPECT_EQ(send(list, LB_INSERTSTRING, 8, str("past the end")), LB_ERR);
  EXPECT_EQ(items(list), (std::vector<std::string>{"", "zulu", "Alpha", "BRAVO", "charlie", "delta", "echo"}));

  HWND plain = filled(0, {"b", "a"});
  EXPECT_EQ(items(plain), (std::vector<std::string>{"b", "a"}));
}

TEST_F(ListBoxTest, FindStringSearchesAfterTheStartAndWrapsRound) {
  HWND list = filled(0, {"Apple", "apricot", "Banana", "APPLE pie", "cherry"});
  struct Case {
    WPARAM start;
    const char* text;
    LRESULT prefix;
    LRESULT exact;
  } cases[] = {
      {static_cast<WPARAM>(-1), "ap", 0, LB_ERR},
      {0, "ap", 1, LB_ERR},
      {1, "AP", 3, LB_ERR},
      {3, "ap", 0, LB_ERR},
      {static_cast<WPARAM>(-1), "apple", 0, 0},
      {0, "apple", 3, 0},  // the start item itself comes last
      {4, "cherry", 4, 4},
      {99, "banana", 2, 2},
      {static_cast<WPARAM>(-1), "kiwi", LB_ERR, LB_ERR},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(send(list, LB_FINDSTRING, c.start, str(c.text)), c.prefix) << c.text << " after " << c.start;
    EXPECT_EQ(send(list, LB_FINDSTRINGEXACT, c.start, str(c.text)), c.exact) << c.text << " after " << c.start;
  }
  EXPECT_EQ(send(filled(0, {}), LB_FINDSTRING, static_cast<WPARAM>(-1), str("")), LB_ERR);
}

TEST_F(ListBoxTest, BadIndexesAnswerLbErr) {
  HWND list = filled(0, {"one", "two"});
  char buf[16];
  struct Case {
    UINT msg;
    WPARAM index;
    LPARAM lParam;
  } cases[] = {
      {LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buf)},
      {LB_GETTEXTLEN, static_cast<WPARAM>(-1), 0},
      {LB_DELETESTRING, 2, 0},
      {LB_GETITEMDATA, 5, 0},
      {LB_SETITEMDATA, 2, 7},
      {LB_SETTOPINDEX, 2, 0},
      {LB_SETCURSEL, 2, 0},
      {LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("none")},
  };
  for (const auto& c : cases) EXPECT_EQ(send(list, c.msg, c.index, c.lParam), LB_ERR) << std::hex << c.msg;
  EXPECT_EQ(send(list, LB_GETCOUNT), 2);
  EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
}

TEST_F(ListBoxTest, ProgrammaticSelectionIsQuietAndFollowsDeletions) {
  HWND list = filled(LBS_NOTIFY, {"a", "b", "c", "d"});
  EXPECT_EQ(send(list, LB_SETCURSEL, 2), 2);
  EXPECT_EQ(send(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), str("D")), 3);
  EXPECT_EQ(send(list, LB_DELETESTRING, 0), 3);
  EXPECT_EQ(send(list, LB_GETCURSEL), 2) << "the selection moves with its item";
  EXPECT_EQ(send(list, LB_INSERTSTRING, 0, str("z")), 0);
  EXPECT_EQ(send(list, LB_GETCURSEL), 3);
  send(list, LB_DELETESTRING, 3);
  EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
  send(list, LB_SETCURSEL, 1);
  EXPECT_EQ(send(list, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
  EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR) << "-1 clears the selection";
  EXPECT_TRUE(commands().empty());
}

TEST_F(ListBoxTest, UserSelectionNotifiesWithLbsNotify) {
  HWND list = filled(LBS_NOTIFY, {"a", "b", "c"}, 5);
  HWND quiet = filled(0, {"a", "b"}, 6);
  send(list, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 20));  // rows are 16 pixels high
  EXPECT_EQ(send(list, LB_GETCURSEL), 1);
  send(list, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 20));
  send(list, WM_KEYDOWN, VK_DOWN);
  send(list, WM_KEYDOWN, VK_DOWN);
  send(list, WM_KEYDOWN, VK_HOME);
  send(list, WM_LBUTTONDBLCLK, 1, MAKELPARAM(5, 1));
  send(list, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 90));  // below the last item
  send(quiet, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 20));
  EXPECT_EQ(send(quiet, LB_GETCURSEL), 1);
  EXPECT_EQ(commands(), (Commands{{5, LBN_SETFOCUS}, {5, LBN_SELCHANGE}, {5, LBN_SELCHANGE}, {5, LBN_SELCHANGE},
                                  {5, LBN_DBLCLK}, {5, LBN_KILLFOCUS}}));
}

TEST_F(ListBoxTest, ItemDataHeightsAndRectangles) {
  HWND list = filled(0, {"a", "b", "c"});
  EXPECT_EQ(send(list, LB_SETITEMDATA, 1, 0xBEEF), TRUE);
  send(list, LB_INSERTSTRING, 0, str("first"));
  EXPECT_EQ(send(list, LB_GETITEMDATA, 2), 0xBEEF) << "data moves with its item";
  EXPECT_EQ(send(list, LB_SETITEMHEIGHT, 0, 20), 0);
  EXPECT_EQ(send(list, LB_GETITEMHEIGHT, 3), 20);
  EXPECT_EQ(send(list, LB_SETITEMHEIGHT, 0, 256), LB_ERR);
  send(list, LB_SETTOPINDEX, 1);
  EXPECT_EQ(send(list, LB_GETTOPINDEX), 1);
  RECT r{};
  EXPECT_EQ(send(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r)), TRUE);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.bottom, 60);
  EXPECT_EQ(r.right, 100);
  send(list, LB_RESETCONTENT);
  EXPECT_EQ(send(list, LB_GETCOUNT), 0);
  EXPECT_EQ(send(list, LB_GETTOPINDEX), 0);
}

TEST_F(ListBoxTest, OwnerDrawnListsAskTheirOwner) {
  std::vector<UINT> measured;
  on(WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    measured.push_back(mis->itemID);
    mis->itemHeight = 30 + mis->itemID;
    return TRUE;
  });
  HWND fixed = control(WC_LISTBOX, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 1);
  EXPECT_EQ(measured, (std::vector<UINT>{0}));
  EXPECT_EQ(send(fixed, LB_GETITEMHEIGHT), 30);

  HWND variable = control(WC_LISTBOX, LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, 2);
  send(variable, LB_ADDSTRING, 0, str("x"));
  send(variable, LB_ADDSTRING, 0, str("y"));
  EXPECT_EQ(measured, (std::vector<UINT>{0, 0, 1}));
  EXPECT_EQ(send(variable, LB_GETITEMHEIGHT, 1), 31);

  // Without strings the items are their data, and sorting asks WM_COMPAREITEM.
  on(WM_COMPAREITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    auto* cis = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
    return cis->itemData1 < cis->itemData2 ? -1 : cis->itemData1 > cis->itemData2 ? 1 : 0;
  });
  std::vector<ULONG_PTR> deleted;
  on(WM_DELETEITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    deleted.push_back(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->itemData);
    return TRUE;
  });
  HWND data = control(WC_LISTBOX, LBS_OWNERDRAWFIXED | LBS_SORT, 3);
  for (LPARAM v : {30, 10, 20}) send(data, LB_ADDSTRING, 0, v);
  EXPECT_EQ(send(data, LB_GETITEMDATA, 0), 10);
  EXPECT_EQ(send(data, LB_GETITEMDATA, 2), 30);
  EXPECT_EQ(send(data, LB_FINDSTRING, static_cast<WPARAM>(-1), 20), 1);
  ULONG_PTR asText = 0;
  EXPECT_EQ(send(data, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&asText)), static_cast<LRESULT>(sizeof asText));
  EXPECT_EQ(asText, 20u);

  send(data, LB_DELETESTRING, 0);
  EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{10}));
  DestroyWindow(data);
  EXPECT_EQ(deleted.size(), 3u) << "destroying the list deletes every item";
  send(filled(0, {"plain"}), LB_DELETESTRING, 0);
  EXPECT_EQ(deleted.size(), 3u) << "lists that are not owner-drawn send no WM_DELETEITEM";
}

}  // namespace
}  // namespace wavorel::testing
