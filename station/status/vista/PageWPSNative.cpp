// The WPS page's members that reach the adapter through Native Wi-Fi
// (WavorelVista): dropping the link and the interface's profiles before a
// run, the link check of the automatic PIN walk, the profile of a deleted
// credential, and the rescan that ends with the worker's scan-ended message.
#include "station/status/PageWPSDlg.h"
#include "worker/ActionQueue.h"
#include "worker/NativeWiFi.h"
#include "worker/WlanProfileList.h"
#include "worker/WlanProfileXml.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

void CPageWPSDlg::DeleteAllNativeProfiles() {
  if (g_pNativeWiFi && g_pNativeWiFi->ProfileList()) g_pNativeWiFi->ProfileList()->DeleteAllProfiles();
}

// This build leaves the link the same way for every run.
void CPageWPSDlg::DropLinkAndProfiles(BOOL) {
  if (g_pNativeWiFi) g_pNativeWiFi->Disconnect();
  DeleteAllNativeProfiles();
}

void CPageWPSDlg::DisconnectLink() {
  if (!g_pNativeWiFi) return;
  g_pNativeWiFi->Disconnect();
  if (g_pNativeWiFi->OidSetter()) g_pNativeWiFi->OidSetter()->SetDisconnectOid();
}

void CPageWPSDlg::AfterDisconnect() { DeleteAllNativeProfiles(); }

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

void CPageWPSDlg::OnBnClickedDelete() {
  const int row = SelectedProfileRow();
  if (row < 0 || row >= WpsCredentialCount()) return;
  if (!g_bWpsRotate && g_bWpsConnect && row == g_nWpsCurrentIndex) {
    Disconnect();
    const WpsCredentialFields c = WpsCredentialAt(row);
    DeleteNativeProfileOfSsid(c.Ssid, c.SsidLength);
  }
  RemoveCredential(row);
  SaveWpsProfiles(0);
  LoadProfileList();
  UpdateButtons();
}

void CPageWPSDlg::StartRescanWait() { RequestRescan(); }

// The scan-ended message refills the list in this build; timers 1 and 3
// change nothing.
void CPageWPSDlg::OnRescanWaitEnded() {}
void CPageWPSDlg::OnRunLimitTick() {}
