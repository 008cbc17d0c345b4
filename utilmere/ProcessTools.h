// Process and language functions: programs started and waited for, threads
// waited for, and the system's and the user's locale.
#pragma once

#include "platform/Platform.h"

// Starts `"program" arguments` (or `"program"` without arguments; white space
// at both ends trimmed) with handles inherited and a normal window. Returns
// the process handle, which the caller closes, or null when the start fails.
HANDLE gxCreateProcess(const char* program, const char* arguments);
// Starts the program and, with seconds non-zero, waits for its end. Returns 0;
// -1 when it cannot start, -2 when it did not end in time, -3 when its exit
// code cannot be read into exitCodeOut (when given).
int ExecuteProcAndWaitEnd(const char* program, const char* arguments, DWORD seconds, DWORD* exitCodeOut);
// Waits up to `milliseconds` for the thread; one still running then is
// terminated (exit code 0) and the result is 0, else 1. The handle is closed
// and set to null. A null handle gives 1.
int WaitForThreadEnd(HANDLE* thread, DWORD milliseconds);

// The system's and the user's default locale identifiers.
WORD GetSystemLanguageType();
WORD GetUserLanguageType();
