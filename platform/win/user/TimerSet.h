// The timers of one thread, ordered by due time. A timer is keyed by (window,
// id); setting it again replaces it. A timer that fell behind fires once and
// is re-armed one interval after the time it fired (WM_TIMER is coalesced).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include "platform/win/user/User.h"

namespace wavorel {

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT intervalMs = 0;
  TIMERPROC proc = nullptr;
  uint64_t due = 0;
  uint64_t seq = 0;  // arming order, breaks ties between equal due times
};

class TimerSet {
 public:
  // Arms or re-arms a timer; a thread timer (hwnd NULL) whose id is not armed
  // gets a fresh id. Returns the id.
  UINT_PTR set(HWND hwnd, UINT_PTR id, UINT intervalMs, TIMERPROC proc, uint64_t now);
  bool kill(HWND hwnd, UINT_PTR id);
  void killAll(HWND hwnd);
  // The earliest timer due at `now` that `accept` takes, or nullptr.
  const Timer* due(uint64_t now, const std::function<bool(const Timer&)>& accept) const;
  // Re-arms a timer that has just fired.
  void fired(HWND hwnd, UINT_PTR id, uint64_t now);
  // The earliest due time, UINT64_MAX when no timer is armed.
  uint64_t nextDue() const;
  bool knowsProc(HWND hwnd, UINT_PTR id, TIMERPROC proc) const;
  bool empty() const { return timers_.empty(); }
  void clear();

 private:
  using Key = std::pair<HWND, UINT_PTR>;
  void arm(Timer& t, uint64_t due);

  std::map<Key, Timer> timers_;
  std::set<std::tuple<uint64_t, uint64_t, Key>> order_;
  uint64_t seq_ = 0;
  UINT_PTR nextThreadTimer_ = 0x7FF0;
};

}  // namespace wavorel
