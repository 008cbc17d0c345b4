#include "platform/win/kernel/LeftoverFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/win/kernel/UniqueFd.h"

namespace fs = std::filesystem;

namespace wavorel {

namespace {

bool processGone(const std::string& digits) {
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  pid_t pid = static_cast<pid_t>(std::stol(digits));
  return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// "<name>.tmp<pid>" of a writer that is gone.
bool staleTemporary(const std::string& name) {
  size_t at = name.rfind(".tmp");
  return at != std::string::npos && at > 0 && processGone(name.substr(at + 4));
}

void removeStaleTemporaries(const fs::path& folder, bool recursive) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    auto status = it->symlink_status(typeError);
    if (typeError) continue;
    if (fs::is_directory(status)) {
      if (recursive) removeStaleTemporaries(it->path(), true);
    } else if (fs::is_regular_file(status) && staleTemporary(it->path().filename().string())) {
      std::error_code removeError;
      fs::remove(it->path(), removeError);
    }
  }
}

// A dead instance's folder: its process is gone, or its lock is free (the id
// now names another process). The lock is held while the folder goes, so an
// instance that is just starting with this id cannot take it meanwhile.
void removeDeadSessions(const fs::path& desktop) {
  std::error_code ec;
  for (fs::directory_iterator it(desktop, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos || name.size() > 9) continue;
    if (::getpid() == static_cast<pid_t>(std::stol(name))) continue;
    UniqueFd lock(::open((it->path() / "lock").c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    bool free = lock.valid() && ::flock(lock.get(), LOCK_EX | LOCK_NB) == 0;
    if (!free && !processGone(name)) continue;
    std::error_code removeError;
    fs::remove_all(it->path(), removeError);
  }
}

}  // namespace

void removeLeftovers(const std::string& root, const std::string& programFolder) {
  removeStaleTemporaries(root, true);
  if (!programFolder.empty()) removeStaleTemporaries(programFolder, false);
  removeDeadSessions(fs::path(root) / "session" / "desktop");
}

}  // namespace wavorel
