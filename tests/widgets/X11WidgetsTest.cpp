// The widgets page on an X server (Xvfb), driven with XTest as a person
// would: a click on a list cell, cell navigation with the arrow keys, and a
// command chosen from an icon-button's drop-down menu. Skipped where Xvfb
// cannot be started. The platform comes before Xlib, whose macros clash.
#include "WidgetsPage.h"
#include "../platform/paint/XvfbServer.h"
#include "platform/present/Presenter.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace widgets_test {
namespace {

using X11WidgetsTest = WidgetTest;

// Whether a mapped X window stands with its top-left corner at (x, y).
bool windowAt(Display* d, int x, int y) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  bool found = false;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return false;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attrs{};
    found = XGetWindowAttributes(d, children[i], &attrs) && attrs.map_state == IsViewable && attrs.x == x &&
            attrs.y == y;
  }
  if (children) XFree(children);
  return found;
}

void click(Display* d, int x, int y) {
  XTestFakeMotionEvent(d, 0, x, y, 0);
  XTestFakeButtonEvent(d, 1, True, 0);
  XTestFakeButtonEvent(d, 1, False, 0);
  XSync(d, False);
}

TEST_F(X11WidgetsTest, ListNavigationAndADropDownMenuChoice) {
  wavorel::testing::Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  ASSERT_TRUE(wavorel::present::openDisplay(server.name().c_str()));
  Display* d = server.display();
  WidgetsPage page;
  ASSERT_TRUE(page.Build(0, 0));
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return wavorel::testing::findWindow(d, "Widgets") != 0; }));
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return windowAt(d, 0, 0); }));

  // A click on row 5, column 1 (screen and page coordinates are the same).
  CRect cell;
  page.list.GetSubItemRect(5, 1, LVIR_BOUNDS, cell);
  page.list.ClientToScreen(&cell);
  click(d, cell.right - 8, cell.CenterPoint().y);
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return !page.clicks.empty(); }));
  EXPECT_EQ(page.clicks.back().nRow, 5);
  EXPECT_EQ(page.clicks.back().nColumn, 1);
  EXPECT_EQ(page.list.GetNextItem(-1, LVNI_SELECTED), 5);
  EXPECT_EQ(page.list.GetFocusedColumn(), 1);

  // The right arrow moves the focused cell within the row.
  const KeyCode right = XKeysymToKeycode(d, XK_Right);
  XTestFakeKeyEvent(d, right, True, 0);
  XTestFakeKeyEvent(d, right, False, 0);
  XSync(d, False);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return page.list.GetFocusedColumn() == 2; }));

  // The drop-down button opens its icon menu under it; a second connection
  // clicks the first item ("Open") once the menu is on the screen, while the
  // menu's loop waits for the person (the responder leaves the menu open).
  wavorel::setModalResponder([](const wavorel::ModalWindow&) { return 0; });
  CRect button;
  page.drop.GetWindowRect(&button);
  std::atomic<bool> chosen{false};
  std::thread person([&] {
    Display* own = XOpenDisplay(server.name().c_str());
    if (!own) return;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end && !windowAt(own, button.left, button.bottom))
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    click(own, button.left + 40, button.bottom + 12);
    chosen = true;
    XCloseDisplay(own);
  });
  click(d, button.CenterPoint().x, button.CenterPoint().y);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return !page.commands.empty(); }));
  person.join();
  EXPECT_TRUE(chosen);
  EXPECT_EQ(page.commands, std::vector<UINT>{ID_OPEN});
  EXPECT_FALSE(page.drop.IsMenuOpen());
  wavorel::present::closeDisplay();
}

}  // namespace
}  // namespace widgets_test
