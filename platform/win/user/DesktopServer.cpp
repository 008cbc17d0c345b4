#include "platform/win/user/DesktopServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/CrossProcessMessage.h"
#include "platform/win/user/Desktop.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

namespace wavorel {

namespace {

// The address of "socket" in `folder`. A path too long for sun_path goes
// through the folder opened as a descriptor (/proc/self/fd/N/socket), which
// `hold` keeps open while the address is used.
bool socketAddress(const std::string& folder, sockaddr_un& addr, socklen_t& len, UniqueFd& hold) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  std::string path = folder + "/socket";
  if (path.size() + 1 > sizeof addr.sun_path) {
    hold = UniqueFd(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!hold.valid()) return false;
    path = "/proc/self/fd/" + std::to_string(hold.get()) + "/socket";
  }
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
  return true;
}

bool isTopLevelOfThisProcess(const std::shared_ptr<Window>& w, HWND hwnd) {
  auto& wm = WindowManager::instance();
  return w && w->queue && w->parent == wm.desktopHandle() &&
         WindowManager::processOfHandle(hwnd) == WindowManager::processId();
}

// Runs a sent message on its window's thread; false when that thread did
// not answer in time.
bool dispatch(const std::shared_ptr<Window>& w, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (w->threadId == MessageQueue::currentThreadId()) {
    *result = sendTo(w, msg, wParam, lParam);
    return true;
  }
  return w->queue->sendFrom(w->hwnd, msg, wParam, lParam, Desktop::kSendTimeoutMs, result);
}

// Writes the whole reply, waiting on the platform clock while the peer's
// buffer is full.
void writeReply(int fd, const CrossProcessReply& reply, const std::string& payload) {
  std::string out(reinterpret_cast<const char*>(&reply), sizeof reply);
  out += payload;
  uint64_t deadline = clock().tickMs() + Desktop::kSendTimeoutMs;
  size_t done = 0;
  while (done < out.size()) {
    ssize_t n = ::send(fd, out.data() + done, out.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{fd, POLLOUT, 0};
      if (clock().pollUntil(&p, 1, deadline, "a reply to another process") > 0) continue;
    }
    return;
  }
}

}  // namespace

DesktopServer::DesktopServer(const std::string& folder) {
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  sockaddr_un addr;
  socklen_t len = 0;
  UniqueFd hold;
  if (!fd.valid() || !socketAddress(folder, addr, len, hold)) return;
  ::unlink((folder + "/socket").c_str());  // left by an earlier process with our id
  if (::bind(fd.get(), reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
      ::chmod((folder + "/socket").c_str(), 0600) != 0 || ::listen(fd.get(), static_cast<int>(kMaxConnections)) != 0)
    return;
  listen_ = std::move(fd);
}

DesktopServer::~DesktopServer() = default;

UniqueFd DesktopServer::connect(const std::string& folder) {
  UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  sockaddr_un addr;
  socklen_t len = 0;
  UniqueFd hold;
  if (!fd.valid() || !socketAddress(folder, addr, len, hold)) return UniqueFd();
  while (::connect(fd.get(), reinterpret_cast<sockaddr*>(&addr), len) != 0) {
    if (errno != EINTR) return UniqueFd();
  }
  return fd;
}

void DesktopServer::addPollFds(std::vector<pollfd>& fds) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!listen_.valid()) return;
  fds.push_back(pollfd{listen_.get(), POLLIN, 0});
  for (const auto& c : connections_) fds.push_back(pollfd{c->fd.get(), POLLIN, 0});
}

void DesktopServer::serve(const pollfd* fds, size_t count) {
  std::vector<std::unique_ptr<Connection>> complete;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < count; ++i) {
      if (!fds[i].revents) continue;
      if (fds[i].fd == listen_.get()) {
        acceptAll();
        continue;
      }
      // A connection another thread served in the meantime is no longer listed.
      auto it = std::find_if(connections_.begin(), connections_.end(),
                             [&](const std::unique_ptr<Connection>& c) { return c->fd.get() == fds[i].fd; });
      if (it == connections_.end()) continue;
      Progress p = readFrom(**it);
      if (p == Progress::Waiting) continue;
      if (p == Progress::Complete) complete.push_back(std::move(*it));
      connections_.erase(it);
    }
  }
  // Outside the lock: a sent message may run a loop that serves again.
  for (auto& c : complete) carryOut(*c);
}

void DesktopServer::closeInherited() {
  std::lock_guard<std::mutex> lock(mutex_);
  listen_ = UniqueFd();
  connections_.clear();
}

