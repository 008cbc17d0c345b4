// The entry of libwavx11.so, the module that holds the X11 presenter and with
// it Xlib (see DisplayConnection.h).
#include "platform/present/X11Display.h"

extern "C" __attribute__((visibility("default"))) wavorel::present::DisplayConnection* wavorel_open_x11_display(
    const char* name) {
  return wavorel::present::X11Display::open(name).release();
}
