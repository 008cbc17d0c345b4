// The worker's rescan step (WavorelVista): run at start and after every
// rediscovery of the adapter, it reads what the adapter can do (A band,
// 40 MHz permissions, 802.11h, country region, driver version, radio), takes
// the adapter out of soft-AP mode, writes the soft-AP defaults, arms the
// worker's timers 8 (4000 ms) and 5 (1000 ms) and applies the stored current
// profile.
#pragma once

#include <functional>

#include "platform/Platform.h"
#include "worker/NativeWiFi.h"

// What the step needs of the worker.
struct RESCAN_CONTEXT {
  HWND worker = nullptr;              // owner of the timers
  UINT_PTR* timer8 = nullptr;         // where the worker keeps timer 8's id
  int* regionQueryFlag = nullptr;     // the worker's flag, 1 while the region is read
  // LoadAndApplyCurrentProfile of the profile pages.
  std::function<void(int, int, int)> applyCurrentProfile;
  // Shows the host dialog of the station pages.
  std::function<void()> showHost;
};

// `showHost` not 0: the host dialog is shown after the profile is applied.
void RunRescanStep(CNativeWiFi& client, const RESCAN_CONTEXT& context, int showHost);
