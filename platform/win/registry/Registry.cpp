#include "platform/win/registry/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileLock.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/registry/RegistryHive.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/PlatformLog.h"
#include "platform/win/kernel/UserProfile.h"

namespace {

using wavorel::RegistryHive;
using Key = RegistryHive::Key;

enum Root { kLocalMachine = 0, kCurrentUser = 1, kRootCount = 2 };

struct RootInfo {
  const char* name;
  const char* file;
};
const RootInfo kRoots[kRootCount] = {{"HKEY_LOCAL_MACHINE", "HKLM.reg"}, {"HKEY_CURRENT_USER", "HKCU.reg"}};

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

// What a key handle names: a path below a root, and the access granted.
struct OpenKey {
  Root root = kLocalMachine;
  std::vector<std::string> path;
  REGSAM access = 0;
  bool predefined = false;  // a root handle: its key always exists
};

wavorel::HandleTable<OpenKey>& keyHandles() {
  // Apart from kernel handles (from 0x1000) and the predefined roots (0x80000000).
  static wavorel::HandleTable<OpenKey> table(0x40000000, 4);
  return table;
}

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd& operator=(Fd&& other) noexcept {
    reset(other.fd_);
    other.fd_ = -1;
    return *this;
  }
  ~Fd() { reset(); }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

// A root's hive as last read from (or written to) its file.
struct HiveFile {
  std::string path;  // empty until first use under the current platform root
  std::unique_ptr<RegistryHive> hive;
  Fd held;  // the file the hive came from, kept open so its inode cannot name another file
  struct stat seen {};
  std::string text;  // the file's text as last read or written
  bool loaded = false;
  LONG status = ERROR_SUCCESS;

