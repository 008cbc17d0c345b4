// The keyboard: key events become WM_KEYDOWN / WM_SYSKEYDOWN with Windows'
// flags, TranslateMessage types what a Windows keyboard of the layout types,
// and the X server's key mapping (here given as tables) makes the virtual
// keys and the layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/present/X11Keyboard.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/KeyboardLayout.h"

// After the platform: X's macros (None ...) would clash with it.
#include <X11/X.h>
#include <X11/keysym.h>

#include "tests/platform/paint/XvfbServer.h"

namespace {

using wavorel::KeyboardLayout;
using wavorel::present::X11Keyboard;

class KeyboardTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    hwnd_ = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetFocus(hwnd_);
  }
  // Presses (and releases) keys and gives the characters the loop typed.
  std::string type(std::initializer_list<UINT> vks) {
    std::string typed;
    for (UINT vk : vks) {
      wavorel::keyboardInput(vk, true);
      wavorel::keyboardInput(vk, false);
    }
    MSG msg;
    while (PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
      if (msg.message == WM_CHAR) typed += static_cast<char>(msg.wParam);
      TranslateMessage(&msg);
    }
    return typed;
  }
  static void hold(UINT vk, bool down) { wavorel::keyboardInput(vk, down); }

  HWND hwnd_ = nullptr;
};

TEST_F(KeyboardTest, ShiftCapsLockPunctuationAndTheNumberPadTypeAsOnWindows) {
  EXPECT_EQ(type({'P', 'A', VK_OEM_MINUS, '1', VK_OEM_PERIOD, VK_SPACE}), "pa-1. ");
  hold(VK_SHIFT, true);
  EXPECT_EQ(type({'P', VK_OEM_MINUS, '1', '2', VK_OEM_7, VK_OEM_2, VK_OEM_1}), "P_!@\"?:");
  hold(VK_SHIFT, false);
  EXPECT_EQ(type({VK_CAPITAL, 'W', '1', VK_OEM_4}), "W1[") << "Caps Lock shifts the letters alone";
  hold(VK_SHIFT, true);
  EXPECT_EQ(type({'W'}), "w") << "Shift undoes Caps Lock";
  hold(VK_SHIFT, false);
  EXPECT_EQ(type({VK_CAPITAL, VK_NUMPAD0 + 7, VK_DECIMAL, VK_ADD, VK_DIVIDE, VK_RETURN, VK_BACK, VK_TAB}),
            "7.+/\r\b\t");
  EXPECT_EQ(type({VK_LEFT, VK_F4, VK_SHIFT, VK_DELETE}), "") << "keys that type nothing";
  hold(VK_CONTROL, true);
  EXPECT_EQ(type({'C', 'V', VK_OEM_4, '1', VK_RETURN}), std::string("\x03\x16\x1B\n"));
  hold(VK_CONTROL, false);
}

TEST_F(KeyboardTest, AltMakesSystemKeysWithTheContextFlag) {
  struct Got {
    UINT msg;
    WPARAM vk;
    LPARAM flags;
  };
  std::vector<Got> got;
  hold(VK_MENU, true);
  wavorel::keyboardInput(VK_DOWN, true, 0x50, true);
  wavorel::keyboardInput(VK_DOWN, true, 0x50, true);  // held: a repeat
  wavorel::keyboardInput(VK_DOWN, false, 0x50, true);
  hold(VK_MENU, false);
  wavorel::keyboardInput(VK_F10, true);
  MSG msg;
  while (PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) got.push_back({msg.message, msg.wParam, msg.lParam});
  ASSERT_EQ(got.size(), 6u);
  EXPECT_EQ(got[0].msg, static_cast<UINT>(WM_SYSKEYDOWN));
  EXPECT_EQ(got[1].msg, static_cast<UINT>(WM_SYSKEYDOWN));
  EXPECT_EQ(got[1].vk, static_cast<WPARAM>(VK_DOWN));
  EXPECT_EQ(static_cast<DWORD>(got[1].flags), 1u | (0x50u << 16) | (1u << 24) | (1u << 29));
  EXPECT_EQ(static_cast<DWORD>(got[2].flags) & (1u << 30), 1u << 30) << "the repeat was down before";
  EXPECT_EQ(got[3].msg, static_cast<UINT>(WM_SYSKEYUP));
  EXPECT_EQ(got[4].msg, static_cast<UINT>(WM_SYSKEYUP)) << "Alt's own release";
  EXPECT_EQ(got[5].msg, static_cast<UINT>(WM_SYSKEYDOWN)) << "F10 is a system key";
}

TEST_F(KeyboardTest, AltGrTypesTheThirdLevelAndAltAloneASystemCharacter) {
  KeyboardLayout layout = KeyboardLayout::us();
  layout.set('Q', KeyboardLayout::Key{'q', 'Q', '@', true});
  wavorel::setKeyboardLayout(layout);
  hold(VK_CONTROL, true);
  hold(VK_MENU, true);
  EXPECT_EQ(type({'Q', 'W'}), "@") << "W has no AltGr character";
  hold(VK_CONTROL, false);
  MSG msg;
  wavorel::keyboardInput('W', true);
  std::vector<UINT> kinds;
  while (PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    TranslateMessage(&msg);
    kinds.push_back(msg.message);
  }
  hold(VK_MENU, false);
  EXPECT_EQ(kinds.back(), static_cast<UINT>(WM_SYSCHAR));
}

