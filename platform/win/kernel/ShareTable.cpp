#include "platform/win/kernel/ShareTable.h"

#include <map>
#include <mutex>
#include <utility>

#include "platform/win/kernel/Files.h"

namespace wavorel {

namespace {

const DWORD kAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Open {
  DWORD access;
  DWORD share;
};
using Key = std::pair<uint64_t, uint64_t>;

std::mutex g_mutex;
std::multimap<Key, std::pair<uint64_t, Open>>& opens() {
  static std::multimap<Key, std::pair<uint64_t, Open>> m;
  return m;
}
uint64_t g_nextId = 1;

bool clashes(const Key& key, DWORD access, DWORD share) {
  auto range = opens().equal_range(key);
  for (auto it = range.first; it != range.second; ++it) {
    const Open& o = it->second.second;
    if ((access & ~o.share & kAll) || (o.access & ~share & kAll)) return true;
  }
  return false;
}

// Ends its open when destroyed.
struct Token {
  Token(const Key& k, uint64_t i) : key(k), id(i) {}
  Token(const Token&) = delete;
  Token& operator=(const Token&) = delete;
  ~Token() {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto range = opens().equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
      if (it->second.first == id) {
        opens().erase(it);
        break;
      }
    }
  }
  Key key;
  uint64_t id;
};

}  // namespace

DWORD ShareTable::accessBits(DWORD desiredAccess) {
  DWORD bits = 0;
  if (desiredAccess & (GENERIC_READ | GENERIC_ALL | GENERIC_EXECUTE | FILE_READ_DATA)) bits |= FILE_SHARE_READ;
  if (desiredAccess & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) bits |= FILE_SHARE_WRITE;
  if (desiredAccess & (GENERIC_ALL | DELETE)) bits |= FILE_SHARE_DELETE;
  return bits;
}

std::shared_ptr<void> ShareTable::acquire(uint64_t dev, uint64_t ino, DWORD access, DWORD share) {
  Key key(dev, ino);
  std::lock_guard<std::mutex> lock(g_mutex);
  if (clashes(key, access, share)) return nullptr;
  uint64_t id = g_nextId++;
  opens().emplace(key, std::make_pair(id, Open{access & kAll, share & kAll}));
  return std::make_shared<Token>(key, id);
}

bool ShareTable::allows(uint64_t dev, uint64_t ino, DWORD access) {
  std::lock_guard<std::mutex> lock(g_mutex);
  return !clashes(Key(dev, ino), access, kAll);
}

}  // namespace wavorel
