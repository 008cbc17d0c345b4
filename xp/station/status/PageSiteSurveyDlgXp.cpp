// The site survey page's members that reach the adapter in Wavorel: driver
// codes for the link, the station worker's site list and action queue for
// scans and connections, the supplicant's port for secured networks.
#include <algorithm>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "worker/ActionQueue.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/AuthStatus.h"
#include "xp/supplicant/UiRequestThread.h"
#include "xp/station/status/SiteAssociation.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

constexpr int kSortButtonIds[] = {IDC_SS_SORT_SSID, IDC_SS_SORT_CHANNEL, IDC_SS_SORT_SIGNAL};
constexpr int kLabelIds[] = {IDC_SS_SSID_LABEL, IDC_SS_CHANNEL_LABEL, IDC_SS_SIGNAL_LABEL, IDC_SS_SHOW_DBM_LABEL};
// OID_VX_PRIVATE_0111's station configuration block: 8 words, the fifth the
// ad hoc OFDM value.
constexpr DWORD kStationConfigSize = 32;
constexpr int kAdhocOfdmWord = 4;
// OID_802_11_CONFIGURATION: 32 bytes, DSConfig (kHz) at byte 12.
constexpr DWORD kConfigurationSize = 32;
constexpr int kDsConfigWord = 3;

bool IsWpaKind(int kind) { return kind >= 1 && kind <= 5; }

// OID_GEN_MEDIA_CONNECT_STATUS: 0 connected; a failed query leaves 0.
DWORD MediaConnectStatus() {
  DWORD status = 0, returned = 0;
  QueryOid(OID_GEN_MEDIA_CONNECT_STATUS, &status, sizeof status, &returned);
  return status;
}

// The channel the adapter is on, -1 when the driver does not say.
int CurrentChannel() {
  DWORD configuration[kConfigurationSize / sizeof(DWORD)] = {};
  DWORD returned = 0;
  if (!QueryOid(OID_802_11_CONFIGURATION, configuration, kConfigurationSize, &returned)) return -1;
  return SiteChannelOfFrequency(configuration[kDsConfigWord]);
}

}  // namespace

// The worker's supplicant port state once the supplicant selected the adapter.
constexpr int kSupplicantSelectedAdapter = 6;

bool CPageSiteSurveyDlg::AdapterTakesSecurity() {
  return XpWorkerState().SupplicantPortState == kSupplicantSelectedAdapter;
}

void CPageSiteSurveyDlg::MarkConnectionFromSite() {
  SetAuthFailureKind(kAuthFailureActivation);
  if (IsPromptActive()) EndPromptDialog();
  g_bConnectedByProfile = 0;
}

void CPageSiteSurveyDlg::StartAdapterView() {
  m_bRescanPending = 1;
  DWORD block[kStationConfigSize / sizeof(DWORD)] = {};
  DWORD returned = 0;
  if (QueryOid(OID_VX_PRIVATE_0111, block, kStationConfigSize, &returned)) m_dwAdhocOfdm = block[kAdhocOfdmWord];
}

LRESULT CPageSiteSurveyDlg::OnBssListReady(WPARAM, LPARAM) {
  RebuildList();
  return 0;
}

void CPageSiteSurveyDlg::RefreshConnection() {
  if (m_bRescanPending) {
    if (XpWorkerState().ScanPending) return;
    RebuildList();
    m_bRescanPending = 0;
  }
  if (ConfigToolMode == kConfigToolZeroConfig) {
    m_bByBssid = 0;
    m_bBySsid = 0;
  }
  int row = -1;
  const DWORD status = MediaConnectStatus();
  const bool anyBssid = std::any_of(std::begin(g_currentBssid), std::end(g_currentBssid), [](BYTE b) { return b; });
  if (!g_bRadioOn) {
    m_rows.clear();
    m_rowOffsets.clear();
    NotifyUI(BRIDGE_UI_SURVEY_ROW, "", TRUE);
    m_list.SetItemCount(0);
    m_list.Invalidate();
  } else if (status == 0 && anyBssid) {
    m_nConnectedState = kSiteConnectedKnown;
    m_bRescanPending = 0;
    // A link made from a stored profile must also carry that profile's SSID.
    CString profileSsid;
    const _PROFILE_DATA* profile = g_bConnectedByProfile == 1 ? GetCurrentProfile() : nullptr;
    if (profile)
      profileSsid = CString(reinterpret_cast<const char*>(profile->Ssid.Ssid),
                            static_cast<int>(std::min<ULONG>(profile->Ssid.SsidLength, sizeof profile->Ssid.Ssid)));
    const SiteAssociation found = FindAssociatedSiteRow(m_siteCopy.get(), m_rowOffsets, m_rows, g_currentBssid,
                                                        CurrentChannel(), profile ? &profileSsid : nullptr);
    row = found.row;
    if (!found.accepted && NotFoundTickWantsRescan(m_nNotFoundTicks)) {
      m_bRescanPending = 1;
      RequestRescan();
    }
  } else if (DisconnectedTickWantsRescan(m_nConnectedState)) {
    m_bRescanPending = 1;
    RequestRescan();
  }
  MarkConnected(row, status != 0);
}

void CPageSiteSurveyDlg::UpdateButtons() {
  const BOOL ready = g_bRadioOn && !m_bRescanPending;
  m_btnRescan.EnableWindow(ready);
  for (int id : kLabelIds)
    if (CWnd* label = GetDlgItem(id)) label->EnableWindow(ready);
  for (int id : kSortButtonIds)
    if (CWnd* radio = GetDlgItem(id)) radio->EnableWindow(ready);
  m_checkShowDbm.EnableWindow(ready);
  const BOOL connectable = ConfigToolMode != kConfigToolZeroConfig && ready && m_list.GetItemCount() > 0 &&
                           (AdapterTakesSecurity() || !IsWpaKind(m_nSecurityKind));
  m_btnConnect.EnableWindow(connectable);
  m_btnAddToProfile.EnableWindow(connectable && g_bAdministrator);
}

void CPageSiteSurveyDlg::QueueConnection() {
  if (!m_pConnectRecord) return;
  ClearConfigSection();
  if (!g_pHideDlg) return;
  std::unique_ptr<_PROFILE_DATA> copy;
  CopyProfileData(copy, m_pConnectRecord.get());
  if (g_pHideDlg->AddAction(kActionConnect, std::move(copy))) g_pHideDlg->ProcessActions();
}
