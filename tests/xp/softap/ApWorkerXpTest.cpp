// Wavorel's AP worker on the simulated machine: entering AP mode and
// apply-all by the XP driver codes (golden traces in data/), the SSID and
// pre-shared key of an empty "SSID", the sibling tools, the Zero
// Configuration service, "bCheckBuild", a lost adapter, leaving AP mode and
// the bridge registration.
#include "tests/xp/softap/ApWorkerXpTest.h"

namespace softap::testing {
namespace {

TEST_F(ApWorkerXpTest, EnterApModeAndApplyAllFollowTheGoldenTraces) {
  const struct {
    const char* name;
    Texts changes;
  } cases[] = {
      {"wpa2psk", {{"AuthenType", "7"}, {"Encryption", "6"}, {"WPAPSK", "letmein123"}}},
      // Keys of 10, 26 and 7 digits and an empty one: two keys, two removals.
      {"wep",
       {{"AuthenType", "0"}, {"Encryption", "0"}, {"WEPKeyUse", "2"}, {"WEPKey1", "0011223344"},
        {"WEPKey2", "00112233445566778899AABBCC"}, {"WEPKey3", "1234567"}, {"WEPKey4", ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    resetModule();
    startWith(c.changes);
    expectGoldenTrace(std::string(SOFTAP_TEST_DATA) + "/" + c.name + ".txt", calls());
    DestroyHideDlgAP();
  }
}

TEST_F(ApWorkerXpTest, WepKeysGoOutAsKeyAndRemoveKeyRecordsBeforeTheSsid) {
  startWith({{"AuthenType", "0"}, {"Encryption", "0"}, {"WEPKeyUse", "2"}, {"WEPKey1", "0011223344"},
             {"WEPKey2", "00112233445566778899AABBCC"}, {"WEPKey3", "1234567"}, {"WEPKey4", ""}});
  const auto added = setsOf(kAddKeySet);
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(u32(added[0].data, 0), 44u);  // Length: key length + 39
  EXPECT_EQ(u32(added[0].data, 4), 0u);
  EXPECT_EQ(u32(added[1].data, 0), 52u);
  EXPECT_EQ(u32(added[1].data, 4), 0x80000001u) << "the key WEPKeyUse names transmits";
  const auto removed = setsOf(kRemoveKeySet);
  ASSERT_EQ(removed.size(), 2u);
  EXPECT_EQ(removed[0].data, std::vector<uint8_t>({16, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                   0xFF, 0xFF}));
  EXPECT_EQ(u32(removed[1].data, 4), 3u);
  EXPECT_EQ(setOrder({kAddKeySet, kRemoveKeySet, kSsidSet, 0x0DF10110}),
            (std::vector<uint32_t>{kAddKeySet, kAddKeySet, kRemoveKeySet, kRemoveKeySet, kSsidSet, 0x0DF10110}));
  EXPECT_EQ(setsOf(0x0D810118).at(0).data, std::vector<uint8_t>({0, 0, 0, 0})) << "indexes sent as stored";
}

TEST_F(ApWorkerXpTest, EmptySsidSendsTheCompanySsidAndItsPreSharedKey) {
  useDefaultWorldWith(client("Good", "00-24-D7-00-00-0A", "Passphrase = letmein123\nArrives = 1") +
                      client("Bad", "00-24-D7-00-00-0B", "Passphrase = wrongguess1\nArrives = 1"));
  startWith({{"SSID", ""}, {"AuthenType", "9"}, {"Encryption", "8"}, {"WPAPSK", "letmein123"}});
  ASSERT_EQ(setsOf(kSsidSet).size(), 1u);
  EXPECT_EQ(setsOf(kSsidSet)[0].data, ssidRecord(kCompanySsid));
  std::vector<uint8_t> expected(32);
  ASSERT_TRUE(PasswordHash("letmein123", reinterpret_cast<const BYTE*>(kCompanySsid),
                           static_cast<int>(std::strlen(kCompanySsid)), expected.data()));
  const auto key = setsOf(kAddKeySet).at(0).data;
  EXPECT_EQ(u32(key, 0), 71u);
  EXPECT_EQ(u32(key, 4), 0x80000000u);
  ASSERT_GE(key.size(), 64u);
  EXPECT_EQ(std::vector<uint8_t>(key.begin() + 32, key.begin() + 64), expected);
  EXPECT_EQ(setsOf(0x0D810118).at(0).data, std::vector<uint8_t>({9, 0, 0, 0}));
  EXPECT_EQ(setsOf(0x0D81011B).at(0).data, std::vector<uint8_t>({8, 0, 0, 0})) << "TKIP and AES accepted";
  tick(CHideDlg_AP::kPollMs);
  auto& ap = wavorel::sim::machine().adapter(0).softAp();
  const uint8_t good[6] = {0x00, 0x24, 0xD7, 0x00, 0x00, 0x0A};
  const uint8_t bad[6] = {0x00, 0x24, 0xD7, 0x00, 0x00, 0x0B};
  EXPECT_EQ(ap.ssid(), kCompanySsid);
  EXPECT_TRUE(ap.hasStation(good));
  EXPECT_FALSE(ap.hasStation(bad));
}

TEST_F(ApWorkerXpTest, PickwellStartsOnlyWhenTheDriverWasNotInApMode) {
  startWith({});
  EXPECT_EQ(starts(), (std::vector<std::string>{"\"Pickwell.exe\" ICS_DOWN|" + std::to_string(SW_HIDE),
                                                "Pickwell.exe|" + std::to_string(SW_SHOW)}));
  EXPECT_EQ(setsOf(kApModeSet).at(0).data, std::vector<uint8_t>({1, 0, 0, 0}));
  DestroyHideDlgAP();
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();
  ASSERT_TRUE(start());
  EXPECT_TRUE(starts().empty());
  EXPECT_TRUE(setsOf(kApModeSet).empty());
}

TEST_F(ApWorkerXpTest, ZeroConfigurationIsStoppedOnEveryTick) {
  const uint64_t transition = wavorel::sim::kServiceTransitionMs;
  startWith({});
  tick(transition);
  EXPECT_EQ(wzcState(), static_cast<uint32_t>(SERVICE_STOPPED)) << "stopped on entering AP mode";
  // Half a second behind a poll, so a restart is up before the next one.
  tick(CHideDlg_AP::kPollMs - transition + 500);
  for (int round = 0; round < 2; ++round) {
    startWzc();
    tick(transition);
    ASSERT_EQ(wzcState(), static_cast<uint32_t>(SERVICE_RUNNING));
    tick(CHideDlg_AP::kPollMs);
    EXPECT_EQ(wzcState(), static_cast<uint32_t>(SERVICE_STOP_PENDING)) << round;
    tick(transition);
    EXPECT_EQ(wzcState(), static_cast<uint32_t>(SERVICE_STOPPED)) << round;
  }
}

TEST_F(ApWorkerXpTest, CheckBuildIsCreatedAsZeroAndReadAsANumber) {
  startWith({});
  EXPECT_EQ(readValue(driverKeyOf(), "bCheckBuild"), "0");
  EXPECT_EQ(g_bApCheckBuild, 0);
  DestroyHideDlgAP();
  for (const auto& [text, flag] : std::vector<std::pair<std::string, int>>{{"1", 1}, {"x", 0}, {"", 0}}) {
    writeText(driverKeyOf(), "bCheckBuild", text);
    ASSERT_TRUE(start());
    EXPECT_EQ(g_bApCheckBuild, flag) << text;
    EXPECT_EQ(readValue(driverKeyOf(), "bCheckBuild"), text);
    DestroyHideDlgAP();
  }
}

TEST_F(ApWorkerXpTest, LostAdapterShowsNotExistAndEntersApModeOnReturn) {
  startWith({});
  tick(CHideDlg_AP::kPollMs);
  auto& machine = wavorel::sim::machine();
  machine.setPresent(guid(), false);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "01Soft AP  Status : Not Exist");
  EXPECT_FALSE(worker()->IsAdapterFound());
  wavorel::sim::clearDriverCalls();
  machine.setPresent(guid(), true);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_TRUE(worker()->IsAdapterFound());
  EXPECT_FALSE(setsOf(kSsidSet).empty()) << "apply-all ran again";
  EXPECT_EQ(lastState(), "01Soft AP  Status : Not Exist") << "until the next tick measures the signal";
  tick(CHideDlg_AP::kPollMs);
  EXPECT_NE(lastState().find("Soft AP  Status : "), std::string::npos);
  EXPECT_NE(lastState().substr(0, 2), "01");
}

TEST_F(ApWorkerXpTest, LeavingApModeRestoresStationValuesAndStartsTheSwapTool) {
  writeText(driverKeyOf() + "\\Default", "WirelessMode", "3");
  startWith({});
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();
  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_LEAVE_AP_MODE, 0);
  pump();
  EXPECT_EQ(readValue(driverKeyOf(), "WirelessMode"), "3");
  EXPECT_EQ(readValue(driverKeyOf(), "OpMode"), "0");
  ASSERT_EQ(setsOf(kApModeSet).size(), 1u);
  EXPECT_EQ(setsOf(kApModeSet)[0].data, std::vector<uint8_t>({0, 0, 0, 0}));
  EXPECT_EQ(starts(), (std::vector<std::string>{"\"QzSwap.exe\" OFF Sorvik Vendrel \"Nerolt Wireless\"|" +
                                                std::to_string(SW_MINIMIZE)}));
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().running(), false);
}

int g_stationBridgeCalls = 0;

LRESULT CALLBACK stationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_UIBRIDGE) return DefWindowProc(hwnd, message, wParam, lParam);
  TakeNotifyText(wParam, lParam);
  ++g_stationBridgeCalls;
  return 0;
}

TEST_F(ApWorkerXpTest, DestroyKeepsAStationWorkerRegisteredSinceOnTheBridge) {
  startWith({});
  WNDCLASS wc{};
  wc.lpfnWndProc = &stationProc;
  wc.lpszClassName = "ApWorkerXpTestStation";
  RegisterClass(&wc);
  HWND station = CreateWindowEx(0, "ApWorkerXpTestStation", "station", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                nullptr, nullptr);
  SetWorkerNotifyWnd(station);
  DestroyHideDlgAP();
  g_stationBridgeCalls = 0;
  NotifyWorkerInt(BRIDGE_CMD_AP_SSID, 1, FALSE);
  EXPECT_EQ(g_stationBridgeCalls, 1) << "the station worker still takes the bridge's commands";
  // The AP worker's own registration goes with it.
  ASSERT_TRUE(start());
  DestroyHideDlgAP();
  EXPECT_LT(NotifyWorkerInt(BRIDGE_CMD_AP_SSID, 1, FALSE), 0);
  DestroyWindow(station);
}

}  // namespace
}  // namespace softap::testing
