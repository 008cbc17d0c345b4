#include "platform/win/kernel/Clock.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <map>
#include <thread>
#include <vector>

#include "platform/win/kernel/PlatformLog.h"
#include "platform/win/kernel/UniqueFd.h"

namespace wavorel {

namespace {

std::mutex g_clockMutex;
std::shared_ptr<Clock> g_clock;           // guarded by g_clockMutex
std::atomic<Clock*> g_clockRaw{nullptr};  // fast path for readers

std::mutex g_listenerMutex;
std::map<int, std::function<void()>> g_listeners;
int g_nextListener = 1;

constexpr auto kSlice = std::chrono::milliseconds(5);

// When a wait last saw the virtual clock move, in real time.
class Progress {
 public:
  explicit Progress(uint64_t tick) : tick_(tick), since_(std::chrono::steady_clock::now()) {}
  std::chrono::steady_clock::duration idleFor(uint64_t tick) {
    auto now = std::chrono::steady_clock::now();
    if (tick != tick_) {
      tick_ = tick;
      since_ = now;
    }
    return now - since_;
  }

 private:
  uint64_t tick_;
  std::chrono::steady_clock::time_point since_;
};

// An event descriptor a poll on the virtual clock adds to its own, written
// when the clock moves. Shared with the clock listener, so it stays open for
// a listener call that is still running after the poll ended.
class Waker {
 public:
  Waker() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  bool valid() const { return fd_.valid(); }
  int fd() const { return fd_.get(); }
  void signal() {
    uint64_t one = 1;
    (void)!::write(fd_.get(), &one, sizeof one);
  }
  void drain() {
    uint64_t count;
    (void)!::read(fd_.get(), &count, sizeof count);
  }

