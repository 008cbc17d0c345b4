// The current stored profile handed to the worker.
#include <memory>

#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

constexpr UINT kWpsConnectPeriodMs = 10000;

}  // namespace

int LoadAndApplyCurrentProfile(BOOL readRadioSettings, int, DWORD applyArgument) {
  g_bWpsConnect = 0;
  auto record = std::make_unique<_PROFILE_DATA>();
  ReadWpsStore();
  ReadAdapterValues(record.get(), readRadioSettings, applyArgument);
  if (g_bWpsConnect) {
    g_bConnectedByProfile = 0;
    g_bWpsPending = 1;
    if (WpsCredentialCount() >= 1) {
      ConnectWpsProfile();
      if (g_pHideDlg) g_pHideDlg->SetTimer(kWpsConnectTimer, kWpsConnectPeriodMs, nullptr);
    }
  } else {
    g_bConnectedByProfile = 1;
    ReadCurrentProfile(record.get());
  }
  record->ConnectThroughNativeWiFi = g_bWpsConnect ? 0 : 1;
  if (!g_pHideDlg) return 0;
  if (g_pHideDlg->AddAction(kActionConnect, std::move(record))) return g_pHideDlg->ProcessActions();
  return 0;
}
