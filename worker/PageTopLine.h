// The two-pixel 3-D line every station page paints across its top
// (COLOR_BTNSHADOW over COLOR_BTNHIGHLIGHT), as its WM_PAINT handling.
#pragma once

#include "platform/Platform.h"

// Paints the window's invalid area: the line across the top of its client area.
void PaintPageTopLine(CWnd* page);
