// The keyboard of an X display as a Windows keyboard of the same layout would
// be: which virtual key each X key code is, and the layout table that
// TranslateMessage follows (KeyboardLayout), both made from the X server's
// key mapping (the key syms of each key code, unshifted, shifted and with
// AltGr).
//
// Virtual keys: letters and digits by what they type unshifted ('A'..'Z',
// '0'..'9'), the named keys (Enter, arrows, F1..F24, Shift, Ctrl, Alt ...) by
// their key sym, the punctuation keys by the US virtual key of what they type
// (';' VK_OEM_1, '-' VK_OEM_MINUS ...), and a key whose unshifted key sym has
// none of these (a national letter, a dead key) by its place on the
// keyboard, else by the first free VK_OEM_ code, so that no two keys share
// a virtual key. The number pad gives VK_NUMPAD0..9 and VK_DECIMAL with Num
// Lock on (and no Shift), the editing keys with it off. A key code the
// mapping leaves empty, or whose key sym none of these rules name, is not
// mapped (virtual key 0): its events are dropped.
#pragma once

#include <array>
#include <vector>

#include "platform/win/user/KeyboardLayout.h"

namespace wavorel::present {

class X11Keyboard {
 public:
  struct Key {
    UINT vk = 0;  // 0: the keyboard does not map this key
    UINT scanCode = 0;
    bool extended = false;
    bool altGr = false;  // AltGr: Windows sees Ctrl and Alt
  };

  // `syms` holds, for each key code from `minKeycode` on, its key syms in the
  // order of XGetKeyboardMapping (unshifted, shifted, then those of the
  // second group, then AltGr unshifted and shifted). `numLockMask` is the
  // modifier bit that Num_Lock sets.
  X11Keyboard(int minKeycode, const std::vector<std::vector<unsigned long>>& syms, unsigned numLockMask);

  // The key of an X key event: key code and modifier state.
  Key key(unsigned keycode, unsigned state) const;
  const KeyboardLayout& layout() const { return layout_; }

 private:
  struct Code {
    Key key;
    bool keypad = false;
    UINT numLockVk = 0;  // a number pad key with Num Lock on
  };
  std::array<Code, 256> codes_{};
  unsigned numLockMask_;
  KeyboardLayout layout_;
};

// Reads the key mapping of `display` (a Display*) and makes the keyboard.
X11Keyboard readX11Keyboard(void* display);

}  // namespace wavorel::present
