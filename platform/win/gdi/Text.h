// Text output of the GDI: TextOut, ExtTextOut, DrawText, text extents and
// the text state of a DC.
#pragma once

#include "platform/win/gdi/Fonts.h"
#include "platform/win/kernel/Types.h"

// DrawText formats.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_NOCLIP 0x00000100
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_EDITCONTROL 0x00002000
#define DT_END_ELLIPSIS 0x00008000

// Text alignment (SetTextAlign).
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24
#define GDI_ERROR 0xFFFFFFFFu

// ExtTextOut options.
#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004

// TA_* flags; GDI_ERROR for an invalid DC.
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);

// Text in the selected font and the text colour at a reference point placed
// by the text alignment (TA_UPDATECP: at the current position, which moves
// past the text). In OPAQUE background mode the text cell is filled with the
// background colour first.
BOOL TextOut(HDC hdc, int x, int y, LPCSTR text, int count);
// ETO_OPAQUE fills `rect` with the background colour; ETO_CLIPPED keeps the
// text inside `rect`; `dx`, when given, holds each character's advance.
BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx);
// Formatted text in a rectangle (see TextLayout.h for the layout); clipped
// to the rectangle unless DT_NOCLIP. DT_CALCRECT draws nothing and sets the
// rectangle's right and bottom to the text's. Returns the height of the text
// (0 on failure).
int DrawText(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format);
