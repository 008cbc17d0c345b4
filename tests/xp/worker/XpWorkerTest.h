// Fixture of the XP station worker's steps: the supplicant layer's machine
// (an 802.11n adapter, 802.1X and pre-shared-key networks), the worker's
// state at its start values, a plain window for the worker's timers, a
// queue and context of the test's own, and the driver's log as lines.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/xp/supplicant/SupplicantLayerTest.h"
#include "worker/BssLists.h"
#include "worker/ModuleFunctions.h"
#include "worker/StationHost.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace xpworker::testing {

using Trace = std::vector<std::string>;

// A host dialog that exists (the steps ask the user only then), without a
// window, and does nothing.
class QuietHost : public CStationHost {
 public:
  CDialog* GetTabPage(int) const override { return nullptr; }
  CDialog* GetSecondaryDialog(int) const override { return nullptr; }
  void ShowSecondaryDialog(int) override {}
  void ToggleLayout() override {}
  void SetRadioPicture(BOOL) override {}
  void SetLayoutButton(BOOL) override {}
  void RefreshPages() override {}
  BOOL IsWpsPageReady() const override { return FALSE; }
  void RunPageCommand(UINT, const CString&) override {}
  BOOL IsProfileListed(LPCSTR) const override { return FALSE; }
  void ClearSiteConnectTargets() override {}
};

class XpWorkerTest : public supplicant::testing::SupplicantLayerTest {
 public:
  void SetUp() override {
    SupplicantLayerTest::SetUp();
    g_strAdapterGuid = supplicant::testing::kGuid;
    g_nOsType = 8;
    g_bAdministrator = 1;
    g_bHtFamily = 0;
    g_nWirelessMode = 3;
    g_dwTransmitSetting = 0;
    g_wDriverVersion = 0x0500;
    g_bRegionEditableBandG = 0;
    g_bRegionEditableBandA = 0;
    g_bWpsConnect = 0;
    g_bShowAuthStatus = 0;
    g_bApplyRequested = 1;
    ConfigToolMode = kConfigToolUndetermined;
    ResetXpWorkerState();
    BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
    ClearSiteStamps();
    makeWindow();
    context.queue = &queue;
    context.addAction = [this](_ACTION_DATA action) {
      queue.push_back(std::move(action));
      return TRUE;
    };
    context.applyCurrentProfile = [this] { applied.push_back("admin"); };
    context.applyCurrentProfileReadOnly = [this] { applied.push_back("read-only"); };
    wavorel::sim::clearDriverCalls();
  }
  void TearDown() override {
    queue.clear();
    ResetXpWorkerState();
    BssidSiteList.reset();
    if (window_) DestroyWindow(window_);
    g_strAdapterGuid.Empty();
    SupplicantLayerTest::TearDown();
  }

  // Every driver request as "S|Q <code as sent> <size>", with
  // "=<hex data>" for sets of at most 8 bytes.
  static Trace trace() {
    Trace lines;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls()) {
      char text[64];
      std::snprintf(text, sizeof text, "%c %08X %u", call.set ? 'S' : 'Q', call.code, call.size);
      std::string line = text;
      if (call.set && !call.data.empty() && call.data.size() <= 8) {
        line += " =";
        for (uint8_t b : call.data) std::snprintf(text, sizeof text, "%02X", b), line += text;
      }
      lines.push_back(line);
    }
    return lines;
  }
  // The data of the last set of `code` (as sent).
  static std::vector<uint8_t> lastSet(uint32_t code) {
    std::vector<uint8_t> data;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.set && call.code == code) data = call.data;
    return data;
  }

  // The profile the driver key holds: the Home network (WPA2-PSK).
  static void storeHome() {
    setDriverText("SSID", "Home");
    setDriverText("NetworkType", "1");
    setDriverText("AuthenType", "7");
    setDriverText("Encryption", "6");
    setDriverText("WPAPSK", "correct horse");
  }
  // The profile the driver key holds: the PEAP network whose server asks
  // alice for a new password (her stored one is "old-one"), so the
  // worker's password prompt waits for an answer.
  static void storePasswordChangeProfile() {
    for (const auto& [name, value] : {std::pair{"SSID", "Change"}, std::pair{"NetworkType", "1"},
                                      std::pair{"AuthenType", "6"}, std::pair{"Encryption", "6"},
                                      std::pair{"Use8021X", "1"}, std::pair{"AuthenProtocol", "0"},
                                      std::pair{"TunnelProtocol", "26"}, std::pair{"ID", "alice"},
                                      std::pair{"TunnelID", "alice"}, std::pair{"TunnelPassword", "old-one"}})
      setDriverText(name, value);
  }

  // Whether the driver reports the link up.
  static bool mediaConnected() {
    DWORD status = 1, returned = 0;
    return QueryOid(OID_GEN_MEDIA_CONNECT_STATUS, &status, sizeof status, &returned) && status == 0;
  }

  void queueConnect(const _PROFILE_DATA& record) {
    _ACTION_DATA action;
    action.Kind = kActionConnect;
    action.Profile = std::make_unique<_PROFILE_DATA>(record);
    queue.push_back(std::move(action));
  }
  void queueKind(DWORD kind) {
    _ACTION_DATA action;
    action.Kind = kind;
    queue.push_back(std::move(action));
  }
  // The worker's window (again after a new world reset the platform).
  void makeWindow() {
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = &RecordTimers;
    windowClass.lpszClassName = "XpWorkerTestWindow";
    RegisterClass(&windowClass);
    fired().clear();
    window_ = CreateWindowEx(0, "XpWorkerTestWindow", "worker", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    context.worker = window_;
  }
  // The worker window's timers that fired, in order; each fires once.
  static std::vector<UINT_PTR>& fired() {
    static std::vector<UINT_PTR> ids;
    return ids;
  }
  HWND window() const { return window_; }

  XP_WORKER_CONTEXT context;
  std::vector<_ACTION_DATA> queue;
  std::vector<std::string> applied;

 private:
  static LRESULT CALLBACK RecordTimers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProc(hwnd, message, wParam, lParam);
    KillTimer(hwnd, wParam);
    fired().push_back(wParam);
    return 0;
  }
  HWND window_ = nullptr;
};

}  // namespace xpworker::testing
