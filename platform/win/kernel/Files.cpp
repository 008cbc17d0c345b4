#include "platform/win/kernel/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/win/kernel/Devices.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileMeta.h"
#include "platform/win/kernel/FileObject.h"
#include "platform/win/kernel/Paths.h"

using wavorel::FileObject;

namespace {

std::shared_ptr<FileObject> fileOf(HANDLE h) {
  auto file = wavorel::kernelObjectAs<FileObject>(h);
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  return file;
}

BOOL failErrno() {
  SetLastError(wavorel::errorFromErrno(errno));
  return FALSE;
}

// Moves to the position an OVERLAPPED names (synchronous handles read and
// write there and leave the file pointer behind the data).
bool seekOverlapped(const FileObject& file, LPOVERLAPPED ov) {
  if (!ov) return true;
  off_t pos = static_cast<off_t>((static_cast<uint64_t>(ov->OffsetHigh) << 32) | ov->Offset);
  return ::lseek(file.fd(), pos, SEEK_SET) >= 0;
}

bool seek(const FileObject& file, int64_t distance, DWORD method, int64_t& newPos) {
  int64_t base = 0;
  if (method == FILE_CURRENT) {
    base = ::lseek(file.fd(), 0, SEEK_CUR);
  } else if (method == FILE_END) {
    struct stat st;
    if (::fstat(file.fd(), &st) != 0) return failErrno();
    base = st.st_size;
  } else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (base < 0) return failErrno();
  newPos = base + distance;
  if (newPos < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return false;
  }
  if (::lseek(file.fd(), static_cast<off_t>(newPos), SEEK_SET) < 0) return failErrno();
  return true;
}

}  // namespace

HANDLE CreateFile(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES,
                  DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE) {
  if (!lpFileName) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (wavorel::isDevicePath(lpFileName)) return wavorel::openDevice(lpFileName);
  if (wavorel::isNetworkPath(lpFileName)) return wavorel::openNetworkPath(lpFileName);
  std::string path;
  if (!wavorel::resolveWindowsPath(lpFileName, path)) return INVALID_HANDLE_VALUE;
  auto file = FileObject::open(path, dwDesiredAccess, dwShareMode, dwCreationDisposition, dwFlagsAndAttributes);
  if (!file) return INVALID_HANDLE_VALUE;
  DWORD error = GetLastError();
  HANDLE h = wavorel::insertKernelObject(file);
  SetLastError(error);
  return h;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  if (!file->canRead()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!lpBuffer && nNumberOfBytesToRead) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  if (!seekOverlapped(*file, lpOverlapped)) return failErrno();
  DWORD done = 0;
  while (done < nNumberOfBytesToRead) {
    ssize_t n = ::read(file->fd(), static_cast<char*>(lpBuffer) + done, nNumberOfBytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return failErrno();
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
  return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  if (!file->canWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!lpBuffer && nNumberOfBytesToWrite) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  if (!seekOverlapped(*file, lpOverlapped)) return failErrno();
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    ssize_t n = ::write(file->fd(), static_cast<const char*>(lpBuffer) + done, nNumberOfBytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (done) file->wrote();
      if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
      return failErrno();
    }
    done += static_cast<DWORD>(n);
  }
  file->wrote();
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
  return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
  auto file = fileOf(hFile);
  if (!file) return INVALID_SET_FILE_POINTER;
  int64_t distance = lDistanceToMove;
  if (lpDistanceToMoveHigh)
    distance = static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*lpDistanceToMoveHigh)) << 32) |
                                    static_cast<uint32_t>(lDistanceToMove));
  int64_t pos = 0;
  if (!seek(*file, distance, dwMoveMethod, pos)) return INVALID_SET_FILE_POINTER;
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<uint64_t>(pos) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(static_cast<uint64_t>(pos) & 0xffffffffu);
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove, PLARGE_INTEGER lpNewFilePointer,
                      DWORD dwMoveMethod) {
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  int64_t pos = 0;
  if (!seek(*file, liDistanceToMove.QuadPart, dwMoveMethod, pos)) return FALSE;
  if (lpNewFilePointer) lpNewFilePointer->QuadPart = pos;
  return TRUE;
}

BOOL SetEndOfFile(HANDLE hFile) {
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  if (!file->canWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  off_t pos = ::lseek(file->fd(), 0, SEEK_CUR);
  if (pos < 0 || ::ftruncate(file->fd(), pos) != 0) return failErrno();
  file->wrote();
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile) {
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  if (!file->canWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::fdatasync(file->fd()) != 0) return failErrno();
  return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(hFile, &size)) return INVALID_FILE_SIZE;
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(size.QuadPart) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(static_cast<uint64_t>(size.QuadPart) & 0xffffffffu);
}

BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  struct stat st;
  if (::fstat(file->fd(), &st) != 0) return failErrno();
  if (lpFileSize) lpFileSize->QuadPart = st.st_size;
  return TRUE;
}

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime, LPFILETIME lpLastWriteTime) {
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  wavorel::FileTimes t;
  if (!wavorel::readFileTimes(file->fd(), t)) return failErrno();
  if (lpCreationTime) *lpCreationTime = wavorel::intToFileTime(t.created);
  if (lpLastAccessTime) *lpLastAccessTime = wavorel::intToFileTime(t.accessed);
  if (lpLastWriteTime) *lpLastWriteTime = wavorel::intToFileTime(t.written);
  return TRUE;
}

BOOL SetFileTime(HANDLE hFile, const FILETIME* lpCreationTime, const FILETIME* lpLastAccessTime,
                 const FILETIME* lpLastWriteTime) {
  auto file = fileOf(hFile);
  if (!file) return FALSE;
  if (!file->canWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  auto value = [](const FILETIME* ft) -> int64_t {
    if (!ft) return -1;
    int64_t v = wavorel::fileTimeToInt(*ft);
    return v == 0 ? -1 : v;
  };
  if (!wavorel::writeFileTimes(file->fd(), value(lpCreationTime), value(lpLastAccessTime), value(lpLastWriteTime)))
    return failErrno();
  return TRUE;
}
