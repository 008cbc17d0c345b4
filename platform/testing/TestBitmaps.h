// Test fixtures' bitmap files: small BMP files with known pixels, written
// through the platform's Windows paths.
#pragma once

#include <cstdint>
#include <string>

#include "platform/mfc/File.h"
#include "platform/win/kernel/Types.h"
#include "platform/wire/Bytes.h"

namespace wavorel::testing {

// Writes a 24-bit bottom-up BMP file whose pixel (x, y), y from the top, has
// the colour `pixel(x, y)`. The folder must exist.
template <class Pixel>
bool writeBmp(const char* windowsPath, int width, int height, Pixel pixel) {
  const int stride = (width * 3 + 3) & ~3;
  std::string bytes(54 + static_cast<size_t>(stride) * static_cast<size_t>(height), '\0');
  const auto put32 = [&bytes](size_t at, uint32_t v) { wire::putU32(reinterpret_cast<uint8_t*>(&bytes[at]), v); };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = pixel(x, y);
      const size_t at = 54 + static_cast<size_t>((height - 1 - y) * stride + x * 3);
      bytes[at] = static_cast<char>(GetBValue(c));
      bytes[at + 1] = static_cast<char>(GetGValue(c));
      bytes[at + 2] = static_cast<char>(GetRValue(c));
    }
  }
  CFile file;
  if (!file.Open(windowsPath, CFile::modeCreate | CFile::modeWrite)) return false;
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.Close();
  return true;
}

}  // namespace wavorel::testing
