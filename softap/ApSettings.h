// The AP settings store: the AP values live in the adapter's driver key
// (what the driver reads), its subkey "ApDefault" (the AP settings as last
// applied) and its subkey "Default" (the station values put back when AP mode
// ends). Numbers are decimal texts; the MAC lists REG_MULTI_SZ of 12
// hexadecimal digits each. In WavorelVista writes fall back to the registry
// service with the key's full path; Wavorel writes plainly. UI thread only.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "softap/ApRecords.h"
#include "worker/ModuleFunctions.h"
#include "worker/PasswordHash.h"

// ---- Authentication and cipher: the program's index <-> Native Wi-Fi value ----
// Index 0 open, 1 shared, 2 802.1X, 3 WPA, 4 WPA-PSK, 5 WPA-None, 6 WPA2,
// 7 WPA2-PSK, 8 WPA/WPA2, 9 WPA-PSK/WPA2-PSK.
DWORD AuthIndexToNativeWiFi(int index);
// An unknown value reads as 0 (open).
int AuthIndexFromNativeWiFi(DWORD value);
// Index 0 WEP, 1 none, 4 TKIP, 6 AES, 8 TKIP and AES; any other index sends 0.
DWORD CipherIndexToNativeWiFi(int index);
// An unknown value reads as 1 (none).
int CipherIndexFromNativeWiFi(DWORD value);
// The stored form of an index (kApAuthValueName, kApCipherValueName of
// worker/ModuleFunctions.h), which is also what the driver is sent.
DWORD AuthIndexToStored(int index);
int AuthIndexFromStored(DWORD value);
DWORD CipherIndexToStored(int index);
int CipherIndexFromStored(DWORD value);
// Authentication indexes that use a pre-shared key (4, 7, 9).
bool IsPskAuthIndex(int index);

// A wireless mode the adapter supports (g_bApSupportBandA, g_bApHtFamily):
// 0 stays; 2 needs the 5 GHz band (else 0); 8 with the 5 GHz band stays on
// an 802.11n family and becomes 2 otherwise; any other mode becomes 9 on an
// 802.11n family, else 0.
int FixWirelessMode_AP(int mode);

// ---- Reading the store ----
// Texts are read into 1024-byte buffers: a longer one is cut, one stored
// without its terminator ends at its size, a value of another type reads
// empty. FALSE (text empty) when the value cannot be read.
constexpr DWORD kApValueRoom = 1024;
BOOL ReadApText(HKEY key, LPCSTR name, CString& text);
// The text as a number (atoi; a non-numeric text reads 0). FALSE, `value`
// untouched, when the value cannot be read.
BOOL ReadApInt(HKEY key, LPCSTR name, int& value);
// The same as an unsigned 32-bit number (addresses, Native Wi-Fi values).
BOOL ReadApDword(HKEY key, LPCSTR name, DWORD& value);
// The MACs of a MAC list, in order: entries of exactly 12 hexadecimal digits,
// at most `limit`; other entries are passed over.
std::vector<MacAddress> ReadApMacList(HKEY key, LPCSTR name, size_t limit);

// A 32-bit field of a driver record from a readable number value; the field
// stays as it was when the value cannot be read.
void PutApIntField(HKEY key, LPCSTR name, BYTE* field);

// ---- Registry access of the AP module ----
// RegOpenKeyEx and RegSetValueEx; in WavorelVista through the registry
// service (with the key's full path `keyPath`) when the direct call is refused.
LONG RegOpenKeyEx_AP(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegSetValueEx_AP(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size,
                      LPCSTR keyPath);

// ---- Writing the store ----
// A decimal text value (its characters, no terminator) set on `key`, or by
// the registry service under `keyPath` when the direct write is refused.
LONG WriteApText(HKEY key, LPCSTR name, LPCSTR text, LPCSTR keyPath);
// Every value of `source` written into `destination` (path `destinationPath`
// for the registry service) by RegSetValueEx_AP, values of any size; FALSE
// when a value cannot be read or written, the values before it kept.
BOOL CopyRegistryValues(HKEY source, HKEY destination, LPCSTR destinationPath);

// "ApDefault" completed ("AllowBW40Capability" "1", "CountryRegion" and
// "CountryRegionABand" "0" where missing) and copied into the driver key.
void UpdateApDefault();
// The driver's country-region word (OID_VX_COUNTRY_REGION) into
// g_dwApCountryRegion and the two region flags.
void ReadRegionFlags();
// VX52 families: the region word, the corrected wireless mode, and a
// "Channel" the region allows written to the driver key (and to "ApDefault"
// when it had to change); the driver's regions written for the bands whose
// flags are set.
void FixChannelAndRegion_VX52();
// "AllowBW40InBGBand" of the driver key into g_bApAllowBW40BandG (1 when
// it reads 1, else 0; untouched when it cannot be read).
void ReadAllowBW40InBGBand();
// The channels of the region word for the wireless mode, as the VX52 fix-up
// allows them.
std::vector<int> AllowedChannels_VX52(DWORD regionWord, int wirelessMode);

// The SSID the AP beacons when "SSID" is empty: WavorelVista "SoftAP-%02X"
// of the adapter's last MAC byte, Wavorel "%s-SoftAP" of the language
// library's "CompanyName".
CString DefaultApSsid();

// ---- Keys ----
// The 32-byte pre-shared key of a stored "WPAPSK" text: 64 hexadecimal digits
// are the key itself, a pass phrase of at most 63 characters is hashed with
// `ssid`. FALSE (nothing written) for any other text, which has no key.
BOOL DerivePreSharedKey(const CString& text, const CString& ssid, BYTE out[kPskLength]);
// A WEP key text of 10 or 26 hexadecimal digits as its 5 or 13 bytes; FALSE
// for any other text.
BOOL ParseWepKey(const CString& text, std::vector<BYTE>& key);
