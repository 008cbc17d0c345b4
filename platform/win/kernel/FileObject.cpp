#include "platform/win/kernel/FileObject.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileMeta.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/ShareTable.h"

namespace wavorel {

namespace {

const DWORD kCreatedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE;

std::shared_ptr<FileObject> fail(DWORD error) {
  SetLastError(error);
  return nullptr;
}

}  // namespace

std::shared_ptr<FileObject> FileObject::open(const std::string& linuxPath, DWORD access, DWORD share,
                                             DWORD disposition, DWORD attributes) {
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) return fail(ERROR_INVALID_PARAMETER);
  DWORD bits = ShareTable::accessBits(access);
  bool canRead = bits & FILE_SHARE_READ;
  bool canWrite = bits & FILE_SHARE_WRITE;
  if (disposition == TRUNCATE_EXISTING && !canWrite) return fail(ERROR_INVALID_PARAMETER);

  struct stat st;
  bool exists = ::stat(linuxPath.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return fail(ERROR_ACCESS_DENIED);
  if (!exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING))
    return fail(missingPathError(linuxPath));
  if (exists && disposition == CREATE_NEW) return fail(ERROR_FILE_EXISTS);
  bool truncate = exists && (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING);
  bool readOnly = exists && (readAttributes(linuxPath) & FILE_ATTRIBUTE_READONLY);
  if (readOnly && (canWrite || truncate)) return fail(ERROR_ACCESS_DENIED);

  int flags = O_CLOEXEC | ((canWrite || truncate) ? O_RDWR : O_RDONLY);
  if (!exists) flags |= O_CREAT | O_EXCL;
  // Append-only access: every write goes to the end of the file, atomically,
  // also against other handles and processes.
  if ((access & FILE_APPEND_DATA) && !(access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA))) flags |= O_APPEND;
  // The user's private data: only the owner may read or write it.
  mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0400 : 0600;
  UniqueFd fd(::open(linuxPath.c_str(), flags, mode));
  if (!fd.valid()) {
    if (errno == ENOENT) return fail(missingPathError(linuxPath));
    // Another process made the file between the look and the open: a
    // disposition that takes an existing file opens the one it made.
    if (errno == EEXIST && (disposition == OPEN_ALWAYS || disposition == CREATE_ALWAYS))
      return open(linuxPath, access, share, disposition, attributes);
    if (errno == EEXIST) return fail(ERROR_FILE_EXISTS);
    return fail(errorFromErrno(errno));
  }
  if (::fstat(fd.get(), &st) != 0) return fail(errorFromErrno(errno));
  std::shared_ptr<void> token = ShareTable::acquire(static_cast<uint64_t>(st.st_dev),
                                                    static_cast<uint64_t>(st.st_ino), bits, share);
  if (!token) {
    if (!exists) ::unlink(linuxPath.c_str());
    return fail(ERROR_SHARING_VIOLATION);
  }
  if (!exists) {
    stampCreated(fd.get());
    writeAttributes(linuxPath, attributes & kCreatedAttributes ? attributes & kCreatedAttributes
                                                                : FILE_ATTRIBUTE_ARCHIVE);
    stampWritten(linuxPath.substr(0, linuxPath.find_last_of('/')));
  } else if (truncate) {
    if (::ftruncate(fd.get(), 0) != 0) return fail(errorFromErrno(errno));
    stampWritten(fd.get());
  }
  SetLastError(exists && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                        : ERROR_SUCCESS);
  return std::shared_ptr<FileObject>(new FileObject(std::move(fd), canRead, canWrite, std::move(token)));
}

void FileObject::wrote() const { stampWritten(fd_.get()); }

}  // namespace wavorel
