#include "platform/present/X11Display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/shape.h>

#include <cstdlib>
#include <cstring>

#include "platform/present/WindowImage.h"
#include "platform/present/X11Clipboard.h"
#include "platform/present/X11Keyboard.h"
#include "platform/present/X11Tray.h"
#include "platform/win/gdi/WindowSurface.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/user/KeyInput.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/ModalLoop.h"
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
      queue_(std::move(queue)),
      atoms_(X11Atoms::intern(display)) {
  Display* d = dpy(display_);
  int eventBase = 0, errorBase = 0;
  shapes_ = XShapeQueryExtension(d, &eventBase, &errorBase) != 0;
  tray_ = std::make_unique<X11Tray>(display_, thread_);
  clipboard_ = std::make_unique<X11Clipboard>(display_, atoms_);
  loadKeyboard();
  // The platform's screen is the X screen, and a person answers modal windows.
  setScreenSize(DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d)));
  setPersonAtDisplay(true);
  // The server reads the windows' pixels in place where it can.
  gdi::shareWindowSurfaces(server_.shm);
}

X11Display::~X11Display() {
  for (auto& entry : shown_) {
    entry.second.canvas.reset();  // its shared memory goes before the connection
    XDestroyWindow(dpy(display_), entry.second.xwin);
  }
  for (auto& entry : xcursors_)
    if (entry.second != None) XFreeCursor(dpy(display_), entry.second);
  tray_.reset();
  clipboard_.reset();
  setPersonAtDisplay(false);
  setScreenSize(0, 0);
  gdi::shareWindowSurfaces(false);
  XCloseDisplay(dpy(display_));
}

bool X11Display::sync() {
  bool posted = readEvents();
  update();
  syncInput();
  if (!posted) posted = readEvents();
  return posted;
}

bool X11Display::buffered() const { return XEventsQueued(dpy(display_), QueuedAlready) > 0; }

// Input is taken one event at a time: once a mouse or key event has become a
// message, the rest waits in Xlib's queue (buffered(), so the loop comes
// back at once) until the loop has dispatched it.
bool X11Display::readEvents() {
  Display* d = dpy(display_);
  while (XPending(d)) {
    XEvent e;
    XNextEvent(d, &e);
    if (handleEvent(&e) && e.type >= KeyPress && e.type <= MotionNotify) return true;
  }
  return false;
}

HWND X11Display::windowOf(unsigned long xwin) const {
  for (const auto& entry : shown_)
    if (entry.second.xwin == xwin) return entry.first;
  return nullptr;
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
    // No background: the server leaves the window unfilled, as its pixels
    // are put right after it is mapped.
    attrs.background_pixmap = None;
    shown.xwin = XCreateWindow(d, DefaultRootWindow(d), r.left, r.top, width, height, 0, CopyFromParent, InputOutput,
                               CopyFromParent, CWOverrideRedirect | CWEventMask | CWBackPixmap, &attrs);
    // WM_PROTOCOLS set directly: XSetWMProtocols would intern its name again.
    Atom protocols[] = {atoms_.wmDeleteWindow};
    XChangeProperty(d, shown.xwin, atoms_.wmProtocols, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(protocols), 1);
    MotifHints hints{kMotifDecorationsFlag, 0, 0, 0, 0};
    XChangeProperty(d, shown.xwin, atoms_.motifHints, atoms_.motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&hints), 5);
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
    XFlush(d);  // the server maps it while the window paints
    shown.mapped = true;
    shown.painted = UINT64_MAX;
  }
  if (shown.painted != paintGeneration()) putImage(hwnd, shown);
}

// The window's surface as painted goes to X as it is (read by the server in
// place where it is shared memory): the window region is the X window's
// shape, so no composed copy is needed.
void X11Display::putImage(HWND hwnd, Shown& shown) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  shown.painted = paintGeneration();
  std::shared_ptr<gdi::Bitmap> surface = gdi::windowSurface(hwnd);
  if (!surface) return;
  const gdi::Surface& s = surface->surface();
  if (!shown.canvas) shown.canvas = std::make_unique<X11Canvas>(server_, shown.xwin);
  shown.canvas->show(s.row32(0), s.width(), s.height(), s.shmId());
  if (!server_.shm && s.shmId() >= 0) gdi::shareWindowSurfaces(false);  // the server cannot attach them
}

}  // namespace wavorel::present
