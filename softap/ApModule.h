// The AP module's globals: what the AP worker found of the adapter and the
// system, the settings the AP pages read, the module's own Native Wi-Fi
// client and its registry-service client, and the platform checks the worker
// makes at start-up. UI thread only.
#pragma once

#include <memory>

#include "platform/Platform.h"

class CNativeWiFi;
class CRegistryRpcClient;

// ---- The system ----
// Windows generation (the station worker's numbering, worker/OsType.h).
extern int g_nApOsType;
extern BOOL g_bApWow64;

// ---- The adapter, as discovery left it ----
extern CString g_strApDevicePath;     // "\\.\{GUID}"; empty until an adapter was found
extern CString g_strApInstanceId;     // its NetCfgInstanceId
extern CString g_strApDriverKey;      // its driver key below HKEY_LOCAL_MACHINE
constexpr size_t kApHardwareIdSize = 22;  // 21 characters and the terminator
extern char g_szApHardwareId[kApHardwareIdSize];
constexpr size_t kApFriendlyNameSize = 256;
extern char g_szApFriendlyName[kApFriendlyNameSize];
extern int g_nApFamilyIndex;    // chip family 0..8
extern int g_bApUsbFound;       // set by the last hardware-ID match
extern int g_bApPciFound;
extern int g_nApBuiltinRow;     // the built-in table's row that matched
extern int g_bApHtFamily;       // an 802.11n family (6, 7, 8) from Windows 2000 on
extern int g_nApHtFamilyCode;   // 1, 2, 3 for families 6, 7, 8, else 0
extern int g_bApSupportBandA;   // the interface has the 5 GHz PHY
extern WORD g_wApDriverVersion;

// ---- Settings the AP pages read ----
// The driver's country-region word without its fixed-region bits, and
// whether each band's region comes from the registry (the driver left it
// editable: bit 7 / bit 15 clear). Both flags start as 1.
extern DWORD g_dwApCountryRegion;
extern int g_bApRegionBandG;
extern int g_bApRegionBandA;
// The wireless mode as last read and corrected (starts as 9).
extern int g_nApWirelessMode;
// "AllowBW40InBGBand" of the driver key (starts as 1).
extern int g_bApAllowBW40BandG;
// Set once entering AP mode read the chip register.
extern int g_bApRegisterRead;
// The authentication index and pre-shared key text apply-all sent last, and
// whether its cipher is WEP or none.
extern int g_nApAuthIndex;
extern CString g_strApWpaPsk;
extern int g_bApWepOrNone;

// The module's own Native Wi-Fi client; its notifications go to the AP
// worker's window.
CNativeWiFi& GetApNativeWiFi();
// The registry-service client: created with the first worker, released by
// CloseAPOnExit.
extern std::unique_ptr<CRegistryRpcClient> g_pApRegistryClient;
// The flag the worker hands to CNativeWiFi::Init.
constexpr DWORD kApNativeWiFiFlag = 1;

// What the module holds beside the worker, per program: WavorelVista's
// registry-service client (made with the first worker, released on exit) and
// its Native Wi-Fi client bound to the chosen adapter and reporting to the
// worker; Wavorel has neither.
void StartApModuleServices();
void CloseApModuleServices();
void BindApAdapter(LPCSTR friendlyName, HWND worker);
// The worker's window as the target of WavorelVista's AP Native Wi-Fi
// notifications.
void AttachApWorkerWindow(HWND worker);

// Wavorel: "bCheckBuild" of the driver key (a decimal text), the two register-read flags of entering AP mode,
// and the network types the driver supports (0 FH, 1 DS, 2 OFDM 5 GHz,
// 3 OFDM 2.4 GHz; taken on an 802.11n family).
extern int g_bApCheckBuild;
extern int g_bApRegisterRead2;
extern int g_bApNetworkType[4];
// Wavorel: "bCheckBuild" read with atoi into g_bApCheckBuild; a missing
// value is created as "0".
void ReadApCheckBuild();
// Wavorel: while g_bApCheckBuild is 1, the AP pages' trace line `text` (a
// line end added) appended to "C:\test_Vendrel.txt". WavorelVista keeps no
// such trace.
void ApTrace(LPCSTR text);

// Fills g_nApOsType from the running Windows version.
void GetOsType_AP();
// From Windows 2000 on, whether the process token holds the built-in
// Administrators group; TRUE on older systems.
BOOL IsUserAdministrator_AP();
// From Windows XP x64 on, whether the process runs under WOW64.
BOOL IsWow64_AP();

// The DHCP server of internet connection sharing, through ICSDHCP.dll's
// exports by ordinal (5 on, 7 off). Their results are not used.
void EnableIcsDhcpServer();
void DisableIcsDhcpServer();
