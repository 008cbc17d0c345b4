// The desktop shared by the running instances of one platform root. Each
// process publishes its top-level windows (class, title, styles, visibility,
// properties) as files in <root>/session/desktop/<pid>/, and holds a lock on
// <pid>/lock for its whole life, so that a folder whose lock is free belongs
// to a dead process and is ignored. Each process serves a local socket (its
// address is in <pid>/endpoint) on which other instances send and post plain
// integer messages to its windows; a serving thread posts them into the
// window's queue (or runs a sent one on the window's thread and returns the
// result). A cross-process SendMessage waits at most kSendTimeoutMs of real time.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/user/User.h"

namespace wavorel {

class Window;

class Desktop {
 public:
  static constexpr long kSendTimeoutMs = 5000;

  struct ForeignWindow {
    HWND hwnd = nullptr;
    DWORD processId = 0;
    DWORD threadId = 0;
    std::string className;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::vector<std::pair<std::string, HANDLE>> props;
  };

  static Desktop& instance();
  ~Desktop();

  // This process's top-level windows (UI thread).
  void publish(const Window& w);
  void unpublish(HWND hwnd);

  // A handle of another process.
  static bool isForeign(HWND hwnd);
  // The top-level windows of the other live processes, by process and handle.
  std::vector<ForeignWindow> foreignWindows() const;
  bool foreignWindow(HWND hwnd, ForeignWindow* out) const;
  bool send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  bool post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // Unpublishes everything and stops serving.
  void reset();
  // In a forked child: forget the parent's lock and server.
  void afterFork();

 private:
  class Server;
  Desktop() = default;
  std::string sessionFolder() const;
  std::string processFolder(DWORD pid) const;
  bool ensureStarted();
  bool processAlive(DWORD pid) const;

  std::mutex mutex_;
  std::string folder_;  // this process's folder while published
  int lockFd_ = -1;
  std::unique_ptr<Server> server_;
};

}  // namespace wavorel
