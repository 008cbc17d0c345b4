// Wavorel's station worker on the simulated machine: one tick of timer 1
// while the link is up and nothing changes (the device-removal check, the
// supplicant check with the configuration-tool mode, the link poll by driver
// codes, the signal and the connection state sent to the front end).
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "bench/StationBenchSetup.h"
#include "platform/sim/services/SupplicantLibrary.h"
#include "platform/win/kernel/Clock.h"
#include "worker/ProfileStore.h"
#include "xp/supplicant/PortManager.h"

namespace {

// Writes one text value of the adapter's driver key.
void SetDriverText(const char* name, const char* value) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
  RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
  RegCloseKey(key);
}

// Virtual time in steps of 100 ms, the supplicant's threads and the UI thread
// settled after each, until `done` or a minute of virtual time.
template <typename Done>
bool DriveUntil(wavorel::VirtualClock& clock, Done done) {
  for (int step = 0; step < 600; ++step) {
    wavorel::sim::settleSupplicant();
    wavorel::pumpMessages();
    if (done()) return true;
    clock.advance(100);
  }
  return false;
}

void BM_XpWorkerTickWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  auto clock = wavorel::installVirtualClock();
  // The program's INI beside the program lists the default world's adapter.
  bench::InstallProgramFolder(root, "Wavorel");
  wavorel::sim::Machine& machine = wavorel::sim::machine();
  WNDCLASS wc{};
  wc.lpfnWndProc = &bench::DroppingFrontEnd;
  wc.lpszClassName = "XpWorkerBenchUi";
  RegisterClass(&wc);
  HWND ui = CreateWindowEx(0, "XpWorkerBenchUi", "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetUINotifyWnd(ui);
  bool connected = CreateHideDlg() && DriveUntil(*clock, [] { return GetCurrentPort() != nullptr; });
  if (connected) {
    // The default world's open network becomes the current profile.
    for (const auto& [name, value] : {std::pair{"SSID", "CafeFree"}, std::pair{"NetworkType", "1"},
                                      std::pair{"AuthenType", "0"}, std::pair{"Encryption", "1"}})
      SetDriverText(name, value);
    // Applied as an activation does it.
    g_bApplyRequested = 1;
    LoadAndApplyCurrentProfile(TRUE, 0, 0);
    connected = DriveUntil(*clock, [&machine] { return machine.adapter(0).connected(); });
  }
  if (connected) {
    const HWND worker = g_pHideDlg->GetSafeHwnd();
    // Past the first ticks (the supplicant released and bound again once).
    DriveUntil(*clock, [] { return false; });
    if (!machine.adapter(0).connected()) state.SkipWithError("the link did not stay up");
    size_t sinceClear = 0;
    for (auto _ : state) {
      SendMessage(worker, WM_TIMER, kPollTimer, 0);
      bench::TrimDriverCalls(state, sinceClear, bench::Pump::Yes);
    }
  } else {
    state.SkipWithError("the worker did not connect");
  }
  DestroyHideDlg();
  SetUINotifyWnd(nullptr);
  DestroyWindow(ui);
}
BENCHMARK(BM_XpWorkerTickWhileConnected)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
