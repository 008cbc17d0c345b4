// libFuzzer target for the BMP and ICO/CUR readers: any bytes give a bitmap
// or icon, or null, without reading outside the input.
#include <cstddef>
#include <cstdint>

#include "platform/win/gdi/ImageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wavorel::gdi::decodeBmp(data, size, true);
  wavorel::gdi::decodeBmp(data, size, false);
  wavorel::gdi::iconFileImageCount(data, size);
  wavorel::gdi::decodeIconFile(data, size, 0, 0);
  wavorel::gdi::decodeIconFile(data, size, 16, 16);
  return 0;
}
