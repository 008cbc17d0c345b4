#include <cstdlib>
#include <cstring>

#include "platform/win/user/User.h"
#include "platform/win/gdi/DibFormat.h"
#include "platform/win/gdi/ImageFile.h"
#include "platform/wire/Bytes.h"

namespace wavorel::gdi {

namespace {

constexpr size_t kDirSize = 6;
constexpr size_t kEntrySize = 16;

using wavorel::wire::getU16;
using wavorel::wire::getU32;

struct Entry {
  int width, height, bpp;
  POINT hotSpot;
  const BYTE* data;
  size_t size;
};

// The image of an entry: colour and mask from a BITMAPINFOHEADER whose
// height counts both.
std::shared_ptr<Icon> decodeImage(const Entry& e, bool isIcon) {
  if (e.size < sizeof(BITMAPINFOHEADER)) return nullptr;
  // Parse with the height halved: the colour rows, then the mask rows.
  std::vector<BYTE> header(e.data, e.data + e.size);
  LONG fullHeight = static_cast<LONG>(getU32(e.data + 8));
  if (fullHeight <= 0 || (fullHeight & 1)) return nullptr;
  LONG half = fullHeight / 2;
  std::memcpy(header.data() + 8, &half, 4);
  DibFormat format;
  if (!format.parse(header.data(), header.size())) return nullptr;
  size_t colourAt = format.headerSize + format.tableBytes;
  size_t maskRow = Surface::rowBytesFor(format.width, 1, 4);
  size_t maskAt = colourAt + format.imageBytes();
  if (maskAt > e.size || e.size - maskAt < maskRow * static_cast<size_t>(format.height)) return nullptr;
  auto colour = Bitmap::makeDib(format.width, format.height, 32, false, {});
  auto mask = Bitmap::makeDdb(format.width, format.height, 1);
  if (!colour || !mask) return nullptr;
  format.copyInto(colour->surface(), e.data + colourAt, 0, format.height);
  for (int m = 0; m < format.height; ++m) {
    const BYTE* row = e.data + maskAt + static_cast<size_t>(m) * maskRow;
    int y = format.height - 1 - m;
    for (int x = 0; x < format.width; ++x) mask->surface().setIndex(x, y, (row[x >> 3] >> (7 - (x & 7))) & 1u);
  }
  POINT hot = isIcon ? POINT{format.width / 2, format.height / 2} : e.hotSpot;
  return std::make_shared<Icon>(isIcon, hot, std::move(colour), std::move(mask));
}

}  // namespace

int iconFileImageCount(const BYTE* data, size_t size) {
  if (!data || size < kDirSize || getU16(data) != 0 || (getU16(data + 2) != 1 && getU16(data + 2) != 2)) return -1;
  int count = getU16(data + 4);
  if (count == 0 || size < kDirSize + kEntrySize * static_cast<size_t>(count)) return -1;
  return count;
}

std::shared_ptr<Icon> decodeIconFile(const BYTE* data, size_t size, int cx, int cy) {
  int count = iconFileImageCount(data, size);
  if (count < 0) return nullptr;
  bool isIcon = getU16(data + 2) == 1;
  int wantW = cx > 0 ? cx : GetSystemMetrics(isIcon ? SM_CXICON : SM_CXCURSOR);
  int wantH = cy > 0 ? cy : GetSystemMetrics(isIcon ? SM_CYICON : SM_CYCURSOR);
  const Entry* best = nullptr;
  std::vector<Entry> entries;
  entries.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const BYTE* p = data + kDirSize + kEntrySize * static_cast<size_t>(i);
    DWORD bytes = getU32(p + 8), offset = getU32(p + 12);
    if (offset > size || size - offset < bytes) continue;
    // PNG images are not read.
    if (bytes >= 4 && std::memcmp(data + offset, "\x89PNG", 4) == 0) continue;
    entries.push_back({p[0] ? p[0] : 256, p[1] ? p[1] : 256, getU16(p + 6), POINT{getU16(p + 4), getU16(p + 6)},
                       data + offset, bytes});
  }
  for (const Entry& e : entries) {
    auto score = [&](const Entry& x) { return std::abs(x.width - wantW) + std::abs(x.height - wantH); };
    if (!best || score(e) < score(*best) || (score(e) == score(*best) && isIcon && e.bpp > best->bpp)) best = &e;
  }
  if (!best) return nullptr;
  return decodeImage(*best, isIcon);
}

}  // namespace wavorel::gdi
