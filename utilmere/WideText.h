// UTF-16 texts handed to the library as untyped pointers, read without
// assuming their alignment, and converted to the ANSI code page.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace utilmere {

// Characters before the terminating zero.
int wideLength(const void* text);
// `count` UTF-16 characters of `text` in the ANSI code page.
std::string wideToAnsi(const void* text, int count);

}  // namespace utilmere
