// The Native Wi-Fi relays the worker window takes and the follow-up timers
// they arm: when each timer fires, what it runs and whether it stays armed.
#include "tests/worker/vista/HideDlgTest.h"
#include "platform/wire/Bytes.h"
#include "worker/ActionQueue.h"
#include "worker/NativeWiFiNotify.h"
#include "worker/OidRequest.h"

namespace worker::testing {
namespace {

class HideDlgRelayTest : public HideDlgTest {
 protected:
  // The default world with the open network "Probe" stored as the current
  // profile (RTS threshold 500); the worker started and connected to it.
  void startConnected() {
    reopenIn(std::string(wavorel::sim::defaultWorldText()) +
             "\n[Network Probe]\nSsid = Probe\nBssid = 00-1D-7E-11-22-31\nChannel = 6\nSignal = -50\n"
             "Security = Open\n");
    storeCurrentProfile({{"SSID", "Probe"},
                         {"NetworkType", "1"},
                         {"AuthMode", "0"},
                         {"CipherMode", "1"},
                         {"UseRts", "1"},
                         {"RtsThresh", "500"}});
    startWorker();
    advance(4000);
    ASSERT_TRUE(machine().adapter(0).connected());
  }
  // Stops every timer of the worker window, so that only the one a test arms runs.
  void stopWorkerTimers() {
    for (UINT_PTR id = 0; id <= kHostLayoutTimer; ++id) KillTimer(workerWindow(), id);
  }
  size_t statePosts() const { return valuesOf(BRIDGE_UI_CONNECTION_STATE).size(); }
  static bool setTo(DWORD oid, DWORD value) {
    for (const auto& call : calls())
      if (call.set && call.code == (oid | OID_STATION_SET_MASK) && call.data.size() == 4 &&
          wavorel::wire::getU32(call.data.data()) == value)
        return true;
    return false;
  }
};

TEST_F(HideDlgRelayTest, ConnectedRelaySendsTheLinkValuesTheConnectSaved) {
  startConnected();
  // The service reports the completion from its own thread: wait for its relay.
  EXPECT_TRUE(pumpUntil([] { return setTo(OID_DOT11_RTS_THRESHOLD, 500); }))
      << "the connection's completion brought the saved values";
  wavorel::sim::clearDriverCalls();
  SendMessage(workerWindow(), WM_WLAN_CONNECTED, 0, 0);
  EXPECT_FALSE(setTo(OID_DOT11_RTS_THRESHOLD, 500)) << "sent once per connect";
}

TEST_F(HideDlgRelayTest, TheScanRunningFlagEndsWithTheScanOrTheRadio) {
  startWorker();
  for (UINT relay : {WM_WLAN_SCAN_FAIL, WM_WLAN_SCAN_COMPLETE}) {
    SCOPED_TRACE(relay);
    g_bScanRunning = 1;
    EXPECT_EQ(SendMessage(workerWindow(), relay, 0, 0), 0);
    EXPECT_EQ(g_bScanRunning, 0);
  }
  // A radio-off report ends the scan only while the radio is off: a late one
  // leaves a scan started after the radio came back.
  g_bScanRunning = 1;
  EXPECT_EQ(SendMessage(workerWindow(), WM_WLAN_RADIO_OFF, 0, 0), 0);
  EXPECT_EQ(g_bScanRunning, 1);
  machine().adapter(0).setRadio(false);
  EXPECT_EQ(SendMessage(workerWindow(), WM_WLAN_RADIO_OFF, 0, 0), 0);
  EXPECT_EQ(g_bScanRunning, 0);
}

TEST_F(HideDlgRelayTest, ARescanTheServiceRefusesLeavesNoScanRunning) {
  startWorker();
  advance(4000);
  ASSERT_TRUE(RequestRescan());
  EXPECT_EQ(g_bScanRunning, 1) << "a scan the service took runs until its report";
  advance(10000, 1000);
  ASSERT_TRUE(pumpUntil([] { return g_bScanRunning == 0; })) << "the service's report arrives";
  machine().adapter(0).setPresent(false);  // the interface is gone: the service refuses
  ASSERT_TRUE(RequestRescan());
  EXPECT_EQ(g_bScanRunning, 0);
}

TEST_F(HideDlgRelayTest, FollowUpTimersFireAfterTheirPeriodAndRunTheLinkCheck) {
  const struct {
    UINT_PTR timer;
    UINT relay;  // 0: the timer is armed directly (timer 3 by a WEP connect)
    uint64_t period;
    bool killedAtExpiry;
  } table[] = {
      {kWepLinkTimer, 0, 10000, false},
      {kRescanTimer, WM_WLAN_RADIO_ON, 4000, true},
      {kConnectRetryTimer, WM_WLAN_CONNECT_FAILED, 3000, true},
  };
  startWorker();
  for (const auto& row : table) {
    SCOPED_TRACE("timer " + std::to_string(row.timer));
    stopWorkerTimers();
    if (row.relay)
      EXPECT_EQ(SendMessage(workerWindow(), row.relay, 0, 0), 0);
    else
      SetTimer(workerWindow(), row.timer, static_cast<UINT>(row.period), nullptr);
    const size_t before = statePosts();
    advance(row.period - 1, 1000);
    EXPECT_EQ(statePosts(), before) << "nothing before the period is over";
    advance(1);
    EXPECT_EQ(statePosts(), before + 1) << "the expiry runs the link check";
    advance(row.period);
    EXPECT_EQ(statePosts(), before + (row.killedAtExpiry ? 1 : 2));
    EXPECT_EQ(KillTimer(workerWindow(), row.timer) != FALSE, !row.killedAtExpiry);
  }
}

TEST_F(HideDlgRelayTest, ConnectRetryTimerAppliesTheStoredProfileAgain) {
  startConnected();
  stopWorkerTimers();
  SendMessage(workerWindow(), WM_WLAN_CONNECT_FAILED, 0, 0);
  wavorel::sim::clearDriverCalls();
  advance(2999, 1000);
  EXPECT_FALSE(called(OID_VX_PREAMBLE_SET | OID_STATION_SET_MASK));
  advance(1);
  EXPECT_TRUE(called(OID_VX_PREAMBLE_SET | OID_STATION_SET_MASK)) << "the stored profile is connected again";
}

}  // namespace
}  // namespace worker::testing
