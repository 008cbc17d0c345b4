// The wlanapi functions: argument checks, then the service and the adapter
// model under the machine lock; lists are built in memory of the service.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/sim/driver/BssRecord.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NativeWifiRecords.h"
#include "platform/sim/services/GuidText.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/NativeWifiService.h"
#include "platform/win/services/Wlan.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/WideText.h"

using wavorel::sim::Adapter;
using wavorel::sim::NativeWifiService;
using wavorel::sim::WlanProfile;
using wavorel::sim::WorldNetwork;

namespace {

std::recursive_mutex& lockOf() { return wavorel::sim::machineMutex(); }

void copyWide(WCHAR* out, size_t capacity, const std::string& text) {
  std::u16string wide = wavorel::utf8ToUtf16(text);
  size_t n = std::min(wide.size(), capacity - 1);
  std::copy(wide.begin(), wide.begin() + static_cast<std::ptrdiff_t>(n), out);
  out[n] = 0;
}

void setSsid(DOT11_SSID& out, const std::string& ssid) {
  out.uSSIDLength = static_cast<ULONG>(std::min<size_t>(ssid.size(), DOT11_SSID_MAX_LENGTH));
  std::memcpy(out.ucSSID, ssid.data(), out.uSSIDLength);
}

std::string ssidOf(const DOT11_SSID& s) {
  return std::string(reinterpret_cast<const char*>(s.ucSSID), std::min<size_t>(s.uSSIDLength, DOT11_SSID_MAX_LENGTH));
}

// The SSID a scan shows for a network (hidden ones show none).
std::string seenSsid(const WorldNetwork& n) { return n.hidden ? std::string() : n.ssid; }

DOT11_PHY_TYPE phyOf(const WorldNetwork& n) { return n.band5() ? dot11_phy_type_ofdm : dot11_phy_type_erp; }

DOT11_AUTH_ALGORITHM authOf(const WorldNetwork& n) {
  switch (n.security) {
    case wavorel::sim::Security::WpaPsk: return n.adhoc ? DOT11_AUTH_ALGO_WPA_NONE : DOT11_AUTH_ALGO_WPA_PSK;
    case wavorel::sim::Security::Wpa2Psk: return DOT11_AUTH_ALGO_RSNA_PSK;
    case wavorel::sim::Security::Wpa2Enterprise: return DOT11_AUTH_ALGO_RSNA;
    case wavorel::sim::Security::WpaEnterprise: return DOT11_AUTH_ALGO_WPA;
    default: return DOT11_AUTH_ALGO_80211_OPEN;
  }
}

DOT11_CIPHER_ALGORITHM cipherOf(const WorldNetwork& n) {
  if (n.security == wavorel::sim::Security::Open) return DOT11_CIPHER_ALGO_NONE;
  if (n.security == wavorel::sim::Security::Wep || n.security == wavorel::sim::Security::WepEnterprise)
    return DOT11_CIPHER_ALGO_WEP;
  return (n.ciphers & wavorel::sim::kCipherCcmp) ? DOT11_CIPHER_ALGO_CCMP : DOT11_CIPHER_ALGO_TKIP;
}

template <class T>
T* allocate(size_t size) {
  return static_cast<T*>(NativeWifiService::instance().allocate(size));
}

// Common checks of a call on one interface: the handle, the GUID and the adapter.
DWORD resolve(HANDLE client, const GUID* guid, PVOID reserved, Adapter*& adapter) {
  auto& s = NativeWifiService::instance();
  if (!client || !guid || reserved) return ERROR_INVALID_PARAMETER;
  if (!s.valid(client)) return ERROR_INVALID_HANDLE;
  adapter = s.interfaceAdapter(*guid);
  return adapter ? ERROR_SUCCESS : ERROR_NOT_FOUND;
}

DWORD hand(void* data, DWORD size, PDWORD sizeOut, PVOID* out) {
  if (sizeOut) *sizeOut = size;
  *out = data;
  return ERROR_SUCCESS;
}

std::vector<DOT11_PHY_TYPE> phyTypes(const Adapter& a) {
  std::vector<DOT11_PHY_TYPE> phys = {dot11_phy_type_hrdsss, dot11_phy_type_erp};
  if (a.config().band5) phys.push_back(dot11_phy_type_ofdm);
  return phys;
}

}  // namespace

DWORD WlanOpenHandle(DWORD dwClientVersion, PVOID pReserved, PDWORD pdwNegotiatedVersion, PHANDLE phClientHandle) {
  if (pReserved || !pdwNegotiatedVersion || !phClientHandle || dwClientVersion == 0) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  if (!wavorel::sim::machineIfLoaded()) return ERROR_SERVICE_NOT_ACTIVE;
  *pdwNegotiatedVersion = std::min<DWORD>(dwClientVersion, 2);
  *phClientHandle = NativeWifiService::instance().open(*pdwNegotiatedVersion);
  return ERROR_SUCCESS;
}

