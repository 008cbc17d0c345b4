// A second process of the simulated machine, as a sibling tool of the program
// would be: one driver request to an adapter on the platform root of
// WAVOREL_ROOT, in the world of WAVOREL_WORLD.
//   sim_driver_tool query <adapter GUID> <code, hexadecimal>   prints the 32-bit answer
//   sim_driver_tool set <adapter GUID> <code, hexadecimal> <value>
// Ends with 0 when the driver took the request, else 1 (2: bad arguments).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "platform/wire/Bytes.h"

int main(int argc, char** argv) {
  const std::string verb = argc > 1 ? argv[1] : "";
  if (!((verb == "query" && argc == 4) || (verb == "set" && argc == 5))) return 2;
  const std::string path = std::string("\\\\.\\") + argv[2];
  DWORD code = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 16));
  uint8_t data[4] = {};
  if (verb == "set") wavorel::wire::putU32(data, static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 0)));
  HANDLE h = CreateFile(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  DWORD returned = 0;
  BOOL ok = DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, sizeof code, data, sizeof data, &returned, nullptr);
  CloseHandle(h);
  if (!ok) return 1;
  if (verb == "query") std::printf("%u\n", wavorel::wire::getU32(data));
  return 0;
}
