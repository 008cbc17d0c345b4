#include "xp/worker/ZeroConfigHandover.h"

#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/PortManager.h"

int ConfigToolMode = kConfigToolUndetermined;

namespace {

constexpr const char* kServiceName = "WZCSVC";
constexpr const char* kInterfacesKey = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
constexpr const char* kInstallerKey = "SOFTWARE\\NEROLT\\WLAN\\InstallShield";
constexpr const char* kFirstRunValue = "RunOnceInitConfigTool";
constexpr DWORD kManagedByService = 0x8000;
constexpr int kXpOsType = 8;
constexpr int kTries = 3;
// Wavorel's first-run choices.
constexpr DWORD kChoiceZeroConfig = 0;
constexpr DWORD kChoiceUtility = 1;
// Room for the stored first-run choice: a longer value reads as missing.
constexpr DWORD kFirstRunRoom = 4;

// "RunOnceInitConfigTool" of the open driver key into `text` (not
// terminated); FALSE when it is missing or does not fit.
BOOL ReadFirstRunValue(HKEY driverKey, char (&text)[kFirstRunRoom], DWORD& size) {
  size = sizeof text;
  return RegQueryValueEx(driverKey, kFirstRunValue, nullptr, nullptr, reinterpret_cast<LPBYTE>(text), &size) ==
         ERROR_SUCCESS;
}

}  // namespace

void TellDriverHandOver() {
  BYTE value = 0;
  DWORD returned = 0;
  SetOid(OID_VX_PRIVATE_0149_SET, &value, sizeof value, &returned, kTries);
}

CWnd* HostTabButton(CStationHost* host, int tab) {
  // The strip's buttons are children of the host's tab dialog, beside the
  // pages they show; the host's own children are other dialogs.
  CDialog* page = host->GetTabPage(tab);
  CWnd* strip = page && page->GetSafeHwnd() ? page->GetParent() : nullptr;
  return strip ? strip->GetDlgItem(static_cast<int>(kHostTabButtonIds[tab])) : nullptr;
}

void EnableHostTab(CStationHost* host, int tab, BOOL enable) {
  if (CWnd* button = HostTabButton(host, tab)) button->EnableWindow(enable);
}

BOOL IsWzcRunning() {
  SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return FALSE;
  BOOL running = FALSE;
  if (SC_HANDLE service = OpenService(manager, kServiceName, SERVICE_QUERY_STATUS)) {
    SERVICE_STATUS status{};
    running = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return running;
}

BOOL IsWzcManagingInterface() {
  HKEY key = nullptr;
  const CString path = CString(kInterfacesKey) + g_strAdapterGuid;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return TRUE;
  DWORD flags = 0, type = 0, size = sizeof flags;
  const BOOL read = RegQueryValueEx(key, "ControlFlags", nullptr, &type, reinterpret_cast<LPBYTE>(&flags), &size) ==
                        ERROR_SUCCESS &&
                    size == sizeof flags;
  RegCloseKey(key);
  return read && (flags & kManagedByService) != 0;
}

void DetermineConfigToolMode() {
  if (g_nOsType < kXpOsType || !IsWzcRunning())
    ConfigToolMode = kConfigToolUtility;
  else
    ConfigToolMode = IsWzcManagingInterface() ? kConfigToolZeroConfig : kConfigToolServiceIdle;
}

void HandOverToZeroConfig(const HANDOVER_CONTEXT& context) {
  ConfigToolMode = kConfigToolZeroConfig;
  if (SupplicantIsInitialised()) {
    pmStop();
    SupplicantRelease();
  }
  TellDriverHandOver();
  EnableWzcOnInterface(1);
  if (CStationHost* host = context.host) {
    EnableHostTab(host, kHostTabProfile, FALSE);
    EnableHostTab(host, kHostTabWps, FALSE);
    if (CWnd* survey = HostTabButton(host, kHostTabSiteSurvey)) survey->SendMessage(BM_CLICK, 0, 0);
  }
}

void TakeOverFromZeroConfig(const HANDOVER_CONTEXT& context) {
  TellDriverHandOver();
  StopWzcService(1);
  if (!SupplicantIsInitialised()) SupplicantInit();
  ConfigToolMode = kConfigToolUtility;
  if (context.applyCurrentProfile) context.applyCurrentProfile();
  if (CStationHost* host = context.host) {
    EnableHostTab(host, kHostTabWps, TRUE);
    EnableHostTab(host, kHostTabProfile, TRUE);
  }
}

void ChooseConfigToolOnFirstRun(const HANDOVER_CONTEXT& context) {
  HKEY driverKey = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &driverKey) != ERROR_SUCCESS) return;
  char made[kFirstRunRoom] = {};
  DWORD size = 0;
  if (ReadFirstRunValue(driverKey, made, size)) {
    RegCloseKey(driverKey);
    return;
  }
  DWORD choice = kChoiceZeroConfig;
  HKEY installer = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kInstallerKey, 0, KEY_ALL_ACCESS, &installer) == ERROR_SUCCESS) {
    size = sizeof choice;
    if (RegQueryValueEx(installer, "ConfigToolSelect", nullptr, nullptr, reinterpret_cast<LPBYTE>(&choice), &size) !=
        ERROR_SUCCESS)
      choice = kChoiceUtility;
    RegCloseKey(installer);
  } else {
    choice = kChoiceUtility;
  }
  if (choice == kChoiceZeroConfig) {
    HandOverToZeroConfig(context);
  } else {
    choice = kChoiceUtility;
    TakeOverFromZeroConfig(context);
  }
  const char text = choice == kChoiceZeroConfig ? '0' : '1';
  RegSetValueEx(driverKey, kFirstRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(&text), sizeof text);
  RegCloseKey(driverKey);
}

BOOL IsZeroConfigChosen() {
  HKEY driverKey = nullptr;
  if (g_strDriverKey.IsEmpty() ||
      RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &driverKey) != ERROR_SUCCESS) return FALSE;
  char made[kFirstRunRoom] = {};
  DWORD size = 0;
  const BOOL read = ReadFirstRunValue(driverKey, made, size);
  RegCloseKey(driverKey);
  // "0", as the first-run step writes it; a terminator is allowed.
  return read && size >= 1 && made[0] == '0' && (size == 1 || made[1] == '\0');
}
