#include "platform/sim/radio/LinkAlarm.h"

#include <chrono>

#include "platform/win/kernel/Clock.h"

namespace wavorel::sim {

namespace {

bool realClock() { return dynamic_cast<RealClock*>(&clock()) != nullptr; }

}  // namespace

LinkAlarm::~LinkAlarm() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void LinkAlarm::set(std::optional<uint64_t> tick) {
  if (tick && !realClock()) tick.reset();
  std::lock_guard<std::mutex> lock(mutex_);
  if (due_ == tick) return;
  due_ = tick;
  if (due_ && !thread_.joinable()) thread_ = std::thread([this] { run(); });
  changed_.notify_all();
}

void LinkAlarm::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    if (!due_) {
      changed_.wait(lock);
      continue;
    }
    const uint64_t due = *due_;
    const uint64_t now = clock().tickMs();
    if (now < due) {
      changed_.wait_for(lock, std::chrono::milliseconds(due - now));
      continue;
    }
    due_.reset();
    lock.unlock();
    if (realClock()) ring_();
    lock.lock();
  }
}

}  // namespace wavorel::sim
