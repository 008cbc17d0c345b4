// The AP worker's two-second poll in Wavorel (timer 0): the tray state from
// the AP's signal, the Zero Configuration service stopped on every tick, the
// driver's event log, "bCheckBuild" while the sheet is open, and the
// rediscovery of a lost adapter.
#include "frontend/UiBridge.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApPoll.h"
#include "softap/ApRecords.h"
#include "softap/HideDlg_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"

namespace {

// Whether the Zero Configuration service reports SERVICE_RUNNING.
bool zeroConfigurationRunning() {
  SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return false;
  bool running = false;
  if (SC_HANDLE service = OpenService(manager, "WZCSVC", SERVICE_QUERY_STATUS)) {
    SERVICE_STATUS status{};
    running = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return running;
}

}  // namespace

void CHideDlg_AP::StopZeroConfiguration() {
  if (zeroConfigurationRunning()) StopWzcService(0);
}

void CHideDlg_AP::OnTimer(UINT_PTR nIDEvent) {
  if (m_bBusy) return;
  Poll();
  CDialog::OnTimer(nIDEvent);
  if (!m_bAdapterFound || !IsApDeviceOpen()) Rediscover();
}

void CHideDlg_AP::Poll() {
  DWORD rssi = 0;
  // An unreadable signal leaves the tray as it was.
  if (m_bAdapterFound && IsApDeviceOpen() && QueryDriverDword_AP(OID_AP_RSSI, rssi))
    SetTrayState(TrayIconOfPercent_AP(RssiToPercent_AP(static_cast<int>(rssi))));
  StopZeroConfiguration();
  BYTE block[aprecord::eventlog::kSize] = {};
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_VX_EVENT_LOG, block, sizeof block, &returned)) StoreApEvents(ParseEventLogBlock(block, returned));
  if (IsSheetWindow()) {
    ReadApCheckBuild();
    m_pSheet->Refresh11nPage();
  }
}

void CHideDlg_AP::Rediscover() {
  KillTimer(kPollTimer);
  CloseSheet();
  m_bAdapterFound = EnumAdapters_AP();
  if (m_bRetiring) return;
  m_nPollTimer = SetTimer(kPollTimer, kPollMs, nullptr);
  SetTrayState(kApTrayNotExist);
  if (m_bAdapterFound) EnterApMode(FALSE);
}
