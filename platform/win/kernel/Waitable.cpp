#include "platform/win/kernel/Waitable.h"

#include "platform/win/kernel/Clock.h"

namespace wavorel {

namespace {

struct KernelWaitState {
  std::mutex mutex;
  std::condition_variable condition;
  KernelWaitState() {
    // The clock may move while a waiter holds the kernel lock (a virtual
    // clock jumps to a deadline from inside a wait), so the listener only
    // notifies and never takes the lock.
    addClockListener([this] { condition.notify_all(); });
  }
};

KernelWaitState& state() {
  static KernelWaitState s;
  return s;
}

}  // namespace

std::mutex& kernelMutex() { return state().mutex; }
std::condition_variable& kernelCondition() { return state().condition; }
void wakeWaiters() { state().condition.notify_all(); }

}  // namespace wavorel
