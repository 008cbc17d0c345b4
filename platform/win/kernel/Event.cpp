#include "platform/win/kernel/Event.h"

namespace wavorel {

void Event::set() {
  std::lock_guard<std::mutex> lock(kernelMutex());
  signalled_ = true;
  wakeWaiters();
}

void Event::reset() {
  std::lock_guard<std::mutex> lock(kernelMutex());
  signalled_ = false;
}

}  // namespace wavorel
