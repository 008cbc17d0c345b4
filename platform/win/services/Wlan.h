// The Native Wi-Fi client API (wlanapi) over the simulated machine: one
// interface per present adapter (its GUID, described by the adapter's friendly
// name, else its description), with the service's profile store per
// interface, scans that finish after the scan time on the platform clock, and
// notifications delivered on a thread of the service. Structures have the
// documented layouts; lists handed out are freed with WlanFreeMemory.
#pragma once

#include "platform/win/kernel/Types.h"

#define WLAN_MAX_NAME_LENGTH 256
#define WLAN_MAX_PHY_TYPE_NUMBER 8
#define WLAN_MAX_PHY_INDEX 64
#define DOT11_SSID_MAX_LENGTH 32

// WlanSetProfile flags.
#define WLAN_PROFILE_GROUP_POLICY 0x00000001
#define WLAN_PROFILE_USER 0x00000002
// WLAN_CONNECTION_PARAMETERS flags.
#define WLAN_CONNECTION_HIDDEN_NETWORK 0x00000001
// WLAN_AVAILABLE_NETWORK flags.
#define WLAN_AVAILABLE_NETWORK_CONNECTED 0x00000001
#define WLAN_AVAILABLE_NETWORK_HAS_PROFILE 0x00000002

// Notification sources.
#define WLAN_NOTIFICATION_SOURCE_NONE 0x00000000
#define WLAN_NOTIFICATION_SOURCE_ONEX 0x00000004
#define WLAN_NOTIFICATION_SOURCE_ACM 0x00000008
#define WLAN_NOTIFICATION_SOURCE_MSM 0x00000010
#define WLAN_NOTIFICATION_SOURCE_SECURITY 0x00000020
#define WLAN_NOTIFICATION_SOURCE_IHV 0x00000040
#define WLAN_NOTIFICATION_SOURCE_ALL 0x0000FFFF

// Reason codes.
typedef DWORD WLAN_REASON_CODE;
#define WLAN_REASON_CODE_SUCCESS 0x00000000
#define WLAN_REASON_CODE_UNKNOWN 0x00010001
#define WLAN_REASON_CODE_NETWORK_NOT_COMPATIBLE 0x00020001
#define WLAN_REASON_CODE_PROFILE_NOT_COMPATIBLE 0x00020002
#define WLAN_REASON_CODE_NOT_VISIBLE 0x00028002
#define WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE 0x0002800B
#define WLAN_REASON_CODE_PROFILE_CHANGED_OR_DELETED 0x0002800C
#define WLAN_REASON_CODE_KEY_MISMATCH 0x0002800D
#define WLAN_REASON_CODE_ASSOCIATION_FAILURE 0x00038002
#define WLAN_REASON_CODE_SECURITY_FAILURE 0x00038006
#define WLAN_REASON_CODE_MSMSEC_PSK_MISMATCH_SUSPECTED 0x00048014
#define WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA 0x00080001
#define WLAN_REASON_CODE_PROFILE_MISSING 0x00080002
#define WLAN_REASON_CODE_INVALID_PROFILE_NAME 0x00080003
#define WLAN_REASON_CODE_SECURITY_MISSING 0x0008000C
#define WLAN_REASON_CODE_PROFILE_SSID_INVALID 0x00080013

typedef enum _WLAN_INTERFACE_STATE {
  wlan_interface_state_not_ready = 0,
  wlan_interface_state_connected = 1,
  wlan_interface_state_ad_hoc_network_formed = 2,
  wlan_interface_state_disconnecting = 3,
  wlan_interface_state_disconnected = 4,
  wlan_interface_state_associating = 5,
  wlan_interface_state_discovering = 6,
  wlan_interface_state_authenticating = 7,
} WLAN_INTERFACE_STATE;

typedef enum _DOT11_BSS_TYPE {
  dot11_BSS_type_infrastructure = 1,
  dot11_BSS_type_independent = 2,
  dot11_BSS_type_any = 3,
} DOT11_BSS_TYPE;

