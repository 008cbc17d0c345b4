// The presenter's idle work (see Presenter.h): the screenshot switch and the
// X display.
#include "platform/present/Presenter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>

#include "platform/present/DisplayConnection.h"
#include "platform/present/HeadlessRun.h"
#include "platform/present/Screenshot.h"
#include "platform/win/kernel/CompanionModule.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/Paint.h"
#include "platform/win/user/WindowManager.h"
#include "platform/win/kernel/PlatformLog.h"

namespace wavorel::present {

namespace {

struct State {
  std::mutex mutex;
  std::atomic<bool> probed{false};  // the display was asked for (by the screen's size or the idle pass)
  bool triedDisplay = false;
  std::unique_ptr<DisplayConnection> display;
  std::atomic<DWORD> displayThread{0};  // the thread of `display`, read without the lock
  HWND main = nullptr;
  HWND shotWindow = nullptr;
  uint64_t shotPaints = UINT64_MAX;
};

State& state() {
  static State* s = [] {
    static State instance;
    registerStateReset([] {
      std::unique_ptr<DisplayConnection> gone;
      std::lock_guard<std::mutex> lock(instance.mutex);
      gone.swap(instance.display);
      instance.displayThread = 0;
      instance.probed = false;
      instance.triedDisplay = false;
      instance.main = nullptr;
      instance.shotWindow = nullptr;
      instance.shotPaints = UINT64_MAX;
    });
    return &instance;
  }();
  return *s;
}

// Opens an X display through the X11 module, loaded on first use.
std::unique_ptr<DisplayConnection> connect(const char* name) {
  static CompanionModule x11(kX11Module);
  auto open = x11.entryAs<OpenDisplayFunction>(kOpenX11Display);
  return std::unique_ptr<DisplayConnection>(open ? open(name) : nullptr);
}

// The main window of the calling thread (see Presenter.h).
HWND mainWindow(State& s) {
  DWORD me = MessageQueue::currentThreadId();
  auto& wm = WindowManager::instance();
  if (auto current = s.main ? wm.find(s.main) : nullptr) return current->threadId == me ? s.main : nullptr;
  s.main = nullptr;
  for (HWND h : std::vector<HWND>(wm.desktop().children)) {
    auto w = wm.find(h);
    if (w && w->threadId == me && (w->style & WS_VISIBLE)) return s.main = h;
  }
  return nullptr;
}

void writeScreenshot(State& s, const char* path) {
  HWND main = mainWindow(s);
  if (!main || (main == s.shotWindow && s.shotPaints == paintGeneration())) return;
  WindowImage image = composeWindow(main);
  s.shotWindow = main;
  s.shotPaints = paintGeneration();
  if (!writeImage(image, path)) wavorel::logNote("cannot write the screenshot %s", path);
  // The window-sized copies the screenshot took (composition, encoding) go
  // back to the system now rather than stay in the heap's free lists.
  image = WindowImage();
  malloc_trim(0);
}

// Connects the display named by DISPLAY, once (the lock held).
void tryDisplay(State& s) {
  if (s.triedDisplay) return;
  s.triedDisplay = true;
  const char* name = std::getenv("DISPLAY");
  if (name && *name && !std::getenv("WAVOREL_HEADLESS")) s.display = connect(name);
  s.displayThread = s.display ? s.display->thread() : 0;
}

// The screen's size is asked before the first idle pass (a dialog centred
// while it is made): the display is connected then, so that the size is the
// X screen's. Only until the idle pass or openDisplay has taken the lock.
void probeScreen() {
  State& s = state();
  if (s.probed.exchange(true)) return;
  std::lock_guard<std::mutex> lock(s.mutex);
  try {
    tryDisplay(s);
  } catch (const std::exception& e) {
    wavorel::logNote("presenter: %s", e.what());
  }
}

bool onIdle() {
  State& s = state();
  std::unique_lock<std::mutex> lock(s.mutex, std::try_to_lock);
  if (!lock.owns_lock()) return false;
  try {
    s.probed = true;
    tryDisplay(s);
    bool posted = false;
    if (s.display && s.display->thread() == MessageQueue::currentThreadId()) posted = s.display->sync();
    const char* path = std::getenv("WAVOREL_SCREENSHOT");
    if (path && *path) writeScreenshot(s, path);
    if (headlessIdle()) posted = true;
    return posted;
  } catch (const std::exception& e) {
    wavorel::logNote("presenter: %s", e.what());
    return false;
  }
}

// The X connection of the calling thread's display, for its loop to wait on.
// Events Xlib has already read from the connection (during a round trip of
// the last idle pass) are not seen by a poll of it: they keep the loop awake,
// and so does another thread holding the state (this thread's idle pass may
// have been skipped for it).
MessageQueue::DisplayInput displayInput() {
  State& s = state();
  DWORD me = MessageQueue::currentThreadId();
  std::unique_lock<std::mutex> lock(s.mutex, std::try_to_lock);
  if (!lock.owns_lock()) return {-1, s.displayThread == me};
  if (!s.display || s.display->thread() != me) return {};
  return {s.display->fd(), s.display->buffered()};
}

const bool g_hooked = (MessageQueue::setIdleHook({&onIdle, &displayInput}), setScreenProbe(&probeScreen), true);

}  // namespace

bool openDisplay(const char* name) {
  State& s = state();
  s.probed = true;
  std::unique_ptr<DisplayConnection> opened = connect(name);
  std::unique_ptr<DisplayConnection> old;
  std::lock_guard<std::mutex> lock(s.mutex);
  s.triedDisplay = true;
  old.swap(s.display);
  s.display = std::move(opened);
  s.displayThread = s.display ? s.display->thread() : 0;
  return s.display != nullptr;
}

void closeDisplay() {
  State& s = state();
  std::unique_ptr<DisplayConnection> old;
  std::lock_guard<std::mutex> lock(s.mutex);
  old.swap(s.display);
  s.displayThread = 0;
}

bool displayOpen() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.display != nullptr;
}

}  // namespace wavorel::present
