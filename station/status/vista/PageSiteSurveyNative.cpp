// The site survey page's members that reach the adapter through Native Wi-Fi
// (WavorelVista): the radio state, the worker's list rebuilt on a new scan,
// the connected row of the timer, the buttons' enabling and the hand-over of
// a connection to the worker.
#include <algorithm>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/NdisBssidList.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "worker/ActionQueue.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/ProfileStore.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr int kSortButtonIds[] = {IDC_SS_SORT_SSID, IDC_SS_SORT_CHANNEL, IDC_SS_SORT_SIGNAL};
constexpr int kLabelIds[] = {IDC_SS_SSID_LABEL, IDC_SS_CHANNEL_LABEL, IDC_SS_SIGNAL_LABEL, IDC_SS_SHOW_DBM_LABEL};

bool IsOpened() { return g_pNativeWiFi && g_pNativeWiFi->IsOpened(); }

}  // namespace

void CPageSiteSurveyDlg::StartAdapterView() {
  DWORD soft = 0, hard = 0;
  if (g_pNativeWiFi && g_pNativeWiFi->GetRadioState(&soft, &hard) == ERROR_SUCCESS) g_bRadioOn = soft ? 1 : 0;
  if (g_bRadioOn) OnRescan();
}

bool CPageSiteSurveyDlg::AdapterTakesSecurity() { return g_nAdapterState == kAdapterReady; }

void CPageSiteSurveyDlg::MarkConnectionFromSite() {}

LRESULT CPageSiteSurveyDlg::OnBssListReady(WPARAM, LPARAM) {
  if (g_pHideDlg) g_pHideDlg->UpdateBssList();
  RebuildList();
  return 0;
}

void CPageSiteSurveyDlg::RefreshConnection() {
  if (m_bRescanPending) {
    if (g_bScanRunning) return;
    RebuildList();
    m_bRescanPending = 0;
  }
  BOOL connected = FALSE;
  DWORD soft = 0, hard = 0;
  if (g_pNativeWiFi) {
    g_pNativeWiFi->IsConnected(&connected);
    if (g_pNativeWiFi->GetRadioState(&soft, &hard) == ERROR_SUCCESS && static_cast<int>(soft != 0) != g_bRadioOn) {
      if (CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr) host->SetRadioPicture(soft != 0);
      OnBssListReady(0, 0);
      g_bRadioOn = soft ? 1 : 0;
    }
  }
  int row = -1;
  const bool anyBssid = std::any_of(std::begin(g_currentBssid), std::end(g_currentBssid), [](BYTE b) { return b; });
  if (connected && g_bRadioOn && anyBssid) {
    m_nConnectedState = kSiteConnectedKnown;
    m_bRescanPending = 0;
    for (int i = GetRowCount() - 1; i >= 0; --i) {
      if (std::memcmp(RecordOfRow(i) + wavorel::wire::ndis::bssid::kMacAddress, g_currentBssid, 6) == 0) {
        row = i;
        break;
      }
    }
  }
  if (!g_bRadioOn) {
    m_rows.clear();
    m_rowOffsets.clear();
    NotifyUI(BRIDGE_UI_SURVEY_ROW, "", TRUE);
    m_list.SetItemCount(GetRowCount());
    m_list.Invalidate();
  }
  MarkConnected(row, !connected);
}

void CPageSiteSurveyDlg::UpdateButtons() {
  const bool ready = IsOpened();
  const BOOL idle = g_bRadioOn && !m_bRescanPending && ready;
  m_btnRescan.EnableWindow(idle);
  for (int id : kLabelIds)
    if (CWnd* label = GetDlgItem(id)) label->EnableWindow(idle);
  for (int id : kSortButtonIds)
    if (CWnd* radio = GetDlgItem(id)) radio->EnableWindow(idle);
  m_checkShowDbm.EnableWindow(idle);
  const bool kindAllowed = m_nSecurityKind < 1 || m_nSecurityKind > 5;
  const BOOL connectable =
      idle && GetRowCount() > 0 && (AdapterTakesSecurity() || kindAllowed);
  m_btnConnect.EnableWindow(connectable);
  m_btnAddToProfile.EnableWindow(connectable);
  if (!ready) OnBssListReady(0, 0);
}

void CPageSiteSurveyDlg::QueueConnection() {
  if (!m_pConnectRecord) return;
  // This build's worker connects through Native Wi-Fi.
  m_pConnectRecord->ConnectThroughNativeWiFi = 1;
  ClearConfigSection();
  if (!g_pHideDlg) return;
  std::unique_ptr<_PROFILE_DATA> copy;
  CopyProfileData(copy, m_pConnectRecord.get());
  if (g_pHideDlg->AddAction(kActionConnect, std::move(copy))) g_pHideDlg->ProcessActions();
}
