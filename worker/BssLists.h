// The station worker's BSS lists: the site list the pages show is rebuilt
// from each fresh scan but keeps, for the age limit, networks that the scan
// missed, so that a network does not flicker out of the list for one missed
// beacon. Each site-list entry has a last-seen time stamp (FILETIME) in
// list order. Both lists are NDIS_802_11_BSSID_LIST_EX buffers of
// kBssListSize bytes (WorkerGlobals.h). UI thread only.
#pragma once

#include "platform/Platform.h"

// One stamp per site-list entry.
constexpr int kSiteStampCapacity = 1024;
extern FILETIME g_siteStamps[kSiteStampCapacity];
void ClearSiteStamps();
// How long (seconds) a network the scans miss stays in the site list.
extern int g_nSiteAgeLimit;

// Calls `visit(record, length)` for each record of a BSS list of `size`
// bytes, in order, up to its count; the walk ends at a record whose Length is
// below the record head or that would pass the end of the list.
template <typename Visit>
void WalkBssList(const BYTE* list, DWORD size, Visit&& visit);

// Rebuilds `siteList` (and the stamps) from `scanList`: every fresh record
// stamped `now`, then each old site-list entry that the scan does not list
// (by MAC address), that was seen less than the age limit before `now` and
// whose channel is among `channels`; kept entries go in newest first while
// they fit. Both lists are kBssListSize bytes.
void RebuildSiteList(const BYTE* scanList, BYTE* siteList, const BYTE* channels, int channelCount,
                     const FILETIME& now);

// TRUE when the channel of a centre frequency (kHz) in the 49-row channel
// table is among `channels`; a frequency the table lacks is not allowed.
BOOL IsAllowedFrequency(DWORD frequencyKhz, const BYTE* channels, int channelCount);
// Removes in place every record of a BSS list of `size` bytes whose channel
// is not allowed, the count rewritten; the walk's rules bound it.
void DropDisallowedBssRecords(BYTE* list, DWORD size, const BYTE* channels, int channelCount);

// The DS frequency (kHz) of the first site-list record with that MAC address;
// 2412000 when the list is missing or holds none.
DWORD GetBssFrequency(const BYTE bssid[6]);

// ---- implementation of the walk ----
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"

template <typename Visit>
void WalkBssList(const BYTE* list, DWORD size, Visit&& visit) {
  using namespace wavorel::wire::ndis::bssid;
  using wavorel::wire::ndis::kListHeadSize;
  using wavorel::wire::ndis::kListNumberOfItems;
  if (!list || size < kListHeadSize) return;
  const DWORD count = wavorel::wire::getU32(list + kListNumberOfItems);
  DWORD at = kListHeadSize;
  for (DWORD i = 0; i < count && size - at >= kHeadSize; ++i) {
    const DWORD length = wavorel::wire::getU32(list + at + kLength);
    if (length < kHeadSize || length > size - at) return;
    visit(list + at, length);
    at += length;
  }
}
