// The channels the adapter may use where it is: the 2.4 GHz channels of the
// country region's low 7 bits (by chip family) and the 5 GHz channels of its
// bits 8-14, as the profile editor offers them and the site list keeps them.
#pragma once

#include "platform/Platform.h"

// Appends the 2.4 GHz channels of `region` (0..8; a higher region gets 1 to
// 11) for the chip family (0-1 and 4-8; other families get none) to
// `channels`, at most up to `capacity` entries in all; returns the new count.
int AppendBandGChannels(DWORD region, int family, BYTE* channels, int capacity, int count);

// Appends to `channels` (room for kMaxChannels numbers, *count of them in
// use) the channels the country region (g_dwCountryRegion) and chip family
// (g_nFamilyIndex) allow for a network of `networkType` (1 infrastructure,
// other ad hoc): the 2.4 GHz list unless the adapter works in the 5 GHz band
// only (infrastructure with station mode 2, ad hoc with ad hoc mode 3), then
// the 5 GHz list when the mode includes it (infrastructure: station mode 2, 3,
// 5 or 8; ad hoc: ad hoc mode 3, 4, 5 or 8). Nothing is written past the
// buffer.
void GetChannelList(int networkType, int stationMode, int adhocMode, BYTE* channels, int* count);
