#include "platform/win/user/TimerSet.h"

namespace wavorel {

void TimerSet::arm(Timer& t, uint64_t due) {
  order_.erase({t.due, t.seq, {t.hwnd, t.id}});
  t.due = due;
  t.seq = ++seq_;
  order_.insert({t.due, t.seq, {t.hwnd, t.id}});
}

UINT_PTR TimerSet::set(HWND hwnd, UINT_PTR id, UINT intervalMs, TIMERPROC proc, uint64_t now) {
  if (intervalMs < USER_TIMER_MINIMUM) intervalMs = USER_TIMER_MINIMUM;
  if (intervalMs > USER_TIMER_MAXIMUM) intervalMs = USER_TIMER_MAXIMUM;
  if (hwnd == nullptr && (id == 0 || !timers_.count({nullptr, id}))) {
    do {
      id = ++nextThreadTimer_;
    } while (id == 0 || timers_.count({nullptr, id}));
  }
  Timer& t = timers_[{hwnd, id}];
  t.hwnd = hwnd;
  t.id = id;
  t.intervalMs = intervalMs;
  t.proc = proc;
  arm(t, now + intervalMs);
  return id;
}

bool TimerSet::kill(HWND hwnd, UINT_PTR id) {
  auto it = timers_.find({hwnd, id});
  if (it == timers_.end()) return false;
  order_.erase({it->second.due, it->second.seq, it->first});
  timers_.erase(it);
  return true;
}

void TimerSet::killAll(HWND hwnd) {
  for (auto it = timers_.lower_bound({hwnd, 0}); it != timers_.end() && it->first.first == hwnd;) {
    order_.erase({it->second.due, it->second.seq, it->first});
    it = timers_.erase(it);
  }
}

const Timer* TimerSet::due(uint64_t now, const std::function<bool(const Timer&)>& accept) const {
  for (const auto& entry : order_) {
    if (std::get<0>(entry) > now) break;
    const Timer& t = timers_.at(std::get<2>(entry));
    if (accept(t)) return &t;
  }
  return nullptr;
}

void TimerSet::fired(HWND hwnd, UINT_PTR id, uint64_t now) {
  auto it = timers_.find({hwnd, id});
  if (it == timers_.end()) return;
  Timer& t = it->second;
  uint64_t next = t.due + t.intervalMs;
  arm(t, next > now ? next : now + t.intervalMs);
}

uint64_t TimerSet::nextDue() const { return order_.empty() ? UINT64_MAX : std::get<0>(*order_.begin()); }

bool TimerSet::knowsProc(HWND hwnd, UINT_PTR id, TIMERPROC proc) const {
  auto it = timers_.find({hwnd, id});
  return it != timers_.end() && it->second.proc == proc;
}

void TimerSet::clear() {
  timers_.clear();
  order_.clear();
}

}  // namespace wavorel
