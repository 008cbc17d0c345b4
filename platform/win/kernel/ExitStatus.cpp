#include "platform/win/kernel/ExitStatus.h"

namespace wavorel {

void ExitStatus::finish(DWORD code) {
  std::lock_guard<std::mutex> lock(kernelMutex());
  if (finished_) return;
  finished_ = true;
  code_ = code;
  wakeWaiters();
}

DWORD ExitStatus::exitCode() const {
  std::lock_guard<std::mutex> lock(kernelMutex());
  return code_;
}

bool ExitStatus::ended() const {
  std::lock_guard<std::mutex> lock(kernelMutex());
  return finished_;
}

}  // namespace wavorel
