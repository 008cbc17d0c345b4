// The device object behind a handle of "\\.\{GUID}": it passes NDIS query
// requests to the machine's adapter of that GUID and holds no state besides.
#pragma once

#include <string>

#include "platform/win/kernel/DeviceIo.h"

namespace wavorel::sim {

class DriverDevice : public DeviceIoObject {
 public:
  explicit DriverDevice(std::string guid) : guid_(std::move(guid)) {}
  // Only IOCTL_NDIS_QUERY_GLOBAL_STATS (else ERROR_INVALID_FUNCTION), with the
  // 4-byte code as input (else ERROR_INVALID_PARAMETER).
  BOOL ioControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) override;

 private:
  std::string guid_;
};

}  // namespace wavorel::sim
