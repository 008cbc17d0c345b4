// Starting the AP worker and entering AP mode, and leaving it again.
#include "tests/softap/ApWorkerTest.h"
#include "softap/QzPropSheet_AP.h"
#include "platform/sim/services/NativeWifiService.h"
#include "platform/win/user/ModalLoop.h"
#include "worker/vista/RegistryRpcClient.h"

namespace softap::testing {
namespace {

class ApStartTest : public ApWorkerTest {};

// The position of the first call with `code` (set or query) at or after `from`.
size_t indexOf(const std::vector<wavorel::sim::DriverCall>& log, uint32_t code, bool set, size_t from = 0) {
  for (size_t i = from; i < log.size(); ++i)
    if (log[i].code == code && log[i].set == set) return i;
  return log.size();
}

TEST_F(ApStartTest, EntersApModeAppliesEverythingAndSwitchesDhcpOn) {
  ASSERT_FALSE(wavorel::sim::icsDhcpServerOn());
  ASSERT_TRUE(start());
  const auto log = calls();
  // The AP-mode query first, then the switch (the driver was in station mode).
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0].code, 0xFF0C001Au);
  EXPECT_FALSE(log[0].set);
  EXPECT_EQ(log[1].code, 0xFF8C001Au);
  EXPECT_EQ(log[1].data, (std::vector<uint8_t>{1, 0, 0, 0}));
  const size_t version = indexOf(log, 0x00010110, false);
  const size_t firstRead = indexOf(log, 0xFF0C0008, false, version);
  const size_t secondRead = indexOf(log, 0xFF0C0008, false, firstRead + 1);
  const size_t region = indexOf(log, 0xFF8C0003, true, secondRead);
  ASSERT_LT(region, log.size()) << "apply-all follows the two register reads";
  EXPECT_EQ(log[firstRead].data, (std::vector<uint8_t>{3, 0, 0, 0, 0x36, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(log[firstRead].size, 12u);
  EXPECT_EQ(log[secondRead].size, 12u);
  EXPECT_EQ(g_wApDriverVersion, 0x0501);
  EXPECT_EQ(g_bApRegisterRead, 1);

  const CString key = driverKeyOf();
  EXPECT_EQ(readValue(key, "OpMode"), "1");
  // "ApDefault" was missing: written by the one writer of its defaults, then
  // completed and copied into the driver key.
  EXPECT_EQ(readValue(key + "\\ApDefault", "WdsEnable"), "1");
  EXPECT_EQ(readValue(key + "\\ApDefault", "AllowBW40Capability"), "1");
  EXPECT_EQ(readValue(key, "AllowBW40Capability"), "1");
  EXPECT_EQ(readValue(key, "BeaconPeriod"), "100");
  EXPECT_TRUE(wavorel::sim::icsDhcpServerOn());
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).apMode());

  ASSERT_FALSE(valuesOf(BRIDGE_UI_CONNECTION_STATE).empty());
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE).front(), "00Wireless Net  Status : Disconnected");
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, 0, TRUE), 0) << "the worker window is the bridge's";
  EXPECT_EQ(g_strApDevicePath, CString("\\\\.\\") + guid().c_str());
  EXPECT_EQ(g_strApDriverKey.CompareNoCase(driverKeyOf()), 0) << g_strApDriverKey;
  EXPECT_STREQ(g_szApHardwareId, "USB\\VID_F0A5&PID_0101");
  EXPECT_EQ(g_nApFamilyIndex, 8);
  EXPECT_EQ(g_bApUsbFound, 1);
  EXPECT_EQ(g_bApHtFamily, 1);
  EXPECT_EQ(g_nApHtFamilyCode, 3);
  EXPECT_EQ(g_bApSupportBandA, 1);
}

