#include "platform/win/user/WindowManager.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>

#include "platform/win/user/AtomTable.h"
#include "platform/win/user/Desktop.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/PlatformLog.h"
#include "platform/win/user/HookChain.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/kernel/Root.h"

namespace wavorel {

namespace {

// The desktop window has the same handle in every process.
constexpr uintptr_t kDesktopHandle = 0x10010;
// Local window handles: process id in the upper half, a counter below.
constexpr uintptr_t kFirstLocal = 0x10020;

std::atomic<DWORD> g_pid{0};

// Set once the thread's LastFound is destroyed: windows destroyed by static
// objects after that (at exit) are looked up under the lock.
thread_local bool t_lastFoundGone = false;

// The windows a thread found last: painting asks for the same few handles
// (the control, its parent, its header) on every call. Handles are never
// reused, so a kept window matching the handle is the one in the table as long
// as no window left the table since it was kept. They are kept by weak
// reference: a window taken out of the table is freed at once, whatever other
// threads (a worker asleep) found last.
struct LastFound {
  LastFound() = default;
  LastFound(const LastFound&) = delete;
  LastFound& operator=(const LastFound&) = delete;
  ~LastFound() { t_lastFoundGone = true; }

  struct Kept {
    HWND hwnd = nullptr;
    std::weak_ptr<Window> window;
  };
  const WindowManager* manager = nullptr;
  uint64_t removals = 0;
  std::array<Kept, 4> windows;
  size_t next = 0;

  void forget() {
    for (auto& k : windows) k = Kept{};
  }
  void keep(const WindowManager* by, uint64_t seen, const std::shared_ptr<Window>& w) {
    if (manager != by || removals != seen) forget();
    manager = by;
    removals = seen;
    windows[next] = Kept{w->hwnd, w};
    next = (next + 1) % windows.size();
  }
};
thread_local LastFound t_lastFound;

// The calling thread's kept windows, null once they are gone.
LastFound* lastFound() { return t_lastFoundGone ? nullptr : &t_lastFound; }

void childAfterFork() {
  g_pid = static_cast<DWORD>(getpid());
  WindowManager::afterFork();
}

const bool g_registered = [] {
  registerStateReset(resetWindowSystem);
  pthread_atfork(nullptr, nullptr, childAfterFork);
  return true;
}();

}  // namespace

WindowManager::WindowManager() {
  (void)g_registered;
  desktop_ = std::make_shared<Window>();
  desktop_->hwnd = reinterpret_cast<HWND>(kDesktopHandle);
  desktop_->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  desktop_->rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  desktop_->text = "";
  desktop_->life = Window::Life::Alive;
  static const auto desktopClass = [] {
    auto c = std::make_shared<WindowClass>();
    c->name = "#32769";
    c->proc = DefWindowProc;
    return c;
  }();
  desktop_->cls = desktopClass;
  desktop_->proc = DefWindowProc;
}

WindowManager& WindowManager::instance() {
  static WindowManager manager;
  return manager;
}

DWORD WindowManager::processId() {
  DWORD pid = g_pid.load();
  if (pid == 0) {
    pid = static_cast<DWORD>(getpid());
    g_pid = pid;
  }
  return pid;
}

DWORD WindowManager::processOfHandle(HWND hwnd) {
  return static_cast<DWORD>(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(hwnd)) >> 32);
}

std::shared_ptr<Window> WindowManager::find(HWND hwnd) const {
  uintptr_t value = reinterpret_cast<uintptr_t>(hwnd);
  if (value == kDesktopHandle) return desktop_;
  LastFound* last = lastFound();
  // A window removed by another thread after the count was read is either
  // still held (it was in the table when the count was read, and is marked
  // destroyed before it leaves it) or already freed, when the table answers.
  if (last && last->manager == this && last->removals == removals_.load(std::memory_order_acquire)) {
    for (const auto& k : last->windows) {
      if (k.hwnd != hwnd) continue;
      if (auto w = k.window.lock()) {
        if (w->alive()) return w;
        return nullptr;
      }
      break;
    }
  }
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(value);
  if (it == windows_.end() || !it->second->alive()) return nullptr;
  if (last) last->keep(this, removals_.load(std::memory_order_relaxed), it->second);
  return it->second;
}

