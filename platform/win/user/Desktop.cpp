#include "platform/win/user/Desktop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/CrossProcessMessage.h"
#include "platform/win/user/DesktopServer.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

namespace fs = std::filesystem;

namespace wavorel {

namespace {

std::string sessionFolder() { return platformRoot() + "/session/desktop"; }

std::string escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

std::string unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    char c = s[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return out;
}

std::string windowFileName(HWND hwnd) {
  std::ostringstream name;
  name << 'w' << std::hex << reinterpret_cast<uintptr_t>(hwnd);
  return name.str();
}

bool parseWindowFile(const std::string& data, Desktop::ForeignWindow& out) {
  std::istringstream in(data);
  std::string line;
  bool any = false;
  while (std::getline(in, line)) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    any = true;
    if (key == "thread") {
      out.threadId = static_cast<DWORD>(std::stoul(value));
    } else if (key == "class") {
      out.className = unescape(value);
    } else if (key == "title") {
      out.title = unescape(value);
    } else if (key == "style") {
      out.style = static_cast<DWORD>(std::stoul(value));
    } else if (key == "exstyle") {
      out.exStyle = static_cast<DWORD>(std::stoul(value));
    } else if (key == "prop") {
      size_t tab = value.find('\t');
      if (tab == std::string::npos) continue;
      auto v = static_cast<uintptr_t>(std::stoull(value.substr(tab + 1)));
      out.props.emplace_back(unescape(value.substr(0, tab)), reinterpret_cast<HANDLE>(v));
    }
  }
  return any;
}

bool makePrivateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (::chmod(path.c_str(), 0700) == 0);
}

// Waits for `events` on `fd` while serving this thread's incoming messages;
// false at the deadline.
bool waitFor(int fd, short events, uint64_t deadline) {
  auto q = MessageQueue::current();
  for (;;) {
    q->runIncomingSends();
    pollfd p{fd, events, 0};
    if (!q->wait(&p, 1, deadline, "SendMessage or PostMessage to another process", [] { return false; }))
      return false;
    if (p.revents) return true;
  }
}

// Windows no other process has a way to pick out stay within this one: those
// of a process-private class, and transient pop-ups (an owned tool window
// with neither a title nor a property: the messages shown beside a field,
// menus).
bool staysInProcess(const Window& w) {
  if (w.cls->processPrivate) return true;
  return w.owner && (w.style & WS_POPUP) && (w.exStyle & WS_EX_TOOLWINDOW) && w.text.empty() && w.props.empty();
}

}  // namespace

Desktop& Desktop::instance() {
  static Desktop desktop;
  return desktop;
}

Desktop::~Desktop() { reset(); }

std::string Desktop::processFolder(DWORD pid) { return sessionFolder() + "/" + std::to_string(pid); }

bool Desktop::isForeign(HWND hwnd) {
  DWORD pid = WindowManager::processOfHandle(hwnd);
  return pid != 0 && pid != WindowManager::processId();
}

