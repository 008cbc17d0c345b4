#include <string>
#include <vector>

#include "platform/Platform.h"
#include "tests/platform/menus/data/MenuIds.h"
#include "tests/platform/user/UserTestSupport.h"

namespace wavorel::testing {
namespace {

class TrackPopupTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    owner_ = make("Owner", WS_POPUP | WS_VISIBLE);
    bar_ = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_TRAY));
    tray_ = GetSubMenu(bar_, 0);
  }
  void TearDown() override {
    DestroyMenu(bar_);
    UserTest::TearDown();
  }
  // Answers every menu with `choice`, remembering what was shown.
  void answer(int choice) {
    setModalResponder([this, choice](const ModalWindow& w) {
      shown_ = w;
      char cls[64] = "";
      GetClassName(w.hwnd, cls, sizeof(cls));
      shownClass_ = cls;
      return choice;
    });
  }

  HWND owner_ = nullptr;
  HMENU bar_ = nullptr;
  HMENU tray_ = nullptr;
  ModalWindow shown_;
  std::string shownClass_;
};

TEST_F(TrackPopupTest, ChosenCommandIsPostedToTheOwner) {
  SetMenuDefaultItem(tray_, 0, TRUE);
  answer(ID_EXIT);
  EXPECT_TRUE(TrackPopupMenu(tray_, 0, 50, 60, 0, owner_, nullptr));
  EXPECT_TRUE(seen(WM_COMMAND).empty()) << "posted, not sent";
  pumpMessages();
  ASSERT_EQ(seen(WM_COMMAND).size(), 1u);
  EXPECT_EQ(seen(WM_COMMAND)[0].wParam, static_cast<WPARAM>(ID_EXIT));
  EXPECT_EQ(seen(WM_COMMAND)[0].lParam, 0);

  ASSERT_EQ(seen(WM_INITMENUPOPUP).size(), 1u);
  EXPECT_EQ(seen(WM_INITMENUPOPUP)[0].wParam, reinterpret_cast<WPARAM>(tray_));
  EXPECT_EQ(shown_.kind, ModalWindow::Kind::Menu);
  EXPECT_EQ(shownClass_, "WavorelPopupMenu");
  EXPECT_EQ(shown_.buttons, (std::vector<int>{ID_SHOW, ID_MODE_AP, ID_MODE_STA, ID_VISIT, ID_EXIT}));
  EXPECT_EQ(shown_.labels,
            (std::vector<std::string>{"Show Main UI", "AP", "Station", "Visit Company Web", "Exit"}));
  EXPECT_EQ(shown_.defaultButton, ID_SHOW);
  EXPECT_FALSE(IsWindow(shown_.hwnd));
  EXPECT_EQ(GetCapture(), nullptr);
  // The chosen item was selected, then the menu closed.
  auto selects = seen(WM_MENUSELECT);
  ASSERT_EQ(selects.size(), 2u);
  EXPECT_EQ(LOWORD(selects[0].wParam), ID_EXIT);
  EXPECT_EQ(selects[0].lParam, reinterpret_cast<LPARAM>(tray_));
  EXPECT_EQ(selects[1].wParam, MAKEWPARAM(0, 0xFFFF));
  EXPECT_EQ(selects[1].lParam, 0);
}

TEST_F(TrackPopupTest, ReturnCmdGivesTheIdAndOpensTheSubmenuOnTheWay) {
  answer(ID_MODE_STA);
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD | TPM_RIGHTBUTTON, 0, 0, 0, owner_, nullptr), ID_MODE_STA);
  pumpMessages();
  EXPECT_TRUE(seen(WM_COMMAND).empty());
  auto inits = seen(WM_INITMENUPOPUP);
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(GetSubMenu(tray_, 1)));
  EXPECT_EQ(inits[1].lParam, MAKELPARAM(1, FALSE)) << "the submenu's position in its parent";

  clearLog();
  EXPECT_EQ(TrackPopupMenuEx(tray_, TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, owner_, nullptr), ID_MODE_STA);
  EXPECT_TRUE(seen(WM_INITMENUPOPUP).empty());
  EXPECT_TRUE(seen(WM_MENUSELECT).empty());
}

