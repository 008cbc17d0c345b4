// Small functions of the station worker's module that its parts call:
// control of the Zero Configuration service, WOW64 file-system redirection,
// readers of the adapter's driver key, the wireless-mode maps, the register
// probes, hexadecimal text, the "ApDefault" values, the country-region query,
// text splitting and control placement. UI thread only.
#pragma once

#include "platform/Platform.h"
#include "platform/wire/WpsRecords.h"

// ---- Values these functions keep for the worker's parts ----
extern int g_bSupportBandA;          // the adapter has the 5 GHz band
extern int g_b80211h;                // driver key "IEEE80211H" is 1
extern int g_bAllow40MHzBandG;       // 40 MHz allowed in the 2.4 GHz band
extern int g_bAllow40MHzBandA;       // 40 MHz allowed in the 5 GHz band
extern DWORD g_dwCountryRegion;      // the driver's region word without its fixed-region bits
extern int g_bRegionEditableBandG;   // bit 7 (0x80) of the driver's word was clear
extern int g_bRegionEditableBandA;   // bit 15 (0x8000) was clear
extern int g_nWirelessMode;          // driver key "WirelessMode" through AdjustWirelessMode (5 until read)
// The 2.4 GHz channels the country region allows (g_nChannelCount of them).
constexpr int kMaxChannels = 64;
extern BYTE g_channelList[kMaxChannels];
extern int g_nChannelCount;
extern int g_bRadioOn;               // the software radio state as last read
// Cleared by the rescan step: the WPS credential table as the driver keeps it
// (its bytes, fields at the offsets of platform/wire/WpsRecords.h) and the
// BSSID of the WPS run.
using _WSC_CREDENTIAL_TABLE = wavorel::wire::wps::CredentialTable;
extern _WSC_CREDENTIAL_TABLE g_wscCredentialTable;
extern BYTE g_wpsBssid[6];
// Settings the rescan step gives their start values 2, 1 and 6.
extern int g_nRescanSetting1;
extern int g_nRescanSetting2;
extern int g_nRescanSetting3;

// ---- Zero Configuration service "WZCSVC" ----
// Stops the service unless it is stopped; with `restartType` not 0 its start
// type becomes demand start. Nothing when the manager or service do not open.
void StopWzcService(int restartType);
// Hands the adapter to the service (`enable` not 0: bit 0x8000 of the
// interface's "ControlFlags" set) or takes it back (bit cleared), stopping a
// running service before the flag changes; then starts the service unless it
// runs or is starting (the state is read again first) and makes it start
// automatically.
void EnableWzcOnInterface(int enable);

// ---- WOW64 ----
// TRUE when the program runs under WOW64 (IsWow64Process, found in kernel32).
BOOL IsWow64();
// Wow64EnableWow64FsRedirection(TRUE / FALSE) when kernel32 has it.
void EnableFsRedirection();
void DisableFsRedirection();

// ---- The adapter's driver key (g_strDriverKey below HKEY_LOCAL_MACHINE) ----
// A text value read into `out` (room for `size` bytes, at least 1): cut to
// what fits and always terminated, also when it was stored without its zero;
// empty when it cannot be read.
void ReadRegistryText(HKEY key, LPCSTR name, char* out, DWORD size);
// The first 4 bytes of any value as a little-endian number, a shorter value
// zero-extended: TRUE and `value`, or FALSE leaving it alone (no such value).
BOOL ReadRegistryRawDword(HKEY key, LPCSTR name, DWORD& value);
// Opens `keyPath` below HKEY_LOCAL_MACHINE for reading: 1 and the key, else 0.
int OpenDriverKey(HKEY* key, LPCSTR keyPath);
// 1 when the text value "IEEE80211H" (4 bytes at most) reads as the number 1.
int ReadIeee80211hSwitch();
// The DWORD "CCX2Control": TRUE and `value`, or FALSE leaving `value` alone.
BOOL ReadCcx2Control(DWORD& value);

