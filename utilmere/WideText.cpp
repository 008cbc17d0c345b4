#include "utilmere/WideText.h"

#include <cstring>

namespace utilmere {

int wideLength(const void* text) {
  const char* bytes = static_cast<const char*>(text);
  int count = 0;
  for (;; ++count) {
    WCHAR c;
    std::memcpy(&c, bytes + 2 * count, sizeof c);
    if (c == 0) return count;
  }
}

std::string wideToAnsi(const void* text, int count) {
  if (count <= 0) return std::string();
  std::u16string wide(static_cast<size_t>(count), u'\0');
  std::memcpy(&wide[0], text, static_cast<size_t>(count) * sizeof(WCHAR));
  const int needed = WideCharToMultiByte(CP_ACP, 0, wide.data(), count, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string();
  std::string ansi(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), count, &ansi[0], needed, nullptr, nullptr);
  return ansi;
}

}  // namespace utilmere
