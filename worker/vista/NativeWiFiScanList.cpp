// CNativeWiFi: the service's BSS lists converted into the worker's
// NDIS_802_11_BSSID_LIST_EX buffer (u32 NumberOfItems, then
// NDIS_WLAN_BSSID_EX records chained by their Length).
#include <cstring>

#include "utilmere/Utilmere.h"
#include "worker/NativeWiFi.h"

namespace {

constexpr DWORD kListHeadSize = 4;
constexpr DWORD kRecordHeadSize = 116;
constexpr size_t kMaxRates = 16;
constexpr USHORT kBasicRateBit = 0x8000;
constexpr USHORT kPrivacyBit = 0x0010;

void PutU32(BYTE* at, DWORD value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<BYTE>(value >> (8 * i));
}

DWORD GetU32(const BYTE* at) {
  return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 8 | static_cast<DWORD>(at[2]) << 16 |
         static_cast<DWORD>(at[3]) << 24;
}

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
  const DWORD count = GetU32(list);
  for (DWORD i = 0; i < count; ++i) {
    if (end + kRecordHeadSize > kBssidScanListSize) return kBssidScanListSize;
    const DWORD length = GetU32(list + end);
    if (length < kRecordHeadSize || length > kBssidScanListSize - end) return kBssidScanListSize;
    end += length;
  }
  return end;
}

}  // namespace

bool CNativeWiFi::ScanListHolds(const DOT11_MAC_ADDRESS bssid) const {
  const BYTE* list = m_scanList.get();
  const DWORD count = GetU32(list);
  DWORD at = kListHeadSize;
  for (DWORD i = 0; i < count && at + kRecordHeadSize <= kBssidScanListSize; ++i) {
    if (std::memcmp(list + at + 4, bssid, 6) == 0) return true;
    at += GetU32(list + at);
  }
  return false;
}

void CNativeWiFi::AppendBssEntry(const WLAN_BSS_ENTRY& entry, const BYTE* ies, DWORD ieSize) {
  BYTE* list = m_scanList.get();
  const DWORD at = ListEnd(list);
  if (at + kRecordHeadSize > kBssidScanListSize || ieSize > kBssidScanListSize - at - kRecordHeadSize) return;
  BYTE* record = list + at;
  std::memset(record, 0, kRecordHeadSize);
  PutU32(record, kRecordHeadSize + ieSize);
  std::memcpy(record + 4, entry.dot11Bssid, 6);
  const DWORD ssidLength = entry.dot11Ssid.uSSIDLength < DOT11_SSID_MAX_LENGTH ? entry.dot11Ssid.uSSIDLength
                                                                               : DOT11_SSID_MAX_LENGTH;
  PutU32(record + 12, ssidLength);
  std::memcpy(record + 16, entry.dot11Ssid.ucSSID, ssidLength);
  PutU32(record + 48, (entry.usCapabilityInformation & kPrivacyBit) ? 1 : 0);
  PutU32(record + 52, static_cast<DWORD>(entry.lRssi));
  PutU32(record + 56, NetworkTypeInUse(entry.dot11BssPhyType));
  PutU32(record + 64, entry.usBeaconPeriod);
  PutU32(record + 72, entry.ulChCenterFrequency);
  PutU32(record + 92, InfrastructureMode(entry.dot11BssType));
  const size_t rateCount = entry.wlanRateSet.uRateSetLength / sizeof(USHORT) < DOT11_RATE_SET_MAX_LENGTH
                               ? entry.wlanRateSet.uRateSetLength / sizeof(USHORT)
                               : DOT11_RATE_SET_MAX_LENGTH;
  size_t rates = 0;
  for (size_t i = 0; i < rateCount && rates < kMaxRates; ++i) {
    const USHORT rate = static_cast<USHORT>(entry.wlanRateSet.usRateSet[i] & ~kBasicRateBit);
    if (rate) record[96 + rates++] = static_cast<BYTE>(rate);
  }
  PutU32(record + 112, ieSize);
  if (ieSize) std::memcpy(record + kRecordHeadSize, ies, ieSize);
  PutU32(list, GetU32(list) + 1);
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
