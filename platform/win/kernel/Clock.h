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
#include <set>

#include "platform/win/kernel/Types.h"

struct pollfd;

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
  // final value of `ready()`. `what` names the wait where it has to be reported
  // ("WaitForSingleObject"...). Whoever makes `ready()` true notifies `cv`.
  virtual bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                         const std::function<bool()>& ready, const char* what) = 0;
  // Waits until one of the `count` descriptors is ready as poll(2) tells it
  // (revents set) or the tick count reaches `deadline`. Returns the number of
  // ready descriptors, 0 at the deadline, -1 when poll fails.
  virtual int pollUntil(pollfd* fds, size_t count, uint64_t deadline, const char* what) = 0;
};

// Time as the machine keeps it. Waits sleep until their deadline or their
// object, never waking up in between.
class RealClock : public Clock {
 public:
  uint64_t tickMs() override;
  int64_t utcFileTime() override;
  void sleepMs(uint64_t ms) override;
  bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                 const std::function<bool()>& ready, const char* what) override;
  int pollUntil(pollfd* fds, size_t count, uint64_t deadline, const char* what) override;
};

// Time that only moves when told to: by advance() and setTick(), and by Sleep,
// which advances it by the time slept. A wait ends when its object is ready or
// when another thread moves the clock past its deadline; the clock never moves
// by itself to end a wait. A wait that sees neither its object nor the clock
// move for `stallLimitMs` of real time is one that nobody will satisfy: it is
// logged as a fault naming the wait (the test fixture fails the test) and,
// when it has a deadline, then ended there so that the failing test can finish.
class VirtualClock : public Clock {
 public:
  // Starts at a realistic uptime (about 3 hours) and 2026-06-15 10:00:00 UTC.
  VirtualClock();
  uint64_t tickMs() override;
  int64_t utcFileTime() override;
  void sleepMs(uint64_t ms) override;
  bool waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                 const std::function<bool()>& ready, const char* what) override;
  int pollUntil(pollfd* fds, size_t count, uint64_t deadline, const char* what) override;

  void advance(uint64_t ms);
  void setTick(uint64_t tickMs);
  void setUtcFileTime(int64_t fileTime);
  void setStallLimitMs(uint64_t ms) { stallLimitMs_ = ms; }
  // The earliest deadline of the waits blocked on this clock now (UINT64_MAX:
  // none), for tests that let time pass for a loop they cannot drive.
  uint64_t earliestBlockedDeadline() const;

 private:
  // Keeps a wait's deadline among the blocked ones for as long as it lasts.
  class Blocked {
   public:
    Blocked(VirtualClock& clock, uint64_t deadline);
    ~Blocked();
    Blocked(const Blocked&) = delete;
    Blocked& operator=(const Blocked&) = delete;

   private:
    VirtualClock& clock_;
    std::multiset<uint64_t>::iterator at_;
  };

  // Tells a stalled wait: it has been reported, and a wait with a deadline
  // is to end (true).
  bool stalled(const char* what, uint64_t deadline);

  std::atomic<uint64_t> tick_;
  std::atomic<int64_t> utcAtTickZero_;  // FILETIME of tick 0
  std::atomic<uint64_t> stallLimitMs_{5000};
  mutable std::mutex blockedMutex_;
  std::multiset<uint64_t> blocked_;  // deadlines of the waits in progress
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
