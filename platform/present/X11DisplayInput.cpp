// The input side of the X display (see X11Display.h): X events to window
// messages, the keyboard's mapping, grabs, the input focus and the cursor.
#include "platform/present/X11Display.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include <cstdlib>
#include <vector>

#include "platform/present/X11Clipboard.h"
#include "platform/present/X11Keyboard.h"
#include "platform/present/X11Tray.h"
#include "platform/win/gdi/Icon.h"
#include "platform/win/gdi/Images.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/user/Cursor.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/MouseTracking.h"
#include "platform/win/user/WindowManager.h"

namespace wavorel::present {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

constexpr unsigned kWheelUp = 4;
constexpr unsigned kWheelDown = 5;

WPARAM keyFlags(unsigned state) {
  WPARAM keys = 0;
  if (state & Button1Mask) keys |= MK_LBUTTON;
  if (state & Button2Mask) keys |= MK_MBUTTON;
  if (state & Button3Mask) keys |= MK_RBUTTON;
  if (state & ShiftMask) keys |= MK_SHIFT;
  if (state & ControlMask) keys |= MK_CONTROL;
  return keys;
}

// The window the mouse talks to: the capture, else the deepest visible
// window under the pointer inside `top`.
HWND mouseTarget(HWND top, POINT screen) {
  if (HWND capture = GetCapture()) return capture;
  HWND under = WindowFromPoint(screen);
  return under && (under == top || IsChild(top, under)) ? under : top;
}

// The X font cursor of a standard cursor, 0 for another cursor.
unsigned standardShape(HCURSOR cursor) {
  static const struct {
    LPCSTR id;
    unsigned shape;
  } kShapes[] = {{IDC_ARROW, XC_left_ptr},
                 {IDC_IBEAM, XC_xterm},
                 {IDC_WAIT, XC_watch},
                 {IDC_CROSS, XC_crosshair},
                 {IDC_UPARROW, XC_center_ptr},
                 {IDC_SIZENWSE, XC_bottom_right_corner},
                 {IDC_SIZENESW, XC_bottom_left_corner},
                 {IDC_SIZEWE, XC_sb_h_double_arrow},
                 {IDC_SIZENS, XC_sb_v_double_arrow},
                 {IDC_SIZEALL, XC_fleur},
                 {IDC_NO, XC_circle},
                 {IDC_HAND, XC_hand2},
                 {IDC_APPSTARTING, XC_watch}};
  for (const auto& s : kShapes)
    if (LoadCursor(nullptr, s.id) == cursor) return s.shape;
  return 0;
}

// A two-colour X cursor from a cursor's pixels: opaque where its mask is,
// black where it is dark, white elsewhere. `bits` null: an invisible cursor.
unsigned long pixmapCursor(Display* d, const gdi::Icon* icon) {
  int width = icon ? icon->width() : 1, height = icon ? icon->height() : 1;
  int rowBytes = (width + 7) / 8;
  std::vector<char> source(static_cast<size_t>(rowBytes * height)), mask(source.size());
  for (int y = 0; icon && y < height; ++y)
    for (int x = 0; x < width; ++x) {
      gdi::Pixel p = icon->colour().get(x, y);
      bool opaque = icon->hasAlpha() ? (p >> 24) >= 0x80 : icon->mask().index(x, y) == 0;
      int lightness = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
      char bit = static_cast<char>(1 << (x % 8));
      if (opaque) mask[static_cast<size_t>(y * rowBytes + x / 8)] |= bit;
      if (opaque && lightness < 3 * 128) source[static_cast<size_t>(y * rowBytes + x / 8)] |= bit;
    }
  ::Window root = DefaultRootWindow(d);
  Pixmap src = XCreateBitmapFromData(d, root, source.data(), static_cast<unsigned>(width), static_cast<unsigned>(height));
  Pixmap msk = XCreateBitmapFromData(d, root, mask.data(), static_cast<unsigned>(width), static_cast<unsigned>(height));
  XColor black{}, white{};
  white.red = white.green = white.blue = 0xFFFF;
  POINT hot = icon ? icon->hotSpot() : POINT{0, 0};
  Cursor cursor = XCreatePixmapCursor(d, src, msk, &black, &white, static_cast<unsigned>(hot.x),
                                      static_cast<unsigned>(hot.y));
  XFreePixmap(d, src);
  XFreePixmap(d, msk);
  return cursor;
}

}  // namespace

