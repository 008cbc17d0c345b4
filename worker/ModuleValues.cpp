// The values the worker module's functions keep (ModuleFunctions.h).
#include "worker/ModuleFunctions.h"

int g_bSupportBandA = 0;
int g_b80211h = 0;
int g_bAllow40MHzBandG = 1;
int g_bAllow40MHzBandA = 1;
DWORD g_dwCountryRegion = 0;
int g_bRegionEditableBandG = 1;
int g_bRegionEditableBandA = 1;
int g_nWirelessMode = 0;
BYTE g_channelList[kMaxChannels] = {};
int g_nChannelCount = 0;
int g_bRadioOn = 1;
_WSC_CREDENTIAL_TABLE g_wscCredentialTable = {};
BYTE g_wpsBssid[6] = {};
int g_nRescanSetting1 = 0;
int g_nRescanSetting2 = 0;
int g_nRescanSetting3 = 0;
