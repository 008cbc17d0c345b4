// System sounds. There is no loudspeaker here: every beep is recorded, in
// order, so that a test (or a log) can tell which sound the program asked
// for. The record belongs to the process and is cleared with the platform's
// module states.
#pragma once

#include <vector>

#include "platform/win/kernel/Types.h"

// Plays the sound of a message-box type: MB_OK, MB_ICONASTERISK,
// MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONQUESTION, or 0xFFFFFFFF for the
// simple beep. Any other value plays the default sound (recorded as MB_OK).
// Always TRUE.
BOOL MessageBeep(UINT uType);

namespace wavorel {

// The sounds played so far, oldest first, as the types MessageBeep took.
std::vector<UINT> beeps();

}  // namespace wavorel
