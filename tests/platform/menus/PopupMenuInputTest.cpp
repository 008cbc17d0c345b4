// A popup menu as a person works it: the keyboard (arrows over separators and
// round the ends, Enter, Escape, Right and Left into and out of submenus,
// mnemonics), the mouse (the highlight follows the pointer, a release
// chooses, a press outside dismisses), a menu taller than the screen, and a
// menu that waits for the person when there is one.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "tests/platform/menus/data/MenuIds.h"
#include "tests/platform/user/UserTestSupport.h"

namespace wavorel::testing {
namespace {

class PopupMenuInputTest : public UserTest {
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
  static void press(UINT vk) {
    sendKey(vk, true);
    sendKey(vk, false);
  }
  static void keys(std::initializer_list<UINT> vks) {
    for (UINT vk : vks) press(vk);
  }
  // The ids the owner saw highlighted (WM_MENUSELECT with MF_HILITE), a
  // submenu item by its position.
  std::vector<int> highlighted() const {
    std::vector<int> ids;
    for (const Seen& s : seen(WM_MENUSELECT))
      if (HIWORD(s.wParam) != 0xFFFF && (HIWORD(s.wParam) & MF_HILITE)) ids.push_back(LOWORD(s.wParam));
    return ids;
  }
  // The open menu windows, the first-opened first.
  static std::vector<HWND> menuWindows() {
    std::vector<HWND> found;
    for (HWND h = FindWindowEx(nullptr, nullptr, "WavorelPopupMenu", nullptr); h;
         h = FindWindowEx(nullptr, h, "WavorelPopupMenu", nullptr))
      if (IsWindowVisible(h)) found.insert(found.begin(), h);
    return found;
  }
  // Moves the mouse down the left side of `menu` and gives the first
  // point at which the owner is told `id` is highlighted.
  POINT findItem(HWND menu, int id) {
    RECT r;
    GetWindowRect(menu, &r);
    for (LONG y = r.top + 2; y < r.bottom - 2; y += 2) {
      POINT at{r.left + 30, y};
      mouseMoveTo(at);
      pumpMessages();
      std::vector<int> ids = highlighted();
      if (!ids.empty() && ids.back() == id) return at;
    }
    ADD_FAILURE() << "no item " << id << " under the pointer";
    return {0, 0};
  }
  // A button press and release at a screen point, as the display gives it:
  // to the window that holds the capture.
  static void click(POINT screen, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    HWND target = GetCapture();
    POINT client = screen;
    ScreenToClient(target, &client);
    PostMessage(target, down, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    PostMessage(target, up, 0, MAKELPARAM(client.x, client.y));
  }

  HWND owner_ = nullptr;
  HMENU bar_ = nullptr;
  HMENU tray_ = nullptr;
};

TEST_F(PopupMenuInputTest, ArrowsSkipSeparatorsAndGoRoundAndEnterChooses) {
  setModalResponder([](const ModalWindow&) {
    // Show, Mode, (separator) Visit (grayed: Enter does nothing), Exit, round
    // to Show, back to Exit, Enter.
    keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_DOWN, VK_UP, VK_RETURN});
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(tray_, 0, 40, 40, 0, owner_, nullptr), TRUE);
  EXPECT_EQ(highlighted(), (std::vector<int>{ID_SHOW, 1, ID_VISIT, ID_EXIT, ID_SHOW, ID_EXIT}));
  EXPECT_TRUE(seen(WM_KEYDOWN).empty()) << "the menu takes the keys";
  pumpMessages();
  ASSERT_EQ(seen(WM_COMMAND).size(), 1u);
  EXPECT_EQ(seen(WM_COMMAND)[0].wParam, static_cast<WPARAM>(ID_EXIT));
}

TEST_F(PopupMenuInputTest, RightOpensTheSubmenuLeftAndEscapeCloseIt) {
  size_t windowsInside = 0;
  setModalResponder([&](const ModalWindow&) {
    keys({VK_DOWN, VK_DOWN, VK_RIGHT});
    pumpMessages();
    windowsInside = menuWindows().size();
    keys({VK_DOWN, VK_LEFT, VK_RIGHT, VK_ESCAPE, VK_RIGHT, VK_DOWN, VK_RETURN});
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD, 40, 40, 0, owner_, nullptr), ID_MODE_STA);
  EXPECT_EQ(windowsInside, 2u) << "the submenu is a window of its own";
  EXPECT_TRUE(menuWindows().empty());
  // Each Right opened the submenu with its first item highlighted.
  EXPECT_EQ(highlighted(), (std::vector<int>{ID_SHOW, 1, ID_MODE_AP, ID_MODE_STA, ID_MODE_AP, ID_MODE_AP, ID_MODE_STA}));
  auto inits = seen(WM_INITMENUPOPUP);
  ASSERT_EQ(inits.size(), 4u);
  EXPECT_EQ(inits[1].wParam, reinterpret_cast<WPARAM>(GetSubMenu(tray_, 1)));
  EXPECT_EQ(inits[1].lParam, MAKELPARAM(1, FALSE));

  // Escape at the top ends the menu without a choice.
  setModalResponder([](const ModalWindow&) {
    keys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_ESCAPE});
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD, 40, 40, 0, owner_, nullptr), 0);
}

