// Registry helpers of the XP worker tests: a key's values as text, one line
// each in creation order ("name REG_SZ data", binary as hex pairs), and
// single values set or read directly.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace xpworker::testing {

inline std::string dumpKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  std::string out;
  for (DWORD i = 0;; ++i) {
    char name[256];
    BYTE data[1024];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValue(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    out += std::string(name, nameSize);
    if (type == REG_SZ) {
      out += " REG_SZ ";
      out += std::string(reinterpret_cast<const char*>(data), dataSize ? dataSize - 1 : 0);
      if (dataSize == 0 || data[dataSize - 1] != 0) out += " <no terminator>";
    } else {
      out += type == REG_BINARY ? " REG_BINARY " : " type" + std::to_string(type) + " ";
      for (DWORD b = 0; b < dataSize; ++b) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", data[b]);
        out += hex;
      }
    }
    out += "\n";
  }
  RegCloseKey(key);
  return out;
}

inline bool keyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

inline void setValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

inline void setText(const std::string& path, const char* name, const std::string& text) {
  setValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// A text value; "<none>" when missing.
inline std::string registryText(const std::string& path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<none>";
  char data[1024] = "";
  DWORD size = sizeof data - 1, type = 0;
  const bool read = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  return read ? std::string(data) : "<none>";
}

}  // namespace xpworker::testing
