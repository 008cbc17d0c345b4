#include "platform/win/kernel/GlobalMemory.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/win/kernel/Errors.h"

namespace {

struct Block {
  std::unique_ptr<unsigned char[]> data;
  SIZE_T size;
  bool moveable;
  UINT locks;
};

// Moveable handles: even values far below any heap address and apart from
// the kernel handle range.
constexpr uintptr_t kFirstMoveable = 0x30000008;

struct Blocks {
  std::mutex mutex;
  std::unordered_map<uintptr_t, Block> byHandle;
  uintptr_t nextMoveable = kFirstMoveable;
};

// The table outlives every static object (it is never destroyed), so an
// object that frees its blocks while the program exits still finds them.
Blocks& blocks() {
  static Blocks* b = new Blocks;
  return *b;
}

uintptr_t key(HGLOBAL h) { return reinterpret_cast<uintptr_t>(h); }

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
  Block block{std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[dwBytes ? dwBytes : 1]), dwBytes,
              (uFlags & GMEM_MOVEABLE) != 0, 0};
  if (!block.data) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (uFlags & GMEM_ZEROINIT) std::memset(block.data.get(), 0, dwBytes);
  auto& b = blocks();
  std::lock_guard<std::mutex> lock(b.mutex);
  uintptr_t h = block.moveable ? b.nextMoveable : reinterpret_cast<uintptr_t>(block.data.get());
  if (block.moveable) b.nextMoveable += 8;
  b.byHandle.emplace(h, std::move(block));
  return reinterpret_cast<HGLOBAL>(h);
}

LPVOID GlobalLock(HGLOBAL hMem) {
  auto& b = blocks();
  std::lock_guard<std::mutex> lock(b.mutex);
  auto it = b.byHandle.find(key(hMem));
  if (it == b.byHandle.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (it->second.moveable) ++it->second.locks;
  return it->second.data.get();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
  auto& b = blocks();
  std::lock_guard<std::mutex> lock(b.mutex);
  auto it = b.byHandle.find(key(hMem));
  if (it == b.byHandle.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (it->second.locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--it->second.locks > 0) return TRUE;
  SetLastError(NO_ERROR);
  return FALSE;
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
  auto& b = blocks();
  std::lock_guard<std::mutex> lock(b.mutex);
  auto it = b.byHandle.find(key(hMem));
  if (it == b.byHandle.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
  }
  b.byHandle.erase(it);
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL hMem) {
  auto& b = blocks();
  std::lock_guard<std::mutex> lock(b.mutex);
  auto it = b.byHandle.find(key(hMem));
  if (it == b.byHandle.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return it->second.size;
}

HGLOBAL GlobalHandle(LPCVOID pMem) {
  auto& b = blocks();
  std::lock_guard<std::mutex> lock(b.mutex);
  for (const auto& [handle, block] : b.byHandle) {
    if (pMem && block.data.get() == pMem) return reinterpret_cast<HGLOBAL>(handle);
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}
