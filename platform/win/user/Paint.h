// Painting a window: BeginPaint/EndPaint, the update region, the system
// colour brushes, and the default answers of the window procedure to the
// painting messages (WM_ERASEBKGND, WM_NCPAINT, WM_CTLCOLOR*, WM_PAINT).
//
// A window draws into the backing surface of its top-level window. The DC of
// BeginPaint covers the client area, cut to the ancestors' client areas, to
// the window regions, to the update region, without the visible children when
// the window has WS_CLIPCHILDREN and without the siblings above it when it has
// WS_CLIPSIBLINGS.
#pragma once

#include <cstdint>

#include "platform/win/gdi/Region.h"
#include "platform/win/kernel/Types.h"

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;     // the background still needs erasing (WM_ERASEBKGND did not)
  RECT rcPaint;    // bounds of the update region, client coordinates
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;
typedef PAINTSTRUCT* PPAINTSTRUCT;

// WM_PRINT / WM_PRINTCLIENT options.
#define PRF_CHECKVISIBLE 0x00000001
#define PRF_NONCLIENT 0x00000002
#define PRF_CLIENT 0x00000004
#define PRF_ERASEBKGND 0x00000008
#define PRF_CHILDREN 0x00000010
#define PRF_OWNED 0x00000020

// Validates the update region and gives a DC clipped to it. Sends WM_NCPAINT
// first when the region was invalidated with erasing and the window has a
// frame, then WM_ERASEBKGND when it was invalidated with erasing.
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// Copies the update region (client coordinates) into `region`; with `erase`
// an update region that asks for erasing is erased (WM_ERASEBKGND) and
// validated's erase flag cleared. NULLREGION, SIMPLEREGION, COMPLEXREGION or
// ERROR.
int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);
// The solid brush of a system colour; it is never deleted.
HBRUSH GetSysColorBrush(int index);

namespace wavorel {

// The default window procedure's part for the painting messages. True when
// `msg` is one of them, with its result in `*result`.
bool defaultPaintMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// WM_PAINT of a control that draws itself on WM_PRINTCLIENT: BeginPaint,
// WM_PRINTCLIENT with the paint DC, EndPaint.
LRESULT paintThroughPrintClient(HWND hwnd);

// Counts the paints of the process (EndPaint, and the release of a window DC
// that GetDC or GetWindowDC gave): a presenter compares it to see whether
// anything may have changed on a surface.
uint64_t paintGeneration();
void notePainted();

// The part of a window that drawing may reach, in its top-level window's
// surface: its client area (with `whole`, its window rectangle) cut to its
// window region and to its ancestors' client areas and regions, without its
// visible children when it has WS_CLIPCHILDREN and without the visible
// siblings above it when it (or an ancestor on the way) has WS_CLIPSIBLINGS.
// `origin` receives where that area's top-left corner lies in the surface.
Region drawableArea(HWND hwnd, bool whole, POINT* origin);

}  // namespace wavorel
