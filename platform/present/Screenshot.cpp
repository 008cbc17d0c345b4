#include "platform/present/Screenshot.h"

#include <png.h>

#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/ImageFile.h"

namespace wavorel::present {

namespace {

bool endsWithBmp(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".bmp";
}

// A 32-bit top-down BMP: the image's rows are its pixel array as they are.
// A picture of the screen is no state to keep: not flushed to disk.
bool writeBmp(const WindowImage& image, const std::string& path) {
  if (!gdi::Bitmap::validSize(image.width, image.height, 32)) return false;
  const std::vector<BYTE> header = gdi::bmpHeader(image.width, image.height, 32, false, {});
  return writeFileAtomically(path,
                             {std::string_view(reinterpret_cast<const char*>(header.data()), header.size()),
                              std::string_view(reinterpret_cast<const char*>(image.pixels.data()),
                                               image.pixels.size() * sizeof(uint32_t))},
                             Durability::Unsynced);
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

bool writePng(const WindowImage& image, const std::string& path) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> rows(static_cast<size_t>(image.width) * image.height * 4);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    uint32_t p = image.pixels[i];
    rows[i * 4] = static_cast<png_byte>(p >> 16);
    rows[i * 4 + 1] = static_cast<png_byte>(p >> 8);
    rows[i * 4 + 2] = static_cast<png_byte>(p);
    rows[i * 4 + 3] = static_cast<png_byte>(p >> 24);
  }
  std::vector<png_bytep> rowPointers(static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y) rowPointers[static_cast<size_t>(y)] = &rows[static_cast<size_t>(y) * image.width * 4];
  volatile bool ok = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rowPointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return ok && std::fflush(file.get()) == 0;
}

}  // namespace

bool writeImage(const WindowImage& image, const std::string& path) {
  if (image.empty()) return false;
  return endsWithBmp(path) ? writeBmp(image, path) : writePng(image, path);
}

bool saveScreenshot(HWND hwnd, const std::string& path) {
  if (hwnd && !IsWindow(hwnd)) return false;
  return writeImage(hwnd ? composeWindow(hwnd) : composeDesktop(), path);
}

}  // namespace wavorel::present
