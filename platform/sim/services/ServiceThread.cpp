#include "platform/sim/services/ServiceThread.h"

#include <algorithm>

namespace wavorel::sim {

void ServiceThread::post(uintptr_t owner, std::function<void()> task) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (stopping_) return;
  tasks_.push_back({owner, std::move(task)});
  if (!thread_.joinable()) {
    thread_ = std::thread([this] { loop(); });
    id_ = thread_.get_id();
  }
  cv_.notify_all();
}

void ServiceThread::loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    cv_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
    if (stopping_) return;
    Task task = std::move(tasks_.front());
    tasks_.pop_front();
    running_ = task.owner;
    busy_ = true;
    lock.unlock();
    task.run();
    lock.lock();
    busy_ = false;
    running_ = 0;
    cv_.notify_all();
  }
}

void ServiceThread::quiesce(uintptr_t owner) {
  std::unique_lock<std::mutex> lock(mutex_);
  tasks_.erase(std::remove_if(tasks_.begin(), tasks_.end(), [owner](const Task& t) { return t.owner == owner; }),
               tasks_.end());
  if (std::this_thread::get_id() == id_) return;
  cv_.wait(lock, [this, owner] { return !busy_ || running_ != owner; });
}

void ServiceThread::stop() {
  std::thread finished;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    tasks_.clear();
    cv_.notify_all();
    finished = std::move(thread_);
  }
  if (finished.joinable()) {
    if (finished.get_id() == std::this_thread::get_id()) {
      finished.detach();
    } else {
      finished.join();
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  stopping_ = false;
  id_ = std::thread::id();
}

}  // namespace wavorel::sim