// The X server's key syms of a key code: unshifted, shifted, the second
// group's two, then AltGr's two.
using Syms = std::vector<unsigned long>;

std::vector<Syms> pcKeyboard(std::vector<std::pair<unsigned, Syms>> keys) {
  std::vector<Syms> table(248);  // key codes 8..255
  for (auto& k : keys) table[k.first - 8] = k.second;
  return table;
}

TEST_F(KeyboardTest, TheXKeyMapGivesVirtualKeysAndTheLayout) {
  // A German keyboard, in part: Z and Y swapped, ß and the dead acute where
  // the US keyboard has - and =, the minus where it has /, < > | beside the
  // left Shift, AltGr.
  constexpr unsigned kNumLock = Mod2Mask;
  X11Keyboard keyboard(8,
                       pcKeyboard({{29, {XK_z, XK_Z}},
                                   {52, {XK_y, XK_Y}},
                                   {20, {XK_ssharp, XK_question, 0, 0, XK_backslash}},
                                   {21, {XK_dead_acute, XK_dead_grave}},
                                   {61, {XK_minus, XK_underscore}},
                                   {94, {XK_less, XK_greater, 0, 0, XK_bar}},
                                   {24, {XK_q, XK_Q, 0, 0, XK_at}},
                                   {10, {XK_1, XK_exclam}},
                                   {50, {XK_Shift_L}},
                                   {108, {XK_ISO_Level3_Shift}},
                                   {79, {XK_KP_Home, XK_KP_7}},
                                   {113, {XK_Left}},
                                   {250, {}}}),
                       kNumLock);
  EXPECT_EQ(keyboard.key(29, 0).vk, static_cast<UINT>('Z'));
  EXPECT_EQ(keyboard.key(52, 0).vk, static_cast<UINT>('Y'));
  EXPECT_EQ(keyboard.key(61, 0).vk, static_cast<UINT>(VK_OEM_MINUS)) << "by what it types";
  EXPECT_EQ(keyboard.key(94, 0).vk, static_cast<UINT>(VK_OEM_102));
  UINT sharp = keyboard.key(20, 0).vk, acute = keyboard.key(21, 0).vk;
  EXPECT_NE(sharp, 0u);
  EXPECT_NE(acute, 0u);
  EXPECT_NE(sharp, static_cast<UINT>(VK_OEM_MINUS)) << "no two keys share a virtual key";
  EXPECT_EQ(acute, static_cast<UINT>(VK_OEM_PLUS)) << "by its place, where that is free";
  EXPECT_EQ(keyboard.key(10, 0).scanCode, 2u);
  EXPECT_EQ(keyboard.key(50, 0).vk, static_cast<UINT>(VK_SHIFT));
  EXPECT_TRUE(keyboard.key(108, 0).altGr);
  EXPECT_TRUE(keyboard.key(113, 0).extended);
  EXPECT_EQ(keyboard.key(79, 0).vk, static_cast<UINT>(VK_HOME));
  EXPECT_EQ(keyboard.key(79, kNumLock).vk, static_cast<UINT>(VK_NUMPAD0 + 7));
  EXPECT_EQ(keyboard.key(79, kNumLock | ShiftMask).vk, static_cast<UINT>(VK_HOME));
  EXPECT_EQ(keyboard.key(250, 0).vk, 0u) << "a key code without key syms is not mapped";
  EXPECT_EQ(keyboard.key(9, 0).vk, 0u);
  EXPECT_EQ(keyboard.key(300, 0).vk, 0u);

  const KeyboardLayout& layout = keyboard.layout();
  EXPECT_EQ(layout.character('Y', false, false, false, false), 'y');
  EXPECT_EQ(layout.character('Y', true, false, false, false), 'Y');
  EXPECT_EQ(layout.character(sharp, false, false, false, false), '\xDF') << "ß in code page 1252";
  EXPECT_EQ(layout.character(sharp, true, false, false, false), '?');
  EXPECT_EQ(layout.character(sharp, false, true, false, false), '\xDF') << "Caps Lock leaves ß";
  EXPECT_EQ(layout.character(sharp, false, false, true, true), '\\') << "AltGr";
  EXPECT_EQ(layout.character('Q', false, false, true, true), '@');
  EXPECT_EQ(layout.character(VK_OEM_102, true, false, false, false), '>');
  EXPECT_EQ(layout.character(acute, false, false, false, false), 0) << "a dead key types nothing by itself";
  EXPECT_EQ(layout.character(VK_NUMPAD0 + 7, false, false, false, false), '7');
  EXPECT_GE(sharp, static_cast<UINT>(VK_OEM_1)) << "a spare punctuation code";
}

// The mapping read from a server (Xvfb's US keyboard): the key codes' virtual
// keys, and the modifier that Num_Lock's key sets, found in the mapping
// itself, turning the number pad's digits on.
TEST_F(KeyboardTest, TheServersKeyMapIsReadWithItsNumLockModifier) {
  wavorel::testing::Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  X11Keyboard keyboard = wavorel::present::readX11Keyboard(server.display());
  EXPECT_EQ(keyboard.key(38, 0).vk, static_cast<UINT>('A'));
  EXPECT_EQ(keyboard.key(79, 0).vk, static_cast<UINT>(VK_HOME));
  EXPECT_EQ(keyboard.key(79, Mod2Mask).vk, static_cast<UINT>(VK_NUMPAD0 + 7));
  EXPECT_EQ(keyboard.key(79, Mod1Mask).vk, static_cast<UINT>(VK_HOME));
}

}  // namespace
