// Fixture of the station worker tests: the discovery fixture's platform and
// world, a front-end window registered as the bridge's UI window that keeps
// every bridge value it gets (and answers the message-box request), the
// worker started with CreateHideDlg, and helpers that move the virtual clock
// in steps with the messages pumped between them.
#pragma once

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/kernel/Paths.h"
#include "platform/testing/Drivers.h"
#include "tests/support/FrontEndRecorder.h"
#include "tests/worker/DiscoveryTest.h"
#include "worker/ActionQueue.h"
#include "worker/BssLists.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/WpsWorker.h"

namespace worker::testing {

class HideDlgTest : public DiscoveryTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  void SetUp() override {
    DiscoveryTest::SetUp();
    resetWorkerState();
    useDataFolder();
    answerWith(&HideDlgTest::answerAtBox);
    openFrontEnd();
  }
  void TearDown() override {
    DestroyHideDlg();
    closeFrontEnd();
    resetWorkerState();
    DiscoveryTest::TearDown();
  }

  // A world of its own; the UI window is made again (the reset took it).
  void reopenIn(const std::string& world) {
    DestroyHideDlg();
    useWorld(world);
    resetWorkerState();
    useDataFolder();
    openFrontEnd();
  }

  // The INI profile store of the default adapter (family 8) in "C:\Data\", as
  // the setting file beside the program names it.
  void useDataFolder() {
    std::ofstream(programLinux() + "/setting", std::ios::binary) << "[config]\ntype=2\ndir=C:\\Data\\\n";
    CreateDirectory("C:\\Data", nullptr);
    g_strDataFolder = "C:\\Data\\";
    g_nFamilyIndex = 8;
  }
  // Writes values of section "Config" of the station file (the current profile).
  static void storeCurrentProfile(const std::vector<std::pair<const char*, const char*>>& values) {
    for (const auto& [key, value] : values) WriteIniValue(g_strAdapterGuid, kIniKindStation, "Config", key, value, 0);
  }
  // A value of the store as it reads back.
  static std::string storeValue(int kind, const char* section, const char* key) {
    char out[256] = "";
    ReadIniValue(g_strAdapterGuid, kind, section, key, out, sizeof out, 0);
    return out;
  }

  void startWorker() {
    ASSERT_TRUE(CreateHideDlg());
    ASSERT_NE(g_pHideDlg, nullptr);
    wavorel::pumpMessages();
  }
  CHideDlg& worker() { return *g_pHideDlg; }
  HWND workerWindow() { return g_pHideDlg ? g_pHideDlg->GetSafeHwnd() : nullptr; }

  // Moves the clock by `ms` in steps of at most `step`, pumping messages
  // (timers fire) after each step.
  void advance(uint64_t ms, uint64_t step = 100) {
    for (uint64_t done = 0; done < ms;) {
      const uint64_t now = std::min(step, ms - done);
      clock().advance(now);
      done += now;
      wavorel::pumpMessages();
    }
  }
  // Pumps until a message posted from another thread has arrived.
  template <typename Done>
  static bool pumpUntil(Done done, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      wavorel::pumpMessages();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  static bool& workerBusyAtBox() {
    static bool busy = false;
    return busy;
  }
  // Runs while the front end's message box shows (empty: nothing).
  static std::function<void()>& atMessageBox() {
    static std::function<void()> action;
    return action;
  }
  static bool& workerReachableAtBox() {
    static bool reachable = false;
    return reachable;
  }

  // The program INI beside the program ("WavorelVista.ini").
  void writeProgramIni(const std::string& text) {
    std::ofstream(programLinux() + "/WavorelVista.ini", std::ios::binary) << text;
  }
  // A file of the platform's C: drive, read whole ("" when missing).
  std::string readDriveC(const std::string& name) {
    std::string path;
    if (!wavorel::resolveWindowsPath("C:\\" + name, path)) return "";
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  // The codes of the driver calls since the last clear, in order.
  static std::vector<DWORD> callCodes() {
    std::vector<DWORD> codes;
    for (const auto& call : calls()) codes.push_back(call.code);
    return codes;
  }
  static bool called(DWORD code) {
    for (const auto& call : calls())
      if (call.code == code) return true;
    return false;
  }

  void resetWorkerState() {
    GetActionQueue().clear();
    FreeCurrentProfile();
    SetConnectionStarted(FALSE);
    BssidSiteList.reset();
    ClearSiteStamps();
    g_nSiteAgeLimit = 15;
    g_nAdapterState = 0;
    g_bAdministrator = 0;
    g_b8021xSupport = 0;
    g_bIcvError = 0;
    g_bScanRunning = 0;
    g_bWpsConnect = 0;
    g_bWpsRotate = 1;
    g_nWpsCurrentIndex = g_nWpsNextIndex = 0;
    g_bWpsRunning = 0;
    g_bSwitchingToApMode = 0;
    g_wscCredentialTable = _WSC_CREDENTIAL_TABLE{};
    atMessageBox() = nullptr;
    received().clear();
  }

 private:
  static LRESULT answerAtBox(UINT code, const CString&) {
    if (code != BRIDGE_UI_MESSAGE_BOX) return 0;
    // Whether a command could reach a worker while the box shows (code 0 is
    // no command, so the worker drops it).
    workerReachableAtBox() = NotifyWorker(0, "", FALSE) != -1;
    workerBusyAtBox() = g_pHideDlg && g_pHideDlg->IsBusy();
    if (atMessageBox()) atMessageBox()();
    return IDOK;
  }
};

}  // namespace worker::testing
