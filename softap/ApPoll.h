// What the AP worker's two-second poll keeps: the signal as a percentage, the
// tray states it shows through the front end, and the store of the driver's
// event log that the Event Log page lists. UI thread only.
#pragma once

#include "platform/Platform.h"
#include "softap/ApRecords.h"

// The strongest station's RSSI (dBm) as a percentage: -40 and above 100,
// -80..-41 2 x dBm + 180, -84..-81 (dBm + 84) x 5, below -84 0.
int RssiToPercent_AP(int dBm);
// The tray icon of a percentage: above 70 Good (190), 41..70 Normal (183),
// 40 and below Weak (186).
UINT TrayIconOfPercent_AP(int percent);

// A tray state: its icon, the state number the front end takes and the
// English text (translated when shown).
struct AP_TRAY_STATE {
  UINT IconId;
  int State;
  LPCSTR Text;
};
constexpr UINT kApTrayGood = 190;
constexpr UINT kApTrayNormal = 183;
constexpr UINT kApTrayWeak = 186;
constexpr UINT kApTrayLost = 194;
constexpr UINT kApTrayNotExist = 219;
// The state of an icon id; nullptr for an id of no state.
const AP_TRAY_STATE* FindApTrayState(UINT iconId);

// The event-log store: oldest first, at most 100 entries, and how many of
// them the Event Log page has listed ("shown").
constexpr INT_PTR kApEventLogCapacity = 100;
extern CArray<_VX_802_11_EVENT_LOG, const _VX_802_11_EVENT_LOG&> g_apEventLog;
extern int g_nApEventLogShown;
// Appends new entries; when the store would pass 100 the oldest go first and
// the shown counter falls by as many (not below 0).
void StoreApEvents(const std::vector<_VX_802_11_EVENT_LOG>& events);
// Empties the store and its counter.
void ClearApEventLog();
