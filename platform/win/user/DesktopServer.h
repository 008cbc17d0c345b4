// This process's end of the desktop's message socket (Desktop.h): a socket
// file in the process's session folder (mode 0700), served by whichever
// thread of the process waits for messages: the message loop polls the
// listening socket and the open connections together with its queue and
// hands what is ready to serve(). Nothing runs on a thread of its own.
//
// A connection carries one request (CrossProcessMessage.h) and gets one reply.
// A connection from a process of another user (SO_PEERCRED) is closed at once;
// a malformed request (bad header, a payload too large or not fitting the
// message) closes that connection and nothing else; a message that may not
// cross processes is answered with an error. Sent messages run on the
// window's thread with their result in the reply; posted ones are queued and
// acknowledged at once.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/kernel/UniqueFd.h"

struct pollfd;

namespace wavorel {

class DesktopServer {
 public:
  // Listens on "socket" in `folder`; valid() is false when it cannot.
  explicit DesktopServer(const std::string& folder);
  ~DesktopServer();
  DesktopServer(const DesktopServer&) = delete;
  DesktopServer& operator=(const DesktopServer&) = delete;

  bool valid() const { return listen_.valid(); }
  // A connected, non-blocking socket to the server of `folder` (invalid when
  // nobody listens there).
  static UniqueFd connect(const std::string& folder);

  // Adds what a waiting thread watches: the listening socket and every
  // connection whose request has not fully arrived.
  void addPollFds(std::vector<pollfd>& fds);
  // Serves what is ready among `fds` (as addPollFds gave them, revents set).
  void serve(const pollfd* fds, size_t count);
  // In a forked child: closes the parent's sockets without touching the file.
  void closeInherited();

  // Connections waiting for their request beyond this are refused.
  static constexpr size_t kMaxConnections = 64;

 private:
  struct Connection {
    UniqueFd fd;
    std::string data;  // what has arrived of the request
  };
  enum class Progress { Waiting, Complete, Broken };

  void acceptAll();
  // Reads what has arrived; Broken when the peer closed or sent a malformed request.
  static Progress readFrom(Connection& c);
  void carryOut(Connection& c);

  std::mutex mutex_;
  UniqueFd listen_;
  std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace wavorel
