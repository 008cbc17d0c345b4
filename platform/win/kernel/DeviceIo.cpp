#include "platform/win/kernel/DeviceIo.h"

#include "platform/win/kernel/Errors.h"

BOOL DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                     LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned,
                     LPOVERLAPPED /*lpOverlapped*/) {
  DWORD returned = 0;
  if (lpBytesReturned) *lpBytesReturned = 0;
  if (!wavorel::kernelHandles().find(reinterpret_cast<uintptr_t>(hDevice))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto device = wavorel::kernelObjectAs<wavorel::DeviceIoObject>(hDevice);
  if (!device) {
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
  }
  if ((!lpInBuffer && nInBufferSize) || (!lpOutBuffer && nOutBufferSize)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BOOL ok = device->ioControl(dwIoControlCode, lpInBuffer, nInBufferSize, lpOutBuffer, nOutBufferSize, returned);
  if (lpBytesReturned) *lpBytesReturned = returned;
  if (ok) SetLastError(ERROR_SUCCESS);
  return ok;
}
