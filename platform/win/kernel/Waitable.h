// Kernel objects that a thread can wait for (events, semaphores, threads,
// processes). All their state is guarded by one kernel lock; whoever changes
// a state that may satisfy a wait calls wakeWaiters() with the lock held.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/win/kernel/Handles.h"

namespace wavorel {

class Waitable : public KernelObject {
 public:
  // Both are called with the kernel lock held. signalled() tells whether a
  // wait on the object would be satisfied now; acquire() then takes it (an
  // auto-reset event resets, a semaphore count goes down).
  virtual bool signalled() const = 0;
  virtual void acquire() {}
};

// The lock that guards the state of every waitable object.
std::mutex& kernelMutex();
// The condition that waits block on. Waits also wake up when the platform
// clock moves, so a timeout on a virtual clock is noticed.
std::condition_variable& kernelCondition();
void wakeWaiters();

}  // namespace wavorel
