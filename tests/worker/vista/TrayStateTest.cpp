// The worker's tray menu (which of its two menus is offered), the switch to
// AP mode and the host request while the adapter is missing.
#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/Process.h"
#include "tests/worker/vista/HideDlgTest.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {
namespace {

const std::vector<std::string> kMenuWithAp = {"Launch Config Utilities ", "Switch to AP Mode", "Exit"};
const std::vector<std::string> kMenu = {"Launch Config Utilities ", "Exit"};

class TrayStateTest : public HideDlgTest {
 protected:
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    wavorel::setRunningAsAdministrator(true);
    HideDlgTest::TearDown();
  }
  void toolFiles(bool vendrel, bool qzswap) {
    const std::string folder = programLinux() + "/";
    std::remove((folder + "Vendrel.exe").c_str());
    std::remove((folder + "QzSwap.exe").c_str());
    if (vendrel) std::ofstream(folder + "Vendrel.exe") << "MZ";
    if (qzswap) std::ofstream(folder + "QzSwap.exe") << "MZ";
  }
  // The labels of the menu the tray's right button opens ("Launch Config
  // Utilities" picked: with the adapter there and no host it does nothing).
  std::vector<std::string> trayMenu() {
    std::vector<std::string> labels{"<none>"};
    wavorel::setModalResponder([&labels](const wavorel::ModalWindow& w) {
      if (w.kind == wavorel::ModalWindow::Kind::Menu) labels = w.labels;
      return static_cast<int>(ID_WORKER_LAUNCH_CONFIG);
    });
    SendMessage(workerWindow(), WM_WORKER_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    wavorel::setModalResponder(nullptr);
    return labels;
  }
};

TEST_F(TrayStateTest, SwitchToApModeIsOfferedOnlyWhenEverythingFits) {
  startWorker();
  const struct {
    bool vendrel, qzswap;
    int family;
    BOOL admin;
    const std::vector<std::string>& menu;
  } table[] = {
      {true, true, 8, TRUE, kMenuWithAp},  {true, true, 4, TRUE, kMenuWithAp}, {true, true, 3, TRUE, kMenu},
      {true, true, 0, TRUE, kMenu},        {true, false, 8, TRUE, kMenu},      {false, true, 8, TRUE, kMenu},
      {true, true, 8, FALSE, kMenu},
  };
  for (const auto& row : table) {
    toolFiles(row.vendrel, row.qzswap);
    g_nFamilyIndex = row.family;
    g_bAdministrator = row.admin;
    EXPECT_EQ(trayMenu(), row.menu) << row.vendrel << row.qzswap << " family " << row.family << " admin "
                                    << row.admin;
  }
}

TEST_F(TrayStateTest, SwitchToApModeEndsTheWorkerAndStartsTheSwapTool) {
  startWorker();
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();
  SendMessage(workerWindow(), WM_COMMAND, ID_WORKER_SWITCH_TO_AP, 0);
  EXPECT_EQ(g_bSwitchingToApMode, 1);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, g_strDriverKey, "OpMode"), std::string("1\0", 2));
  ASSERT_FALSE(calls().empty());
  EXPECT_EQ(calls().back().code, OID_VX_AP_MODE_SET | OID_STATION_SET_MASK);
  EXPECT_EQ(calls().back().data, (std::vector<uint8_t>{1, 0, 0, 0}));
  const std::vector<wavorel::ProcessStart> starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "WinExec");
  EXPECT_EQ(starts[0].commandLine,
            std::string("\"QzSwap.exe\" ON Sorvik Vendrel \"Nerolt Wireless\" USB 8 ") + g_szHardwareId);
  EXPECT_EQ(starts[0].show, SW_MINIMIZE);
  EXPECT_FALSE(KillTimer(workerWindow(), kPollTimer)) << "the worker's timers are stopped";
}

TEST_F(TrayStateTest, SwitchToApModeNamesAPciAdapterOnTheSwapToolsLine) {
  // The default USB adapter is unplugged; the PCI card behind it is the one found.
  std::string world(wavorel::sim::defaultWorldText());
  world.replace(world.find("Chains = 2"), 10, "Chains = 2\nPresent = no");
  reopenIn(world + kSecondAdapter);
  startWorker();
  ASSERT_STREQ(g_szHardwareId, "PCI\\VEN_F0A5&DEV_0701");
  wavorel::clearProcessStarts();
  SendMessage(workerWindow(), WM_COMMAND, ID_WORKER_SWITCH_TO_AP, 0);
  const std::vector<wavorel::ProcessStart> starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].commandLine, "\"QzSwap.exe\" ON Sorvik Vendrel \"Nerolt Wireless\" PCI 7 PCI\\VEN_F0A5&DEV_0701");
}

TEST_F(TrayStateTest, HostRequestWithoutTheAdapterShowsNotReadyWhileBusy) {
  startWorker();
  machine().setPresent(guid(), false);
  received().clear();
  SendMessage(workerWindow(), WM_COMMAND, ID_WORKER_LAUNCH_CONFIG, 0);
  SendMessage(workerWindow(), WM_WORKER_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK);
  const std::vector<std::string> boxes = valuesOf(BRIDGE_UI_MESSAGE_BOX);
  EXPECT_EQ(boxes, (std::vector<std::string>(2, "48\r\n\r\nNIC or driver not ready")));
  EXPECT_TRUE(workerBusyAtBox()) << "busy while the box shows";
  EXPECT_FALSE(worker().IsBusy());
}

}  // namespace
}  // namespace worker::testing
