// Test support for the X display tests: an Xvfb server, a pump that runs the
// message loop (and so the presenter) until a condition holds, and a lookup
// of X windows by name. Include after the platform (Xlib's macros clash).
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/testing/Drivers.h"

namespace wavorel::testing {

// An Xvfb server on a free display number (the server picks it, so tests
// running side by side never share one), stopped with the object; its screen
// of `depth` bits, and without MIT-SHM when `shm` is false.
class Xvfb {
 public:
  explicit Xvfb(int depth = 24, bool shm = true) {
    int ready[2];
    if (pipe(ready) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      const std::string fd = std::to_string(ready[1]), screen = "640x480x" + std::to_string(depth);
      if (shm)
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", nullptr);
      else
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-extension", "MIT-SHM", nullptr);
      _exit(127);
    }
    close(ready[1]);
    std::string number;
    for (;;) {
      pollfd p{ready[0], POLLIN, 0};
      char c = 0;
      if (pid_ < 0 || poll(&p, 1, 10000) <= 0 || read(ready[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(ready[0]);
    if (!number.empty()) {
      name_ = ":" + number;
      display_ = XOpenDisplay(name_.c_str());
    }
    if (!display_) stop();
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

// While it lives, X errors on the test's own connections are ignored: a
// window the program destroys between a query of the tree and a query of
// the window gives BadWindow, which Xlib's default handler turns into an
// exit of the test process.
class IgnoreXErrors {
 public:
  explicit IgnoreXErrors(Display* d) : display_(d), previous_(XSetErrorHandler(&ignore)) {}
  ~IgnoreXErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  IgnoreXErrors(const IgnoreXErrors&) = delete;
  IgnoreXErrors& operator=(const IgnoreXErrors&) = delete;

 private:
  static int ignore(Display*, XErrorEvent*) { return 0; }
  Display* display_;
  XErrorHandler previous_;
};

// Pumps the message loop (which runs the presenter) until `done` or 5 s.
inline bool pumpUntil(const std::function<bool()>& done) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < end) {
    pumpMessages();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Whether a mapped X window stands with its top-left corner at (x, y).
inline bool windowAt(Display* d, int x, int y) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  bool found = false;
  IgnoreXErrors ignoring(d);
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return false;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attrs{};
    found = XGetWindowAttributes(d, children[i], &attrs) && attrs.map_state == IsViewable && attrs.x == x &&
            attrs.y == y;
  }
  if (children) XFree(children);
  return found;
}

// A person's left click at a screen point (XTest).
inline void click(Display* d, int x, int y) {
  XTestFakeMotionEvent(d, 0, x, y, 0);
  XTestFakeButtonEvent(d, 1, True, 0);
  XTestFakeButtonEvent(d, 1, False, 0);
  XSync(d, False);
}

// The top-level X window named `title`, or 0.
inline ::Window findWindow(Display* d, const char* title) {
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  ::Window found = 0;
  IgnoreXErrors ignoring(d);
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

}  // namespace wavorel::testing
