#include "platform/win/kernel/Semaphore.h"

namespace wavorel {

bool Semaphore::release(LONG count, LONG& previous) {
  std::lock_guard<std::mutex> lock(kernelMutex());
  if (count > maximum_ - count_) return false;
  previous = count_;
  count_ += count;
  wakeWaiters();
  return true;
}

}  // namespace wavorel
