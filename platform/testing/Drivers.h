// What tests drive the platform with: the message pump, time passing on the
// platform clock, and the input paths of the keyboard (sendKey) and the mouse
// (mouseMoveTo) that the X display feeds too.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/user/KeyInput.h"
#include "platform/win/user/MouseTracking.h"

namespace wavorel {

// Dispatches, on the calling thread, everything that is ready now: messages
// sent by other threads, posted messages, paints and due timers. Never waits.
// A WM_QUIT is left in the queue for the caller's own loop. Returns the number
// of messages dispatched.
size_t pumpMessages();

// Lets `ms` milliseconds pass on the platform clock: the clock moves to each
// timer due within the span in turn, and the queue is pumped at every step
// and at the end. On the real clock the steps are slept.
void runFor(uint64_t ms);

}  // namespace wavorel
