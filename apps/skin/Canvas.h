// Canvas: a 32-bit drawing surface of the skin generator (a DIB section in a
// memory DC) with the few shapes the skins are made of, written out as a
// 24-bit BMP file or as a 32 x 32 ICO or CUR file whose mask is the
// transparent yellow.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace wavorel::skin {

class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  bool valid() const { return bits_ != nullptr; }

  COLORREF pixel(int x, int y) const;
  void setPixel(int x, int y, COLORREF colour);
  void fill(const RECT& rect, COLORREF colour);
  // Top colour to bottom colour.
  void gradient(const RECT& rect, COLORREF top, COLORREF bottom);
  // Every pixel of `rect` outside its rounded rectangle becomes `outside`;
  // `corners` picks them: bit 0 top-left, 1 top-right, 2 bottom-right,
  // 3 bottom-left.
  void roundCorners(const RECT& rect, int radius, COLORREF outside, int corners = 0xF);
  // A one-pixel line along the edge of what is not `key` inside `rect`.
  void outline(const RECT& rect, COLORREF key, COLORREF colour);
  void disc(double cx, double cy, double radius, COLORREF colour);
  void line(int x0, int y0, int x1, int y1, int thickness, COLORREF colour);
  // Text without blended edges: a pixel is either the colour or untouched,
  // so glyphs on the transparent yellow leave no yellowish fringe.
  void text(const RECT& rect, const char* text, COLORREF colour, int points, bool bold, UINT format);

  // Files (Linux paths). False when the file cannot be written.
  bool writeBmp(const std::string& path) const;
  // The top-left 32 x 32 pixels, yellow masked out.
  bool writeIcon(const std::string& path) const;
  bool writeCursor(const std::string& path, int hotX, int hotY) const;

 private:
  bool writeIconFile(const std::string& path, WORD type, WORD fieldA, WORD fieldB) const;
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  DWORD* bits_ = nullptr;
};

}  // namespace wavorel::skin
