// Sending, posting and retrieving messages; timers; hooks; registered messages.

#include "platform/win/user/AtomTable.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/user/Desktop.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/PlatformLog.h"
#include "platform/win/user/HookChain.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/KeyboardLayout.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

using wavorel::Desktop;
using wavorel::MessageQueue;
using wavorel::WindowManager;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto w = WindowManager::instance().find(hwnd)) {
    if (!w->queue) return 0;
    if (w->threadId == MessageQueue::currentThreadId()) return wavorel::sendTo(w, msg, wParam, lParam);
    LRESULT result = 0;
    w->queue->sendFrom(hwnd, msg, wParam, lParam, -1, &result);
    return result;
  }
  LRESULT result = 0;
  if (Desktop::isForeign(hwnd) && Desktop::instance().send(hwnd, msg, wParam, lParam, &result)) return result;
  if (!IsWindow(hwnd)) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return 0;
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == nullptr) return PostThreadMessage(MessageQueue::currentThreadId(), msg, wParam, lParam);
  if (auto w = WindowManager::instance().find(hwnd)) {
    if (!w->queue) return TRUE;  // the desktop window drops what is posted to it
    MSG m{hwnd, msg, wParam, lParam, static_cast<DWORD>(wavorel::clock().tickMs()), {0, 0}};
    w->queue->post(m);
    return TRUE;
  }
  if (Desktop::isForeign(hwnd) && Desktop::instance().post(hwnd, msg, wParam, lParam)) return TRUE;
  if (!IsWindow(hwnd)) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return FALSE;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto q = threadId == MessageQueue::currentThreadId() ? MessageQueue::current() : MessageQueue::ofThread(threadId);
  if (!q) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  q->post(MSG{nullptr, msg, wParam, lParam, static_cast<DWORD>(wavorel::clock().tickMs()), {0, 0}});
  return TRUE;
}

void PostQuitMessage(int exitCode) { MessageQueue::current()->postQuit(exitCode); }

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (msg == nullptr || !MessageQueue::current()->peek(msg, hwnd, filterMin, filterMax, removeMsg)) return FALSE;
  if (removeMsg & PM_REMOVE) wavorel::noteRetrievedMessage(*msg);
  return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr || (hwnd && hwnd != reinterpret_cast<HWND>(static_cast<intptr_t>(-1)) &&
                         !WindowManager::instance().find(hwnd))) {
    SetLastError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return -1;
  }
  auto q = MessageQueue::current();
  while (!q->peek(msg, hwnd, filterMin, filterMax, PM_REMOVE)) q->waitForMessage("GetMessage");
  wavorel::noteRetrievedMessage(*msg);
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
  auto q = MessageQueue::current();
  MSG m;
  if (!q->peek(&m, nullptr, 0, 0, PM_NOREMOVE)) q->waitForMessage("WaitMessage");
  return TRUE;
}

// The characters of a key as a Windows keyboard of the current layout types
// them, with the modifiers as the thread's messages showed them.
BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  auto down = [](int vk) { return (GetKeyState(vk) & 0x8000) != 0; };
  char ch = wavorel::keyboardLayout().character(static_cast<UINT>(msg->wParam), down(VK_SHIFT),
                                                 (GetKeyState(VK_CAPITAL) & 1) != 0, down(VK_CONTROL), down(VK_MENU));
  // The character is read next, before whatever was posted after the key.
  if (ch) {
    MSG character = *msg;
    character.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    character.wParam = static_cast<WPARAM>(static_cast<unsigned char>(ch));
    MessageQueue::current()->postNext(character);
  }
  return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (msg == nullptr) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    // Only a callback that a live timer of this thread names is called.
    if (!MessageQueue::current()->timers().knowsProc(msg->hwnd, msg->wParam, proc)) return 0;
    try {
      proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(wavorel::clock().tickMs()));
    } catch (...) {
      wavorel::logFault("timer callback %zu threw: %s", static_cast<size_t>(msg->wParam),
                        wavorel::currentExceptionText().c_str());
    }
    return 0;
  }
  if (msg->hwnd == nullptr) return 0;
  auto w = WindowManager::instance().find(msg->hwnd);
  if (!w || w->threadId != MessageQueue::currentThreadId()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return wavorel::sendTo(w, msg->message, msg->wParam, msg->lParam);
}

UINT RegisterWindowMessage(LPCSTR name) {
  if (name == nullptr || *name == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return wavorel::AtomTable::instance().add(name);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  std::shared_ptr<MessageQueue> q;
  if (hwnd) {
    auto w = wavorel::ownWindowOrFail(hwnd);
    if (!w || !w->queue) return 0;
    q = w->queue;
  } else {
    q = MessageQueue::current();
  }
  UINT_PTR set = q->timers().set(hwnd, id, elapseMs, proc, wavorel::clock().tickMs());
  return (hwnd && set == 0) ? 1 : set;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  std::shared_ptr<MessageQueue> q;
  if (hwnd) {
    auto w = wavorel::ownWindowOrFail(hwnd);
    if (!w || !w->queue) return FALSE;
    q = w->queue;
  } else {
    q = MessageQueue::current();
  }
  if (q->timers().kill(hwnd, id)) return TRUE;
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (kind != WH_KEYBOARD && kind != WH_CBT) {
    SetLastError(ERROR_INVALID_HOOK_FILTER);
    return nullptr;
  }
  if (proc == nullptr) {
    SetLastError(ERROR_INVALID_FILTER_PROC);
    return nullptr;
  }
  // A hook for all threads watches this process's UI thread: the calling thread.
  return wavorel::HookChain::instance().add(kind, proc, threadId ? threadId : MessageQueue::currentThreadId());
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  if (wavorel::HookChain::instance().remove(hook)) return TRUE;
  SetLastError(ERROR_INVALID_HOOK_HANDLE);
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  return wavorel::HookChain::instance().callNext(hook, code, wParam, lParam);
}
