#include "platform/win/kernel/FileSystem.h"

#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileMeta.h"
#include "platform/win/kernel/FileObject.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/ShareTable.h"

namespace {

namespace fs = std::filesystem;

BOOL fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

std::string parentOf(const std::string& linuxPath) { return fs::path(linuxPath).parent_path().string(); }

// Resolves a name that must exist; FALSE with the Windows error otherwise.
bool resolveExisting(LPCSTR name, std::string& path, struct stat& st) {
  if (!name) return fail(ERROR_PATH_NOT_FOUND);
  if (!wavorel::resolveWindowsPath(name, path)) return false;
  if (::stat(path.c_str(), &st) != 0)
    return fail(errno == ENOENT ? wavorel::missingPathError(path) : wavorel::errorFromErrno(errno));
  return true;
}

bool sharesDelete(const struct stat& st) {
  return wavorel::ShareTable::allows(static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                                     FILE_SHARE_DELETE);
}

// A drive root or the program folder's mount point: never removed or moved.
bool isMountPoint(LPCSTR name) {
  std::string full = wavorel::fullWindowsPath(name);
  return full.size() <= 3 || strcasecmp(full.c_str(), wavorel::programFolderWindows().c_str()) == 0;
}

// The last component of a Windows path as written ("" on failure).
std::string givenName(LPCSTR name) {
  std::string full = wavorel::fullWindowsPath(name);
  return full.substr(full.find_last_of('\\') + 1);
}

bool copyData(const wavorel::FileObject& from, const wavorel::FileObject& to) {
  std::vector<char> buf(64 * 1024);
  for (;;) {
    ssize_t n = ::read(from.fd(), buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(wavorel::errorFromErrno(errno));
    if (n == 0) return true;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = ::write(to.fd(), buf.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return fail(wavorel::errorFromErrno(errno));
      done += w;
    }
  }
}

}  // namespace

BOOL DeleteFile(LPCSTR lpFileName) {
  std::string path;
  struct stat st;
  if (!resolveExisting(lpFileName, path, st)) return FALSE;
  if (S_ISDIR(st.st_mode) || (wavorel::readAttributes(path) & FILE_ATTRIBUTE_READONLY))
    return fail(ERROR_ACCESS_DENIED);
  if (!sharesDelete(st)) return fail(ERROR_SHARING_VIOLATION);
  if (::unlink(path.c_str()) != 0) return fail(wavorel::errorFromErrno(errno));
  wavorel::stampWritten(parentOf(path));
  return TRUE;
}

BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  std::string from, to;
  struct stat st;
  if (!resolveExisting(lpExistingFileName, from, st)) return FALSE;
  if (!lpNewFileName) return fail(ERROR_PATH_NOT_FOUND);
  if (!wavorel::resolveWindowsPath(lpNewFileName, to)) return FALSE;
  auto source = wavorel::FileObject::open(from, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
  if (!source) return FALSE;
  auto target = wavorel::FileObject::open(to, GENERIC_WRITE, 0, bFailIfExists ? CREATE_NEW : CREATE_ALWAYS, 0);
  if (!target) return FALSE;
  if (!copyData(*source, *target)) return FALSE;
  wavorel::FileTimes times;
  if (wavorel::readFileTimes(source->fd(), times)) wavorel::writeFileTimes(target->fd(), -1, -1, times.written);
  wavorel::writeAttributes(to, wavorel::readAttributes(from));
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
  return MoveFileEx(lpExistingFileName, lpNewFileName, 0);
}

BOOL MoveFileEx(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  std::string from, to;
  struct stat st, target;
  if (!resolveExisting(lpExistingFileName, from, st)) return FALSE;
  if (!lpNewFileName) return fail(ERROR_PATH_NOT_FOUND);
  if (!wavorel::resolveWindowsPath(lpNewFileName, to)) return FALSE;
  if (isMountPoint(lpExistingFileName) || isMountPoint(lpNewFileName)) return fail(ERROR_ACCESS_DENIED);
  if (!sharesDelete(st)) return fail(ERROR_SHARING_VIOLATION);
  if (::stat(to.c_str(), &target) == 0) {
    if (target.st_dev == st.st_dev && target.st_ino == st.st_ino) {
      to = parentOf(to) + "/" + givenName(lpNewFileName);
    } else {
      if (!(dwFlags & MOVEFILE_REPLACE_EXISTING)) return fail(ERROR_ALREADY_EXISTS);
      if (S_ISDIR(st.st_mode) || S_ISDIR(target.st_mode) ||
          (wavorel::readAttributes(to) & FILE_ATTRIBUTE_READONLY))
        return fail(ERROR_ACCESS_DENIED);
      if (!sharesDelete(target)) return fail(ERROR_SHARING_VIOLATION);
    }
  }
  if (::rename(from.c_str(), to.c_str()) != 0) {
    if (errno == EXDEV && (dwFlags & MOVEFILE_COPY_ALLOWED) && !S_ISDIR(st.st_mode))
      return CopyFile(lpExistingFileName, lpNewFileName, FALSE) && DeleteFile(lpExistingFileName);
    return fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : wavorel::errorFromErrno(errno));
  }
  wavorel::stampWritten(parentOf(from));
  wavorel::stampWritten(parentOf(to));
  return TRUE;
}

BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  std::string path;
  if (!lpPathName) return fail(ERROR_PATH_NOT_FOUND);
  if (!wavorel::resolveWindowsPath(lpPathName, path)) return FALSE;
  if (::mkdir(path.c_str(), 0777) != 0)
    return fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : wavorel::errorFromErrno(errno));
  wavorel::stampCreated(path);
  wavorel::stampWritten(parentOf(path));
  return TRUE;
}

BOOL RemoveDirectory(LPCSTR lpPathName) {
  std::string path;
  struct stat st;
  if (!resolveExisting(lpPathName, path, st)) return FALSE;
  if (!S_ISDIR(st.st_mode)) return fail(ERROR_DIRECTORY);
  if (isMountPoint(lpPathName)) return fail(ERROR_ACCESS_DENIED);
  if (::rmdir(path.c_str()) != 0) return fail(wavorel::errorFromErrno(errno));
  wavorel::stampWritten(parentOf(path));
  return TRUE;
}

DWORD GetFileAttributes(LPCSTR lpFileName) {
  std::string path;
  struct stat st;
  if (!resolveExisting(lpFileName, path, st)) return INVALID_FILE_ATTRIBUTES;
  DWORD attrs = wavorel::readAttributes(path);
  if (attrs == INVALID_FILE_ATTRIBUTES) SetLastError(wavorel::errorFromErrno(errno));
  return attrs;
}

BOOL GetFileAttributesEx(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation) {
  if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) return fail(ERROR_INVALID_PARAMETER);
  std::string path;
  struct stat st;
  if (!resolveExisting(lpFileName, path, st)) return FALSE;
  wavorel::FileTimes times;
  DWORD attrs = wavorel::readAttributes(path);
  if (attrs == INVALID_FILE_ATTRIBUTES || !wavorel::readFileTimes(path, times))
    return fail(wavorel::errorFromErrno(errno));
  auto* data = static_cast<LPWIN32_FILE_ATTRIBUTE_DATA>(lpFileInformation);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  data->dwFileAttributes = attrs;
  data->ftCreationTime = wavorel::intToFileTime(times.created);
  data->ftLastAccessTime = wavorel::intToFileTime(times.accessed);
  data->ftLastWriteTime = wavorel::intToFileTime(times.written);
  data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(size & 0xffffffffu);
  return TRUE;
}

BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes) {
  std::string path;
  struct stat st;
  if (!resolveExisting(lpFileName, path, st)) return FALSE;
  if (!wavorel::writeAttributes(path, dwFileAttributes)) return fail(wavorel::errorFromErrno(errno));
  return TRUE;
}
