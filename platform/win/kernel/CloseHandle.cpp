#include "platform/win/kernel/CloseHandle.h"

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Handles.h"

BOOL CloseHandle(HANDLE hObject) {
  if (!wavorel::kernelHandles().remove(reinterpret_cast<uintptr_t>(hObject))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
