#include "worker/RescanStep.h"

#include <cstring>

#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"

namespace {

constexpr UINT_PTR kLinkTimer = 8;
constexpr UINT kLinkTimerMs = 4000;
constexpr UINT_PTR kWpsPollTimer = 5;
constexpr UINT kWpsPollTimerMs = 1000;
constexpr int kSetTries = 3;

// A soft-AP adapter goes back to station mode, and the AP utility is told to
// let it go.
void leaveApMode() {
  if (IsStationMode()) return;
  DWORD station = 0, returned = 0;
  SetOid(OID_VX_AP_MODE_SET, &station, sizeof station, &returned, kSetTries);
  WinExec("\"Brenth.exe\" remove", SW_MINIMIZE);
}

}  // namespace

void RunRescanStep(CNativeWiFi& client, const RESCAN_CONTEXT& context, int showHost) {
  const DWORD bandA = QueryBandA(client);
  g_wscCredentialTable = _WSC_CREDENTIAL_TABLE{};
  std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
  ProbeBandG40MHz(g_bAllow40MHzBandG);
  ProbeBandA40MHz(g_bAllow40MHzBandA);
  leaveApMode();
  g_b80211h = ReadIeee80211hSwitch();
  WriteApDefaults();

  if (context.regionQueryFlag) *context.regionQueryFlag = 1;
  QueryCountryRegion();
  QueryDriverVersion();
  if (context.regionQueryFlag) *context.regionQueryFlag = 0;

  DWORD soft = 0, hard = 0;
  if (client.GetRadioState(&soft, &hard) == ERROR_SUCCESS) g_bRadioOn = static_cast<int>(soft);
  g_nRescanSetting1 = 2;
  g_nRescanSetting2 = 1;
  g_nRescanSetting3 = 6;

  const UINT_PTR timer8 = SetTimer(context.worker, kLinkTimer, kLinkTimerMs, nullptr);
  if (context.timer8) *context.timer8 = timer8;
  if (context.applyCurrentProfile) context.applyCurrentProfile(1, 0, static_cast<int>(bandA));
  if (showHost && context.showHost) context.showHost();
  SetTimer(context.worker, kWpsPollTimer, kWpsPollTimerMs, nullptr);
}
