// Wavorel's station worker window running on the simulated machine: its
// timers (device removal, the supplicant bound every tick, the link poll's
// rescan and comparison), the media-connect event, the tray menu by who holds
// the adapter, the switch to AP mode and the end of the worker.
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sim/services/ServiceManager.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/user/ModalLoop.h"
#include "tests/worker/WzcServiceView.h"
#include "tests/xp/worker/XpWorkerWindowTest.h"
#include "worker/HideDlg.h"
#include "worker/ProfileStore.h"

namespace xpworker::testing {
namespace {

using supplicant::testing::kGuid;

class HideDlgXpTest : public XpWorkerWindowTest {
 protected:
  HWND worker() const { return g_pHideDlg ? g_pHideDlg->GetSafeHwnd() : nullptr; }
  // Virtual time in steps of 100 ms, the layer's threads and the UI thread
  // settled after each.
  void advance(uint64_t ms) {
    for (uint64_t t = 0; t < ms; t += 100) {
      clock().advance(100);
      pumpAll();
    }
  }
  std::string traceText() {
    std::string path;
    if (!wavorel::resolveWindowsPath("C:\\Sorvik_test.txt", path)) return "";
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
  }
  // Passes of the timer that reached the supplicant check.
  int passes() { return count(traceText(), "End to Detect WPACapN Windows Util"); }
  static int scanRequests() {
    int n = 0;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      n += call.set && (call.code & ~OID_STATION_SET_MASK) == OID_802_11_BSSID_LIST_SCAN ? 1 : 0;
    return n;
  }
  static bool ssidSet(const std::string& ssid) {
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.set && (call.code & ~OID_STATION_SET_MASK) == OID_802_11_SSID && call.data.size() >= 4 + ssid.size() &&
          call.data[0] == ssid.size() && std::string(call.data.begin() + 4, call.data.begin() + 4 + ssid.size()) == ssid)
        return true;
    return false;
  }
  // The labels of the menu the tray's right button opens.
  std::vector<std::string> trayMenu() {
    std::vector<std::string> labels{"<none>"};
    wavorel::setModalResponder([&labels](const wavorel::ModalWindow& w) {
      if (w.kind == wavorel::ModalWindow::Kind::Menu) labels = w.labels;
      return static_cast<int>(ID_WORKER_LAUNCH_CONFIG);
    });
    SendMessage(worker(), WM_WORKER_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    wavorel::setModalResponder(nullptr);
    return labels;
  }
  void toolFiles(bool present) {
    const std::string folder = root() + "/prog/";
    for (const char* name : {"Vendrel.exe", "QzSwap.exe"}) {
      std::remove((folder + name).c_str());
      if (present) std::ofstream(folder + name) << "MZ";
    }
  }
  // Destroys the worker with a connection waiting in its queue (all its key
  // blocks set): the driver is told, the request thread ended, the ports
  // detached and the queue emptied.
  static void destroyWithAConnectQueued() {
    _ACTION_DATA connect;
    connect.Kind = kActionConnect;
    connect.Profile = std::make_unique<_PROFILE_DATA>();
    const BYTE key[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    for (NdisKeyBlock& block : connect.Profile->WepKey) block = MakeNdisKeyBlock(0, key, sizeof key);
    connect.Profile->WpaNoneKey = MakeNdisKeyBlock(0, key, sizeof key);
    GetActionQueue().push_back(std::move(connect));
    wavorel::sim::clearDriverCalls();
    g_pHideDlg->DestroyWindow();
    EXPECT_EQ(lastSet(OID_VX_PRIVATE_0149_SET), std::vector<uint8_t>{0});
    EXPECT_FALSE(IsUiThreadRunning());
    EXPECT_FALSE(SupplicantIsInitialised());
    EXPECT_EQ(GetCurrentPort(), nullptr);
    EXPECT_TRUE(GetActionQueue().empty());
  }
};

TEST_F(HideDlgXpTest, UnpluggedAdapterReleasesTheSupplicantOnceAndReturnsThroughRescan) {
  storeHome();
  startWorker();
  EXPECT_TRUE(driveUntil([] { return mediaConnected(); }, 10000));
  advance(2000);
  EXPECT_NE(GetCurrentPort(), nullptr);

  wavorel::sim::machine().setPresent(kGuid, false);
  size_t mark = traceText().size();
  advance(6000);
  std::string gone = traceText().substr(mark);
  // Discovery on every tick (timer 1 every 2 s, the WPS poll's timer 5 every second).
  EXPECT_EQ(count(gone, "Detect Device Removal = 2"), count(gone, "Start to Detect Device Removal"));
  EXPECT_GE(count(gone, "Detect Device Removal = 2"), 3);
  EXPECT_EQ(count(gone, "Start to release aegis"), 1);
  EXPECT_EQ(count(gone, "Start to Detect WPACapN Windows Util"), 0);
  EXPECT_FALSE(SupplicantIsInitialised());
  EXPECT_EQ(GetCurrentPort(), nullptr);
  ASSERT_FALSE(states().empty());
  EXPECT_EQ(states().back(), "01Wireless Net  Status : Not Exist");

  wavorel::sim::machine().setPresent(kGuid, true);
  mark = traceText().size();
  received().clear();
  advance(2000);
  const std::string back = traceText().substr(mark);
  EXPECT_EQ(count(back, "Start to rescan"), 1);
  // Rescan bound the supplicant; the same tick's first pass released it and
  // its check bound it again.
  EXPECT_EQ(count(back, "Start to release aegis"), 1);
  EXPECT_LT(back.find("Start to rescan"), back.find("Start to release aegis"));
  EXPECT_LT(back.find("Start to release aegis"), back.rfind("Return TRUE"));
  EXPECT_NE(GetCurrentPort(), nullptr);
  ASSERT_FALSE(states().empty());
  EXPECT_EQ(states().front(), "00Wireless Net  Status : Disconnected");
  // The link the release cut comes back by the 15-pass comparison.
  EXPECT_TRUE(driveUntil([] { return mediaConnected(); }, 40000));
}

TEST_F(HideDlgXpTest, TrayMenuOffersTheOtherConfigurationTool) {
  startWorker();
  const std::vector<std::string> useQz = {"Launch Config Utilities ", "Use QzConfig as Configuration utility", "Exit"};
  const std::vector<std::string> useQzAp = {"Launch Config Utilities ", "Use QzConfig as Configuration utility",
                                            "Switch to AP Mode", "Exit"};
  const std::vector<std::string> useZero = {"Launch Config Utilities ",
                                            "Use Zero Configuration as Configuration utility", "Exit"};
  const std::vector<std::string> useZeroAp = {"Launch Config Utilities ",
                                              "Use Zero Configuration as Configuration utility", "Switch to AP Mode",
                                              "Exit"};
  const std::vector<std::string> plainAp = {"Launch Config Utilities ", "Switch to AP Mode", "Exit"};
  const struct {
    int osType;
    int mode;
    bool tools;
    const std::vector<std::string>& menu;
  } table[] = {
      {8, kConfigToolZeroConfig, false, useQz},   {8, kConfigToolZeroConfig, true, useQzAp},
      {8, kConfigToolUtility, false, useZero},    {8, kConfigToolServiceIdle, true, useZeroAp},
      {7, kConfigToolUtility, true, plainAp},
  };
  for (const auto& row : table) {
    g_nOsType = row.osType;
    ConfigToolMode = row.mode;
    g_bAdministrator = 1;
    toolFiles(row.tools);
    EXPECT_EQ(trayMenu(), row.menu) << "OS " << row.osType << " mode " << row.mode << " tools " << row.tools;
  }
}

TEST_F(HideDlgXpTest, EveryNinetiethPassWithoutALinkAsksForARescan) {
  setDriverText("SSID", "Nowhere");
  setDriverText("NetworkType", "1");
  startWorker();
  g_bApplyRequested = 0;  // no comparison re-applies the profile
  advance(4000);
  wavorel::sim::clearDriverCalls();
  std::vector<int> rescanAt;
  for (int step = 0; step < 2000 && rescanAt.size() < 2; ++step) {
    const int before = scanRequests();
    advance(100);
    if (scanRequests() > before) rescanAt.push_back(passes());
  }
  ASSERT_EQ(rescanAt.size(), 2u);
  // The pass with counter 90 is the 91st (a timer due in the same step may follow it).
  EXPECT_GE(rescanAt[0], 91);
  EXPECT_LE(rescanAt[0], 92);
  EXPECT_EQ(rescanAt[1] - rescanAt[0], 90);
}

TEST_F(HideDlgXpTest, EveryFifteenthPassWithoutTheProfilesLinkAppliesItAgain) {
  setDriverText("SSID", "Nowhere");
  setDriverText("NetworkType", "1");
  startWorker();
  advance(4000);
  ASSERT_NE(XpWorkerState().SupplicantCredentials, nullptr);
  g_bProfileApplied = 1;
  wavorel::sim::clearDriverCalls();
  std::vector<int> appliedAt;
  for (int step = 0; step < 1000 && appliedAt.size() < 3; ++step) {
    advance(100);
    if (ssidSet("Nowhere")) {
      appliedAt.push_back(passes());
      wavorel::sim::clearDriverCalls();
    }
  }
  ASSERT_EQ(appliedAt.size(), 3u);
  EXPECT_EQ(appliedAt[1] - appliedAt[0], 15);
  EXPECT_EQ(appliedAt[2] - appliedAt[1], 15);
}

TEST_F(HideDlgXpTest, AnotherNetworkAskedOfTheDriverGivesWayToTheProfileWithinFifteenPasses) {
  const struct {
    const char* name;
    int profileApplied;  // 1: the activated profile is read again; 0: the record is queued again
    int applyRequested;
    bool back;
  } table[] = {
      {"profile read again", 1, 1, true},
      {"record queued again", 0, 1, true},
      {"no apply requested", 1, 0, false},
  };
  storeHome();
  startWorker();
  ASSERT_TRUE(driveUntil([] { return mediaConnected(); }, 10000));
  advance(2000);
  for (const auto& row : table) {
    SCOPED_TRACE(row.name);
    g_bProfileApplied = row.profileApplied;
    g_bApplyRequested = row.applyRequested;
    // A network out of reach: the link drops and the driver names it as its SSID.
    NDIS_802_11_SSID elsewhere{};
    elsewhere.SsidLength = 9;
    std::memcpy(elsewhere.Ssid, "Elsewhere", 9);
    DWORD returned = 0;
    ASSERT_TRUE(SetOid(OID_802_11_SSID, &elsewhere, sizeof elsewhere, &returned, 1));
    pumpAll();
    ASSERT_FALSE(mediaConnected());
    wavorel::sim::clearDriverCalls();
    const int dropped = passes();
    int backAt = -1;
    for (int step = 0; step < 400 && backAt < 0; ++step) {
      advance(100);
      if (ssidSet("Home")) backAt = passes();
    }
    if (!row.back) {
      EXPECT_EQ(backAt, -1);
      EXPECT_FALSE(mediaConnected());
      continue;
    }
    ASSERT_GE(backAt, 0);
    EXPECT_LE(backAt - dropped, 15);
    EXPECT_TRUE(driveUntil([] { return mediaConnected(); }, 10000));
    EXPECT_EQ(g_bProfileApplied, row.profileApplied);
  }
}

TEST_F(HideDlgXpTest, UnderZeroConfigurationTheTicksNeverStartTheSupplicant) {
  storeHome();
  startWorker();
  ASSERT_TRUE(driveUntil([] { return mediaConnected(); }, 10000));
  SendMessage(worker(), WM_COMMAND, ID_WORKER_USE_ZERO_CONFIG, 0);
  pumpAll();
  EXPECT_EQ(lastSet(OID_VX_PRIVATE_0149_SET), std::vector<uint8_t>{0});
  const int before = passes();
  for (int step = 0; step < 200; ++step) {
    advance(100);
    ASSERT_FALSE(SupplicantIsInitialised()) << "after " << passes() - before << " passes";
    ASSERT_EQ(ConfigToolMode, kConfigToolZeroConfig);
  }
  EXPECT_GE(passes() - before, 10);
  EXPECT_EQ(GetCurrentPort(), nullptr);

  // Taken back, the next tick binds the supplicant again.
  SendMessage(worker(), WM_COMMAND, ID_WORKER_USE_QZCONFIG, 0);
  advance(2000);
  EXPECT_EQ(ConfigToolMode, kConfigToolUtility);
  EXPECT_TRUE(SupplicantIsInitialised());
  EXPECT_NE(GetCurrentPort(), nullptr);
}

TEST_F(HideDlgXpTest, MediaEventMergesTheDriverListWithoutTouchingTheQueue) {
  startWorker();
  advance(6000);
  std::memset(BssidSiteList.get(), 0, 4);
  XpWorkerState().ScanPending = 1;
  const size_t queued = GetActionQueue().size();
  wavorel::sim::clearDriverCalls();
  SendMessage(worker(), WM_MEDIA_CONNECT_EVENT, 0, 0);
  EXPECT_GT(wavorel::wire::getU32(BssidSiteList.get()), 0u);
  EXPECT_EQ(XpWorkerState().ScanPending, 1);
  EXPECT_EQ(GetActionQueue().size(), queued);
  EXPECT_EQ(scanRequests(), 0);
  XpWorkerState().ScanPending = 0;
}

TEST_F(HideDlgXpTest, SwitchToApModeReleasesTheSupplicantAndStopsZeroConfigurationFirst) {
  storeHome();
  startWorker();
  ASSERT_TRUE(driveUntil([] { return mediaConnected(); }, 10000));
  EnableWzcOnInterface(1);
  pumpAll();
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();
  SendMessage(worker(), WM_COMMAND, ID_WORKER_SWITCH_TO_AP, 0);
  EXPECT_FALSE(SupplicantIsInitialised());
  drive(3000);
  EXPECT_EQ(worker::testing::WzcService().state, static_cast<uint32_t>(SERVICE_STOPPED));
  EXPECT_EQ(worker::testing::WzcService().startType, static_cast<uint32_t>(SERVICE_DEMAND_START));
  EXPECT_EQ(driverText("OpMode"), "1");
  EXPECT_EQ(lastSet(OID_VX_AP_MODE_SET), (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(g_bSwitchingToApMode, 1);
  const std::vector<wavorel::ProcessStart> starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "WinExec");
  EXPECT_EQ(starts[0].commandLine,
            std::string("\"QzSwap.exe\" ON Sorvik Vendrel \"Nerolt Wireless\" USB 8 ") + g_szHardwareId);
  EXPECT_EQ(starts[0].show, SW_MINIMIZE);
  g_bSwitchingToApMode = 0;
}

TEST_F(HideDlgXpTest, DestroyEndsTheRequestThreadAndDetachesThePortsWithAConnectQueued) {
  storeHome();
  startWorker();
  ASSERT_TRUE(driveUntil([] { return mediaConnected(); }, 10000));
  ASSERT_TRUE(IsUiThreadRunning());
  destroyWithAConnectQueued();
  EXPECT_EQ(XpWorkerState().SupplicantCredentials, nullptr);
  EXPECT_EQ(SupplicantGetCurrentProfile(), nullptr);
}

TEST_F(HideDlgXpTest, DestroyEndsAPasswordPromptThatHoldsTheRequestThread) {
  storePasswordChangeProfile();
  startWorker();
  ASSERT_TRUE(driveUntil([] { return IsPromptActive() != 0; }, 20000));
  destroyWithAConnectQueued();
  EXPECT_FALSE(IsPromptActive());
  wavorel::sim::clearDriverCalls();
  drive(3000);  // nothing answers, connects or posts any more
  EXPECT_TRUE(wavorel::sim::driverCalls().empty());
  EXPECT_EQ(driverText("TunnelPassword"), "old-one");
}

TEST_F(HideDlgXpTest, RadioSwitchOfTheDriverDropsTheLinkAndStopsScans) {
  storeHome();
  startWorker();
  ASSERT_TRUE(driveUntil([] { return mediaConnected(); }, 10000));
  DWORD value = 0, returned = 0;
  ASSERT_TRUE(QueryOid(OID_VX_PRIVATE_0108, &value, sizeof value, &returned));
  EXPECT_EQ(value, 1u);

  DWORD off = 0;
  ASSERT_TRUE(SetOid(OID_VX_PRIVATE_0108_SET, &off, sizeof off, &returned, 1));
  EXPECT_FALSE(mediaConnected());
  value = 9;
  QueryOid(OID_VX_PRIVATE_0108, &value, sizeof value, &returned);
  EXPECT_EQ(value, 0u);
  QueryOid(OID_VX_LINK_EVENT, &value, sizeof value, &returned);
  EXPECT_EQ(value, 3u);
  BYTE config[32] = {};
  QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned);
  EXPECT_EQ(wavorel::wire::getU32(config + 20), 0u);
  SetOid(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, &returned, 1);
  clock().advance(5000);
  std::vector<BYTE> list(kBssListSize);
  QueryOid(OID_802_11_BSSID_LIST, list.data(), kBssListSize, &returned);
  EXPECT_EQ(wavorel::wire::getU32(list.data()), 0u);

  DWORD on = 1;
  ASSERT_TRUE(SetOid(OID_VX_PRIVATE_0108_SET, &on, sizeof on, &returned, 1));
  QueryOid(OID_VX_PRIVATE_0108, &value, sizeof value, &returned);
  EXPECT_EQ(value, 1u);
  QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned);
  EXPECT_EQ(wavorel::wire::getU32(config + 20), 1u);
}

}  // namespace
}  // namespace xpworker::testing
