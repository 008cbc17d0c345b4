// A started process as a kernel object: a real Linux child, or a registered
// program that runs as a thread of this process.
#pragma once

#include <atomic>

#include "platform/win/kernel/ExitStatus.h"

namespace wavorel {

class ProcessObject : public ExitStatus {
 public:
  // `linuxPid` is 0 for a registered program.
  ProcessObject(DWORD id, int linuxPid) : id_(id), linuxPid_(linuxPid) {}
  DWORD id() const { return id_; }
  int linuxPid() const { return linuxPid_; }

  // The exit code TerminateProcess asked for, taken when the child dies of it.
  void requestTermination(DWORD code) {
    terminateCode_ = code;
    terminateRequested_ = true;
  }
  bool terminationRequested() const { return terminateRequested_; }
  DWORD terminationCode() const { return terminateCode_; }

 private:
  const DWORD id_;
  const int linuxPid_;
  std::atomic<bool> terminateRequested_{false};
  std::atomic<DWORD> terminateCode_{0};
};

}  // namespace wavorel
