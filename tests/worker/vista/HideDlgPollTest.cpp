// The worker's 2-second poll: signal and link into the connection state,
// power suspend and resume, the task bar coming back, the bridge's frame.
#include <algorithm>

#include "platform/win/shell/Tray.h"
#include "tests/worker/vista/HideDlgTest.h"

namespace worker::testing {
namespace {

class HideDlgPollTest : public HideDlgTest {
 protected:
  // The default world with one more open network, `ssid` at `signal` dBm
  // (no swing), stored as the current profile; the worker connects to it at
  // start and the poll has seen the link.
  void connectTo(const std::string& ssid, int signal) {
    reopenIn(std::string(wavorel::sim::defaultWorldText()) + "\n[Network Probe]\nSsid = " + ssid +
             "\nBssid = 00-1D-7E-11-22-31\nChannel = 6\nSignal = " + std::to_string(signal) + "\nSecurity = Open\n");
    storeCurrentProfile({{"SSID", ssid.c_str()}, {"NetworkType", "1"}, {"AuthMode", "0"}, {"CipherMode", "1"}});
    startWorker();
    advance(4000);
    ASSERT_TRUE(machine().adapter(0).connected());
  }
};

TEST(RssiToPercentTest, MapsTheSignalRanges) {
  const std::pair<int, int> table[] = {{-30, 100}, {-50, 100}, {-51, 99}, {-61, 73}, {-80, 24},
                                       {-81, 23},  {-89, 2},   {-90, 0},  {-91, 0},  {-120, 0}};
  for (const auto& [dBm, percent] : table) EXPECT_EQ(RssiToPercent(dBm), percent) << dBm << " dBm";
}

TEST(SignalVerdictTest, StateBoundaries) {
  const std::pair<int, UINT> table[] = {{100, kVerdictGood}, {71, kVerdictGood}, {70, kVerdictNormal},
                                        {41, kVerdictNormal}, {40, kVerdictWeak}, {0, kVerdictWeak}};
  for (const auto& [percent, verdict] : table) EXPECT_EQ(SignalVerdict(percent), verdict) << percent << " %";
}

TEST_F(HideDlgPollTest, SignalOfTheLinkGivesTheState) {
  const struct {
    int signal;
    const char* state;
  } table[] = {{-50, "03Wireless Net  Status : Good (Probe)"},
               {-65, "04Wireless Net  Status : Normal (Probe)"},
               {-75, "05Wireless Net  Status : Weak (Probe)"}};
  for (const auto& row : table) {
    connectTo("Probe", row.signal);
    EXPECT_EQ(lastState(), row.state) << row.signal << " dBm";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(g_currentSsid.Ssid), g_currentSsid.SsidLength), "Probe");
  }
}

TEST_F(HideDlgPollTest, ThirtyTwoByteSsidIsCutAtItsLength) {
  const std::string ssid = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  connectTo(ssid, -50);
  EXPECT_EQ(lastState(), "03Wireless Net  Status : Good (" + ssid + ")");
}

TEST_F(HideDlgPollTest, EveryTickSendsTheStateAgain) {
  connectTo("Probe", -50);
  const size_t before = valuesOf(BRIDGE_UI_CONNECTION_STATE).size();
  advance(6000);
  // Timer 1 every 2 seconds and the rescan step's timer 5 every second poll.
  const std::vector<std::string> states = valuesOf(BRIDGE_UI_CONNECTION_STATE);
  ASSERT_EQ(states.size(), before + 3 + 6);
  EXPECT_TRUE(std::all_of(states.begin() + static_cast<std::ptrdiff_t>(before), states.end(),
                          [](const std::string& s) { return s == "03Wireless Net  Status : Good (Probe)"; }));
}

TEST_F(HideDlgPollTest, LinkEventRadioOffWinsOverAConnectedInterface) {
  connectTo("Probe", -50);
  machine().stuckValue(OID_VX_LINK_EVENT, 2);
  advance(2000);
  EXPECT_TRUE(machine().adapter(0).connected());
  EXPECT_EQ(lastState(), "00Wireless Net  Status : Disconnected");
}

TEST_F(HideDlgPollTest, IcvErrorShowsWepError) {
  connectTo("Probe", -50);
  g_bIcvError = 1;
  advance(2000);
  EXPECT_EQ(lastState(), "02Wireless Net  Status : WEP Error");
}

TEST_F(HideDlgPollTest, ShortRssiAnswersCountAsFailedQueries) {
  connectTo("Probe", -50);
  machine().shortAnswer(OID_VX_RSSI0, 2);
  advance(2000);
  EXPECT_EQ(lastState(), "03Wireless Net  Status : Good (Probe)") << "the second chain still answers";
  machine().shortAnswer(OID_VX_RSSI1, 3);
  advance(2000);
  EXPECT_EQ(lastState(), "05Wireless Net  Status : Weak (Probe)") << "no signal read: none";
}

