#include "platform/win/user/MessageQueue.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <map>
#include <vector>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/user/Input.h"
#include "platform/win/kernel/ThreadObject.h"
#include "platform/win/user/Desktop.h"
#include "platform/win/user/HookChain.h"
#include "platform/win/user/WindowManager.h"

namespace wavorel {

namespace {

std::mutex g_registryMutex;
std::map<DWORD, std::weak_ptr<MessageQueue>>& registry() {
  static std::map<DWORD, std::weak_ptr<MessageQueue>> queues;
  return queues;
}

thread_local std::shared_ptr<MessageQueue> t_queue;

bool inRange(UINT msg, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  return msg >= filterMin && msg <= filterMax;
}

bool forWindow(HWND target, HWND filter) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return target == nullptr;
  return target == filter || isDescendant(filter, target);
}

// Runs the keyboard hooks for a keyboard message being retrieved; true when a
// hook swallowed it.
bool keyboardHookSwallows(const MSG& msg, bool remove) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  DWORD tid = MessageQueue::currentThreadId();
  if (!HookChain::instance().has(WH_KEYBOARD, tid)) return false;
  LRESULT r = HookChain::instance().call(WH_KEYBOARD, tid, remove ? HC_ACTION : HC_NOREMOVE, msg.wParam, msg.lParam);
  return remove && r != 0;
}

MSG makeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.hwnd = hwnd;
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = static_cast<DWORD>(clock().tickMs());
  return m;
}

}  // namespace

MessageQueue::MessageQueue(DWORD threadId) : threadId_(threadId), event_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

MessageQueue::~MessageQueue() { clear(); }

DWORD MessageQueue::currentThreadId() { return ::wavorel::currentThreadId(); }

std::shared_ptr<MessageQueue> MessageQueue::current() {
  if (t_queue) return t_queue;
  auto q = std::make_shared<MessageQueue>(currentThreadId());
  {
    std::lock_guard<std::mutex> lock(g_registryMutex);
    registry()[q->threadId_] = q;
  }
  t_queue = q;
  return q;
}

std::shared_ptr<MessageQueue> MessageQueue::ofThread(DWORD threadId) {
  std::lock_guard<std::mutex> lock(g_registryMutex);
  auto it = registry().find(threadId);
  return it == registry().end() ? nullptr : it->second.lock();
}

void MessageQueue::resetAll() {
  std::vector<std::shared_ptr<MessageQueue>> queues;
  {
    std::lock_guard<std::mutex> lock(g_registryMutex);
    for (auto it = registry().begin(); it != registry().end();) {
      if (auto q = it->second.lock()) {
        queues.push_back(q);
        ++it;
      } else {
        it = registry().erase(it);
      }
    }
  }
  for (auto& q : queues) q->clear();
}

void MessageQueue::afterFork() {
  std::lock_guard<std::mutex> lock(g_registryMutex);
  registry().clear();
  t_queue.reset();  // the forked thread starts with an empty queue
}

void MessageQueue::clear() {
  std::deque<std::shared_ptr<SentMessage>> pending;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.clear();
    pending.swap(incoming_);
    quit_ = false;
    ++postGen_;
  }
  for (auto& rec : pending) {
    {
      std::lock_guard<std::mutex> lock(rec->sender->mutex_);
      rec->done = true;
    }
    rec->sender->signal();
  }
  timers_.clear();
  paintCount = 0;
  wakeAt_ = UINT64_MAX;
}

void MessageQueue::signal() {
  if (!waiting_.load()) return;
  uint64_t one = 1;
  (void)!::write(event_.get(), &one, sizeof one);
}

void MessageQueue::post(const MSG& msg, bool input) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back({msg, input});
    ++postGen_;
  }
  signal();
}

void MessageQueue::postNext(const MSG& msg) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_front({msg, false});
    ++postGen_;
  }
  signal();
}

void MessageQueue::postQuit(int exitCode) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    quitCode_ = exitCode;
    ++postGen_;
  }
  signal();
}

bool MessageQueue::sendFrom(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, long timeoutMs, LRESULT* result) {
  auto me = current();
  auto rec = std::make_shared<SentMessage>();
  rec->hwnd = hwnd;
  rec->msg = msg;
  rec->wParam = wParam;
  rec->lParam = lParam;
  rec->sender = me;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    incoming_.push_back(rec);
  }
  signal();
  uint64_t deadline = timeoutMs < 0 ? UINT64_MAX : clock().tickMs() + static_cast<uint64_t>(timeoutMs);
  for (;;) {
    me->runIncomingSends();  // a thread waiting for its answer still answers sends to itself
    bool answered = me->wait(nullptr, 0, deadline, "SendMessage to another thread",
                             [&] { return rec->done || !me->incoming_.empty(); });
    std::lock_guard<std::mutex> lock(me->mutex_);
    if (rec->done) {
      *result = rec->result;
      return true;
    }
    if (!answered && clock().tickMs() >= deadline) {
      rec->abandoned = true;
      return false;
    }
  }
}

void MessageQueue::runIncomingSends() {
  for (;;) {
    std::shared_ptr<SentMessage> rec;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (incoming_.empty()) return;
      rec = incoming_.front();
      incoming_.pop_front();
    }
    LRESULT result = 0;
    bool abandoned;
    {
      std::lock_guard<std::mutex> lock(rec->sender->mutex_);
      abandoned = rec->abandoned;
    }
    if (!abandoned) {
      if (auto w = WindowManager::instance().find(rec->hwnd)) result = sendTo(w, rec->msg, rec->wParam, rec->lParam);
    }
    {
      std::lock_guard<std::mutex> lock(rec->sender->mutex_);
      rec->result = result;
      rec->done = true;
    }
    rec->sender->signal();
  }
}