bool X11Display::handleEvent(void* event) {
  auto& e = *static_cast<XEvent*>(event);
  if (clipboard_->owns(e.xany.window)) {
    clipboard_->handleEvent(event);
    return false;
  }
  if (e.type == MappingNotify) {
    XRefreshKeyboardMapping(&e.xmapping);
    if (e.xmapping.request == MappingKeyboard) loadKeyboard();
    return false;
  }
  if (tray_->owns(e.xany.window)) return tray_->handleEvent(event);
  HWND top = windowOf(e.xany.window);
  if (!top || !IsWindow(top)) return false;
  switch (e.type) {
    case Expose: {
      Shown& shown = shown_[top];
      shown.painted = UINT64_MAX;
      if (shown.canvas) shown.canvas->invalidate();
      return false;
    }
    case MapNotify:
    case UnmapNotify:
      shown_[top].viewable = e.type == MapNotify;
      return false;
    case ButtonPress:
    case ButtonRelease: {
      lastTime_ = e.xbutton.time;
      POINT at{e.xbutton.x_root, e.xbutton.y_root};
      if (e.xbutton.button == kWheelUp || e.xbutton.button == kWheelDown)
        return e.type == ButtonPress &&
               wheel(top, at, e.xbutton.button == kWheelUp ? WHEEL_DELTA : -WHEEL_DELTA, e.xbutton.state);
      if (e.type == ButtonPress) focused_ = nullptr;  // the click brings the keyboard back to the active window
      return mouse(top, at, e.xbutton.button, e.type == ButtonPress, e.xbutton.state, e.xbutton.time);
    }
    case MotionNotify: {
      XEvent next;
      while (XCheckTypedWindowEvent(dpy(display_), e.xany.window, MotionNotify, &next)) e = next;
      mouseMove(top, POINT{e.xmotion.x_root, e.xmotion.y_root}, e.xmotion.state);
      return true;
    }
    case KeyPress:
    case KeyRelease:
      lastTime_ = e.xkey.time;
      return key(event);
    case ClientMessage:
      if (static_cast<unsigned long>(e.xclient.data.l[0]) == atoms_.wmDeleteWindow)
        return PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
      return false;
    default:
      return false;
  }
}

void X11Display::loadKeyboard() {
  Display* d = dpy(display_);
  keyboard_ = std::make_unique<X11Keyboard>(readX11Keyboard(display_));
  setKeyboardLayout(keyboard_->layout());
  // Held keys repeat as presses alone, as on Windows.
  XkbSetDetectableAutoRepeat(d, True, nullptr);
  // Caps Lock as the keyboard shows it now.
  ::Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned mask = 0;
  if (XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &x, &y, &mask))
    setKeyToggled(VK_CAPITAL, (mask & LockMask) != 0);
}

bool X11Display::key(void* event) {
  const XKeyEvent& e = static_cast<XEvent*>(event)->xkey;
  X11Keyboard::Key k = keyboard_->key(e.keycode, e.state);
  if (!k.vk) return false;  // a key the keyboard does not map: dropped
  bool down = e.type == KeyPress;
  constexpr UINT kLeftCtrlScan = 0x1D;
  bool posted = k.altGr && keyboardInput(VK_CONTROL, down, kLeftCtrlScan, false);  // AltGr is Ctrl+Alt
  return keyboardInput(k.vk, down, k.scanCode, k.extended) || posted;
}

void X11Display::postMouse(HWND target, UINT msg, WPARAM keys, POINT screen) {
  mouseAt(screen, keys);  // the cursor position, and leave and hover tracking
  SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, msg));
  if (!IsWindow(target)) return;
  POINT client = screen;
  ScreenToClient(target, &client);
  MSG m{target, msg, keys, MAKELPARAM(client.x, client.y), static_cast<DWORD>(clock().tickMs()), screen};
  queue_->post(m, true);
}

void X11Display::mouseMove(HWND top, POINT screen, unsigned state) {
  postMouse(mouseTarget(top, screen), WM_MOUSEMOVE, keyFlags(state), screen);
}

