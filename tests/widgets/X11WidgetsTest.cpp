// The widgets page on an X server (Xvfb), driven with XTest as a person
// would: a click on a list cell, cell navigation with the arrow keys, commands
// chosen from an icon-button's drop-down menu by mouse and by its keyboard
// shortcut; hovering a shaded button, a click on a tab, digits typed into the
// linked edit and a click on its slider; the information pop-up shown and
// gone; and the painted widgets read back from the screen. Skipped where Xvfb
// cannot be started. The platform comes before Xlib, whose macros clash.
#include "WidgetsPage.h"
#include "../platform/paint/XvfbServer.h"
#include "platform/present/Presenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace widgets_test {
namespace {

using X11WidgetsTest = WidgetTest;

using wavorel::testing::click;
using wavorel::testing::windowAt;

// The mapped X window of a menu opened at the bottom-left corner of
// `button`: under the button, or (near the screen's right edge) flipped to
// the left of that corner. Empty while there is none.
CRect menuBelow(Display* d, const CRect& button) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  CRect found;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return found;
  for (unsigned i = 0; i < count && found.IsRectEmpty(); ++i) {
    XWindowAttributes attrs{};
    if (XGetWindowAttributes(d, children[i], &attrs) && attrs.map_state == IsViewable && attrs.y == button.bottom &&
        (attrs.x == button.left || attrs.x + attrs.width == button.left))
      found.SetRect(attrs.x, attrs.y, attrs.x + attrs.width, attrs.y + attrs.height);
  }
  if (children) XFree(children);
  return found;
}

void click(Display* d, const CPoint& at) { click(d, at.x, at.y); }

void moveTo(Display* d, int x, int y) {
  XTestFakeMotionEvent(d, 0, x, y, 0);
  XSync(d, False);
}

void press(Display* d, KeySym key) {
  const KeyCode code = XKeysymToKeycode(d, key);
  XTestFakeKeyEvent(d, code, True, 0);
  XTestFakeKeyEvent(d, code, False, 0);
  XSync(d, False);
}

CPoint centreOf(CWnd& wnd) {
  CRect r;
  wnd.GetWindowRect(&r);
  return r.CenterPoint();
}

std::string textOf(CWnd& wnd) {
  CString text;
  wnd.GetWindowText(text);
  return static_cast<LPCSTR>(text);
}

// The colour of a screen pixel as the X server shows it.
COLORREF screenPixel(Display* d, int x, int y) {
  XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return CLR_INVALID;
  const unsigned long p = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// Whether a screen rectangle shows `colour` anywhere.
bool screenShows(Display* d, const CRect& r, COLORREF colour) {
  XImage* image = XGetImage(d, DefaultRootWindow(d), r.left, r.top, static_cast<unsigned>(r.Width()),
                            static_cast<unsigned>(r.Height()), AllPlanes, ZPixmap);
  if (!image) return false;
  bool found = false;
  for (int y = 0; y < r.Height() && !found; ++y)
    for (int x = 0; x < r.Width() && !found; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      found = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) == colour;
    }
  XDestroyImage(image);
  return found;
}

// Opens the drop-down menu of `button` with a click and, once the menu is on
// the screen, lets a second connection act as the person in it (given the
// menu's place on the screen); pumps until `done`.
template <typename Act, typename Done>
bool inDropMenu(wavorel::testing::Xvfb& server, Display* d, CShadeButtonST& button, Act act, Done done) {
  CRect r;
  button.GetWindowRect(&r);
  std::thread person([&server, r, act] {
    Display* own = XOpenDisplay(server.name().c_str());
    if (!own) return;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    CRect menu;
    while (std::chrono::steady_clock::now() < end && (menu = menuBelow(own, r)).IsRectEmpty())
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!menu.IsRectEmpty()) act(own, menu);
    XCloseDisplay(own);
  });
  click(d, r.CenterPoint());
  const bool ok = wavorel::testing::pumpUntil(done);
  person.join();
  return ok;
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

  // The drop-down button opens its icon menu under it (the button stands near
  // the right edge of the 640-pixel screen, so the menu opens to the left of
  // the button's corner); the person clicks the first item ("Open") where the
  // menu is on the screen, while the menu's loop waits for the person (the
  // responder leaves the menu open). The second time the person types the
  // shortcut of "E&xit".
  wavorel::setModalResponder([](const wavorel::ModalWindow&) { return 0; });
  EXPECT_TRUE(inDropMenu(
      server, d, page.drop, [](Display* own, const CRect& menu) { click(own, menu.left + 40, menu.top + 12); },
      [&] { return !page.commands.empty(); }));
  EXPECT_EQ(page.commands, std::vector<UINT>{ID_OPEN});
  EXPECT_FALSE(page.drop.IsMenuOpen());
  EXPECT_TRUE(inDropMenu(
      server, d, page.drop, [](Display* own, const CRect&) { press(own, XK_x); },
      [&] { return page.commands.size() == 2; }));
  EXPECT_EQ(page.commands, (std::vector<UINT>{ID_OPEN, ID_EXIT}));
  EXPECT_FALSE(page.drop.IsMenuOpen());
  wavorel::present::closeDisplay();
}

