// libFuzzer target for the X key map reader: any key syms for any key codes
// give a keyboard whose keys and layout answer without reading outside their
// tables. Bytes: the first key code, the key syms per key code (1..8), then
// the key syms, four bytes each.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/present/X11Keyboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int minKeycode = data[0];
  const size_t per = 1 + data[1] % 8;
  std::vector<std::vector<unsigned long>> syms;
  for (size_t at = 2; at + 4 * per <= size && syms.size() < 300; at += 4 * per) {
    std::vector<unsigned long> code;
    for (size_t k = 0; k < per; ++k) {
      const uint8_t* b = data + at + 4 * k;
      code.push_back(static_cast<unsigned long>(b[0]) | (static_cast<unsigned long>(b[1]) << 8) |
                     (static_cast<unsigned long>(b[2]) << 16) | (static_cast<unsigned long>(b[3]) << 24));
    }
    syms.push_back(code);
  }
  wavorel::present::X11Keyboard keyboard(minKeycode, syms, 0x10);
  for (unsigned keycode = 0; keycode < 260; ++keycode)
    for (unsigned state : {0u, 1u, 0x10u, 0x11u}) {
      UINT vk = keyboard.key(keycode, state).vk;
      keyboard.layout().character(vk, (state & 1) != 0, (state & 2) != 0, false, false);
    }
  return 0;
}
