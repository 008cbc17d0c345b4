// The WPS page's members that reach the adapter through Native Wi-Fi
// (WavorelVista): dropping the link and the interface's profiles before a
// run, the link check of the automatic PIN walk, and the profile of a
// deleted credential.
#include "station/status/PageWPSDlg.h"
#include "worker/NativeWiFi.h"
#include "worker/WlanProfileList.h"
#include "worker/WlanProfileXml.h"
#include "worker/WorkerGlobals.h"

void CPageWPSDlg::DeleteAllNativeProfiles() {
  if (g_pNativeWiFi && g_pNativeWiFi->ProfileList()) g_pNativeWiFi->ProfileList()->DeleteAllProfiles();
}

void CPageWPSDlg::DropLinkAndProfiles() {
  if (g_pNativeWiFi) g_pNativeWiFi->Disconnect();
  DeleteAllNativeProfiles();
}

void CPageWPSDlg::DisconnectLink() {
  if (!g_pNativeWiFi) return;
  g_pNativeWiFi->Disconnect();
  if (g_pNativeWiFi->OidSetter()) g_pNativeWiFi->OidSetter()->SetDisconnectOid();
}

BOOL CPageWPSDlg::IsLinkConnected() {
  BOOL connected = FALSE;
  return g_pNativeWiFi && g_pNativeWiFi->IsConnected(&connected) == ERROR_SUCCESS && connected;
}

void CPageWPSDlg::DeleteNativeProfileOfSsid(const BYTE* ssid, DWORD length) {
  CWlanProfileList* profiles = g_pNativeWiFi ? g_pNativeWiFi->ProfileList() : nullptr;
  if (!profiles) return;
  // The SSID's own length: a 32-byte SSID has no terminator to stop at.
  const CString name = WlanProfileNameOfSsid(ssid, length);
  WCHAR wide[WLAN_MAX_NAME_LENGTH] = {};
  MultiByteToWideChar(CP_ACP, 0, name, -1, wide, WLAN_MAX_NAME_LENGTH - 1);
  profiles->DeleteProfile(wide);
}
