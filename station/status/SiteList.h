// The site survey's view of a BSS list (NDIS_802_11_BSSID_LIST_EX, records
// chained by their Length): the rows the page shows, the texts it reports to
// the front end and the in-place sort of the worker's list. Window-free, so
// the page, its fuzz target and its benchmark share them.
#pragma once

#include <vector>

#include "platform/Platform.h"

// One row of the site list.
struct SiteRow {
  int connected = 0;           // 1 on the row of the BSS the adapter is connected to
  int infrastructureMode = 0;  // the record's InfrastructureMode
  CString ssid;
  int networkType = 0;  // NetworkTypeInUse
  CString channelText;
  int secured = 0;  // Privacy, or a security text other than "Unknown;None"
  int wps = 0;      // the record carries a WPS element
  int ht = 0;       // the record carries 802.11n information
  int rssi = 0;     // dBm, -100 at the weakest
};

// The sort keys of the radio group.
enum SiteSortKey { kSiteSortSsid = 0, kSiteSortChannel = 1, kSiteSortSignal = 2 };

// The SSID of a record: its SsidLength bytes (cut to 32), ending at the first
// zero byte, so an SSID of zero bytes reads as the empty (hidden) SSID.
CString SiteSsid(const BYTE* record);
// The record's Rssi as the list shows it: values below -100 dBm read -100.
int SiteRssi(const BYTE* record);
// The list's channel text of a DSConfig (kHz): "J8", "J12", "J16" for the
// Japanese channels, else "%u" of the channel; empty when the table has none.
CString SiteChannelText(DWORD frequencyKhz);
// The detail report's channel text: "J8 <--> %d MHz".., "%u <--> %d MHz";
// empty when the table has none.
CString SiteDetailChannelText(DWORD frequencyKhz);
// The channel number the sort by channel uses: 0 when the table has none.
int SiteChannelNumber(DWORD frequencyKhz);
// A record the page shows: its Length covers its head and its element area.
bool IsShownSiteRecord(const BYTE* record, DWORD length);

// Calls `visit(record, length)` for each shown record of a list of `size`
// bytes: the walk steps by each record's Length and ends at a Length below the
// record head or one that would pass the end of the list; records whose
// element area does not fit their Length are stepped over.
template <typename Visit>
void ForEachSiteRecord(const BYTE* list, DWORD size, Visit&& visit);

// The row of one shown record (connected 0). A WPS or 802.11n flag that its
// attribute list is too short to hold reads as "FALSE".
SiteRow MakeSiteRow(const BYTE* record, DWORD length);
// The rows of a list, in list order, and with `offsets` each row's record
// offset in the list.
void BuildSiteRows(const BYTE* list, DWORD size, std::vector<SiteRow>& rows, std::vector<DWORD>* offsets = nullptr);
// The code 26 text: one line per row, joined by "\r\n".
CString MakeSurveyRowsText(const std::vector<SiteRow>& rows);
// The two fields of the record's security text (selector 0 split at ";");
// false when it has fewer.
bool SiteSecurityFields(const BYTE* record, DWORD length, CString& auth, CString& cipher);
// The network type text of the detail report.
LPCSTR SiteNetworkTypeText(DWORD infrastructureMode);
// The BSSID text of the detail report, "%02X-%02X-%02X-%02X-%02X-%02X".
CString SiteBssidText(const BYTE* record);

// Sorts a list of `size` bytes in place by `key` (equal keys keep their
// order) and rewrites `stamps` (one per record, `stampCount` of them) in the
// new order. A list that is missing, empty or sorted by another key is left
// alone; records after the first one the walk cannot step over are dropped.
void SortSiteList(BYTE* list, DWORD size, FILETIME* stamps, int stampCount, int key);

// ---- implementation of the walk ----
#include "worker/BssLists.h"

template <typename Visit>
void ForEachSiteRecord(const BYTE* list, DWORD size, Visit&& visit) {
  WalkBssList(list, size, [&](const BYTE* record, DWORD length) {
    if (IsShownSiteRecord(record, length)) visit(record, length);
  });
}
