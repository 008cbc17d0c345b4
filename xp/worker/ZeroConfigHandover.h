// Who configures the adapter in Wavorel: this program (with the supplicant
// for 802.1X and WPA) or the Zero Configuration service "WZCSVC". The worker
// decides it at every re-initialisation, asks the installer's choice once per
// adapter, and hands the adapter over on its tray commands 32775 and 32774.
// UI thread only.
#pragma once

#include <functional>

#include "platform/Platform.h"
#include "worker/StationHost.h"

// -1 not yet determined, 0 this program, 1 the service runs but does not
// manage the adapter, 2 the service manages it (only 2 is tested for).
extern int ConfigToolMode;
constexpr int kConfigToolUndetermined = -1;
constexpr int kConfigToolUtility = 0;
constexpr int kConfigToolServiceIdle = 1;
constexpr int kConfigToolZeroConfig = 2;

// TRUE only when the service control manager and "WZCSVC" open and the
// service runs.
BOOL IsWzcRunning();
// TRUE when the service's interface key of the adapter does not open or its
// "ControlFlags" has bit 0x8000; FALSE when the bit is clear or unreadable.
BOOL IsWzcManagingInterface();
// ConfigToolMode from the OS type and the two checks above.
void DetermineConfigToolMode();
// OID_VX_PRIVATE_0149 = one zero byte (3 tries): the driver told that the
// adapter changes hands (both hand-overs and the worker's end).
void TellDriverHandOver();
// The host's tab button of `tab` (StationHostTab); null when the host has
// no page of that tab.
CWnd* HostTabButton(CStationHost* host, int tab);
// Enables or disables the host's tab button of `tab` (StationHostTab).
void EnableHostTab(CStationHost* host, int tab, BOOL enable);

// What a hand-over needs of the worker: its host dialog (null: none) and the
// read-and-apply of the current profile.
struct HANDOVER_CONTEXT {
  CStationHost* host = nullptr;
  std::function<void()> applyCurrentProfile;
};

// Command 32775: mode 2, the supplicant stopped and released, the driver
// told, the interface handed to the service, the host's profile and WPS tabs
// disabled and its site survey shown.
void HandOverToZeroConfig(const HANDOVER_CONTEXT& context);
// Command 32774: the driver told, the service stopped (demand start), the
// supplicant started, mode 0, the current profile applied, the host's tabs
// enabled.
void TakeOverFromZeroConfig(const HANDOVER_CONTEXT& context);
// Once per adapter driver key: the installer's choice ("ConfigToolSelect";
// 0 the service, anything else this program) carried out and stored as
// "RunOnceInitConfigTool" ("0"/"1" without terminator).
void ChooseConfigToolOnFirstRun(const HANDOVER_CONTEXT& context);
// TRUE when the adapter's stored first-run choice is Zero Configuration
// ("RunOnceInitConfigTool" "0"): the worker then leaves the adapter with the
// service when it is created. FALSE without an adapter driver key.
BOOL IsZeroConfigChosen();
