// Records of the Native Wi-Fi service that cross between the service and its
// clients as bytes: the notification data blocks, the one-entry
// DOT11_BSSID_LIST that a desired-BSSID request carries, and the documented
// layouts of the structures wlanapi hands out (platform/win/services/Wlan.h),
// pinned here with their sizes and offsets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win/services/Wlan.h"

namespace wavorel::wire::wlan {

// DOT11_BSSID_LIST with one BSSID: NDIS object header {type, revision, u16
// size}, u32 entries, u32 total entries, the BSSID, two bytes of padding.
namespace bssidlist {
constexpr size_t kHeaderType = 0;
constexpr size_t kHeaderRevision = 1;
constexpr size_t kHeaderSize = 2;
constexpr size_t kNumOfEntries = 4;
constexpr size_t kTotalNumOfEntries = 8;
constexpr size_t kBssids = 12;
constexpr size_t kOneEntrySize = 20;
}  // namespace bssidlist

// WLAN_CONNECTION_NOTIFICATION_DATA (without a profile document) and
// WLAN_MSM_NOTIFICATION_DATA share their first fields.
namespace notification {
constexpr size_t kConnectionMode = 0;
constexpr size_t kProfileName = 4;  // WLAN_MAX_NAME_LENGTH UTF-16 units
constexpr size_t kSsid = 516;       // DOT11_SSID: u32 length, 32 bytes
constexpr size_t kBssType = 552;
// WLAN_CONNECTION_NOTIFICATION_DATA
constexpr size_t kConnectionSecurityEnabled = 556;
constexpr size_t kConnectionReasonCode = 560;
constexpr size_t kConnectionFlags = 564;
constexpr size_t kConnectionProfileXml = 568;
constexpr size_t kConnectionSize = 572;  // with an empty document
// WLAN_MSM_NOTIFICATION_DATA
constexpr size_t kMsmMacAddress = 556;
constexpr size_t kMsmSecurityEnabled = 564;
constexpr size_t kMsmFirstPeer = 568;
constexpr size_t kMsmLastPeer = 572;
constexpr size_t kMsmReasonCode = 576;
constexpr size_t kMsmSize = 580;
}  // namespace notification

// WLAN_PHY_RADIO_STATE, the data of the radio state notification.
namespace radiostate {
constexpr size_t kPhyIndex = 0;
constexpr size_t kSoftwareState = 4;
constexpr size_t kHardwareState = 8;
constexpr size_t kSize = 12;
}  // namespace radiostate

static_assert(offsetof(DOT11_BSSID_LIST, uNumOfEntries) == bssidlist::kNumOfEntries);
static_assert(offsetof(DOT11_BSSID_LIST, uTotalNumOfEntries) == bssidlist::kTotalNumOfEntries);
static_assert(offsetof(DOT11_BSSID_LIST, BSSIDs) == bssidlist::kBssids);
static_assert(sizeof(DOT11_BSSID_LIST) == bssidlist::kOneEntrySize);

static_assert(offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, strProfileName) == notification::kProfileName);
static_assert(offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, dot11Ssid) == notification::kSsid);
static_assert(offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, dot11BssType) == notification::kBssType);
static_assert(offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, bSecurityEnabled) ==
              notification::kConnectionSecurityEnabled);
static_assert(offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, wlanReasonCode) == notification::kConnectionReasonCode);
static_assert(offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, dwFlags) == notification::kConnectionFlags);
static_assert(offsetof(WLAN_CONNECTION_NOTIFICATION_DATA, strProfileXml) == notification::kConnectionProfileXml);
static_assert(offsetof(WLAN_MSM_NOTIFICATION_DATA, dot11Ssid) == notification::kSsid);
static_assert(offsetof(WLAN_MSM_NOTIFICATION_DATA, dot11MacAddr) == notification::kMsmMacAddress);
static_assert(offsetof(WLAN_MSM_NOTIFICATION_DATA, bSecurityEnabled) == notification::kMsmSecurityEnabled);
static_assert(offsetof(WLAN_MSM_NOTIFICATION_DATA, bFirstPeer) == notification::kMsmFirstPeer);
static_assert(offsetof(WLAN_MSM_NOTIFICATION_DATA, bLastPeer) == notification::kMsmLastPeer);
static_assert(offsetof(WLAN_MSM_NOTIFICATION_DATA, wlanReasonCode) == notification::kMsmReasonCode);
static_assert(sizeof(WLAN_MSM_NOTIFICATION_DATA) == notification::kMsmSize);
static_assert(offsetof(WLAN_PHY_RADIO_STATE, dot11SoftwareRadioState) == radiostate::kSoftwareState);
static_assert(offsetof(WLAN_PHY_RADIO_STATE, dot11HardwareRadioState) == radiostate::kHardwareState);
static_assert(sizeof(WLAN_PHY_RADIO_STATE) == radiostate::kSize);

// The structures handed out by wlanapi.
static_assert(sizeof(WLAN_INTERFACE_INFO) == 532);
static_assert(sizeof(WLAN_AVAILABLE_NETWORK) == 628);
static_assert(sizeof(WLAN_CONNECTION_ATTRIBUTES) == 604);
static_assert(sizeof(WLAN_RADIO_STATE) == 772);
static_assert(offsetof(WLAN_BSS_ENTRY, ullTimestamp) == 72);
static_assert(offsetof(WLAN_BSS_ENTRY, wlanRateSet) == 96);
static_assert(offsetof(WLAN_BSS_ENTRY, ulIeOffset) == 352);
static_assert(sizeof(WLAN_BSS_ENTRY) == 360);

}  // namespace wavorel::wire::wlan
