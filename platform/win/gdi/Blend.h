// Coverage blending of 32-bit pixels: a colour laid over a pixel with an
// 8-bit coverage, each channel (c * a + d * (255 - a) + 127) / 255, the
// unused byte cleared. A pixel with no coverage keeps its value, the unused
// byte too.
#pragma once

#include "platform/win/gdi/Surface.h"

namespace wavorel::gdi {

Pixel mixPixel(Pixel d, Pixel c, unsigned alpha);

// `n` pixels of a row under the coverage bytes `cover`.
void blendRow(Pixel* row, const BYTE* cover, int n, Pixel c);
// The rows of `r` (a rectangle of a 32-bit surface), cover rows `stride` apart.
void blendRows(Surface& s, const RECT& r, const BYTE* cover, int stride, Pixel c);

// blendRows given `tinted`: the coverage already blended over `back` (back
// where the coverage is 0), rows `stride` apart as well. Pixels that hold
// `back` take their tinted value, so a glyph on a plain background costs a
// compare and a copy; the result is the same.
void blendRowsOver(Surface& s, const RECT& r, const BYTE* cover, const Pixel* tinted, int stride, Pixel c,
                   Pixel back);

}  // namespace wavorel::gdi
