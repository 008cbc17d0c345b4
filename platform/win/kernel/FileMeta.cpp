#include "platform/win/kernel/FileMeta.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdlib>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Files.h"

namespace wavorel {

namespace {

const char kCreatedAttr[] = "user.wavorel.created";
const char kAttributesAttr[] = "user.wavorel.attributes";
const DWORD kStoredBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

int64_t toFileTime(const struct timespec& ts) {
  return static_cast<int64_t>(ts.tv_sec) * 10000000 + ts.tv_nsec / 100 + kFileTimeUnixEpoch;
}

struct timespec toTimespec(int64_t fileTime) {
  int64_t units = fileTime - kFileTimeUnixEpoch;
  int64_t sec = units / 10000000;
  int64_t rest = units % 10000000;
  if (rest < 0) {
    rest += 10000000;
    --sec;
  }
  struct timespec ts;
  ts.tv_sec = static_cast<time_t>(sec);
  ts.tv_nsec = static_cast<long>(rest * 100);
  return ts;
}

bool parseNumber(const char* buf, ssize_t n, int64_t& out) {
  if (n <= 0 || n >= 32) return false;
  std::string text(buf, static_cast<size_t>(n));
  char* end = nullptr;
  long long v = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0') return false;
  out = v;
  return true;
}

void fill(const struct stat& st, int64_t created, bool haveCreated, FileTimes& out) {
  out.accessed = toFileTime(st.st_atim);
  out.written = toFileTime(st.st_mtim);
  out.created = haveCreated ? created : out.written;
}

struct timespec timeArg(int64_t t) {
  if (t >= 0) return toTimespec(t);
  struct timespec ts;
  ts.tv_sec = 0;
  ts.tv_nsec = UTIME_OMIT;
  return ts;
}

std::string numberText(int64_t v) { return std::to_string(v); }

}  // namespace

bool readFileTimes(const std::string& linuxPath, FileTimes& out) {
  struct stat st;
  if (::stat(linuxPath.c_str(), &st) != 0) return false;
  char buf[32];
  int64_t created = 0;
  bool have = parseNumber(buf, ::getxattr(linuxPath.c_str(), kCreatedAttr, buf, sizeof buf), created);
  fill(st, created, have, out);
  return true;
}

bool readFileTimes(int fd, FileTimes& out) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return false;
  char buf[32];
  int64_t created = 0;
  bool have = parseNumber(buf, ::fgetxattr(fd, kCreatedAttr, buf, sizeof buf), created);
  fill(st, created, have, out);
  return true;
}

bool writeFileTimes(const std::string& linuxPath, int64_t created, int64_t accessed, int64_t written) {
  if (created >= 0) {
    std::string v = numberText(created);
    ::setxattr(linuxPath.c_str(), kCreatedAttr, v.data(), v.size(), 0);  // optional: not every file system keeps it
  }
  struct timespec ts[2] = {timeArg(accessed), timeArg(written)};
  return ::utimensat(AT_FDCWD, linuxPath.c_str(), ts, 0) == 0;
}

bool writeFileTimes(int fd, int64_t created, int64_t accessed, int64_t written) {
  if (created >= 0) {
    std::string v = numberText(created);
    ::fsetxattr(fd, kCreatedAttr, v.data(), v.size(), 0);  // optional, as above
  }
  struct timespec ts[2] = {timeArg(accessed), timeArg(written)};
  return ::futimens(fd, ts) == 0;
}

void stampCreated(int fd) {
  int64_t now = clock().utcFileTime();
  writeFileTimes(fd, now, now, now);
}

void stampCreated(const std::string& linuxPath) {
  int64_t now = clock().utcFileTime();
  writeFileTimes(linuxPath, now, now, now);
}

void stampWritten(int fd) { writeFileTimes(fd, -1, -1, clock().utcFileTime()); }

void stampWritten(const std::string& linuxPath) { writeFileTimes(linuxPath, -1, -1, clock().utcFileTime()); }

DWORD readAttributes(const std::string& linuxPath) {
  struct stat st;
  if (::stat(linuxPath.c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
  bool dir = S_ISDIR(st.st_mode);
  char buf[32];
  int64_t stored = 0;
  if (!parseNumber(buf, ::getxattr(linuxPath.c_str(), kAttributesAttr, buf, sizeof buf), stored))
    stored = dir ? 0 : FILE_ATTRIBUTE_ARCHIVE;
  DWORD attrs = static_cast<DWORD>(stored) & kStoredBits;
  if (dir) return attrs | FILE_ATTRIBUTE_DIRECTORY;
  if (!(st.st_mode & S_IWUSR)) attrs |= FILE_ATTRIBUTE_READONLY;
  return attrs ? attrs : FILE_ATTRIBUTE_NORMAL;
}

bool writeAttributes(const std::string& linuxPath, DWORD attributes) {
  struct stat st;
  if (::stat(linuxPath.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) {
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    if (::chmod(linuxPath.c_str(), mode) != 0) return false;
  }
  std::string v = numberText(attributes & kStoredBits);
  ::setxattr(linuxPath.c_str(), kAttributesAttr, v.data(), v.size(), 0);  // optional, as above
  return true;
}

DWORD errorFromErrno(int err) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES: case EPERM: case EROFS: case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case ENOSPC: return ERROR_DISK_FULL;
    case EMFILE: case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBUSY: return ERROR_SHARING_VIOLATION;
    default: return ERROR_GEN_FAILURE;
  }
}

}  // namespace wavorel
