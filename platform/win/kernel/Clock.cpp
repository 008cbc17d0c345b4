#include "platform/win/kernel/Clock.h"

#include <chrono>
#include <map>
#include <thread>
#include <vector>

namespace wavorel {

namespace {

std::mutex g_clockMutex;
std::shared_ptr<Clock> g_clock;  // guarded by g_clockMutex
std::atomic<Clock*> g_clockRaw{nullptr};  // fast path for readers

std::mutex g_listenerMutex;
std::map<int, std::function<void()>> g_listeners;
int g_nextListener = 1;

// Real waits are sliced so that a deadline on a clock moved by another thread
// is noticed promptly.
constexpr auto kSlice = std::chrono::milliseconds(2);

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
                          const std::function<bool()>& ready) {
  while (!ready()) {
    uint64_t now = tickMs();
    if (deadline != UINT64_MAX && now >= deadline) return false;
    auto slice = deadline == UINT64_MAX ? std::chrono::milliseconds(50)
                                        : std::chrono::milliseconds(std::min<uint64_t>(deadline - now, 50));
    cv.wait_for(lock, slice);
  }
  return true;
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

bool VirtualClock::waitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, uint64_t deadline,
                             const std::function<bool()>& ready) {
  auto realStart = std::chrono::steady_clock::now();
  while (!ready()) {
    if (deadline != UINT64_MAX && tickMs() >= deadline) return false;
    if (deadline != UINT64_MAX &&
        std::chrono::steady_clock::now() - realStart >= std::chrono::milliseconds(realWaitCapMs_.load())) {
      // Nobody signalled and nobody moved the clock: let the wait run out.
      uint64_t now = tickMs();
      if (deadline > now) advance(deadline - now);
      return ready();
    }
    cv.wait_for(lock, kSlice);
  }
  return true;
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
