// Lines, rectangles and ellipses of the GDI, drawn with the DC's pen and
// brush and its binary raster operation (SetROP2). As on Windows, a shape's
// bounds hold its left and top edges but not its right and bottom ones, and
// a line leaves out its last pixel. Pens of any style other than PS_NULL draw
// solid; a pen wider than 1 is a square of that size moved along the path.
#pragma once

#include "platform/win/kernel/Types.h"

// A brush handle, or a system colour index + 1 (COLOR_WINDOW + 1, ...).
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// A one-pixel frame in the brush's colour.
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rect);

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* points, int count);
// Outline with the pen, inside filled with the brush. Without a pen the
// filled area is one pixel smaller at the right and bottom.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
// A rectangle whose corners are quarters of a cornerWidth x cornerHeight
// ellipse; corners of 0 give a plain rectangle.
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