TEST_F(TrackPopupTest, RefusedChoicesLeaveTheMenuOpen) {
  // Grayed in the template, grayed by the owner as the menu opens, not in the
  // menu, and the item that opens a submenu.
  on(WM_INITMENUPOPUP, [](HWND, UINT, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    EnableMenuItem(reinterpret_cast<HMENU>(w), ID_SHOW, MF_BYCOMMAND | MF_GRAYED);
    return 0;
  });
  int popupItem = static_cast<int>(reinterpret_cast<uintptr_t>(GetSubMenu(tray_, 1)));
  for (int choice : {ID_VISIT, ID_SHOW, 4242, popupItem}) {
    SCOPED_TRACE(choice);
    clearLog();
    setModalResponder([choice](const ModalWindow&) {
      sendKey(VK_ESCAPE, true);  // the way out once the choice is refused
      sendKey(VK_ESCAPE, false);
      return choice;
    });
    EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0);
    EXPECT_TRUE(seen(WM_KEYDOWN).empty()) << "the menu took the keys";
    pumpMessages();
    EXPECT_TRUE(seen(WM_COMMAND).empty());
  }
}

TEST_F(TrackPopupTest, MenuEndsWithoutAChoice) {
  struct Case {
    const char* how;
    void (*act)(HWND menu, HWND owner);
  } cases[] = {
      {"headless", nullptr},
      {"escape", [](HWND, HWND) { sendKey(VK_ESCAPE, true); }},
      {"click outside", [](HWND menu, HWND) { PostMessage(menu, WM_LBUTTONDOWN, 0, MAKELPARAM(-4, -4)); }},
      {"capture taken", [](HWND, HWND owner) { SetCapture(owner); }},
      {"owner destroyed", [](HWND, HWND owner) { PostMessage(owner, WM_CLOSE, 0, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    if (!IsWindow(owner_)) owner_ = make("Owner", WS_POPUP | WS_VISIBLE);
    clearLog();
    if (c.act)
      setModalResponder([&c, this](const ModalWindow& w) {
        c.act(w.hwnd, owner_);
        return 0;
      });
    else
      setModalResponder(nullptr);
    EXPECT_EQ(TrackPopupMenu(tray_, 0, 0, 0, 0, owner_, nullptr), FALSE);
    pumpMessages();
    EXPECT_TRUE(seen(WM_COMMAND).empty());
    sendKey(VK_ESCAPE, false);
  }
  EXPECT_FALSE(IsWindow(owner_)) << "the last case destroyed it";
  EXPECT_TRUE(IsMenu(tray_));
}

TEST_F(TrackPopupTest, OnePopupMenuAtATime) {
  BOOL inner = TRUE;
  DWORD error = 0;
  setModalResponder([&](const ModalWindow&) {
    inner = TrackPopupMenu(tray_, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr);
    error = GetLastError();
    return ID_SHOW;
  });
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), ID_SHOW);
  EXPECT_EQ(inner, FALSE);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));
  EXPECT_EQ(TrackPopupMenu(nullptr, 0, 0, 0, 0, owner_, nullptr), FALSE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

TEST_F(TrackPopupTest, OwnerDrawnItemsAreMeasuredOnceAndDrawnIntoTheMenusDc) {
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_OWNERDRAW, 1, reinterpret_cast<LPCSTR>(0xA1));
  AppendMenu(menu, MF_OWNERDRAW | MF_GRAYED | MF_CHECKED, 2, reinterpret_cast<LPCSTR>(0xA2));
  AppendMenu(menu, MF_STRING, 3, "plain");
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
  on(WM_MEASUREITEM, [&](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    measured.push_back(*mis);
    mis->itemWidth = 120;
    mis->itemHeight = mis->itemID == 1 ? 20 : 30;
    return TRUE;
  });
  on(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
    return TRUE;
  });
  HDC dc = reinterpret_cast<HDC>(0x5D0);
  size_t drawnBeforeTheAnswer = 0;
  setModalResponder([dc, &drawn, &drawnBeforeTheAnswer](const ModalWindow& w) {
    drawnBeforeTheAnswer = drawn.size();  // the menu's first paint
    drawn.clear();
    SendMessage(w.hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    return 1;
  });
  ASSERT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 1);
  EXPECT_EQ(drawnBeforeTheAnswer, 2u);
  ASSERT_EQ(measured.size(), 2u);
  EXPECT_EQ(measured[0].CtlType, static_cast<UINT>(ODT_MENU));
  EXPECT_EQ(measured[1].itemID, 2u);
  EXPECT_EQ(measured[1].itemData, 0xA2u);

  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].hDC, dc);
  EXPECT_EQ(drawn[0].hwndItem, reinterpret_cast<HWND>(menu));
  EXPECT_EQ(drawn[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(drawn[1].itemState, static_cast<UINT>(ODS_GRAYED | ODS_CHECKED));
  EXPECT_EQ(drawn[1].itemData, 0xA2u);
  EXPECT_EQ(drawn[0].rcItem.top, 0);
  EXPECT_EQ(drawn[1].rcItem.top, 20) << "stacked by the measured heights";
  EXPECT_EQ(drawn[1].rcItem.bottom, 50);
  EXPECT_GE(drawn[1].rcItem.right, 120);

  // Measured sizes are kept; a changed item is measured again.
  TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr);
  EXPECT_EQ(measured.size(), 2u);
  ModifyMenu(menu, 2, MF_BYCOMMAND | MF_OWNERDRAW, 2, nullptr);
  TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr);
  EXPECT_EQ(measured.size(), 3u);
  DestroyMenu(menu);
}