typedef enum _DOT11_PHY_TYPE {
  dot11_phy_type_unknown = 0,
  dot11_phy_type_any = 0,
  dot11_phy_type_fhss = 1,
  dot11_phy_type_dsss = 2,
  dot11_phy_type_irbaseband = 3,
  dot11_phy_type_ofdm = 4,
  dot11_phy_type_hrdsss = 5,
  dot11_phy_type_erp = 6,
  dot11_phy_type_ht = 7,
} DOT11_PHY_TYPE;

typedef enum _DOT11_AUTH_ALGORITHM {
  DOT11_AUTH_ALGO_80211_OPEN = 1,
  DOT11_AUTH_ALGO_80211_SHARED_KEY = 2,
  DOT11_AUTH_ALGO_WPA = 3,
  DOT11_AUTH_ALGO_WPA_PSK = 4,
  DOT11_AUTH_ALGO_WPA_NONE = 5,
  DOT11_AUTH_ALGO_RSNA = 6,
  DOT11_AUTH_ALGO_RSNA_PSK = 7,
} DOT11_AUTH_ALGORITHM;

typedef enum _DOT11_CIPHER_ALGORITHM {
  DOT11_CIPHER_ALGO_NONE = 0x00,
  DOT11_CIPHER_ALGO_WEP40 = 0x01,
  DOT11_CIPHER_ALGO_TKIP = 0x02,
  DOT11_CIPHER_ALGO_CCMP = 0x04,
  DOT11_CIPHER_ALGO_WEP104 = 0x05,
  DOT11_CIPHER_ALGO_WEP = 0x101,
} DOT11_CIPHER_ALGORITHM;

typedef enum _DOT11_RADIO_STATE {
  dot11_radio_state_unknown = 0,
  dot11_radio_state_on = 1,
  dot11_radio_state_off = 2,
} DOT11_RADIO_STATE;

typedef enum _WLAN_CONNECTION_MODE {
  wlan_connection_mode_profile = 0,
  wlan_connection_mode_temporary_profile = 1,
  wlan_connection_mode_discovery_secure = 2,
  wlan_connection_mode_discovery_unsecure = 3,
  wlan_connection_mode_auto = 4,
  wlan_connection_mode_invalid = 5,
} WLAN_CONNECTION_MODE;

typedef enum _WLAN_INTF_OPCODE {
  wlan_intf_opcode_autoconf_start = 0x00000000,
  wlan_intf_opcode_autoconf_enabled = 1,
  wlan_intf_opcode_background_scan_enabled = 2,
  wlan_intf_opcode_media_streaming_mode = 3,
  wlan_intf_opcode_radio_state = 4,
  wlan_intf_opcode_bss_type = 5,
  wlan_intf_opcode_interface_state = 6,
  wlan_intf_opcode_current_connection = 7,
  wlan_intf_opcode_channel_number = 8,
  wlan_intf_opcode_supported_infrastructure_auth_cipher_pairs = 9,
  wlan_intf_opcode_supported_adhoc_auth_cipher_pairs = 10,
  wlan_intf_opcode_supported_country_or_region_string_list = 11,
  wlan_intf_opcode_current_operation_mode = 12,
  wlan_intf_opcode_autoconf_end = 0x0fffffff,
  wlan_intf_opcode_msm_start = 0x10000100,
  wlan_intf_opcode_statistics = 0x10000101,
  wlan_intf_opcode_rssi = 0x10000102,
  wlan_intf_opcode_msm_end = 0x1fffffff,
} WLAN_INTF_OPCODE;

typedef enum _WLAN_OPCODE_VALUE_TYPE {
  wlan_opcode_value_type_query_only = 0,
  wlan_opcode_value_type_set_by_group_policy = 1,
  wlan_opcode_value_type_set_by_user = 2,
  wlan_opcode_value_type_invalid = 3,
} WLAN_OPCODE_VALUE_TYPE;

typedef enum _WLAN_INTERFACE_TYPE {
  wlan_interface_type_emulated_802_11 = 0,
  wlan_interface_type_native_802_11 = 1,
  wlan_interface_type_invalid = 2,
} WLAN_INTERFACE_TYPE;

