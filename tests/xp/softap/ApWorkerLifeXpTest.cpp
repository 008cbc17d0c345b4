// Wavorel's AP worker from start to end: the start-up's warning, first tray
// state and bridge registration, discovery by the built-in tables alone, what
// entering AP mode reads of the adapter and the registry, the tray menu, the
// messages only WavorelVista's worker takes, the poll tick by the NDIS codes,
// "bCheckBuild" while the sheet is open and the pages' trace it switches on,
// and the order of leaving AP mode.
#include "platform/win/user/ModalLoop.h"
#include "softap/QzPropSheet_AP.h"
#include "tests/xp/softap/ApWorkerXpTest.h"

namespace softap::testing {
namespace {

constexpr uint32_t kRssi = 0x0D010206;
constexpr uint32_t kEventLog = 0x0D71010A;
constexpr const char* kFirstTrayState = "00Wireless Net  Status : Disconnected";

// The codes of the driver calls since the log was cleared, in order.
std::vector<uint32_t> codesCalled() {
  std::vector<uint32_t> codes;
  for (const auto& c : wavorel::sim::driverCalls()) codes.push_back(c.code);
  return codes;
}

TEST_F(ApWorkerXpTest, StartWarnsAStandardUserAnnouncesTheFirstStateAndRegistersOnTheBridge) {
  for (const bool administrator : {true, false}) {
    SCOPED_TRACE(administrator ? "administrator" : "standard user");
    resetModule();
    writeApDefault(kBase);
    wavorel::setRunningAsAdministrator(administrator);
    ASSERT_TRUE(start());
    const std::vector<std::string> boxes = valuesOf(BRIDGE_UI_MESSAGE_BOX);
    if (administrator) {
      EXPECT_TRUE(boxes.empty());
    } else {
      EXPECT_EQ(boxes, std::vector<std::string>{"48\r\n\r\nSoft AP user's account must have 'Administrator' privilege."});
    }
    // Start-up goes on all the same.
    EXPECT_TRUE(worker()->IsAdapterFound());
    EXPECT_TRUE(wavorel::sim::machine().adapter(0).apMode());
    const std::vector<std::string> states = valuesOf(BRIDGE_UI_CONNECTION_STATE);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.front(), kFirstTrayState);
    // The bridge names the worker: a command (one it ignores) reaches it.
    EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_AP_LAST + 1, 0, FALSE), 0);
    DestroyHideDlgAP();
    EXPECT_LT(NotifyWorkerInt(BRIDGE_CMD_AP_LAST + 1, 0, FALSE), 0);
    wavorel::setRunningAsAdministrator(true);
  }
}

TEST_F(ApWorkerXpTest, AdapterIsFoundInTheBuiltInTablesWhateverTheProgramIniLists) {
  // A supported-device list that names another board only.
  WritePrivateProfileString("VX31", "DeviceID_1", "USB\\VID_0000&PID_0000", "C:\\Program Files\\Wavorel\\Wavorel.ini");
  startWith({});
  EXPECT_TRUE(worker()->IsAdapterFound());
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).apMode());
}

TEST_F(ApWorkerXpTest, EnteringApModeTakesTheAdapterIntoTheModule) {
  constexpr uint32_t kRegionQuery = 0x0D710107;
  const struct Case {
    const char* name;
    const char* adapter;  // the default world's adapter lines replaced
    bool regionChecked;
    int bandA;
    std::vector<int> networkTypes;  // flags of types 0 to 3
  } cases[] = {
      {"802.11n on both bands", nullptr, false, 1, {0, 1, 1, 1}},
      {"VX52USB on 2.4 GHz", "HardwareId = USB\\VID_F0A5&PID_0111&REV_0001\nFamily = 1\nBands = 2.4\nHT = no", true, 0,
       {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string world(wavorel::sim::defaultWorldText());
    if (c.adapter) {
      for (const char* key : {"HardwareId = ", "Family = ", "Bands = ", "HT = "}) {
        const size_t at = world.find(key);
        world.erase(at, world.find('\n', at) + 1 - at);
      }
      world.insert(world.find("[Adapter1]\n") + 11, std::string(c.adapter) + "\n");
    }
    useWorld(world);
    installLanguage();
    writeValue("SOFTWARE\\NEROLT\\WLAN\\InstallShield", "ConfigTxBurstSelect", REG_DWORD, std::string("\1\0\0\0", 4));
    writeText(driverKeyOf(), "AllowBW40InBGBand", "0");
    g_wApDriverVersion = 0;
    startWith({});
    const auto log = calls();
    EXPECT_EQ(std::any_of(log.begin(), log.end(), [&](const auto& call) { return call.code == kRegionQuery; }),
              c.regionChecked);
    EXPECT_EQ(g_bApSupportBandA, c.bandA);
    EXPECT_EQ(std::vector<int>(std::begin(g_bApNetworkType), std::end(g_bApNetworkType)), c.networkTypes);
    EXPECT_NE(g_wApDriverVersion, 0);
    EXPECT_EQ(g_bApRegisterRead, 1);
    EXPECT_EQ(g_bApRegisterRead2, 1);
    EXPECT_EQ(g_bApAllowBW40BandG, 0);
    EXPECT_EQ(readValue(driverKeyOf(), "RunOnceInitConfigTxBurst"), "1");
    DestroyHideDlgAP();
  }
}

TEST_F(ApWorkerXpTest, TrayMenuOffersItsThreeCommandsAndATaskBarRestartAnnouncesTheFirstState) {
  startWith({});
  worker()->GetSheet()->DestroyWindow();
  const TrayMenu menu = rightClickTray(CHideDlg_AP::ID_OPEN_SHEET);
  EXPECT_EQ(menu.commands, (std::vector<int>{34774, 34778, 34776}));
  EXPECT_EQ(menu.labels, (std::vector<std::string>{"Lanuch Config Utilities ", "Switch to Station Mode", "Exit"}));
  EXPECT_TRUE(::IsWindow(worker()->GetSheet()->GetSafeHwnd())) << "34774 opened the sheet";

  received().clear();
  worker()->SendMessage(RegisterWindowMessage("TaskbarCreated"), 0, 0);
  pump();
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE), std::vector<std::string>{kFirstTrayState});
}

