#include "platform/win/kernel/Sync.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Event.h"
#include "platform/win/kernel/Semaphore.h"

using wavorel::Event;
using wavorel::NameClaim;
using wavorel::Semaphore;
using wavorel::Waitable;

namespace {

// Hands out a handle to a new or existing (named) object; sets the last error
// to ERROR_ALREADY_EXISTS or 0 as Windows does.
HANDLE createObject(LPCSTR name, const char* kind,
                    const std::function<std::shared_ptr<wavorel::KernelObject>(std::unique_ptr<NameClaim>)>& make) {
  std::shared_ptr<wavorel::KernelObject> object;
  bool existed = false;
  if (name && *name) {
    object = wavorel::openOrCreateNamed(name, kind, make, existed);
    if (!object) return nullptr;
  } else {
    object = make(nullptr);
  }
  HANDLE h = wavorel::insertKernelObject(std::move(object));
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return h;
}

DWORD waitFor(const std::vector<std::shared_ptr<Waitable>>& objects, const HANDLE* handles, bool waitAll, DWORD ms) {
  uint64_t deadline = ms == INFINITE ? UINT64_MAX : wavorel::clock().tickMs() + ms;
  DWORD result = WAIT_TIMEOUT;
  std::unique_lock<std::mutex> lock(wavorel::kernelMutex());
  auto ready = [&] {
    if (waitAll) {
      for (auto& o : objects)
        if (!o->signalled()) return false;
      for (auto& o : objects) o->acquire();
      result = WAIT_OBJECT_0;
      return true;
    }
    for (size_t i = 0; i < objects.size(); ++i) {
      if (objects[i]->signalled()) {
        objects[i]->acquire();
        result = WAIT_OBJECT_0 + static_cast<DWORD>(i);
        return true;
      }
    }
    return false;
  };
  if (ready() || ms == 0) return result;
  // Named for a report of a wait that nobody satisfies.
  std::string what = waitAll               ? "WaitForMultipleObjects for all of"
                     : objects.size() == 1 ? "WaitForSingleObject on"
                                           : "WaitForMultipleObjects on";
  for (size_t i = 0; i < objects.size(); ++i) {
    char handle[32];
    std::snprintf(handle, sizeof handle, "%s %p", i ? "," : "", handles[i]);
    what += handle;
  }
  what += ms == INFINITE ? " (INFINITE)" : " (" + std::to_string(ms) + " ms)";
  wavorel::clock().waitUntil(lock, wavorel::kernelCondition(), deadline, ready, what.c_str());
  return result;
}

std::recursive_mutex& lockOf(LPCRITICAL_SECTION cs) {
  return *std::launder(reinterpret_cast<std::recursive_mutex*>(cs->lock));
}

}  // namespace

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName) {
  return createObject(lpName, "Event", [&](std::unique_ptr<NameClaim> claim) {
    return std::make_shared<Event>(bManualReset != FALSE, bInitialState != FALSE, std::move(claim));
  });
}

BOOL SetEvent(HANDLE hEvent) {
  auto e = wavorel::kernelObjectAs<Event>(hEvent);
  if (!e) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  e->set();
  return TRUE;
}

BOOL ResetEvent(HANDLE hEvent) {
  auto e = wavorel::kernelObjectAs<Event>(hEvent);
  if (!e) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  e->reset();
  return TRUE;
}

HANDLE CreateSemaphore(LPSECURITY_ATTRIBUTES, LONG lInitialCount, LONG lMaximumCount, LPCSTR lpName) {
  if (lMaximumCount <= 0 || lInitialCount < 0 || lInitialCount > lMaximumCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return createObject(lpName, "Semaphore", [&](std::unique_ptr<NameClaim> claim) {
    return std::make_shared<Semaphore>(lInitialCount, lMaximumCount, std::move(claim));
  });
}

BOOL ReleaseSemaphore(HANDLE hSemaphore, LONG lReleaseCount, LPLONG lpPreviousCount) {
  auto s = wavorel::kernelObjectAs<Semaphore>(hSemaphore);
  if (!s) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (lReleaseCount <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  LONG previous = 0;
  if (!s->release(lReleaseCount, previous)) {
    SetLastError(ERROR_TOO_MANY_POSTS);
    return FALSE;
  }
  if (lpPreviousCount) *lpPreviousCount = previous;
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  return WaitForMultipleObjects(1, &hHandle, FALSE, dwMilliseconds);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds) {
  if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || !lpHandles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<Waitable>> objects;
  for (DWORD i = 0; i < nCount; ++i) {
    auto o = wavorel::kernelObjectAs<Waitable>(lpHandles[i]);
    if (!o) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    // Waiting for all of a set that names one object twice is refused.
    if (bWaitAll && std::find(objects.begin(), objects.end(), o) != objects.end()) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return WAIT_FAILED;
    }
    objects.push_back(std::move(o));
  }
  return waitFor(objects, lpHandles, bWaitAll != FALSE, dwMilliseconds);
}

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  new (lpCriticalSection->lock) std::recursive_mutex();
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) { lockOf(lpCriticalSection).lock(); }

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection) { lockOf(lpCriticalSection).unlock(); }

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  lockOf(lpCriticalSection).~recursive_mutex();
}
