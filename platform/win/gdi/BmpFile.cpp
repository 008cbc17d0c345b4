#include <cstring>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/gdi/DibFormat.h"
#include "platform/win/gdi/ImageFile.h"

namespace wavorel::gdi {

namespace {

void put16(std::vector<BYTE>& out, unsigned v) {
  out.push_back(static_cast<BYTE>(v));
  out.push_back(static_cast<BYTE>(v >> 8));
}
void put32(std::vector<BYTE>& out, DWORD v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
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
  const Surface& s = bitmap.surface();
  size_t rowBytes = Surface::rowBytesFor(s.width(), s.bpp(), 4);
  size_t table = s.colours().size() * 4;
  size_t offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + table;
  std::vector<BYTE> out;
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
    out.push_back(q.rgbBlue);
    out.push_back(q.rgbGreen);
    out.push_back(q.rgbRed);
    out.push_back(0);
  }
  for (int m = 0; m < s.height(); ++m) {
    int y = s.bottomUp() ? s.height() - 1 - m : m;
    size_t at = out.size();
    out.resize(at + rowBytes, 0);
    std::memcpy(out.data() + at, s.row(y), std::min(rowBytes, s.rowBytes()));
  }
  return out;
}

bool writeBmpFile(const Bitmap& bitmap, const std::string& linuxPath) {
  std::vector<BYTE> bytes = encodeBmp(bitmap);
  return writeFileAtomically(linuxPath, std::string(bytes.begin(), bytes.end()));
}

}  // namespace wavorel::gdi
