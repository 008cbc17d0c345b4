// The WMM page's switch of WMM itself and the re-applied connection, through
// the Native Wi-Fi layer of the WavorelVista build.
#include "frontend/BridgeCodes.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "station/status/PageWMMDlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/OidRequest.h"
#include "worker/StationHost.h"
#include "worker/WlanProfileOps.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr UINT IDS_WMM_CONNECTION_LOST = 311;
constexpr char kDefaultTimeout[] = "60";
// Native Wi-Fi connection modes: by a stored profile, and the one the
// profile name is read for as well.
constexpr DWORD kConnectionModeProfile = 0;
constexpr DWORD kConnectionModeAuto = 4;
constexpr DWORD kConnectionModeUnknown = 5;

}  // namespace

void CPageWMMDlg::OnWmmApply() {
  UpdateData(TRUE);
  if (m_bWmm) {
    m_strWmmStatus = LoadText(IDS_WMM_ENABLED);
    UpdateData(FALSE);
    EnableIds({IDC_WMM_POWER_SAVE, 1507, IDC_WMM_DLS, 1510}, TRUE);
  } else {
    m_strWmmStatus = m_strPowerSaveStatus = m_strDlsStatus = LoadText(IDS_WMM_DISABLED);
    EnableIds({IDC_WMM_POWER_SAVE, 1507, IDC_WMM_DLS, 1510}, FALSE);
    EnableAcControls(FALSE);
    EnableIds({IDC_WMM_DLS_LIST, 1562, 1566, 1608}, FALSE);
    m_bDls = 0;
    m_bPowerSave = 0;
    m_strTimeout = kDefaultTimeout;
    UpdateData(FALSE);
    EnableIds({IDC_WMM_DLS_APPLY, IDC_WMM_DLS_TEAR_DOWN, IDC_WMM_TIMEOUT}, FALSE);
    for (int id : IDC_WMM_MAC_EDITS) EnableIds({id}, FALSE);
  }
  DWORD word = QueryApsdWord();
  if (!m_bWmm) {
    word &= 0x7E;
    WriteWmmRegistryValues(1, 1, 1, 0, 0, 0);
  } else {
    word &= m_bPowerSave == 1 ? 0x7F : 0x7E;
    WriteWmmRegistryValues(0, 0, 1, 0, 0, 1);
  }
  SetWmmOids(1, 1, 1, word, static_cast<DWORD>(m_bDls), static_cast<BYTE>(m_bWmm));
  ReapplyConnection();
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  if (host && g_bRadioOn)
    if (CDialog* survey = host->GetTabPage(kHostTabSiteSurvey))
      survey->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_SS_RESCAN, BN_CLICKED), 0);
}

void CPageWMMDlg::ReapplyConnection() {
  BOOL connected = FALSE;
  if (!g_pNativeWiFi) return;
  g_pNativeWiFi->IsConnected(&connected);
  if (!connected) return;
  DWORD mode = kConnectionModeUnknown;
  g_pNativeWiFi->GetConnectionMode(&mode);
  DWORD bssType = dot11_BSS_type_infrastructure;
  WCHAR profile[WLAN_MAX_NAME_LENGTH] = {};
  if (mode == kConnectionModeProfile || mode == kConnectionModeAuto) {
    g_pNativeWiFi->GetProfileName(profile);
    g_pNativeWiFi->GetBssType(&bssType);
  }
  g_pNativeWiFi->Disconnect();
  if (mode == kConnectionModeProfile) {
    DOT11_SSID ssid{};
    if (CWlanProfileOps* ops = g_pNativeWiFi->ProfileOps())
      ops->Connect(profile, nullptr, static_cast<DOT11_BSS_TYPE>(bssType), &ssid, kConnectionModeProfile, nullptr,
                   FALSE, FALSE);
  } else {
    WarningMessageBox(LoadText(IDS_WMM_CONNECTION_LOST));
  }
  DWORD ccx = 0;
  ReadCcx2Control(ccx);
  SetCcxControl(1, ccx);
}
