// What the station benchmarks share: a pump with a real-time limit and the
// program's folders with the default world's open network stored as the
// current profile, so a started worker connects to it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/sim/radio/Machine.h"
#include "platform/testing/BenchRoot.h"
#include "platform/testing/Drivers.h"
#include "platform/win/kernel/Paths.h"
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

// The program folder under `root`, and "CafeFree" stored as the current
// profile in the store file named after the adapter's family and GUID, as
// discovery will find them.
inline wavorel::sim::Machine& StoreOpenCurrentProfile(const wavorel::testing::BenchRoot& root) {
  const std::string program = root.path() + "/prog";
  std::filesystem::create_directories(program);
  wavorel::setProgramFolder(program, "WavorelVista");
  wavorel::sim::Machine& machine = wavorel::sim::machine();
  InitFolders();
  g_nFamilyIndex = machine.adapter(0).config().family;
  g_strAdapterGuid = machine.adapter(0).guid().c_str();
  const std::pair<const char*, const char*> profile[] = {
      {"SSID", "CafeFree"}, {"NetworkType", "1"}, {"AuthMode", "0"}, {"CipherMode", "1"}};
  for (const auto& [key, value] : profile) WriteIniValue(g_strAdapterGuid, kIniKindStation, "Config", key, value, 0);
  return machine;
}

}  // namespace bench
