// The soft-AP worker's entry points that the front end calls: the AP tab
// control starts and stops the worker, the main dialog closes it on exit,
// and the tab control posts it commands.
//
// The AP worker itself is not part of the program yet: no worker window can
// be created, so starting it fails, posting to it fails, and there is
// nothing to stop or close.
#pragma once

#include "platform/Platform.h"

// Creates the AP worker and its window when absent and asks it to open its
// property sheet; non-zero on success, 0 when the window cannot be created.
int ShowHideDlgAP();
// Tells the AP worker to exit, destroys its window and deletes it.
void DestroyHideDlgAP();
// Cancels the AP worker's open security dialog and releases the AP module's
// registry-service binding.
void CloseAPOnExit();
// Posts the message to the AP worker's window; 0 when there is none.
BOOL PostHideDlgAPMessage(UINT message, WPARAM wParam, LPARAM lParam);
