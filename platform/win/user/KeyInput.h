// The keyboard input path, which the X display and tests feed.
#pragma once

#include "platform/win/user/User.h"

namespace wavorel {

// A key press (down) or release from the keyboard without a scan code: see
// keyboardInput (Input.h). False when no window takes keys.
bool sendKey(UINT vk, bool down);

}  // namespace wavorel
