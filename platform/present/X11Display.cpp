#include "platform/present/X11Display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/shape.h>

#include <cstdlib>
#include <cstring>

#include "platform/present/X11Tray.h"
#include "platform/win/gdi/WindowSurface.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/user/KeyInput.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/MouseTracking.h"
#include "platform/win/user/Paint.h"
#include "platform/win/user/WindowManager.h"
#include "platform/win/kernel/PlatformLog.h"

namespace wavorel::present {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

// Motif window-manager hints: no decorations (the windows draw their own).
struct MotifHints {
  unsigned long flags;
  unsigned long functions;
  unsigned long decorations;
  long inputMode;
  unsigned long status;
};
constexpr unsigned long kMotifDecorationsFlag = 2;

UINT virtualKey(KeySym sym) {
  if (sym >= XK_a && sym <= XK_z) return static_cast<UINT>('A' + (sym - XK_a));
  if (sym >= XK_A && sym <= XK_Z) return static_cast<UINT>(sym);
  if (sym >= XK_0 && sym <= XK_9) return static_cast<UINT>(sym);
  if (sym >= XK_F1 && sym <= XK_F12) return static_cast<UINT>(VK_F1 + (sym - XK_F1));
  switch (sym) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab: return VK_TAB;
    case XK_Return:
    case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R: return VK_MENU;
    case XK_Prior: return VK_PRIOR;
    case XK_Next: return VK_NEXT;
    case XK_End: return VK_END;
    case XK_Home: return VK_HOME;
    case XK_Left: return VK_LEFT;
    case XK_Up: return VK_UP;
    case XK_Right: return VK_RIGHT;
    case XK_Down: return VK_DOWN;
    case XK_Insert: return VK_INSERT;
    case XK_Delete: return VK_DELETE;
    default: return 0;
  }
}

WPARAM keyFlags(unsigned state) {
  WPARAM keys = 0;
  if (state & Button1Mask) keys |= MK_LBUTTON;
  if (state & Button2Mask) keys |= MK_MBUTTON;
  if (state & Button3Mask) keys |= MK_RBUTTON;
  if (state & ShiftMask) keys |= MK_SHIFT;
  if (state & ControlMask) keys |= MK_CONTROL;
  return keys;
}

// A protocol error (a window gone on the server side, say) is logged; the
// default handler would end the program.
int logXError(Display* d, XErrorEvent* e) {
  char text[128] = "";
  XGetErrorText(d, e->error_code, text, sizeof text);
  wavorel::logNote("X error: %s (request %d)", text, e->request_code);
  return 0;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The set of rectangles X takes for a region (y-x banded, as regions are).
std::vector<XRectangle> xRectangles(const std::vector<RECT>& rects) {
  std::vector<XRectangle> out;
  out.reserve(rects.size());
  for (const RECT& s : rects)
    out.push_back({static_cast<short>(s.left), static_cast<short>(s.top), static_cast<unsigned short>(s.right - s.left),
                   static_cast<unsigned short>(s.bottom - s.top)});
  return out;
}

}  // namespace

std::unique_ptr<X11Display> X11Display::open(const char* name) {
  Display* d = XOpenDisplay(name);
  if (!d) return nullptr;
  XSetErrorHandler(logXError);
  X11Canvas::Server server;
  if (!X11Canvas::probe(d, server)) {
    XCloseDisplay(d);
    return nullptr;
  }
  return std::unique_ptr<X11Display>(
      new X11Display(d, server, MessageQueue::currentThreadId(), MessageQueue::current()));
}

X11Display::X11Display(void* display, const X11Canvas::Server& server, DWORD thread,
                       std::shared_ptr<MessageQueue> queue)
    : display_(display),
      server_(server),
      fd_(ConnectionNumber(dpy(display))),
      thread_(thread),
      queue_(std::move(queue)) {
  Display* d = dpy(display_);
  deleteAtom_ = XInternAtom(d, "WM_DELETE_WINDOW", False);
  motifAtom_ = XInternAtom(d, "_MOTIF_WM_HINTS", False);
  int eventBase = 0, errorBase = 0;
  shapes_ = XShapeQueryExtension(d, &eventBase, &errorBase) != 0;
  tray_ = std::make_unique<X11Tray>(display_, thread_);
}

X11Display::~X11Display() {
  for (auto& entry : shown_) {
    entry.second.canvas.reset();  // its shared memory goes before the connection
    XDestroyWindow(dpy(display_), entry.second.xwin);
  }
  tray_.reset();
  XCloseDisplay(dpy(display_));
}

bool X11Display::sync() {
  bool posted = readEvents();
  update();
  posted = readEvents() || posted;
  return posted;
}

bool X11Display::buffered() const { return XEventsQueued(dpy(display_), QueuedAlready) > 0; }

bool X11Display::readEvents() {
  bool posted = false;
  Display* d = dpy(display_);
  while (XPending(d)) {
    XEvent e;
    XNextEvent(d, &e);
    posted = handleEvent(&e) || posted;
  }
  return posted;
}

HWND X11Display::windowOf(unsigned long xwin) const {
  for (const auto& entry : shown_)
    if (entry.second.xwin == xwin) return entry.first;
  return nullptr;
}

