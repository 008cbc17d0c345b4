// Shared helpers of the registry tests: a fresh platform root per test, and
// short forms of the calls the tests repeat.
#pragma once

#include <string>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/registry/Registry.h"

namespace wavorel::testing {

class RegistryTest : public PlatformTest {
 protected:
  // Creates (or opens) a key with full access; fails the test when it cannot.
  HKEY create(HKEY root, const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS)
        << path;
    return key;
  }
  LONG set(HKEY key, const char* name, DWORD type, const std::string& data) {
    return RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(data.size()));
  }
  LONG setDword(HKEY key, const char* name, DWORD value) {
    return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  // Reads a whole value into `data` (type into `type`).
  LONG get(HKEY key, const char* name, DWORD& type, std::string& data) {
    DWORD size = 0;
    LONG r = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size);
    if (r != ERROR_SUCCESS) return r;
    data.assign(size, '\x7f');
    return RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(data.data()), &size);
  }
  std::string hivePath(const char* file) const { return root() + "/registry/" + file; }
  std::string hiveText(const char* file) const {
    std::string text;
    readWholeFile(hivePath(file), text);
    return text;
  }
};

}  // namespace wavorel::testing
