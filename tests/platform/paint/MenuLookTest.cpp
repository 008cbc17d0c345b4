// Popup menus paint their items: texts in the menu colours, owner-drawn
// items through WM_DRAWITEM on the paint DC.
#include "PaintTestSupport.h"
#include "platform/present/WindowImage.h"

namespace wavorel::testing {
namespace {

LRESULT CALLBACK menuOwner(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    mis->itemWidth = 60;
    mis->itemHeight = 20;
    return TRUE;
  }
  if (msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    HBRUSH b = CreateSolidBrush(RGB(0, 200, 0));
    FillRect(dis->hDC, &dis->rcItem, b);
    DeleteObject(b);
    return TRUE;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// The menu as it shows while tracked, answered with the item `chosen`.
WindowImage shownMenu(HMENU menu, HWND owner, int chosen) {
  WindowImage shown;
  setModalResponder([&](const ModalWindow& w) {
    shown = composeWindow(w.hwnd);
    return chosen;
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), chosen);
  setModalResponder(nullptr);
  return shown;
}

using MenuLookSuite = PaintTest;

TEST_F(MenuLookSuite, TextAndOwnerDrawnItemsArePainted) {
  WNDCLASS wc{};
  wc.lpfnWndProc = menuOwner;
  wc.lpszClassName = "MenuOwner";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND owner = CreateWindowEx(0, "MenuOwner", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                              nullptr);
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 10, "Connect\tCtrl+C");
  AppendMenu(menu, MF_OWNERDRAW, 11, nullptr);
  const WindowImage shown = shownMenu(menu, owner, 10);
  ASSERT_FALSE(shown.empty());
  RECT all{0, 0, shown.width, shown.height};
  EXPECT_GT(countColour(shown, all, GetSysColor(COLOR_MENU)), 50);
  EXPECT_GT(countColour(shown, all, GetSysColor(COLOR_MENUTEXT), 80), 10);
  EXPECT_EQ(countColour(shown, all, RGB(0, 200, 0)) % 20, 0);  // the item spans the menu's width
  EXPECT_GE(countColour(shown, all, RGB(0, 200, 0)), 60 * 20);
  DestroyMenu(menu);
}

TEST_F(MenuLookSuite, TheHighlightChecksGreyTextAndSeparatorsAreDrawn) {
  WNDCLASS wc{};
  wc.lpfnWndProc = menuOwner;
  wc.lpszClassName = "MenuOwner";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND owner = CreateWindowEx(0, "MenuOwner", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                              nullptr);
  SetFocus(owner);
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING | MF_CHECKED, 1, "Station");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_STRING | MF_GRAYED, 2, "Access Point");
  AppendMenu(menu, MF_STRING, 3, "Exit");
  WindowImage before, after;
  setModalResponder([&](const ModalWindow& w) {
    before = composeWindow(w.hwnd);
    sendKey(VK_UP, true);  // the last item, Exit, is highlighted
    sendKey(VK_UP, false);
    pumpMessages();
    after = composeWindow(w.hwnd);
    return 3;
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 3);
  setModalResponder(nullptr);
  ASSERT_FALSE(before.empty());
  const int rows = before.height - 2;  // inside the one-pixel border
  const int row = (rows - 9) / 3;      // three items and a 9-pixel separator
  RECT checkBox{1, 1, 17, 1 + row}, station{17, 1, before.width - 1, 1 + row};
  RECT separator{1, 1 + row, before.width - 1, 1 + row + 9};
  RECT grey{17, 1 + row + 9, before.width - 1, 1 + 2 * row + 9};
  RECT exit{1, 1 + 2 * row + 9, before.width - 1, 1 + 3 * row + 9};
  EXPECT_GT(countColour(before, checkBox, GetSysColor(COLOR_MENUTEXT)), 5) << "the check mark";
  EXPECT_GT(countColour(before, station, GetSysColor(COLOR_MENUTEXT), 80), 10);
  EXPECT_GT(countColour(before, separator, GetSysColor(COLOR_3DSHADOW)), 20) << "the etched line";
  EXPECT_GT(countColour(before, grey, GetSysColor(COLOR_GRAYTEXT), 40), 10) << "grayed text";
  EXPECT_EQ(countColour(before, grey, GetSysColor(COLOR_MENUTEXT), 20), 0);
  EXPECT_EQ(countColour(before, exit, GetSysColor(COLOR_HIGHLIGHT)), 0);
  int exitArea = (exit.right - exit.left) * (exit.bottom - exit.top);
  EXPECT_GT(countColour(after, exit, GetSysColor(COLOR_HIGHLIGHT)), exitArea / 2) << "the highlight";
  EXPECT_GT(countColour(after, exit, GetSysColor(COLOR_HIGHLIGHTTEXT), 80), 10);
  DestroyMenu(menu);
}

TEST_F(MenuLookSuite, TheDefaultItemIsDrawnBold) {
  HWND owner = CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 1, "Show Main UI");
  AppendMenu(menu, MF_STRING, 2, "Show Main UI");
  ASSERT_TRUE(SetMenuDefaultItem(menu, 0, TRUE));
  const WindowImage shown = shownMenu(menu, owner, 2);
  ASSERT_FALSE(shown.empty());
  const int row = (shown.height - 2) / 2;
  RECT first{1, 1, shown.width - 1, 1 + row}, second{1, 1 + row, shown.width - 1, 1 + 2 * row};
  const int bold = countColour(shown, first, GetSysColor(COLOR_MENUTEXT), 80);
  const int plain = countColour(shown, second, GetSysColor(COLOR_MENUTEXT), 80);
  EXPECT_GT(plain, 10);
  EXPECT_GT(bold, plain * 5 / 4) << "the same text in heavier strokes";
  DestroyMenu(menu);
}

}  // namespace
}  // namespace wavorel::testing
