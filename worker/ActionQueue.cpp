#include "worker/ActionQueue.h"

#include <atomic>
#include <cstring>

#include "worker/HideDlg.h"
#include "worker/WorkerGlobals.h"

namespace {

std::vector<_ACTION_DATA> g_actionQueue;
std::unique_ptr<_PROFILE_DATA> g_currentProfile;
BOOL g_bConnectionStarted = FALSE;
std::atomic<bool> g_bDropMediaConnect{false};

constexpr DWORD kCipherAes = 6;

// The sink's drop rule, worked out on the UI thread.
void RefreshMediaConnectDrop() {
  const _PROFILE_DATA* p = g_currentProfile.get();
  bool drop = false;
  if (p) {
    const bool secured = p->AuthMode == 3 || p->AuthMode == 4 || p->AuthMode == 6 || p->AuthMode == 7 ||
                         ((p->AuthMode == 0 || p->AuthMode == 1) && p->Use8021X) || p->LeapEnabled == 1;
    drop = (g_bConnectionStarted && p->ConnectThroughNativeWiFi && secured) || (p->UseBssid & 1);
  }
  g_bDropMediaConnect.store(drop);
}

}  // namespace

std::vector<_ACTION_DATA>& GetActionQueue() { return g_actionQueue; }

void CopyProfileData(std::unique_ptr<_PROFILE_DATA>& destination, const _PROFILE_DATA* source) {
  destination.reset();
  if (source) destination = std::make_unique<_PROFILE_DATA>(*source);
}

const _PROFILE_DATA* GetCurrentProfile() { return g_currentProfile.get(); }

void SetCurrentProfile(const _PROFILE_DATA* source) {
  CopyProfileData(g_currentProfile, source);
  RefreshMediaConnectDrop();
}

void FreeCurrentProfile() {
  g_currentProfile.reset();
  RefreshMediaConnectDrop();
}

void SetConnectionStarted(BOOL started) {
  g_bConnectionStarted = started;
  RefreshMediaConnectDrop();
}

BOOL IsConnectionStarted() { return g_bConnectionStarted; }

BOOL IsMediaConnectDropped() { return g_bDropMediaConnect.load() ? TRUE : FALSE; }

BOOL ActionQueueWantsRun(const std::vector<_ACTION_DATA>& queue) {
  if (queue.empty()) return FALSE;
  if (queue.size() == 1) return TRUE;
  const DWORD front = queue[0].Kind;
  if (front == kActionRescan) return FALSE;
  if (front != kActionConnect || queue[1].Kind != kActionRescan) return TRUE;
  const _PROFILE_DATA* current = g_currentProfile.get();
  return current && (current->Use8021X != 0 || current->CipherMode != kCipherAes);
}

BOOL CHideDlg::AddAction(DWORD kind, std::unique_ptr<_PROFILE_DATA> record) {
  _ACTION_DATA action;
  action.Kind = kind;
  action.Profile = std::move(record);
  return AddAction(std::move(action));
}

BOOL CHideDlg::AddAction(_ACTION_DATA action) {
  std::vector<_ACTION_DATA>& queue = g_actionQueue;
  bool taken = false;
  if (action.Kind == kActionConnect) {
    SetCurrentProfile(action.Profile.get());
    g_bAdapterChanged = 0;
  }
  for (size_t i = queue.size(); i-- > 0;) {
    if (queue[i].Kind != action.Kind) continue;
    if (action.Kind == kActionRescan) {
      queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (action.Kind == kActionConnect) {
      if (!taken) {
        queue[i].Profile = std::move(action.Profile);
        taken = true;
      } else {
        queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
  }
  if (!taken) queue.push_back(std::move(action));
  return ActionQueueWantsRun(queue);
}

BOOL RequestRescan() {
  if (!g_pHideDlg) return FALSE;
  if (g_pHideDlg->AddAction(kActionRescan)) g_pHideDlg->ProcessActions();
  return TRUE;
}
