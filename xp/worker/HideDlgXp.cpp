// CHideDlg's members of Wavorel: each hands the worker's window, host, queue
// and profile routines to its step (xp/worker/XpWorker.h,
// ZeroConfigHandover.h).
#include "worker/HideDlg.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/LoadAndApplyCurrentProfile.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

void ApplyCurrentProfile() { LoadAndApplyCurrentProfile(TRUE, 0, 0); }

void ApplyCurrentProfileReadOnly() { LoadAndApplyCurrentProfileReadOnly(TRUE); }

// The hand-over's apply: a user without rights reads the profile's own key
// and writes nothing, as everywhere else.
void ApplyCurrentProfileForUser() {
  if (g_bAdministrator)
    ApplyCurrentProfile();
  else
    ApplyCurrentProfileReadOnly();
}

XP_WORKER_CONTEXT MakeContext(CHideDlg& worker) {
  XP_WORKER_CONTEXT context;
  context.worker = worker.GetSafeHwnd();
  context.host = worker.GetHost();
  context.queue = &GetActionQueue();
  context.addAction = [&worker](_ACTION_DATA action) { return worker.AddAction(std::move(action)); };
  context.applyCurrentProfile = ApplyCurrentProfile;
  context.applyCurrentProfileReadOnly = ApplyCurrentProfileReadOnly;
  context.showHost = [&worker] { worker.ShowHostDialog(); };
  return context;
}

HANDOVER_CONTEXT MakeHandover(CHideDlg& worker) {
  HANDOVER_CONTEXT context;
  context.host = worker.GetHost();
  context.applyCurrentProfile = ApplyCurrentProfileForUser;
  return context;
}

}  // namespace

void CHideDlg::Rescan(BOOL showHost) { RunXpRescan(MakeContext(*this), showHost); }

int CHideDlg::ProcessActions() { return ProcessXpActions(MakeContext(*this)); }

BOOL CHideDlg::ConnectWithWpsCredential() { return ConnectXpWpsCredential(MakeContext(*this)); }

void CHideDlg::OnUseZeroConfig() { HandOverToZeroConfig(MakeHandover(*this)); }

void CHideDlg::OnUseUtilityConfig() { TakeOverFromZeroConfig(MakeHandover(*this)); }

// The user's first-run choice of Zero Configuration stands: it was carried
// out by the first re-initialisation, just before the creation's take-over.
BOOL CHideDlg::TakesAdapterOnCreation() const { return !IsZeroConfigChosen(); }

namespace {

int ApplyForWorker(BOOL readOnly, BOOL readRadioSettings) {
  CURRENT_PROFILE_TARGET target;
  if (g_pHideDlg) target.worker = MakeContext(*g_pHideDlg);
  target.keepAsCurrent = SetCurrentProfile;
  return ReadAndApplyCurrentProfile(target, readOnly, readRadioSettings);
}

}  // namespace

int LoadAndApplyCurrentProfile(BOOL readRadioSettings, int, DWORD) { return ApplyForWorker(FALSE, readRadioSettings); }

int LoadAndApplyCurrentProfileReadOnly(BOOL readRadioSettings) { return ApplyForWorker(TRUE, readRadioSettings); }