// ACM notification codes.
typedef enum _WLAN_NOTIFICATION_ACM {
  wlan_notification_acm_start = 0,
  wlan_notification_acm_autoconf_enabled = 1,
  wlan_notification_acm_autoconf_disabled = 2,
  wlan_notification_acm_background_scan_enabled = 3,
  wlan_notification_acm_background_scan_disabled = 4,
  wlan_notification_acm_bss_type_change = 5,
  wlan_notification_acm_power_setting_change = 6,
  wlan_notification_acm_scan_complete = 7,
  wlan_notification_acm_scan_fail = 8,
  wlan_notification_acm_connection_start = 9,
  wlan_notification_acm_connection_complete = 10,
  wlan_notification_acm_connection_attempt_fail = 11,
  wlan_notification_acm_filter_list_change = 12,
  wlan_notification_acm_interface_arrival = 13,
  wlan_notification_acm_interface_removal = 14,
  wlan_notification_acm_profile_change = 15,
  wlan_notification_acm_profile_name_change = 16,
  wlan_notification_acm_profiles_exhausted = 17,
  wlan_notification_acm_network_not_available = 18,
  wlan_notification_acm_network_available = 19,
  wlan_notification_acm_disconnecting = 20,
  wlan_notification_acm_disconnected = 21,
  wlan_notification_acm_adhoc_network_state_change = 22,
} WLAN_NOTIFICATION_ACM;

// MSM notification codes.
typedef enum _WLAN_NOTIFICATION_MSM {
  wlan_notification_msm_start = 0,
  wlan_notification_msm_associating = 1,
  wlan_notification_msm_associated = 2,
  wlan_notification_msm_authenticating = 3,
  wlan_notification_msm_connected = 4,
  wlan_notification_msm_roaming_start = 5,
  wlan_notification_msm_roaming_end = 6,
  wlan_notification_msm_radio_state_change = 7,
  wlan_notification_msm_signal_quality_change = 8,
  wlan_notification_msm_disassociating = 9,
  wlan_notification_msm_disconnected = 10,
  wlan_notification_msm_peer_join = 11,
  wlan_notification_msm_peer_leave = 12,
  wlan_notification_msm_adapter_removal = 13,
  wlan_notification_msm_adapter_operation_mode_change = 14,
} WLAN_NOTIFICATION_MSM;

typedef UCHAR DOT11_MAC_ADDRESS[6];
typedef ULONG WLAN_SIGNAL_QUALITY;

struct DOT11_SSID {
  ULONG uSSIDLength;
  UCHAR ucSSID[DOT11_SSID_MAX_LENGTH];
};
typedef DOT11_SSID* PDOT11_SSID;

struct NDIS_OBJECT_HEADER {
  UCHAR Type;
  UCHAR Revision;
  USHORT Size;
};
#define NDIS_OBJECT_TYPE_DEFAULT 0x80
#define DOT11_BSSID_LIST_REVISION_1 1

struct DOT11_BSSID_LIST {
  NDIS_OBJECT_HEADER Header;
  ULONG uNumOfEntries;
  ULONG uTotalNumOfEntries;
  DOT11_MAC_ADDRESS BSSIDs[1];
};
typedef DOT11_BSSID_LIST* PDOT11_BSSID_LIST;

struct WLAN_INTERFACE_INFO {
  GUID InterfaceGuid;
  WCHAR strInterfaceDescription[WLAN_MAX_NAME_LENGTH];
  WLAN_INTERFACE_STATE isState;
};
typedef WLAN_INTERFACE_INFO* PWLAN_INTERFACE_INFO;

struct WLAN_INTERFACE_INFO_LIST {
  DWORD dwNumberOfItems;
  DWORD dwIndex;
  WLAN_INTERFACE_INFO InterfaceInfo[1];
};
typedef WLAN_INTERFACE_INFO_LIST* PWLAN_INTERFACE_INFO_LIST;

struct WLAN_PHY_RADIO_STATE {
  DWORD dwPhyIndex;
  DOT11_RADIO_STATE dot11SoftwareRadioState;
  DOT11_RADIO_STATE dot11HardwareRadioState;
};
typedef WLAN_PHY_RADIO_STATE* PWLAN_PHY_RADIO_STATE;