 private:
  UniqueFd fd_;
};

}  // namespace

uint64_t RealClock::tickMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int64_t RealClock::utcFileTime() {
  using namespace std::chrono;
  auto us = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
  return kFileTimeUnixEpoch + static_cast<int64_t>(us) * 10;
}

void RealClock::sleepMs(uint64_t ms) {
  if (ms == 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool RealClock::waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                          const std::function<bool()>& ready, const char*) {
  if (deadline == UINT64_MAX) {
    cv.wait(lock, ready);
    return true;
  }
  // Tick counts are the steady clock in milliseconds.
  auto end = std::chrono::steady_clock::time_point(std::chrono::milliseconds(deadline));
  return cv.wait_until(lock, end, ready);
}

int RealClock::pollUntil(pollfd* fds, size_t count, uint64_t deadline, const char*) {
  for (;;) {
    int timeout = -1;
    if (deadline != UINT64_MAX) {
      uint64_t now = tickMs();
      if (now >= deadline)
        timeout = 0;
      else
        timeout = static_cast<int>(std::min<uint64_t>(deadline - now, INT_MAX));
    }
    int n = ::poll(fds, static_cast<nfds_t>(count), timeout);
    if (n < 0 && errno == EINTR) continue;
    if (n != 0 || timeout == 0) return n;
  }
}

VirtualClock::VirtualClock()
    : tick_(3ull * 3600 * 1000 + 17 * 1000),
      // 2026-06-15 10:00:00 UTC as seconds since 1970, minus the start tick.
      utcAtTickZero_(kFileTimeUnixEpoch + 1781517600LL * 10000000LL - static_cast<int64_t>(tick_.load()) * 10000) {}

uint64_t VirtualClock::tickMs() { return tick_.load(); }

int64_t VirtualClock::utcFileTime() { return utcAtTickZero_.load() + static_cast<int64_t>(tick_.load()) * 10000; }

void VirtualClock::sleepMs(uint64_t ms) {
  if (ms) advance(ms);
  std::this_thread::yield();
}

void VirtualClock::advance(uint64_t ms) {
  tick_.fetch_add(ms);
  notifyClockListeners();
}

void VirtualClock::setTick(uint64_t t) {
  int64_t utc = utcFileTime();
  tick_.store(t);
  utcAtTickZero_.store(utc - static_cast<int64_t>(t) * 10000);
  notifyClockListeners();
}

void VirtualClock::setUtcFileTime(int64_t fileTime) {
  utcAtTickZero_.store(fileTime - static_cast<int64_t>(tick_.load()) * 10000);
  notifyClockListeners();
}

VirtualClock::Blocked::Blocked(VirtualClock& clock, uint64_t deadline) : clock_(clock) {
  std::lock_guard<std::mutex> lock(clock_.blockedMutex_);
  at_ = clock_.blocked_.insert(deadline);
}

VirtualClock::Blocked::~Blocked() {
  std::lock_guard<std::mutex> lock(clock_.blockedMutex_);
  clock_.blocked_.erase(at_);
}

uint64_t VirtualClock::earliestBlockedDeadline() const {
  std::lock_guard<std::mutex> lock(blockedMutex_);
  return blocked_.empty() ? UINT64_MAX : *blocked_.begin();
}

bool VirtualClock::stalled(const char* what, uint64_t deadline) {
  uint64_t now = tickMs();
  if (deadline == UINT64_MAX) {
    logFault(
        "%s waits on the virtual clock at tick %llu with no deadline, and nothing has come for %llu ms of "
        "real time: nobody will satisfy it",
        what, static_cast<unsigned long long>(now), static_cast<unsigned long long>(stallLimitMs_.load()));
    return false;
  }
  logFault(
      "%s waits on the virtual clock at tick %llu for its deadline %llu (%llu ms on), and neither its object "
      "nor the clock moved for %llu ms of real time: nobody will satisfy it (advance the clock); the wait "
      "is ended at its deadline so that the test can finish",
      what, static_cast<unsigned long long>(now), static_cast<unsigned long long>(deadline),
      static_cast<unsigned long long>(deadline - now), static_cast<unsigned long long>(stallLimitMs_.load()));
  if (deadline > tickMs()) advance(deadline - tickMs());
  return true;
}

bool VirtualClock::waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                             const std::function<bool()>& ready, const char* what) {
  Blocked blocked(*this, deadline);
  Progress progress(tickMs());
  bool reported = false;
  while (!ready()) {
    uint64_t now = tickMs();
    if (deadline != UINT64_MAX && now >= deadline) return false;
    if (!reported && progress.idleFor(now) >= std::chrono::milliseconds(stallLimitMs_.load())) {
      reported = true;
      lock.unlock();
      bool end = stalled(what, deadline);
      lock.lock();
      if (end) return ready();
    }
    // The clock's listeners notify `cv` without its lock, so a move can fall
    // between the check above and the wait: the slice bounds that.
    cv.wait_for(lock, kSlice);
  }
  return true;
}

int VirtualClock::pollUntil(pollfd* fds, size_t count, uint64_t deadline, const char* what) {
  Blocked blocked(*this, deadline);
  auto waker = std::make_shared<Waker>();
  if (!waker->valid()) return -1;
  int listener = addClockListener([waker] { waker->signal(); });
  std::vector<pollfd> all(fds, fds + count);
  all.push_back(pollfd{waker->fd(), POLLIN, 0});
  Progress progress(tickMs());
  bool reported = false;
  int result = 0;
  for (;;) {
    uint64_t now = tickMs();
    if (deadline != UINT64_MAX && now >= deadline) break;
    int timeout = -1;
    if (!reported) {
      auto idle = progress.idleFor(now);
      auto limit = std::chrono::milliseconds(stallLimitMs_.load());
      timeout = idle >= limit
                    ? 0
                    : static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(limit - idle).count()) + 1;
    }
    for (auto& p : all) p.revents = 0;
    int n = ::poll(all.data(), static_cast<nfds_t>(all.size()), timeout);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result = -1;
      break;
    }
    if (n == 0) {
      if (progress.idleFor(tickMs()) < std::chrono::milliseconds(stallLimitMs_.load())) continue;
      reported = true;
      if (stalled(what, deadline)) break;
      continue;
    }
    if (all.back().revents) {
      waker->drain();
      --n;
    }
    if (n > 0) {
      for (size_t i = 0; i < count; ++i) fds[i].revents = all[i].revents;
      result = n;
      break;
    }
  }
  removeClockListener(listener);
  return result;
}

Clock& clock() {
  Clock* c = g_clockRaw;
  if (c) return *c;
  std::lock_guard<std::mutex> lock(g_clockMutex);
  if (!g_clock) {
    g_clock = std::make_shared<RealClock>();
    g_clockRaw = g_clock.get();
  }
  return *g_clock;
}

void setClock(std::shared_ptr<Clock> c) {
  {
    std::lock_guard<std::mutex> lock(g_clockMutex);
    // The previous clock stays alive for the rest of the process: a thread may
    // still be reading it through the fast path.
    static std::vector<std::shared_ptr<Clock>> retired;
    if (g_clock) retired.push_back(g_clock);
    g_clock = std::move(c);
    g_clockRaw = g_clock.get();
  }
  notifyClockListeners();
}

std::shared_ptr<VirtualClock> installVirtualClock() {
  auto vc = std::make_shared<VirtualClock>();
  setClock(vc);
  return vc;
}

int addClockListener(std::function<void()> fn) {
  std::lock_guard<std::mutex> lock(g_listenerMutex);
  int id = g_nextListener++;
  g_listeners.emplace(id, std::move(fn));
  return id;
}

void removeClockListener(int id) {
  std::lock_guard<std::mutex> lock(g_listenerMutex);
  g_listeners.erase(id);
}

void notifyClockListeners() {
  std::vector<std::function<void()>> fns;
  {
    std::lock_guard<std::mutex> lock(g_listenerMutex);
    for (auto& kv : g_listeners) fns.push_back(kv.second);
  }
  for (auto& fn : fns) fn();
}

}  // namespace wavorel