void DesktopServer::acceptAll() {
  for (;;) {
    UniqueFd fd(::accept4(listen_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!fd.valid()) {
      if (errno == EINTR) continue;
      return;
    }
    ucred peer{};
    socklen_t size = sizeof peer;
    // Only processes of this user may talk to its windows.
    if (::getsockopt(fd.get(), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::geteuid()) continue;
    if (connections_.size() >= kMaxConnections) continue;
    auto c = std::make_unique<Connection>();
    c->fd = std::move(fd);
    connections_.push_back(std::move(c));
  }
}

DesktopServer::Progress DesktopServer::readFrom(Connection& c) {
  char buf[4096];
  bool ended = false;
  for (;;) {
    ssize_t n = ::recv(c.fd.get(), buf, sizeof buf, MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (n < 0) return Progress::Broken;
    if (n == 0) {  // the peer sent all it will send
      ended = true;
      break;
    }
    c.data.append(buf, static_cast<size_t>(n));
    if (c.data.size() < sizeof(CrossProcessRequest)) continue;
    CrossProcessRequest req;
    std::memcpy(&req, c.data.data(), sizeof req);
    if (req.magic != CrossProcessRequest::kMagic ||
        (req.kind != CrossProcessRequest::kPost && req.kind != CrossProcessRequest::kSend) ||
        req.payloadSize > kMaxCrossProcessPayload || c.data.size() > sizeof req + req.payloadSize)
      return Progress::Broken;
  }
  CrossProcessRequest req;
  if (c.data.size() >= sizeof req) {
    std::memcpy(&req, c.data.data(), sizeof req);
    if (c.data.size() == sizeof req + req.payloadSize) return Progress::Complete;
  }
  return ended ? Progress::Broken : Progress::Waiting;  // cut short, or still on its way
}

void DesktopServer::carryOut(Connection& c) {
  CrossProcessRequest req;
  std::memcpy(&req, c.data.data(), sizeof req);
  std::string payload = c.data.substr(sizeof req);
  HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(req.hwnd));
  auto w = WindowManager::instance().find(hwnd);
  CrossProcessReply reply{0, 0, static_cast<uint32_t>(ERROR_INVALID_WINDOW_HANDLE), 0, 0};
  std::string replyPayload;
  if (!isTopLevelOfThisProcess(w, hwnd)) return writeReply(c.fd.get(), reply, replyPayload);
  Crossing crossing = crossingOf(req.msg, w->cls->name);
  bool fits = crossing == Crossing::SetText    ? true
              : crossing == Crossing::CopyData ? payload.size() >= sizeof(uint64_t)
                                               : payload.empty();
  if (!fits) return;  // a payload that does not fit the message: malformed, closed without a reply
  auto wParam = static_cast<WPARAM>(req.wParam);
  if (crossing == Crossing::Refused) {
    reply.error = ERROR_ACCESS_DENIED;
  } else if (req.kind == CrossProcessRequest::kPost) {
    if (crossing != Crossing::Plain) {
      reply.error = ERROR_MESSAGE_SYNC_ONLY;
    } else {
      w->queue->post(
          MSG{hwnd, req.msg, wParam, static_cast<LPARAM>(req.lParam), static_cast<DWORD>(clock().tickMs()), {0, 0}});
      reply = {0, 1, 0, 0, 0};
    }
  } else {
    LRESULT result = 0;
    bool done = false;
    switch (crossing) {
      case Crossing::Plain:
        done = dispatch(w, req.msg, wParam, static_cast<LPARAM>(req.lParam), &result);
        break;
      case Crossing::SetText:
        done = dispatch(w, req.msg, wParam, reinterpret_cast<LPARAM>(payload.c_str()), &result);
        break;
      case Crossing::GetText: {
        size_t size = static_cast<size_t>(std::min<uint64_t>(req.wParam, kMaxCrossProcessPayload));
        std::string buffer(size, '\0');
        done = dispatch(w, req.msg, size, reinterpret_cast<LPARAM>(buffer.data()), &result);
        // What came back is a text of at most size - 1 characters.
        size_t length = size ? ::strnlen(buffer.c_str(), size - 1) : 0;
        if (done && result > 0) replyPayload = buffer.substr(0, std::min(length, static_cast<size_t>(result)));
        break;
      }
      case Crossing::CopyData: {
        uint64_t dwData;
        std::memcpy(&dwData, payload.data(), sizeof dwData);
        std::string block = payload.substr(sizeof dwData);
        COPYDATASTRUCT data{static_cast<ULONG_PTR>(dwData), static_cast<DWORD>(block.size()),
                            block.empty() ? nullptr : &block[0]};
        done = dispatch(w, req.msg, wParam, reinterpret_cast<LPARAM>(&data), &result);
        break;
      }
      case Crossing::Refused:
        break;
    }
    reply = done ? CrossProcessReply{result, 1, 0, static_cast<uint32_t>(replyPayload.size()), 0}
                 : CrossProcessReply{0, 0, static_cast<uint32_t>(ERROR_TIMEOUT), 0, 0};
    if (!done) replyPayload.clear();
  }
  writeReply(c.fd.get(), reply, replyPayload);
}

}  // namespace wavorel
