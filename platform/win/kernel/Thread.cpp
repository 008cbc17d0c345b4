#include "platform/win/kernel/Thread.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/ThreadObject.h"

namespace wavorel {

namespace {
// Thread ids are multiples of 4, as on Windows.
std::atomic<DWORD> g_nextThreadId{0x1004};
thread_local DWORD t_threadId = 0;
}  // namespace

DWORD newThreadId() { return g_nextThreadId.fetch_add(4); }

void adoptThreadId(DWORD id) { t_threadId = id; }

DWORD currentThreadId() {
  if (t_threadId == 0) t_threadId = newThreadId();
  return t_threadId;
}

}  // namespace wavorel

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                    DWORD, LPDWORD lpThreadId) {
  if (!lpStartAddress) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  DWORD id = wavorel::newThreadId();
  auto thread = std::make_shared<wavorel::ThreadObject>(id);
  try {
    std::thread([thread, lpStartAddress, lpParameter] {
      wavorel::adoptThreadId(thread->id());
      thread->finish(lpStartAddress(lpParameter));
    }).detach();
  } catch (const std::system_error&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (lpThreadId) *lpThreadId = id;
  return wavorel::insertKernelObject(std::move(thread));
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
  auto thread = wavorel::kernelObjectAs<wavorel::ThreadObject>(hThread);
  if (!thread || !lpExitCode) {
    SetLastError(thread ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *lpExitCode = thread->exitCode();
  return TRUE;
}

BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode) {
  auto thread = wavorel::kernelObjectAs<wavorel::ThreadObject>(hThread);
  if (!thread) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  thread->finish(dwExitCode);
  return TRUE;
}

DWORD GetCurrentThreadId() { return wavorel::currentThreadId(); }