HWND WindowManager::childWithId(const Window& parent, int id) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (HWND h : parent.children) {
    auto it = windows_.find(reinterpret_cast<uintptr_t>(h));
    if (it != windows_.end() && it->second->alive() && static_cast<int>(it->second->id) == id) return h;
  }
  return nullptr;
}

HWND WindowManager::add(const std::shared_ptr<Window>& w) {
  std::lock_guard<std::mutex> lock(mutex_);
  uintptr_t value = (static_cast<uintptr_t>(processId()) << 32) | (kFirstLocal + 4 * next_++);
  w->hwnd = reinterpret_cast<HWND>(value);
  windows_.emplace(value, w);
  return w->hwnd;
}

void WindowManager::remove(HWND hwnd) {
  std::shared_ptr<Window> dropped;
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(reinterpret_cast<uintptr_t>(hwnd));
  if (it == windows_.end()) return;
  dropped = std::move(it->second);
  windows_.erase(it);
  removals_.fetch_add(1, std::memory_order_release);
  if (LastFound* last = lastFound()) last->forget();
}

void WindowManager::clear() {
  std::unordered_map<uintptr_t, std::shared_ptr<Window>> old;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    old.swap(windows_);
    removals_.fetch_add(1, std::memory_order_release);
  }
  if (LastFound* last = lastFound()) last->forget();
  for (auto& kv : old) {
    kv.second->life = Window::Life::Destroyed;
    if (kv.second->region) deleteRegion(kv.second->region);
    if (kv.second->cls) kv.second->cls->windows--;
  }
  desktop_->children.clear();
  focus = capture = active = nullptr;
}

void WindowManager::afterFork() {
  Desktop::instance().afterFork();
  MessageQueue::afterFork();
  instance().clear();
}

