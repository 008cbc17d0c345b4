// CNativeWiFi: the service's BSS lists converted into the worker's
// NDIS_802_11_BSSID_LIST_EX buffer (u32 NumberOfItems, then
// NDIS_WLAN_BSSID_EX records chained by their Length); each element area
// starts with the entry's fixed beacon fields.
#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "utilmere/Utilmere.h"
#include "worker/NativeWiFi.h"

namespace {

namespace ndis = wavorel::wire::ndis;
namespace bss = ndis::bssid;
namespace fixed = ndis::fixed;
namespace cfg = ndis::configuration;
using wavorel::wire::getU32;
using wavorel::wire::putU16;
using wavorel::wire::putU32;
using wavorel::wire::putU64;

constexpr size_t kListHeadSize = ndis::kListHeadSize;
constexpr size_t kHeadSize = bss::kHeadSize;
constexpr USHORT kBasicRateBit = 0x8000;

DWORD NetworkTypeInUse(DOT11_PHY_TYPE phy) {
  switch (phy) {
    case dot11_phy_type_ofdm: return ndis::kNetworkTypeOfdm5;
    case dot11_phy_type_hrdsss: return ndis::kNetworkTypeDs;
    case dot11_phy_type_erp: return ndis::kNetworkTypeOfdm24;
    default: return ndis::kNetworkTypeMax;
  }
}

DWORD InfrastructureMode(DOT11_BSS_TYPE type) {
  switch (type) {
    case dot11_BSS_type_infrastructure: return ndis::kInfrastructure;
    case dot11_BSS_type_independent: return ndis::kIbss;
    default: return ndis::kAutoUnknown;
  }
}

// Where the next record goes: behind the last one, found by walking the
// Length fields; kBssidScanListSize when a Length leads out of the buffer.
DWORD ListEnd(const BYTE* list) {
  DWORD end = kListHeadSize;
  const DWORD count = getU32(list + ndis::kListNumberOfItems);
  for (DWORD i = 0; i < count; ++i) {
    if (end + kHeadSize > kBssidScanListSize) return kBssidScanListSize;
    const DWORD length = getU32(list + end + bss::kLength);
    if (length < kHeadSize || length > kBssidScanListSize - end) return kBssidScanListSize;
    end += length;
  }
  return end;
}

}  // namespace

bool CNativeWiFi::ScanListHolds(const DOT11_MAC_ADDRESS bssid) const {
  const BYTE* list = m_scanList.get();
  const DWORD count = getU32(list + ndis::kListNumberOfItems);
  DWORD at = kListHeadSize;
  for (DWORD i = 0; i < count && at + kHeadSize <= kBssidScanListSize; ++i) {
    if (std::memcmp(list + at + bss::kMacAddress, bssid, 6) == 0) return true;
    at += getU32(list + at + bss::kLength);
  }
  return false;
}

