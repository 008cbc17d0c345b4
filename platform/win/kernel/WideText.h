// Conversions between the platform's narrow texts (UTF-8) and the UTF-16
// code units that Windows keeps in binary records (resources, wide strings).
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

namespace wavorel {

// Malformed UTF-8 sequences become U+FFFD.
std::u16string utf8ToUtf16(const std::string& text);
// `count` code units from `text`; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(const WCHAR* text, size_t count);

}  // namespace wavorel
