#include "worker/WorkerGlobals.h"

#include "worker/HideDlg.h"

int g_nOsType = 0;

int g_nFamilyIndex = 0;
int g_nBusType = 0;
int g_nBuiltinRow = 0;
int g_bUsbFound = 0;
int g_bPciFound = 0;
char g_szHardwareId[kHardwareIdSize] = {};
char g_szFriendlyName[kFriendlyNameSize] = {};
CString g_strDevicePath;
CString g_strAdapterGuid;
CString g_strDriverKey;
int g_bVx52Family = 0;
int g_bHtFamily = 0;
int g_nHtFamilyIndex = 0;
int g_bAdapterChanged = 0;
int g_bSelCardDlgOpen = 0;

WORD g_wDriverVersion = 0;

CString g_strProgramFolder;
CString g_strDataFolder;
UINT g_nDataFolderKind = 0;

int g_b8021xSupport = 0;
int g_bWpsConnect = 0;
int g_nWpsConfigMode = 0;
int g_nWpsWirelessMode = 0;
int g_nWpsPinCode = 0;
BYTE g_adhocBssid[6] = {};
DWORD g_dwTransmitSetting = 0;
DWORD g_stationConfig[kStationConfigWords] = {};
CNativeWiFi* g_pNativeWiFi = nullptr;
std::unique_ptr<BYTE[]> BssidSiteList;

int g_nAdapterState = 0;
int g_bAdministrator = 0;
int g_bWow64 = 0;
NDIS_802_11_SSID g_currentSsid = {};
BYTE g_currentBssid[6] = {};
int g_bIcvError = 0;
int g_bScanRunning = 0;
int g_bConnectedByProfile = 0;
int g_bProfileApplied = 0;
int g_bProfileAppliedCompanion = 0;
int g_bActivationMarker = 0;
CString g_strCurProfileName;
int g_bWpsPending = 0;
int g_bSwitchingToApMode = 0;
int g_bShowAuthStatus = 0;
int g_bApplyRequested = 0;
char g_authStatusEvents[kAuthStatusLines][kAuthStatusLineSize] = {};
int g_bPromptNewUser = 0;
int g_bPromptOneTimePassword = 0;
int g_nPeapPromptResult = 0;

// The worker while its window exists (set and cleared by CHideDlg); kept here
// so that the pages reach the host without linking the worker's dialog.
CHideDlg* g_pHideDlg = nullptr;
