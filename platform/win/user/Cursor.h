// The cursor shape of the process: SetCursor and GetCursor.
#pragma once

#include "platform/win/kernel/Types.h"

// Makes `cursor` the current cursor (null: none) and returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
