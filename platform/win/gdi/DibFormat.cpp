#include "platform/win/gdi/DibFormat.h"

#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/win/gdi/Raster.h"

namespace wavorel::gdi {

namespace {

using wire::getU16;
using wire::getU32;

bool standardMasks(int bpp, DWORD r, DWORD g, DWORD b) {
  if (bpp == 32) return r == 0x00FF0000u && g == 0x0000FF00u && b == 0x000000FFu;
  if (bpp == 16) return r == 0x7C00u && g == 0x03E0u && b == 0x001Fu;
  return false;
}

}  // namespace

bool DibFormat::parse(const BYTE* info, size_t size) {
  if (!info || size < sizeof(BITMAPINFOHEADER)) return false;
  headerSize = getU32(info);
  if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size) return false;
  LONG w = static_cast<LONG>(getU32(info + 4)), h = static_cast<LONG>(getU32(info + 8));
  WORD planes = getU16(info + 12);
  bpp = getU16(info + 14);
  DWORD compression = getU32(info + 16);
  DWORD used = getU32(info + 32);
  if (planes != 1 || w <= 0 || h == 0 || h == INT32_MIN) return false;
  width = w;
  bottomUp = h > 0;
  height = h > 0 ? h : -h;
  if (!Bitmap::validSize(width, height, bpp)) return false;
  rowBytes = Surface::rowBytesFor(width, bpp, 4);
  tableBytes = 0;
  if (compression == BI_BITFIELDS) {
    // Masks follow a plain header or sit inside a V4/V5 one.
    size_t at = headerSize == sizeof(BITMAPINFOHEADER) ? headerSize : 40;
    if (at + 12 > size) return false;
    if (!standardMasks(bpp, getU32(info + at), getU32(info + at + 4), getU32(info + at + 8))) return false;
    if (headerSize == sizeof(BITMAPINFOHEADER)) tableBytes = 12;
  } else if (compression != BI_RGB) {
    return false;
  }
  colours.clear();
  if (bpp <= 8) {
    size_t count = size_t{1} << bpp;
    if (used != 0) {
      if (used > count) return false;
      count = used;
    }
    size_t at = headerSize + tableBytes;
    if (at + count * 4 > size) return false;
    colours.resize(count);
    std::memcpy(colours.data(), info + at, count * 4);
    tableBytes += count * 4;
  }
  return true;
}

void DibFormat::copyInto(Surface& target, const BYTE* bits, int start, int lines) const {
  bool same = target.bpp() == bpp && target.rowBytes() == rowBytes && target.width() == width;
  Surface line(width, 1, bpp, false, colours, 4);
  const int count = std::min(width, target.width());
  std::vector<Pixel> colours32(static_cast<size_t>(count));
  for (int i = 0; i < lines; ++i) {
    int memoryRow = start + i;
    if (memoryRow < 0 || memoryRow >= height) continue;
    int y = bottomUp ? height - 1 - memoryRow : memoryRow;
    if (y >= target.height()) continue;
    const BYTE* src = bits + static_cast<size_t>(i) * rowBytes;
    if (same) {
      std::memcpy(target.row(y), src, rowBytes);
      continue;
    }
    // Through a one-row surface of this format.
    std::memcpy(line.row(0), src, rowBytes);
    readRow(line, 0, 0, count, colours32.data());
    if (target.bpp() == 32) std::memcpy(target.row32(y), colours32.data(), static_cast<size_t>(count) * 4);
    else
      for (int x = 0; x < count; ++x) target.set(x, y, colours32[static_cast<size_t>(x)]);
  }
}

std::shared_ptr<Bitmap> makeDibSection(const DibFormat& format, const BYTE* bits) {
  auto bitmap = Bitmap::makeDib(format.width, format.height, format.bpp, format.bottomUp, format.colours);
  if (bitmap && bits) std::memcpy(bitmap->surface().bits(), bits, format.imageBytes());
  return bitmap;
}

}  // namespace wavorel::gdi
