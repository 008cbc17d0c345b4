#include "platform/win/user/KeyInput.h"

#include "platform/win/kernel/Clock.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

namespace wavorel {

bool sendKey(UINT vk, bool down) {
  auto& wm = WindowManager::instance();
  auto target = wm.find(wm.focus ? wm.focus : wm.active);
  if (!target || !target->queue) return false;
  bool wasDown = setAsyncKeyDown(vk, down);
  // Repeat count 1; bit 30: the key was down before; bit 31: the key is being released.
  LPARAM flags = 1 | (wasDown ? (1L << 30) : 0) | (down ? 0 : static_cast<LPARAM>(1UL << 31));
  MSG m{target->hwnd, static_cast<UINT>(down ? WM_KEYDOWN : WM_KEYUP), vk, flags, static_cast<DWORD>(clock().tickMs()),
        {0, 0}};
  target->queue->post(m, true);
  return true;
}

}  // namespace wavorel