bool MessageQueue::takePosted(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  for (;;) {
    Posted p{};
    const HWND keys = keyboardInputTarget();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seenGen_ = postGen_;
      // Keys from the keyboard go where the focus is as they are taken.
      for (Posted& q : posted_)
        if (keys && q.input && q.msg.message >= WM_KEYFIRST && q.msg.message <= WM_KEYLAST) q.msg.hwnd = keys;
      size_t i = 0;
      while (i < posted_.size() &&
             !(inRange(posted_[i].msg.message, filterMin, filterMax) && forWindow(posted_[i].msg.hwnd, filter)))
        ++i;
      if (i == posted_.size()) return false;
      p = posted_[i];
      if (remove) posted_.erase(posted_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    if (p.input && keyboardHookSwallows(p.msg, remove)) continue;
    *out = p.msg;
    return true;
  }
}

namespace {
std::atomic<bool (*)()> g_idleHook{nullptr};
std::atomic<MessageQueue::DisplayInput (*)()> g_displayInput{nullptr};
thread_local bool t_inIdleHook = false;
}  // namespace

void MessageQueue::setIdleHook(const IdleHook& hook) {
  g_idleHook = hook.idle;
  g_displayInput = hook.input;
}

bool MessageQueue::peek(MSG* out, HWND filter, UINT filterMin, UINT filterMax, UINT flags) {
  if (peekOnce(out, filter, filterMin, filterMax, flags)) return true;
  auto hook = g_idleHook.load();
  if (!hook || t_inIdleHook) return false;
  t_inIdleHook = true;
  bool posted = hook();
  t_inIdleHook = false;
  return posted && peekOnce(out, filter, filterMin, filterMax, flags);
}

bool MessageQueue::peekOnce(MSG* out, HWND filter, UINT filterMin, UINT filterMax, UINT flags) {
  bool remove = (flags & PM_REMOVE) != 0;
  runIncomingSends();
  if (takePosted(out, filter, filterMin, filterMax, remove)) return true;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (quit_) {
      *out = makeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0);
      if (remove) quit_ = false;
      return true;
    }
  }
  if (paintCount > 0 && inRange(WM_PAINT, filterMin, filterMax)) {
    if (HWND h = paintTarget(*this, filter)) {
      *out = makeMsg(h, WM_PAINT, 0, 0);
      return true;
    }
  }
  wakeAt_ = UINT64_MAX;
  if (!timers_.empty() && inRange(WM_TIMER, filterMin, filterMax)) {
    uint64_t now = clock().tickMs();
    auto accept = [&](const Timer& t) { return forWindow(t.hwnd, filter); };
    if (const Timer* t = timers_.due(now, accept)) {
      *out = makeMsg(t->hwnd, WM_TIMER, t->id, reinterpret_cast<LPARAM>(t->proc));
      if (remove) timers_.fired(t->hwnd, t->id, now);
      return true;
    }
    if (const Timer* t = timers_.due(UINT64_MAX, accept)) wakeAt_ = t->due;
  }
  return false;
}

void MessageQueue::waitForMessage(const char* what) {
  waitFor(nullptr, 0, wakeAt_, what, [&] { return !incoming_.empty() || postGen_ != seenGen_; }, true);
}

bool MessageQueue::wait(pollfd* extra, size_t count, uint64_t deadline, const char* what,
                        const std::function<bool()>& ready) {
  return waitFor(extra, count, deadline, what, ready, false);
}

bool MessageQueue::waitFor(pollfd* extra, size_t count, uint64_t deadline, const char* what,
                           const std::function<bool()>& ready, bool display) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ready()) return true;
    waiting_ = true;  // from here on a post writes the event descriptor
  }
  // A message loop about to sleep: the burst of settings it wrote is over.
  if (display && deferredSyncPending()) syncDeferredFiles();
  std::vector<pollfd> fds;
  fds.push_back(pollfd{event_.get(), POLLIN, 0});
  // Inside the idle pass the display is being read: the pass itself reads
  // what comes meanwhile before the loop sleeps.
  if (auto inputHook = display && !t_inIdleHook ? g_displayInput.load() : nullptr) {
    DisplayInput input = inputHook();
    if (input.buffered) {
      waiting_ = false;
      return true;
    }
    if (input.fd >= 0) fds.push_back(pollfd{input.fd, POLLIN, 0});
  }
  size_t desktopAt = fds.size();
  Desktop::instance().addPollFds(fds);
  size_t extraAt = fds.size();
  fds.insert(fds.end(), extra, extra + count);
  int n = clock().pollUntil(fds.data(), fds.size(), deadline, what);
  waiting_ = false;
  uint64_t drained;
  (void)!::read(event_.get(), &drained, sizeof drained);
  ++wakeUps_;
  for (size_t i = 0; i < count; ++i) extra[i].revents = fds[extraAt + i].revents;
  if (n > 0) Desktop::instance().serve(fds.data() + desktopAt, extraAt - desktopAt);
  return n != 0;
}

void MessageQueue::removeMessagesFor(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = posted_.begin(); it != posted_.end();) {
    if (it->msg.hwnd == hwnd)
      it = posted_.erase(it);
    else
      ++it;
  }
}

}  // namespace wavorel
