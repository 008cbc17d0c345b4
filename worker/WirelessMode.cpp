// The wireless-mode maps of the worker module.
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

int WirelessModeToAdhocMode(int mode, int& adhoc) {
  static const int kAdhoc[] = {1, 0, 3, 4, 2, 5, 6, -1, 8, 9};
  if (mode < 0 || mode > 9 || kAdhoc[mode] < 0) return 0;
  adhoc = kAdhoc[mode];
  return 1;
}

void AdjustWirelessMode(int& mode) {
  if (mode == 7) mode = 4;
  else if (mode == 10) mode = 2;
  if (!g_bSupportBandA) {
    if (mode == 2 || mode == 3) mode = 0;
    else if (mode == 5 || mode == 8) mode = 9;
  }
  if (!g_bHtFamily) {
    switch (mode) {
      case 5: mode = 3; break;
      case 6: mode = 0; break;
      case 8: mode = 2; break;
      case 9: mode = 0; break;
      default: break;
    }
  }
}
