// The cursor shape of the process: SetCursor and GetCursor. Until the first
// SetCursor the cursor is the standard arrow; SetCursor(NULL) takes the
// cursor off the screen. The X display shows the current shape on its
// windows.
#pragma once

#include "platform/win/kernel/Types.h"

// Makes `cursor` the current cursor (null: none) and returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
