#include <cstring>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/gdi/DibFormat.h"
#include "platform/win/gdi/ImageFile.h"
#include "platform/wire/Bytes.h"

namespace wavorel::gdi {


std::shared_ptr<Bitmap> decodeBmp(const BYTE* data, size_t size, bool dibSection) {
  if (!data || size < sizeof(BITMAPFILEHEADER) || data[0] != 'B' || data[1] != 'M') return nullptr;
  DWORD offBits = wire::getU32(data + 10);
  DibFormat format;
  if (!format.parse(data + sizeof(BITMAPFILEHEADER), size - sizeof(BITMAPFILEHEADER))) return nullptr;
  size_t start = offBits != 0 ? offBits : sizeof(BITMAPFILEHEADER) + format.headerSize + format.tableBytes;
  if (start > size || size - start < format.imageBytes()) return nullptr;
  const BYTE* bits = data + start;
  if (dibSection) return makeDibSection(format, bits);
  auto bitmap = Bitmap::makeDdb(format.width, format.height, format.bpp == 1 ? 1 : 32);
  if (bitmap) format.copyInto(bitmap->surface(), bits, 0, format.height);
  return bitmap;
}

std::vector<BYTE> bmpHeader(int width, int height, int bpp, bool bottomUp, const std::vector<RGBQUAD>& colours) {
  size_t rowBytes = Surface::rowBytesFor(width, bpp, 4);
  size_t table = colours.size() * 4;
  size_t offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + table;
  size_t imageBytes = rowBytes * static_cast<size_t>(height);
  wire::ByteWriter out;
  out.data().reserve(offBits);
  out.u8('B');
  out.u8('M');
  out.u32(static_cast<DWORD>(offBits + imageBytes));
  out.u32(0);
  out.u32(static_cast<DWORD>(offBits));
  out.u32(sizeof(BITMAPINFOHEADER));
  out.u32(static_cast<DWORD>(width));
  out.u32(static_cast<DWORD>(bottomUp ? height : -height));
  out.u16(1);
  out.u16(static_cast<uint16_t>(bpp));
  out.u32(BI_RGB);
  out.u32(static_cast<DWORD>(imageBytes));
  out.u32(3780);  // 96 dots per inch
  out.u32(3780);
  out.u32(static_cast<DWORD>(colours.size()));
  out.u32(0);
  for (const RGBQUAD& q : colours) {
    out.u8(q.rgbBlue);
    out.u8(q.rgbGreen);
    out.u8(q.rgbRed);
    out.u8(0);
  }
  return std::move(out.data());
}

std::vector<BYTE> encodeBmp(const Bitmap& bitmap) {
  const Surface& s = bitmap.surface();
  size_t rowBytes = Surface::rowBytesFor(s.width(), s.bpp(), 4);
  std::vector<BYTE> header = bmpHeader(s.width(), s.height(), s.bpp(), s.bottomUp(), s.colours());
  wire::ByteWriter out;
  out.data().reserve(header.size() + rowBytes * static_cast<size_t>(s.height()));
  out.bytes(header.data(), header.size());
  for (int m = 0; m < s.height(); ++m) {
    int y = s.bottomUp() ? s.height() - 1 - m : m;
    const size_t kept = std::min(rowBytes, s.rowBytes());
    out.bytes(s.row(y), kept);
    out.zeros(rowBytes - kept);
  }
  return std::move(out.data());
}

bool writeBmpFile(const Bitmap& bitmap, const std::string& linuxPath) {
  std::vector<BYTE> bytes = encodeBmp(bitmap);
  return writeFileAtomically(linuxPath, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace wavorel::gdi