TEST_F(PopupMenuInputTest, MnemonicsChooseOrMoveBetweenTheItemsThatShareThem) {
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 1, "&Connect");
  AppendMenu(menu, MF_STRING, 2, "&Disconnect");
  AppendMenu(menu, MF_STRING, 3, "&Copy\tCtrl+C");
  AppendMenu(menu, MF_STRING, 4, "Fish && &Chips");
  setModalResponder([](const ModalWindow&) {
    keys({'C', 'C', 'C', 'D'});  // three items share C: they take turns; D is alone
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 40, 40, 0, owner_, nullptr), 2);
  EXPECT_EQ(highlighted(), (std::vector<int>{1, 3, 4, 2}));

  clearLog();
  setModalResponder([](const ModalWindow&) {
    keys({'X', VK_SHIFT});  // no item has X; Shift alone does nothing
    keys({VK_MENU});        // Alt ends the menu
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 40, 40, 0, owner_, nullptr), 0);
  EXPECT_TRUE(highlighted().empty());
  DestroyMenu(menu);
}

TEST_F(PopupMenuInputTest, TheMouseHighlightsOpensSubmenusAndChoosesOnRelease) {
  setModalResponder([this](const ModalWindow& w) {
    // Over Mode: its submenu opens beside it.
    findItem(w.hwnd, 1);
    std::vector<HWND> open = menuWindows();
    EXPECT_EQ(open.size(), 2u);
    if (open.size() != 2) return 0;
    HWND submenu = open[0] == w.hwnd ? open[1] : open[0];
    RECT top, sub;
    GetWindowRect(w.hwnd, &top);
    GetWindowRect(submenu, &sub);
    EXPECT_GE(sub.left, top.right - 3) << "to the right of its item";
    // The grayed item takes no click; Station does.
    click(findItem(w.hwnd, ID_VISIT));
    pumpMessages();
    EXPECT_EQ(menuWindows().size(), 1u) << "moving off Mode closed its submenu";
    findItem(w.hwnd, 1);
    open = menuWindows();
    submenu = open.size() == 2 ? (open[0] == w.hwnd ? open[1] : open[0]) : nullptr;
    if (submenu) click(findItem(submenu, ID_MODE_STA));
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD, 40, 40, 0, owner_, nullptr), ID_MODE_STA);

  // A press outside every menu window dismisses it.
  setModalResponder([](const ModalWindow& w) {
    RECT r;
    GetWindowRect(w.hwnd, &r);
    click(POINT{r.right + 30, r.bottom + 30});
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD, 40, 40, 0, owner_, nullptr), 0);
  // The right button chooses only with TPM_RIGHTBUTTON.
  for (UINT flags : {0u, static_cast<UINT>(TPM_RIGHTBUTTON)}) {
    setModalResponder([this, flags](const ModalWindow& w) {
      click(findItem(w.hwnd, ID_SHOW), WM_RBUTTONDOWN, WM_RBUTTONUP);
      if (!flags) press(VK_ESCAPE);
      return 0;
    });
    EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD | flags, 40, 40, 0, owner_, nullptr), flags ? ID_SHOW : 0) << flags;
  }
}

