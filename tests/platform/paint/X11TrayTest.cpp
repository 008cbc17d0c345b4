// The notification area on a real X server (Xvfb): a tray icon shows in its
// X window at the bottom-right corner, mouse buttons on it reach the icon's
// owner as the callback events, and the window goes when the icon goes.
// Skipped where Xvfb cannot be started.
#include "PaintTestSupport.h"
#include "XvfbServer.h"
#include "platform/present/Presenter.h"
#include "platform/present/X11Tray.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <vector>

namespace wavorel::testing {
namespace {

constexpr UINT kCallback = WM_APP + 7;
std::vector<std::pair<WPARAM, LPARAM>> g_events;

LRESULT CALLBACK trayOwner(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kCallback) g_events.emplace_back(wParam, lParam);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

using X11TraySuite = PaintTest;

TEST_F(X11TraySuite, IconIsShownAndClicked) {
  Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  ASSERT_TRUE(present::openDisplay(server.name().c_str()));
  WNDCLASS wc{};
  wc.lpfnWndProc = trayOwner;
  wc.lpszClassName = "TrayOwner";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND owner = CreateWindowEx(0, "TrayOwner", "owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  NOTIFYICONDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 9;
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = kCallback;
  data.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));

  Display* d = server.display();
  ::Window xwin = 0;
  XWindowAttributes attrs{};
  ASSERT_TRUE(pumpUntil([&] {
    xwin = findWindow(d, "Notification area");
    return xwin && XGetWindowAttributes(d, xwin, &attrs) && attrs.map_state == IsViewable;
  }));
  // One icon's cell in the corner of the 640 x 480 screen, with the icon in it.
  EXPECT_EQ(attrs.width, present::X11Tray::kCell);
  EXPECT_EQ(attrs.x + attrs.width, 640 - 8);
  EXPECT_EQ(attrs.y + attrs.height, 480 - 8);
  // The picture is put after the window is mapped: wait for it.
  EXPECT_TRUE(pumpUntil([&] {
    XImage* image = XGetImage(d, xwin, 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap);
    if (!image) return false;
    bool drawn = XGetPixel(image, 0, 0) != XGetPixel(image, attrs.width / 2, attrs.height / 2);
    XDestroyImage(image);
    return drawn;
  }));

  int cx = attrs.x + attrs.width / 2, cy = attrs.y + attrs.height / 2;
  XTestFakeMotionEvent(d, 0, cx, cy, 0);
  XTestFakeButtonEvent(d, 3, True, 0);
  XTestFakeButtonEvent(d, 3, False, 0);
  XTestFakeButtonEvent(d, 1, True, 0);
  XTestFakeButtonEvent(d, 1, False, 0);
  XTestFakeButtonEvent(d, 1, True, 0);
  XTestFakeButtonEvent(d, 1, False, 0);
  XSync(d, False);
  std::vector<std::pair<WPARAM, LPARAM>> expected = {
      {9, WM_RBUTTONDOWN}, {9, WM_RBUTTONUP},     {9, WM_LBUTTONDOWN},
      {9, WM_LBUTTONUP},   {9, WM_LBUTTONDBLCLK}, {9, WM_LBUTTONUP}};
  EXPECT_TRUE(pumpUntil([&] { return g_events.size() >= expected.size(); }));
  EXPECT_EQ(g_events, expected);
  // The pointer is where the menu of a right click opens.
  POINT cursor{};
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, cx);
  EXPECT_EQ(cursor.y, cy);

  ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
  EXPECT_TRUE(pumpUntil([&] { return XGetWindowAttributes(d, xwin, &attrs) && attrs.map_state == IsUnmapped; }));
  present::closeDisplay();
}

}  // namespace
}  // namespace wavorel::testing
