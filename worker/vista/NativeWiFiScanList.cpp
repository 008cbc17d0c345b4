// CNativeWiFi: the service's BSS lists converted into the worker's
// NDIS_802_11_BSSID_LIST_EX buffer (u32 NumberOfItems, then
// NDIS_WLAN_BSSID_EX records chained by their Length); each element area
// starts with the entry's fixed beacon fields.
#include <cstring>

#include "utilmere/Utilmere.h"
#include "worker/LeBytes.h"
#include "worker/NativeWiFi.h"
#include "worker/NdisBssid.h"

namespace {

using namespace ndis_bssid;

constexpr size_t kMaxRates = kSupportedRatesSize;
constexpr USHORT kBasicRateBit = 0x8000;
constexpr USHORT kPrivacyBit = 0x0010;

DWORD NetworkTypeInUse(DOT11_PHY_TYPE phy) {
  switch (phy) {
    case dot11_phy_type_ofdm: return 2;
    case dot11_phy_type_hrdsss: return 1;
    case dot11_phy_type_erp: return 3;
    default: return 5;
  }
}

DWORD InfrastructureMode(DOT11_BSS_TYPE type) {
  switch (type) {
    case dot11_BSS_type_infrastructure: return 1;
    case dot11_BSS_type_independent: return 0;
    default: return 2;
  }
}

// Where the next record goes: behind the last one, found by walking the
// Length fields; kBssidScanListSize when a Length leads out of the buffer.
DWORD ListEnd(const BYTE* list) {
  DWORD end = kListHeadSize;
  const DWORD count = GetLeU32(list + kListCount);
  for (DWORD i = 0; i < count; ++i) {
    if (end + kHeadSize > kBssidScanListSize) return kBssidScanListSize;
    const DWORD length = GetLeU32(list + end + kLength);
    if (length < kHeadSize || length > kBssidScanListSize - end) return kBssidScanListSize;
    end += length;
  }
  return end;
}

}  // namespace

bool CNativeWiFi::ScanListHolds(const DOT11_MAC_ADDRESS bssid) const {
  const BYTE* list = m_scanList.get();
  const DWORD count = GetLeU32(list + kListCount);
  DWORD at = kListHeadSize;
  for (DWORD i = 0; i < count && at + kHeadSize <= kBssidScanListSize; ++i) {
    if (std::memcmp(list + at + kMacAddress, bssid, 6) == 0) return true;
    at += GetLeU32(list + at + kLength);
  }
  return false;
}

void CNativeWiFi::AppendBssEntry(const WLAN_BSS_ENTRY& entry, const BYTE* ies, DWORD ieSize) {
  BYTE* list = m_scanList.get();
  const DWORD at = ListEnd(list);
  // The record with its fixed fields and elements must end inside the buffer.
  if (at > kBssidScanListSize - kHeadSize - kFixedSize || ieSize > kBssidScanListSize - at - kHeadSize - kFixedSize)
    return;
  const DWORD ieLength = kFixedSize + ieSize;
  BYTE* record = list + at;
  std::memset(record, 0, kHeadSize + kFixedSize);
  PutLeU32(record + kLength, kHeadSize + ieLength);
  std::memcpy(record + kMacAddress, entry.dot11Bssid, 6);
  const DWORD ssidLength = entry.dot11Ssid.uSSIDLength < DOT11_SSID_MAX_LENGTH ? entry.dot11Ssid.uSSIDLength
                                                                               : DOT11_SSID_MAX_LENGTH;
  PutLeU32(record + kSsidLength, ssidLength);
  std::memcpy(record + kSsid, entry.dot11Ssid.ucSSID, ssidLength);
  PutLeU32(record + kPrivacy, (entry.usCapabilityInformation & kPrivacyBit) ? 1 : 0);
  PutLeU32(record + kRssi, static_cast<DWORD>(entry.lRssi));
  PutLeU32(record + kNetworkTypeInUse, NetworkTypeInUse(entry.dot11BssPhyType));
  PutLeU32(record + kBeaconPeriod, entry.usBeaconPeriod);
  PutLeU32(record + kDsConfig, entry.ulChCenterFrequency);
  PutLeU32(record + kInfrastructureMode, InfrastructureMode(entry.dot11BssType));
  const size_t rateCount = entry.wlanRateSet.uRateSetLength / sizeof(USHORT) < DOT11_RATE_SET_MAX_LENGTH
                               ? entry.wlanRateSet.uRateSetLength / sizeof(USHORT)
                               : DOT11_RATE_SET_MAX_LENGTH;
  size_t rates = 0;
  for (size_t i = 0; i < rateCount && rates < kMaxRates; ++i) {
    const USHORT rate = static_cast<USHORT>(entry.wlanRateSet.usRateSet[i] & ~kBasicRateBit);
    if (rate) record[kSupportedRates + rates++] = static_cast<BYTE>(rate);
  }
  PutLeU32(record + kIeLength, ieLength);
  BYTE* area = record + kIes;
  PutLeU64(area + kFixedTimestamp, entry.ullTimestamp);
  PutLeU16(area + kFixedBeaconInterval, entry.usBeaconPeriod);
  PutLeU16(area + kFixedCapability, entry.usCapabilityInformation);
  if (ieSize) std::memcpy(area + kFixedSize, ies, ieSize);
  PutLeU32(list + kListCount, GetLeU32(list + kListCount) + 1);
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
