// The current station profile as the store keeps it, turned into a
// `_PROFILE_DATA`: the current-connection section "Config" of the station
// file, the adapter's driver key and the WPS credential store. Every store
// call names the adapter's GUID (g_strAdapterGuid) and the data folder.
// A missing or empty key never changes a field: it keeps its default.
// The store readers are WavorelVista's (worker/vista/); each program has its
// own LoadAndApplyCurrentProfile.
#pragma once

#include "platform/Platform.h"
#include "worker/ProfileData.h"

// Blanks the current connection: WavorelVista's in section "Config" of the
// station file, Wavorel's in the adapter's driver key (every value a REG_SZ
// text; a value that cannot be written is passed over). Always TRUE.
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
// Builds the current profile and has the worker (g_pHideDlg) apply it.
// WavorelVista (vista/CurrentProfile.cpp): the
// WPS flag cleared, the WPS store and the adapter values read; with a stored
// WPS connection ("WSC" 1) the credential connection is made (and timer 4
// armed) and the record keeps only the adapter values, otherwise the stored
// current profile is read into it. Queued as a connect, connected through
// Native Wi-Fi unless the WPS flag is set. ProcessActions' result when the
// queue asks to run, else 0 (also without a worker, the record then dropped).
// The second argument is not used.
// Wavorel (xp/worker/LoadAndApplyCurrentProfile.cpp): from the registry, the
// profile's values from the driver key (where activation copied them); with
// `readRadioSettings` the adapter's radio values are read, the HT transmit
// record sent and "AdhocOfdm" written, and the record carries its own adapter
// settings; a stored WPS connection is made by credential instead; the
// single sign-on state decides whether the record is queued. The last two
// arguments are not used there.
int LoadAndApplyCurrentProfile(BOOL readRadioSettings, int unused, DWORD applyArgument);
// Wavorel, for a user without administrator rights: the same with every key
// opened for reading and nothing written; the profile's values come from its
// own key below "\Profile\Station" (the name the profile page activated last,
// else "CurProfile").
int LoadAndApplyCurrentProfileReadOnly(BOOL readRadioSettings);
