// Internal to the library: the names, message-box icons and log-window
// colours of the log levels, and the state the log's files share.
#pragma once

#include "platform/Platform.h"

namespace utilmere {

struct LogLevel {
  const char* name;
  UINT icon;        // message-box icon flags
  COLORREF colour;  // log-window text colour
};

// The level of a log code (its bits 0-3). Levels 6 to 15 have no style of
// their own: they show as level 5, "INVALID", without an icon, in black.
const LogLevel& logLevel(UINT code);

// The log name given to Init_Utilmere, or null.
const char* logName();
// The default message-box caption.
const char* appName();

}  // namespace utilmere
