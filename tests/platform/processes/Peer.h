// A second process of the platform on the test's root: the helper program
// platform-peer (peer/PlatformPeer.cpp), started with WAVOREL_ROOT set to the
// root, headless, its stdout read back as "name=value" lines.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace wavorel::testing {

class Peer {
 public:
  Peer(const std::string& root, const std::vector<std::string>& args);
  ~Peer();  // kills the process if it still runs
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  pid_t pid() const { return pid_; }
  // The next line of its report; false once it ended. This thread's windows
  // are served meanwhile (the peer may be talking to them).
  bool readLine(std::string& line);
  // The value of the next line named `name` ("" when the report ended first).
  std::string next(const std::string& name);
  // Every line to the end of the report, by name (the last of each name).
  std::map<std::string, std::string> rest();
  void kill9();
  // Waits for the end; the exit code, or -signal.
  int wait();

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
  bool ended_ = false;
  bool reaped_ = false;
  int status_ = 0;
};

}  // namespace wavorel::testing
