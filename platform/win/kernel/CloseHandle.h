// CloseHandle: ends a kernel handle of any kind (file, device, event, mutex,
// semaphore, process, thread, ...). The object lives on while other handles or
// calls in progress still hold it.
#pragma once

#include "platform/win/kernel/Types.h"

// FALSE with ERROR_INVALID_HANDLE for a handle that is not open.
BOOL CloseHandle(HANDLE hObject);
