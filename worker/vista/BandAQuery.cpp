#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"

DWORD QueryBandA(CNativeWiFi& client) {
  g_bSupportBandA = 0;
  BOOL bandA = FALSE;
  const DWORD result = client.SupportsBandA(&bandA);
  g_bSupportBandA = bandA ? 1 : 0;
  return result;
}
