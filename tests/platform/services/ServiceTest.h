// Fixture of the tests of the system services around the simulated adapter:
// the default world, a fresh platform root and a virtual clock.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace wavorel::sim::testing {

constexpr const char* kAdapterGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";

class ServiceTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    unsetenv("WAVOREL_WORLD");
    PlatformTest::SetUp();
  }
};

// Collects callbacks made on other threads and waits for them for real.
template <class Event>
class Inbox {
 public:
  void add(Event e) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(std::move(e));
    cv_.notify_all();
  }
  template <class Pred>
  bool waitFor(Pred pred, int ms = 3000) {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(ms), [&] {
      for (const Event& e : events_)
        if (pred(e)) return true;
      return false;
    });
  }
  std::vector<Event> events() {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<Event> events_;
};

}  // namespace wavorel::sim::testing