DWORD WlanCloseHandle(HANDLE hClientHandle, PVOID pReserved) {
  if (!hClientHandle || pReserved) return ERROR_INVALID_PARAMETER;
  {
    std::lock_guard<std::recursive_mutex> lock(lockOf());
    if (!NativeWifiService::instance().close(hClientHandle)) return ERROR_INVALID_HANDLE;
  }
  NativeWifiService::instance().quiesce(hClientHandle);
  return ERROR_SUCCESS;
}

DWORD WlanEnumInterfaces(HANDLE hClientHandle, PVOID pReserved, PWLAN_INTERFACE_INFO_LIST* ppInterfaceList) {
  if (!hClientHandle || pReserved || !ppInterfaceList) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  auto& s = NativeWifiService::instance();
  if (!s.valid(hClientHandle)) return ERROR_INVALID_HANDLE;
  wavorel::sim::checkLinks();
  wavorel::sim::Machine& m = wavorel::sim::machine();
  std::vector<Adapter*> present;
  for (size_t i = 0; i < m.adapterCount(); ++i)
    if (m.adapter(i).present()) present.push_back(&m.adapter(i));
  size_t size = offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) +
                std::max<size_t>(present.size(), 1) * sizeof(WLAN_INTERFACE_INFO);
  auto* list = allocate<WLAN_INTERFACE_INFO_LIST>(size);
  list->dwNumberOfItems = static_cast<DWORD>(present.size());
  for (size_t i = 0; i < present.size(); ++i) {
    WLAN_INTERFACE_INFO& info = list->InterfaceInfo[i];
    wavorel::sim::parseGuidText(present[i]->guid(), info.InterfaceGuid);
    copyWide(info.strInterfaceDescription, WLAN_MAX_NAME_LENGTH, NativeWifiService::description(*present[i]));
    info.isState = NativeWifiService::interfaceState(*present[i]);
  }
  *ppInterfaceList = list;
  return ERROR_SUCCESS;
}

