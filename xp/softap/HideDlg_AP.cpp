// The AP worker entry points of Wavorel. Its AP worker (its own driver codes,
// the hand-over from Zero Configuration) is not part of the program yet: no
// worker window can be created, so starting it fails, posting to it fails,
// and there is nothing to stop or close.
#include "softap/HideDlg_AP.h"

int ShowHideDlgAP() { return 0; }

void DestroyHideDlgAP() {}

void CloseAPOnExit() {}

BOOL PostHideDlgAPMessage(UINT, WPARAM, LPARAM) { return FALSE; }
