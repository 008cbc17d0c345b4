// Helpers of the GDI tests: small 32-bit pictures drawn from character maps,
// DCs over them, and files at Windows paths.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win/gdi/Gdi.h"

namespace gditest {

// A 32-bit top-down DIB section selected into a new memory DC.
struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  DWORD* bits = nullptr;
  int width = 0;
  int height = 0;

  Canvas(int w, int h, COLORREF fill = RGB(255, 255, 255));
  // Rows of characters, each mapped to a colour.
  Canvas(const std::vector<std::string>& rows, const std::map<char, COLORREF>& colours);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  COLORREF at(int x, int y) const;
  // The picture as rows of characters (colours not in the map become '?').
  std::vector<std::string> rows(const std::map<char, COLORREF>& colours) const;
};

// Writes bytes to a Windows path of the test's platform root.
void writeFile(const std::string& windowsPath, const std::string& bytes);

}  // namespace gditest