TEST_F(ApWorkerXpTest, MessagesOnlyWavorelVistasWorkerTakesChangeNothing) {
  startWith({});
  worker()->GetSheet()->DestroyWindow();
  tick(CHideDlg_AP::kPollMs);
  received().clear();
  wavorel::sim::clearDriverCalls();
  // The Native Wi-Fi notices and a suspend: no handler, so nothing happens.
  for (UINT message : {WM_USER + 1, WM_USER + 8, WM_USER + 10}) worker()->SendMessage(message, 0, 0);
  worker()->SendMessage(WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  pump();
  EXPECT_TRUE(codesCalled().empty());
  EXPECT_TRUE(received().empty());
  // The poll goes on.
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(codesCalled(), (std::vector<uint32_t>{kRssi, kEventLog}));
}

TEST_F(ApWorkerXpTest, PollTickReadsTheSignalAndTheEventLogByTheirNdisCodes) {
  const struct Case {
    int dBm;
    const char* state;
  } cases[] = {
      {-45, "03Soft AP  Status : Good"},
      {-60, "04Soft AP  Status : Normal"},
      {-75, "05Soft AP  Status : Weak"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dBm);
    useDefaultWorldWith(client("Near", "00-24-D7-00-00-01", "Signal = " + std::to_string(c.dBm) + "\nArrives = 1"));
    startWith({});
    worker()->GetSheet()->DestroyWindow();
    tick(CHideDlg_AP::kPollMs);
    wavorel::sim::clearDriverCalls();
    tick(CHideDlg_AP::kPollMs);
    // Without the sheet a tick asks the driver these two and nothing else.
    EXPECT_EQ(codesCalled(), (std::vector<uint32_t>{kRssi, kEventLog}));
    EXPECT_EQ(lastState(), c.state);
    DestroyHideDlgAP();
  }
}

// The AP pages' trace file, or "<none>".
std::string vendrelTrace() {
  FILE* file = fopen("C:\\test_Vendrel.txt", "r");
  if (!file) return "<none>";
  std::string text;
  char line[256];
  while (fgets(line, sizeof line, file)) text += line;
  fclose(file);
  return text;
}

TEST_F(ApWorkerXpTest, CheckBuildIsReadAgainOnEveryTickWhileTheSheetIsOpenAndSwitchesThePagesTrace) {
  startWith({});
  ASSERT_EQ(g_bApCheckBuild, 0);
  NotifyWorkerInt(BRIDGE_CMD_AP_APPLY_CONFIG, 0, FALSE);
  EXPECT_EQ(vendrelTrace(), "<none>");
  writeText(driverKeyOf(), "bCheckBuild", "1");
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(g_bApCheckBuild, 1);
  for (int press = 0; press < 2; ++press) NotifyWorkerInt(BRIDGE_CMD_AP_APPLY_CONFIG, 0, FALSE);
  EXPECT_EQ(vendrelTrace(), "Config Apply: SSID Quendal-SoftAP, wireless mode 9\n"
                            "Config Apply: SSID Quendal-SoftAP, wireless mode 9\n");
  worker()->GetSheet()->DestroyWindow();
  writeText(driverKeyOf(), "bCheckBuild", "0");
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(g_bApCheckBuild, 1) << "not read while no sheet is open";
}

TEST_F(ApWorkerXpTest, LeavingApModeEndsTheWorkerFirstAndWritesOpModeAfterTheCopy) {
  // The station values hold an "OpMode" of their own: the one written after
  // the copy stands.
  writeText(driverKeyOf() + "\\Default", "OpMode", "1");
  startWith({});
  ASSERT_NE(worker()->GetSheet(), nullptr);
  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_LEAVE_AP_MODE, 0);
  pump();
  EXPECT_EQ(readValue(driverKeyOf(), "OpMode"), "0");
  EXPECT_EQ(worker()->GetSheet(), nullptr) << "the sheet closed";
  wavorel::sim::clearDriverCalls();
  tick(2 * CHideDlg_AP::kPollMs);
  EXPECT_TRUE(codesCalled().empty()) << "the poll stopped";
}

}  // namespace
}  // namespace softap::testing
