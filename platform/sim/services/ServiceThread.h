// A thread of a simulated system service: runs the tasks posted to it in
// order, one at a time, so that callbacks into the program arrive on a thread
// that is not the caller's (as the real services deliver them). Callers that
// withdraw a callback wait with `quiesce` until the thread is no longer inside
// a call of theirs.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace wavorel::sim {

class ServiceThread {
 public:
  ServiceThread() = default;
  ServiceThread(const ServiceThread&) = delete;
  ServiceThread& operator=(const ServiceThread&) = delete;
  ~ServiceThread() { stop(); }

  // Queues a task tagged with the owner it calls into (0: none); starts the
  // thread on first use.
  void post(uintptr_t owner, std::function<void()> task);
  // Drops what is queued for `owner` and waits until a running task of it has
  // returned (at once when called from the thread itself).
  void quiesce(uintptr_t owner);
  // Drops every queued task and ends the thread.
  void stop();
  bool onThread() const { return std::this_thread::get_id() == id_; }

 private:
  struct Task {
    uintptr_t owner;
    std::function<void()> run;
  };
  void loop();

  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Task> tasks_;
  std::thread thread_;
  std::thread::id id_;
  uintptr_t running_ = 0;
  bool busy_ = false;
  bool stopping_ = false;
};

}  // namespace wavorel::sim
