#include "platform/win/user/MessageLoop.h"

#include <algorithm>

#include "platform/win/kernel/Clock.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

namespace wavorel {

size_t pumpMessages() {
  auto q = MessageQueue::current();
  size_t count = 0;
  MSG msg;
  while (q->peek(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      q->postQuit(static_cast<int>(msg.wParam));
      break;
    }
    noteRetrievedMessage(msg);
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    ++count;
  }
  return count;
}

void runFor(uint64_t ms) {
  auto q = MessageQueue::current();
  uint64_t end = clock().tickMs() + ms;
  for (;;) {
    pumpMessages();
    uint64_t now = clock().tickMs();
    if (now >= end) break;
    uint64_t next = std::min(q->timers().nextDue(), end);
    clock().sleepMs(next > now ? next - now : end - now);
  }
}

bool sendKey(UINT vk, bool down) {
  auto& wm = WindowManager::instance();
  auto target = wm.find(wm.focus ? wm.focus : wm.active);
  if (!target || !target->queue) return false;
  bool wasDown = setAsyncKeyDown(vk, down);
  // Repeat count 1; bit 30: the key was down before; bit 31: the key is being released.
  LPARAM flags = 1 | (wasDown ? (1L << 30) : 0) | (down ? 0 : static_cast<LPARAM>(1UL << 31));
  MSG m{target->hwnd, static_cast<UINT>(down ? WM_KEYDOWN : WM_KEYUP), vk, flags,
        static_cast<DWORD>(clock().tickMs()), {0, 0}};
  target->queue->post(m, true);
  return true;
}

}  // namespace wavorel
