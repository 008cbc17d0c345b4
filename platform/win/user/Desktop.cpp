#include "platform/win/user/Desktop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/WindowManager.h"

namespace fs = std::filesystem;

namespace wavorel {

namespace {

constexpr uint32_t kMagic = 0x57444D31;  // "WDM1"
constexpr uint32_t kPost = 1;
constexpr uint32_t kSend = 2;

struct Request {
  uint32_t magic;
  uint32_t kind;
  uint64_t hwnd;
  uint32_t msg;
  uint32_t reserved;
  uint64_t wParam;
  int64_t lParam;
};

struct Reply {
  int64_t result;
  uint32_t ok;
  uint32_t error;
};

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

bool fillAddress(const std::string& name, sockaddr_un& addr, socklen_t& len) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (name.empty() || name.size() + 1 > sizeof(addr.sun_path)) return false;
  // An abstract address: a leading NUL, no file in the file system.
  std::memcpy(addr.sun_path + 1, name.data(), name.size());
  len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  return true;
}

bool writeAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size) {
    ssize_t n = ::send(fd, p, size, MSG_NOSIGNAL);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool readAll(int fd, void* data, size_t size) {
  char* p = static_cast<char*>(data);
  while (size) {
    ssize_t n = ::recv(fd, p, size, 0);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

void setTimeouts(int fd, long ms) {
  timeval tv{ms / 1000, static_cast<suseconds_t>((ms % 1000) * 1000)};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

}  // namespace

// The serving thread of this process's socket.
class Desktop::Server {
 public:
  Server() {
    static std::atomic<unsigned> serial{0};
    std::ostringstream name;
    name << "wavorel-desktop-" << WindowManager::processId() << '-' << serial++ << '-'
         << std::hash<std::string>()(platformRoot());
    address_ = name.str();
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr;
    socklen_t len;
    if (listenFd_ < 0 || !fillAddress(address_, addr, len) ||
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(listenFd_, 16) != 0 ||
        ::pipe2(wake_, O_CLOEXEC) != 0) {
      address_.clear();
      return;
    }
    thread_ = std::thread([this] { run(); });
  }

  ~Server() {
    if (thread_.joinable()) {
      char c = 0;
      (void)!::write(wake_[1], &c, 1);
      thread_.join();
    }
    for (int fd : {listenFd_, wake_[0], wake_[1]})
      if (fd >= 0) ::close(fd);
  }

  // Closes the sockets of a parent process in a forked child.
  void closeInherited() {
    for (int fd : {listenFd_, wake_[0], wake_[1]})
      if (fd >= 0) ::close(fd);
    listenFd_ = wake_[0] = wake_[1] = -1;
  }

  const std::string& address() const { return address_; }

 private:
  void run() {
    for (;;) {
      pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (fds[1].revents) return;
      if (!(fds[0].revents & POLLIN)) continue;
      int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      serve(fd);
      ::close(fd);
    }
  }

  void serve(int fd) {
    setTimeouts(fd, 1000);
    Request req;
    if (!readAll(fd, &req, sizeof req) || req.magic != kMagic) return;
    HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(req.hwnd));
    Reply reply{0, 0, ERROR_INVALID_WINDOW_HANDLE};
    auto w = WindowManager::instance().find(hwnd);
    if (w && w->queue && WindowManager::processOfHandle(hwnd) == WindowManager::processId()) {
      if (req.kind == kPost) {
        MSG m{hwnd, req.msg, static_cast<WPARAM>(req.wParam), static_cast<LPARAM>(req.lParam), 0, {0, 0}};
        w->queue->post(m);
        reply = {0, 1, 0};
      } else if (req.kind == kSend) {
        LRESULT result = 0;
        bool done = w->queue->sendFrom(hwnd, req.msg, static_cast<WPARAM>(req.wParam),
                                       static_cast<LPARAM>(req.lParam), kSendTimeoutMs - 500, &result);
        reply = {result, done ? 1u : 0u, done ? 0u : static_cast<uint32_t>(ERROR_TIMEOUT)};
      }
    }
    writeAll(fd, &reply, sizeof reply);
  }

  std::string address_;
  int listenFd_ = -1;
  int wake_[2] = {-1, -1};
  std::thread thread_;
};

Desktop& Desktop::instance() {
  static Desktop desktop;
  return desktop;
}

Desktop::~Desktop() { reset(); }

std::string Desktop::sessionFolder() const { return platformRoot() + "/session/desktop"; }

std::string Desktop::processFolder(DWORD pid) const { return sessionFolder() + "/" + std::to_string(pid); }

bool Desktop::isForeign(HWND hwnd) {
  DWORD pid = WindowManager::processOfHandle(hwnd);
  return pid != 0 && pid != WindowManager::processId();
}

bool Desktop::ensureStarted() {
  if (!folder_.empty()) return true;
  std::string folder = processFolder(WindowManager::processId());
  std::error_code ec;
  fs::remove_all(folder, ec);  // left by an earlier process with our id
  fs::create_directories(folder, ec);
  int fd = ::open((folder + "/lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  auto server = std::make_unique<Server>();
  if (server->address().empty() || !writeFileAtomically(folder + "/endpoint", server->address())) {
    ::close(fd);
    return false;
  }
  lockFd_ = fd;
  server_ = std::move(server);
  folder_ = folder;
  return true;
}

void Desktop::publish(const Window& w) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ensureStarted()) return;
  std::ostringstream out;
  out << "thread=" << w.threadId << "\nclass=" << escape(w.cls->name) << "\ntitle=" << escape(w.text)
      << "\nstyle=" << w.style << "\nexstyle=" << w.exStyle << '\n';
  for (const auto& p : w.props)
    out << "prop=" << escape(p.first) << '\t' << reinterpret_cast<uintptr_t>(p.second) << '\n';
  writeFileAtomically(folder_ + "/" + windowFileName(w.hwnd), out.str());
}

void Desktop::unpublish(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (folder_.empty()) return;
  std::error_code ec;
  fs::remove(folder_ + "/" + windowFileName(hwnd), ec);
}

bool Desktop::processAlive(DWORD pid) const {
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return false;
  int fd = ::open((processFolder(pid) + "/lock").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool alive = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return alive;
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
      if (fname.size() < 2 || fname[0] != 'w') continue;
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

namespace {

bool exchange(const std::string& address, const Request& req, Reply& reply) {
  sockaddr_un addr;
  socklen_t len;
  if (!fillAddress(address, addr, len)) return false;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  setTimeouts(fd, Desktop::kSendTimeoutMs);
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0 && writeAll(fd, &req, sizeof req) &&
            readAll(fd, &reply, sizeof reply);
  ::close(fd);
  return ok;
}

}  // namespace

bool Desktop::send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  std::string address;
  if (!foreignWindow(hwnd, nullptr) ||
      !readWholeFile(processFolder(WindowManager::processOfHandle(hwnd)) + "/endpoint", address)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  Request req{kMagic, kSend, reinterpret_cast<uintptr_t>(hwnd), msg, 0, wParam, lParam};
  Reply reply{};
  if (!exchange(address, req, reply)) {
    SetLastError(ERROR_TIMEOUT);
    return false;
  }
  if (!reply.ok) {
    SetLastError(reply.error);
    return false;
  }
  *result = static_cast<LRESULT>(reply.result);
  return true;
}

bool Desktop::post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::string address;
  if (!foreignWindow(hwnd, nullptr) ||
      !readWholeFile(processFolder(WindowManager::processOfHandle(hwnd)) + "/endpoint", address)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  Request req{kMagic, kPost, reinterpret_cast<uintptr_t>(hwnd), msg, 0, wParam, lParam};
  Reply reply{};
  if (!exchange(address, req, reply)) {
    SetLastError(ERROR_TIMEOUT);
    return false;
  }
  if (!reply.ok) SetLastError(reply.error);
  return reply.ok != 0;
}

void Desktop::reset() {
  std::unique_ptr<Server> server;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    server = std::move(server_);
  }
  server.reset();  // joins the serving thread outside the lock
  std::lock_guard<std::mutex> lock(mutex_);
  if (!folder_.empty()) {
    std::error_code ec;
    fs::remove_all(folder_, ec);
    folder_.clear();
  }
  if (lockFd_ >= 0) ::close(lockFd_);
  lockFd_ = -1;
}

void Desktop::afterFork() {
  // The lock belongs to the parent (closing our copy keeps it held there);
  // the serving thread exists only in the parent.
  if (lockFd_ >= 0) ::close(lockFd_);
  lockFd_ = -1;
  // The serving thread's object is left alone on purpose: its thread does not
  // exist here, so it can be neither joined nor destroyed.
  if (server_) server_->closeInherited();
  (void)server_.release();
  folder_.clear();
}

}  // namespace wavorel
