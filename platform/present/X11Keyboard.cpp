#include "platform/present/X11Keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <utility>

#include "platform/win/kernel/CodePage.h"

namespace wavorel::present {

namespace {

// The X key code of a key is its Linux (evdev) code plus 8; the Windows scan
// code of the keys of a PC keyboard is the same number.
constexpr unsigned kEvdevOffset = 8;

UINT namedVk(KeySym s) {
  if (s >= XK_F1 && s <= XK_F24) return static_cast<UINT>(VK_F1 + (s - XK_F1));
  switch (s) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab: return VK_TAB;
    case XK_Return: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Delete: return VK_DELETE;
    case XK_Insert: return VK_INSERT;
    case XK_Home: return VK_HOME;
    case XK_End: return VK_END;
    case XK_Prior: return VK_PRIOR;
    case XK_Next: return VK_NEXT;
    case XK_Left: return VK_LEFT;
    case XK_Up: return VK_UP;
    case XK_Right: return VK_RIGHT;
    case XK_Down: return VK_DOWN;
    case XK_Clear: return VK_CLEAR;
    case XK_Pause: return VK_PAUSE;
    case XK_Print: return VK_SNAPSHOT;
    case XK_Caps_Lock: return VK_CAPITAL;
    case XK_Num_Lock: return VK_NUMLOCK;
    case XK_Scroll_Lock: return VK_SCROLL;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift: return VK_MENU;
    case XK_Super_L: return VK_LWIN;
    case XK_Super_R: return VK_RWIN;
    case XK_Menu: return VK_APPS;
    default: return 0;
  }
}

bool isExtended(KeySym s) {
  switch (s) {
    case XK_Control_R:
    case XK_Alt_R:
    case XK_ISO_Level3_Shift:
    case XK_Insert:
    case XK_Delete:
    case XK_Home:
    case XK_End:
    case XK_Prior:
    case XK_Next:
    case XK_Left:
    case XK_Up:
    case XK_Right:
    case XK_Down:
    case XK_KP_Enter:
    case XK_KP_Divide:
    case XK_Num_Lock:
    case XK_Print:
    case XK_Super_L:
    case XK_Super_R:
    case XK_Menu: return true;
    default: return false;
  }
}

bool isKeypad(KeySym s) { return s >= XK_KP_Space && s <= XK_KP_9; }

UINT keypadVk(KeySym s) {
  if (s >= XK_KP_0 && s <= XK_KP_9) return static_cast<UINT>(VK_NUMPAD0 + (s - XK_KP_0));
  switch (s) {
    case XK_KP_Multiply: return VK_MULTIPLY;
    case XK_KP_Add: return VK_ADD;
    case XK_KP_Separator: return VK_SEPARATOR;
    case XK_KP_Subtract: return VK_SUBTRACT;
    case XK_KP_Decimal: return VK_DECIMAL;
    case XK_KP_Divide: return VK_DIVIDE;
    case XK_KP_Enter: return VK_RETURN;
    case XK_KP_Home: return VK_HOME;
    case XK_KP_End: return VK_END;
    case XK_KP_Prior: return VK_PRIOR;
    case XK_KP_Next: return VK_NEXT;
    case XK_KP_Left: return VK_LEFT;
    case XK_KP_Up: return VK_UP;
    case XK_KP_Right: return VK_RIGHT;
    case XK_KP_Down: return VK_DOWN;
    case XK_KP_Begin: return VK_CLEAR;
    case XK_KP_Insert: return VK_INSERT;
    case XK_KP_Delete: return VK_DELETE;
    default: return 0;
  }
}

// The virtual key of a character key by what it types unshifted.
UINT characterVk(KeySym s) {
  if (s >= XK_a && s <= XK_z) return static_cast<UINT>('A' + (s - XK_a));
  if (s >= XK_A && s <= XK_Z) return static_cast<UINT>(s);
  if (s >= XK_0 && s <= XK_9) return static_cast<UINT>(s);
  switch (s) {
    case XK_semicolon: return VK_OEM_1;
    case XK_equal: return VK_OEM_PLUS;
    case XK_comma: return VK_OEM_COMMA;
    case XK_minus: return VK_OEM_MINUS;
    case XK_period: return VK_OEM_PERIOD;
    case XK_slash: return VK_OEM_2;
    case XK_grave: return VK_OEM_3;
    case XK_bracketleft: return VK_OEM_4;
    case XK_backslash: return VK_OEM_5;
    case XK_bracketright: return VK_OEM_6;
    case XK_apostrophe: return VK_OEM_7;
    case XK_less: return VK_OEM_102;
    default: return 0;
  }
}

// The US virtual key at a key's place (evdev code) on a PC keyboard.
UINT placeVk(unsigned evdev) {
  static const std::pair<unsigned, const char*> rows[] = {{16, "QWERTYUIOP"}, {30, "ASDFGHJKL"}, {44, "ZXCVBNM"}};
  for (const auto& row : rows) {
    size_t length = std::char_traits<char>::length(row.second);
    if (evdev >= row.first && evdev < row.first + length) return static_cast<UINT>(row.second[evdev - row.first]);
  }
  if (evdev >= 2 && evdev <= 10) return static_cast<UINT>('1' + (evdev - 2));
  switch (evdev) {
    case 11: return '0';
    case 12: return VK_OEM_MINUS;
    case 13: return VK_OEM_PLUS;
    case 26: return VK_OEM_4;
    case 27: return VK_OEM_6;
    case 39: return VK_OEM_1;
    case 40: return VK_OEM_7;
    case 41: return VK_OEM_3;
    case 43: return VK_OEM_5;
    case 51: return VK_OEM_COMMA;
    case 52: return VK_OEM_PERIOD;
    case 53: return VK_OEM_2;
    case 86: return VK_OEM_102;
    default: return 0;
  }
}

// The codes Windows keeps for the keys of national layouts.
const UINT kSpareVks[] = {VK_OEM_1,  VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3,
                          VK_OEM_4,  VK_OEM_5,    VK_OEM_6,     VK_OEM_7,     0xDF,          0xE1,     VK_OEM_102,
                          0xE3,      0xE4,        0xE6,         0xE9,         0xEA,          0xEB,     0xEC};

// The character a key sym types, in the ANSI code page; 0 for none.
char ansiOf(KeySym s) {
  unsigned long code = 0;
  if ((s >= 0x20 && s <= 0x7E) || (s >= 0xA0 && s <= 0xFF))
    code = s;
  else if ((s & 0xFF000000UL) == 0x01000000UL)
    code = s & 0x00FFFFFFUL;
  else if (s == XK_EuroSign)
    code = 0x20AC;
  if (code == 0 || code > 0xFFFF) return 0;
  WCHAR wide = static_cast<WCHAR>(code);
  char out = 0;
  BOOL defaulted = FALSE;
  if (WideCharToMultiByte(CP_ACP, 0, &wide, 1, &out, 1, nullptr, &defaulted) != 1 || defaulted) return 0;
  return out;
}

KeySym symAt(const std::vector<unsigned long>& syms, size_t i) { return i < syms.size() ? syms[i] : NoSymbol; }

}  // namespace