bool Desktop::ensureStarted() {
  if (!folder_.empty()) return true;
  std::string folder = processFolder(WindowManager::processId());
  std::error_code ec;
  fs::remove_all(folder, ec);  // left by an earlier process with our id
  if (!makePrivateFolder(platformRoot() + "/session") || !makePrivateFolder(sessionFolder()) ||
      !makePrivateFolder(folder))
    return false;
  UniqueFd lock(::open((folder + "/lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600));
  if (!lock.valid() || ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) return false;
  auto server = std::make_shared<DesktopServer>(folder);
  if (!server->valid()) return false;
  lock_ = std::move(lock);
  server_ = std::move(server);
  folder_ = folder;
  return true;
}

void Desktop::publish(const Window& w) {
  if (staysInProcess(w)) {
    unpublish(w.hwnd);  // it may have had a title or a property before
    return;
  }
  std::ostringstream out;
  out << "thread=" << w.threadId << "\nclass=" << escape(w.cls->name) << "\ntitle=" << escape(w.text)
      << "\nstyle=" << w.style << "\nexstyle=" << w.exStyle << '\n';
  for (const auto& p : w.props)
    out << "prop=" << escape(p.first) << '\t' << reinterpret_cast<uintptr_t>(p.second) << '\n';
  std::string text = out.str();
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = published_.find(w.hwnd);
  if (it != published_.end() && it->second == text) return;  // nothing another process could see
  if (!ensureStarted()) return;
  if (writeFileAtomically(folder_ + "/" + windowFileName(w.hwnd), text, Durability::Unsynced))
    published_[w.hwnd] = std::move(text);
}

void Desktop::unpublish(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!published_.erase(hwnd) || folder_.empty()) return;
  std::error_code ec;
  fs::remove(folder_ + "/" + windowFileName(hwnd), ec);
}

bool Desktop::processAlive(DWORD pid) const {
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return false;
  UniqueFd fd(::open((processFolder(pid) + "/lock").c_str(), O_RDONLY | O_CLOEXEC));
  return fd.valid() && ::flock(fd.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

std::vector<Desktop::ForeignWindow> Desktop::foreignWindows() const {
  std::vector<ForeignWindow> out;
  std::error_code ec;
  DWORD me = WindowManager::processId();
  for (const auto& dir : fs::directory_iterator(sessionFolder(), ec)) {
    std::string name = dir.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos || name.size() > 9) continue;
    DWORD pid = static_cast<DWORD>(std::stoul(name));
    if (pid == me || !processAlive(pid)) continue;
    std::error_code ec2;
    for (const auto& file : fs::directory_iterator(dir.path(), ec2)) {
      std::string fname = file.path().filename().string();
      if (fname.size() < 2 || fname.size() > 17 || fname[0] != 'w' ||
          fname.find_first_not_of("0123456789abcdef", 1) != std::string::npos)
        continue;
      ForeignWindow fw;
      fw.hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(fname.substr(1), nullptr, 16)));
      fw.processId = pid;
      std::string data;
      if (WindowManager::processOfHandle(fw.hwnd) == pid && readWholeFile(file.path().string(), data) &&
          parseWindowFile(data, fw))
        out.push_back(std::move(fw));
    }
  }
  std::sort(out.begin(), out.end(), [](const ForeignWindow& a, const ForeignWindow& b) {
    return reinterpret_cast<uintptr_t>(a.hwnd) < reinterpret_cast<uintptr_t>(b.hwnd);
  });
  return out;
}

bool Desktop::foreignWindow(HWND hwnd, ForeignWindow* out) const {
  if (!isForeign(hwnd)) return false;
  DWORD pid = WindowManager::processOfHandle(hwnd);
  if (!processAlive(pid)) return false;
  std::string data;
  if (!readWholeFile(processFolder(pid) + "/" + windowFileName(hwnd), data)) return false;
  ForeignWindow fw;
  fw.hwnd = hwnd;
  fw.processId = pid;
  if (!parseWindowFile(data, fw)) return false;
  if (out) *out = std::move(fw);
  return true;
}

bool Desktop::exchange(HWND hwnd, UINT kind, UINT msg, WPARAM wParam, LPARAM lParam, const std::string& payload,
                       LRESULT* result, std::string* replyPayload) {
  UniqueFd fd = DesktopServer::connect(processFolder(WindowManager::processOfHandle(hwnd)));
  if (!fd.valid()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  CrossProcessRequest req{CrossProcessRequest::kMagic, kind, reinterpret_cast<uintptr_t>(hwnd), msg,
                          static_cast<uint32_t>(payload.size()), wParam, lParam};
  std::string out(reinterpret_cast<const char*>(&req), sizeof req);
  out += payload;
  uint64_t deadline = clock().tickMs() + kSendTimeoutMs;
  for (size_t done = 0; done < out.size();) {
    ssize_t n = ::send(fd.get(), out.data() + done, out.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!waitFor(fd.get(), POLLOUT, deadline)) return SetLastError(ERROR_TIMEOUT), false;
    } else {
      return SetLastError(ERROR_INVALID_WINDOW_HANDLE), false;
    }
  }
  // The reply: its header, then as many bytes as it announces.
  std::string in;
  size_t want = sizeof(CrossProcessReply);
  CrossProcessReply reply{};
  while (in.size() < want) {
    char buf[4096];
    ssize_t n = ::recv(fd.get(), buf, std::min(sizeof buf, want - in.size()), MSG_DONTWAIT);
    if (n > 0) {
      in.append(buf, static_cast<size_t>(n));
      if (in.size() == sizeof reply && want == sizeof reply) {
        std::memcpy(&reply, in.data(), sizeof reply);
        if (reply.payloadSize > kMaxCrossProcessPayload) return SetLastError(ERROR_INVALID_DATA), false;
        want += reply.payloadSize;
      }
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!waitFor(fd.get(), POLLIN, deadline)) return SetLastError(ERROR_TIMEOUT), false;
    } else {
      // Closed without a reply: the other process refused the request or ended.
      return SetLastError(ERROR_INVALID_WINDOW_HANDLE), false;
    }
  }
  if (!reply.ok) return SetLastError(reply.error), false;
  *result = static_cast<LRESULT>(reply.result);
  if (replyPayload) *replyPayload = in.substr(sizeof reply);
  return true;
}

