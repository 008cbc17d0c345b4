// CHideDlg's timer steps that both programs run: the 802.11n test switch
// copied into the driver key, the driver's WPS button polled (timer 5), the
// signal of a link as the connection state, and the list pages told that the
// site list changed.
#include <algorithm>
#include <cstring>

#include "worker/HideDlg.h"
#include "worker/OidRequest.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

constexpr UINT kWpsStatusPeriodMs = 200;
constexpr int kNoSignalDbm = -100;

}  // namespace

void CHideDlg::CopyTgnWifiTest() {
  char value[8] = "";
  GetModuleIniString("Advance", "TGnWiFiTest", "", value, sizeof value, "ini");
  const char* text = std::strcmp(value, "1") == 0 ? "1" : "0";
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return;
  // Every tick copies the switch; a value that already holds it is not written again.
  char stored[4] = "";
  DWORD size = sizeof stored, type = 0;
  const bool same = RegQueryValueEx(key, "TGnWifiTest", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size) ==
                        ERROR_SUCCESS &&
                    type == REG_SZ && size == 2 && std::memcmp(stored, text, 2) == 0;
  if (!same) RegSetValueEx(key, "TGnWifiTest", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 2);
  RegCloseKey(key);
}

void CHideDlg::QueryWpsPollValue() {
  // While the host's WPS page exists it watches the driver's button itself.
  if (CStationHost* host = GetHost(); host && host->IsWpsPageReady()) {
    KillTimer(kWpsPollValueTimer);
    return;
  }
  DWORD value = 0;
  if (!QueryDword(OID_VX_PRIVATE_0145, value) || value == 0) return;
  g_bWpsRunning = 1;
  g_bWpsRunTaken = 0;
  KillTimer(kWpsConnectTimer);
  KillTimer(kWpsStatusTimer);
  // While the host's WPS page exists it polls the run itself.
  if (!HasHostDlg()) SetTimer(kWpsStatusTimer, kWpsStatusPeriodMs, nullptr);
}

void CHideDlg::PostToListPages(UINT message, UINT wpsMessage) {
  CStationHost* host = GetHost();
  if (!host) return;
  CDialog* site = host->GetTabPage(kHostTabSiteSurvey);
  if (message && site && IsWindow(site->GetSafeHwnd())) site->PostMessage(message, 0, 0);
  CDialog* wps = host->GetTabPage(kHostTabWps);
  if (host->IsWpsPageReady() && wps) wps->PostMessage(wpsMessage, 0, 0);
}

void CHideDlg::SignalStep() {
  DWORD rssi0 = 0, rssi1 = 0;
  const bool first = QueryDword(OID_VX_RSSI0, rssi0);
  const bool second = QueryDword(OID_VX_RSSI1, rssi1);
  int rssi = kNoSignalDbm;
  if (first) rssi = static_cast<LONG>(rssi0);
  if (second) rssi = std::max(rssi, static_cast<int>(static_cast<LONG>(rssi1)));
  SetTrayState(g_bIcvError ? kVerdictWepError : SignalVerdict(RssiToPercent(rssi)));
}