TEST_F(ApStartTest, DhcpServerGetsA32ByteBufferWhoseAnswerIsLeftUnread) {
  // The export fills the buffer with bytes none of which is zero: a worker
  // that took the answer for a text would read past the buffer.
  ASSERT_TRUE(start());
  const std::vector<wavorel::sim::IcsDhcpEnableCall> enables = wavorel::sim::icsDhcpEnableCalls();
  ASSERT_EQ(enables.size(), 1u);
  EXPECT_TRUE(enables[0].buffer);
  EXPECT_EQ(enables[0].flags, 0u);
  EXPECT_TRUE(wavorel::sim::icsDhcpServerOn());
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE).front(), "00Wireless Net  Status : Disconnected");
}

TEST_F(ApStartTest, DriverAlreadyInApModeIsNotSwitchedAgain) {
  wavorel::sim::machine().adapter(0).setApMode(true);
  ASSERT_TRUE(start());
  EXPECT_TRUE(setsOf(0xFF8C001A).empty());
}

TEST_F(ApStartTest, FailedApModeQuerySetsNothing) {
  wavorel::sim::machine().failCode(0xFF0C001A, 1);
  ASSERT_TRUE(start());
  EXPECT_TRUE(setsOf(0xFF8C001A).empty());
}

TEST_F(ApStartTest, NonAdministratorIsWarnedAndStartGoesOn) {
  wavorel::setRunningAsAdministrator(false);
  int workerTarget = 0;
  // The alert is sent while the worker starts: the bridge does not name the
  // worker yet.
  answerWith([&workerTarget](UINT code, const CString&) -> LRESULT {
    if (code != BRIDGE_UI_MESSAGE_BOX) return 0;
    workerTarget = NotifyWorkerInt(73, 0, TRUE);
    return IDOK;
  });

  ASSERT_TRUE(start());
  ASSERT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX).size(), 1u);
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX)[0],
            "48\r\n\r\nSoft AP user's account must have 'Administrator' privilege.");
  EXPECT_EQ(workerTarget, -1);
  EXPECT_TRUE(worker()->IsAdapterFound());
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).apMode());
  // The driver key refuses a standard user: its values went through the
  // registry service.
  EXPECT_EQ(readValue(driverKeyOf(), "OpMode"), "1");
  EXPECT_FALSE(IsWindowVisible(worker()->GetSafeHwnd()));
}

TEST_F(ApStartTest, WithoutAdapterTheWorkerWaitsAndShowsNotExist) {
  wavorel::sim::machine().setPresent(guid(), false);
  ASSERT_TRUE(start());
  EXPECT_FALSE(worker()->IsAdapterFound());
  EXPECT_FALSE(wavorel::sim::icsDhcpServerOn());
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "01Soft AP  Status : Not Exist");
}

TEST_F(ApStartTest, RegistryServiceClientLivesFromTheFirstWorkerToCloseOnExit) {
  ASSERT_TRUE(start());
  ASSERT_TRUE(g_pApRegistryClient);
  EXPECT_TRUE(g_pApRegistryClient->IsBound());
  DestroyHideDlgAP();
  EXPECT_EQ(worker(), nullptr);
  EXPECT_TRUE(g_pApRegistryClient) << "the worker's end keeps it";
  CloseAPOnExit();
  EXPECT_FALSE(g_pApRegistryClient);
}

TEST_F(ApStartTest, DestroyingTheWorkerExitsAndUnregistersIt) {
  ASSERT_TRUE(start());
  const HWND window = worker()->GetSafeHwnd();
  EXPECT_TRUE(PostHideDlgAPMessage(WM_NULL, 0, 0));
  DestroyHideDlgAP();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(wavorel::sim::icsDhcpServerOn());
  EXPECT_FALSE(PostHideDlgAPMessage(WM_NULL, 0, 0));
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, 0, TRUE), -1);
  DestroyHideDlgAP();  // nothing left to destroy
}

TEST_F(ApStartTest, AnotherWorkerWindowStaysTheBridgesWhenThisOneGoes) {
  ASSERT_TRUE(start());
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "OtherWorker";
  RegisterClass(&wc);
  const HWND other = CreateWindowEx(0, "OtherWorker", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetWorkerNotifyWnd(other);
  DestroyHideDlgAP();
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, 0, TRUE), 0) << "the newer worker is still the target";
  pump();
}