X11Keyboard::X11Keyboard(int minKeycode, const std::vector<std::vector<unsigned long>>& syms, unsigned numLockMask)
    : numLockMask_(numLockMask) {
  const KeyboardLayout us = KeyboardLayout::us();
  for (UINT vk = VK_NUMPAD0; vk <= VK_DIVIDE; ++vk) layout_.set(vk, us.key(vk));
  layout_.set(VK_SPACE, us.key(VK_SPACE));
  std::array<bool, 256> taken{};
  std::vector<unsigned> unplaced;  // key codes of character keys without a virtual key yet
  auto keycodeOf = [minKeycode](size_t i) { return static_cast<unsigned>(minKeycode) + static_cast<unsigned>(i); };
  auto giveCharacterKey = [&](unsigned keycode, const std::vector<unsigned long>& keySyms, UINT vk) {
    taken[vk] = true;
    Code& code = codes_[keycode];
    code.key.vk = vk;
    KeySym normal = symAt(keySyms, 0), shifted = symAt(keySyms, 1);
    KeySym lower = NoSymbol, upper = NoSymbol;
    XConvertCase(normal, &lower, &upper);
    if (shifted == NoSymbol) shifted = upper;
    KeyboardLayout::Key k;
    k.normal = ansiOf(normal);
    k.shifted = ansiOf(shifted);
    k.altGr = ansiOf(symAt(keySyms, 4));
    k.capsLock = lower != upper && shifted == upper;
    layout_.set(vk, k);
  };
  for (size_t i = 0; i < syms.size(); ++i) {
    unsigned keycode = keycodeOf(i);
    if (keycode >= codes_.size()) break;
    KeySym first = symAt(syms[i], 0);
    if (first == NoSymbol) continue;
    Code& code = codes_[keycode];
    code.key.scanCode = keycode >= kEvdevOffset ? (keycode - kEvdevOffset) & 0xFF : 0;
    code.key.extended = isExtended(first);
    code.key.altGr = first == XK_ISO_Level3_Shift;
    if (isKeypad(first)) {
      code.keypad = true;
      code.key.vk = keypadVk(first);
      KeySym withNumLock = symAt(syms[i], 1);
      code.numLockVk = isKeypad(withNumLock) ? keypadVk(withNumLock) : code.key.vk;
    } else if (UINT named = namedVk(first)) {
      code.key.vk = named;
    } else if (UINT vk = characterVk(first); vk && !taken[vk]) {
      giveCharacterKey(keycode, syms[i], vk);
    } else {
      unplaced.push_back(static_cast<unsigned>(i));
    }
  }
  // Keys of national letters and dead keys: their place's US key, else a spare code.
  for (unsigned i : unplaced) {
    unsigned keycode = keycodeOf(i);
    UINT vk = keycode >= kEvdevOffset ? placeVk(keycode - kEvdevOffset) : 0;
    if (!vk || taken[vk]) {
      vk = 0;
      for (UINT spare : kSpareVks)
        if (!taken[spare]) {
          vk = spare;
          break;
        }
    }
    if (vk) giveCharacterKey(keycode, syms[i], vk);
  }
}

