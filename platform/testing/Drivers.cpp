#include "platform/testing/Drivers.h"

#include <algorithm>

#include "platform/win/kernel/Clock.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/MessageQueue.h"

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

}  // namespace wavorel
