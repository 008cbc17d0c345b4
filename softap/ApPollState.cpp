// What the AP worker's poll keeps: the signal's tray state and the store of
// the driver's event log (shared by both programs' AP workers).
#include <algorithm>

#include "softap/ApPoll.h"

CArray<_VX_802_11_EVENT_LOG, const _VX_802_11_EVENT_LOG&> g_apEventLog;
int g_nApEventLogShown = 0;

namespace {

const AP_TRAY_STATE kTrayStates[] = {
    {kApTrayGood, 3, "Soft AP  Status : Good"},
    {kApTrayNormal, 4, "Soft AP  Status : Normal"},
    {kApTrayWeak, 5, "Soft AP  Status : Weak"},
    {kApTrayLost, 0, "Soft AP  Status : Lost"},
    {kApTrayNotExist, 1, "Soft AP  Status : Not Exist"},
};

}  // namespace

int RssiToPercent_AP(int dBm) {
  if (dBm >= -40) return 100;
  if (dBm >= -80) return 2 * dBm + 180;
  if (dBm < -84) return 0;
  return (dBm + 84) * 5;
}

UINT TrayIconOfPercent_AP(int percent) {
  if (percent > 70) return kApTrayGood;
  if (percent > 40) return kApTrayNormal;
  return kApTrayWeak;
}

const AP_TRAY_STATE* FindApTrayState(UINT iconId) {
  for (const AP_TRAY_STATE& state : kTrayStates)
    if (state.IconId == iconId) return &state;
  return nullptr;
}

void StoreApEvents(const std::vector<_VX_802_11_EVENT_LOG>& events) {
  const INT_PTR incoming = static_cast<INT_PTR>(events.size());
  const INT_PTR excess = std::min(g_apEventLog.GetSize() + incoming - kApEventLogCapacity, g_apEventLog.GetSize());
  if (excess > 0) {
    g_apEventLog.RemoveAt(0, excess);
    g_nApEventLogShown = std::max(0, g_nApEventLogShown - static_cast<int>(excess));
  }
  for (const _VX_802_11_EVENT_LOG& event : events) g_apEventLog.Add(event);
}

void ClearApEventLog() {
  g_apEventLog.RemoveAll();
  g_nApEventLogShown = 0;
}
