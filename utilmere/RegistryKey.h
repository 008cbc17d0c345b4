// An open registry key that closes itself.
#pragma once

#include "platform/Platform.h"

namespace utilmere {

class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }

  LSTATUS open(HKEY root, const char* subkey, REGSAM access) {
    return RegOpenKeyEx(root, subkey, 0, access, receive());
  }
  // Closes a key held before and gives the slot for a new one.
  PHKEY receive() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
    return &key_;
  }
  HKEY get() const { return key_; }
  HKEY release() {
    HKEY key = key_;
    key_ = nullptr;
    return key;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace utilmere
