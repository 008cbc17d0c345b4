// Wavorel's site survey: which row of the page's copy of the site list the
// adapter is associated with, and when the page's 2-second timer asks the
// worker for a rescan. Window-free, so the page, its fuzz target and its
// tests share them.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "station/status/SiteList.h"

// The associated row found by one walk of the list.
struct SiteAssociation {
  int row = -1;           // the accepted row, else the last row with the BSSID, else -1
  bool accepted = false;  // a row with the BSSID passed the channel (and SSID) check
};

// The channel number of a DS frequency (kHz) by the channel table; -1 when
// no row holds it.
int SiteChannelOfFrequency(DWORD frequencyKhz);

// Walks the rows (their records at `offsets` in `list`) in order for the
// connected `bssid`. A row with that MAC address becomes the associated row;
// it is accepted when its channel is `channel` (never when `channel` is -1)
// and, with a `profileSsid`, when the row's SSID and that SSID agree in their
// first n bytes (n the longer length, at most 32) or either is empty. The walk
// ends at the first accepted row.
SiteAssociation FindAssociatedSiteRow(const BYTE* list, const std::vector<DWORD>& offsets,
                                      const std::vector<SiteRow>& rows, const BYTE bssid[6], int channel,
                                      const CString* profileSsid);

// One tick without a link: TRUE when a rescan is due. The counter is -3
// while a link stands, so the first rescan comes on the fourth tick without
// one (counter 0) and then one every 30 ticks.
BOOL DisconnectedTickWantsRescan(int& counter);

// One tick on which the connected BSSID had no accepted row: TRUE (and the
// counter back to 0) once the counter is above 5.
BOOL NotFoundTickWantsRescan(int& counter);
