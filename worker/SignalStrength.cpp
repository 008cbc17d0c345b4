// The signal helpers of the worker module (declared in HideDlg.h), apart from
// the worker window so that pages and readers use them without it.
#include "worker/HideDlg.h"

int RssiToPercent(int dBm) {
  if (dBm >= -50) return 100;
  if (dBm >= -80) return (dBm + 80) * 26 / 10 + 24;
  if (dBm >= -90) return (dBm + 90) * 26 / 10;
  return 0;
}

UINT SignalVerdict(int percent) {
  if (percent >= 71) return kVerdictGood;
  if (percent >= 41) return kVerdictNormal;
  return kVerdictWeak;
}