TEST_F(PopupMenuInputTest, AMenuOpensToTheOtherSideOfAPointNearTheScreensEdge) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  RECT placed{};
  setModalResponder([&placed](const ModalWindow& mw) {
    GetWindowRect(mw.hwnd, &placed);
    return ID_EXIT;
  });
  TrackPopupMenu(tray_, TPM_RETURNCMD, w - 5, h - 5, 0, owner_, nullptr);
  EXPECT_EQ(placed.right, w - 5) << "left of the point";
  EXPECT_EQ(placed.bottom, h - 5) << "above the point";
  TrackPopupMenu(tray_, TPM_RETURNCMD, 30, 40, 0, owner_, nullptr);
  EXPECT_EQ(placed.left, 30);
  EXPECT_EQ(placed.top, 40);
}

TEST_F(PopupMenuInputTest, AMenuTallerThanTheScreenScrolls) {
  HMENU menu = CreatePopupMenu();
  constexpr int kItems = 300;
  for (int i = 0; i < kItems; ++i) AppendMenu(menu, MF_STRING, 1000 + i, ("Channel " + std::to_string(i)).c_str());
  RECT placed{};
  int topItemAfterScroll = 0;
  setModalResponder([&](const ModalWindow& mw) {
    GetWindowRect(mw.hwnd, &placed);
    // Resting on the bottom arrow scrolls, one row every 50 ms.
    mouseMoveTo(POINT{placed.left + 30, placed.bottom - 4});
    pumpMessages();
    for (int step = 0; step < 10; ++step) {
      clock().advance(50);
      pumpMessages();
    }
    mouseMoveTo(POINT{placed.left + 30, placed.top + 20});  // the first row under the top arrow
    pumpMessages();
    topItemAfterScroll = highlighted().empty() ? 0 : highlighted().back();
    keys({VK_END, VK_RETURN});
    return 0;
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr), 1000 + kItems - 1);
  EXPECT_EQ(placed.top, 0);
  EXPECT_EQ(placed.bottom, GetSystemMetrics(SM_CYSCREEN)) << "as tall as the screen";
  EXPECT_EQ(topItemAfterScroll, 1010) << "ten rows scrolled";
  DestroyMenu(menu);
}

TEST_F(PopupMenuInputTest, WithoutNotifyTheChoiceIsReturnedOrDropped) {
  setModalResponder([](const ModalWindow&) { return ID_EXIT; });
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_NONOTIFY, 0, 0, 0, owner_, nullptr), TRUE);
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_NONOTIFY | TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), ID_EXIT);
  pumpMessages();
  EXPECT_TRUE(seen(WM_COMMAND).empty());
  EXPECT_TRUE(seen(WM_MENUSELECT).empty());
}

TEST_F(PopupMenuInputTest, WithAPersonAtTheDisplayTheMenuWaitsForThem) {
  setModalResponder(nullptr);
  setPersonAtDisplay(true);
  // The person's keys, later, from another thread's message.
  on(WM_APP, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    keys({VK_DOWN, VK_RETURN});
    return 0;
  });
  std::thread person([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    PostMessage(owner_, WM_APP, 0, 0);
  });
  ::testing::internal::CaptureStderr();
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TrackPopupMenu(tray_, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), ID_SHOW);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  person.join();
  EXPECT_EQ(::testing::internal::GetCapturedStderr().find("dismissed"), std::string::npos);
  setPersonAtDisplay(false);
}

}  // namespace
}  // namespace wavorel::testing