TEST_F(ApStartTest, LeavingApModeRestoresTheStationAndHandsTheAdapterBack) {
  // The installer keeps the station values in "Default"; the world adds one
  // there and the stored AP SSID.
  useDefaultWorld("Reg.Default\\Channel = 11\nReg.ApDefault\\SSID = World-AP");
  ASSERT_TRUE(start());
  EXPECT_EQ(worker()->GetSsid(), "World-AP");
  auto& profiles = wavorel::sim::NativeWifiService::instance().store(guid());
  EXPECT_NE(profiles.find("World-AP"), nullptr) << "the AP's connection is stored under its SSID";
  writeText(driverKeyOf(), "WirelessMode", "2");
  wavorel::sim::clearDriverCalls();
  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_LEAVE_AP_MODE, 0);

  const auto log = calls();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0].code, 0xFF8C001Au) << "the AP mode goes off first";
  EXPECT_EQ(log[0].data, (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).apMode());
  EXPECT_EQ(readValue(driverKeyOf(), "OpMode"), "0");
  EXPECT_FALSE(wavorel::sim::icsDhcpServerOn());
  EXPECT_STREQ(readValue(driverKeyOf(), "WirelessMode").c_str(), "9");
  EXPECT_STREQ(readValue(driverKeyOf(), "Channel").c_str(), "11");
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).connected());
  EXPECT_EQ(profiles.find("World-AP"), nullptr) << "and deleted";
  const auto starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "WinExec");
  EXPECT_EQ(starts[0].commandLine,
            "\"QzSwap.exe\" OFF Sorvik Vendrel \"Nerolt Wireless\" USB 8 USB\\VID_F0A5&PID_0101");
  EXPECT_EQ(starts[0].show, SW_MINIMIZE);
  EXPECT_FALSE(IsWindowVisible(worker()->GetSafeHwnd()));
  // The poll stopped.
  wavorel::sim::clearDriverCalls();
  tick(2 * CHideDlg_AP::kPollMs);
  EXPECT_TRUE(calls().empty());
}

TEST_F(ApStartTest, LeavingApModeDeletesTheConnectionTheApBeaconed) {
  // Without a stored SSID the AP beacons a name of its own: that connection
  // is the one stored, and the one deleted on leaving.
  useDefaultWorld("");
  startWith({{"SSID", ""}});
  ASSERT_EQ(worker()->GetBeaconSsid(), "SoftAP-01");
  auto& profiles = wavorel::sim::NativeWifiService::instance().store(guid());
  ASSERT_NE(profiles.findBySsid("SoftAP-01"), nullptr);
  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_LEAVE_AP_MODE, 0);
  EXPECT_EQ(profiles.findBySsid("SoftAP-01"), nullptr);
  EXPECT_TRUE(profiles.profiles().empty());
}

TEST_F(ApStartTest, TrayMenuOffersItsCommandsAndDoubleClickOpensTheSheet) {
  ASSERT_TRUE(start());
  worker()->GetSheet()->DestroyWindow();  // the sheet of the start is closed
  g_nApEventLogShown = 5;
  worker()->SendMessage(CHideDlg_AP::WM_AP_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK);
  EXPECT_EQ(g_nApEventLogShown, 0) << "an opened sheet lists the store afresh";

  const TrayMenu menu = rightClickTray(CHideDlg_AP::ID_EXIT);
  EXPECT_EQ(menu.commands, (std::vector<int>{34774, 34778, 34776}));
  EXPECT_EQ(menu.labels, (std::vector<std::string>{"Launch Config Utilities ", "Switch to Station Mode", "Exit"}));
  EXPECT_FALSE(wavorel::sim::icsDhcpServerOn()) << "Exit was chosen";
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).apMode()) << "Exit leaves the driver as it is";
}

}  // namespace
}  // namespace softap::testing
