#include "SimTest.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_VX_WPS_START = 0xFF8C002A;
constexpr DWORD OID_VX_WPS_STATUS = 0xFF0C002D;
constexpr DWORD OID_VX_WPS_CREDENTIALS = 0xFF0C002E;

class RadioWpsTest : public SimTest {
 protected:
  void start(bool pin, const std::string& digits = "", const std::string& ssid = "", std::vector<uint8_t> bssid = {},
             uint8_t role = 1) {
    std::vector<uint8_t> r(56, 0);
    uint32_t mode = pin ? 0x10000000u : 0x20000000u;
    std::memcpy(r.data(), &mode, 4);
    std::memcpy(r.data() + 4, digits.data(), std::min<size_t>(digits.size(), 8));
    r[12] = static_cast<uint8_t>(ssid.size());
    std::memcpy(r.data() + 16, ssid.data(), ssid.size());
    std::copy(bssid.begin(), bssid.end(), r.begin() + 48);
    r[55] = role;
    set(OID_VX_WPS_START, r);
  }
  // Polls the status as the page does, every 200 ms, until it stops moving.
  std::vector<uint32_t> run() {
    std::vector<uint32_t> seen;
    for (int i = 0; i < 100; ++i) {
      uint32_t s = queryU32(OID_VX_WPS_STATUS);
      if (seen.empty() || seen.back() != s) seen.push_back(s);
      clock().advance(200);
    }
    return seen;
  }
};

TEST_F(RadioWpsTest, PushButtonRunEndsConfiguredWithTheNetworksCredential) {
  EXPECT_EQ(queryU32(OID_VX_WPS_STATUS), 0u) << "no run yet";
  start(false);
  std::vector<uint32_t> states = run();
  ASSERT_GE(states.size(), 3u);
  EXPECT_EQ(states.front(), 2u) << "scanning first";
  EXPECT_EQ(states.back(), kWpsConfigured);
  std::vector<uint8_t> table = query(OID_VX_WPS_CREDENTIALS, 996);
  ASSERT_EQ(table.size(), 996u);
  EXPECT_EQ(u32At(table, 0), 1u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&table[8]), u32At(table, 4)), "PrintHub");
  EXPECT_EQ(u32At(table, 40), 32u) << "WPA2-PSK";
  EXPECT_EQ(u32At(table, 44), 12u) << "TKIP and AES";
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&table[56]), u32At(table, 52)), "printmeplease");
  EXPECT_EQ(std::vector<uint8_t>(table.begin() + 120, table.begin() + 126),
            (std::vector<uint8_t>{0x00, 0x1D, 0x7E, 0x11, 0x22, 0x06}));
}

TEST_F(RadioWpsTest, PinRunsCheckThePinAndTheChosenAccessPoint) {
  const std::vector<uint8_t> home = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01};
  struct Case {
    std::string pin, ssid;
    uint32_t final;
  };
  const Case cases[] = {
      {"12345670", "HomeNet", kWpsConfigured},
      {"12345678", "HomeNet", 262},   // R-Hash mismatch
      {"12345670", "Elsewhere", 513},  // no such AP
  };
  for (const Case& c : cases) {
    start(true, c.pin, c.ssid, home);
    std::vector<uint32_t> states = run();
    EXPECT_EQ(states.back(), c.final | kWpsPinRun) << c.pin << " " << c.ssid;
  }
}

// The state just before and just after the walk time: errors the enrollee
// retries past give up there, an ended run keeps its end.
TEST_F(RadioWpsTest, RunsNotConfiguredWithinTheWalkTimeGiveUp) {
  const std::vector<uint8_t> home = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01};
  struct Case {
    const char* name;
    std::string extraWorld;
    bool pin;
    std::string digits, ssid;
    uint32_t before, after;
  };
  const std::string secondButton =
      "[Network Second]\nSsid = Other\nBssid = 00-1D-7E-11-22-0A\nChannel = 6\nWPS = PushButton\n";
  const Case cases[] = {
      {"wrong PIN", "", true, "12345678", "HomeNet", 262 | kWpsPinRun, kWpsEapFailed | kWpsPinRun},
      {"two buttons", secondButton, false, "", "", 257, kWpsEapFailed},
      {"right PIN", "", true, "12345670", "HomeNet", kWpsConfigured | kWpsPinRun, kWpsConfigured | kWpsPinRun},
      {"no such AP", "", true, "12345670", "Elsewhere", 513 | kWpsPinRun, 513 | kWpsPinRun},
  };
  for (const Case& c : cases) {
    useWorld(std::string(defaultWorldText()) + c.extraWorld);
    start(c.pin, c.digits, c.ssid, home);
    clock().advance(kWpsWalkTimeMs - 1000);
    EXPECT_EQ(queryU32(OID_VX_WPS_STATUS), c.before) << c.name;
    clock().advance(1000);
    EXPECT_EQ(queryU32(OID_VX_WPS_STATUS), c.after) << c.name;
  }
}

TEST_F(RadioWpsTest, TwoPushButtonNetworksOverlap) {
  useWorld(std::string(defaultWorldText()) +
           "[Network Second]\nSsid = Other\nBssid = 00-1D-7E-11-22-0A\nChannel = 6\nWPS = PushButton\n");
  start(false);
  EXPECT_EQ(run().back(), 257u);
}

}  // namespace
}  // namespace wavorel::sim::testing
