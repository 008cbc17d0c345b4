// What the station benchmarks share: a pump with a real-time limit and the
// program's folders with the default world's open network stored as the
// current profile, so a started worker connects to it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>

#include "bench/DriverCallTrim.h"

#include "platform/sim/radio/Machine.h"
#include "platform/testing/BenchRoot.h"
#include "platform/testing/Drivers.h"
#include "platform/win/kernel/Paths.h"
#include "frontend/UiBridge.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"

namespace bench {

// Pumps for up to five seconds until `done`.
template <typename Done>
bool PumpUntil(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    wavorel::pumpMessages();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// The program folder under `root` as the installed program has it: the
// program's INI (a copy of apps/Wavorel.ini named after the program) beside
// the program, which the workers read on their ticks.
inline void InstallProgramFolder(const wavorel::testing::BenchRoot& root, const std::string& name = "WavorelVista") {
  const std::string program = root.path() + "/prog";
  std::filesystem::create_directories(program);
  std::filesystem::copy_file(WAVOREL_PROGRAM_INI, program + "/" + name + ".ini",
                             std::filesystem::copy_options::overwrite_existing);
  wavorel::setProgramFolder(program, name);
}

// The program folder under `root`, and "CafeFree" stored as the current
// profile in the store file named after the adapter's family and GUID, as
// discovery will find them.
inline wavorel::sim::Machine& StoreOpenCurrentProfile(const wavorel::testing::BenchRoot& root) {
  InstallProgramFolder(root);
  wavorel::sim::Machine& machine = wavorel::sim::machine();
  InitFolders();
  g_nFamilyIndex = machine.adapter(0).config().family;
  g_strAdapterGuid = machine.adapter(0).guid().c_str();
  const std::pair<const char*, const char*> profile[] = {
      {"SSID", "CafeFree"}, {"NetworkType", "1"}, {"AuthMode", "0"}, {"CipherMode", "1"}};
  for (const auto& [key, value] : profile) WriteIniValue(g_strAdapterGuid, kIniKindStation, "Config", key, value, 0);
  return machine;
}

// The front end's side of the bridge: takes every value and drops it.
inline LRESULT CALLBACK DroppingFrontEnd(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_UIBRIDGE) return DefWindowProc(hwnd, message, wParam, lParam);
  TakeNotifyText(wParam, lParam);
  return 0;
}

// The worker started on the stored open profile and connected, its bridge
// values taken by a front-end window of class `kWindowClass` (which a page's
// frame may use too); all of it ended with the object.
class ConnectedStation {
 public:
  static constexpr const char* kWindowClass = "StationBenchUi";

  explicit ConnectedStation(const wavorel::testing::BenchRoot& root) {
    wavorel::sim::Machine& machine = StoreOpenCurrentProfile(root);
    WNDCLASS wc{};
    wc.lpfnWndProc = &DroppingFrontEnd;
    wc.lpszClassName = kWindowClass;
    RegisterClass(&wc);
    ui_ = CreateWindowEx(0, kWindowClass, "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetUINotifyWnd(ui_);
    connected_ = CreateHideDlg() && PumpUntil([&machine] { return machine.adapter(0).connected(); });
  }
  ~ConnectedStation() {
    DestroyHideDlg();
    SetUINotifyWnd(nullptr);
    DestroyWindow(ui_);
  }
  ConnectedStation(const ConnectedStation&) = delete;
  ConnectedStation& operator=(const ConnectedStation&) = delete;

  bool connected() const { return connected_; }

 private:
  HWND ui_ = nullptr;
  bool connected_ = false;
};

}  // namespace bench
