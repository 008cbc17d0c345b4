// The station worker of Wavorel between the adapter and the supplicant: its
// re-initialisation (RunXpRescan) and its action queue carried out by the
// standard and private driver codes (ProcessXpActions). CHideDlg's members of
// this build hand their window, host, queue and the profile routines over in
// an XP_WORKER_CONTEXT, so each step can run on its own. UI thread only.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "worker/ActionQueue.h"
#include "worker/StationHost.h"
#include "xp/supplicant/UiRequestThread.h"

// Timers of the worker window that these steps arm.
constexpr UINT_PTR kXpScanReadTimer = 2;    // the scan list is read when it fires
constexpr UINT_PTR kXpWepCheckTimer = 3;    // 10000 ms: the WEP-key check
constexpr UINT_PTR kXpWpsPollTimer = 5;     // 1000 ms after a re-initialisation
// The driver's answer to a scan wait: 5000 ms in wireless modes 2, 3, 5 and 8.
constexpr UINT kXpLongScanMs = 5000;
constexpr UINT kXpShortScanMs = 3000;
constexpr UINT kXpWepCheckMs = 10000;
constexpr UINT kXpWpsPollMs = 1000;

struct XP_WORKER_CONTEXT {
  HWND worker = nullptr;                 // owner of timers 2, 3 and 5
  CStationHost* host = nullptr;          // null: no host dialog
  std::vector<_ACTION_DATA>* queue = nullptr;
  // CHideDlg::AddAction: TRUE when the queue must be run now.
  std::function<BOOL(_ACTION_DATA)> addAction;
  // Read and apply the current profile (argument 1): the administrator's
  // form, and the read-only form after "CurProfile" was read.
  std::function<void()> applyCurrentProfile;
  std::function<void()> applyCurrentProfileReadOnly;
  // The credential prompt (asked only with a host) and the logon credentials:
  // kPromptOk, or kPromptCancel, which ends the run. Empty: the worker's own
  // steps of CredentialPrompt.h on the host's prompt.
  std::function<int()> credentialPrompt;
  std::function<int()> singleSignOn;
  // Creates and shows the host dialog.
  std::function<void()> showHost;
};

// The worker's values these steps keep.
struct XP_WORKER_STATE {
  int ScanPending = 0;
  int Dot1xInUse = 0;
  int WepCheck = 0;
  DWORD StatisticsBaseline[2] = {};     // words 2 and 3 of OID_802_11_STATISTICS
  DWORD ReceivedBaseline = 0;           // OID_GEN_RCV_OK
  int MultiCredential = 0;
  int LogonCredentialSwitch = 1;
  int Reinitialising = 0;
  DWORD RadioValue = 0;                 // OID_VX_PRIVATE_0108: non-zero = radio on
  int SupplicantPortState = 0;          // 6 once the supplicant selected the adapter
  std::unique_ptr<BYTE[]> ScanList;     // kBssListSize bytes, allocated on first use
  std::unique_ptr<_PROFILE_DATA> SupplicantCredentials;  // what the supplicant applies
  BYTE NetworkTypes[20] = {};           // OID_802_11_NETWORK_TYPES_SUPPORTED
};
XP_WORKER_STATE& XpWorkerState();
// Back to the start values (the worker's start and the tests).
void ResetXpWorkerState();

// CHideDlg::Rescan: the adapter re-initialised; `showHost` TRUE creates and
// shows the host dialog at the end.
void RunXpRescan(const XP_WORKER_CONTEXT& context, BOOL showHost);

// The supplicant bound to the adapter's port when it has none: port state 6,
// or 0 and the supplicant closed when that fails.
void SelectXpSupplicantAdapter();

// The WEP check's baseline: words 2 and 3 of OID_802_11_STATISTICS (176
// bytes) and OID_GEN_RCV_OK, each kept when its query succeeds.
void TakeXpWepBaseline();

// CHideDlg::ProcessActions: the scan step while a scan is pending, then the
// queue front first until it is empty or a prompt is cancelled (the cancelled
// connect removed, what stands behind it kept). The actions carried out.
int ProcessXpActions(const XP_WORKER_CONTEXT& context);

// CHideDlg::ConnectWithWpsCredential: FALSE (only the WPS-connection flag
// set) for an empty credential table.
BOOL ConnectXpWpsCredential(const XP_WORKER_CONTEXT& context);

// A scan list of kBssListSize bytes (changed in place: the networks on
// channels the region and wireless mode forbid dropped) merged into the site
// list, stamped now, networks it misses kept for less than 15 s.
void MergeXpScanList(BYTE* scan);
// The scan step alone: the allowed channels, the driver's list filtered and
// merged into the site list (stamped now, 15 s for missing networks); a
// rescan at the front of the queue is dropped when `queue` is given.
void RefreshXpSiteList(std::vector<_ACTION_DATA>* queue);
