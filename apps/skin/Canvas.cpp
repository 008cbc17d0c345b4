#include "apps/skin/Canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace wavorel::skin {

namespace {

DWORD toPixel(COLORREF c) { return (static_cast<DWORD>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
COLORREF toColour(DWORD p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

BYTE mix(BYTE a, BYTE b, double t) { return static_cast<BYTE>(std::lround(a + (b - a) * t)); }

void put16(std::vector<BYTE>& out, unsigned v) {
  out.push_back(static_cast<BYTE>(v));
  out.push_back(static_cast<BYTE>(v >> 8));
}
void put32(std::vector<BYTE>& out, unsigned v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

bool save(const std::string& path, const std::vector<BYTE>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

constexpr int kIconSize = 32;

}  // namespace

Canvas::Canvas(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc_ == nullptr || bitmap_ == nullptr || bits == nullptr) return;
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<DWORD*>(bits);
  std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, toPixel(0xFFFFFF));
}

Canvas::~Canvas() {
  if (dc_ != nullptr && previous_ != nullptr) SelectObject(dc_, previous_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

COLORREF Canvas::pixel(int x, int y) const {
  if (!bits_ || !inside(x, y)) return CLR_INVALID;
  return toColour(bits_[static_cast<size_t>(y) * width_ + x]);
}

void Canvas::setPixel(int x, int y, COLORREF colour) {
  if (bits_ && inside(x, y)) bits_[static_cast<size_t>(y) * width_ + x] = toPixel(colour);
}

void Canvas::fill(const RECT& rect, COLORREF colour) {
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) setPixel(x, y, colour);
}

void Canvas::gradient(const RECT& rect, COLORREF top, COLORREF bottom) {
  const int rows = std::max<int>(rect.bottom - rect.top - 1, 1);
  for (int y = rect.top; y < rect.bottom; ++y) {
    const double t = static_cast<double>(y - rect.top) / rows;
    const COLORREF c = RGB(mix(GetRValue(top), GetRValue(bottom), t), mix(GetGValue(top), GetGValue(bottom), t),
                           mix(GetBValue(top), GetBValue(bottom), t));
    for (int x = rect.left; x < rect.right; ++x) setPixel(x, y, c);
  }
}

void Canvas::roundCorners(const RECT& rect, int radius, COLORREF outside, int corners) {
  if (radius <= 0) return;
  for (int corner = 0; corner < 4; ++corner) {
    if (!(corners & (1 << corner))) continue;
    const bool right = corner == 1 || corner == 2;
    const bool lower = corner == 2 || corner == 3;
    // The corner circle's centre, in pixel-centre coordinates.
    const double cx = right ? rect.right - radius - 0.5 : rect.left + radius - 0.5;
    const double cy = lower ? rect.bottom - radius - 0.5 : rect.top + radius - 0.5;
    for (int dy = 0; dy < radius; ++dy) {
      for (int dx = 0; dx < radius; ++dx) {
        const int x = right ? rect.right - 1 - dx : rect.left + dx;
        const int y = lower ? rect.bottom - 1 - dy : rect.top + dy;
        if (std::hypot(x - cx, y - cy) > radius) setPixel(x, y, outside);
      }
    }
  }
}

void Canvas::outline(const RECT& rect, COLORREF key, COLORREF colour) {
  auto keyed = [&](int x, int y) {
    return x < rect.left || y < rect.top || x >= rect.right || y >= rect.bottom || pixel(x, y) == key;
  };
  std::vector<POINT> points;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x)
      if (!keyed(x, y) && (keyed(x - 1, y) || keyed(x + 1, y) || keyed(x, y - 1) || keyed(x, y + 1)))
        points.push_back(POINT{x, y});
  for (const POINT& p : points) setPixel(p.x, p.y, colour);
}

void Canvas::disc(double cx, double cy, double radius, COLORREF colour) {
  const int x0 = static_cast<int>(std::floor(cx - radius)), x1 = static_cast<int>(std::ceil(cx + radius));
  const int y0 = static_cast<int>(std::floor(cy - radius)), y1 = static_cast<int>(std::ceil(cy + radius));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius) setPixel(x, y, colour);
}

void Canvas::line(int x0, int y0, int x1, int y1, int thickness, COLORREF colour) {
  const int steps = std::max({std::abs(x1 - x0), std::abs(y1 - y0), 1});
  for (int i = 0; i <= steps; ++i) {
    const double x = x0 + (x1 - x0) * static_cast<double>(i) / steps;
    const double y = y0 + (y1 - y0) * static_cast<double>(i) / steps;
    disc(x + 0.5, y + 0.5, thickness / 2.0, colour);
  }
}

void Canvas::text(const RECT& rect, const char* text, COLORREF colour, int points, bool bold, UINT format) {
  if (!bits_ || text == nullptr) return;
  // White glyphs on black in a scratch canvas, then thresholded.
  Canvas scratch(width_, height_);
  if (!scratch.valid()) return;
  scratch.fill(RECT{0, 0, width_, height_}, 0x000000);
  HFONT font = CreateFont(-MulDiv(points, 96, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                          "Tahoma");
  HGDIOBJ old = font ? SelectObject(scratch.dc_, font) : nullptr;
  SetBkMode(scratch.dc_, TRANSPARENT);
  SetTextColor(scratch.dc_, 0xFFFFFF);
  RECT box = rect;
  DrawText(scratch.dc_, text, -1, &box, format);
  if (old) SelectObject(scratch.dc_, old);
  if (font) DeleteObject(font);
  for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, height_); ++y)
    for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, width_); ++x)
      if (GetGValue(scratch.pixel(x, y)) >= 110) setPixel(x, y, colour);
}

