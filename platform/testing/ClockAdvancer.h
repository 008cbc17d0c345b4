// Lets time pass on the virtual clock for waits that a test cannot drive
// itself: a wait that is to time out, or a nested loop (a modal loop, a wait
// inside the code under test) whose timers are to fire. From another thread,
// whenever a thread blocks in a wait with a deadline, it moves the clock to
// that deadline, until the clock has moved `ms` in all. A wait still blocked
// after that is one nothing satisfies (the test fails, see PlatformTest.h);
// the test also fails when the clock did not move the whole span before the
// advancer goes out of scope.
//
//   {
//     ClockAdvancer passes(clock(), 100);
//     EXPECT_EQ(WaitForSingleObject(thread, 100), WAIT_TIMEOUT);
//   }
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/win/kernel/Clock.h"

namespace wavorel::testing {

class ClockAdvancer {
 public:
  ClockAdvancer(VirtualClock& clock, uint64_t ms);
  ~ClockAdvancer();
  ClockAdvancer(const ClockAdvancer&) = delete;
  ClockAdvancer& operator=(const ClockAdvancer&) = delete;

 private:
  const uint64_t end_;  // the tick the clock may move to
  VirtualClock& clock_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace wavorel::testing
