// Colour tables of DIB sections selected into a memory DC, and the halftone
// palette.
#pragma once

#include "platform/win/gdi/GdiTypes.h"

// Entries [uStartIndex, uStartIndex + cEntries) of the colour table of the
// DIB section selected into hdc, cut at the table's end. The number of
// entries read or written; 0 when the DC has no DIB section of 8 bits or
// fewer selected, or the start lies past the table.
UINT GetDIBColorTable(HDC hdc, UINT uStartIndex, UINT cEntries, RGBQUAD* prgbq);
UINT SetDIBColorTable(HDC hdc, UINT uStartIndex, UINT cEntries, const RGBQUAD* prgbq);
// A 256-entry palette: the 20 static system colours (ten at each end) around
// the 6 x 6 x 6 colour cube (channel steps of 51) and a ramp of 20 greys.
// NULL with ERROR_INVALID_HANDLE for a bad DC.
HPALETTE CreateHalftonePalette(HDC hdc);
