#include "platform/win/user/KeyboardLayout.h"

#include <mutex>

#include "platform/win/kernel/Root.h"

namespace wavorel {

namespace {

std::mutex g_mutex;
KeyboardLayout& current() {
  static KeyboardLayout layout = KeyboardLayout::us();
  return layout;
}

const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_mutex);
                        current() = KeyboardLayout::us();
                      }),
                      true);

}  // namespace

KeyboardLayout KeyboardLayout::us() {
  KeyboardLayout layout;
  for (char c = 'A'; c <= 'Z'; ++c)
    layout.set(static_cast<UINT>(c), Key{static_cast<char>(c - 'A' + 'a'), c, 0, true});
  const char* shiftedDigits = ")!@#$%^&*(";
  for (int d = 0; d <= 9; ++d) {
    layout.set(static_cast<UINT>('0' + d), Key{static_cast<char>('0' + d), shiftedDigits[d], 0, false});
    layout.set(static_cast<UINT>(VK_NUMPAD0 + d), Key{static_cast<char>('0' + d), static_cast<char>('0' + d), 0, false});
  }
  const struct {
    UINT vk;
    char normal, shifted;
  } keys[] = {{VK_SPACE, ' ', ' '},       {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},
              {VK_OEM_COMMA, ',', '<'},   {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'},
              {VK_OEM_2, '/', '?'},       {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
              {VK_OEM_5, '\\', '|'},      {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
              {VK_OEM_102, '\\', '|'},    {VK_MULTIPLY, '*', '*'},  {VK_ADD, '+', '+'},
              {VK_SUBTRACT, '-', '-'},    {VK_DECIMAL, '.', '.'},   {VK_DIVIDE, '/', '/'}};
  for (const auto& k : keys) layout.set(k.vk, Key{k.normal, k.shifted, 0, false});
  return layout;
}

char KeyboardLayout::character(UINT vk, bool shift, bool capsLock, bool ctrl, bool alt) const {
  switch (vk) {
    case VK_RETURN: return ctrl && !alt ? '\n' : '\r';
    case VK_BACK: return ctrl && !alt ? '\x7F' : '\b';
    case VK_TAB: return ctrl ? 0 : '\t';
    case VK_ESCAPE: return '\x1B';
    default: break;
  }
  const Key& k = key(vk);
  if (ctrl && alt) return k.altGr;
  if (ctrl) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 1);
    switch (k.normal) {
      case '[': return '\x1B';
      case '\\': return '\x1C';
      case ']': return '\x1D';
      default: return 0;
    }
  }
  bool shifted = (k.capsLock && capsLock) ? !shift : shift;
  return shifted ? k.shifted : k.normal;
}

void setKeyboardLayout(const KeyboardLayout& layout) {
  std::lock_guard<std::mutex> lock(g_mutex);
  current() = layout;
}

KeyboardLayout keyboardLayout() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return current();
}

}  // namespace wavorel
