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
  WindowImage shown;
  setModalResponder([&](const ModalWindow& w) {
    shown = composeWindow(w.hwnd);
    return 10;
  });
  EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 10);
  setModalResponder(nullptr);
  ASSERT_FALSE(shown.empty());
  RECT all{0, 0, shown.width, shown.height};
  EXPECT_GT(countColour(shown, all, GetSysColor(COLOR_MENU)), 50);
  EXPECT_GT(countColour(shown, all, GetSysColor(COLOR_MENUTEXT), 80), 10);
  EXPECT_EQ(countColour(shown, all, RGB(0, 200, 0)) % 20, 0);  // the item spans the menu's width
  EXPECT_GE(countColour(shown, all, RGB(0, 200, 0)), 60 * 20);
  DestroyMenu(menu);
}

}  // namespace
}  // namespace wavorel::testing
