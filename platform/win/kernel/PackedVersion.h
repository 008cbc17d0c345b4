// GetVersion: the Windows version packed into one word, as older programs
// read it: major version in the low byte, minor version in the next; the
// high word holds the build number on the NT family, and bit 31 is set on
// the 9x family (whose high word is not a build number).
#pragma once

#include "platform/win/kernel/Types.h"

DWORD GetVersion();
