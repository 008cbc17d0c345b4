// Internal to the library: a local date and time as a time value, shared by
// the time and file functions.
#pragma once

#include "platform/Platform.h"

namespace utilmere {

// A local SYSTEMTIME as a time value; 0 for a year before 1900 or a time the
// run-time cannot hold.
__int64 localTimeValue(const SYSTEMTIME& st);

}  // namespace utilmere
