// Support of the display tests: a person's hands on an X server (XTest:
// pointer, buttons, typing text with Shift where the keyboard needs it),
// pixels read back from the screen (and written as PNG for a look), the
// cursor shown (XFixes), and waiting for the screen to change. Include after the platform: Xlib's macros
// (None, Bool, Status) clash with it.
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/platform/paint/XvfbServer.h"

namespace wavorel::testing {

class Hands {
 public:
  explicit Hands(Display* d) : d_(d) {}

  void moveTo(int x, int y) {
    XTestFakeMotionEvent(d_, -1, x, y, CurrentTime);
    flush();
  }
  void click(int x, int y, unsigned button = 1) {
    moveTo(x, y);
    XTestFakeButtonEvent(d_, button, True, CurrentTime);
    XTestFakeButtonEvent(d_, button, False, CurrentTime);
    flush();
  }
  // A key by its key sym, with Shift or Alt held when asked.
  void key(KeySym sym, bool shift = false, bool alt = false) {
    KeyCode code = XKeysymToKeycode(d_, sym);
    if (!code) return;
    if (alt) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, XK_Alt_L), True, CurrentTime);
    if (shift) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, XK_Shift_L), True, CurrentTime);
    XTestFakeKeyEvent(d_, code, True, CurrentTime);
    XTestFakeKeyEvent(d_, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, XK_Shift_L), False, CurrentTime);
    if (alt) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, XK_Alt_L), False, CurrentTime);
    flush();
  }
  // A key code as it is, mapped or not.
  void rawKey(KeyCode code) {
    XTestFakeKeyEvent(d_, code, True, CurrentTime);
    XTestFakeKeyEvent(d_, code, False, CurrentTime);
    flush();
  }
  // Types printable ASCII text as a person would: each character's key, with
  // Shift where the character is on the key's shifted level.
  void type(const std::string& text) {
    for (char c : text) {
      auto sym = static_cast<KeySym>(static_cast<unsigned char>(c));
      KeyCode code = XKeysymToKeycode(d_, sym);
      if (!code) continue;
      key(sym, XkbKeycodeToKeysym(d_, code, 0, 0) != sym);
    }
  }
  // The colour of a screen pixel as 0xRRGGBB.
  unsigned long pixel(int x, int y) {
    XImage* image = XGetImage(d_, DefaultRootWindow(d_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
  }
  // The cursor the screen shows now: its size, hot spot and ARGB pixels
  // (empty where the server cannot tell).
  struct CursorImage {
    int width = 0, height = 0, xhot = 0, yhot = 0;
    std::vector<unsigned long> argb;
    bool operator==(const CursorImage& o) const {
      return width == o.width && height == o.height && xhot == o.xhot && yhot == o.yhot && argb == o.argb;
    }
  };
  CursorImage cursor() {
    CursorImage c;
    int event = 0, error = 0;
    if (!XFixesQueryExtension(d_, &event, &error)) return c;
    XFixesCursorImage* image = XFixesGetCursorImage(d_);
    if (!image) return c;
    c.width = image->width;
    c.height = image->height;
    c.xhot = image->xhot;
    c.yhot = image->yhot;
    c.argb.assign(image->pixels, image->pixels + image->width * image->height);
    XFree(image);
    return c;
  }
  // The screen as a PNG file, for a person to look at.
  void screenshot(const std::string& path) {
    XWindowAttributes root{};
    XGetWindowAttributes(d_, DefaultRootWindow(d_), &root);
    XImage* image = XGetImage(d_, DefaultRootWindow(d_), 0, 0, static_cast<unsigned>(root.width),
                              static_cast<unsigned>(root.height), AllPlanes, ZPixmap);
    if (!image) return;
    WindowImage shot;
    shot.width = root.width;
    shot.height = root.height;
    for (int y = 0; y < root.height; ++y)
      for (int x = 0; x < root.width; ++x)
        shot.pixels.push_back(0xFF000000u | static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    XDestroyImage(image);
    present::writeImage(shot, path);
  }

 private:
  void flush() {
    XSync(d_, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
  }
  Display* d_;
};

// Waits (up to 10 s) for `done`, running `step` (the platform's message loop
// of an in-process test, or nothing) in between.
inline bool waitFor(const std::function<bool()>& done, const std::function<void()>& step = {}) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    if (step) step();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The viewable top-level X windows with their names and places.
struct XWindowInfo {
  ::Window id = 0;
  std::string name;
  int x = 0, y = 0, width = 0, height = 0;
};
inline std::vector<XWindowInfo> viewableWindows(Display* d) {
  std::vector<XWindowInfo> found;
  ::Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  IgnoreXErrors ignoring(d);
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return found;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
    XWindowInfo info{children[i], "", a.x, a.y, a.width, a.height};
    char* name = nullptr;
    if (XFetchName(d, children[i], &name) && name) {
      info.name = name;
      XFree(name);
    }
    found.push_back(info);
  }
  if (children) XFree(children);
  return found;
}

}  // namespace wavorel::testing
