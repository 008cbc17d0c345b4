#include "softap/HideDlg_AP.h"

// Without the AP worker there is never a worker window: each entry point
// answers as for a worker whose window does not exist.

int ShowHideDlgAP() { return 0; }

void DestroyHideDlgAP() {}

void CloseAPOnExit() {}

BOOL PostHideDlgAPMessage(UINT, WPARAM, LPARAM) { return FALSE; }
