#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include "platform/win/kernel/AtomicFile.h"

namespace gditest {

Canvas::Canvas(int w, int h, COLORREF fill) : width(w), height(h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* p = nullptr;
  bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
  bits = static_cast<DWORD*>(p);
  dc = CreateCompatibleDC(nullptr);
  previous = SelectObject(dc, bitmap);
  for (int i = 0; i < w * h; ++i) bits[i] = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
}

Canvas::Canvas(const std::vector<std::string>& rows, const std::map<char, COLORREF>& colours)
    : Canvas(static_cast<int>(rows[0].size()), static_cast<int>(rows.size())) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      COLORREF c = colours.at(rows[y][x]);
      bits[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
}

Canvas::~Canvas() {
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

COLORREF Canvas::at(int x, int y) const {
  DWORD v = bits[y * width + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

std::vector<std::string> Canvas::rows(const std::map<char, COLORREF>& colours) const {
  std::vector<std::string> out;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      char ch = '?';
      for (const auto& kv : colours)
        if (kv.second == at(x, y)) ch = kv.first;
      row += ch;
    }
    out.push_back(row);
  }
  return out;
}

void writeFile(const std::string& windowsPath, const std::string& bytes) {
  std::string linuxPath;
  ASSERT_TRUE(wavorel::resolveWindowsPath(windowsPath, linuxPath));
  ASSERT_TRUE(wavorel::writeFileAtomically(linuxPath, bytes));
}

}  // namespace gditest
