// The notification area on an X display: one small undecorated X window in
// the bottom-right corner of the screen that shows the tray icons of one UI
// thread side by side, and turns mouse buttons on an icon into the icon's
// callback events (WM_LBUTTONDOWN/UP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN/UP),
// as a click on a taskbar icon would. Used by X11Display.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel::present {

class X11Tray {
 public:
  // `display` is the connection's Display*; icons of windows of `thread` show.
  X11Tray(void* display, DWORD thread);
  ~X11Tray();
  X11Tray(const X11Tray&) = delete;
  X11Tray& operator=(const X11Tray&) = delete;

  bool owns(unsigned long xwin) const { return xwin_ != 0 && xwin == xwin_; }
  // Brings the X window up to date with the icons.
  void update();
  // An X event of the tray's window. True when it posted a message.
  bool handleEvent(void* event);

  static constexpr int kCell = 36;  // one icon's square, 32 pixels and a margin

 private:
  struct Icon {
    HWND hwnd;
    UINT id;
    HICON icon;
    bool operator==(const Icon& o) const { return hwnd == o.hwnd && id == o.id && icon == o.icon; }
  };
  std::vector<Icon> currentIcons() const;
  void draw();

  void* display_;
  DWORD thread_;
  unsigned long xwin_ = 0;
  bool mapped_ = false;
  bool dirty_ = true;
  std::vector<Icon> icons_;
  int lastIndex_ = -1;
  unsigned long lastPressTime_ = 0;
};

}  // namespace wavorel::present
