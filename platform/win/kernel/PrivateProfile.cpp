#include "platform/win/kernel/PrivateProfile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileLock.h"
#include "platform/win/kernel/IniFile.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Root.h"

namespace {

using wavorel::IniFile;

constexpr char kWindowsFolder[] = "C:\\Windows\\";

// What tells one version of a file from another without reading it.
struct FileStamp {
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  timespec mtime{};
  timespec ctime{};

  bool operator==(const FileStamp& o) const {
    return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
           mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
  }
};

bool stampOf(const std::string& linuxPath, FileStamp& stamp) {
  struct stat st {};
  if (::stat(linuxPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  stamp = FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
  return true;
}

struct CachedFile {
  FileStamp stamp;
  std::shared_ptr<const IniFile> ini;
};

struct ProfileCache {
  std::mutex mutex;  // guards files and paths
  std::unordered_map<std::string, CachedFile> files;
  // Where a file name (with the current and program folders it was resolved
  // against) was found, so that a read of an existing file costs one stat.
  std::unordered_map<std::string, std::string> paths;
};

constexpr size_t kMaxRememberedPaths = 256;

ProfileCache& cache() {
  static ProfileCache c;
  static const bool registered = (wavorel::registerStateReset([] {
                                    std::lock_guard<std::mutex> lock(c.mutex);
                                    c.files.clear();
                                    c.paths.clear();
                                  }),
                                  true);
  (void)registered;
  return c;
}

// The parsed file, or nullptr when it does not exist (last error set).
std::shared_ptr<const IniFile> loadFile(const std::string& linuxPath) {
  ProfileCache& c = cache();
  FileStamp stamp;
  if (!stampOf(linuxPath, stamp)) {
    std::lock_guard<std::mutex> lock(c.mutex);
    c.files.erase(linuxPath);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    auto it = c.files.find(linuxPath);
    if (it != c.files.end() && it->second.stamp == stamp) return it->second.ini;
  }
  std::string text;
  if (!wavorel::readWholeFile(linuxPath, text)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  auto ini = std::make_shared<const IniFile>(IniFile::parse(text));
  std::lock_guard<std::mutex> lock(c.mutex);
  c.files[linuxPath] = CachedFile{stamp, ini};
  return ini;
}

bool hasFolder(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

// The Linux path of a profile file name; false with the last error set.
bool profilePath(LPCTSTR fileName, std::string& linuxPath) {
  std::string name = fileName ? fileName : "win.ini";
  if (!hasFolder(name)) name = kWindowsFolder + name;
  return wavorel::resolveWindowsPath(name, linuxPath);
}

// The parsed file, or nullptr when it does not exist. A file found before is
// looked for where it was found first.
std::shared_ptr<const IniFile> readProfile(LPCTSTR fileName) {
  ProfileCache& c = cache();
  std::string key = std::string(fileName ? fileName : "") + '\n' + wavorel::currentDirectory() + '\n' +
                    wavorel::programFolderLinux();
  std::string linuxPath;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    auto it = c.paths.find(key);
    if (it != c.paths.end()) linuxPath = it->second;
  }
  if (!linuxPath.empty()) {
    if (auto ini = loadFile(linuxPath)) return ini;
    std::lock_guard<std::mutex> lock(c.mutex);
    c.paths.erase(key);
  }
  if (!profilePath(fileName, linuxPath)) return nullptr;
  std::shared_ptr<const IniFile> ini = loadFile(linuxPath);
  if (ini) {
    std::lock_guard<std::mutex> lock(c.mutex);
    if (c.paths.size() >= kMaxRememberedPaths) c.paths.clear();
    c.paths[key] = linuxPath;
  }
  return ini;
}

DWORD copyValue(std::string_view value, LPTSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  size_t n = std::min<size_t>(value.size(), size - 1);
  std::memcpy(buffer, value.data(), n);
  buffer[n] = '\0';
  return static_cast<DWORD>(n);
}

// Each name followed by a NUL, then a second NUL; a list cut to the buffer
// still ends in two NULs. An empty name cannot be listed (it would end the
// list) and is left out.
DWORD copyList(const std::vector<std::string>& names, LPTSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  std::string joined;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    joined += name;
    joined += '\0';
  }
  if (joined.size() + 1 <= size) {
    std::memcpy(buffer, joined.data(), joined.size());
    buffer[joined.size()] = '\0';
    if (joined.empty()) buffer[1] = '\0';
    return static_cast<DWORD>(joined.size());
  }
  std::memcpy(buffer, joined.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

std::string_view withoutTrailingBlanks(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

UINT leadingNumber(std::string_view s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  uint32_t base = 10;
  if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  uint32_t value = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      break;
    }
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

DWORD writeError(const std::string& linuxPath) {
  DWORD missing = wavorel::missingPathError(linuxPath);
  return missing == ERROR_PATH_NOT_FOUND ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
}

}  // namespace

DWORD GetPrivateProfileString(LPCTSTR lpAppName, LPCTSTR lpKeyName, LPCTSTR lpDefault, LPTSTR lpReturnedString,
                              DWORD nSize, LPCTSTR lpFileName) {
  std::shared_ptr<const IniFile> ini = readProfile(lpFileName);
  if (lpAppName == nullptr) return copyList(ini ? ini->sectionNames() : std::vector<std::string>{}, lpReturnedString, nSize);
  if (lpKeyName == nullptr) return copyList(ini ? ini->keyNames(lpAppName) : std::vector<std::string>{}, lpReturnedString, nSize);
  const std::string* value = ini ? ini->find(lpAppName, lpKeyName) : nullptr;
  if (value != nullptr) return copyValue(IniFile::unquote(*value), lpReturnedString, nSize);
  return copyValue(withoutTrailingBlanks(lpDefault ? lpDefault : ""), lpReturnedString, nSize);
}

UINT GetPrivateProfileInt(LPCTSTR lpAppName, LPCTSTR lpKeyName, INT nDefault, LPCTSTR lpFileName) {
  std::shared_ptr<const IniFile> ini = readProfile(lpFileName);
  const std::string* value = ini && lpAppName && lpKeyName ? ini->find(lpAppName, lpKeyName) : nullptr;
  std::string_view text = value ? IniFile::unquote(*value) : std::string_view();
  if (text.empty()) return static_cast<UINT>(nDefault);
  return leadingNumber(text);
}

DWORD GetPrivateProfileSectionNames(LPTSTR lpszReturnBuffer, DWORD nSize, LPCTSTR lpFileName) {
  return GetPrivateProfileString(nullptr, nullptr, nullptr, lpszReturnBuffer, nSize, lpFileName);
}

DWORD GetPrivateProfileSection(LPCTSTR lpAppName, LPTSTR lpReturnedString, DWORD nSize, LPCTSTR lpFileName) {
  std::shared_ptr<const IniFile> ini = readProfile(lpFileName);
  return copyList(ini && lpAppName ? ini->entries(lpAppName) : std::vector<std::string>{}, lpReturnedString, nSize);
}

BOOL WritePrivateProfileString(LPCTSTR lpAppName, LPCTSTR lpKeyName, LPCTSTR lpString, LPCTSTR lpFileName) {
  std::string linuxPath;
  if (!profilePath(lpFileName, linuxPath)) return FALSE;
  ProfileCache& c = cache();
  if (lpAppName == nullptr) {
    if (lpKeyName == nullptr && lpString == nullptr) {
      std::lock_guard<std::mutex> lock(c.mutex);
      c.files.erase(linuxPath);
    } else {
      SetLastError(ERROR_INVALID_PARAMETER);
    }
    return FALSE;
  }

  // One read-modify-write at a time, among threads and processes. The file
  // is read afresh under the lock: another process may have changed it since
  // this one last read it.
  wavorel::FileLock lock(wavorel::FileLock::lockPathFor(linuxPath));
  if (!lock.held()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  IniFile ini;
  FileStamp stamp;
  std::string text;
  if (stampOf(linuxPath, stamp) && wavorel::readWholeFile(linuxPath, text)) ini = IniFile::parse(text);
  if (lpKeyName == nullptr) {
    if (!ini.removeSection(lpAppName)) return TRUE;
  } else if (lpString == nullptr) {
    if (!ini.removeKey(lpAppName, lpKeyName)) return TRUE;
  } else {
    ini.set(lpAppName, lpKeyName, lpString);
  }

  if (!wavorel::writeFileAtomically(linuxPath, ini.serialize())) {
    SetLastError(writeError(linuxPath));
    return FALSE;
  }
  std::lock_guard<std::mutex> cacheLock(c.mutex);
  if (stampOf(linuxPath, stamp)) {
    c.files[linuxPath] = CachedFile{stamp, std::make_shared<const IniFile>(std::move(ini))};
  } else {
    c.files.erase(linuxPath);
  }
  return TRUE;
}