bool Canvas::writeBmp(const std::string& path) const {
  if (!bits_) return false;
  const unsigned rowBytes = (static_cast<unsigned>(width_) * 3 + 3) & ~3u;
  const unsigned imageBytes = rowBytes * static_cast<unsigned>(height_);
  std::vector<BYTE> out;
  out.reserve(54 + imageBytes);
  put16(out, 0x4D42);
  put32(out, 54 + imageBytes);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, static_cast<unsigned>(width_));
  put32(out, static_cast<unsigned>(height_));
  put16(out, 1);
  put16(out, 24);
  put32(out, BI_RGB);
  put32(out, imageBytes);
  put32(out, 3780);  // 96 dpi
  put32(out, 3780);
  put32(out, 0);
  put32(out, 0);
  for (int y = height_ - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < width_; ++x) {
      const DWORD p = bits_[static_cast<size_t>(y) * width_ + x];
      out.push_back(static_cast<BYTE>(p));
      out.push_back(static_cast<BYTE>(p >> 8));
      out.push_back(static_cast<BYTE>(p >> 16));
    }
    out.resize(start + rowBytes, 0);
  }
  return save(path, out);
}

bool Canvas::writeIcon(const std::string& path) const { return writeIconFile(path, 1, 1, 32); }

bool Canvas::writeCursor(const std::string& path, int hotX, int hotY) const {
  return writeIconFile(path, 2, static_cast<WORD>(hotX), static_cast<WORD>(hotY));
}

// One 32 x 32 image: a 32-bit colour part and a 1-bit mask (set = transparent).
bool Canvas::writeIconFile(const std::string& path, WORD type, WORD fieldA, WORD fieldB) const {
  if (!bits_ || width_ < kIconSize || height_ < kIconSize) return false;
  const unsigned maskRow = 4;  // 32 bits, already a multiple of 4 bytes
  const unsigned imageBytes = 40 + kIconSize * kIconSize * 4 + maskRow * kIconSize;
  std::vector<BYTE> out;
  put16(out, 0);
  put16(out, type);
  put16(out, 1);
  out.push_back(kIconSize);
  out.push_back(kIconSize);
  out.push_back(0);
  out.push_back(0);
  put16(out, fieldA);
  put16(out, fieldB);
  put32(out, imageBytes);
  put32(out, 6 + 16);
  put32(out, 40);
  put32(out, kIconSize);
  put32(out, kIconSize * 2);
  put16(out, 1);
  put16(out, 32);
  put32(out, BI_RGB);
  put32(out, kIconSize * kIconSize * 4 + maskRow * kIconSize);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  put32(out, 0);
  const DWORD key = toPixel(0x00FFFF);
  for (int y = kIconSize - 1; y >= 0; --y)
    for (int x = 0; x < kIconSize; ++x) {
      const DWORD p = bits_[static_cast<size_t>(y) * width_ + x];
      put32(out, p == key ? 0u : (p | 0xFF000000u));
    }
  for (int y = kIconSize - 1; y >= 0; --y) {
    DWORD bitsOfRow = 0;
    for (int x = 0; x < kIconSize; ++x)
      if (bits_[static_cast<size_t>(y) * width_ + x] == key) bitsOfRow |= 0x80000000u >> x;
    out.push_back(static_cast<BYTE>(bitsOfRow >> 24));
    out.push_back(static_cast<BYTE>(bitsOfRow >> 16));
    out.push_back(static_cast<BYTE>(bitsOfRow >> 8));
    out.push_back(static_cast<BYTE>(bitsOfRow));
  }
  return save(path, out);
}

}  // namespace wavorel::skin
