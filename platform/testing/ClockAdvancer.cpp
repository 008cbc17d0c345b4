#include "platform/testing/ClockAdvancer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace wavorel::testing {

ClockAdvancer::ClockAdvancer(VirtualClock& clock, uint64_t ms)
    : end_(clock.tickMs() + ms), clock_(clock), thread_([this] {
        while (!stop_) {
          uint64_t now = clock_.tickMs();
          if (now >= end_) return;
          uint64_t deadline = clock_.earliestBlockedDeadline();
          if (deadline != UINT64_MAX && deadline > now) {
            clock_.advance(std::min(deadline, end_) - now);
            continue;
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
      }) {}

ClockAdvancer::~ClockAdvancer() {
  stop_ = true;
  thread_.join();
  EXPECT_GE(clock_.tickMs(), end_) << "the time that was to pass did not: nothing waited for it";
}

}  // namespace wavorel::testing
