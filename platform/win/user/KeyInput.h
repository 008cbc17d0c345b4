// The keyboard input path, which the X display and tests feed.
#pragma once

#include "platform/win/user/User.h"

namespace wavorel {

// A key press (down) or release from the keyboard: it arrives as WM_KEYDOWN or
// WM_KEYUP at the focus window (else the active window) and passes the
// thread's WH_KEYBOARD hooks when the loop takes it. False when no window
// takes keys.
bool sendKey(UINT vk, bool down);

}  // namespace wavorel
