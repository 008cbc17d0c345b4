// One connection to an X display showing the top-level windows of one UI
// thread (see Presenter.h). Only that thread calls sync(); its message loop
// waits on the connection's descriptor (fd()) together with its queue.
//
// Input (X11DisplayInput.cpp): X mouse and key events become window
// messages; keys through the keyboard's own mapping (X11Keyboard), whose
// layout TranslateMessage then follows. While a window of the thread holds
// the mouse capture (a popup menu, a drop-down list, a drag), the pointer and
// the keyboard are grabbed for its X window, so a click anywhere reaches it.
// The X input focus follows the active window; the cursor shape set with
// SetCursor shows on every window; the clipboard is shared with the X
// CLIPBOARD selection (X11Clipboard).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/present/DisplayConnection.h"
#include "platform/present/X11Atoms.h"
#include "platform/present/X11Canvas.h"
#include "platform/win/kernel/Types.h"

namespace wavorel {
class MessageQueue;
}

namespace wavorel::present {

class X11Clipboard;
class X11Keyboard;
class X11Tray;

class X11Display : public DisplayConnection {
 public:
  // Null when the display cannot be opened or has no true-colour visual.
  static std::unique_ptr<X11Display> open(const char* name);
  ~X11Display() override;
  X11Display(const X11Display&) = delete;
  X11Display& operator=(const X11Display&) = delete;

  DWORD thread() const override { return thread_; }
  int fd() const override { return fd_; }
  // Events already read from the connection into Xlib's queue, which a poll
  // of fd() does not see (the caller must sync() before it sleeps).
  bool buffered() const override;
  // Turns waiting X events into window messages and brings the X windows up
  // to date. True when it posted a message.
  bool sync() override;

 private:
  struct Shown {
    unsigned long xwin = 0;
    RECT rect{0, 0, 0, 0};
    bool shapeKnown = false;     // shaped and shapeVersion hold what X has
    bool shaped = false;
    uint64_t shapeVersion = 0;   // the window region's version (Region::version)
    uint64_t painted = UINT64_MAX;
    std::unique_ptr<X11Canvas> canvas;  // what the X window shows
    bool mapped = false;
    std::string title;
    bool viewable = false;     // mapped on the server (MapNotify seen)
    unsigned long cursor = 0;  // the X cursor defined on it
  };
  struct Click {
    HWND hwnd = nullptr;
    unsigned button = 0;
    unsigned long time = 0;
    POINT at{0, 0};
  };

  X11Display(void* display, const X11Canvas::Server& server, DWORD thread, std::shared_ptr<MessageQueue> queue);
  bool readEvents();
  bool handleEvent(void* event);
  // Mouse input at `screen`, the pointer's place on the X root window (the
  // platform's screen): not relative to the X window, which may still be on
  // its way to where a window being dragged was moved.
  bool mouse(HWND top, POINT screen, unsigned button, bool down, unsigned state, unsigned long time);
  void mouseMove(HWND top, POINT screen, unsigned state);
  void postMouse(HWND target, UINT msg, WPARAM keys, POINT screen);
  bool wheel(HWND top, POINT screen, int delta, unsigned state);
  bool key(void* event);
  void loadKeyboard();
  // Grabs, input focus and cursor brought up to date with the window system.
  void syncInput();
  void syncGrab();
  void syncFocus(unsigned long time);
  void syncCursor();
  unsigned long xcursorOf(HCURSOR cursor);
  void update();
  void show(HWND hwnd, Shown& shown);
  void putImage(HWND hwnd, Shown& shown);
  HWND windowOf(unsigned long xwin) const;

  void* display_;  // Display*
  X11Canvas::Server server_;
  int fd_;
  DWORD thread_;
  std::shared_ptr<MessageQueue> queue_;
  X11Atoms atoms_;
  bool shapes_ = false;
  std::unordered_map<HWND, Shown> shown_;
  Click lastClick_;
  std::unique_ptr<X11Tray> tray_;  // the notification area's X window
  std::unique_ptr<X11Keyboard> keyboard_;
  std::unique_ptr<X11Clipboard> clipboard_;
  HWND grabbed_ = nullptr;   // the window the pointer and keyboard are grabbed for
  HWND focused_ = nullptr;   // the window the X input focus was given to
  unsigned long lastTime_ = 0;  // of the last X input event
  HCURSOR cursor_ = nullptr;
  bool cursorKnown_ = false;
  std::unordered_map<HCURSOR, unsigned long> xcursors_;

};

}  // namespace wavorel::present