X11Keyboard::Key X11Keyboard::key(unsigned keycode, unsigned state) const {
  if (keycode >= codes_.size()) return {};
  const Code& code = codes_[keycode];
  Key k = code.key;
  if (code.keypad && numLockMask_ && (state & numLockMask_) && !(state & ShiftMask)) k.vk = code.numLockVk;
  return k;
}

X11Keyboard readX11Keyboard(void* display) {
  auto* d = static_cast<Display*>(display);
  int minKeycode = 0, maxKeycode = 0, perCode = 0;
  XDisplayKeycodes(d, &minKeycode, &maxKeycode);
  std::vector<std::vector<unsigned long>> syms;
  if (KeySym* all = XGetKeyboardMapping(d, static_cast<KeyCode>(minKeycode), maxKeycode - minKeycode + 1, &perCode)) {
    for (int code = minKeycode; code <= maxKeycode; ++code) {
      const KeySym* first = all + static_cast<ptrdiff_t>(code - minKeycode) * perCode;
      syms.emplace_back(first, first + perCode);
    }
    XFree(all);
  }
  // The modifier bit that Num_Lock sets. Its key is looked up in the mapping
  // just read, as XKeysymToKeycode would (each level across all keys, the
  // first level first), without the round trip for the server's whole
  // keyboard description that XKeysymToKeycode makes.
  KeyCode numLock = 0;
  for (int level = 0; level < perCode && !numLock; ++level)
    for (size_t i = 0; i < syms.size() && !numLock; ++i)
      if (symAt(syms[i], static_cast<size_t>(level)) == XK_Num_Lock)
        numLock = static_cast<KeyCode>(minKeycode + static_cast<int>(i));
  unsigned numLockMask = 0;
  if (XModifierKeymap* modifiers = XGetModifierMapping(d)) {
    for (int bit = 0; bit < 8 && numLock; ++bit)
      for (int k = 0; k < modifiers->max_keypermod; ++k)
        if (modifiers->modifiermap[bit * modifiers->max_keypermod + k] == numLock) numLockMask = 1u << bit;
    XFreeModifiermap(modifiers);
  }
  return X11Keyboard(minKeycode, syms, numLockMask);
}

}  // namespace wavorel::present
