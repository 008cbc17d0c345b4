// The message queue of one thread: posted messages (thread-safe, first in
// first out), messages sent by other threads waiting to run on this one, the
// quit request, and the thread's timers. Retrieval order: messages sent by
// other threads are run first, then the posted messages, then WM_QUIT, then
// WM_PAINT for a window with something to paint, then WM_TIMER for the timer
// due first. WM_PAINT and WM_TIMER are made when asked for, never queued.
//
// A thread with nothing to take sleeps in one poll(2) over its queue's event
// descriptor, the presenter's display connection and the desktop's sockets,
// with the next due timer as its deadline: it wakes for a message, input, a
// request from another process or a timer, and never in between. Before a
// message loop sleeps it flushes the settings files written since it last
// slept (AtomicFile.h, Durability::Deferred).
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/win/kernel/UniqueFd.h"
#include "platform/win/user/TimerSet.h"
#include "platform/win/user/User.h"

struct pollfd;

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

  // Where display input for the calling thread comes from: the descriptor
  // it arrives on (-1: none), and whether input already read from it waits
  // in the process, where a poll of the descriptor cannot see it (the loop
  // must not sleep then, its idle pass reads that input first).
  struct DisplayInput {
    int fd = -1;
    bool buffered = false;
  };
  // The loop's part of the presenter, given to it: `idle` runs on a queue's
  // thread whenever a peek finds nothing to take (it shows what was painted
  // and reads display input) and returns true when it posted something, so
  // that the peek looks again; `input`, when set, is asked right before a
  // message loop sleeps, and the descriptor it names is waited on together
  // with the queue.
  struct IdleHook {
    bool (*idle)() = nullptr;
    DisplayInput (*input)() = nullptr;
  };
  static void setIdleHook(const IdleHook& hook);

  // Any thread.
  void post(const MSG& msg, bool input = false);
  // Runs `hwnd`'s message on this queue's thread and waits for the result;
  // with timeoutMs >= 0, gives up after that many milliseconds of the
  // platform clock (false). The waiting thread runs what is sent to it
  // meanwhile.
  bool sendFrom(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, long timeoutMs, LRESULT* result);

  // Owner thread only.
  void postQuit(int exitCode);
  // The message read next, before every other posted one (the characters
  // TranslateMessage makes of a key).
  void postNext(const MSG& msg);
  bool peek(MSG* out, HWND filter, UINT filterMin, UINT filterMax, UINT flags);
  // Blocks until something may be retrievable (after a peek that found
  // nothing): a message posted or sent, the next timer due, display input,
  // or a message from another process. `what` names the wait in a report.
  void waitForMessage(const char* what = "a message loop");
  // Blocks until this queue is woken (something posted or sent to it), one of
  // `extra` is ready, or the platform clock reaches `deadline`, whichever is
  // first; returns at once when `ready()` (called under the queue's lock) is
  // already true. Requests from other processes are served meanwhile. False
  // when it ended at the deadline.
  bool wait(pollfd* extra, size_t count, uint64_t deadline, const char* what, const std::function<bool()>& ready);
  // How often a wait of this queue ended (tests count idle wake-ups).
  uint64_t wakeUps() const { return wakeUps_; }
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

  // Writes the event descriptor when the owner thread waits.
  void signal();
  // wait(), and with `display` also for display input: only a message loop
  // waits for it (its idle pass reads it), a thread waiting for an answer
  // leaves it for its loop.
  bool waitFor(pollfd* extra, size_t count, uint64_t deadline, const char* what, const std::function<bool()>& ready,
               bool display);

  const DWORD threadId_;
  UniqueFd event_;  // an eventfd, written to end a wait
  std::atomic<bool> waiting_{false};
  std::mutex mutex_;
  std::deque<Posted> posted_;
  std::deque<std::shared_ptr<SentMessage>> incoming_;
  uint64_t postGen_ = 0;  // counts posts, so a wait sees what came after the last peek
  uint64_t seenGen_ = 0;
  bool quit_ = false;
  int quitCode_ = 0;
  TimerSet timers_;
  uint64_t wakeAt_ = UINT64_MAX;  // next due timer the last failed peek could take
  uint64_t wakeUps_ = 0;

  friend class MessageQueueRegistry;
};

}  // namespace wavorel