DWORD WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode, PVOID pReserved,
                         PDWORD pdwDataSize, PVOID* ppData, WLAN_OPCODE_VALUE_TYPE* pWlanOpcodeValueType) {
  if (!pdwDataSize || !ppData) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  if (pWlanOpcodeValueType) *pWlanOpcodeValueType = wlan_opcode_value_type_query_only;
  const WorldNetwork* n = a->network();
  switch (OpCode) {
    case wlan_intf_opcode_interface_state: {
      auto* v = allocate<WLAN_INTERFACE_STATE>(sizeof(WLAN_INTERFACE_STATE));
      *v = NativeWifiService::interfaceState(*a);
      return hand(v, sizeof *v, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_bss_type: {
      auto* v = allocate<DOT11_BSS_TYPE>(sizeof(DOT11_BSS_TYPE));
      *v = a->infrastructureMode == 1   ? dot11_BSS_type_infrastructure
           : a->infrastructureMode == 0 ? dot11_BSS_type_independent
                                        : dot11_BSS_type_any;
      if (pWlanOpcodeValueType) *pWlanOpcodeValueType = wlan_opcode_value_type_set_by_user;
      return hand(v, sizeof *v, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_radio_state: {
      auto* v = allocate<WLAN_RADIO_STATE>(sizeof(WLAN_RADIO_STATE));
      std::vector<DOT11_PHY_TYPE> phys = phyTypes(*a);
      v->dwNumberOfPhys = static_cast<DWORD>(phys.size());
      for (size_t i = 0; i < phys.size(); ++i)
        v->PhyRadioState[i] = {static_cast<DWORD>(i), a->radioOn() ? dot11_radio_state_on : dot11_radio_state_off,
                               a->hardwareRadioOn() ? dot11_radio_state_on : dot11_radio_state_off};
      if (pWlanOpcodeValueType) *pWlanOpcodeValueType = wlan_opcode_value_type_set_by_user;
      return hand(v, sizeof *v, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_current_connection: {
      if (!n) return ERROR_INVALID_STATE;
      auto& s = NativeWifiService::instance();
      auto* v = allocate<WLAN_CONNECTION_ATTRIBUTES>(sizeof(WLAN_CONNECTION_ATTRIBUTES));
      v->isState = wlan_interface_state_connected;
      v->wlanConnectionMode = s.connectionMode(a->guid());
      copyWide(v->strProfileName, WLAN_MAX_NAME_LENGTH, s.connectionProfile(a->guid()));
      WLAN_ASSOCIATION_ATTRIBUTES& as = v->wlanAssociationAttributes;
      setSsid(as.dot11Ssid, n->ssid);
      if (s.reportedSsidLength()) as.dot11Ssid.uSSIDLength = *s.reportedSsidLength();
      as.dot11BssType = n->adhoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
      std::copy(n->bssid.begin(), n->bssid.end(), as.dot11Bssid);
      as.dot11PhyType = phyOf(*n);
      as.wlanSignalQuality = wavorel::sim::signalQuality(a->signalOf(*n));
      as.ulRxRate = as.ulTxRate = a->txRateUnits() * 500;  // kb/s
      WLAN_SECURITY_ATTRIBUTES& sec = v->wlanSecurityAttributes;
      sec.bSecurityEnabled = n->security != wavorel::sim::Security::Open;
      sec.bOneXEnabled = n->security == wavorel::sim::Security::Wpa2Enterprise ||
                         n->security == wavorel::sim::Security::WpaEnterprise ||
                         n->security == wavorel::sim::Security::WepEnterprise;
      sec.dot11AuthAlgorithm = a->authMode == wavorel::sim::kAuthShared ? DOT11_AUTH_ALGO_80211_SHARED_KEY : authOf(*n);
      sec.dot11CipherAlgorithm = cipherOf(*n);
      return hand(v, sizeof *v, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_channel_number: {
      if (!n) return ERROR_INVALID_STATE;
      auto* v = allocate<ULONG>(sizeof(ULONG));
      *v = static_cast<ULONG>(n->channel);
      return hand(v, sizeof *v, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_rssi: {
      if (!n) return ERROR_INVALID_STATE;
      auto* v = allocate<LONG>(sizeof(LONG));
      *v = a->rssiDbm(0);
      return hand(v, sizeof *v, pdwDataSize, ppData);
    }
    case wlan_intf_opcode_supported_infrastructure_auth_cipher_pairs:
    case wlan_intf_opcode_supported_adhoc_auth_cipher_pairs: {
      std::vector<DOT11_AUTH_CIPHER_PAIR> pairs = {
          {DOT11_AUTH_ALGO_80211_OPEN, DOT11_CIPHER_ALGO_NONE}, {DOT11_AUTH_ALGO_80211_OPEN, DOT11_CIPHER_ALGO_WEP},
          {DOT11_AUTH_ALGO_80211_SHARED_KEY, DOT11_CIPHER_ALGO_WEP}};
      if (OpCode == wlan_intf_opcode_supported_infrastructure_auth_cipher_pairs) {
        for (auto auth : {DOT11_AUTH_ALGO_WPA, DOT11_AUTH_ALGO_WPA_PSK, DOT11_AUTH_ALGO_RSNA, DOT11_AUTH_ALGO_RSNA_PSK})
          for (auto cipher : {DOT11_CIPHER_ALGO_TKIP, DOT11_CIPHER_ALGO_CCMP}) pairs.push_back({auth, cipher});
      } else {
        pairs.push_back({DOT11_AUTH_ALGO_WPA_NONE, DOT11_CIPHER_ALGO_TKIP});
        if (a->config().ht) pairs.push_back({DOT11_AUTH_ALGO_RSNA_PSK, DOT11_CIPHER_ALGO_CCMP});
      }
      size_t size = offsetof(WLAN_AUTH_CIPHER_PAIR_LIST, pAuthCipherPairList) + pairs.size() * sizeof pairs[0];
      auto* v = allocate<WLAN_AUTH_CIPHER_PAIR_LIST>(size);
      v->dwNumberOfItems = static_cast<DWORD>(pairs.size());
      std::copy(pairs.begin(), pairs.end(), v->pAuthCipherPairList);
      return hand(v, static_cast<DWORD>(size), pdwDataSize, ppData);
    }
    default:
      return ERROR_NOT_SUPPORTED;
  }
}

DWORD WlanSetInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode, DWORD dwDataSize,
                       const PVOID pData, PVOID pReserved) {
  if (!pData) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  const auto* bytes = static_cast<const uint8_t*>(pData);
  if (OpCode == wlan_intf_opcode_radio_state) {
    if (dwDataSize < sizeof(WLAN_PHY_RADIO_STATE)) return ERROR_INVALID_PARAMETER;
    uint32_t soft = wavorel::wire::getU32(bytes + wavorel::wire::wlan::radiostate::kSoftwareState);
    if (soft != dot11_radio_state_on && soft != dot11_radio_state_off) return ERROR_INVALID_PARAMETER;
    a->setRadio(soft == dot11_radio_state_on);
    wavorel::sim::checkLinks();
    return ERROR_SUCCESS;
  }
  if (OpCode == wlan_intf_opcode_bss_type) {
    if (dwDataSize < 4) return ERROR_INVALID_PARAMETER;
    uint32_t type = wavorel::wire::getU32(bytes);
    if (type < dot11_BSS_type_infrastructure || type > dot11_BSS_type_any) return ERROR_INVALID_PARAMETER;
    a->infrastructureMode = type == dot11_BSS_type_infrastructure ? 1 : type == dot11_BSS_type_independent ? 0 : 2;
    return ERROR_SUCCESS;
  }
  return ERROR_NOT_SUPPORTED;
}

DWORD WlanGetInterfaceCapability(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                                 PWLAN_INTERFACE_CAPABILITY* ppCapability) {
  if (!ppCapability) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  auto* c = allocate<WLAN_INTERFACE_CAPABILITY>(sizeof(WLAN_INTERFACE_CAPABILITY));
  c->interfaceType = wlan_interface_type_native_802_11;
  c->bDot11DSupported = FALSE;
  c->dwMaxDesiredSsidListSize = 1;
  c->dwMaxDesiredBssidListSize = 1;
  std::vector<DOT11_PHY_TYPE> phys = phyTypes(*a);
  c->dwNumberOfSupportedPhys = static_cast<DWORD>(phys.size());
  std::copy(phys.begin(), phys.end(), c->dot11PhyTypes);
  *ppCapability = c;
  return ERROR_SUCCESS;
}

DWORD WlanScan(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* /*pDot11Ssid*/,
               const void* /*pIeData*/, PVOID pReserved) {
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  NativeWifiService::instance().scan(*a);
  return ERROR_SUCCESS;
}

DWORD WlanGetAvailableNetworkList(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD /*dwFlags*/,
                                  PVOID pReserved, PWLAN_AVAILABLE_NETWORK_LIST* ppAvailableNetworkList) {
  if (!ppAvailableNetworkList) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  auto& store = NativeWifiService::instance().store(a->guid());
  const WorldNetwork* linked = a->network();
  // One entry per SSID, BSS type and security as seen, with the strongest signal.
  std::vector<WLAN_AVAILABLE_NETWORK> nets;
  for (const auto& e : a->scanResults()) {
    const WorldNetwork& n = *e.network;
    auto same = std::find_if(nets.begin(), nets.end(), [&](const WLAN_AVAILABLE_NETWORK& x) {
      return ssidOf(x.dot11Ssid) == seenSsid(n) &&
             x.dot11BssType == (n.adhoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure) &&
             x.dot11DefaultAuthAlgorithm == authOf(n) && x.dot11DefaultCipherAlgorithm == cipherOf(n);
    });
    ULONG quality = wavorel::sim::signalQuality(e.rssiDbm);
    if (same != nets.end()) {
      same->uNumberOfBssids++;
      same->wlanSignalQuality = std::max(same->wlanSignalQuality, quality);
      continue;
    }
    WLAN_AVAILABLE_NETWORK x{};
    setSsid(x.dot11Ssid, seenSsid(n));
    x.dot11BssType = n.adhoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
    x.uNumberOfBssids = 1;
    x.bNetworkConnectable = TRUE;
    x.uNumberOfPhyTypes = 1;
    x.dot11PhyTypes[0] = phyOf(n);
    x.wlanSignalQuality = quality;
    x.bSecurityEnabled = n.security != wavorel::sim::Security::Open;
    x.dot11DefaultAuthAlgorithm = authOf(n);
    x.dot11DefaultCipherAlgorithm = cipherOf(n);
    if (!n.hidden) {
      if (const auto* p = store.findBySsid(n.ssid)) {
        copyWide(x.strProfileName, WLAN_MAX_NAME_LENGTH, p->profile.name);
        x.dwFlags |= WLAN_AVAILABLE_NETWORK_HAS_PROFILE;
      }
    }
    if (linked && linked->ssid == n.ssid && !n.hidden) x.dwFlags |= WLAN_AVAILABLE_NETWORK_CONNECTED;
    nets.push_back(x);
  }
  size_t size = offsetof(WLAN_AVAILABLE_NETWORK_LIST, Network) + std::max<size_t>(nets.size(), 1) * sizeof nets[0];
  auto* list = allocate<WLAN_AVAILABLE_NETWORK_LIST>(size);
  list->dwNumberOfItems = static_cast<DWORD>(nets.size());
  std::copy(nets.begin(), nets.end(), list->Network);
  *ppAvailableNetworkList = list;
  return ERROR_SUCCESS;
}

DWORD WlanGetNetworkBssList(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* pDot11Ssid,
                            DOT11_BSS_TYPE dot11BssType, BOOL bSecurityEnabled, PVOID pReserved,
                            PWLAN_BSS_LIST* ppWlanBssList) {
  if (!ppWlanBssList || (pDot11Ssid && dot11BssType != dot11_BSS_type_infrastructure &&
                         dot11BssType != dot11_BSS_type_independent))
    return ERROR_INVALID_PARAMETER;
  if (dot11BssType < dot11_BSS_type_infrastructure || dot11BssType > dot11_BSS_type_any) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::recursive_mutex> lock(lockOf());
  Adapter* a = nullptr;
  if (DWORD e = resolve(hClientHandle, pInterfaceGuid, pReserved, a)) return e;
  std::vector<wavorel::sim::ScanEntry> chosen;
  for (const auto& e : a->scanResults()) {
    const WorldNetwork& n = *e.network;
    DOT11_BSS_TYPE type = n.adhoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
    if (dot11BssType != dot11_BSS_type_any && type != dot11BssType) continue;
    if (pDot11Ssid && (ssidOf(*pDot11Ssid) != seenSsid(n) ||
                       (bSecurityEnabled != 0) != (n.security != wavorel::sim::Security::Open)))
      continue;
    chosen.push_back(e);
  }
  std::vector<std::vector<uint8_t>> elements;
  size_t head = offsetof(WLAN_BSS_LIST, wlanBssEntries) + chosen.size() * sizeof(WLAN_BSS_ENTRY);
  size_t size = head;
  for (const auto& e : chosen) {
    elements.push_back(wavorel::sim::informationElements(*e.network));
    size += (elements.back().size() + 7) & ~size_t{7};
  }
  size = std::max(size, sizeof(WLAN_BSS_LIST));
  auto* list = allocate<WLAN_BSS_LIST>(size);
  list->dwTotalSize = static_cast<DWORD>(size);
  list->dwNumberOfItems = static_cast<DWORD>(chosen.size());
  auto* base = reinterpret_cast<uint8_t*>(list);
  size_t blob = head;
  for (size_t i = 0; i < chosen.size(); ++i) {
    const WorldNetwork& n = *chosen[i].network;
    WLAN_BSS_ENTRY& b = list->wlanBssEntries[i];
    setSsid(b.dot11Ssid, seenSsid(n));
    std::copy(n.bssid.begin(), n.bssid.end(), b.dot11Bssid);
    b.dot11BssType = n.adhoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
    b.dot11BssPhyType = phyOf(n);
    b.lRssi = chosen[i].rssiDbm;
    b.uLinkQuality = wavorel::sim::signalQuality(chosen[i].rssiDbm);
    b.bInRegDomain = 1;
    b.usBeaconPeriod = static_cast<USHORT>(n.beaconPeriod);
    b.ullTimestamp = wavorel::sim::beaconTimestamp(chosen[i].heardAtMs);
    b.ullHostTimestamp = static_cast<ULONGLONG>(wavorel::clock().utcFileTime());
    b.usCapabilityInformation = wavorel::sim::capabilityInformation(n);
    b.ulChCenterFrequency = wavorel::sim::channelFrequencyKhz(n.channel);
    // Rates from the supported and extended rate elements; 0x80 marks a basic rate.
    const std::vector<uint8_t>& ies = elements[i];
    size_t count = 0;
    for (size_t p = 0; p + 2 <= ies.size() && p + 2 + ies[p + 1] <= ies.size(); p += 2 + ies[p + 1]) {
      if (ies[p] != 1 && ies[p] != 50) continue;
      for (size_t r = 0; r < ies[p + 1] && count < DOT11_RATE_SET_MAX_LENGTH; ++r) {
        uint8_t rate = ies[p + 2 + r];
        b.wlanRateSet.usRateSet[count++] = static_cast<USHORT>((rate & 0x7F) | ((rate & 0x80) ? 0x8000 : 0));
      }
    }
    b.wlanRateSet.uRateSetLength = static_cast<ULONG>(count * 2);
    size_t at = offsetof(WLAN_BSS_LIST, wlanBssEntries) + i * sizeof(WLAN_BSS_ENTRY);
    b.ulIeOffset = static_cast<ULONG>(blob - at);
    b.ulIeSize = static_cast<ULONG>(ies.size());
    std::copy(ies.begin(), ies.end(), base + blob);
    blob += (ies.size() + 7) & ~size_t{7};
  }
  *ppWlanBssList = list;
  return ERROR_SUCCESS;
}
