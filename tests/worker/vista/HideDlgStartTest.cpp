// The station worker's start, its end and the adapter coming and going, on
// the default world and the virtual clock.
#include <algorithm>

#include "platform/win/kernel/Account.h"
#include "tests/worker/vista/HideDlgTest.h"

namespace worker::testing {
namespace {

constexpr char kDisconnected[] = "00Wireless Net  Status : Disconnected";
constexpr char kNotExist[] = "01Wireless Net  Status : Not Exist";

class HideDlgStartTest : public HideDlgTest {
 protected:
  void TearDown() override {
    wavorel::setRunningAsAdministrator(true);
    HideDlgTest::TearDown();
  }
  // The default world with the adapter unplugged at start.
  void startWithoutAdapter() {
    reopenIn(std::string(wavorel::sim::defaultWorldText()).replace(
        std::string(wavorel::sim::defaultWorldText()).find("Chains = 2"), 10, "Chains = 2\nPresent = no"));
    startWorker();
  }
};

TEST_F(HideDlgStartTest, StartsDisconnectedWithWmiAndRegistersWithTheBridgeLast) {
  startWorker();
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE), (std::vector<std::string>{kDisconnected}));
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty()) << "an administrator gets no warning";
  EXPECT_TRUE(worker().IsAdapterFound());
  EXPECT_EQ(g_nAdapterState, kAdapterReady);
  EXPECT_EQ(g_b8021xSupport, 1);
  EXPECT_EQ(g_bAdministrator, 1);
  EXPECT_TRUE(worker().WmiListener().IsDriverEventRegistered());
  EXPECT_TRUE(worker().WmiListener().IsMediaConnectRegistered());
  EXPECT_NE(BssidSiteList, nullptr);

  char text[32] = "";
  GetWindowText(workerWindow(), text, sizeof text);
  EXPECT_STREQ(text, "HideDlg");
  EXPECT_EQ(GetWindowLong(workerWindow(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(workerWindow()));

  // The bridge reaches the worker now: code 1 sets the PSP-Xlink switch.
  wavorel::sim::clearDriverCalls();
  EXPECT_EQ(NotifyWorker(BRIDGE_CMD_SET_PSP_XLINK, "1", FALSE), 0);
  ASSERT_EQ(calls().size(), 1u);
  EXPECT_EQ(calls()[0].code, OID_VX_PRIVATE_0134_SET | OID_STATION_SET_MASK);
  EXPECT_EQ(calls()[0].data, (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST_F(HideDlgStartTest, StandardUserIsWarnedBeforeTheWorkerTakesCommands) {
  wavorel::setRunningAsAdministrator(false);
  startWorker();
  EXPECT_EQ(g_bAdministrator, 0);
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX),
            (std::vector<std::string>{
                "48\r\n\r\nYou have no 'Administrator' privilege, so some features may not work successfully"}));
  EXPECT_FALSE(workerReachableAtBox()) << "the worker registers with the bridge after the warning";
  EXPECT_EQ(NotifyWorker(0, "", FALSE), 0);
  EXPECT_EQ(lastState(), kDisconnected);
}

TEST_F(HideDlgStartTest, MissingAdapterIsReportedAndFoundAgainWhenPluggedIn) {
  startWithoutAdapter();
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE), (std::vector<std::string>{kNotExist}));
  EXPECT_FALSE(worker().IsAdapterFound());
  EXPECT_EQ(g_nAdapterState, 0);

  advance(2000);
  EXPECT_EQ(lastState(), kNotExist) << "the poll keeps looking every 2 seconds";
  machine().setPresent(guid(), true);
  wavorel::sim::clearDriverCalls();
  advance(2000);
  EXPECT_EQ(lastState(), kDisconnected);
  EXPECT_TRUE(worker().IsAdapterFound());
  EXPECT_EQ(g_nAdapterState, kAdapterReady);
  EXPECT_TRUE(called(OID_VX_COUNTRY_REGION)) << "the rescan step ran";
  EXPECT_TRUE(called(OID_GEN_DRIVER_VERSION));
}

TEST_F(HideDlgStartTest, UnpluggedAdapterGoesToNotExistAndComesBack) {
  startWorker();
  g_bWpsConnect = 1;
  machine().setPresent(guid(), false);
  advance(2000);
  EXPECT_EQ(lastState(), kNotExist);
  EXPECT_EQ(g_bWpsConnect, 0) << "the WPS connection is gone with the adapter";
  EXPECT_EQ(g_nAdapterState, kAdapterReady) << "never cleared";
  const size_t reports = valuesOf(BRIDGE_UI_CONNECTION_STATE).size();
  advance(4000);
  const std::vector<std::string> states = valuesOf(BRIDGE_UI_CONNECTION_STATE);
  EXPECT_GE(states.size(), reports + 2) << "the poll keeps reporting";
  EXPECT_TRUE(std::all_of(states.begin() + static_cast<std::ptrdiff_t>(reports), states.end(),
                          [](const std::string& s) { return s == kNotExist; }));
  machine().setPresent(guid(), true);
  advance(2000);
  EXPECT_EQ(lastState(), kDisconnected);
}

TEST_F(HideDlgStartTest, DestroyUnregistersAndFreesTheWorkersBuffers) {
  startWorker();
  const HWND hwnd = workerWindow();
  machine().failCode(OID_VX_AP_MODE_SET, 5);
  DWORD station = 0, returned = 0;
  SetOid(OID_VX_AP_MODE_SET, &station, sizeof station, &returned, 3);  // fails: queued for retry
  ASSERT_EQ(GetSetOidQueue().GetCount(), 1);
  worker().AddAction(kActionRescan);
  _PROFILE_DATA record;
  SetCurrentProfile(&record);
  DestroyHideDlg();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(g_pHideDlg, nullptr);
  EXPECT_EQ(NotifyWorker(0, "", FALSE), -1) << "the bridge no longer names the worker";
  EXPECT_EQ(BssidSiteList, nullptr);
  EXPECT_TRUE(GetActionQueue().empty());
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
  EXPECT_EQ(GetCurrentProfile(), nullptr);
}

TEST_F(HideDlgStartTest, AnotherWorkersWindowStaysRegisteredWhenThisOneEnds) {
  startWorker();
  const HWND other = CreateWindowEx(0, "STATIC", "other", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetWorkerNotifyWnd(other);
  DestroyHideDlg();
  EXPECT_TRUE(ClearWorkerNotifyWnd(other)) << "the bridge still names the newer worker";
  DestroyWindow(other);
}

}  // namespace
}  // namespace worker::testing
