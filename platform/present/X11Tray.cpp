#include "platform/present/X11Tray.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

#include "platform/present/X11Canvas.h"
#include "platform/win/user/Input.h"
#include "platform/win/shell/Tray.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Images.h"

namespace wavorel::present {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

constexpr uint32_t kBackground = 0x00303A48;  // 0x00RRGGBB
constexpr unsigned long kDoubleClickMs = 500;

}  // namespace

X11Tray::X11Tray(void* display, DWORD thread) : display_(display), thread_(thread) {}

X11Tray::~X11Tray() {
  if (xwin_) XDestroyWindow(dpy(display_), xwin_);
}

std::vector<X11Tray::Icon> X11Tray::currentIcons() const {
  std::vector<Icon> icons;
  for (const TrayIcon& t : trayIcons())
    if (t.visible && IsWindow(t.hwnd) && GetWindowThreadProcessId(t.hwnd, nullptr) == thread_)
      icons.push_back({t.hwnd, t.id, t.icon});
  return icons;
}

void X11Tray::update() {
  Display* d = dpy(display_);
  std::vector<Icon> icons = currentIcons();
  if (icons.empty()) {
    if (mapped_) XUnmapWindow(d, xwin_);
    mapped_ = false;
    icons_.clear();
    return;
  }
  int screen = DefaultScreen(d);
  unsigned width = static_cast<unsigned>(kCell * static_cast<int>(icons.size()));
  int x = DisplayWidth(d, screen) - static_cast<int>(width) - 8;
  int y = DisplayHeight(d, screen) - kCell - 8;
  if (!xwin_) {
    XSetWindowAttributes attrs{};
    attrs.override_redirect = True;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask;
    attrs.background_pixel = kBackground;
    xwin_ = XCreateWindow(d, DefaultRootWindow(d), x, y, width, kCell, 0, CopyFromParent, InputOutput, CopyFromParent,
                          CWOverrideRedirect | CWEventMask | CWBackPixel, &attrs);
    XStoreName(d, xwin_, "Notification area");
  } else if (icons.size() != icons_.size()) {
    XMoveResizeWindow(d, xwin_, x, y, width, kCell);
  }
  if (!mapped_) {
    XMapRaised(d, xwin_);
    mapped_ = true;
    dirty_ = true;
  }
  if (!(icons == icons_)) dirty_ = true;
  icons_ = icons;
  if (dirty_) draw();
}

void X11Tray::draw() {
  dirty_ = false;
  int width = kCell * static_cast<int>(icons_.size());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -kCell;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc || !bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return;
  }
  HGDIOBJ old = SelectObject(dc, bitmap);
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int i = 0; i < width * kCell; ++i) pixels[i] = kBackground;
  int margin = (kCell - 32) / 2;
  for (size_t i = 0; i < icons_.size(); ++i)
    if (icons_[i].icon)
      DrawIconEx(dc, static_cast<int>(i) * kCell + margin, margin, icons_[i].icon, 32, 32, 0, nullptr, DI_NORMAL);
  putPixels(display_, xwin_, pixels, width, kCell);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

bool X11Tray::handleEvent(void* event) {
  auto& e = *static_cast<XEvent*>(event);
  if (e.type == Expose) {
    dirty_ = true;
    return false;
  }
  if (e.type != ButtonPress && e.type != ButtonRelease) return false;
  int index = e.xbutton.x / kCell;
  if (index < 0 || index >= static_cast<int>(icons_.size())) return false;
  const Icon& icon = icons_[static_cast<size_t>(index)];
  bool down = e.type == ButtonPress;
  UINT what = 0;
  if (e.xbutton.button == Button3) {
    what = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
  } else if (e.xbutton.button == Button1) {
    what = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (down) {
      bool twice = index == lastIndex_ && e.xbutton.time - lastPressTime_ <= kDoubleClickMs;
      if (twice) what = WM_LBUTTONDBLCLK;
      lastIndex_ = twice ? -1 : index;
      lastPressTime_ = e.xbutton.time;
    }
  } else {
    return false;
  }
  // A menu the owner opens appears at the pointer, as over a taskbar icon.
  SetCursorPos(e.xbutton.x_root, e.xbutton.y_root);
  return trayNotify(icon.hwnd, icon.id, what);
}

}  // namespace wavorel::present
