#include "Peer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/testing/Drivers.h"
#include "platform/win/user/MessageQueue.h"

extern char** environ;

namespace wavorel::testing {

Peer::Peer(const std::string& root, const std::vector<std::string>& args) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string var = *e;
    if (var.rfind("WAVOREL_", 0) != 0 && var.rfind("DISPLAY=", 0) != 0) env.push_back(var);
  }
  env.push_back("WAVOREL_ROOT=" + root);
  env.push_back("WAVOREL_HEADLESS=1");
  std::vector<std::string> argv = {WAVOREL_PLATFORM_PEER};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> argp, envp;
  for (auto& a : argv) argp.push_back(a.data());
  argp.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  if (posix_spawn(&pid_, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  out_ = fds[0];
}

Peer::~Peer() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGKILL);
    wait();
  }
  if (out_ >= 0) close(out_);
}

bool Peer::readLine(std::string& line) {
  auto q = MessageQueue::current();
  for (;;) {
    size_t eol = buffer_.find('\n');
    if (eol != std::string::npos) {
      line = buffer_.substr(0, eol);
      buffer_.erase(0, eol + 1);
      return true;
    }
    if (ended_ || out_ < 0) return false;
    pollfd p{out_, POLLIN, 0};
    q->runIncomingSends();
    q->wait(&p, 1, UINT64_MAX, "the peer's report", [] { return false; });
    pumpMessages();
    if (!p.revents) continue;
    char buf[4096];
    ssize_t n = read(out_, buf, sizeof buf);
    if (n <= 0) {
      ended_ = true;
      continue;
    }
    buffer_.append(buf, static_cast<size_t>(n));
  }
}

std::string Peer::next(const std::string& name) {
  std::string line;
  while (readLine(line))
    if (line.rfind(name + "=", 0) == 0) return line.substr(name.size() + 1);
  return "";
}

std::map<std::string, std::string> Peer::rest() {
  std::map<std::string, std::string> out;
  std::string line;
  while (readLine(line)) {
    size_t eq = line.find('=');
    if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return out;
}

void Peer::kill9() {
  if (pid_ > 0 && !reaped_) ::kill(pid_, SIGKILL);
}

int Peer::wait() {
  if (pid_ <= 0) return -1;
  if (!reaped_) {
    while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
  }
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -WTERMSIG(status_);
}

}  // namespace wavorel::testing
