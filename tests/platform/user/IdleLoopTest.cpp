// The message loop of a program with nothing to do sleeps until its next
// timer: no periodic wake-up, on the real clock as on the virtual one.
#include <fstream>
#include <memory>
#include <string>

#include "UserTestSupport.h"
#include "platform/win/user/MessageQueue.h"

namespace wavorel::testing {
namespace {

using IdleLoopTest = UserTest;

// Times this thread gave up the processor (slept) so far.
long sleepsOfThisThread() {
  std::ifstream status("/proc/thread-self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("voluntary_ctxt_switches:", 0) == 0) return std::stol(line.substr(24));
  return -1;
}

TEST_F(IdleLoopTest, HeadlessRunOfFiveSecondsWakesOnlyForTheTimersItArmed) {
  setClock(std::make_shared<RealClock>());
  HWND w = make("Idle program", WS_POPUP | WS_VISIBLE);  // published: the desktop's socket is waited on too
  int fired = 0;
  on(WM_TIMER, [&](HWND, UINT, WPARAM id, LPARAM) -> std::optional<LRESULT> {
    ++fired;
    if (id == 2) PostQuitMessage(0);
    return 0;
  });
  uint64_t start = GetTickCount64();
  SetTimer(w, 1, 1000, nullptr);
  SetTimer(w, 2, 5000, nullptr);
  pumpMessages();  // what creating the window left to do
  auto q = MessageQueue::current();
  uint64_t wakeUps = q->wakeUps();
  long sleeps = sleepsOfThisThread();
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) > 0) DispatchMessage(&m);
  EXPECT_GE(GetTickCount64() - start, 5000u);
  EXPECT_GE(fired, 5);  // 1000 ms four or five times (each re-armed when it fired), 5000 ms once
  EXPECT_LE(q->wakeUps() - wakeUps, static_cast<uint64_t>(fired));
  EXPECT_LE(sleepsOfThisThread() - sleeps, fired + 1) << "the thread slept once per timer";
}

}  // namespace
}  // namespace wavorel::testing
