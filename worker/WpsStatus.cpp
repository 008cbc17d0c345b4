// The worker's WPS steps both programs share: the status step of timer 6
// (a finished run's credentials taken, stored and connected once) and the
// credential rotation of timer 4.
#include "worker/HideDlg.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

int g_bWpsRunTaken = 0;

namespace {

constexpr UINT kWpsConnectPeriodMs = 10000;

}  // namespace

void CHideDlg::CheckWpsStatus() {
  DWORD status = 0, returned = 0;
  if (!QueryOid(OID_VX_WPS_STATUS, &status, sizeof status, &returned) || returned < sizeof status) return;
  g_dwWpsStatus = status;
  status &= kWpsStatusMask;
  if (status != kWpsStatusConfigured) g_bWpsRunTaken = 0;
  switch (status) {
    case kWpsStatusIdle:
      KillTimer(kWpsStatusTimer);
      break;
    case kWpsStatusConfigured: {
      if (g_bWpsRunTaken) {
        KillTimer(kWpsStatusTimer);
        break;
      }
      g_bWpsRunTaken = 1;
      KillTimer(kWpsConnectTimer);
      KillTimer(kWpsStatusTimer);
      BYTE raw[wavorel::wire::wps::table::kSize] = {};
      returned = 0;
      if (!QueryOid(OID_VX_WPS_CREDENTIALS, raw, sizeof raw, &returned)) returned = 0;
      LoadWpsCredentialTable(raw, returned);
      SaveWpsProfiles(1);
      SaveWscFlag();
      if (WpsCredentialCount() != 0) {
        g_nWpsCurrentIndex = 0;
        g_nWpsNextIndex = 0;
        ConnectWpsProfile();
        SetTimer(kWpsConnectTimer, kWpsConnectPeriodMs, nullptr);
      }
      break;
    }
    case 260:
    case 261:
    case 262:
    case 513:
    case 514:
    case 515:
    case 516:
      KillTimer(kWpsConnectTimer);
      KillTimer(kWpsStatusTimer);
      break;
    default:
      break;
  }
}

void CHideDlg::RotateWpsCredential() {
  if (g_bWpsConnect && g_bWpsRotate && WpsCredentialCount() > 0) {
    if (IsConnectedToWpsCredential())
      KillTimer(kWpsConnectTimer);
    else
      ConnectWpsProfile();
  } else {
    KillTimer(kWpsConnectTimer);
  }
}
