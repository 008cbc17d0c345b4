// The WPS page's rows, window-free so the page and its fuzz target share
// them: the access points of a BSS list that carry a WPS element (in the
// band the WPS wireless mode asks for), the credential rows, and the texts
// the page reports to the front end.
#pragma once

#include <vector>

#include "platform/Platform.h"

// One listed access point.
struct WpsApEntry {
  int mark = 0;          // column 0 shows the picked image only for 1
  CString ssid;          // the SSID bytes cut to the SSID length
  CString bssid;         // "%02X-%02X-%02X-%02X-%02X-%02X"
  CString channel;       // "%u"; empty when the frequency has no channel
  CString passwordId;    // the WPS device password id ("0x%04X"), empty when unknown
  int secured = 0;       // privacy bit, or a security text other than "Unknown;None"
  int rssi = 0;
};

// One credential of the table.
struct WpsProfileEntry {
  int mark = -1;  // -1 none, 0 connected, 1 connecting
  CString ssid;
  CString second;  // always empty
  int secured = 0;  // 0 for an open record without encryption
};

// The WPS wireless modes (combo 1801): the band of the listed APs.
enum WpsWirelessMode { kWpsBand24 = 0, kWpsBand5 = 1, kWpsBandAuto = 2 };
constexpr int kWpsLastChannel24 = 14;

// Walks the BSS list of `size` bytes and appends an entry for each record
// whose elements fit its length, that carries a WPS element and whose
// channel lies in the band of `wirelessMode`. Each kept record is copied
// into `kept` (a list of `keptSize` bytes: count, then the records); a record
// that would not fit there ends the walk. Returns the number kept.
int BuildWpsApEntries(const BYTE* list, DWORD size, int wirelessMode, std::vector<WpsApEntry>& entries, BYTE* kept,
                      DWORD keptSize);
// Record `index` of a kept list and its Length, or null.
const BYTE* WpsKeptRecord(const BYTE* kept, DWORD size, int index, DWORD* length = nullptr);

// The credential rows of the module's table.
std::vector<WpsProfileEntry> MakeWpsProfileEntries();

// Code 85: "id"TAB"ssid"TAB"channel" per AP; code 87: "ssid"TAB"second" per
// credential; rows joined by CR LF, each field through MakeNotifyField.
CString MakeWpsApRowsText(const std::vector<WpsApEntry>& entries);
CString MakeWpsProfileRowsText(const std::vector<WpsProfileEntry>& entries);
