#include "platform/sim/driver/DriverDevice.h"

#include "platform/wire/Bytes.h"
#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Errors.h"

namespace wavorel::sim {

BOOL DriverDevice::ioControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) {
  if (code != IOCTL_NDIS_QUERY_GLOBAL_STATS) {
    SetLastError(ERROR_INVALID_FUNCTION);
    return FALSE;
  }
  if (inSize < 4) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint32_t oid = wire::getU32(static_cast<const uint8_t*>(in));
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  Machine* m = machineIfLoaded();
  uint32_t error = ERROR_DEVICE_NOT_CONNECTED;
  uint32_t answered = 0;
  bool ok = m && m->request(guid_, oid, static_cast<uint8_t*>(out), outSize, answered, error);
  returned = answered;
  if (!ok) SetLastError(error);
  return ok ? TRUE : FALSE;
}

}  // namespace wavorel::sim
