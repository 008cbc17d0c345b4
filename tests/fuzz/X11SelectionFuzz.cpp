// libFuzzer target for the reader of other programs' clipboard text (the X
// CLIPBOARD selection's bytes): any bytes, as UTF-8 or Latin-1, give a text
// in the ANSI code page of at most kMaxClipboardText bytes. The first byte
// chooses the form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/present/X11Clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string text = wavorel::present::X11Clipboard::textOf(bytes, (data[0] & 1) != 0);
  if (text.size() > wavorel::kMaxClipboardText) std::abort();
  return 0;
}
