// DeviceIoControl: a control request to an opened device. The device object
// behind the handle (registered with wavorel::registerDevice) answers it; a
// handle of any other kind fails with ERROR_INVALID_FUNCTION.
#pragma once

#include <memory>

#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/Types.h"

// The NDIS query control code: the 4-byte OID is the input buffer, the data
// travels in the output buffer.
#define IOCTL_NDIS_QUERY_GLOBAL_STATS 0x00170002u

// Synchronous only: lpOverlapped is ignored. *lpBytesReturned (when given) is
// always written; on failure the device may put the size it needs there.
BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned,
                     LPOVERLAPPED lpOverlapped);

namespace wavorel {

// Base of device objects that take control requests. `returned` starts at 0.
// Returns TRUE, or FALSE after SetLastError.
class DeviceIoObject : public KernelObject {
 public:
  virtual BOOL ioControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                         DWORD& returned) = 0;
};

}  // namespace wavorel
