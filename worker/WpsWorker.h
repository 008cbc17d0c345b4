// The station worker's WPS functions: after a WPS run the driver reports
// state 15, the worker takes the credentials the driver received, stores them
// in the profile store, turns one into a profile and connects with it; timer
// 4 then checks every 10 seconds whether the link matches the credential and,
// while it does not, tries the next one. The credential table is
// g_wscCredentialTable (ModuleFunctions.h). UI thread only.
#pragma once

#include "platform/Platform.h"
#include "worker/ProfileData.h"
#include "worker/ModuleFunctions.h"

// 1 while the link is meant to come from a WPS credential: g_bWpsConnect
// (WorkerGlobals.h), stored as "WSC".
// When set (1 at start), each connect attempt takes the next credential.
extern int g_bWpsRotate;
extern int g_nWpsCurrentIndex;
extern int g_nWpsNextIndex;
// The driver's last WPS status word, and the mark that a run is going on.
extern DWORD g_dwWpsStatus;
extern int g_bWpsRunning;
// Set once the credentials of a run have been read, stored and connected;
// cleared when a run starts (the driver's poll value, the worker's start) or
// the status leaves 15, so that every poller of the run takes them once.
extern int g_bWpsRunTaken;

// Whether g_wpsBssid names an access point (all zero until a WPS run's link
// or the stored "Bssid" gives one).
bool WpsBssidKnown();

// The driver's WPS status values (the top four bits are flags).
constexpr DWORD kWpsStatusMask = 0x0FFFFFFF;
constexpr DWORD kWpsStatusIdle = 0;
constexpr DWORD kWpsStatusConfigured = 15;

// One credential of g_wscCredentialTable, its fields read at the driver's
// offsets (the lengths as loaded: at most 32 and 64); the pointers point into
// the table.
struct WpsCredentialFields {
  DWORD SsidLength;
  const BYTE* Ssid;  // 32 bytes, not terminated when 32 long
  DWORD AuthType;    // 1 open, 2 WPA-PSK, 4 shared, 8 WPA, 16 WPA2, 32 WPA2-PSK, 34 both PSK
  DWORD EncrType;    // 1 none, 2 WEP, 4 TKIP, 8 AES, 12 TKIP and AES
  DWORD KeyIndex;    // 0-based; bit 31 is not part of the index
  DWORD KeyLength;
  const BYTE* Key;   // 64 bytes
  const BYTE* MacAddress;
};
constexpr int kMaxWscCredentials = 8;
constexpr DWORD kWscSsidMax = 32;
constexpr DWORD kWscKeyMax = 64;
// The records the table holds (its count, at most 8), and record `index`.
int WpsCredentialCount();
WpsCredentialFields WpsCredentialAt(int index);

// The 996-byte table as the driver answered `answered` bytes of it into
// g_wscCredentialTable: the count cut to 8 and to the records answered in
// whole, SSID lengths to 32 and key lengths to 64 bytes (cuts are logged).
void LoadWpsCredentialTable(const BYTE* raw, DWORD answered);

// Fills `profile` (all zero) from credential `index` of the table: an
// infrastructure profile (preamble 2, RTS 2347) with the credential's SSID
// and BSSID, the authentication and cipher its types map to, the
// pre-shared key (WPA-PSK, WPA2-PSK) or the WEP key block (its first 13 bytes,
// a key of 10 or 26 characters decoded from hexadecimal; an index outside 0-3
// keeps no block), connected through Native Wi-Fi. FALSE for an index
// outside the table.
BOOL FillProfileFromWpsCredential(int index, _PROFILE_DATA& profile);
// The same, then the credential's BSSID sent as the desired BSSID and the
// frequency the site list gives for it stored; returns that frequency.
DWORD ProfileFromWpsCredential(int index, _PROFILE_DATA& profile);

// Queues a connect with the current credential (the next one while rotating)
// and runs the queue; 0 when the table is empty, else 1. Sets g_bWpsConnect.
int ConnectWpsProfile();
// TRUE when the Native Wi-Fi link is connected to the current credential's
// SSID with the authentication and cipher its types map to.
BOOL IsConnectedToWpsCredential();
// Writes the table and the WPS page's values to the "_wsc" file (section
// "Common" and "Profile0".."Profile7"); with `deleteFlag` 1 the Native Wi-Fi
// profile of each SSID stored before is deleted first.
void SaveWpsProfiles(int deleteFlag);
// "WSC" = g_bWpsConnect into section "Config" of the station file.
void SaveWscFlag();
