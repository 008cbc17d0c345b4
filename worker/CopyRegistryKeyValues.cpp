#include "worker/CopyRegistryKeyValues.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kMaxValues = 999999;
// Room of the first try; larger values grow the buffers to the key's maxima.
constexpr DWORD kFirstRoom = 260;

}  // namespace

BOOL EnumRegistryValues(HKEY source, const RegistryValueWriter& write) {
  std::vector<char> name(kFirstRoom);
  std::vector<BYTE> data(kFirstRoom);
  for (DWORD index = 0; index < kMaxValues; ++index) {
    DWORD nameSize = 0, dataSize = 0, type = 0;
    LONG status;
    for (;;) {
      nameSize = static_cast<DWORD>(name.size());
      dataSize = static_cast<DWORD>(data.size());
      status = RegEnumValue(source, index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
      if (status != ERROR_MORE_DATA) break;
      DWORD maxName = 0, maxData = 0;
      if (RegQueryInfoKey(source, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                          nullptr, nullptr) != ERROR_SUCCESS)
        return FALSE;
      const size_t nameRoom = std::max<size_t>(name.size(), size_t{maxName} + 1);
      const size_t dataRoom = std::max<size_t>({data.size(), size_t{maxData}, size_t{dataSize}});
      // A key that claims no larger value than the buffers hold cannot be read.
      if (nameRoom == name.size() && dataRoom == data.size()) return FALSE;
      name.resize(nameRoom);
      data.resize(dataRoom);
    }
    if (status == ERROR_NO_MORE_ITEMS) return TRUE;
    if (status != ERROR_SUCCESS) return FALSE;
    if (write(name.data(), type, data.data(), dataSize) != ERROR_SUCCESS) return FALSE;
  }
  return TRUE;
}

BOOL CopyRegistryKeyValues(HKEY source, HKEY destination) {
  return EnumRegistryValues(source, [destination](LPCSTR name, DWORD type, const BYTE* data, DWORD size) {
    return RegSetValueEx(destination, name, 0, type, data, size);
  });
}