// ---- Wireless modes ----
// The ad hoc mode value of a wireless mode: 1 and `adhoc`, or 0 (modes 7 and
// above 9) leaving it alone.
int WirelessModeToAdhocMode(int mode, int& adhoc);
// Folds modes the adapter cannot use (g_bSupportBandA, g_bHtFamily) into ones it can.
void AdjustWirelessMode(int& mode);

// ---- Register probes: OID_VX_REGISTER_RW {space 3, address 0x36} ----
// `flag` becomes the inverse of bit 9 (5 GHz) or bit 8 (2.4 GHz) of the word;
// a word of 0xFFFF or a failed query leaves it alone.
void ProbeBandA40MHz(int& flag);
void ProbeBandG40MHz(int& flag);

// ---- Hexadecimal text ----
// 0..15 for a hexadecimal digit, else 255.
BYTE HexDigitValue(char c);
// n pairs of characters into n bytes (16 x first + second, in 8 bits).
void ConvHexTextToBytes(LPCSTR text, BYTE* output, int n);

// The values of the AP's authentication and cipher: WavorelVista keeps the
// Native Wi-Fi numbers in "AuthMode"/"CipherMode", Wavorel the program's
// indexes themselves (the NDIS numbers) in "AuthenType"/"Encryption".
constexpr LPCSTR kApAuthValueName = WAVOREL_BUILD_XP ? "AuthenType" : "AuthMode";
constexpr LPCSTR kApCipherValueName = WAVOREL_BUILD_XP ? "Encryption" : "CipherMode";
// Their values for open and no cipher.
constexpr LPCSTR kApOpenAuthText = WAVOREL_BUILD_XP ? "0" : "1";
constexpr LPCSTR kApNoCipherText = WAVOREL_BUILD_XP ? "1" : "0";

// ---- Driver-key values ----
// Writes the soft-AP defaults under <driverKey>\ApDefault (a driver key
// below HKEY_LOCAL_MACHINE) unless that key already exists (even empty).
void WriteApDefaults(LPCSTR driverKey);
// The first-run transmit-burst choice, once per driver key: while the key
// has no "RunOnceInitConfigTxBurst", the installer key's
// "ConfigTxBurstSelect" (a 4-byte number; 0 when it cannot be read) is
// written as "TXBurst" (0 or 1) and as that marker.
void RunOnceInitConfigTxBurst(LPCSTR driverKey);
// OID_VX_COUNTRY_REGION into g_dwCountryRegion and the two editable flags;
// the driver key's "WirelessMode" into g_nWirelessMode; the region's 2.4 GHz
// channels into g_channelList. 0 when the driver key does not open, else 1.
int QueryCountryRegion();

// ---- Waiting ----
// Returns once more than `milliseconds` have passed on the tick count (so a
// wait that spans midnight ends like any other).
void WaitMilliseconds(DWORD milliseconds);

// ---- Text ----
// Adds the non-empty pieces between occurrences of `separator` to `out`;
// returns the number of separators found. No separator in the text, or an
// empty separator: nothing added, 0.
int SplitString(LPCSTR source, LPCSTR separator, CStringArray& out);

// ---- Control placement ----
struct CONTROL_POS_SIZE {
  int x;
  int y;
  int cx;
  int cy;
};
// Moves the control to (x, y, x + cx, y + cy), shows it and, with a string id
// other than 0, gives it that string resource as text.
void PlaceControl(CWnd* control, int x, int y, int cx, int cy, UINT stringId);
// PlaceControl at the control's own place in its parent.
void ShowControlText(CWnd* parent, CWnd* control, UINT stringId);
// The control's window rectangle in the dialog's client coordinates.
CRect GetControlRect(CRect& out, CWnd* dialog, int controlId);
void GetControlPosSize(CONTROL_POS_SIZE& out, CWnd* dialog, int controlId);