bool Desktop::send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  ForeignWindow fw;
  if (!foreignWindow(hwnd, &fw)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), false;
  switch (crossingOf(msg, fw.className)) {
    case Crossing::Plain:
      return exchange(hwnd, CrossProcessRequest::kSend, msg, wParam, lParam, std::string(), result, nullptr);
    case Crossing::SetText: {
      std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      if (text.size() > kMaxCrossProcessPayload) return SetLastError(ERROR_INVALID_PARAMETER), false;
      return exchange(hwnd, CrossProcessRequest::kSend, msg, wParam, 0, text, result, nullptr);
    }
    case Crossing::GetText: {
      auto* buffer = reinterpret_cast<char*>(lParam);
      std::string text;
      size_t size = buffer ? static_cast<size_t>(wParam) : 0;
      if (!exchange(hwnd, CrossProcessRequest::kSend, msg, size, 0, std::string(), result, &text)) return false;
      // Never more than the caller's buffer holds, terminated.
      size_t n = size ? std::min(text.size(), size - 1) : 0;
      if (size) {
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
      }
      *result = static_cast<LRESULT>(n);
      return true;
    }
    case Crossing::CopyData: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (!data || (data->cbData && !data->lpData) || data->cbData > kMaxCrossProcessPayload - sizeof(uint64_t))
        return SetLastError(ERROR_INVALID_PARAMETER), false;
      uint64_t dwData = data->dwData;
      std::string payload(reinterpret_cast<const char*>(&dwData), sizeof dwData);
      payload.append(static_cast<const char*>(data->lpData), data->cbData);
      return exchange(hwnd, CrossProcessRequest::kSend, msg, wParam, 0, payload, result, nullptr);
    }
    case Crossing::Refused:
      break;
  }
  SetLastError(ERROR_ACCESS_DENIED);
  return false;
}

bool Desktop::post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ForeignWindow fw;
  if (!foreignWindow(hwnd, &fw)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), false;
  if (crossingOf(msg, fw.className) != Crossing::Plain) return SetLastError(ERROR_MESSAGE_SYNC_ONLY), false;
  LRESULT ignored = 0;
  return exchange(hwnd, CrossProcessRequest::kPost, msg, wParam, lParam, std::string(), &ignored, nullptr);
}

std::shared_ptr<DesktopServer> Desktop::server() {
  std::lock_guard<std::mutex> lock(mutex_);
  return server_;
}

void Desktop::addPollFds(std::vector<pollfd>& fds) {
  if (auto s = server()) s->addPollFds(fds);
}

void Desktop::serve(const pollfd* fds, size_t count) {
  if (count == 0) return;
  if (auto s = server()) s->serve(fds, count);
}

void Desktop::reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  server_.reset();
  published_.clear();
  if (!folder_.empty()) {
    std::error_code ec;
    fs::remove_all(folder_, ec);
    folder_.clear();
  }
  lock_ = UniqueFd();
}

void Desktop::afterFork() {
  // Closing our copy of the lock keeps it held by the parent; the socket file
  // and the window files stay the parent's.
  std::lock_guard<std::mutex> lock(mutex_);
  if (server_) server_->closeInherited();
  server_.reset();
  published_.clear();
  folder_.clear();
  lock_ = UniqueFd();
}

}  // namespace wavorel
