#include "platform/win/user/Input.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <mutex>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

namespace {

std::mutex g_mutex;
std::bitset<256> g_asyncDown;
POINT g_cursor{0, 0};

// The key state of the thread's messages: bit 0x80 down, bit 1 toggled.
thread_local std::array<unsigned char, 256> t_keys{};
// The point of the message the thread took last.
thread_local POINT t_messagePos{0, 0};

const bool g_reset = (wavorel::registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_mutex);
                        g_asyncDown.reset();
                        g_cursor = POINT{0, 0};
                        t_keys.fill(0);
                        t_messagePos = POINT{0, 0};
                      }),
                      true);

}  // namespace

SHORT GetKeyState(int nVirtKey) {
  unsigned char k = t_keys[static_cast<size_t>(nVirtKey & 0xFF)];
  return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

SHORT GetAsyncKeyState(int vKey) {
  std::lock_guard<std::mutex> lock(g_mutex);
  return static_cast<SHORT>(g_asyncDown[static_cast<size_t>(vKey & 0xFF)] ? 0x8000 : 0);
}

BOOL GetCursorPos(LPPOINT lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  std::lock_guard<std::mutex> lock(g_mutex);
  *lpPoint = g_cursor;
  return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
  LONG x = std::clamp<LONG>(X, 0, GetSystemMetrics(SM_CXSCREEN) - 1);
  LONG y = std::clamp<LONG>(Y, 0, GetSystemMetrics(SM_CYSCREEN) - 1);
  wavorel::setCursorPos(POINT{x, y});
  return TRUE;
}

DWORD GetMessagePos() {
  return static_cast<DWORD>(MAKELONG(t_messagePos.x, t_messagePos.y));
}

namespace wavorel {

bool setAsyncKeyDown(UINT vk, bool down) {
  std::lock_guard<std::mutex> lock(g_mutex);
  bool was = g_asyncDown[vk & 0xFF];
  g_asyncDown[vk & 0xFF] = down;
  return was;
}

bool keyboardInput(UINT vk, bool down, UINT scanCode, bool extended) {
  auto& wm = WindowManager::instance();
  auto target = wm.find(wm.focus ? wm.focus : wm.active);
  if (!target || !target->queue) return false;
  bool wasDown = setAsyncKeyDown(vk, down);
  bool alt = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
  bool ctrl = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
  bool system = (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU && !ctrl);
  UINT msg = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  auto flags = static_cast<DWORD>(1 | ((scanCode & 0xFF) << 16));
  if (extended) flags |= 1u << 24;
  if (alt && !ctrl) flags |= 1u << 29;
  if (wasDown) flags |= 1u << 30;
  if (!down) flags |= 1u << 31;
  MSG m{target->hwnd, msg, vk, static_cast<LPARAM>(flags), static_cast<DWORD>(clock().tickMs()), {0, 0}};
  GetCursorPos(&m.pt);
  target->queue->post(m, true);
  return true;
}

HWND keyboardInputTarget() {
  auto& wm = WindowManager::instance();
  auto target = wm.find(wm.focus ? wm.focus : wm.active);
  return target && target->queue == MessageQueue::current() ? target->hwnd : nullptr;
}

void setKeyToggled(UINT vk, bool on) {
  unsigned char& k = t_keys[vk & 0xFF];
  k = static_cast<unsigned char>(on ? (k | 1) : (k & ~1));
}

void noteRetrievedMessage(const MSG& msg) {
  t_messagePos = msg.pt;
  bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (!down && msg.message != WM_KEYUP && msg.message != WM_SYSKEYUP) return;
  unsigned char& k = t_keys[msg.wParam & 0xFF];
  if (down && !(k & 0x80)) k ^= 1;
  k = static_cast<unsigned char>(down ? (k | 0x80) : (k & ~0x80));
}

void setCursorPos(POINT pt) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_cursor = pt;
}

}  // namespace wavorel
