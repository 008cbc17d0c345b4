// The re-initialisation of Wavorel's station worker once the adapter was
// found: the first-run choice of who configures it, what the adapter can do,
// soft-AP mode left, the region and radio, who holds the adapter now, the
// supplicant bound to it, a first scan and the current profile applied.
#include <cstring>
#include <string>

#include "worker/BssLists.h"
#include "worker/CopyRegistryKeyValues.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/TraceFile.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/PortManager.h"
#include "xp/worker/RegistryKey.h"
#include "xp/worker/RegistryProfileStore.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

constexpr int kXpOsType = 8;
constexpr int kTries = 3;
constexpr int kPortStateSelected = 6;
constexpr DWORD kCurProfileSize = 128;

void Trace(LPCSTR text) {
  if (IsTraceOn()) AppendTrace(text);
}

BOOL Query(DWORD oid, void* buffer, DWORD size) {
  DWORD returned = 0;
  return QueryOid(oid, buffer, size, &returned);
}

// Copies every value of the driver key's subkey `path` into the driver key.
void CopyIntoDriverKey(const CRegistryKey& driver, const CString& path) {
  CRegistryKey source;
  if (source.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS)
    CopyRegistryKeyValues(source.Handle(), driver.Handle());
}

// Soft-AP mode keeps its settings in the driver key's own values: the station
// values come back, the installer's ("Default") and over them the activated
// profile's, as its activation copied them.
void RestoreStationValues() {
  CRegistryKey driver;
  if (driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
  CopyIntoDriverKey(driver, g_strDriverKey + "\\Default");
  std::string name;
  if (driver.ReadText("CurProfile", CRegistryKey::kValueSize, name) && IsRegistryProfileName(name.c_str()))
    CopyIntoDriverKey(driver, StationProfileKeyPath(name.c_str()));
}

// An adapter left in soft-AP mode goes back to station mode with its station
// values, and the sharing tool lets the connection go.
void LeaveApMode() {
  DWORD mode = 0;
  if (!Query(OID_VX_AP_MODE, &mode, sizeof mode) || mode == 0) return;
  DWORD station = 0, returned = 0;
  SetOid(OID_VX_AP_MODE_SET, &station, sizeof station, &returned, kTries);
  RestoreStationValues();
  WinExec("\"Pickwell.exe\" ICS_DOWN", SW_HIDE);
}

// While Zero Configuration holds the adapter: the driver's list as it is
// becomes the site list, every entry seen now.
void TakeServiceScanList() {
  XP_WORKER_STATE& state = XpWorkerState();
  state.ScanPending = 0;
  if (!state.ScanList) state.ScanList = std::make_unique<BYTE[]>(kBssListSize);
  Query(OID_802_11_BSSID_LIST, state.ScanList.get(), kBssListSize);
  if (!BssidSiteList) return;
  std::memcpy(BssidSiteList.get(), state.ScanList.get(), kBssListSize);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ClearSiteStamps();
  int index = 0;
  WalkBssList(BssidSiteList.get(), kBssListSize, [&](const BYTE*, DWORD) {
    if (index < kSiteStampCapacity) g_siteStamps[index++] = now;
  });
}

void ApplyCurrentProfile(const XP_WORKER_CONTEXT& context) {
  if (g_bAdministrator) {
    if (context.applyCurrentProfile) context.applyCurrentProfile();
    return;
  }
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    char name[kCurProfileSize + 1] = {};
    DWORD size = kCurProfileSize;
    if (RegQueryValueEx(key, "CurProfile", nullptr, nullptr, reinterpret_cast<LPBYTE>(name), &size) ==
        ERROR_SUCCESS)
      g_strCurProfileName = name;
    RegCloseKey(key);
  }
  if (context.applyCurrentProfileReadOnly) context.applyCurrentProfileReadOnly();
}

}  // namespace

void SelectXpSupplicantAdapter() {
  XP_WORKER_STATE& state = XpWorkerState();
  if (GetCurrentPort()) return;
  if (SupplicantSelectAdapter()) {
    state.SupplicantPortState = kPortStateSelected;
  } else {
    state.SupplicantPortState = 0;
    SupplicantClose();
  }
}

void RunXpRescan(const XP_WORKER_CONTEXT& context, BOOL showHost) {
  XP_WORKER_STATE& state = XpWorkerState();
  if (g_nOsType >= kXpOsType) {
    HANDOVER_CONTEXT handover;
    handover.host = context.host;
    handover.applyCurrentProfile = context.applyCurrentProfile;
    ChooseConfigToolOnFirstRun(handover);
  }

  Query(OID_802_11_NETWORK_TYPES_SUPPORTED, state.NetworkTypes, sizeof state.NetworkTypes);
  g_wscCredentialTable.fill(0);
  std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
  ProbeBandG40MHz(g_bAllow40MHzBandG);
  ProbeBandA40MHz(g_bAllow40MHzBandA);
  LeaveApMode();

  g_b80211h = ReadIeee80211hSwitch();
  WriteApDefaults(g_strDriverKey);
  state.Reinitialising = 1;
  QueryCountryRegion();
  QueryDriverVersion();
  state.Reinitialising = 0;
  Query(OID_VX_PRIVATE_0108, &state.RadioValue, sizeof state.RadioValue);
  g_bRadioOn = state.RadioValue != 0;

  DetermineConfigToolMode();
  if (!SupplicantIsInitialised() && ConfigToolMode != kConfigToolZeroConfig) SupplicantInit();
  if (ConfigToolMode == kConfigToolZeroConfig) {
    TakeServiceScanList();
  } else {
    SelectXpSupplicantAdapter();
    Trace("Start to rescan");
    _ACTION_DATA rescan;
    rescan.Kind = kActionRescan;
    if (context.addAction && context.addAction(std::move(rescan))) ProcessXpActions(context);
    Trace("End to rescan");
    Trace("Start to set oid from registry");
    ApplyCurrentProfile(context);
    Trace("End to set oid from registry");
  }

  if (showHost && context.showHost) context.showHost();
  SetTimer(context.worker, kXpWpsPollTimer, kXpWpsPollMs, nullptr);
}
