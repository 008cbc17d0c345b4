// The message queue of one thread: posted messages (thread-safe, first in
// first out), messages sent by other threads waiting to run on this one, the
// quit request, and the thread's timers. Retrieval order: messages sent by
// other threads are run first, then the posted messages, then WM_QUIT, then
// WM_PAINT for a window with something to paint, then WM_TIMER for the timer
// due first. WM_PAINT and WM_TIMER are made when asked for, never queued.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "platform/win/user/TimerSet.h"
#include "platform/win/user/User.h"

namespace wavorel {

class MessageQueue;

// A message sent from another thread, waiting for its result.
struct SentMessage {
  HWND hwnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  bool done = false;       // guarded by the sender queue's mutex
  bool abandoned = false;  // the sender stopped waiting
  std::shared_ptr<MessageQueue> sender;
};

class MessageQueue : public std::enable_shared_from_this<MessageQueue> {
 public:
  explicit MessageQueue(DWORD threadId);
  ~MessageQueue();
  MessageQueue(const MessageQueue&) = delete;
  MessageQueue& operator=(const MessageQueue&) = delete;

  // The calling thread's queue, made on first use.
  static std::shared_ptr<MessageQueue> current();
  // The queue of a thread that has one, else nullptr.
  static std::shared_ptr<MessageQueue> ofThread(DWORD threadId);
  static DWORD currentThreadId();
  // Empties every queue (tests: a fresh platform).
  static void resetAll();
  // In a forked child: only the forking thread lives on.
  static void afterFork();

  DWORD threadId() const { return threadId_; }

  // Runs on a queue's thread whenever a peek finds nothing to take (the
  // presenter shows what was painted and reads display input there); it
  // returns true when it posted something, and the peek looks again.
  static void setIdleHook(bool (*hook)());
  // Ends a wait of the owner thread without a message (input from another
  // source is ready for the idle hook). Any thread.
  void wake();

  // Any thread.
  void post(const MSG& msg, bool input = false);
  // Runs `hwnd`'s message on this queue's thread and waits for the result;
  // with timeoutMs >= 0, gives up after that many real milliseconds (false).
  bool sendFrom(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, long timeoutMs, LRESULT* result);

  // Owner thread only.
  void postQuit(int exitCode);
  bool peek(MSG* out, HWND filter, UINT filterMin, UINT filterMax, UINT flags);
  // Blocks until something may be retrievable (after a peek that found nothing).
  void waitForMessage();
  void removeMessagesFor(HWND hwnd);
  // Runs the messages other threads sent to this thread.
  void runIncomingSends();
  TimerSet& timers() { return timers_; }
  // Windows of this thread whose update region is not empty (a fast check
  // before the paint search).
  int paintCount = 0;

 private:
  struct Posted {
    MSG msg;
    bool input;
  };
  bool peekOnce(MSG* out, HWND filter, UINT filterMin, UINT filterMax, UINT flags);
  bool takePosted(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove);
  void clear();

  const DWORD threadId_;
  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Posted> posted_;
  std::deque<std::shared_ptr<SentMessage>> incoming_;
  uint64_t postGen_ = 0;   // counts posts, so a wait sees what came after the last peek
  uint64_t seenGen_ = 0;
  bool quit_ = false;
  int quitCode_ = 0;
  TimerSet timers_;
  uint64_t wakeAt_ = UINT64_MAX;  // next due timer the last failed peek could take
  int clockListener_ = 0;

  friend class MessageQueueRegistry;
};

}  // namespace wavorel
