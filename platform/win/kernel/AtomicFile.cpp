#include "platform/win/kernel/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace wavorel {

namespace {

namespace fs = std::filesystem;

// As many links as a path may pass through before it is taken as a loop.
constexpr int kMaxLinks = 40;

// The file a path names: a symbolic link is followed to its target (which
// may not exist yet), so the rewrite replaces the target and keeps the link.
std::string targetOf(const std::string& linuxPath) {
  fs::path path = linuxPath;
  std::error_code ec;
  for (int i = 0; i < kMaxLinks && fs::is_symlink(fs::symlink_status(path, ec)); ++i) {
    fs::path next = fs::read_symlink(path, ec);
    if (ec) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path.string();
}

}  // namespace

bool writeFileAtomically(const std::string& linuxPath, const std::string& data, Durability durability) {
  const std::string target = targetOf(linuxPath);
  // A new file is its owner's alone; a file that exists keeps its mode.
  mode_t mode = 0600;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
  std::string tmp = target + ".tmp" + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      ::unlink(tmp.c_str());
      return false;
    }
    done += static_cast<size_t>(n);
  }
  bool synced = durability == Durability::Unsynced || ::fsync(fd) == 0;
  if (::fchmod(fd, mode) != 0 || !synced || ::close(fd) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  if (std::rename(tmp.c_str(), target.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  return true;
}

bool readWholeFile(const std::string& linuxPath, std::string& data) {
  std::ifstream in(linuxPath, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  data = ss.str();
  return true;
}

}  // namespace wavorel