  void forget() {
    path.clear();
    hive.reset();
    text.clear();
    held.reset();
    loaded = false;
    status = ERROR_SUCCESS;
  }
};

std::mutex g_mutex;
HiveFile g_hives[kRootCount];
// Whether this process gave the current root's HKEY_CURRENT_USER the values
// of a logon (logOn).
std::atomic<bool> g_loggedOn{false};

const bool g_registered = (wavorel::registerStateReset([] {
                             std::lock_guard<std::mutex> lock(g_mutex);
                             for (auto& h : g_hives) h.forget();
                             g_loggedOn = false;
                           }),
                           true);

thread_local bool g_serviceRights = false;  // see RegistryServiceRights

bool mayWrite(Root root) { return root == kCurrentUser || g_serviceRights || wavorel::runningAsAdministrator(); }

int64_t fileTimeOf(const struct stat& st) {
  constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
  return (static_cast<int64_t>(st.st_mtim.tv_sec) + kSecondsFrom1601To1970) * 10000000LL + st.st_mtim.tv_nsec / 100;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
         a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

std::string registryFolder() { return wavorel::platformRoot() + "/registry"; }

// The root's hive state, with the path of its file under the current platform root.
HiveFile& hiveFile(Root root) {
  HiveFile& h = g_hives[root];
  if (h.path.empty()) h.path = registryFolder() + "/" + kRoots[root].file;
  return h;
}

void useEmptyHive(HiveFile& h, Root root) {
  h.hive = std::make_unique<RegistryHive>(kRoots[root].name);
  h.text.clear();
  h.held.reset();
  h.loaded = true;
  h.status = ERROR_SUCCESS;
}

LONG load(HiveFile& h, Root root) {
  Fd fd(::open(h.path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st {};
  if (!fd.valid() || ::fstat(fd.get(), &st) != 0) {
    if (errno != ENOENT) return ERROR_REGISTRY_IO_FAILED;
    useEmptyHive(h, root);
    return ERROR_SUCCESS;
  }
  std::string text;
  text.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ERROR_REGISTRY_IO_FAILED;
    if (n == 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  std::string error;
  auto hive = RegistryHive::parse(kRoots[root].name, text, fileTimeOf(st), error);
  h.held = std::move(fd);
  h.seen = st;
  h.loaded = true;
  h.hive = std::move(hive);
  h.text = std::move(text);
  h.status = h.hive ? ERROR_SUCCESS : ERROR_REGISTRY_CORRUPT;
  if (!h.hive) {
    wavorel::logNote("registry: %s cannot be read (%s); the file is kept as it is and calls on %s fail with "
                     "ERROR_REGISTRY_CORRUPT until it is repaired or removed",
                     h.path.c_str(), error.c_str(), kRoots[root].name);
  }
  return h.status;
}

// Brings the cached hive up to date with its file. Caller holds g_mutex.
LONG refresh(Root root) {
  HiveFile& h = hiveFile(root);
  struct stat st {};
  if (::stat(h.path.c_str(), &st) != 0) {
    if (errno != ENOENT) return ERROR_REGISTRY_IO_FAILED;
    if (!h.loaded || h.held.valid()) useEmptyHive(h, root);
    return ERROR_SUCCESS;
  }
  if (h.loaded && h.held.valid() && sameFile(st, h.seen)) return h.status;
  return load(h, root);
}

using HiveChange = std::function<LONG(RegistryHive&, int64_t now, bool& changed)>;

// Runs `fn` on the current hive of `root` under the registry's file lock and
// writes the hive back when `fn` succeeded and reported a change.
LONG changeHive(Root root, const HiveChange& fn) {
  std::lock_guard<std::mutex> guard(g_mutex);
  HiveFile& h = hiveFile(root);
  wavorel::FileLock lock(h.path + ".lock");
  if (!lock.held()) return ERROR_REGISTRY_IO_FAILED;
  LONG status = refresh(root);
  if (status != ERROR_SUCCESS) return status;
  bool changed = false;
  LONG result = fn(*h.hive, wavorel::clock().utcFileTime(), changed);
  if (result != ERROR_SUCCESS || !changed) return result;
  // A change that leaves the file's text as it is (a value set to what it
  // held, a key that existed) writes nothing.
  std::string text = h.hive->serialize();
  if (h.held.valid() && text == h.text) return ERROR_SUCCESS;
  Fd written;
  struct stat st {};
  if (!wavorel::writeFileAtomically(h.path, text, wavorel::Durability::Deferred)) {
    h.loaded = false;  // the file still holds the old state: read it again
    h.held.reset();
    return ERROR_REGISTRY_IO_FAILED;
  }
  written.reset(::open(h.path.c_str(), O_RDONLY | O_CLOEXEC));
  if (written.valid() && ::fstat(written.get(), &st) == 0) {
    h.held = std::move(written);
    h.seen = st;
    h.text = std::move(text);
  } else {
    h.loaded = false;
    h.held.reset();
  }
  return ERROR_SUCCESS;
}

// The first use of HKEY_CURRENT_USER on a root in this process logs the user
// on, as each Windows session starts: "Volatile Environment" gets the values
// of the user's profile it lacks; values already there (a test's, a user's,
// an earlier session's) stay. Tried again on the next use when the hive
// cannot be changed.
void logOn(Root root) {
  if (root != kCurrentUser || g_loggedOn.load(std::memory_order_acquire)) return;
  const auto environment = wavorel::logonEnvironment();
  const LONG status = changeHive(kCurrentUser, [&](RegistryHive& hive, int64_t now, bool& changed) -> LONG {
    Key& key = hive.create({"Volatile Environment"}, now, changed);
    for (const auto& [name, text] : environment) {
      if (key.value(name)) continue;
      key.values.push_back({name, REG_SZ, text + '\0'});
      key.lastWrite = now;
      changed = true;
    }
    return ERROR_SUCCESS;
  });
  if (status == ERROR_SUCCESS) g_loggedOn.store(true, std::memory_order_release);
}

// changeHive after the logon of the root.
LONG change(Root root, const HiveChange& fn) {
  logOn(root);
  return changeHive(root, fn);
}

// Runs `fn` on the key a handle names, in the current hive. A root view whose
// key is missing reads as an empty key.
LONG readKey(const OpenKey& k, const std::function<LONG(Key&)>& fn) {
  logOn(k.root);
  std::lock_guard<std::mutex> guard(g_mutex);
  LONG status = refresh(k.root);
  if (status != ERROR_SUCCESS) return status;
  Key* key = g_hives[k.root].hive->find(k.path);
  if (!key && k.predefined) {
    Key empty;
    return fn(empty);
  }
  return key ? fn(*key) : ERROR_KEY_DELETED;
}

// The key a handle names, for a change; a missing root view is created.
Key* keyToChange(RegistryHive& hive, const OpenKey& k, int64_t now) {
  Key* key = hive.find(k.path);
  if (!key && k.predefined) {
    bool created = false;
    key = &hive.create(k.path, now, created);
  }
  return key;
}

LONG resolve(HKEY hKey, OpenKey& out) {
  auto value = reinterpret_cast<uintptr_t>(hKey);
  if (value == reinterpret_cast<uintptr_t>(HKEY_LOCAL_MACHINE) ||
      value == reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT) ||
      value == reinterpret_cast<uintptr_t>(HKEY_CURRENT_USER)) {
    out.root = value == reinterpret_cast<uintptr_t>(HKEY_CURRENT_USER) ? kCurrentUser : kLocalMachine;
    out.path.clear();
    if (value == reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT)) out.path = {"SOFTWARE", "Classes"};
    out.access = mayWrite(out.root) ? KEY_ALL_ACCESS : KEY_READ;
    out.predefined = true;
    return ERROR_SUCCESS;
  }
  auto found = keyHandles().find(value);
  if (!found) return ERROR_INVALID_HANDLE;
  out = *found;
  return ERROR_SUCCESS;
}

bool validName(const std::string& name) { return name.find_first_of("\r\n") == std::string::npos; }

// Splits a subkey path. A single trailing backslash is ignored; a leading one
// or an empty level is a bad path.
LONG splitSubKey(LPCSTR subKey, std::vector<std::string>& parts) {
  std::string s = subKey ? subKey : "";
  if (s.empty()) return ERROR_SUCCESS;
  if (s[0] == '\\') return ERROR_BAD_PATHNAME;
  if (s.back() == '\\') s.pop_back();
  size_t from = 0;
  for (;;) {
    size_t bs = s.find('\\', from);
    std::string part = s.substr(from, bs - from);
    if (part.empty()) return ERROR_BAD_PATHNAME;
    if (!validName(part)) return ERROR_INVALID_PARAMETER;
    parts.push_back(std::move(part));
    if (bs == std::string::npos) return ERROR_SUCCESS;
    from = bs + 1;
  }
}

// The handle's key extended by a subkey path.
LONG below(HKEY hKey, LPCSTR subKey, OpenKey& parent, OpenKey& child) {
  LONG status = resolve(hKey, parent);
  if (status != ERROR_SUCCESS) return status;
  std::vector<std::string> parts;
  status = splitSubKey(subKey, parts);
  if (status != ERROR_SUCCESS) return status;
  child.root = parent.root;
  child.path = parent.path;
  child.path.insert(child.path.end(), parts.begin(), parts.end());
  child.predefined = parent.predefined && parts.empty();
  return ERROR_SUCCESS;
}

HKEY insertHandle(OpenKey k) {
  return reinterpret_cast<HKEY>(keyHandles().insert(std::make_shared<OpenKey>(std::move(k))));
}

// Copies a name with its terminator into a buffer of `*size` characters;
// ERROR_MORE_DATA (size unchanged) when it does not fit.
LONG copyName(const std::string& name, LPSTR out, LPDWORD size) {
  if (name.size() + 1 > *size) return ERROR_MORE_DATA;
  std::memcpy(out, name.c_str(), name.size() + 1);
  *size = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

// Copies value data. With no buffer only the size is reported; a buffer too
// small gets ERROR_MORE_DATA and the size needed.
LONG copyData(const std::string& data, LPBYTE out, LPDWORD size) {
  if (!size) return ERROR_SUCCESS;
  DWORD needed = static_cast<DWORD>(data.size());
  if (out && *size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  if (out && needed) std::memcpy(out, data.data(), needed);
  *size = needed;
  return ERROR_SUCCESS;
}

// Deletes the key at `target`; with `tree` false it must have no subkeys.
LONG deleteKey(const OpenKey& target, bool tree) {
  if (target.path.empty()) return ERROR_ACCESS_DENIED;  // a root cannot go
  std::vector<std::string> parentPath(target.path.begin(), target.path.end() - 1);
  return change(target.root, [&](RegistryHive& hive, int64_t now, bool& changed) -> LONG {
    Key* parent = hive.find(parentPath);
    Key* key = parent ? parent->child(target.path.back()) : nullptr;
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (!mayWrite(target.root)) return ERROR_ACCESS_DENIED;
    if (!tree && !key->subkeys.empty()) return ERROR_ACCESS_DENIED;
    parent->subkeys.erase(RegistryHive::foldName(target.path.back()));
    parent->lastWrite = now;
    changed = true;
    return ERROR_SUCCESS;
  });
}

void toFileTime(int64_t t, PFILETIME out) {
  if (!out) return;
  out->dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(t) & 0xffffffffu);
  out->dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(t) >> 32);
}

}  // namespace

LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  OpenKey parent, k;
  LONG status = below(hKey, lpSubKey, parent, k);
  if (status != ERROR_SUCCESS) return status;
  k.access = samDesired & ~static_cast<REGSAM>(KEY_WOW64_RES);
  status = readKey(k, [](Key&) { return ERROR_SUCCESS; });
  if (status == ERROR_KEY_DELETED) return ERROR_FILE_NOT_FOUND;
  if (status != ERROR_SUCCESS) return status;
  if ((k.access & kWriteRights) && !mayWrite(k.root)) return ERROR_ACCESS_DENIED;
  *phkResult = insertHandle(std::move(k));
  return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD /*Reserved*/, LPSTR /*lpClass*/, DWORD /*dwOptions*/,
                       REGSAM samDesired, const LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, PHKEY phkResult,
                       LPDWORD lpdwDisposition) {
  if (!phkResult || !lpSubKey) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  OpenKey parent, k;
  LONG status = below(hKey, lpSubKey, parent, k);
  if (status != ERROR_SUCCESS) return status;
  k.access = samDesired & ~static_cast<REGSAM>(KEY_WOW64_RES);
  DWORD disposition = REG_OPENED_EXISTING_KEY;
  status = change(k.root, [&](RegistryHive& hive, int64_t now, bool& changed) -> LONG {
    if (!parent.predefined && !hive.find(parent.path)) return ERROR_KEY_DELETED;
    bool exists = k.predefined || hive.find(k.path);
    if (!mayWrite(k.root) && (!exists || (k.access & kWriteRights))) return ERROR_ACCESS_DENIED;
    if (!exists) {
      hive.create(k.path, now, changed);
      disposition = REG_CREATED_NEW_KEY;
    }
    return ERROR_SUCCESS;
  });
  if (status != ERROR_SUCCESS) return status;
  if (lpdwDisposition) *lpdwDisposition = disposition;
  *phkResult = insertHandle(std::move(k));
  return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY hKey) {
  OpenKey k;
  if (resolve(hKey, k) != ERROR_SUCCESS) return ERROR_INVALID_HANDLE;
  if (!k.predefined) keyHandles().remove(reinterpret_cast<uintptr_t>(hKey));
  return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY hKey) {
  // The key's hive as this process last wrote it goes to disk now.
  OpenKey k;
  LONG status = resolve(hKey, k);
  if (status != ERROR_SUCCESS) return status;
  status = readKey(k, [](Key&) { return ERROR_SUCCESS; });
  if (status != ERROR_SUCCESS) return status;
  std::string path;
  {
    std::lock_guard<std::mutex> guard(g_mutex);
    path = hiveFile(k.root).path;
  }
  return wavorel::syncDeferredFile(path) ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD /*lpReserved*/, LPDWORD lpType, LPBYTE lpData,
                        LPDWORD lpcbData) {
  OpenKey k;
  LONG status = resolve(hKey, k);
  if (status != ERROR_SUCCESS) return status;
  if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
  if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  std::string name = lpValueName ? lpValueName : "";
  return readKey(k, [&](Key& key) -> LONG {
    const RegistryHive::Value* v = key.value(name);
    if (!v) return ERROR_FILE_NOT_FOUND;
    if (lpType) *lpType = v->type;
    return copyData(v->data, lpData, lpcbData);
  });
}

LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType, const BYTE* lpData,
                      DWORD cbData) {
  OpenKey k;
  LONG status = resolve(hKey, k);
  if (status != ERROR_SUCCESS) return status;
  if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  if (!lpData && cbData) return ERROR_NOACCESS;
  std::string name = lpValueName ? lpValueName : "";
  if (!validName(name)) return ERROR_INVALID_PARAMETER;
  std::string data(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0);
  return change(k.root, [&](RegistryHive& hive, int64_t now, bool& changed) -> LONG {
    Key* key = keyToChange(hive, k, now);
    if (!key) return ERROR_KEY_DELETED;
    if (RegistryHive::Value* v = key->value(name)) {
      v->type = dwType;
      v->data = std::move(data);
    } else {
      key->values.push_back({name, dwType, std::move(data)});
    }
    key->lastWrite = now;
    changed = true;
    return ERROR_SUCCESS;
  });
}

LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName) {
  OpenKey k;
  LONG status = resolve(hKey, k);
  if (status != ERROR_SUCCESS) return status;
  if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  std::string name = lpValueName ? lpValueName : "";
  return change(k.root, [&](RegistryHive& hive, int64_t now, bool& changed) -> LONG {
    Key* key = keyToChange(hive, k, now);
    if (!key) return ERROR_KEY_DELETED;
    RegistryHive::Value* v = key->value(name);
    if (!v) return ERROR_FILE_NOT_FOUND;
    key->values.erase(key->values.begin() + (v - key->values.data()));
    key->lastWrite = now;
    changed = true;
    return ERROR_SUCCESS;
  });
}

LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  OpenKey parent, k;
  LONG status = below(hKey, lpSubKey, parent, k);
  return status != ERROR_SUCCESS ? status : deleteKey(k, false);
}

LSTATUS SHDeleteKey(HKEY hKey, LPCSTR pszSubKey) {
  OpenKey parent, k;
  LONG status = below(hKey, pszSubKey, parent, k);
  return status != ERROR_SUCCESS ? status : deleteKey(k, true);
}

LSTATUS RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD /*lpReserved*/,
                     LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
  OpenKey k;
  LONG status = resolve(hKey, k);
  if (status != ERROR_SUCCESS) return status;
  if (!lpName || !lpcchName || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
  if (!(k.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  return readKey(k, [&](Key& key) -> LONG {
    if (dwIndex >= key.subkeys.size()) return ERROR_NO_MORE_ITEMS;
    const Key& child = *std::next(key.subkeys.begin(), dwIndex)->second;
    LONG result = copyName(child.name, lpName, lpcchName);
    if (result != ERROR_SUCCESS) return result;
    if (lpClass) {
      result = copyName("", lpClass, lpcchClass);  // classes are not kept
      if (result != ERROR_SUCCESS) return result;
    }
    toFileTime(child.lastWrite, lpftLastWriteTime);
    return ERROR_SUCCESS;
  });
}

LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD /*lpReserved*/,
                     LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  OpenKey k;
  LONG status = resolve(hKey, k);
  if (status != ERROR_SUCCESS) return status;
  if (!lpValueName || !lpcchValueName || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  return readKey(k, [&](Key& key) -> LONG {
    if (dwIndex >= key.values.size()) return ERROR_NO_MORE_ITEMS;
    const RegistryHive::Value& v = key.values[dwIndex];
    LONG result = copyName(v.name, lpValueName, lpcchValueName);
    if (result != ERROR_SUCCESS) return result;
    if (lpType) *lpType = v.type;
    return copyData(v.data, lpData, lpcbData);
  });
}

LSTATUS RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD /*lpReserved*/, LPDWORD lpcSubKeys,
                        LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                        LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                        PFILETIME lpftLastWriteTime) {
  OpenKey k;
  LONG status = resolve(hKey, k);
  if (status != ERROR_SUCCESS) return status;
  if (lpClass && !lpcchClass) return ERROR_INVALID_PARAMETER;
  if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  return readKey(k, [&](Key& key) -> LONG {
    if (lpClass) {
      LONG result = copyName("", lpClass, lpcchClass);
      if (result != ERROR_SUCCESS) return result;
    } else if (lpcchClass) {
      *lpcchClass = 0;
    }
    size_t maxSubKey = 0, maxName = 0, maxData = 0;
    for (const auto& entry : key.subkeys) maxSubKey = std::max(maxSubKey, entry.second->name.size());
    for (const auto& v : key.values) {
      maxName = std::max(maxName, v.name.size());
      maxData = std::max(maxData, v.data.size());
    }
    if (lpcSubKeys) *lpcSubKeys = static_cast<DWORD>(key.subkeys.size());
    if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = static_cast<DWORD>(maxSubKey);
    if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
    if (lpcValues) *lpcValues = static_cast<DWORD>(key.values.size());
    if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = static_cast<DWORD>(maxName);
    if (lpcbMaxValueLen) *lpcbMaxValueLen = static_cast<DWORD>(maxData);
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
    toFileTime(key.lastWrite, lpftLastWriteTime);
    return ERROR_SUCCESS;
  });
}

namespace wavorel {

RegistryServiceRights::RegistryServiceRights() : was_(g_serviceRights) { g_serviceRights = true; }
RegistryServiceRights::~RegistryServiceRights() { g_serviceRights = was_; }

}  // namespace wavorel
