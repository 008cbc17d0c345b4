// The layout of a DIB described by a BITMAPINFO (or the header of a BMP
// file): size, row order, bits per pixel, row length and colour table, read
// with every size and count checked against the bytes that hold them.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/win/gdi/Bitmap.h"

namespace wavorel::gdi {

struct DibFormat {
  int width = 0;
  int height = 0;
  bool bottomUp = true;
  int bpp = 0;
  size_t headerSize = 0;   // biSize
  size_t tableBytes = 0;   // colour table and bit masks after the header
  size_t rowBytes = 0;     // rows padded to 4 bytes
  std::vector<RGBQUAD> colours;

  size_t imageBytes() const { return rowBytes * static_cast<size_t>(height); }
  // Parses `size` bytes starting with a BITMAPINFOHEADER (or a V4/V5 header).
  // False for anything but uncompressed 1/4/8/16/24/32-bit data (bit masks
  // only in their standard form), impossible sizes or a short table.
  bool parse(const BYTE* info, size_t size);
  // Copies `lines` rows of DIB bits into the bitmap's pixels, converting the
  // format: `bits` holds DIB row `start` (counted in memory order) first.
  void copyInto(Surface& target, const BYTE* bits, int start, int lines) const;
};

// A DIB section in this format, its pixels copied from `bits` when given.
std::shared_ptr<Bitmap> makeDibSection(const DibFormat& format, const BYTE* bits);

}  // namespace wavorel::gdi
