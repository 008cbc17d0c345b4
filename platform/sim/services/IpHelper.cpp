#include "platform/win/services/IpHelper.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Errors.h"

namespace {

using wavorel::sim::Adapter;

template <size_t N>
void copyText(char (&field)[N], const std::string& text) {
  std::snprintf(field, N, "%s", text.c_str());
}

std::string dotted(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  char s[16];
  std::snprintf(s, sizeof s, "%u.%u.%u.%u", a, b, c, d);
  return s;
}

void fill(IP_ADAPTER_INFO& info, Adapter& a, DWORD index) {
  std::memset(&info, 0, sizeof info);
  info.ComboIndex = index;
  info.Index = index;
  copyText(info.AdapterName, a.guid());
  copyText(info.Description, a.config().description);
  info.AddressLength = 6;
  std::memcpy(info.Address, a.config().mac.data(), 6);
  info.Type = IF_TYPE_IEEE80211;
  info.DhcpEnabled = 1;
  info.CurrentIpAddress = nullptr;
  const wavorel::sim::WorldNetwork* n = a.connected() ? a.network() : nullptr;
  const auto* ip = n ? &n->address : nullptr;
  bool addressed = ip && ((*ip)[0] | (*ip)[1] | (*ip)[2] | (*ip)[3]) != 0;
  if (addressed) {
    copyText(info.IpAddressList.IpAddress.String, dotted((*ip)[0], (*ip)[1], (*ip)[2], (*ip)[3]));
    copyText(info.IpAddressList.IpMask.String, "255.255.255.0");
    std::string router = dotted((*ip)[0], (*ip)[1], (*ip)[2], 1);
    copyText(info.GatewayList.IpAddress.String, router);
    copyText(info.DhcpServer.IpAddress.String, router);
  } else {
    copyText(info.IpAddressList.IpAddress.String, "0.0.0.0");
    copyText(info.IpAddressList.IpMask.String, "0.0.0.0");
  }
}

}  // namespace

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer) {
  if (!SizePointer) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  wavorel::sim::Machine* m = wavorel::sim::machineIfLoaded();
  std::vector<std::pair<Adapter*, DWORD>> present;
  for (size_t i = 0; m && i < m->adapterCount(); ++i)
    if (m->adapter(i).present()) present.emplace_back(&m->adapter(i), static_cast<DWORD>(i + 1));
  if (present.empty()) return ERROR_NO_DATA;
  ULONG needed = static_cast<ULONG>(present.size() * sizeof(IP_ADAPTER_INFO));
  if (!AdapterInfo || *SizePointer < needed) {
    *SizePointer = needed;
    return ERROR_BUFFER_OVERFLOW;
  }
  for (size_t i = 0; i < present.size(); ++i) {
    fill(AdapterInfo[i], *present[i].first, present[i].second);
    AdapterInfo[i].Next = i + 1 < present.size() ? &AdapterInfo[i + 1] : nullptr;
  }
  return ERROR_SUCCESS;
}
