#include "platform/win/kernel/NamedObject.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <unordered_map>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"

namespace wavorel {

class NameRegistry {
 public:
  struct Entry {
    std::weak_ptr<KernelObject> object;
    std::string kind;
  };
  std::mutex mutex;
  std::unordered_map<std::string, Entry> entries;  // by marker file
};

namespace {

// Longest escaped name kept whole; longer ones are cut and end in a hash.
constexpr size_t kMaxMarkerName = 200;

std::shared_ptr<NameRegistry> registry() {
  static const std::shared_ptr<NameRegistry> r = std::make_shared<NameRegistry>();
  return r;
}

std::string objectsFolder() { return platformRoot() + "/session/objects"; }

// Names are case-sensitive, as on Windows; every byte outside [A-Za-z0-9_-]
// becomes %XX so that any name is a valid file name.
std::string markerName(const std::string& name) {
  std::string out;
  for (unsigned char c : name) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-') {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  if (out.size() <= kMaxMarkerName) return out;
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
  char tail[20];
  std::snprintf(tail, sizeof tail, "~%016llx", static_cast<unsigned long long>(h));
  return out.substr(0, kMaxMarkerName - 20) + tail;
}

// The lock that orders creations and releases of names across processes.
class NamespaceLock {
 public:
  explicit NamespaceLock(const std::string& folder)
      : fd_(::open((folder + "/.namespace").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ >= 0) {
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
    }
  }
  ~NamespaceLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  NamespaceLock(const NamespaceLock&) = delete;
  NamespaceLock& operator=(const NamespaceLock&) = delete;
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::string readKind(int fd) {
  char buf[64];
  ssize_t n = ::pread(fd, buf, sizeof buf, 0);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

void writeKind(int fd, const std::string& kind) {
  if (::ftruncate(fd, 0) != 0) return;
  // The kind is informative for other processes; a short write leaves it unknown.
  ssize_t n = ::pwrite(fd, kind.data(), kind.size(), 0);
  (void)n;
}

}  // namespace

NameClaim::NameClaim(std::shared_ptr<NameRegistry> registry, std::string key, int fd)
    : registry_(std::move(registry)), key_(std::move(key)), fd_(fd) {}

NameClaim::~NameClaim() {
  {
    std::lock_guard<std::mutex> lock(registry_->mutex);
    auto it = registry_->entries.find(key_);
    if (it != registry_->entries.end() && it->second.object.expired()) registry_->entries.erase(it);
  }
  NamespaceLock ns(key_.substr(0, key_.rfind('/')));
  // Nobody else holds the name: forget it.
  if (ns.ok() && ::flock(fd_, LOCK_EX | LOCK_NB) == 0) ::unlink(key_.c_str());
  ::close(fd_);
}

std::shared_ptr<KernelObject> openOrCreateNamed(
    const std::string& name, const std::string& kind,
    const std::function<std::shared_ptr<KernelObject>(std::unique_ptr<NameClaim>)>& make, bool& existed) {
  if (name.size() > MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  std::string folder = objectsFolder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::string key = folder + "/" + markerName(name);
  auto reg = registry();

  // Declared before the lock: if this turns out to be the last reference, the
  // object (and its claim, which takes the registry lock) goes after unlocking.
  std::shared_ptr<KernelObject> object;
  std::string objectKind;
  {
    std::lock_guard<std::mutex> lock(reg->mutex);
    auto it = reg->entries.find(key);
    if (it != reg->entries.end()) {
      object = it->second.object.lock();
      objectKind = it->second.kind;
    }
    if (!object) {
      NamespaceLock ns(folder);
      int fd = ns.ok() ? ::open(key.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600) : -1;
      if (fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
      }
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        writeKind(fd, kind);
        existed = false;
      } else if (readKind(fd) != kind) {
        ::close(fd);
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
      } else {
        existed = true;
      }
      ::flock(fd, LOCK_SH);
      object = make(std::make_unique<NameClaim>(reg, key, fd));
      reg->entries[key] = {object, kind};
      return object;
    }
  }
  if (objectKind != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  existed = true;
  return object;
}

}  // namespace wavorel
