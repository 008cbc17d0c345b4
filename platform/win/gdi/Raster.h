// Raster operations: the 256 ternary operations of blits, the 16 binary
// operations of pens and fills, and the colour conversions between
// monochrome and colour bitmaps.
//
// Values: on a 1-bit target a pixel takes part in an operation as 0 (index 0)
// or 0xFFFFFF (index 1), whatever its colour table says; on other targets as
// its Pixel colour (a 32-bit target includes the alpha byte, colours from a
// COLORREF have alpha 0).
#pragma once

#include "platform/win/gdi/Surface.h"

namespace wavorel::gdi {

class DeviceContext;

// Bitwise ternary operation: bit i of `code` (the ROP's third byte) is the
// result for pattern, source, destination bits (P << 2 | S << 1 | D).
Pixel applyRop3(BYTE code, Pixel p, Pixel s, Pixel d);
// Bitwise binary operation R2_BLACK .. R2_WHITE of pen and destination.
Pixel applyRop2(int mode, Pixel pen, Pixel d);
inline BYTE ropCode(DWORD rop) { return static_cast<BYTE>(rop >> 16); }
inline bool ropUsesPattern(BYTE code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }
inline bool ropUsesSource(BYTE code) { return ((code >> 2) & 0x33) != (code & 0x33); }
inline bool ropUsesDestination(BYTE code) { return ((code >> 1) & 0x55) != (code & 0x55); }

Pixel readValue(const Surface& s, int x, int y);
void writeValue(Surface& s, int x, int y, Pixel v);
// A colour as a value on surface `s`.
Pixel colourValue(const Surface& s, COLORREF colour);
// The colours (what Surface::get gives) of `n` pixels of row `y` from column
// `x`, converted a row at a time.
void readRow(const Surface& s, int y, int x, int n, Pixel* out);

// Copies src's device rectangle (sx, sy, sw, sh) onto dst's device rectangle
// (dx, dy, dw, dh) with a ternary raster operation, stretching by nearest
// pixel when the sizes differ (a negative extent mirrors). `src` may be null
// when the operation does not use a source. Colour to monochrome: pixels of
// the source DC's background colour become 1 (white), others 0. Monochrome
// device-dependent bitmaps to colour: 0 takes the destination DC's text
// colour, 1 its background colour (monochrome DIB sections use their colour
// table). Source pixels outside the source bitmap leave the destination alone.
// `transparentKey` (a COLORREF) skips source pixels of that colour; CLR_INVALID
// for none. A source that is the target itself is read as it was before the
// blit.
//
// Two ways give the same pixels: the general one takes every pixel through
// readValue/applyRop3/writeValue; the fast one (BlitPath::Fast, the default)
// works a row at a time on 24- and 32-bit targets, for every source format,
// ROP, stretch and colour key, and hands anything else to the general one.
enum class BlitPath { Fast, General };
bool blit(DeviceContext& dst, int dx, int dy, int dw, int dh, DeviceContext* src, int sx, int sy, int sw, int sh,
          DWORD rop, COLORREF transparentKey = 0xFFFFFFFFu, BlitPath path = BlitPath::Fast);

}  // namespace wavorel::gdi