struct WLAN_RADIO_STATE {
  DWORD dwNumberOfPhys;
  WLAN_PHY_RADIO_STATE PhyRadioState[WLAN_MAX_PHY_INDEX];
};
typedef WLAN_RADIO_STATE* PWLAN_RADIO_STATE;

struct WLAN_ASSOCIATION_ATTRIBUTES {
  DOT11_SSID dot11Ssid;
  DOT11_BSS_TYPE dot11BssType;
  DOT11_MAC_ADDRESS dot11Bssid;
  DOT11_PHY_TYPE dot11PhyType;
  ULONG uDot11PhyIndex;
  WLAN_SIGNAL_QUALITY wlanSignalQuality;
  ULONG ulRxRate;
  ULONG ulTxRate;
};

struct WLAN_SECURITY_ATTRIBUTES {
  BOOL bSecurityEnabled;
  BOOL bOneXEnabled;
  DOT11_AUTH_ALGORITHM dot11AuthAlgorithm;
  DOT11_CIPHER_ALGORITHM dot11CipherAlgorithm;
};

struct WLAN_CONNECTION_ATTRIBUTES {
  WLAN_INTERFACE_STATE isState;
  WLAN_CONNECTION_MODE wlanConnectionMode;
  WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
  WLAN_ASSOCIATION_ATTRIBUTES wlanAssociationAttributes;
  WLAN_SECURITY_ATTRIBUTES wlanSecurityAttributes;
};
typedef WLAN_CONNECTION_ATTRIBUTES* PWLAN_CONNECTION_ATTRIBUTES;

struct DOT11_AUTH_CIPHER_PAIR {
  DOT11_AUTH_ALGORITHM AuthAlgoId;
  DOT11_CIPHER_ALGORITHM CipherAlgoId;
};

struct WLAN_AUTH_CIPHER_PAIR_LIST {
  DWORD dwNumberOfItems;
  DOT11_AUTH_CIPHER_PAIR pAuthCipherPairList[1];
};
typedef WLAN_AUTH_CIPHER_PAIR_LIST* PWLAN_AUTH_CIPHER_PAIR_LIST;

struct WLAN_INTERFACE_CAPABILITY {
  WLAN_INTERFACE_TYPE interfaceType;
  BOOL bDot11DSupported;
  DWORD dwMaxDesiredSsidListSize;
  DWORD dwMaxDesiredBssidListSize;
  DWORD dwNumberOfSupportedPhys;
  DOT11_PHY_TYPE dot11PhyTypes[WLAN_MAX_PHY_INDEX];
};
typedef WLAN_INTERFACE_CAPABILITY* PWLAN_INTERFACE_CAPABILITY;

struct WLAN_AVAILABLE_NETWORK {
  WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
  DOT11_SSID dot11Ssid;
  DOT11_BSS_TYPE dot11BssType;
  ULONG uNumberOfBssids;
  BOOL bNetworkConnectable;
  WLAN_REASON_CODE wlanNotConnectableReason;
  ULONG uNumberOfPhyTypes;
  DOT11_PHY_TYPE dot11PhyTypes[WLAN_MAX_PHY_TYPE_NUMBER];
  BOOL bMorePhyTypes;
  WLAN_SIGNAL_QUALITY wlanSignalQuality;
  BOOL bSecurityEnabled;
  DOT11_AUTH_ALGORITHM dot11DefaultAuthAlgorithm;
  DOT11_CIPHER_ALGORITHM dot11DefaultCipherAlgorithm;
  DWORD dwFlags;
  DWORD dwReserved;
};

struct WLAN_AVAILABLE_NETWORK_LIST {
  DWORD dwNumberOfItems;
  DWORD dwIndex;
  WLAN_AVAILABLE_NETWORK Network[1];
};
typedef WLAN_AVAILABLE_NETWORK_LIST* PWLAN_AVAILABLE_NETWORK_LIST;

