#include <string>
#include <vector>

#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

using Commands = std::vector<std::pair<int, int>>;
constexpr int kEditId = 1001;

class ComboBoxTest : public ControlTest {
 protected:
  HWND combo(DWORD style, std::initializer_list<const char*> texts, int id = 100) {
    HWND c = control(WC_COMBOBOX, style, id, "", {0, 0, 120, 200});
    for (const char* t : texts) send(c, CB_ADDSTRING, 0, str(t));
    return c;
  }
  static std::string item(HWND c, WPARAM i) {
    std::string s(static_cast<size_t>(send(c, CB_GETLBTEXTLEN, i)), '\0');
    send(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
    return s;
  }
};

TEST_F(ComboBoxTest, FindStringIsACaseInsensitivePrefixSearchFromTheNextItemWrappingRound) {
  HWND c = combo(CBS_DROPDOWNLIST, {"Channel 1", "channel 11", "Auto", "CHANNEL 6"});
  struct Case {
    WPARAM start;
    const char* text;
    LRESULT prefix;
    LRESULT exact;
  } cases[] = {
      {static_cast<WPARAM>(-1), "channel", 0, CB_ERR},
      {0, "CHANNEL", 1, CB_ERR},
      {1, "channel 1", 0, 0},
      {3, "channel", 0, CB_ERR},
      {2, "auto", 2, 2},
      {0, "channel 6", 3, 3},
      {static_cast<WPARAM>(-1), "channel 2", CB_ERR, CB_ERR},
      {static_cast<WPARAM>(-1), "Auto ", CB_ERR, CB_ERR},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(send(c, CB_FINDSTRING, k.start, str(k.text)), k.prefix) << k.text << " after " << k.start;
    EXPECT_EQ(send(c, CB_FINDSTRINGEXACT, k.start, str(k.text)), k.exact) << k.text << " after " << k.start;
  }
}

TEST_F(ComboBoxTest, SortedInsertionKeepsItemDataWithItsItem) {
  HWND c = combo(CBS_DROPDOWNLIST | CBS_SORT, {"b"});
  send(c, CB_SETITEMDATA, 0, 0xB);
  EXPECT_EQ(send(c, CB_ADDSTRING, 0, str("C")), 1);
  EXPECT_EQ(send(c, CB_ADDSTRING, 0, str("a")), 0);
  EXPECT_EQ(send(c, CB_INSERTSTRING, 0, str("z")), 0);
  EXPECT_EQ(item(c, 0), "z");
  EXPECT_EQ(item(c, 2), "b");
  EXPECT_EQ(send(c, CB_GETITEMDATA, 2), 0xB);
  EXPECT_EQ(send(c, CB_GETITEMDATA, 4), CB_ERR);
  EXPECT_EQ(send(c, CB_GETLBTEXTLEN, 4), CB_ERR);
  EXPECT_EQ(send(c, CB_DELETESTRING, 0), 3);
  EXPECT_EQ(send(c, CB_DELETESTRING, 3), CB_ERR);
  EXPECT_EQ(send(c, CB_GETCOUNT), 3);
}

TEST_F(ComboBoxTest, SetCurSelIsQuietButKeyboardSelectionNotifies) {
  HWND c = combo(CBS_DROPDOWNLIST, {"one", "two", "three"}, 7);
  EXPECT_EQ(send(c, CB_SETCURSEL, 1), 1);
  EXPECT_EQ(text(c), "two");
  EXPECT_EQ(send(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), str("TH")), 2);
  EXPECT_EQ(send(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), str("none")), CB_ERR);
  EXPECT_EQ(send(c, CB_GETCURSEL), 2) << "a failed search keeps the selection";
  EXPECT_TRUE(commands().empty());

  send(c, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(send(c, CB_GETCURSEL), 1);
  EXPECT_EQ(text(c), "two");
  send(c, WM_KEYDOWN, VK_UP);
  send(c, WM_KEYDOWN, VK_UP);  // already at the top
  EXPECT_EQ(commands(), (Commands{{7, CBN_SELCHANGE}, {7, CBN_SELCHANGE}}));

  EXPECT_EQ(send(c, CB_SETCURSEL, 5), CB_ERR);
  EXPECT_EQ(send(c, CB_GETCURSEL), CB_ERR);
  EXPECT_EQ(text(c), "") << "a bad index clears the selection";
  EXPECT_EQ(SendMessage(c, WM_SETTEXT, 0, str("x")), CB_ERR) << "a drop-down list has no edit part";
}

