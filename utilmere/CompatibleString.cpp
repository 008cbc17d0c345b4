// UTF-16 or narrow text of a given length to a CString.
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "utilmere/DoubleByte.h"
#include "utilmere/Log.h"
#include "utilmere/Strings.h"
#include "utilmere/WideText.h"

namespace {

CString wideToCString(const void* source, int length) {
  // The whole text converts whole; a given count of characters goes through a
  // block of count + 1 bytes, so a longer ANSI text is cut before the first
  // character that does not fit.
  if (length < 0) return CString(utilmere::wideToAnsi(source, utilmere::wideLength(source)).c_str());
  std::unique_ptr<char[]> block(new (std::nothrow) char[static_cast<size_t>(length) + 1]());
  if (!block) return CString();
  const std::string ansi = utilmere::wideToAnsi(source, length);
  const int kept = utilmere::wholeCharacters(ansi.data(), static_cast<int>(ansi.size()), length);
  std::memcpy(block.get(), ansi.data(), static_cast<size_t>(kept));
  return CString(block.get());
}

}  // namespace

CString GetCompatibleString(void* source, int wide, int length) {
  if (source == nullptr) return CString();
  try {
    if (wide != 0) return wideToCString(source, length);
    const char* text = static_cast<const char*>(source);
    if (length < 0) return CString(text);
    return CString(text, static_cast<int>(strnlen(text, static_cast<size_t>(length))));
  } catch (CException* e) {
    Log_Exception(e, "In GetCompatibleString() function module");
    e->Delete();
    return CString();
  }
}
