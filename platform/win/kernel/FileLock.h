// An exclusive lock between processes (and threads) on a lock file, held from
// construction to destruction: the registry guards each change of a hive with
// one, the private-profile functions each read-modify-write of an INI file.
#pragma once

#include <string>

#include "platform/win/kernel/UniqueFd.h"

namespace wavorel {

class FileLock {
 public:
  // Creates the lock file (and its folder) as needed and waits for the lock.
  explicit FileLock(const std::string& lockPath);
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // False when the lock file could not be opened or locked.
  bool held() const { return fd_.valid(); }

  // The lock file that guards changes of `linuxPath`, in the platform root's
  // "locks" folder: one per file, whatever name or link it was reached by.
  static std::string lockPathFor(const std::string& linuxPath);

 private:
  UniqueFd fd_;
};

}  // namespace wavorel