TEST_F(HideDlgPollTest, SuspendStopsTheTimersAndResumeRestartsOnlyThePoll) {
  startWorker();
  const HWND hwnd = workerWindow();
  SetTimer(hwnd, kWepLinkTimer, 10000, nullptr);
  SetTimer(hwnd, kConnectRetryTimer, 3000, nullptr);
  SetTimer(hwnd, kHostLayoutTimer, 200, nullptr);
  wavorel::broadcastPowerEvent(PBT_APMSUSPEND);
  for (UINT_PTR id = 0; id <= 9; ++id) EXPECT_FALSE(KillTimer(hwnd, id)) << "timer " << id;
  EXPECT_TRUE(KillTimer(hwnd, kHostLayoutTimer)) << "timer 11 is left";
  const size_t reports = valuesOf(BRIDGE_UI_CONNECTION_STATE).size();
  advance(6000);
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE).size(), reports) << "no poll while suspended";

  wavorel::broadcastPowerEvent(PBT_APMRESUMESUSPEND);
  advance(2000);
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE).size(), reports + 1);
  EXPECT_TRUE(KillTimer(hwnd, kPollTimer));
  for (UINT_PTR id : {kWepLinkTimer, kWpsConnectTimer, kWpsPollValueTimer, kWpsStatusTimer, kRescanTimer,
                      kConnectRetryTimer})
    EXPECT_FALSE(KillTimer(hwnd, id)) << "timer " << id << " stays stopped";
}

TEST_F(HideDlgPollTest, TaskbarComingBackSendsTheStateAgain) {
  startWorker();
  const size_t reports = valuesOf(BRIDGE_UI_CONNECTION_STATE).size();
  wavorel::restartTaskbar();
  wavorel::pumpMessages();
  EXPECT_EQ(valuesOf(BRIDGE_UI_CONNECTION_STATE).size(), reports + 1);
  SendMessage(workerWindow(), WM_TASKBAR_CREATED_1, 0, 0);
  SendMessage(workerWindow(), WM_TASKBAR_CREATED_2, 0, 0);
  wavorel::pumpMessages();
  const std::vector<std::string> states = valuesOf(BRIDGE_UI_CONNECTION_STATE);
  ASSERT_EQ(states.size(), reports + 3);
  EXPECT_EQ(states.back(), "00Wireless Net  Status : Disconnected");
}

TEST_F(HideDlgPollTest, EveryTickCopiesTheHtTestSwitchIntoTheDriverKey) {
  startWorker();
  ASSERT_TRUE(g_bHtFamily);
  const std::pair<const char*, std::string> table[] = {
      {"[Advance]\nTGnWiFiTest=1\n", std::string("1\0", 2)},
      {"[Advance]\nTGnWiFiTest=2\n", std::string("0\0", 2)},
      {"[Advance]\nTGnWiFiTest=1\n", std::string("1\0", 2)},
      {"", std::string("0\0", 2)},
  };
  for (const auto& [ini, value] : table) {
    writeProgramIni(ini);
    advance(2000);
    EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, g_strDriverKey, "TGnWifiTest"), value) << ini;
  }
}

TEST_F(HideDlgPollTest, BridgeFrameTakesOnlyCodesOneToSeventyTwo) {
  startWorker();
  wavorel::sim::clearDriverCalls();
  for (UINT code : {0u, 73u, 99u, 500u}) EXPECT_EQ(NotifyWorker(code, "1", TRUE), 0);
  EXPECT_EQ(NotifyWorker(3, "0", TRUE), 0) << "a page command without a host is dropped";
  wavorel::pumpMessages();
  EXPECT_EQ(CountPendingNotifyTexts(), 0) << "every value is freed";
  EXPECT_TRUE(calls().empty());

  const std::pair<const char*, uint8_t> values[] = {{"1", 1}, {"7", 1}, {"0", 0}, {"on", 0}, {"", 0}};
  for (const auto& [text, sent] : values) {
    wavorel::sim::clearDriverCalls();
    NotifyWorker(BRIDGE_CMD_SET_PSP_XLINK, text, TRUE);
    wavorel::pumpMessages();
    ASSERT_EQ(calls().size(), 1u) << text;
    EXPECT_EQ(calls()[0].data, (std::vector<uint8_t>{sent, 0, 0, 0})) << text;
  }
}

}  // namespace
}  // namespace worker::testing
