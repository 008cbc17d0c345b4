// The WPS page's members that reach the adapter in Wavorel: the supplicant's
// port and driver codes end the link, the driver's media state tells whether
// it stands, the registry keeps the credentials, and a rescan is waited for on
// timer 1.
#include "station/status/PageWPSDlg.h"
#include "worker/ActionQueue.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/supplicant/PortManager.h"
#include "xp/worker/WpsRegistryStore.h"
#include "xp/worker/XpWorker.h"

namespace {

constexpr int kSetTries = 3;
constexpr DWORD kOpenAuthentication = 0;
// The wait after a rescan: longer in the wireless modes that scan both bands.
constexpr UINT kRescanWaitMs = 3500;
constexpr UINT kDualBandRescanWaitMs = 5500;

void StopSupplicantPort() {
  if (SupplicantIsInitialised()) pmStop();
}

void Disassociate() {
  DWORD written = 0;
  SetOid(OID_802_11_DISASSOCIATE, nullptr, 0, &written, kSetTries);
}

}  // namespace

void CPageWPSDlg::DropLinkAndProfiles(BOOL disassociate) {
  StopSupplicantPort();
  DWORD mode = kOpenAuthentication, written = 0;
  SetOid(OID_802_11_AUTHENTICATION_MODE, &mode, sizeof mode, &written, kSetTries);
  if (disassociate) Disassociate();
}

// This build keeps no Native Wi-Fi profiles.
void CPageWPSDlg::DeleteAllNativeProfiles() {}

void CPageWPSDlg::DisconnectLink() {
  StopSupplicantPort();
  Disassociate();
}

void CPageWPSDlg::AfterDisconnect() { LoadAndApplyCurrentProfile(FALSE, 0, 0); }

BOOL CPageWPSDlg::IsLinkConnected() {
  DWORD status = 0, returned = 0;
  QueryOid(OID_GEN_MEDIA_CONNECT_STATUS, &status, sizeof status, &returned);
  return status == 0;
}

void CPageWPSDlg::OnBnClickedDelete() {
  const int row = SelectedProfileRow();
  if (row < 0 || row >= WpsCredentialCount()) return;
  RemoveCredential(row);
  SaveWpsCredentialsToRegistry();
  LoadProfileList();
  // The link of the deleted credential ends once it is gone from the store.
  if (!g_bWpsRotate && g_bWpsConnect && row == g_nWpsCurrentIndex) OnBnClickedDisconnect();
  UpdateButtons();
}

void CPageWPSDlg::StartRescanWait() {
  RequestRescan();
  const bool dualBand = g_nWirelessMode == 2 || g_nWirelessMode == 3;
  SetTimer(kWpsRescanWaitTimer, dualBand ? kDualBandRescanWaitMs : kRescanWaitMs, nullptr);
}

void CPageWPSDlg::OnRescanWaitEnded() {
  BuildApList();
  UpdateButtons();
  KillTimer(kWpsRescanWaitTimer);
  OnScanEnded(0, 0);
  if (m_bAutoSelect && g_nWpsMethod == kWpsMethodPin && g_nWpsAutoApIndex == -1) OnBnClickedPin();
}

void CPageWPSDlg::OnRunLimitTick() {
  XP_WORKER_STATE& worker = XpWorkerState();
  if (!worker.ScanList) worker.ScanList = std::make_unique<BYTE[]>(kBssListSize);
  DWORD returned = 0;
  QueryOid(OID_802_11_BSSID_LIST, worker.ScanList.get(), kBssListSize, &returned);
  BuildApList();
  UpdateButtons();
}
