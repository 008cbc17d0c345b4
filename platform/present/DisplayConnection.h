// A connection to a display server that shows the top-level windows of one
// UI thread, as the presenter drives it (see Presenter.h). The X11 one lives
// in its own module beside the platform library (libwavx11.so, entry
// kOpenX11Display), loaded the first time a display is opened, so a run
// without a display never maps the X libraries.
#pragma once

#include "platform/win/kernel/Types.h"

namespace wavorel::present {

class DisplayConnection {
 public:
  virtual ~DisplayConnection() = default;
  // The UI thread whose windows it shows; only that thread calls sync().
  virtual DWORD thread() const = 0;
  // The connection's descriptor, for the UI thread's loop to wait on.
  virtual int fd() const = 0;
  // Input already read from the connection, which a poll of fd() does not
  // see (the caller must sync() before it sleeps).
  virtual bool buffered() const = 0;
  // Turns waiting input into window messages and brings the shown windows
  // up to date. True when it posted a message.
  virtual bool sync() = 0;
};

// The module's entry: opens the display `name` (null: $DISPLAY) for the
// calling thread; null when it cannot be opened or shown on.
using OpenDisplayFunction = DisplayConnection* (*)(const char* name);
constexpr const char kX11Module[] = "libwavx11.so";
constexpr const char kOpenX11Display[] = "wavorel_open_x11_display";

}  // namespace wavorel::present
