// Threads: CreateThread runs the routine on a thread of its own; the handle is
// signalled when the routine returns and GetExitCodeThread then gives its
// result (STILL_ACTIVE, 259, before).
#pragma once

#include "platform/win/kernel/ExitStatus.h"
#include "platform/win/kernel/Types.h"

typedef DWORD (*LPTHREAD_START_ROUTINE)(LPVOID lpThreadParameter);
typedef LPTHREAD_START_ROUTINE PTHREAD_START_ROUTINE;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags,
                    LPDWORD lpThreadId);
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
// Ends the thread as far as every handle can tell: it is signalled at once and
// its exit code is dwExitCode. The routine itself cannot be stopped safely in
// the middle of C++ code; it runs on to its end detached and its result is
// dropped.
BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode);
DWORD GetCurrentThreadId();
