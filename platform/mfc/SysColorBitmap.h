// AfxLoadSysColorBitmap: a bitmap resource with a colour table (a toolbar's
// 16-colour bitmap) loaded with the four button colours of its table mapped
// to the current system colours: black to COLOR_BTNTEXT, dark grey (128, 128,
// 128) to COLOR_BTNSHADOW, light grey (192, 192, 192) to COLOR_BTNFACE and
// white to COLOR_BTNHIGHLIGHT. The result is a device-dependent bitmap the
// caller deletes; NULL when the resource is missing, not a bitmap with a
// colour table (1, 4 or 8 bits per pixel) or shorter than its header says.
#pragma once

#include "platform/win/kernel/Resources.h"
#include "platform/win/gdi/GdiTypes.h"

HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc);
