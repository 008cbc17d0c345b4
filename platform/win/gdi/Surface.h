// Pixel storage of a bitmap: 1, 4, 8, 24 or 32 bits per pixel, rows top-down
// or bottom-up in memory, with a colour table for 8 bits and fewer. Drawing
// works on Pixel values (0xAARRGGBB, the way a 32-bit DIB stores blue, green,
// red, alpha in memory); formats other than 32 bits convert on access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/win/gdi/GdiTypes.h"

namespace wavorel::gdi {

using Pixel = uint32_t;

inline Pixel pixelFromColor(COLORREF c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline COLORREF colorFromPixel(Pixel p) {
  return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}
inline Pixel pixelFromQuad(const RGBQUAD& q) {
  return (static_cast<Pixel>(q.rgbRed) << 16) | (static_cast<Pixel>(q.rgbGreen) << 8) | q.rgbBlue;
}
inline RGBQUAD quadFromPixel(Pixel p) {
  return RGBQUAD{static_cast<BYTE>(p), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p >> 16), 0};
}

class Surface {
 public:
  // Row length in bytes of a row of `width` pixels padded to `align` bytes.
  static size_t rowBytesFor(int width, int bpp, int align);
  // Largest pixel area a surface may have (larger requests fail).
  static constexpr int64_t kMaxPixels = int64_t{1} << 26;

  // Zeroed pixels. `align` is 4 for DIBs and 2 for device-dependent bitmaps.
  // Large pixel memory comes zeroed from the system and costs nothing until
  // it is drawn on (no pass over it to clear it).
  Surface(int width, int height, int bpp, bool bottomUp, std::vector<RGBQUAD> colours, int align = 4);
  // A zeroed 32-bit top-down surface whose pixels are a System V
  // shared-memory segment of their own (bits() its start), which a display
  // server on this machine can read in place; the segment goes once every
  // process that attached it let go. Ordinary memory (shmId() -1) where no
  // segment can be had.
  static Surface sharedMemory(int width, int height);
  Surface(const Surface& other);
  Surface& operator=(const Surface& other);
  Surface(Surface&& other) noexcept;
  Surface& operator=(Surface&& other) noexcept;

  int width() const { return width_; }
  int height() const { return height_; }
  int bpp() const { return bpp_; }
  bool bottomUp() const { return bottomUp_; }
  size_t rowBytes() const { return rowBytes_; }
  size_t byteSize() const { return size_; }
  // The shared-memory segment holding the pixels (sharedMemory()), or -1.
  int shmId() const { return bytes_.get_deleter().shmId; }
  // The lowest address of the pixel memory (the first row of the memory
  // order: the bottom row of a bottom-up surface).
  BYTE* bits() { return bytes_.get(); }
  const BYTE* bits() const { return bytes_.get(); }
  // Row `y` counted from the top.
  BYTE* row(int y) { return bytes_.get() + memoryRow(y) * rowBytes_; }
  const BYTE* row(int y) const { return bytes_.get() + memoryRow(y) * rowBytes_; }
  Pixel* row32(int y) { return reinterpret_cast<Pixel*>(row(y)); }
  const Pixel* row32(int y) const { return reinterpret_cast<const Pixel*>(row(y)); }

  const std::vector<RGBQUAD>& colours() const { return colours_; }
  void setColours(size_t first, const RGBQUAD* colours, size_t count);

  // Colour of a pixel inside the surface (alpha kept for 32 bits, else 0).
  Pixel get(int x, int y) const;
  // Stores a colour; 8 bits and fewer take the nearest colour-table entry.
  void set(int x, int y, Pixel p);
  // Colour-table index of a pixel (8 bits and fewer).
  unsigned index(int x, int y) const;
  void setIndex(int x, int y, unsigned value);
  // The nearest colour-table entry to `p`.
  unsigned nearestIndex(Pixel p) const;
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

 private:
  size_t memoryRow(int y) const { return static_cast<size_t>(bottomUp_ ? height_ - 1 - y : y); }

  int width_;
  int height_;
  int bpp_;
  bool bottomUp_;
  size_t rowBytes_;
  // Pixel memory of `mapped` bytes taken straight from the system, or the
  // shared-memory segment `shmId` (otherwise: from the heap).
  struct Free {
    size_t mapped = 0;
    int shmId = -1;
    void operator()(BYTE* p) const;
  };
  using Bytes = std::unique_ptr<BYTE, Free>;
  // `size` bytes, zeroed where `zeroed`.
  static Bytes allocate(size_t size, bool zeroed);

  std::vector<RGBQUAD> colours_;
  size_t size_ = 0;
  Bytes bytes_;
};

// The black-and-white colour table of monochrome bitmaps.
std::vector<RGBQUAD> monochromeColours();

}  // namespace wavorel::gdi
