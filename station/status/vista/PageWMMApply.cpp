// The WMM page's re-applied connection in the WavorelVista build, through the
// Native Wi-Fi layer.
#include "station/status/PageWMMDlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/OidRequest.h"
#include "worker/WlanProfileOps.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr UINT IDS_WMM_CONNECTION_LOST = 311;
// Native Wi-Fi connection modes: by a stored profile, and the one the
// profile name is read for as well.
constexpr DWORD kConnectionModeProfile = 0;
constexpr DWORD kConnectionModeAuto = 4;
constexpr DWORD kConnectionModeUnknown = 5;

}  // namespace

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
