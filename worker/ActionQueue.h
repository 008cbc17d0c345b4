// The station worker's action queue and current-profile copy. Requests to
// change the link (rescan, connect with a profile record, set an SSID, set a
// BSSID) are queued as `_ACTION_DATA` and carried out in order by
// CHideDlg::ProcessActions; CHideDlg::AddAction merges a new request into
// the queue so that a burst of requests ends in one application of the
// latest profile. The queue owns the records it holds. UI thread only,
// except IsMediaConnectDropped, which the WMI sink reads on its own thread.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "worker/ProfileData.h"

constexpr DWORD kActionRescan = 0;
constexpr DWORD kActionConnect = 1;
constexpr DWORD kActionSetSsid = 2;
constexpr DWORD kActionSetBssid = 3;

// One queued action: its kind and what it carries.
struct _ACTION_DATA {
  DWORD Kind = kActionRescan;
  std::unique_ptr<_PROFILE_DATA> Profile;  // kActionConnect (null: nothing to apply)
  NDIS_802_11_SSID Ssid{};                 // kActionSetSsid
  BYTE Bssid[6] = {};                      // kActionSetBssid
};

// The worker's queue; the front is index 0.
std::vector<_ACTION_DATA>& GetActionQueue();

// `destination` becomes a deep copy of `source` (its key blocks duplicated
// by their own lengths, whatever the record's security says), the record it
// held freed first; a null source leaves it empty.
void CopyProfileData(std::unique_ptr<_PROFILE_DATA>& destination, const _PROFILE_DATA* source);

// The current-profile copy: the last record queued as a connect, null until
// the first one and after FreeCurrentProfile.
const _PROFILE_DATA* GetCurrentProfile();
void SetCurrentProfile(const _PROFILE_DATA* source);
void FreeCurrentProfile();

// The connection-started flag the WMI sink's drop rule reads.
void SetConnectionStarted(BOOL started);
BOOL IsConnectionStarted();
// Whether a media-connect event is dropped for the connection in progress:
// a current-profile copy exists and either the connection was started
// through Native Wi-Fi with WPA, WPA2, 802.1X or LEAP security, or the copy
// is bound to a BSSID. Kept up to date by the UI thread whenever the copy or
// the connection-started flag changes; safe to read on any thread.
BOOL IsMediaConnectDropped();

// AddAction's answer for a queue in this state: FALSE for an empty queue,
// TRUE for one entry; with more, FALSE behind a rescan, TRUE behind anything
// but a rescan or a connect or when the second entry is not a rescan; a
// connect followed by a rescan runs now when the current-profile copy uses
// 802.1X or another cipher than AES.
BOOL ActionQueueWantsRun(const std::vector<_ACTION_DATA>& queue);

// Queues a rescan on the worker and runs the queue when AddAction asks for
// it; FALSE without a worker.
BOOL RequestRescan();
