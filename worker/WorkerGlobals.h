// Module-level state of the station worker: what adapter discovery found (the
// driver request path opens g_strDevicePath for every call), the settings
// folders, and the flags the worker's parts share. One instance each, used on
// the UI thread only.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "worker/ProfileData.h"

class CNativeWiFi;

// Windows generation from GetOsType: 0 until it ran; 4/5 = 98 SE/Me, 7 = 2000,
// 8 = XP, 10 = XP x64 (Windows 5.2 workstation), 11 = Windows 6.x, ...
extern int g_nOsType;

// Adapter discovery's results.
extern int g_nFamilyIndex;     // chip family 0..8
extern int g_nBusType;         // 1 USB, 0 PCI
extern int g_nBuiltinRow;      // row of the built-in device table that matched
extern int g_bUsbFound;        // set by the last hardware-ID match
extern int g_bPciFound;
constexpr size_t kHardwareIdSize = 22;  // 21 characters and the terminator
extern char g_szHardwareId[kHardwareIdSize];
constexpr size_t kFriendlyNameSize = 256;
extern char g_szFriendlyName[kFriendlyNameSize];
extern CString g_strDevicePath;   // "\\.\{GUID}" (empty until an adapter was found)
extern CString g_strAdapterGuid;  // the adapter's NetCfgInstanceId
extern CString g_strDriverKey;    // the driver key below HKEY_LOCAL_MACHINE
extern int g_bVx52Family;
extern int g_bHtFamily;
extern int g_nHtFamilyIndex;
// Set when rediscovery finds another adapter (another driver key) than the
// one before; cleared when a connect is queued.
extern int g_bAdapterChanged;
// 1 while the adapter choice dialog is shown.
extern int g_bSelCardDlgOpen;

// The driver's NDIS version word (QueryDriverVersion).
extern WORD g_wDriverVersion;

// Settings folders: the program folder (with its trailing backslash), the
// data folder of the INI profile store, and its kind (0 per-user folder, 1
// folder named in the setting file).
extern CString g_strProgramFolder;
extern CString g_strDataFolder;
extern UINT g_nDataFolderKind;

// ---- State the profile store and the pages share with the worker ----
// 802.1X values are collected and read only while this is set (the worker's
// start-up sets it once the adapter is ready; never cleared).
extern int g_b8021xSupport;
// The current connection was made through WPS (the station file's "WSC").
extern int g_bWpsConnect;
// The WPS store's shared values: "ConfigMode", "Wireless Mode", "PinCode".
extern int g_nWpsConfigMode;
extern int g_nWpsWirelessMode;
extern int g_nWpsPinCode;
// The BSSID of the ad hoc network the adapter is in (zero outside one).
extern BYTE g_adhocBssid[6];
// The adapter's HT transmit-setting word and the copy of its station
// configuration block, as the current profile's adapter values left them.
extern DWORD g_dwTransmitSetting;
extern DWORD g_stationConfig[kStationConfigWords];
// The worker's Native Wi-Fi client (WavorelVista), null while none exists.
extern CNativeWiFi* g_pNativeWiFi;

// ---- The station worker's state that its parts and the pages read ----
// The adapter state: kAdapterReady once the worker found the adapter (never
// cleared); the pages act only then.
constexpr int kAdapterReady = 2;
extern int g_nAdapterState;
// The process token holds the Administrators group (always set before
// Windows 2000); the process runs under WOW64 (Windows XP x64 and later).
extern int g_bAdministrator;
extern int g_bWow64;
// The link as the last poll read it: SSID (length 0..32) and BSSID, all zero
// when not associated.
extern NDIS_802_11_SSID g_currentSsid;
extern BYTE g_currentBssid[6];
// Bit 0 of the driver's WEP ICV-error value as last read ("WEP Error").
extern int g_bIcvError;
// Set while a scan the action queue started runs (cleared when it fails).
extern int g_bScanRunning;
// The profile page's marks of how the current connection came about: from
// a stored profile, and a WPS credential connection waiting to be made.
extern int g_bConnectedByProfile;
extern int g_bWpsPending;
// Set when the profile page activates a profile: the profile was applied
// (and its companion cleared), and the activation marker.
extern int g_bProfileApplied;
extern int g_bProfileAppliedCompanion;
extern int g_bActivationMarker;
// The name of the profile the profile page activated last.
extern CString g_strCurProfileName;
// Set when the user switches to AP mode from the worker's tray menu.
extern int g_bSwitchingToApMode;
// Wavorel: the authentication status dialog is shown while a connection
// authenticates ("ShowAuthStatus"), and a profile is to be applied again
// (set when the radio comes on or credentials are confirmed, cleared when
// the radio goes off or a connection asks for a password).
extern int g_bShowAuthStatus;
extern int g_bApplyRequested;
// The authentication status lines the status dialog shows: 200 lines of 256
// bytes, zeroed when the worker starts.
constexpr int kAuthStatusLines = 200;
constexpr int kAuthStatusLineSize = 256;
extern char g_authStatusEvents[kAuthStatusLines][kAuthStatusLineSize];

// The worker's BSS lists are 64 KB NDIS_802_11_BSSID_LIST_EX buffers.
constexpr DWORD kBssListSize = 64 * 1024;
// The site list the pages show; null until the worker allocates it.
extern std::unique_ptr<BYTE[]> BssidSiteList;