TEST_F(X11WidgetsTest, ButtonsTabsTheLinkedEditAndThePopUpAnswerAPerson) {
  wavorel::testing::Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  ASSERT_TRUE(wavorel::present::openDisplay(server.name().c_str()));
  Display* d = server.display();
  WidgetsPage page;
  ASSERT_TRUE(page.Build(0, 0));
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return windowAt(d, 0, 0); }));

  // What the screen shows: the histogram's bars and the gradient bar's red
  // start, as the server has them.
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return screenShows(d, CRect(46, 260, 310, 360), RGB(0, 220, 0)); }));
  const COLORREF start = screenPixel(d, 12, 380);
  EXPECT_EQ(GetRValue(start), 255);
  EXPECT_LT(GetGValue(start), 8);
  EXPECT_EQ(GetBValue(start), 0);

  // A shaded button is hovered while the pointer is over it.
  const CPoint normal = centreOf(page.normal);
  moveTo(d, normal.x, normal.y);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return page.normal.IsHovered() != FALSE; }));
  moveTo(d, 300, 420);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return page.normal.IsHovered() == FALSE; }));

  // A click on the third tab latches it alone and shows its page alone.
  click(d, centreOf(*page.tabButtons[2]));
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return page.tabButtons[2]->GetLatched() == 1; }));
  EXPECT_EQ(page.tabButtons[0]->GetLatched() + page.tabButtons[1]->GetLatched(), 0);
  EXPECT_TRUE(page.pages[2]->IsWindowVisible());
  EXPECT_FALSE(page.pages[0]->IsWindowVisible());

  // Digits typed into the edit (a letter is refused with a beep); leaving it
  // moves the slider there, and a click on the slider writes its position
  // back into the edit.
  click(d, centreOf(page.edit));
  ASSERT_TRUE(wavorel::testing::pumpUntil([&] { return GetFocus() == page.edit.GetSafeHwnd(); }));
  const size_t beeps = wavorel::beeps().size();
  for (KeySym key : {XK_End, XK_BackSpace, XK_BackSpace, XK_7, XK_a, XK_5}) press(d, key);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return textOf(page.edit) == "75"; })) << textOf(page.edit);
  EXPECT_EQ(wavorel::beeps().size() - beeps, 1u);
  click(d, centreOf(page.list));
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return page.slider.GetPos() == 75; })) << page.slider.GetPos();
  CRect slider;
  page.slider.GetWindowRect(&slider);
  click(d, slider.right - 4, slider.CenterPoint().y);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return page.slider.GetPos() > 75; }));
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return textOf(page.edit) == std::to_string(page.slider.GetPos()); }))
      << textOf(page.edit) << " " << page.slider.GetPos();

  // The edit's information pop-up stands on the screen beside it for four
  // seconds.
  CInfoWnd& info = page.edit.GetInfoWnd();
  info.ShowInfo(&page.edit, "Digits only");
  CRect shown;
  info.GetWindowRect(&shown);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return windowAt(d, shown.left, shown.top); }));
  WNDCLASS infoClass{};
  ASSERT_TRUE(GetClassInfo(AfxGetInstanceHandle(), CInfoWnd::kClassName, &infoClass));
  LOGBRUSH background{};
  GetObject(infoClass.hbrBackground, sizeof background, &background);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return screenShows(d, shown, background.lbColor); }))
      << "in its class's colour";
  clock().advance(4000);
  EXPECT_TRUE(wavorel::testing::pumpUntil([&] { return !windowAt(d, shown.left, shown.top); }));
  wavorel::present::closeDisplay();
}

}  // namespace
}  // namespace widgets_test
