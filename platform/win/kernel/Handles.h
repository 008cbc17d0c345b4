// Handle tables: every kind of platform object (kernel objects, windows, GDI
// objects) lives in a table that hands out handle values. Values are never
// reused within a process, so a stale handle is recognised as stale instead of
// naming a newer object.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/win/kernel/Types.h"

namespace wavorel {

// Base of all kernel objects (files, events, mutexes, semaphores, processes,
// threads, find handles, registry-free kernel handles).
class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

template <class T>
class HandleTable {
 public:
  // `first` and `step` choose the value range, so handles of different kinds
  // never collide (a window handle is never a valid kernel handle).
  explicit HandleTable(uintptr_t first, uintptr_t step = 4) : next_(first), step_(step) {}

  uintptr_t insert(std::shared_ptr<T> obj) {
    std::lock_guard<std::mutex> lock(mutex_);
    uintptr_t value = next_;
    next_ += step_;
    map_.emplace(value, std::move(obj));
    return value;
  }
  std::shared_ptr<T> find(uintptr_t value) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = map_.find(value);
    return it == map_.end() ? nullptr : it->second;
  }
  // Removes the entry and hands back the object (the caller may still use it).
  std::shared_ptr<T> remove(uintptr_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = map_.find(value);
    if (it == map_.end()) return nullptr;
    auto obj = std::move(it->second);
    map_.erase(it);
    return obj;
  }
  size_t size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return map_.size();
  }
  void clear() {
    std::unordered_map<uintptr_t, std::shared_ptr<T>> old;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      old.swap(map_);
    }
  }

 private:
  mutable std::mutex mutex_;
  std::unordered_map<uintptr_t, std::shared_ptr<T>> map_;
  uintptr_t next_;
  uintptr_t step_;
};

// The process-wide table of kernel handles.
HandleTable<KernelObject>& kernelHandles();

inline HANDLE insertKernelObject(std::shared_ptr<KernelObject> obj) {
  return reinterpret_cast<HANDLE>(kernelHandles().insert(std::move(obj)));
}
template <class T>
std::shared_ptr<T> kernelObjectAs(HANDLE h) {
  return std::dynamic_pointer_cast<T>(kernelHandles().find(reinterpret_cast<uintptr_t>(h)));
}

}  // namespace wavorel
