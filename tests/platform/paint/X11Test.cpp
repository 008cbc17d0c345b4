// Windows shown on a real X server (Xvfb): shaped by their regions, painted,
// and clicked with XTest. Skipped where Xvfb cannot be started.
// The test framework and the platform come before Xlib, whose macros (None,
// Bool, Status) would clash with them.
#include "PaintTestSupport.h"

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

// An Xvfb server on a free display number, stopped with the object.
class Xvfb {
 public:
  Xvfb() {
    for (int n = 90; n < 140 && !display_; ++n) {
      if (access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0) continue;
      name_ = ":" + std::to_string(n);
      pid_ = fork();
      if (pid_ == 0) {
        execlp("Xvfb", "Xvfb", name_.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp", nullptr);
        _exit(127);
      }
      if (pid_ < 0) return;
      for (int i = 0; i < 100 && !display_; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
          pid_ = -1;
          break;
        }
        display_ = XOpenDisplay(name_.c_str());
      }
      if (!display_) stop();
    }
  }
  ~Xvfb() {
    if (display_) XCloseDisplay(display_);
    stop();
  }
  Display* display() const { return display_; }
  const std::string& name() const { return name_; }

 private:
  void stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }
  std::string name_;
  pid_t pid_ = -1;
  Display* display_ = nullptr;
};

// Pumps the message loop (which runs the presenter) until `done` or 5 s.
bool pumpUntil(const std::function<bool()>& done) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < end) {
    pumpMessages();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The top-level X window named `title`, or 0.
::Window findWindow(Display* d, const char* title) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  ::Window found = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(d, children[i], &name) && name) {
      if (std::string(name) == title) found = children[i];
      XFree(name);
    }
  }
  if (children) XFree(children);
  return found;
}

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
  XImage* face = XGetImage(d, xwin, 30, 25, 1, 1, AllPlanes, ZPixmap);
  ASSERT_TRUE(face);
  COLORREF expected = GetSysColor(COLOR_3DFACE);
  EXPECT_EQ(XGetPixel(face, 0, 0) & 0xFFFFFF,
            (static_cast<unsigned long>(GetRValue(expected)) << 16) | (GetGValue(expected) << 8) | GetBValue(expected));
  XDestroyImage(face);

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

}  // namespace
}  // namespace wavorel::testing
