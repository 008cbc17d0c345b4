// Paints a rectangle but a hole in it in one colour: the same pixels as
// excluding the hole from the DC's clip and filling the rectangle, without
// the clip region's work. The DC keeps its background colour.
#pragma once

#include "platform/Platform.h"

void FillAround(CDC* pDC, CRect area, CRect hole, COLORREF colour);
