// Windows shown on a real X server (Xvfb): shaped by their regions, painted,
// and clicked with XTest. Skipped where Xvfb cannot be started.
// The test framework and the platform come before Xlib, whose macros (None,
// Bool, Status) would clash with them.
#include "PaintTestSupport.h"
#include "XvfbServer.h"
#include "platform/present/Presenter.h"
#include "platform/win/gdi/WindowSurface.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace wavorel::testing {
namespace {

int g_clicks = 0;

LRESULT CALLBACK clickParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && LOWORD(wParam) == 42 && HIWORD(wParam) == BN_CLICKED) ++g_clicks;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

using X11Suite = PaintTest;

TEST_F(X11Suite, ShapedWindowWithAButtonIsShownAndClicked) {
  Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  ASSERT_TRUE(present::openDisplay(server.name().c_str()));
  WNDCLASS wc{};
  wc.lpfnWndProc = clickParent;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "ClickParent";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND top = CreateWindowEx(0, "ClickParent", "Shaped", WS_POPUP | WS_CLIPCHILDREN, 50, 40, 200, 120, nullptr,
                            nullptr, nullptr, nullptr);
  CreateWindowEx(0, "Button", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 80, 30, top,
                 reinterpret_cast<HMENU>(42), nullptr, nullptr);
  SetWindowRgn(top, CreateRectRgn(10, 10, 190, 110), FALSE);
  ShowWindow(top, SW_SHOW);

  Display* d = server.display();
  ::Window xwin = 0;
  ASSERT_TRUE(pumpUntil([&] {
    xwin = findWindow(d, "Shaped");
    XWindowAttributes attrs{};
    return xwin && XGetWindowAttributes(d, xwin, &attrs) && attrs.map_state == IsViewable;
  }));
  int count = 0, ordering = 0;
  XRectangle* shape = XShapeGetRectangles(d, xwin, ShapeBounding, &count, &ordering);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(shape[0].x, 10);
  EXPECT_EQ(shape[0].width, 180);
  XFree(shape);
  // The window is mapped before its picture is put: the server may answer
  // this connection in between, so wait for the button's face.
  COLORREF expected = GetSysColor(COLOR_3DFACE);
  const unsigned long face =
      (static_cast<unsigned long>(GetRValue(expected)) << 16) | (GetGValue(expected) << 8) | GetBValue(expected);
  unsigned long seen = 0;
  EXPECT_TRUE(pumpUntil([&] {
    XImage* image = XGetImage(d, xwin, 30, 25, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    seen = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return seen == face;
  })) << std::hex << seen;

  XTestFakeMotionEvent(d, 0, 50 + 60, 40 + 35, 0);
  XTestFakeButtonEvent(d, 1, True, 0);
  XTestFakeButtonEvent(d, 1, False, 0);
  XSync(d, False);
  EXPECT_TRUE(pumpUntil([] { return g_clicks == 1; }));

  // A loop waiting in GetMessage wakes up for X input that arrives later.
  DWORD uiThread = GetCurrentThreadId();
  std::mutex mutex;
  std::condition_variable cv;
  bool finished = false;
  std::thread clicker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    XTestFakeButtonEvent(d, 1, True, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    XSync(d, False);
    std::unique_lock<std::mutex> lock(mutex);
    if (!cv.wait_for(lock, std::chrono::seconds(5), [&] { return finished; }))
      PostThreadMessage(uiThread, WM_QUIT, 0, 0);  // the wake-up failed: end the loop
  });
  MSG msg;
  while (g_clicks < 2 && GetMessage(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  {
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
  }
  cv.notify_all();
  clicker.join();
  EXPECT_EQ(g_clicks, 2);

  ShowWindow(top, SW_HIDE);
  EXPECT_TRUE(pumpUntil([&] {
    XWindowAttributes attrs{};
    return XGetWindowAttributes(d, xwin, &attrs) && attrs.map_state == IsUnmapped;
  }));
  present::closeDisplay();
}

COLORREF g_fill = RGB(200, 40, 40);

LRESULT CALLBACK filled(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  HBRUSH brush = CreateSolidBrush(g_fill);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  EndPaint(hwnd, &paint);
  return 0;
}

// Whether the X window titled `title` is mapped and shows `colour` at (x, y).
bool showsAt(Display* d, const char* title, int x, int y, COLORREF colour) {
  ::Window xwin = findWindow(d, title);
  XWindowAttributes attrs{};
  if (!xwin || !XGetWindowAttributes(d, xwin, &attrs) || attrs.map_state != IsViewable) return false;
  XImage* image = XGetImage(d, xwin, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return false;
  const unsigned long seen = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return seen == ((static_cast<unsigned long>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
}

// While a display with MIT-SHM is open, window surfaces are shared memory
// the server reads in place: one painted before the display opened moves
// there with its pixels, and later paints into it reach the server.
TEST_F(X11Suite, WindowSurfacesAreSharedWithTheServerWhileADisplayIsOpen) {
  Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  WNDCLASS wc{};
  wc.lpfnWndProc = filled;
  wc.lpszClassName = "Filled";
  ASSERT_TRUE(RegisterClass(&wc));
  g_fill = RGB(200, 40, 40);
  HWND early = CreateWindowEx(0, "Filled", "Early", WS_POPUP | WS_VISIBLE, 10, 10, 120, 80, nullptr, nullptr,
                              nullptr, nullptr);
  UpdateWindow(early);
  EXPECT_LT(gdi::windowSurface(early)->surface().shmId(), 0);

  ASSERT_TRUE(present::openDisplay(server.name().c_str()));
  Display* d = server.display();
  EXPECT_TRUE(pumpUntil([&] { return showsAt(d, "Early", 60, 40, RGB(200, 40, 40)); }));
  EXPECT_GE(gdi::windowSurface(early)->surface().shmId(), 0);
  g_fill = RGB(20, 160, 60);
  InvalidateRect(early, nullptr, TRUE);
  EXPECT_TRUE(pumpUntil([&] { return showsAt(d, "Early", 60, 40, RGB(20, 160, 60)); }));

  present::closeDisplay();
  HWND late = CreateWindowEx(0, "Filled", "Late", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr, nullptr,
                             nullptr);
  EXPECT_LT(gdi::windowSurface(late)->surface().shmId(), 0);
  DestroyWindow(late);
  DestroyWindow(early);
}

}  // namespace
}  // namespace wavorel::testing
