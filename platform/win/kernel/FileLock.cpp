#include "platform/win/kernel/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <filesystem>

#include "platform/win/kernel/Root.h"

namespace wavorel {

FileLock::FileLock(const std::string& lockPath) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(lockPath).parent_path(), ec);
  UniqueFd fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!fd.valid()) return;
  while (::flock(fd.get(), LOCK_EX) != 0) {
    if (errno != EINTR) return;
  }
  fd_ = std::move(fd);
}

std::string FileLock::lockPathFor(const std::string& linuxPath) {
  std::error_code ec;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(linuxPath, ec);
  const std::string name = ec ? linuxPath : canonical.string();
  // FNV-1a over the full name.
  uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : name) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  char file[32];
  std::snprintf(file, sizeof file, "%016" PRIx64 ".lock", hash);
  return platformRoot() + "/locks/" + file;
}

}  // namespace wavorel