bool X11Display::handleEvent(void* event) {
  auto& e = *static_cast<XEvent*>(event);
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
    case ButtonPress:
    case ButtonRelease:
      return mouse(top, POINT{e.xbutton.x_root, e.xbutton.y_root}, e.xbutton.button, e.type == ButtonPress,
                   e.xbutton.state, e.xbutton.time);
    case MotionNotify: {
      XEvent next;
      while (XCheckTypedWindowEvent(dpy(display_), e.xany.window, MotionNotify, &next)) e = next;
      mouseMove(top, POINT{e.xmotion.x_root, e.xmotion.y_root}, e.xmotion.state);
      return true;
    }
    case KeyPress:
    case KeyRelease: {
      UINT vk = virtualKey(XLookupKeysym(&e.xkey, 0));
      return vk && sendKey(vk, e.type == KeyPress);
    }
    case ClientMessage:
      if (static_cast<unsigned long>(e.xclient.data.l[0]) == deleteAtom_)
        return PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
      return false;
    default:
      return false;
  }
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

// The window the mouse talks to: the capture, else the deepest visible
// window under the pointer inside `top`.
static HWND mouseTarget(HWND top, POINT screen) {
  if (HWND capture = GetCapture()) return capture;
  HWND under = WindowFromPoint(screen);
  return under && (under == top || IsChild(top, under)) ? under : top;
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
    if (GetActiveWindow() != top && !(GetWindowLong(top, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) SetActiveWindow(top);
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

void X11Display::update() {
  auto& wm = WindowManager::instance();
  std::vector<HWND> visible;
  for (HWND h : std::vector<HWND>(wm.desktop().children)) {
    auto w = wm.find(h);
    if (w && w->threadId == thread_ && (w->style & WS_VISIBLE) && w->width() > 0 && w->height() > 0)
      visible.push_back(h);
  }
  Display* d = dpy(display_);
  for (auto it = shown_.begin(); it != shown_.end();) {
    bool keep = false;
    for (HWND h : visible) keep = keep || h == it->first;
    if (keep) {
      ++it;
      continue;
    }
    if (IsWindow(it->first)) {
      if (it->second.mapped) XUnmapWindow(d, it->second.xwin);
      it->second.mapped = false;
      ++it;
    } else {
      it->second.canvas.reset();
      XDestroyWindow(d, it->second.xwin);
      it = shown_.erase(it);
    }
  }
  // Bottom of the z-order first, so the top one is raised last.
  for (auto it = visible.rbegin(); it != visible.rend(); ++it) show(*it, shown_[*it]);
  tray_->update();
  XFlush(d);
}

void X11Display::show(HWND hwnd, Shown& shown) {
  auto w = WindowManager::instance().find(hwnd);
  if (!w) return;
  Display* d = dpy(display_);
  RECT r = w->rect;
  unsigned width = static_cast<unsigned>(w->width()), height = static_cast<unsigned>(w->height());
  if (!shown.xwin) {
    XSetWindowAttributes attrs{};
    attrs.override_redirect = (w->style & WS_POPUP) && (w->style & WS_CAPTION) != WS_CAPTION ? True : False;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                       KeyReleaseMask | StructureNotifyMask;
    attrs.background_pixel = BlackPixel(d, DefaultScreen(d));
    shown.xwin = XCreateWindow(d, DefaultRootWindow(d), r.left, r.top, width, height, 0, CopyFromParent, InputOutput,
                               CopyFromParent, CWOverrideRedirect | CWEventMask | CWBackPixel, &attrs);
    Atom protocols[] = {deleteAtom_};
    XSetWMProtocols(d, shown.xwin, protocols, 1);
    MotifHints hints{kMotifDecorationsFlag, 0, 0, 0, 0};
    XChangeProperty(d, shown.xwin, motifAtom_, motifAtom_, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&hints),
                    5);
    XSizeHints size{};
    size.flags = USPosition | USSize;
    size.x = r.left;
    size.y = r.top;
    size.width = static_cast<int>(width);
    size.height = static_cast<int>(height);
    XSetWMNormalHints(d, shown.xwin, &size);
    shown.rect = r;
  } else if (!sameRect(shown.rect, r)) {
    XMoveResizeWindow(d, shown.xwin, r.left, r.top, width, height);
    if (shown.rect.right - shown.rect.left != r.right - r.left || shown.rect.bottom - shown.rect.top != r.bottom - r.top)
      shown.painted = UINT64_MAX;
    shown.rect = r;
  }
  if (shown.title != w->text) {
    shown.title = w->text;
    XStoreName(d, shown.xwin, shown.title.c_str());
  }
  if (shapes_) {
    auto region = w->region ? regionFromHandle(w->region) : nullptr;
    const uint64_t version = region ? region->version() : 0;
    if (!shown.shapeKnown || shown.shaped != bool(region) || (region && shown.shapeVersion != version)) {
      if (region) {
        std::vector<XRectangle> rects = xRectangles(region->rects());
        XShapeCombineRectangles(d, shown.xwin, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()),
                                ShapeSet, YXBanded);
      } else {
        XShapeCombineMask(d, shown.xwin, ShapeBounding, 0, 0, None, ShapeSet);
      }
      shown.shapeKnown = true;
      shown.shaped = bool(region);
      shown.shapeVersion = version;
    }
  }
  if (!shown.mapped) {
    XMapRaised(d, shown.xwin);
    shown.mapped = true;
    shown.painted = UINT64_MAX;
  }
  if (shown.painted != paintGeneration()) putImage(hwnd, shown);
}

// The window's surface as painted goes to X as it is: the window region is
// the X window's shape, so no composed copy is needed.
void X11Display::putImage(HWND hwnd, Shown& shown) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  shown.painted = paintGeneration();
  std::shared_ptr<gdi::Bitmap> surface = gdi::windowSurface(hwnd);
  if (!surface) return;
  const gdi::Surface& s = surface->surface();
  if (!shown.canvas) shown.canvas = std::make_unique<X11Canvas>(server_, shown.xwin);
  shown.canvas->show(s.row32(0), s.width(), s.height());
}

}  // namespace wavorel::present
