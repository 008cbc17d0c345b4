#include "platform/win/user/HookChain.h"

#include "platform/win/kernel/PlatformLog.h"

namespace wavorel {

HookChain& HookChain::instance() {
  static HookChain chain;
  return chain;
}

HHOOK HookChain::add(int kind, HOOKPROC proc, DWORD threadId) {
  std::lock_guard<std::mutex> lock(mutex_);
  HHOOK h = reinterpret_cast<HHOOK>(nextHandle_);
  nextHandle_ += 4;
  hooks_.push_back({h, kind, proc, threadId});
  chains_[h] = {kind, threadId};
  return h;
}

bool HookChain::remove(HHOOK hook) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = hooks_.begin(); it != hooks_.end(); ++it) {
    if (it->handle == hook) {
      hooks_.erase(it);
      return true;
    }
  }
  return false;
}

bool HookChain::next(int kind, DWORD threadId, HHOOK after, Hook& out) const {
  // Hook handles grow with install order, so "older" is "smaller handle".
  uintptr_t limit = after ? reinterpret_cast<uintptr_t>(after) : UINTPTR_MAX;
  for (auto it = hooks_.rbegin(); it != hooks_.rend(); ++it) {
    if (it->kind == kind && it->threadId == threadId && reinterpret_cast<uintptr_t>(it->handle) < limit) {
      out = *it;
      return true;
    }
  }
  return false;
}

LRESULT HookChain::call(int kind, DWORD threadId, int code, WPARAM wParam, LPARAM lParam) {
  Hook h{};
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!next(kind, threadId, nullptr, h)) return 0;
  }
  return run(h, code, wParam, lParam);
}

LRESULT HookChain::callNext(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  Hook h{};
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A hook removed during its own call still passes on to the older hooks.
    auto chain = chains_.find(hook);
    if (chain == chains_.end() || !next(chain->second.first, chain->second.second, hook, h)) return 0;
  }
  return run(h, code, wParam, lParam);
}

LRESULT HookChain::run(const Hook& h, int code, WPARAM wParam, LPARAM lParam) {
  try {
    return h.proc(code, wParam, lParam);
  } catch (...) {
    logFault("hook %p (kind %d) threw: %s", static_cast<void*>(h.handle), h.kind, currentExceptionText().c_str());
  }
  return 0;
}

bool HookChain::has(int kind, DWORD threadId) const {
  std::lock_guard<std::mutex> lock(mutex_);
  Hook h{};
  return next(kind, threadId, nullptr, h);
}

void HookChain::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  hooks_.clear();
  chains_.clear();
}

}  // namespace wavorel
