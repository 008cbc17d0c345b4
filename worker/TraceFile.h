// The station worker's trace file "C:\Sorvik_test.txt": while the program
// INI's [Advance] "OpenFile" is "1" the worker appends its step lines to it,
// opening the file (mode "a+") and closing it again for every line.
#pragma once

#include "platform/Platform.h"

// TRUE when [Advance] "OpenFile" (default "0") is "1".
BOOL IsTraceOn();
// Appends `text` as it is (the caller ends its lines); nothing when the file
// cannot be opened.
void AppendTrace(LPCSTR text);
// The same for the trace file at `path` (the AP pages of Wavorel keep their
// own).
void AppendTraceTo(LPCSTR path, LPCSTR text);
