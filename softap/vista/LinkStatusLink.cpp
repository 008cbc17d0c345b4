// The AP link-status page's link in WavorelVista: the AP's Native Wi-Fi
// client's connection state, BSSID and SSID.
#include <algorithm>

#include "softap/ApModule.h"
#include "softap/LinkStatusPage_AP.h"
#include "worker/NativeWiFi.h"

BOOL CLinkStatusPage_AP::QueryLink(BOOL* connected, BYTE bssid[6]) {
  CNativeWiFi& client = GetApNativeWiFi();
  if (client.IsConnected(connected) != ERROR_SUCCESS) return FALSE;
  client.GetCurrentBssid(bssid);
  return TRUE;
}

CString CLinkStatusPage_AP::QueryLinkSsid() {
  DOT11_SSID ssid{};
  GetApNativeWiFi().GetCurrentSsid(&ssid);
  return CString(reinterpret_cast<const char*>(ssid.ucSSID),
                 static_cast<int>(std::min<ULONG>(ssid.uSSIDLength, sizeof ssid.ucSSID)));
}
