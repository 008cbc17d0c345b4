// The drawing helpers of the window manager: 3-D edges, frame controls,
// focus rectangles and the disabled look, in the system colours (GetSysColor).
#pragma once

#include "platform/win/kernel/Types.h"

#define BDR_RAISEDOUTER 0x0001
#define BDR_SUNKENOUTER 0x0002
#define BDR_RAISEDINNER 0x0004
#define BDR_SUNKENINNER 0x0008
#define BDR_OUTER (BDR_RAISEDOUTER | BDR_SUNKENOUTER)
#define BDR_INNER (BDR_RAISEDINNER | BDR_SUNKENINNER)
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_ETCHED (BDR_SUNKENOUTER | BDR_RAISEDINNER)
#define EDGE_BUMP (BDR_RAISEDOUTER | BDR_SUNKENINNER)

#define BF_LEFT 0x0001
#define BF_TOP 0x0002
#define BF_RIGHT 0x0004
#define BF_BOTTOM 0x0008
#define BF_TOPLEFT (BF_TOP | BF_LEFT)
#define BF_BOTTOMRIGHT (BF_BOTTOM | BF_RIGHT)
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_MIDDLE 0x0800
#define BF_SOFT 0x1000
#define BF_ADJUST 0x2000
#define BF_FLAT 0x4000
#define BF_MONO 0x8000

#define DFC_CAPTION 1
#define DFC_BUTTON 4
#define DFCS_CAPTIONCLOSE 0x0000
#define DFCS_BUTTONCHECK 0x0000
#define DFCS_BUTTONRADIO 0x0004
#define DFCS_BUTTONPUSH 0x0010
#define DFCS_INACTIVE 0x0100
#define DFCS_PUSHED 0x0200
#define DFCS_CHECKED 0x0400
#define DFCS_HOT 0x1000
#define DFCS_FLAT 0x4000

#define DST_TEXT 0x0001
#define DST_ICON 0x0003
#define DST_BITMAP 0x0004
#define DSS_NORMAL 0x0000
#define DSS_DISABLED 0x0020

// Each border is one pixel: the outer one (BDR_*OUTER) on the rectangle's
// edge, the inner one inside it. Raised: light top-left, dark bottom-right;
// sunken the reverse. Outer raised COLOR_3DLIGHT / COLOR_3DDKSHADOW, inner
// raised COLOR_3DHIGHLIGHT / COLOR_3DSHADOW, outer sunken COLOR_3DSHADOW /
// COLOR_3DHIGHLIGHT, inner sunken COLOR_3DDKSHADOW / COLOR_3DLIGHT; BF_SOFT
// swaps the outer and inner top-left colours. BF_FLAT draws the outer border
// in COLOR_3DSHADOW and the inner in COLOR_3DFACE, BF_MONO in
// COLOR_WINDOWFRAME and COLOR_WINDOW. BF_MIDDLE fills the inside with
// COLOR_3DFACE (COLOR_WINDOW with BF_MONO); BF_ADJUST moves the rectangle's
// flagged sides inside the borders drawn.
BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);
// Every other pixel of the rectangle's border inverted; a second call undoes it.
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
// DFC_BUTTON: push buttons (raised, or sunken when pushed), check boxes (a
// sunken square with a check mark when checked) and radio buttons (a sunken
// circle with a dot when checked); DFC_CAPTION: the close button (an X).
BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state);

typedef BOOL(CALLBACK* DRAWSTATEPROC)(HDC hdc, LPARAM data, WPARAM wData, int cx, int cy);
// DST_TEXT (data: the text, wData its length or 0), DST_BITMAP (data: an
// HBITMAP, cut to cx x cy) and DST_ICON (data: an HICON, drawn at cx x cy)
// at (x, y); a size of 0 is the image's own. DSS_DISABLED embosses: the
// image's shape (the text's glyphs, a bitmap's non-white pixels, an icon's
// pixels that are not white when it is drawn on white) in COLOR_3DHIGHLIGHT
// one pixel right and down, then in COLOR_3DSHADOW in place.
BOOL DrawState(HDC hdc, HBRUSH brush, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
               UINT flags);
