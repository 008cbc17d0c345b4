// The desktop shared by the running instances of one platform root. Each
// process publishes its top-level windows (class, title, styles, visibility,
// properties; not those of a process-private class: tooltips, drop-down lists,
// nor transient pop-ups: owned tool windows without a title or a property)
// as files in <root>/session/desktop/<pid>/ (a folder of mode 0700), and holds
// a lock on <pid>/lock for its whole life, so that a folder whose lock is free
// belongs to a dead process: it is ignored, and removed at the next start
// (LeftoverFiles.h). Window files die with the process and
// are written without a sync; a change that other processes cannot see
// writes nothing.
//
// Messages cross processes over the socket file <pid>/socket
// (DesktopServer.h): SendMessage and PostMessage to another process's window
// send one request and wait for its reply, serving what other processes and
// threads send to this thread meanwhile, for at most kSendTimeoutMs of the
// platform clock. What may cross is in CrossProcessMessage.h: a message that
// may not is refused with ERROR_ACCESS_DENIED (sent) or
// ERROR_MESSAGE_SYNC_ONLY (posted, when only a send can carry it).
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/kernel/UniqueFd.h"
#include "platform/win/user/User.h"

struct pollfd;

namespace wavorel {

class DesktopServer;
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

  // The message loop's part: what a waiting thread watches for requests
  // from other processes, and serving those that are ready.
  void addPollFds(std::vector<pollfd>& fds);
  void serve(const pollfd* fds, size_t count);

  // The folder of the process `pid` under the current platform root.
  static std::string processFolder(DWORD pid);

  // Unpublishes everything and stops serving.
  void reset();
  // In a forked child: forget the parent's lock, socket and windows.
  void afterFork();

 private:
  Desktop() = default;
  bool ensureStarted();
  bool processAlive(DWORD pid) const;
  std::shared_ptr<DesktopServer> server();
  // One request to the process owning `hwnd` and its reply; false with the
  // last error set when it could not be made.
  bool exchange(HWND hwnd, UINT kind, UINT msg, WPARAM wParam, LPARAM lParam, const std::string& payload,
                LRESULT* result, std::string* replyPayload);

  std::mutex mutex_;
  std::string folder_;  // this process's folder while published
  UniqueFd lock_;
  std::shared_ptr<DesktopServer> server_;
  std::map<HWND, std::string> published_;  // what each window's file holds
};

}  // namespace wavorel
