// Adapter discovery: walks the present network-class devices through
// SetupAPI, keeps those whose hardware ID is supported (the program INI's
// list when it holds any ID, else the built-in tables) and whose device
// opens, lets the user pick one when several remain (CSelCardDlg), and fills
// the adapter globals of WorkerGlobals.h: hardware ID, friendly name, chip
// family and bus, device path, adapter GUID and driver key.
#pragma once

#include <functional>

#include "platform/Platform.h"
#include "worker/SupportedDeviceList.h"

// The driver key the last successful discovery found. Rediscovery compares
// with it (not with g_strDriverKey, which the poll empties before it looks
// again) to tell whether another adapter took over (g_bAdapterChanged).
extern CString g_strDiscoveredDriverKey;

// Clears the found flags and matches the upper-case ID against the INI list
// when it holds any entry, else against the built-in tables; TRUE on a hit.
BOOL MatchDeviceId(const CSupportedDeviceList& devices, LPCSTR hardwareId);

// Called with the chosen adapter's friendly name (else its description) to
// open the adapter's Native Wi-Fi interface (WavorelVista's worker).
using AdapterInterfaceOpener = std::function<void(LPCSTR name)>;

// Runs discovery; the choice dialog is owned by `worker` (may be null).
// Returns 1 when an adapter was chosen and its globals filled, else 0 (the
// previous device path then stays).
int EnumAdapters(const CSupportedDeviceList& devices, CWnd* worker, const AdapterInterfaceOpener& openInterface);