TEST_F(TrackPopupTest, KeysAndTheMouseHighlightAndChoose) {
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 1, "&Open");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_OWNERDRAW, 2, reinterpret_cast<LPCSTR>(0xA2));
  AppendMenu(menu, MF_STRING, 3, "E&xit");
  on(WM_MEASUREITEM, [](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 20;
    return TRUE;
  });
  // The owner answers a typed "s" for its owner-drawn item: executed, or
  // only selected with "d".
  on(WM_MENUCHAR, [menu](HWND, UINT, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
    if (reinterpret_cast<HMENU>(l) != menu || HIWORD(w) != MF_POPUP) return 0;
    if (LOWORD(w) == 's') return MAKELRESULT(2, MNC_EXECUTE);
    if (LOWORD(w) == 'd') return MAKELRESULT(2, MNC_SELECT);
    return 0;
  });
  struct Case {
    std::vector<UINT> keys;
    UINT chosen;
  } cases[] = {
      {{VK_DOWN, VK_DOWN, VK_RETURN}, 2},  // the separator is stepped over
      {{VK_UP, VK_RETURN}, 3},             // from no highlight up to the last item
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 1},  // wraps
      {{'X'}, 3},                          // a text item's mnemonic
      {{'S'}, 2},                          // the owner's MNC_EXECUTE
      {{'D'}, 0},                          // MNC_SELECT only highlights
      {{'D', VK_RETURN}, 2},
      {{'Q', VK_RETURN}, 0},               // no answer, no highlight: nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    setModalResponder([&c](const ModalWindow&) {
      for (UINT vk : c.keys) {
        sendKey(vk, true);
        sendKey(vk, false);
      }
      sendKey(VK_ESCAPE, true);  // closes what is still open
      sendKey(VK_ESCAPE, false);
      return 0;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), c.chosen);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(GetMenuState(menu, i, MF_BYPOSITION) & MF_HILITE) << "cleared on closing";
  }

  // The item under the mouse is drawn selected, the others not.
  std::vector<DRAWITEMSTRUCT> drawn;
  on(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
    return TRUE;
  });
  UINT hilited = 0;
  HDC dc = reinterpret_cast<HDC>(0x5D0);  // the owner draws nothing
  setModalResponder([&](const ModalWindow& w) {
    SendMessage(w.hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    const RECT item = drawn.back().rcItem;
    drawn.clear();
    SendMessage(w.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 2, item.top + 2));
    hilited = GetMenuState(menu, 2, MF_BYPOSITION) & MF_HILITE;
    SendMessage(w.hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    sendKey(VK_ESCAPE, true);
    sendKey(VK_ESCAPE, false);
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0);
  EXPECT_TRUE(hilited);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].itemState & ODS_SELECTED, static_cast<UINT>(ODS_SELECTED));
  EXPECT_FALSE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_HILITE);
  DestroyMenu(menu);
}

}  // namespace
}  // namespace wavorel::testing
