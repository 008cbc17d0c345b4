// Wakes the link monitor when an adapter changes by itself (a scan ends, a
// join step ends) while the clock is the real one: the services then report
// it on time, as the real ones do, not when the program next calls them. A
// virtual clock needs none of this: the monitor looks whenever it moves.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace wavorel::sim {

class LinkAlarm {
 public:
  explicit LinkAlarm(std::function<void()> ring) : ring_(std::move(ring)) {}
  ~LinkAlarm();
  LinkAlarm(const LinkAlarm&) = delete;
  LinkAlarm& operator=(const LinkAlarm&) = delete;

  // Rings once at `tick` (platform clock milliseconds), replacing the time
  // set before; nothing: no ring. The thread starts on the first time set.
  void set(std::optional<uint64_t> tick);

 private:
  void run();

  std::function<void()> ring_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<uint64_t> due_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace wavorel::sim
