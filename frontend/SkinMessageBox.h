// The program's message box: every box of the front end is the skinned
// CDlgMessageBox, run modally. A null caption or text counts as "".
// Returns IDOK, IDCANCEL, IDYES or IDNO.
#pragma once

#include "platform/Platform.h"

int SkinMessageBox(UINT type, const char* caption, const char* text);
