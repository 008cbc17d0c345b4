// The current station profile as the store keeps it, turned into a
// `_PROFILE_DATA`: the current-connection section "Config" of the station
// file, the adapter's driver key and the WPS credential store. Every store
// call names the adapter's GUID (g_strAdapterGuid) and the data folder.
// A missing or empty key never changes a field: it keeps its default.
// Vista-only (worker/vista/).
#pragma once

#include "platform/Platform.h"
#include "worker/ProfileData.h"

// Blanks the current connection in section "Config" of the station file.
// Always TRUE.
BOOL ClearConfigSection();
// Fills `profile` from section "Config" of the station file: SSID (at most 32
// bytes), network type (ad hoc: the current BSSID goes to g_adhocBssid),
// preamble, thresholds, security, the 802.1X group (only while
// g_b8021xSupport), the WPA key text and the WPA-None key block, or the WEP
// key blocks, TX power, the ad hoc channel's frequency or the power-save
// values; `Valid` = 1 at the end.
void ReadCurrentProfile(_PROFILE_DATA* profile);
// Fills the adapter fields of `profile` from the driver key and the driver
// (with `readRadioSettings`: wireless mode, the HT transmit-setting word, the
// station configuration block, region, rates) and writes "AdhocOfdm" back.
// FALSE when the driver key cannot be opened (nothing changed) or cannot be
// opened for writing.
BOOL ReadAdapterValues(_PROFILE_DATA* profile, BOOL readRadioSettings, DWORD applyArgument);
// Loads the WPS flag, the WPS page's values and the credential table (at most
// 8 records) from the store into the worker's globals.
void ReadWpsStore();