bool X11Display::mouse(HWND top, POINT screen, unsigned button, bool down, unsigned state, unsigned long time) {
  if (button != Button1 && button != Button3) return false;
  HWND target = mouseTarget(top, screen);
  WPARAM keys = keyFlags(state);
  WPARAM mask = button == Button1 ? MK_LBUTTON : MK_RBUTTON;
  keys = down ? (keys | mask) : (keys & ~mask);
  UINT msg = button == Button1 ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
  if (down) {
    // A click activates its window, unless the window does not take the
    // activation (popup menus, drop-down lists) or another one holds the mouse.
    if (GetActiveWindow() != top && !GetCapture() && !(GetWindowLong(top, GWL_EXSTYLE) & WS_EX_NOACTIVATE))
      SetActiveWindow(top);
    LONG slack = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    bool twice = lastClick_.hwnd == target && lastClick_.button == button && time - lastClick_.time <= 500 &&
                 std::abs(screen.x - lastClick_.at.x) <= slack && std::abs(screen.y - lastClick_.at.y) <= slack;
    if (twice && (GetClassLong(target, GCL_STYLE) & CS_DBLCLKS)) {
      msg = button == Button1 ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
      lastClick_ = Click{};
    } else {
      lastClick_ = Click{target, button, time, screen};
    }
  }
  postMouse(target, msg, keys, screen);
  return true;
}

bool X11Display::wheel(HWND top, POINT screen, int delta, unsigned state) {
  HWND target = mouseTarget(top, screen);
  mouseAt(screen, keyFlags(state));
  MSG m{target, WM_MOUSEWHEEL, MAKEWPARAM(keyFlags(state), static_cast<WORD>(static_cast<short>(delta))),
        MAKELPARAM(screen.x, screen.y), static_cast<DWORD>(clock().tickMs()), screen};
  queue_->post(m, true);
  return true;
}

void X11Display::syncInput() {
  syncGrab();
  syncFocus(lastTime_);
  syncCursor();
}

void X11Display::syncGrab() {
  Display* d = dpy(display_);
  HWND capture = GetCapture();
  HWND want = nullptr;
  if (capture) {
    HWND top = GetAncestor(capture, GA_ROOT);
    auto it = shown_.find(top);
    if (it != shown_.end() && it->second.viewable) want = top;
  }
  if (want == grabbed_) return;
  if (grabbed_) {
    XUngrabPointer(d, CurrentTime);
    XUngrabKeyboard(d, CurrentTime);
    grabbed_ = nullptr;
  }
  if (!want) return;
  ::Window xwin = shown_[want].xwin;
  unsigned events = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  if (XGrabPointer(d, xwin, True, events, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) != GrabSuccess)
    return;  // another program holds the pointer: tried again at the next sync
  XGrabKeyboard(d, xwin, True, GrabModeAsync, GrabModeAsync, CurrentTime);
  grabbed_ = want;
}

void X11Display::syncFocus(unsigned long time) {
  HWND active = GetActiveWindow();
  if (!active || active == focused_) return;
  auto it = shown_.find(active);
  if (it == shown_.end() || !it->second.viewable) return;
  XSetInputFocus(dpy(display_), it->second.xwin, RevertToParent, time ? time : CurrentTime);
  focused_ = active;
}

void X11Display::syncCursor() {
  HCURSOR cursor = GetCursor();
  unsigned long xcursor = xcursorOf(cursor);
  for (auto& entry : shown_) {
    if (entry.second.cursor == xcursor) continue;
    XDefineCursor(dpy(display_), entry.second.xwin, xcursor);
    entry.second.cursor = xcursor;
  }
}

unsigned long X11Display::xcursorOf(HCURSOR cursor) {
  auto it = xcursors_.find(cursor);
  if (it != xcursors_.end()) return it->second;
  Display* d = dpy(display_);
  unsigned long xcursor = 0;
  // The arrow is the desktop's own pointer, the root window's, which an X
  // window shows while it defines no cursor (None): no cursor is made for it,
  // and Xlib loads its cursor-theme library only once another shape is shown.
  if (!cursor) {
    xcursor = pixmapCursor(d, nullptr);  // SetCursor(NULL): no cursor
  } else if (unsigned shape = standardShape(cursor)) {
    xcursor = shape == XC_left_ptr ? None : XCreateFontCursor(d, shape);
  } else if (auto icon = gdi::iconFromHandle(cursor)) {
    xcursor = pixmapCursor(d, icon.get());
  } else {
    xcursor = None;  // a cursor handle that names nothing: the arrow
  }
  xcursors_[cursor] = xcursor;
  return xcursor;
}

}  // namespace wavorel::present