#define DOT11_RATE_SET_MAX_LENGTH 126
struct WLAN_RATE_SET {
  ULONG uRateSetLength;  // in bytes
  USHORT usRateSet[DOT11_RATE_SET_MAX_LENGTH];  // 500 kb/s units, 0x8000: basic rate
};

struct WLAN_BSS_ENTRY {
  DOT11_SSID dot11Ssid;
  ULONG uPhyId;
  DOT11_MAC_ADDRESS dot11Bssid;
  DOT11_BSS_TYPE dot11BssType;
  DOT11_PHY_TYPE dot11BssPhyType;
  LONG lRssi;
  ULONG uLinkQuality;
  BOOLEAN bInRegDomain;
  USHORT usBeaconPeriod;
  ULONGLONG ullTimestamp;
  ULONGLONG ullHostTimestamp;
  USHORT usCapabilityInformation;
  ULONG ulChCenterFrequency;  // kHz
  WLAN_RATE_SET wlanRateSet;
  ULONG ulIeOffset;  // from the start of this entry
  ULONG ulIeSize;
};
typedef WLAN_BSS_ENTRY* PWLAN_BSS_ENTRY;

struct WLAN_BSS_LIST {
  DWORD dwTotalSize;
  DWORD dwNumberOfItems;
  WLAN_BSS_ENTRY wlanBssEntries[1];
};
typedef WLAN_BSS_LIST* PWLAN_BSS_LIST;

struct WLAN_PROFILE_INFO {
  WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
  DWORD dwFlags;
};

struct WLAN_PROFILE_INFO_LIST {
  DWORD dwNumberOfItems;
  DWORD dwIndex;
  WLAN_PROFILE_INFO ProfileInfo[1];
};
typedef WLAN_PROFILE_INFO_LIST* PWLAN_PROFILE_INFO_LIST;

struct WLAN_CONNECTION_PARAMETERS {
  WLAN_CONNECTION_MODE wlanConnectionMode;
  LPCWSTR strProfile;
  PDOT11_SSID pDot11Ssid;
  PDOT11_BSSID_LIST pDesiredBssidList;
  DOT11_BSS_TYPE dot11BssType;
  DWORD dwFlags;
};
typedef WLAN_CONNECTION_PARAMETERS* PWLAN_CONNECTION_PARAMETERS;

struct WLAN_NOTIFICATION_DATA {
  DWORD NotificationSource;
  DWORD NotificationCode;
  GUID InterfaceGuid;
  DWORD dwDataSize;
  PVOID pData;
};
typedef WLAN_NOTIFICATION_DATA* PWLAN_NOTIFICATION_DATA;
typedef void (*WLAN_NOTIFICATION_CALLBACK)(PWLAN_NOTIFICATION_DATA data, PVOID context);

// Data of the ACM connection notifications.
struct WLAN_CONNECTION_NOTIFICATION_DATA {
  WLAN_CONNECTION_MODE wlanConnectionMode;
  WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
  DOT11_SSID dot11Ssid;
  DOT11_BSS_TYPE dot11BssType;
  BOOL bSecurityEnabled;
  WLAN_REASON_CODE wlanReasonCode;
  DWORD dwFlags;
  WCHAR strProfileXml[1];
};

// Data of the MSM connection notifications.
struct WLAN_MSM_NOTIFICATION_DATA {
  WLAN_CONNECTION_MODE wlanConnectionMode;
  WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
  DOT11_SSID dot11Ssid;
  DOT11_BSS_TYPE dot11BssType;
  DOT11_MAC_ADDRESS dot11MacAddr;
  BOOL bSecurityEnabled;
  BOOL bFirstPeer;
  BOOL bLastPeer;
  WLAN_REASON_CODE wlanReasonCode;
};

// Client version 1 or 2 (higher asks are negotiated down to 2).
DWORD WlanOpenHandle(DWORD dwClientVersion, PVOID pReserved, PDWORD pdwNegotiatedVersion, PHANDLE phClientHandle);
// Ends the handle's notification registration; waits for a callback of it in
// progress unless called from that callback.
DWORD WlanCloseHandle(HANDLE hClientHandle, PVOID pReserved);
DWORD WlanEnumInterfaces(HANDLE hClientHandle, PVOID pReserved, PWLAN_INTERFACE_INFO_LIST* ppInterfaceList);
DWORD WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode, PVOID pReserved,
                         PDWORD pdwDataSize, PVOID* ppData, WLAN_OPCODE_VALUE_TYPE* pWlanOpcodeValueType);
