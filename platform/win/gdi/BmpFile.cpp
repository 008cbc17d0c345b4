#include <algorithm>
#include <cstring>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/gdi/DibFormat.h"
#include "platform/win/gdi/ImageFile.h"

namespace wavorel::gdi {

namespace {

template <class Bytes>
void put16(Bytes& out, unsigned v) {
  out.push_back(static_cast<typename Bytes::value_type>(v & 0xFF));
  out.push_back(static_cast<typename Bytes::value_type>((v >> 8) & 0xFF));
}
template <class Bytes>
void put32(Bytes& out, DWORD v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// The BMP file of a surface into `out` (a byte vector or a string).
template <class Bytes>
void appendBmp(const Surface& s, Bytes& out) {
  using Byte = typename Bytes::value_type;
  size_t rowBytes = Surface::rowBytesFor(s.width(), s.bpp(), 4);
  size_t table = s.colours().size() * 4;
  size_t offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + table;
  out.reserve(offBits + rowBytes * static_cast<size_t>(s.height()));
  out.push_back('B');
  out.push_back('M');
  put32(out, static_cast<DWORD>(offBits + rowBytes * static_cast<size_t>(s.height())));
  put32(out, 0);
  put32(out, static_cast<DWORD>(offBits));
  put32(out, sizeof(BITMAPINFOHEADER));
  put32(out, static_cast<DWORD>(s.width()));
  put32(out, static_cast<DWORD>(s.bottomUp() ? s.height() : -s.height()));
  put16(out, 1);
  put16(out, static_cast<unsigned>(s.bpp()));
  put32(out, BI_RGB);
  put32(out, static_cast<DWORD>(rowBytes * static_cast<size_t>(s.height())));
  put32(out, 3780);  // 96 dots per inch
  put32(out, 3780);
  put32(out, static_cast<DWORD>(s.colours().size()));
  put32(out, 0);
  for (const RGBQUAD& q : s.colours()) {
    out.push_back(static_cast<Byte>(q.rgbBlue));
    out.push_back(static_cast<Byte>(q.rgbGreen));
    out.push_back(static_cast<Byte>(q.rgbRed));
    out.push_back(0);
  }
  for (int m = 0; m < s.height(); ++m) {
    int y = s.bottomUp() ? s.height() - 1 - m : m;
    size_t at = out.size();
    out.resize(at + rowBytes, 0);
    std::memcpy(&out[at], s.row(y), std::min(rowBytes, s.rowBytes()));
  }
}

}  // namespace

std::shared_ptr<Bitmap> decodeBmp(const BYTE* data, size_t size, bool dibSection) {
  if (!data || size < sizeof(BITMAPFILEHEADER) || data[0] != 'B' || data[1] != 'M') return nullptr;
  DWORD offBits = data[10] | (data[11] << 8) | (data[12] << 16) | (static_cast<DWORD>(data[13]) << 24);
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

std::vector<BYTE> encodeBmp(const Bitmap& bitmap) {
  std::vector<BYTE> out;
  appendBmp(bitmap.surface(), out);
  return out;
}

bool writeBmpFile(const Bitmap& bitmap, const std::string& linuxPath) {
  std::string bytes;
  appendBmp(bitmap.surface(), bytes);
  return writeFileAtomically(linuxPath, bytes);
}

}  // namespace wavorel::gdi
