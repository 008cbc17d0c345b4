// The one platform clock. Real by default; tests install a VirtualClock and
// advance it. Tick counts, the time of day, timers, Sleep and every wait
// timeout follow it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/win/kernel/Types.h"

namespace wavorel {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since the machine started (GetTickCount wraps this to 32 bits).
  virtual uint64_t tickMs() = 0;
  // Coordinated universal time in 100-ns units since 1601-01-01 (FILETIME).
  virtual int64_t utcFileTime() = 0;
  // Lets `ms` pass for the calling thread.
  virtual void sleepMs(uint64_t ms) = 0;
  // Blocks on `cv` (with `lock` held on entry and exit) until `ready()` is true
  // or the tick count reaches `deadline` (UINT64_MAX: no deadline). Returns the
  // final value of `ready()`.
  virtual bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                         uint64_t deadline, const std::function<bool()>& ready) = 0;
};

class RealClock : public Clock {
 public:
  uint64_t tickMs() override;
  int64_t utcFileTime() override;
  void sleepMs(uint64_t ms) override;
  bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                 const std::function<bool()>& ready) override;
};

// Time that only moves when told to. Sleep advances it by the time slept. A
// timed wait first waits for real, for at most `realWaitCapMs`, for the object
// or for another thread to advance the clock past the deadline; if neither
// happens the clock jumps to the deadline and the wait times out. So a
// single-threaded test never hangs, and a wait for a real thread still sees it.
class VirtualClock : public Clock {
 public:
  // Starts at a realistic uptime (about 3 hours) and 2026-06-15 10:00:00 UTC.
  VirtualClock();
  uint64_t tickMs() override;
  int64_t utcFileTime() override;
  void sleepMs(uint64_t ms) override;
  bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                 const std::function<bool()>& ready) override;

  void advance(uint64_t ms);
  void setTick(uint64_t tickMs);
  void setUtcFileTime(int64_t fileTime);
  void setRealWaitCapMs(uint64_t ms) { realWaitCapMs_ = ms; }

 private:
  std::atomic<uint64_t> tick_;
  std::atomic<int64_t> utcAtTickZero_;  // FILETIME of tick 0
  std::atomic<uint64_t> realWaitCapMs_{200};
};

// The installed clock (a RealClock until a test installs another).
Clock& clock();
void setClock(std::shared_ptr<Clock> c);
// Convenience for tests: installs and returns a fresh VirtualClock.
std::shared_ptr<VirtualClock> installVirtualClock();

// Listeners called after the clock moved (timer heaps use this to wake up).
// The id returned by addClockListener removes it again.
int addClockListener(std::function<void()> fn);
void removeClockListener(int id);
void notifyClockListeners();

// FILETIME helpers shared by the time functions.
inline int64_t fileTimeToInt(const FILETIME& ft) {
  return static_cast<int64_t>((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}
inline FILETIME intToFileTime(int64_t v) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(v) & 0xffffffffu);
  ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(v) >> 32);
  return ft;
}
// 100-ns intervals between 1601-01-01 and 1970-01-01.
constexpr int64_t kFileTimeUnixEpoch = 116444736000000000LL;

}  // namespace wavorel