void CNativeWiFi::AppendBssEntry(const WLAN_BSS_ENTRY& entry, const BYTE* ies, DWORD ieSize) {
  BYTE* list = m_scanList.get();
  const DWORD at = ListEnd(list);
  // The record with its fixed fields and elements must end inside the buffer.
  if (at > kBssidScanListSize - kHeadSize - fixed::kSize || ieSize > kBssidScanListSize - at - kHeadSize - fixed::kSize)
    return;
  const DWORD ieLength = static_cast<DWORD>(fixed::kSize) + ieSize;
  BYTE* record = list + at;
  std::memset(record, 0, kHeadSize + fixed::kSize);
  putU32(record + bss::kLength, static_cast<DWORD>(kHeadSize) + ieLength);
  std::memcpy(record + bss::kMacAddress, entry.dot11Bssid, 6);
  const DWORD ssidLength = entry.dot11Ssid.uSSIDLength < DOT11_SSID_MAX_LENGTH ? entry.dot11Ssid.uSSIDLength
                                                                               : DOT11_SSID_MAX_LENGTH;
  putU32(record + bss::kSsidLength, ssidLength);
  std::memcpy(record + bss::kSsid, entry.dot11Ssid.ucSSID, ssidLength);
  putU32(record + bss::kPrivacy, (entry.usCapabilityInformation & ndis::kCapabilityPrivacy) ? 1 : 0);
  putU32(record + bss::kRssi, static_cast<DWORD>(entry.lRssi));
  putU32(record + bss::kNetworkTypeInUse, NetworkTypeInUse(entry.dot11BssPhyType));
  putU32(record + bss::kConfiguration + cfg::kLength, cfg::kSize);
  putU32(record + bss::kConfiguration + cfg::kBeaconPeriod, entry.usBeaconPeriod);
  putU32(record + bss::kConfiguration + cfg::kDsConfig, entry.ulChCenterFrequency);
  putU32(record + bss::kInfrastructureMode, InfrastructureMode(entry.dot11BssType));
  const size_t rateCount = entry.wlanRateSet.uRateSetLength / sizeof(USHORT) < DOT11_RATE_SET_MAX_LENGTH
                               ? entry.wlanRateSet.uRateSetLength / sizeof(USHORT)
                               : DOT11_RATE_SET_MAX_LENGTH;
  size_t rates = 0;
  for (size_t i = 0; i < rateCount && rates < bss::kSupportedRatesSize; ++i) {
    const USHORT rate = static_cast<USHORT>(entry.wlanRateSet.usRateSet[i] & ~kBasicRateBit);
    if (rate) record[bss::kSupportedRates + rates++] = static_cast<BYTE>(rate);
  }
  putU32(record + bss::kIeLength, ieLength);
  BYTE* area = record + bss::kIes;
  putU64(area + fixed::kTimestamp, entry.ullTimestamp);
  putU16(area + fixed::kBeaconInterval, entry.usBeaconPeriod);
  putU16(area + fixed::kCapabilities, entry.usCapabilityInformation);
  if (ieSize) std::memcpy(area + fixed::kSize, ies, ieSize);
  putU32(list + ndis::kListNumberOfItems, getU32(list + ndis::kListNumberOfItems) + 1);
}

DWORD CNativeWiFi::FillScanList() {
  std::memset(m_scanList.get(), 0, kBssidScanListSize);
  const GUID* guid = &m_interfaceInfo.InterfaceGuid;
  PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
  DWORD result = WlanGetAvailableNetworkList(m_clientHandle, guid, 0, nullptr, &networks);
  if (result != ERROR_SUCCESS) {
    if (networks) WlanFreeMemory(networks);
    return result;
  }
  for (DWORD n = 0; networks && n < networks->dwNumberOfItems; ++n) {
    const WLAN_AVAILABLE_NETWORK& network = networks->Network[n];
    PWLAN_BSS_LIST bssList = nullptr;
    result = WlanGetNetworkBssList(m_clientHandle, guid, &network.dot11Ssid, network.dot11BssType,
                                   network.bSecurityEnabled, nullptr, &bssList);
    if (result == ERROR_SUCCESS && bssList) {
      const BYTE* base = reinterpret_cast<const BYTE*>(bssList);
      const size_t total = bssList->dwTotalSize;
      for (DWORD b = 0; b < bssList->dwNumberOfItems; ++b) {
        const WLAN_BSS_ENTRY& entry = bssList->wlanBssEntries[b];
        const size_t entryAt = reinterpret_cast<const BYTE*>(&entry) - base;
        if (entryAt + sizeof entry > total) break;
        if (ScanListHolds(entry.dot11Bssid)) continue;
        // Elements are cut to what the service's list really holds.
        const size_t ieAt = entryAt + entry.ulIeOffset;
        DWORD ieSize = 0;
        if (ieAt <= total) ieSize = entry.ulIeSize < total - ieAt ? entry.ulIeSize : static_cast<DWORD>(total - ieAt);
        if (ieSize != entry.ulIeSize)
          Log(GXLOG_WARNING, "BSS entry claims %lu IE bytes, %lu present", static_cast<unsigned long>(entry.ulIeSize),
              static_cast<unsigned long>(ieSize));
        AppendBssEntry(entry, base + (ieAt <= total ? ieAt : 0), ieSize);
      }
    }
    if (bssList) WlanFreeMemory(bssList);
  }
  if (networks) WlanFreeMemory(networks);
  return result;
}
