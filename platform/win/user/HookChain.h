// Thread hooks (SetWindowsHookEx): per thread and kind, the hook installed
// last is called first and passes the call on with CallNextHookEx. A hook may
// be removed while a chain runs; the chain then goes on with the older hooks.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/win/user/User.h"

namespace wavorel {

class HookChain {
 public:
  static HookChain& instance();

  HHOOK add(int kind, HOOKPROC proc, DWORD threadId);
  bool remove(HHOOK hook);
  // Runs the chain of `kind` of the thread from its newest hook; 0 when empty.
  LRESULT call(int kind, DWORD threadId, int code, WPARAM wParam, LPARAM lParam);
  // Runs the chain on from the hook after `hook`; 0 at the end of the chain.
  LRESULT callNext(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
  bool has(int kind, DWORD threadId) const;
  void clear();

 private:
  struct Hook {
    HHOOK handle;
    int kind;
    HOOKPROC proc;
    DWORD threadId;
  };
  // The newest hook older than `after` (nullptr: the newest) of the same chain.
  bool next(int kind, DWORD threadId, HHOOK after, Hook& out) const;
  // Calls the hook; one that throws is logged as a fault and taken as having returned 0.
  static LRESULT run(const Hook& h, int code, WPARAM wParam, LPARAM lParam);

  mutable std::mutex mutex_;
  std::vector<Hook> hooks_;  // in install order
  std::map<HHOOK, std::pair<int, DWORD>> chains_;  // kind and thread of every hook handed out
  uintptr_t nextHandle_ = 0x00B00004;
};

}  // namespace wavorel
