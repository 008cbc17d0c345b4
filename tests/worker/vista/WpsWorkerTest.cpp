// The worker's WPS steps against the simulated driver: a push-button run to
// the configured state, its credentials in the "_wsc" file, the connection and
// the rotation through several credentials on timer 4.
#include <cstring>

#include "platform/sim/radio/WpsRun.h"
#include "platform/sim/services/NativeWifiService.h"
#include "tests/worker/vista/HideDlgTest.h"
#include "platform/wire/Bytes.h"

namespace worker::testing {
namespace {

std::vector<uint8_t> CredentialTable(const std::vector<std::pair<std::string, BYTE>>& networks) {
  std::vector<uint8_t> raw(sizeof(_WSC_CREDENTIAL_TABLE), 0);
  wavorel::wire::putU32(raw.data(), static_cast<DWORD>(networks.size()));
  for (size_t i = 0; i < networks.size(); ++i) {
    BYTE* r = raw.data() + 4 + i * wavorel::wire::wps::credential::kSize;
    wavorel::wire::putU32(r, static_cast<DWORD>(networks[i].first.size()));
    std::memcpy(r + 4, networks[i].first.data(), networks[i].first.size());
    wavorel::wire::putU32(r + 36, 32);  // WPA2-PSK
    wavorel::wire::putU32(r + 40, 8);   // AES
    wavorel::wire::putU32(r + 48, 10);
    std::memcpy(r + 52, "passphrase", 10);
    const BYTE mac[6] = {0x02, 0, 0, 0, 0, networks[i].second};
    std::memcpy(r + 116, mac, 6);
  }
  return raw;
}

class WpsWorkerTest : public HideDlgTest {
 protected:
  void SetUp() override {
    HideDlgTest::SetUp();
    startWorker();
  }
  bool timerRuns(UINT_PTR id) {
    if (!KillTimer(workerWindow(), id)) return false;
    return true;
  }
  // The last MAC byte of each desired-BSSID set since the last clear.
  static std::vector<int> desiredBssids() {
    std::vector<int> out;
    for (const auto& call : calls())
      if (call.set && (call.code & ~OID_STATION_SET_MASK) == (OID_DOT11_DESIRED_BSSID_LIST & ~OID_STATION_SET_MASK) &&
          call.data.size() == 20)
        out.push_back(call.data[17]);  // the BSSID's last byte
    return out;
  }
};

TEST_F(WpsWorkerTest, PushButtonRunStoresTheCredentialAndConnects) {
  // The printer's network with TKIP alone, so that the link's cipher is the
  // one the credential's encryption type names.
  std::string world(wavorel::sim::defaultWorldText());
  const size_t printer = world.find("Cipher = TKIP+CCMP", world.find("Ssid = PrintHub"));
  ASSERT_NE(printer, std::string::npos);
  reopenIn(world.replace(printer, 18, "Cipher = TKIP"));
  startWorker();
  g_nWpsConfigMode = 1;
  g_nWpsWirelessMode = 2;
  g_nWpsPinCode = 12345670;
  machine().adapter(0).pressWpsButton();
  advance(12000);
  EXPECT_EQ(storeValue(kIniKindWps, "Common", "NumberofProfile"), "1");
  EXPECT_EQ(storeValue(kIniKindWps, "Common", "ConfigMode"), "1");
  EXPECT_EQ(storeValue(kIniKindWps, "Common", "Wireless Mode"), "2");
  EXPECT_EQ(storeValue(kIniKindWps, "Common", "PinCode"), "12345670");
  const std::pair<const char*, const char*> first[] = {
      {"SSID", "PrintHub"}, {"AuthType", "32"},   {"EncryType", "4"},           {"KeyIndex", "0"},
      {"KeyLength", "13"},  {"Key", "printmeplease"}, {"MacAddress", "001D7E112206"}};
  for (const auto& [key, value] : first) EXPECT_EQ(storeValue(kIniKindWps, "Profile0", key), value) << key;
  for (const char* section : {"Profile1", "Profile7"}) {
    EXPECT_EQ(storeValue(kIniKindWps, section, "SSID"), "");
    EXPECT_EQ(storeValue(kIniKindWps, section, "KeyLength"), "0");
    EXPECT_EQ(storeValue(kIniKindWps, section, "MacAddress"), "000000000000");
  }
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "WSC"), "0") << "stored before the credential connect sets it";
  EXPECT_EQ(g_bWpsConnect, 1);
  EXPECT_EQ(g_bWpsRunning, 1);
  ASSERT_TRUE(machine().adapter(0).connected());
  EXPECT_EQ(machine().adapter(0).network()->ssid, "PrintHub");
  EXPECT_FALSE(timerRuns(kWpsStatusTimer));

  advance(10000);
  EXPECT_TRUE(IsConnectedToWpsCredential());
  EXPECT_FALSE(timerRuns(kWpsConnectTimer)) << "timer 4 ends once the link matches the credential";
}

