// Wavorel's current profile read from the registry and applied
// (LoadAndApplyCurrentProfile and its read-only form, worker/ProfileStore.h,
// run it for the worker): the WPS connection when one is stored ("WSC"),
// else the supplicant started, the adapter's and the profile's values read
// into a record, and the record queued as a connect, kept as the worker's
// current profile only, or dropped, as the single sign-on state says. UI
// thread.
#pragma once

#include <functional>

#include "platform/Platform.h"
#include "worker/ProfileData.h"
#include "xp/worker/XpWorker.h"

// Where the record goes: the worker's window, host, queue and run (no
// addAction: no worker, nothing queued), and its current-profile copy.
struct CURRENT_PROFILE_TARGET {
  XP_WORKER_CONTEXT worker;
  std::function<void(const _PROFILE_DATA*)> keepAsCurrent;
};

// `readOnly`: every key opened for reading, nothing written, the profile's
// values from its own key; `argument` not 0: the adapter's radio values read
// and applied and the record's own adapter settings used. The queue run's
// result when it ran, else 0.
int ReadAndApplyCurrentProfile(const CURRENT_PROFILE_TARGET& target, BOOL readOnly, BOOL argument);
