// Reading and writing image files held in memory: BMP files, and ICO/CUR
// files. Every offset, size and count in a file is checked against the bytes
// there are; anything that does not fit gives null.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/gdi/Bitmap.h"
#include "platform/win/gdi/Icon.h"

namespace wavorel::gdi {

// A BMP file (with its BITMAPFILEHEADER): a DIB section in the file's format
// (`dibSection`), else a monochrome (1-bit files) or 32-bit device-dependent
// bitmap.
std::shared_ptr<Bitmap> decodeBmp(const BYTE* data, size_t size, bool dibSection);
// The file header, info header and colour table of a BMP file of that
// format: its rows (padded to 4 bytes) follow, in the order `bottomUp` says.
std::vector<BYTE> bmpHeader(int width, int height, int bpp, bool bottomUp, const std::vector<RGBQUAD>& colours);
// A BMP file of the bitmap in its own format and row order.
std::vector<BYTE> encodeBmp(const Bitmap& bitmap);
bool writeBmpFile(const Bitmap& bitmap, const std::string& linuxPath);

// The number of images of an ICO or CUR file, or -1 when it is not one.
int iconFileImageCount(const BYTE* data, size_t size);
// The image of an ICO/CUR file nearest to cx x cy (0: the system icon or
// cursor size), as an icon (ICO) or cursor (CUR, with the file's hot spot).
std::shared_ptr<Icon> decodeIconFile(const BYTE* data, size_t size, int cx, int cy);

}  // namespace wavorel::gdi