std::shared_ptr<Window> windowOrFail(HWND hwnd) {
  auto w = WindowManager::instance().find(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

std::shared_ptr<Window> ownWindowOrFail(HWND hwnd) {
  auto w = windowOrFail(hwnd);
  if (w && w->threadId != MessageQueue::currentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return w;
}

LRESULT callWindow(const std::shared_ptr<Window>& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<Window> keep = w;  // a window destroyed by its own handler stays valid until it returns
  WNDPROC proc = keep->proc;
  try {
    return proc(keep->hwnd, msg, wParam, lParam);
  } catch (...) {
    logFault("window procedure of %p threw on message 0x%04X: %s", static_cast<void*>(keep->hwnd), msg,
             currentExceptionText().c_str());
  }
  return 0;
}

LRESULT sendTo(const std::shared_ptr<Window>& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!w->queue) return 0;  // the desktop window takes no messages
  return callWindow(w, msg, wParam, lParam);
}

std::shared_ptr<Window> parentOf(const Window& w) {
  if (w.parent == nullptr) return nullptr;
  return WindowManager::instance().find(w.parent);
}

POINT clientOrigin(const Window& w) {
  auto parent = parentOf(w);
  POINT base = parent ? clientOrigin(*parent) : POINT{0, 0};
  RECT f = w.frame();
  return {base.x + w.rect.left + f.left, base.y + w.rect.top + f.top};
}

RECT screenRect(const Window& w) {
  auto parent = parentOf(w);
  POINT base = parent ? clientOrigin(*parent) : POINT{0, 0};
  return {w.rect.left + base.x, w.rect.top + base.y, w.rect.right + base.x, w.rect.bottom + base.y};
}

bool visibleChain(const Window& w) {
  if (!(w.style & WS_VISIBLE)) return false;
  auto parent = parentOf(w);
  return parent ? visibleChain(*parent) : true;
}

bool isDescendant(HWND ancestor, HWND hwnd) {
  auto& wm = WindowManager::instance();
  auto w = wm.find(hwnd);
  while (w && w->isChild()) {
    if (w->parent == ancestor) return true;
    w = wm.find(w->parent);
  }
  return false;
}

namespace {

void adjustPaintCount(Window& w, bool before) {
  bool after = w.needsPaint();
  if (before == after || !w.queue) return;
  w.queue->paintCount += after ? 1 : -1;
}

HWND searchPaint(const Window& w, const MessageQueue& queue, HWND filter, bool inFilter) {
  auto& wm = WindowManager::instance();
  for (HWND h : w.children) {
    auto c = wm.find(h);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    bool match = inFilter || filter == nullptr || c->hwnd == filter;
    if (match && c->queue.get() == &queue && c->needsPaint()) return c->hwnd;
    if (HWND found = searchPaint(*c, queue, filter, match)) return found;
  }
  return nullptr;
}

}  // namespace

void invalidate(Window& w, const RECT* clientRect, bool erase) {
  bool before = w.needsPaint();
  RECT client = w.clientRect();
  Region add(clientRect ? *clientRect : client);
  add.intersect(client);
  for (const RECT& r : add.rects()) w.update.add(r);
  if (!add.empty() && erase) w.erase = true;
  adjustPaintCount(w, before);
}

void validate(Window& w, const RECT* clientRect) {
  bool before = w.needsPaint();
  if (clientRect) {
    w.update.subtract(*clientRect);
  } else {
    w.update.clear();
    w.internalPaint = false;
  }
  if (w.update.empty()) w.erase = false;
  adjustPaintCount(w, before);
}

HWND paintTarget(const MessageQueue& queue, HWND filter) {
  return searchPaint(WindowManager::instance().desktop(), queue, filter, false);
}

std::shared_ptr<Window> topLevelOf(const std::shared_ptr<Window>& w) {
  auto cur = w;
  while (cur && cur->isChild()) {
    auto p = parentOf(*cur);
    if (!p || p->hwnd == WindowManager::instance().desktopHandle()) break;
    cur = p;
  }
  return cur;
}

void resetWindowSystem() {
  Desktop::instance().reset();
  resetModalLoops();
  WindowManager::instance().clear();
  MessageQueue::resetAll();
  HookChain::instance().clear();
  ClassRegistry::instance().clear();
  AtomTable::instance().clear();
}

}  // namespace wavorel

namespace wavorel {

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> list = WindowManager::instance().desktop().children;
  for (const auto& fw : Desktop::instance().foreignWindows()) list.push_back(fw.hwnd);
  return list;
}

std::vector<HWND> siblingsOf(HWND hwnd) {
  auto w = WindowManager::instance().find(hwnd);
  if (!w || w->parent == WindowManager::instance().desktopHandle()) return topLevelWindows();
  auto parent = parentOf(*w);
  return parent ? parent->children : std::vector<HWND>{hwnd};
}

namespace {
void collectDescendants(const Window& w, std::vector<HWND>& out) {
  for (HWND h : w.children) {
    out.push_back(h);
    if (auto c = WindowManager::instance().find(h)) collectDescendants(*c, out);
  }
}
}  // namespace

std::vector<HWND> descendantsOf(const Window& w) {
  std::vector<HWND> out;
  collectDescendants(w, out);
  return out;
}

void placeInZOrder(Window& parent, Window& w, HWND insertAfter) {
  auto& list = parent.children;
  auto& wm = WindowManager::instance();
  auto old = std::find(list.begin(), list.end(), w.hwnd);
  size_t oldIndex = old == list.end() ? list.size() : static_cast<size_t>(old - list.begin());
  if (old != list.end()) list.erase(old);
  bool topLevel = parent.hwnd == wm.desktopHandle();
  auto firstNonTopmost = [&] {
    size_t i = 0;
    while (i < list.size()) {
      auto s = wm.find(list[i]);
      if (!s || !(s->exStyle & WS_EX_TOPMOST)) break;
      ++i;
    }
    return i;
  };
  size_t index;
  if (insertAfter == HWND_TOPMOST) {
    if (topLevel) w.exStyle |= WS_EX_TOPMOST;
    index = 0;
  } else if (insertAfter == HWND_NOTOPMOST) {
    if (!(w.exStyle & WS_EX_TOPMOST)) {
      index = std::min(oldIndex, list.size());
    } else {
      w.exStyle &= ~WS_EX_TOPMOST;
      index = firstNonTopmost();
    }
  } else if (insertAfter == HWND_BOTTOM) {
    w.exStyle &= topLevel ? ~static_cast<DWORD>(WS_EX_TOPMOST) : ~0u;
    index = list.size();
  } else if (insertAfter == HWND_TOP) {
    index = (topLevel && !(w.exStyle & WS_EX_TOPMOST)) ? firstNonTopmost() : 0;
  } else {
    auto after = std::find(list.begin(), list.end(), insertAfter);
    index = after == list.end() ? std::min(oldIndex, list.size()) : static_cast<size_t>(after - list.begin()) + 1;
  }
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), w.hwnd);
}

}  // namespace wavorel
