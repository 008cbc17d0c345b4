// The INI profile store of WavorelVista: the station's profile list, the
// current-profile state and the WPS credentials, one set of files per adapter.
// A file is the folder + the chip family's prefix ("VX52PCI_" ... "VX31_")
// + the adapter's GUID text (the caller's name part) + the kind's suffix,
// without extension:
//   kind 0 "_sta"  section "Config": the active profile's keys, "CurProfile",
//                  "WSC", "ActiveTime"
//   kind 1 "_ap"   the AP side ("ICS")
//   kind 2 "_prof" one section per station profile, named by the profile
//   kind 3 "_wsc"  "Common" and "Profile%d" of the WPS credentials
// The folder is the program folder when the folder flag is 1, else the data
// folder; the profile listing, the section delete, the clear and the copy
// always use the data folder. Readers and writers go through the
// private-profile functions; the section delete rewrites the file through a
// temporary file and a rename, so a failure leaves the old file whole.
//
// Values: "SSID" is kept as hexadecimal text, two digits per byte ("%02X"),
// with "SSID_inHex" = "1" beside it; a value that starts or ends with a blank
// or a quote is written inside double quotes, which the reader strips. A
// section name, key or value holding CR or LF, or a section name holding "]",
// is refused: nothing is written, the refusal is logged and FALSE returned.
// Vista-only (worker/vista/).
#pragma once

#include <string>

#include "platform/Platform.h"
#include "worker/WholeFile.h"

constexpr int kIniKindStation = 0;
constexpr int kIniKindAp = 1;
constexpr int kIniKindProfiles = 2;
constexpr int kIniKindWps = 3;

// The 54 station profile keys in table order.
constexpr int kProfileKeyCount = 54;
extern const char* const g_profileKeys[kProfileKeyCount];

// TRUE when two section names are the same to the private-profile functions:
// blanks at their ends left out, letters compared case-insensitively.
BOOL IsSameSectionName(LPCSTR a, LPCSTR b);

// The store's file of `kind` for the adapter `namePart` (a kind outside the
// table adds no suffix; a family outside 0..8 no prefix).
CString IniProfileFileName(const CString& namePart, int kind, int folderFlag);

// Reads `key` of `section` into `out` (room for `size` bytes, at least 1),
// empty when missing, cut to the buffer and always terminated. With the key
// "SSID" and the section's "SSID_inHex" = "1" the hexadecimal text is decoded
// (a blank counts as 0) into at most 32 bytes; a text of odd length or with
// characters other than hexadecimal digits and blanks comes back as stored.
void ReadIniValue(const CString& namePart, int kind, const CString& section, const CString& key, char* out, int size,
                  int folderFlag);
// Writes `key` = `value` into `section`; "SSID" as hexadecimal text of the
// value (up to its terminator) with "SSID_inHex" = "1". FALSE when refused or
// the file cannot be written.
BOOL WriteIniValue(const CString& namePart, int kind, const CString& section, const CString& key, LPCSTR value,
                   int folderFlag);
// Writes an empty value for each of the 54 keys into the profile's section of
// the "_prof" file (before a profile is saved again).
BOOL ClearIniProfileSection(const CString& namePart, const CString& profileName);
// Copies the 54 keys (values up to 127 characters) from the profile's section
// of the "_prof" file into section "Config" of the "_sta" file.
BOOL CopyProfileToConfigSection(const CString& namePart, const CString& profileName);
// Empties `names`, then appends the section names of the "_prof" file in file
// order, all of them however long the list.
void ListIniSectionNames(const CString& namePart, CStringArray* names);
// Removes every section named `profileName` (compared as the private-profile
// functions compare section names: trimmed, case-insensitive) from the
// "_prof" file; lines before the first section stay. FALSE when the file is
// missing or cannot be rewritten (it is then unchanged).
BOOL RewriteStationProfileFile(const CString& namePart, const CString& profileName);
