// A thread as a kernel object (CreateThread, the first thread of a process).
#pragma once

#include "platform/win/kernel/ExitStatus.h"

namespace wavorel {

class ThreadObject : public ExitStatus {
 public:
  explicit ThreadObject(DWORD id) : id_(id) {}
  DWORD id() const { return id_; }

 private:
  const DWORD id_;
};

// Thread ids of this process: the calling thread's id, and a fresh id for a
// thread about to start (which adopts it with adoptThreadId).
DWORD currentThreadId();
DWORD newThreadId();
void adoptThreadId(DWORD id);

}  // namespace wavorel
