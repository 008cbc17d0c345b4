// Wavorel's station worker on the simulated machine: one tick of timer 1
// while the link is up and nothing changes (the device-removal check, the
// supplicant check with the configuration-tool mode, the link poll by driver
// codes, the signal and the connection state sent to the front end).
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "bench/StationBenchSetup.h"
#include "worker/ProfileStore.h"

namespace {

// Writes one text value of the adapter's driver key.
void SetDriverText(const char* name, const char* value) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
  RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
  RegCloseKey(key);
}

void BM_XpWorkerTickWhileConnected(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  const std::string program = root.path() + "/prog";
  std::filesystem::create_directories(program);
  wavorel::setProgramFolder(program, "Wavorel");
  wavorel::sim::Machine& machine = wavorel::sim::machine();
  WNDCLASS wc{};
  wc.lpfnWndProc = &bench::DroppingFrontEnd;
  wc.lpszClassName = "XpWorkerBenchUi";
  RegisterClass(&wc);
  HWND ui = CreateWindowEx(0, "XpWorkerBenchUi", "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetUINotifyWnd(ui);
  bool connected = CreateHideDlg();
  if (connected) {
    // The default world's open network becomes the current profile.
    for (const auto& [name, value] : {std::pair{"SSID", "CafeFree"}, std::pair{"NetworkType", "1"},
                                      std::pair{"AuthenType", "0"}, std::pair{"Encryption", "1"}})
      SetDriverText(name, value);
    LoadAndApplyCurrentProfile(TRUE, 0, 0);
    connected = bench::PumpUntil([&machine] { return machine.adapter(0).connected(); });
  }
  if (connected) {
    const HWND worker = g_pHideDlg->GetSafeHwnd();
    // The first tick after the start releases and binds the supplicant again.
    SendMessage(worker, WM_TIMER, kPollTimer, 0);
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
BENCHMARK(BM_XpWorkerTickWhileConnected)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
