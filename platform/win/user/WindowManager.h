// The window tree of this process: the handle table (handles carry the process
// id in their upper half, so a handle names one window on the whole desktop
// and is never reused), the desktop window, and the input state of the UI
// thread (focus, capture, active and foreground window). Also the helpers the
// window functions share.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/win/user/Window.h"

namespace wavorel {

class MessageQueue;

class WindowManager {
 public:
  static WindowManager& instance();

  // A window of this process that is not destroyed (the desktop window too).
  std::shared_ptr<Window> find(HWND hwnd) const;
  // The first live child of `parent`, in its child order, whose control id is
  // `id`; null when none. One look-up under one lock for all the children.
  HWND childWithId(const Window& parent, int id) const;
  // Enters a new window and gives it its handle.
  HWND add(const std::shared_ptr<Window>& w);
  void remove(HWND hwnd);
  Window& desktop() { return *desktop_; }
  HWND desktopHandle() const { return desktop_->hwnd; }
  // Drops every window without messages (a fresh platform, or a forked child).
  void clear();

  // This process's id (kept up to date in a forked child).
  static DWORD processId();
  static void afterFork();
  // The process a handle belongs to; 0 for the desktop window.
  static DWORD processOfHandle(HWND hwnd);

  HWND focus = nullptr;
  HWND capture = nullptr;
  HWND active = nullptr;

 private:
  WindowManager();

  mutable std::mutex mutex_;
  // Counts the windows taken out of the table; a thread's last found window
  // is answered without the lock only while it has not moved.
  std::atomic<uint64_t> removals_{0};
  std::unordered_map<uintptr_t, std::shared_ptr<Window>> windows_;
  uint64_t next_ = 0;
  std::shared_ptr<Window> desktop_;
};

// Shared helpers of the window functions (UI thread unless noted).
// The live window of `hwnd`, or nullptr with ERROR_INVALID_WINDOW_HANDLE.
std::shared_ptr<Window> windowOrFail(HWND hwnd);
// As windowOrFail, and the window must belong to the calling thread
// (ERROR_ACCESS_DENIED otherwise). Any thread may call it.
std::shared_ptr<Window> ownWindowOrFail(HWND hwnd);
// Calls the window procedure; an exception is logged and the call returns 0.
LRESULT callWindow(const std::shared_ptr<Window>& w, UINT msg, WPARAM wParam, LPARAM lParam);
// SendMessage to a window known to be live and of this thread.
LRESULT sendTo(const std::shared_ptr<Window>& w, UINT msg, WPARAM wParam, LPARAM lParam);
std::shared_ptr<Window> parentOf(const Window& w);
// Screen position of the window's client origin.
POINT clientOrigin(const Window& w);
// The window rectangle in screen coordinates.
RECT screenRect(const Window& w);
// WS_VISIBLE on the window and all its ancestors.
bool visibleChain(const Window& w);
bool isDescendant(HWND ancestor, HWND hwnd);
// Adds to or empties the update region, keeping the queue's paint count.
void invalidate(Window& w, const RECT* clientRect, bool erase);
void validate(Window& w, const RECT* clientRect);
// The first window of `queue`'s thread in tree order that waits for WM_PAINT.
HWND paintTarget(const MessageQueue& queue, HWND filter);
// The window of `hwnd` or one of its ancestors that is a top-level window.
std::shared_ptr<Window> topLevelOf(const std::shared_ptr<Window>& w);

// Top-level windows of the whole desktop: this process's in z-order, then
// those of other processes.
std::vector<HWND> topLevelWindows();
// The z-order list `hwnd` belongs to (top-level windows: the whole desktop).
std::vector<HWND> siblingsOf(HWND hwnd);
// All descendants, depth first, each before its own children.
std::vector<HWND> descendantsOf(const Window& w);
// Moves `w` within `parent`'s children as SetWindowPos's insert-after value
// asks (HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST or a sibling),
// keeping topmost top-level windows above the others.
void placeInZOrder(Window& parent, Window& w, HWND insertAfter);
// Makes `hwnd` (a top-level window or NULL) the active window with WM_ACTIVATE.
void activate(HWND hwnd);
// Republishes a top-level window to the other processes after a change.
void publishWindow(const Window& w);

// Process-wide reset of the window system (registered with the platform root).
void resetWindowSystem();

}  // namespace wavorel
