#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/CrtFiles.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileObject.h"
#include "platform/win/kernel/FileSystem.h"
#include "platform/win/kernel/Paths.h"

namespace wavorel {

namespace {

// The cookie behind a FILE* from crtFopen.
struct CrtStream {
  std::shared_ptr<FileObject> file;
  bool text;
};

int errnoFromError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_PARAMETER:
      return EINVAL;
    case ERROR_TOO_MANY_OPEN_FILES:
      return EMFILE;
    case ERROR_DISK_FULL:
      return ENOSPC;
    default:
      return EACCES;
  }
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

ssize_t streamRead(void* cookie, char* buf, size_t size) {
  auto* s = static_cast<CrtStream*>(cookie);
  int fd = s->file->fd();
  ssize_t n = ::read(fd, buf, size);
  if (n <= 0 || !s->text) return n;
  size_t out = 0;
  for (size_t i = 0; i < static_cast<size_t>(n); ++i) {
    if (buf[i] != '\r') {
      buf[out++] = buf[i];
      continue;
    }
    char next = 0;
    if (i + 1 < static_cast<size_t>(n)) {
      next = buf[i + 1];
      if (next == '\n') ++i;
    } else if (::read(fd, &next, 1) == 1 && next != '\n') {
      ::lseek(fd, -1, SEEK_CUR);  // not a pair: the byte belongs to the next read
    }
    buf[out++] = next == '\n' ? '\n' : '\r';
  }
  return static_cast<ssize_t>(out);
}

ssize_t streamWrite(void* cookie, const char* buf, size_t size) {
  auto* s = static_cast<CrtStream*>(cookie);
  int fd = s->file->fd();
  bool ok;
  if (s->text) {
    std::string out;
    out.reserve(size + size / 8);
    for (size_t i = 0; i < size; ++i) {
      if (buf[i] == '\n') out += '\r';
      out += buf[i];
    }
    ok = writeAll(fd, out.data(), out.size());
  } else {
    ok = writeAll(fd, buf, size);
  }
  s->file->wrote();
  return ok ? static_cast<ssize_t>(size) : -1;
}

int streamSeek(void* cookie, off64_t* offset, int whence) {
  auto* s = static_cast<CrtStream*>(cookie);
  off_t pos = ::lseek(s->file->fd(), static_cast<off_t>(*offset), whence);
  if (pos < 0) return -1;
  *offset = pos;
  return 0;
}

int streamClose(void* cookie) {
  delete static_cast<CrtStream*>(cookie);
  return 0;
}

FILE* failWith(int err) {
  errno = err;
  return nullptr;
}

}  // namespace

FILE* crtFopen(const char* path, const char* mode) {
  if (!path || !mode || !*path) return failWith(EINVAL);
  char kind = mode[0];
  if (kind != 'r' && kind != 'w' && kind != 'a') return failWith(EINVAL);
  bool update = false;
  bool text = true;
  for (const char* m = mode + 1; *m; ++m) {
    switch (*m) {
      case '+': update = true; break;
      case 'b': text = false; break;
      case 't': text = true; break;
      default: return failWith(EINVAL);
    }
  }
  std::string linuxPath;
  if (!resolveWindowsPath(path, linuxPath)) return failWith(errnoFromError(GetLastError()));
  // Mode "a" opens for appending only: every write lands at the end of the
  // file, whole, also when other streams or processes append to it.
  DWORD access = kind == 'r' ? GENERIC_READ : kind == 'a' ? FILE_APPEND_DATA : GENERIC_WRITE;
  if (update) access |= GENERIC_READ | (kind == 'a' ? 0 : GENERIC_WRITE);
  DWORD disposition = kind == 'r' ? OPEN_EXISTING : kind == 'w' ? CREATE_ALWAYS : OPEN_ALWAYS;
  auto file = FileObject::open(linuxPath, access, FILE_SHARE_READ | FILE_SHARE_WRITE, disposition,
                               FILE_ATTRIBUTE_ARCHIVE);
  if (!file) return failWith(errnoFromError(GetLastError()));
  auto stream = std::make_unique<CrtStream>(CrtStream{std::move(file), text});
  char cookieMode[3] = {kind == 'r' ? 'r' : 'w', update ? '+' : '\0', '\0'};
  cookie_io_functions_t io = {streamRead, streamWrite, streamSeek, streamClose};
  FILE* f = ::fopencookie(stream.get(), cookieMode, io);
  if (!f) return nullptr;
  stream.release();  // owned by the stream now: streamClose frees it
  if (text) ::setvbuf(f, nullptr, _IONBF, 0);
  return f;
}

}  // namespace wavorel

int _stat(const char* path, struct _stat* buffer) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!buffer || !GetFileAttributesEx(path, GetFileExInfoStandard, &data)) {
    errno = buffer ? ENOENT : EINVAL;
    return -1;
  }
  auto seconds = [](const FILETIME& ft) {
    int64_t units = wavorel::fileTimeToInt(ft) - wavorel::kFileTimeUnixEpoch;
    return units >= 0 ? units / 10000000 : -((-units + 9999999) / 10000000);
  };
  std::string full = wavorel::fullWindowsPath(path);
  bool dir = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  std::memset(buffer, 0, sizeof *buffer);
  buffer->st_dev = buffer->st_rdev = static_cast<unsigned>(full[0] - 'A');
  buffer->st_mode = static_cast<unsigned short>(
      (dir ? _S_IFDIR | _S_IEXEC : _S_IFREG) | _S_IREAD |
      ((data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) && !dir ? 0 : _S_IWRITE));
  buffer->st_nlink = 1;
  buffer->st_size = static_cast<long>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  buffer->st_atime = seconds(data.ftLastAccessTime);
  buffer->st_mtime = seconds(data.ftLastWriteTime);
  buffer->st_ctime = seconds(data.ftCreationTime);
  return 0;
}

int _access(const char* path, int mode) {
  if (mode & ~6) {
    errno = EINVAL;
    return -1;
  }
  DWORD attrs = GetFileAttributes(path);
  if (attrs == INVALID_FILE_ATTRIBUTES) {
    errno = ENOENT;
    return -1;
  }
  if ((mode & 2) && (attrs & FILE_ATTRIBUTE_READONLY)) {
    errno = EACCES;
    return -1;
  }
  return 0;
}

int _mkdir(const char* path) {
  if (CreateDirectory(path, nullptr)) return 0;
  errno = GetLastError() == ERROR_ALREADY_EXISTS ? EEXIST : ENOENT;
  return -1;
}