// Radio state (one WLAN_PHY_RADIO_STATE) and BSS type (a DOT11_BSS_TYPE).
DWORD WlanSetInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, WLAN_INTF_OPCODE OpCode, DWORD dwDataSize,
                       const PVOID pData, PVOID pReserved);
DWORD WlanGetInterfaceCapability(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                                 PWLAN_INTERFACE_CAPABILITY* ppCapability);
// Starts a scan; it ends with an ACM scan-complete (or scan-fail) notification.
DWORD WlanScan(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* pDot11Ssid, const void* pIeData,
               PVOID pReserved);
DWORD WlanGetAvailableNetworkList(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags, PVOID pReserved,
                                  PWLAN_AVAILABLE_NETWORK_LIST* ppAvailableNetworkList);
DWORD WlanGetNetworkBssList(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* pDot11Ssid,
                            DOT11_BSS_TYPE dot11BssType, BOOL bSecurityEnabled, PVOID pReserved,
                            PWLAN_BSS_LIST* ppWlanBssList);
// ERROR_BAD_PROFILE with the reason in *pdwReasonCode for a document that is not
// a valid profile; ERROR_ALREADY_EXISTS when the name is taken and overwriting
// was not asked for.
DWORD WlanSetProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD dwFlags, LPCWSTR strProfileXml,
                     LPCWSTR strAllUserProfileSecurity, BOOL bOverwrite, PVOID pReserved, DWORD* pdwReasonCode);
DWORD WlanSetProfileEapXmlUserData(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                                   DWORD dwFlags, LPCWSTR strEapXmlUserData, PVOID pReserved);
DWORD WlanSetProfilePosition(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName,
                             DWORD dwPosition, PVOID pReserved);
DWORD WlanGetProfileList(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved,
                         PWLAN_PROFILE_INFO_LIST* ppProfileList);
DWORD WlanDeleteProfile(HANDLE hClientHandle, const GUID* pInterfaceGuid, LPCWSTR strProfileName, PVOID pReserved);
// Returns ERROR_SUCCESS once the request is taken; the outcome follows as ACM
// notifications (connection start, then complete, or attempt fail and complete
// with the reason).
DWORD WlanConnect(HANDLE hClientHandle, const GUID* pInterfaceGuid, const WLAN_CONNECTION_PARAMETERS* pConnectionParameters,
                  PVOID pReserved);
DWORD WlanDisconnect(HANDLE hClientHandle, const GUID* pInterfaceGuid, PVOID pReserved);
DWORD WlanRegisterNotification(HANDLE hClientHandle, DWORD dwNotifSource, BOOL bIgnoreDuplicate,
                               WLAN_NOTIFICATION_CALLBACK funcCallback, PVOID pCallbackContext, PVOID pReserved,
                               PDWORD pdwPrevNotifSource);
void WlanFreeMemory(PVOID pMemory);
// The text of a reason code, cut to fit with a terminator.
DWORD WlanReasonCodeToString(DWORD dwReasonCode, DWORD dwBufferSize, WCHAR* pStringBuffer, PVOID pReserved);

// The system's profile editor (wlanui). There is no user here to edit: the
// call fails with ERROR_CANCELLED and a reason code of WLAN_REASON_CODE_SUCCESS.
#define WLAN_UI_API_VERSION 1
typedef enum _WL_DISPLAY_PAGES { WLConnectionPage = 0, WLSecurityPage = 1, WLAdvPage = 2 } WL_DISPLAY_PAGES;
DWORD WlanUIEditProfile(DWORD dwClientVersion, LPCWSTR wstrProfileName, GUID* pInterfaceGuid, HWND hWnd,
                        WL_DISPLAY_PAGES wlStartPage, PVOID pReserved, WLAN_REASON_CODE* pWlanReasonCode);
