#include "worker/DeviceProperty.h"

#include <algorithm>
#include <cstring>
#include <vector>

BOOL ReadDeviceProperty(HDEVINFO devInfo, PSP_DEVINFO_DATA device, DWORD property, char* buffer, DWORD size) {
  buffer[0] = '\0';
  DWORD needed = 0;
  std::vector<BYTE> whole(size);
  if (!SetupDiGetDeviceRegistryProperty(devInfo, device, property, nullptr, whole.data(), size, &needed)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) return FALSE;
    whole.assign(needed, 0);
    if (!SetupDiGetDeviceRegistryProperty(devInfo, device, property, nullptr, whole.data(), needed, nullptr))
      return FALSE;
  }
  whole.push_back(0);
  const size_t length = std::min<size_t>(std::strlen(reinterpret_cast<const char*>(whole.data())), size - 1);
  std::memcpy(buffer, whole.data(), length);
  buffer[length] = '\0';
  return TRUE;
}

CString DevicePropertyText(HDEVINFO devInfo, PSP_DEVINFO_DATA device, DWORD property) {
  char buffer[256];
  ReadDeviceProperty(devInfo, device, property, buffer, sizeof buffer);
  return buffer;
}
