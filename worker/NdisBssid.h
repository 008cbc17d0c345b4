// The byte layout of the worker's BSS lists: an NDIS_802_11_BSSID_LIST_EX
// (u32 NumberOfItems, then NDIS_WLAN_BSSID_EX records chained by their u32
// Length). A record's element area begins with the 12 fixed beacon fields
// (timestamp 8, beacon interval 2, capability information 2), counted in its
// IELength; the information elements follow. Records need not be aligned:
// read them with LeBytes.h.
#pragma once

#include "platform/Platform.h"

namespace ndis_bssid {

constexpr DWORD kListCount = 0;          // NumberOfItems
constexpr DWORD kListHeadSize = 4;

constexpr DWORD kLength = 0;
constexpr DWORD kMacAddress = 4;
constexpr DWORD kSsidLength = 12;
constexpr DWORD kSsid = 16;
constexpr DWORD kPrivacy = 48;
constexpr DWORD kRssi = 52;
constexpr DWORD kNetworkTypeInUse = 56;
constexpr DWORD kConfigurationLength = 60;
constexpr DWORD kBeaconPeriod = 64;
constexpr DWORD kAtimWindow = 68;
constexpr DWORD kDsConfig = 72;
constexpr DWORD kInfrastructureMode = 92;
constexpr DWORD kSupportedRates = 96;
constexpr DWORD kSupportedRatesSize = 16;
constexpr DWORD kIeLength = 112;
constexpr DWORD kIes = 116;
constexpr DWORD kHeadSize = 116;         // the record without its element area

// The fixed fields at the front of the element area.
constexpr DWORD kFixedTimestamp = 0;
constexpr DWORD kFixedBeaconInterval = 8;
constexpr DWORD kFixedCapability = 10;
constexpr DWORD kFixedSize = 12;

}  // namespace ndis_bssid