TEST_F(ComboBoxTest, TheEditPartTakesTextAndReportsOnlyTyping) {
  HWND c = combo(CBS_DROPDOWN, {"alpha", "beta"}, 8);
  HWND edit = GetDlgItem(c, kEditId);
  ASSERT_NE(edit, nullptr);
  send(c, CB_SETCURSEL, 1);
  EXPECT_EQ(text(edit), "beta");
  EXPECT_TRUE(SetWindowText(c, "gamma"));
  EXPECT_EQ(text(c), "gamma");
  EXPECT_TRUE(commands().empty());

  send(c, CB_LIMITTEXT, 6);
  EXPECT_EQ(send(c, CB_SETEDITSEL, 0, MAKELPARAM(5, 5)), TRUE);
  for (char ch : std::string("!?")) send(edit, WM_CHAR, static_cast<unsigned char>(ch));
  EXPECT_EQ(text(c), "gamma!");
  EXPECT_EQ(commands(), (Commands{{8, CBN_EDITUPDATE}, {8, CBN_EDITCHANGE}}));
  EXPECT_EQ(send(combo(CBS_DROPDOWNLIST, {}), CB_SETEDITSEL, 0, 0), CB_ERR);

  clearLog();
  send(edit, WM_KEYDOWN, VK_UP);  // the edit part leaves list keys to the combo box
  EXPECT_EQ(send(c, CB_GETCURSEL), 0);
  EXPECT_EQ(text(c), "alpha");
  EXPECT_EQ(commands(), (Commands{{8, CBN_SELCHANGE}}));
}

TEST_F(ComboBoxTest, DroppingDownAndClosing) {
  HWND c = combo(CBS_DROPDOWNLIST, {"a", "b"}, 9);
  EXPECT_EQ(send(c, CB_SHOWDROPDOWN, TRUE), TRUE);
  EXPECT_EQ(send(c, CB_GETDROPPEDSTATE), TRUE);
  send(c, CB_SHOWDROPDOWN, TRUE);
  send(c, CB_SHOWDROPDOWN, FALSE);
  EXPECT_EQ(send(c, CB_GETDROPPEDSTATE), FALSE);
  constexpr WPARAM kF4 = 0x73;
  send(c, WM_KEYDOWN, kF4);
  send(c, WM_KEYDOWN, VK_DOWN);
  send(c, WM_KEYDOWN, VK_RETURN);
  send(c, WM_KEYDOWN, kF4);
  send(c, WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(commands(), (Commands{{9, CBN_DROPDOWN}, {9, CBN_CLOSEUP}, {9, CBN_DROPDOWN}, {9, CBN_SELCHANGE},
                                  {9, CBN_SELENDOK}, {9, CBN_CLOSEUP}, {9, CBN_DROPDOWN}, {9, CBN_SELENDCANCEL},
                                  {9, CBN_CLOSEUP}}));
  EXPECT_EQ(send(combo(CBS_SIMPLE, {}), CB_GETDROPPEDSTATE), TRUE);

  EXPECT_EQ(send(c, CB_GETDROPPEDWIDTH), 120) << "never narrower than the combo box";
  EXPECT_EQ(send(c, CB_SETDROPPEDWIDTH, 300), 300);
  EXPECT_EQ(send(c, CB_GETDROPPEDWIDTH), 300);
  EXPECT_EQ(send(c, CB_SETDROPPEDWIDTH, 50), 120);
}

TEST_F(ComboBoxTest, OwnerDrawnCombosMeasureAtCreationAndPerVariableItem) {
  std::vector<int> measured;
  on(WM_MEASUREITEM, [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    EXPECT_EQ(mis->CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(mis->CtlID, wParam);
    measured.push_back(static_cast<int>(mis->itemID));
    mis->itemHeight = mis->itemID == static_cast<UINT>(-1) ? 22 : 14;
    return TRUE;
  });
  HWND fixed = combo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, {"x", "y"}, 1);
  EXPECT_EQ(measured, (std::vector<int>{-1, 0}));
  EXPECT_EQ(send(fixed, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), 22);
  EXPECT_EQ(send(fixed, CB_GETITEMHEIGHT, 1), 14);

  measured.clear();
  HWND variable = combo(CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, {"x", "y"}, 2);
  EXPECT_EQ(measured, (std::vector<int>{-1, 0, 1}));
  EXPECT_EQ(send(variable, CB_SETITEMHEIGHT, 1, 40), 0);
  EXPECT_EQ(send(variable, CB_GETITEMHEIGHT, 1), 40);
  EXPECT_EQ(send(variable, CB_GETITEMHEIGHT, 0), 14);
  EXPECT_EQ(send(variable, CB_SETITEMHEIGHT, 5, 40), CB_ERR);

  std::vector<ULONG_PTR> deleted;
  on(WM_DELETEITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    auto* dis = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
    EXPECT_EQ(dis->hwndItem, variable);
    deleted.push_back(dis->itemData);
    return TRUE;
  });
  send(variable, CB_SETITEMDATA, 0, 0xA);
  send(variable, CB_SETITEMDATA, 1, 0xB);
  send(variable, CB_RESETCONTENT);
  EXPECT_EQ(deleted, (std::vector<ULONG_PTR>{0xB, 0xA}));

  DRAWITEMSTRUCT drawn{};
  on(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    drawn = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    return TRUE;
  });
  send(fixed, CB_SETCURSEL, 1);
  send(fixed, WM_PRINTCLIENT, 0x9);
  EXPECT_EQ(drawn.itemID, 1u);
  EXPECT_TRUE(drawn.itemState & ODS_COMBOBOXEDIT);
  EXPECT_EQ(drawn.rcItem.bottom, 22) << "the selection field has the measured height";
}

}  // namespace
}  // namespace wavorel::testing
