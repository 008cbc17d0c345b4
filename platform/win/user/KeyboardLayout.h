// The keyboard layout that TranslateMessage follows, as a Windows layout
// table: for each virtual key the character it types alone, with Shift and
// with AltGr (Ctrl+Alt), and whether Caps Lock works as Shift on it (the
// letters). Characters are in the ANSI code page; 0 is "types nothing".
//
// The process starts with the US layout; the X display puts in the layout of
// the X server's keyboard when it connects.
#pragma once

#include <array>

#include "platform/win/user/User.h"

namespace wavorel {

class KeyboardLayout {
 public:
  struct Key {
    char normal = 0;
    char shifted = 0;
    char altGr = 0;
    bool capsLock = false;
  };

  // The US layout: letters, digits, the punctuation keys (VK_OEM_*), space,
  // and the number pad's digits and operators.
  static KeyboardLayout us();

  void set(UINT vk, const Key& key) { keys_[vk & 0xFF] = key; }
  const Key& key(UINT vk) const { return keys_[vk & 0xFF]; }

  // The character of WM_CHAR / WM_SYSCHAR for `vk` with the modifiers:
  // Shift (inverted by Caps Lock on a letter), AltGr as Ctrl+Alt, and the
  // control characters a Windows keyboard types with Ctrl (Ctrl+A is 1 ...
  // Ctrl+Z 26, Ctrl+[ 27, Ctrl+\ 28, Ctrl+] 29, Ctrl+Enter 10, Ctrl+Backspace
  // 127). Enter, Backspace, Tab and Escape type CR, BS, TAB and ESC. 0 when
  // the key types nothing.
  char character(UINT vk, bool shift, bool capsLock, bool ctrl, bool alt) const;

 private:
  std::array<Key, 256> keys_{};
};

// The layout of the process (any thread).
void setKeyboardLayout(const KeyboardLayout& layout);
KeyboardLayout keyboardLayout();

}  // namespace wavorel
