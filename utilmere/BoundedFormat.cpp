// Formatting into a caller's buffer of a given size in characters.
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <string>

#include "utilmere/Strings.h"

namespace {

// A wide format written for the narrow formatter: in a wide format %s and %c
// take wide arguments and %S and %C narrow ones, so the conversions without a
// size prefix get one that says so.
std::string narrowFormat(const std::string& wide) {
  std::string out;
  for (size_t i = 0; i < wide.size(); ++i) {
    out += wide[i];
    if (wide[i] != '%') continue;
    if (i + 1 < wide.size() && wide[i + 1] == '%') {
      out += wide[++i];
      continue;
    }
    size_t j = i + 1;
    while (j < wide.size() && std::strchr("-+ #0123456789.*", wide[j]) != nullptr) out += wide[j++];
    const bool sized = j < wide.size() && std::strchr("hlwIL", wide[j]) != nullptr;
    if (j < wide.size() && !sized) {
      const char c = wide[j];
      if (c == 's' || c == 'c') out += 'l';
      if (c == 'S' || c == 'C') {
        out += 'h';
        out += static_cast<char>(c - 'A' + 'a');
        i = j;
        continue;
      }
    }
    i = j - 1;
  }
  return out;
}

// The whole text of a format with the run-time's conversions.
std::string formatText(const char* format, va_list args) {
  va_list measure;
  va_copy(measure, args);
  const int length = _vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) _vsnprintf(&text[0], text.size(), format, args);
  return text;
}

}  // namespace

int gxSnprintfA(char* buffer, int size, const char* format, ...) {
  if (buffer == nullptr || size < 1) return 0;
  std::memset(buffer, 0, static_cast<size_t>(size));
  va_list args;
  va_start(args, format);
  // At most size - 1 characters; the cleared buffer keeps the text terminated.
  const int written = _vsnprintf(buffer, static_cast<size_t>(size) - 1, format, args);
  va_end(args);
  return written < 0 ? size - 1 : written;
}

// The text is formatted in the ANSI code page and converted back, so
// characters that page cannot hold become '?'.
int gxSnprintfW(WCHAR* buffer, int size, const WCHAR* format, ...) {
  if (buffer == nullptr || size < 1) return 0;
  std::memset(buffer, 0, static_cast<size_t>(size) * sizeof(WCHAR));
  if (format == nullptr) return 0;
  const int formatBytes = WideCharToMultiByte(CP_ACP, 0, format, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(formatBytes > 0 ? formatBytes : 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, format, -1, &narrow[0], formatBytes, nullptr, nullptr);
  narrow.resize(std::strlen(narrow.c_str()));
  va_list args;
  va_start(args, format);
  const std::string text = formatText(narrowFormat(narrow).c_str(), args);
  va_end(args);
  if (text.empty()) return 0;
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string converted(static_cast<size_t>(wide), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &converted[0], wide);
  size_t count = std::min(converted.size(), static_cast<size_t>(size) - 1);
  // Keep a surrogate pair whole.
  if (count > 0 && count < converted.size() && converted[count - 1] >= 0xD800 && converted[count - 1] < 0xDC00) --count;
  std::memcpy(buffer, converted.data(), count * sizeof(WCHAR));
  return static_cast<int>(count);
}
