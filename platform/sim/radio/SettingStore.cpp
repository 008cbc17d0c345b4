#include "platform/sim/radio/SettingStore.h"

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/registry/Registry.h"
#include "platform/wire/Bytes.h"

namespace wavorel::sim {

namespace {

// A key of the driver, opened with the driver's rights.
class DriverKey {
 public:
  DriverKey(const std::string& path, REGSAM access) {
    RegistryServiceRights rights;
    if (access & KEY_SET_VALUE) {
      RegCreateKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr);
    } else {
      RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key_);
    }
  }
  ~DriverKey() {
    if (key_) RegCloseKey(key_);
  }
  DriverKey(const DriverKey&) = delete;
  DriverKey& operator=(const DriverKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

SettingStore::SettingStore(std::string keyPath) : path_(std::move(keyPath)) {}

int64_t SettingStore::lastWrite() const {
  DriverKey key(path_, KEY_QUERY_VALUE);
  FILETIME written{};
  if (!key.get() || RegQueryInfoKey(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
    return 0;
  return (static_cast<int64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
}

void SettingStore::refresh() {
  uint64_t tick = clock().tickMs();
  if (checked_ && tick == checkedAt_) return;
  checked_ = true;
  checkedAt_ = tick;
  int64_t written = lastWrite();
  if (written == seen_) return;
  cache_.clear();
  seen_ = written;
  ++generation_;
}

uint64_t SettingStore::generation() {
  refresh();
  return generation_;
}

std::vector<uint8_t> SettingStore::get(const std::string& name, const std::vector<uint8_t>& initial) {
  refresh();
  auto it = cache_.find(name);
  if (it == cache_.end()) {
    std::vector<uint8_t> value;
    DriverKey key(path_, KEY_QUERY_VALUE);
    DWORD type = 0, size = 0;
    if (key.get() && RegQueryValueEx(key.get(), name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_BINARY) {
      value.resize(size);
      if (RegQueryValueEx(key.get(), name.c_str(), nullptr, &type, value.data(), &size) != ERROR_SUCCESS) size = 0;
      value.resize(size);
    }
    it = cache_.emplace(name, std::move(value)).first;
  }
  if (it->second.empty()) return initial;
  std::vector<uint8_t> value = it->second;
  value.resize(initial.size(), 0);
  return value;
}

uint32_t SettingStore::getU32(const std::string& name, uint32_t initial) {
  std::vector<uint8_t> b(4);
  wire::putU32(b.data(), initial);
  return wire::getU32(get(name, b).data());
}

void SettingStore::set(const std::string& name, const std::vector<uint8_t>& value) {
  {
    DriverKey key(path_, KEY_SET_VALUE | KEY_QUERY_VALUE);
    RegistryServiceRights rights;
    if (key.get())
      RegSetValueEx(key.get(), name.c_str(), 0, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
  }
  checked_ = false;
  refresh();
  cache_[name] = value;
  ++generation_;
}

void SettingStore::setU32(const std::string& name, uint32_t value) {
  std::vector<uint8_t> b(4);
  wire::putU32(b.data(), value);
  set(name, b);
}

}  // namespace wavorel::sim
