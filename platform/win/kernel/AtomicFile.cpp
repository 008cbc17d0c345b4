#include "platform/win/kernel/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
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

using Steady = std::chrono::steady_clock;

std::atomic<unsigned long> g_syncs{0};

bool syncFd(int fd) {
  g_syncs.fetch_add(1, std::memory_order_relaxed);
  return ::fsync(fd) == 0;
}

// Flushes a file that was renamed into place, then its folder (the rename;
// a folder that cannot be flushed, on file systems without that, is no
// failure).
bool syncInPlace(const std::string& target) {
  int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;  // replaced or removed since: nothing of ours to flush
  bool ok = syncFd(fd);
  ::close(fd);
  std::string folder = fs::path(target).parent_path().string();
  int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return ok;
}

// The targets of Deferred rewrites not flushed yet, with the time of the
// first rewrite since their last flush. Flushed when the process exits.
class DeferredSyncs {
 public:
  static DeferredSyncs& instance() {
    static DeferredSyncs syncs;
    return syncs;
  }
  ~DeferredSyncs() { syncAll(); }

  // Returns whether the target waited too long and should be flushed now.
  bool add(const std::string& target) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto now = Steady::now();
    auto it = pending_.emplace(target, now).first;
    anyPending_ = true;
    return now - it->second >= std::chrono::milliseconds(kMaxDeferredSyncMs);
  }
  bool syncAll() {
    std::map<std::string, Steady::time_point> taken;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      taken.swap(pending_);
      anyPending_ = false;
    }
    bool ok = true;
    for (const auto& entry : taken) ok = syncInPlace(entry.first) && ok;
    return ok;
  }
  bool syncOne(const std::string& target) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!pending_.erase(target)) return true;
      anyPending_ = !pending_.empty();
    }
    return syncInPlace(target);
  }
  bool pending() const { return anyPending_.load(std::memory_order_relaxed); }

 private:
  DeferredSyncs() = default;
  std::mutex mutex_;
  std::map<std::string, Steady::time_point> pending_;
  std::atomic<bool> anyPending_{false};
};

}  // namespace

bool syncDeferredFiles() { return DeferredSyncs::instance().syncAll(); }

bool syncDeferredFile(const std::string& linuxPath) { return DeferredSyncs::instance().syncOne(targetOf(linuxPath)); }

bool deferredSyncPending() { return DeferredSyncs::instance().pending(); }

unsigned long fileSyncCount() { return g_syncs.load(std::memory_order_relaxed); }

bool writeFileAtomically(const std::string& linuxPath, const std::string& data, Durability durability) {
  return writeFileAtomically(linuxPath, {std::string_view(data)}, durability);
}

bool writeFileAtomically(const std::string& linuxPath, std::initializer_list<std::string_view> pieces,
                         Durability durability) {
  const std::string target = targetOf(linuxPath);
  // A new file is its owner's alone; a file that exists keeps its mode.
  mode_t mode = 0600;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
  std::string tmp = target + ".tmp" + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  for (std::string_view data : pieces) {
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
  }
  bool synced = durability != Durability::Synced || syncFd(fd);
  if (::fchmod(fd, mode) != 0 || !synced || ::close(fd) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  if (std::rename(tmp.c_str(), target.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  // A late flush that fails leaves the file in place all the same.
  if (durability == Durability::Deferred && DeferredSyncs::instance().add(target))
    DeferredSyncs::instance().syncOne(target);
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
