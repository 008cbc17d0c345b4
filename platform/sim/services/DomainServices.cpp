// The machine's Windows domain ([Domain] of the world): the domain controller
// locator and the controller's NETLOGON share as network paths see it.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Devices.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/services/NetApi.h"

namespace {

bool sameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

wavorel::sim::WorldDomain domain() {
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  wavorel::sim::Machine* m = wavorel::sim::machineIfLoaded();
  return m ? m->world().domain : wavorel::sim::WorldDomain{};
}

// A file on the controller's NETLOGON share is looked for (and not found)
// while the controller answers; anything else is a path nobody answers.
unsigned long resolve(const std::string& server, const std::string& share) {
  wavorel::sim::WorldDomain d = domain();
  if (d.name.empty() || !d.reachable || !sameText(server, d.controller) || !sameText(share, "NETLOGON"))
    return ERROR_BAD_NETPATH;
  return ERROR_FILE_NOT_FOUND;
}

const bool g_resolver = (wavorel::setNetworkPathResolver(resolve), true);

std::mutex g_buffersMutex;
std::set<void*> g_buffers;  // answers not yet freed

}  // namespace

DWORD DsGetDcNameA(LPCSTR, LPCSTR domainName, const GUID*, LPCSTR, ULONG flags, PDOMAIN_CONTROLLER_INFOA* info) {
  (void)g_resolver;
  if (!info) return ERROR_INVALID_PARAMETER;
  *info = nullptr;
  if ((flags & DS_RETURN_FLAT_NAME) && (flags & DS_RETURN_DNS_NAME)) return ERROR_INVALID_PARAMETER;
  wavorel::sim::WorldDomain d = domain();
  if (!domainName || d.name.empty() || !sameText(domainName, d.name)) return ERROR_NO_SUCH_DOMAIN;
  // One allocation: the record, then its texts.
  std::string controller = "\\\\" + d.controller, address = "\\\\" + d.controller, name = d.name;
  size_t size = sizeof(DOMAIN_CONTROLLER_INFOA) + controller.size() + address.size() + name.size() + 3;
  auto* block = static_cast<char*>(std::calloc(1, size));
  if (!block) return ERROR_NOT_ENOUGH_MEMORY;
  auto* out = reinterpret_cast<DOMAIN_CONTROLLER_INFOA*>(block);
  char* text = block + sizeof(DOMAIN_CONTROLLER_INFOA);
  auto place = [&text](const std::string& s) {
    std::memcpy(text, s.c_str(), s.size() + 1);
    char* at = text;
    text += s.size() + 1;
    return at;
  };
  out->DomainControllerName = place(controller);
  out->DomainControllerAddress = place(address);
  out->DomainControllerAddressType = DS_NETBIOS_ADDRESS;
  out->DomainName = place(name);
  {
    std::lock_guard<std::mutex> lock(g_buffersMutex);
    g_buffers.insert(block);
  }
  *info = out;
  return ERROR_SUCCESS;
}

DWORD NetApiBufferFree(LPVOID buffer) {
  if (!buffer) return NERR_Success;
  {
    std::lock_guard<std::mutex> lock(g_buffersMutex);
    if (g_buffers.erase(buffer) == 0) return ERROR_INVALID_PARAMETER;
  }
  std::free(buffer);
  return NERR_Success;
}
