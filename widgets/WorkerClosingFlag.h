// Set by the station worker just before it destroys the hidden host dialog,
// so that a widget whose modal loop (a drop-down menu) returns while the host
// is being torn down leaves its object alone. FALSE at start; one flag for
// the process, read and written on the UI thread.
#pragma once

#include "platform/Platform.h"

extern BOOL WorkerClosingFlag;
