#include "platform/win/kernel/FindFile.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileMeta.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/Paths.h"

namespace {

namespace fs = std::filesystem;

// The entries found by FindFirstFile, handed out one by one.
class FindObject : public wavorel::KernelObject {
 public:
  explicit FindObject(std::vector<WIN32_FIND_DATA> entries) : entries_(std::move(entries)) {}
  bool next(WIN32_FIND_DATA& out) {
    if (index_ >= entries_.size()) return false;
    out = entries_[index_++];
    return true;
  }

 private:
  std::vector<WIN32_FIND_DATA> entries_;
  size_t index_ = 0;
};

bool matchAt(const char* p, const char* n) {
  for (; *p; ++p, ++n) {
    if (*p == '*') {
      while (*p == '*') ++p;
      if (!*p) return true;
      for (; *n; ++n)
        if (matchAt(p, n)) return true;
      return false;
    }
    if (!*n) return false;
    if (*p != '?' && std::toupper(static_cast<unsigned char>(*p)) != std::toupper(static_cast<unsigned char>(*n)))
      return false;
  }
  return !*n;
}

bool entryData(const std::string& linuxPath, const std::string& name, WIN32_FIND_DATA& out) {
  struct stat st;
  wavorel::FileTimes times;
  DWORD attrs = wavorel::readAttributes(linuxPath);
  if (name.size() >= MAX_PATH || ::stat(linuxPath.c_str(), &st) != 0 || attrs == INVALID_FILE_ATTRIBUTES ||
      !wavorel::readFileTimes(linuxPath, times))
    return false;
  std::memset(&out, 0, sizeof out);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  out.dwFileAttributes = attrs;
  out.ftCreationTime = wavorel::intToFileTime(times.created);
  out.ftLastAccessTime = wavorel::intToFileTime(times.accessed);
  out.ftLastWriteTime = wavorel::intToFileTime(times.written);
  out.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  out.nFileSizeLow = static_cast<DWORD>(size & 0xffffffffu);
  std::memcpy(out.cFileName, name.c_str(), name.size() + 1);
  return true;
}

bool validPattern(const std::string& pattern) {
  for (unsigned char c : pattern)
    if (c < 0x20 || std::strchr("<>:\"|", c)) return false;
  return !pattern.empty();
}

// Windows wildcard match of one name: a pattern ending in ".*" also matches
// the names its part before ".*" matches.
bool matchesWildcard(const char* pattern, const char* name) {
  if (matchAt(pattern, name)) return true;
  size_t len = std::strlen(pattern);
  if (len >= 2 && pattern[len - 2] == '.' && pattern[len - 1] == '*')
    return matchAt(std::string(pattern, len - 2).c_str(), name);
  return false;
}

}  // namespace

HANDLE FindFirstFile(LPCSTR lpFileName, LPWIN32_FIND_DATA lpFindFileData) {
  if (!lpFileName || !lpFindFileData) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string request = lpFileName;
  size_t cut = request.find_last_of("\\/");
  if (cut == std::string::npos && request.size() >= 2 && request[1] == ':') cut = 1;
  std::string folder = cut == std::string::npos ? "." : request.substr(0, cut + 1);
  std::string pattern = cut == std::string::npos ? request : request.substr(cut + 1);
  std::string dir;
  if (!wavorel::resolveWindowsPath(folder, dir)) return INVALID_HANDLE_VALUE;
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (!validPattern(pattern)) {
    SetLastError(pattern.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  std::vector<std::string> names;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (matchesWildcard(pattern.c_str(), name.c_str())) names.push_back(name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
  std::vector<WIN32_FIND_DATA> entries;
  WIN32_FIND_DATA data;
  std::string full = wavorel::fullWindowsPath(folder);
  if (full.size() > 3) {  // not a drive root
    std::string parent;
    wavorel::resolveWindowsPath(full + "\\..", parent);
    if (matchesWildcard(pattern.c_str(), ".") && entryData(dir, ".", data)) entries.push_back(data);
    if (matchesWildcard(pattern.c_str(), "..") && entryData(parent, "..", data)) entries.push_back(data);
  }
  for (const std::string& name : names)
    if (entryData(dir + "/" + name, name, data)) entries.push_back(data);
  if (entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  auto find = std::make_shared<FindObject>(std::move(entries));
  find->next(*lpFindFileData);
  SetLastError(ERROR_SUCCESS);
  return wavorel::insertKernelObject(find);
}

BOOL FindNextFile(HANDLE hFindFile, LPWIN32_FIND_DATA lpFindFileData) {
  auto find = wavorel::kernelObjectAs<FindObject>(hFindFile);
  if (!find || !lpFindFileData) {
    SetLastError(find ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!find->next(*lpFindFileData)) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
  if (!wavorel::kernelObjectAs<FindObject>(hFindFile)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  wavorel::kernelHandles().remove(reinterpret_cast<uintptr_t>(hFindFile));
  return TRUE;
}
