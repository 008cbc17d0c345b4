// The adapter's device opened the way every driver request opens it (no
// access rights, FILE_SHARE_READ, OPEN_EXISTING) and closed when the object
// goes out of scope.
#pragma once

#include "platform/Platform.h"

class CDeviceHandle {
 public:
  explicit CDeviceHandle(LPCSTR devicePath);
  ~CDeviceHandle();
  CDeviceHandle(const CDeviceHandle&) = delete;
  CDeviceHandle& operator=(const CDeviceHandle&) = delete;

  bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
  HANDLE Get() const { return m_h; }

 private:
  HANDLE m_h;
};
