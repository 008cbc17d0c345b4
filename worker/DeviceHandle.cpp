#include "worker/DeviceHandle.h"

CDeviceHandle::CDeviceHandle(LPCSTR devicePath)
    : m_h(CreateFile(devicePath, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}

CDeviceHandle::~CDeviceHandle() {
  if (IsOpen()) CloseHandle(m_h);
}