TEST_F(WpsWorkerTest, CredentialsOfARunAreTakenOnce) {
  machine().adapter(0).wpsCredentials() = CredentialTable({{"Alpha", 1}});
  machine().stuckValue(OID_VX_WPS_STATUS, 15);
  SetTimer(workerWindow(), kWpsStatusTimer, 200, nullptr);
  wavorel::sim::clearDriverCalls();
  advance(200);
  EXPECT_TRUE(called(OID_VX_WPS_CREDENTIALS));
  EXPECT_EQ(desiredBssids(), (std::vector<int>{1}));
  wavorel::sim::clearDriverCalls();
  worker().CheckWpsStatus();  // a second poller seeing the same run
  EXPECT_FALSE(called(OID_VX_WPS_CREDENTIALS));
  EXPECT_TRUE(desiredBssids().empty());
  EXPECT_TRUE(timerRuns(kWpsConnectTimer));
}

TEST_F(WpsWorkerTest, TheNextRunDeletesTheConnectionOfAStoredSsidWithAControlByte) {
  // The connection of "Tab<TAB>Net" is stored under a name made of the SSID;
  // the next run's credentials replace it and delete that connection.
  auto& store = wavorel::sim::NativeWifiService::instance().store(machine().adapter(0).config().guid);
  machine().adapter(0).wpsCredentials() = CredentialTable({{"Tab\tNet", 1}});
  machine().stuckValue(OID_VX_WPS_STATUS, 15);
  SetTimer(workerWindow(), kWpsStatusTimer, 200, nullptr);
  advance(200);
  ASSERT_NE(store.findBySsid("Tab\tNet"), nullptr);
  machine().stuckValue(OID_VX_WPS_STATUS, 0);
  worker().CheckWpsStatus();
  machine().adapter(0).wpsCredentials() = CredentialTable({{"Beta", 2}});
  machine().stuckValue(OID_VX_WPS_STATUS, 15);
  worker().CheckWpsStatus();
  EXPECT_EQ(store.findBySsid("Tab\tNet"), nullptr);
  EXPECT_NE(store.findBySsid("Beta"), nullptr);
}

TEST_F(WpsWorkerTest, ThreeCredentialsRotateOnTimerFour) {
  machine().adapter(0).wpsCredentials() = CredentialTable({{"Alpha", 1}, {"Beta", 2}, {"Gamma", 3}});
  machine().stuckValue(OID_VX_WPS_STATUS, 15);
  SetTimer(workerWindow(), kWpsStatusTimer, 200, nullptr);
  wavorel::sim::clearDriverCalls();
  advance(200);
  EXPECT_EQ(WpsCredentialCount(), 3);
  for (int i = 0; i < 3; ++i) advance(10000, 500);
  EXPECT_EQ(desiredBssids(), (std::vector<int>{1, 2, 3, 1}));
  EXPECT_EQ(g_nWpsCurrentIndex, 0);
  EXPECT_EQ(g_nWpsNextIndex, 1);
  g_bWpsRotate = 0;
  wavorel::sim::clearDriverCalls();
  advance(10000, 500);
  EXPECT_TRUE(desiredBssids().empty());
  EXPECT_FALSE(timerRuns(kWpsConnectTimer)) << "without rotation timer 4 ends";
}

TEST_F(WpsWorkerTest, PinRunStatusCountsWithoutItsFlagBits) {
  wavorel::sim::WpsRequest pin;
  pin.pin = true;
  pin.pinDigits = "12345670";
  pin.ssid = "HomeNet";
  pin.bssid = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01};
  machine().adapter(0).startWps(pin);
  SetTimer(workerWindow(), kWpsStatusTimer, 200, nullptr);
  advance(12000);
  EXPECT_EQ(g_dwWpsStatus, 0x1000000Fu);
  EXPECT_EQ(storeValue(kIniKindWps, "Profile0", "SSID"), "HomeNet");
  EXPECT_EQ(storeValue(kIniKindWps, "Profile0", "Key"), "correct horse battery");
}

TEST_F(WpsWorkerTest, FailureStatesStopBothTimersOthersKeepPolling) {
  const struct {
    DWORD status;
    bool statusTimer, connectTimer;
  } table[] = {{260, false, false}, {262, false, false}, {513, false, false}, {516, false, false},
               {0, false, true},    {5, true, true},     {257, true, true}};
  for (const auto& row : table) {
    machine().stuckValue(OID_VX_WPS_STATUS, row.status);
    SetTimer(workerWindow(), kWpsStatusTimer, 200, nullptr);
    SetTimer(workerWindow(), kWpsConnectTimer, 10000, nullptr);
    advance(200);
    EXPECT_EQ(timerRuns(kWpsStatusTimer), row.statusTimer) << row.status;
    EXPECT_EQ(timerRuns(kWpsConnectTimer), row.connectTimer) << row.status;
  }
}

TEST_F(WpsWorkerTest, ShortStatusAnswerIsAFailedQuery) {
  machine().stuckValue(OID_VX_WPS_STATUS, 260);
  machine().shortAnswer(OID_VX_WPS_STATUS, 2);
  SetTimer(workerWindow(), kWpsStatusTimer, 200, nullptr);
  SetTimer(workerWindow(), kWpsConnectTimer, 10000, nullptr);
  advance(200);
  EXPECT_TRUE(timerRuns(kWpsStatusTimer)) << "both timers stay as they are";
  EXPECT_TRUE(timerRuns(kWpsConnectTimer));
}

}  // namespace
}  // namespace worker::testing
