// What threads and processes share as kernel objects: an exit code that reads
// STILL_ACTIVE while they run, and a signal once they have ended.
#pragma once

#include "platform/win/kernel/Types.h"
#include "platform/win/kernel/Waitable.h"

#define STILL_ACTIVE 259

namespace wavorel {

class ExitStatus : public Waitable {
 public:
  bool signalled() const override { return finished_; }
  // Records the end with `code` and wakes the waiters; only the first call
  // counts (a terminated thread that returns later keeps its forced code).
  // Takes the kernel lock.
  void finish(DWORD code);
  // STILL_ACTIVE until finished. Takes the kernel lock.
  DWORD exitCode() const;
  bool ended() const;

 private:
  bool finished_ = false;
  DWORD code_ = STILL_ACTIVE;
};

}  // namespace wavorel
