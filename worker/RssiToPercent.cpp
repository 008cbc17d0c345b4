// The signal percentage of an RSSI, which the worker's verdicts and the link
// pages share; apart from the worker's dialog, so the pages link without it.
#include "worker/HideDlg.h"

int RssiToPercent(int dBm) {
  if (dBm >= -50) return 100;
  if (dBm >= -80) return (dBm + 80) * 26 / 10 + 24;
  if (dBm >= -90) return (dBm + 90) * 26 / 10;
  return 0;
}
