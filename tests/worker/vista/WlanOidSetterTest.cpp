#include <cstring>
#include <functional>
#include <vector>

#include "tests/worker/DriverTest.h"
#include "worker/WlanOidSetter.h"

namespace worker::testing {
namespace {

std::vector<uint8_t> u32(DWORD v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

class WlanOidSetterTest : public DriverTest {
 protected:
  // The one set the call sent: its code as sent and its data.
  wavorel::sim::DriverCall lastSet() {
    wavorel::sim::DriverCall last;
    for (const auto& call : wavorel::sim::driverCalls())
      if (call.set) last = call;
    return last;
  }
  CWlanOidSetter setter;
};

TEST_F(WlanOidSetterTest, EachWriteSendsItsCodeAndRecord) {
  const BYTE mac[6] = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x05};
  struct Case {
    const char* what;
    std::function<BOOL(CWlanOidSetter&)> write;
    DWORD oid;
    std::vector<uint8_t> data;
  };
  const std::vector<Case> cases = {
      {"desired BSSID", [&](CWlanOidSetter& s) { return s.SetDesiredBssid(mac); }, OID_DOT11_DESIRED_BSSID_LIST,
       {0x80, 1, 20, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0x00, 0x1D, 0x7E, 0x11, 0x22, 0x05, 0, 0}},
      {"RTS", [](CWlanOidSetter& s) { return s.SetRtsThreshold(500); }, OID_DOT11_RTS_THRESHOLD, u32(500)},
      {"fragmentation", [](CWlanOidSetter& s) { return s.SetFragThreshold(1024); },
       OID_DOT11_FRAGMENTATION_THRESHOLD, u32(1024)},
      {"disconnect", [](CWlanOidSetter& s) { return s.SetDisconnectOid(); }, OID_DOT11_DISCONNECT_REQUEST, {}},
      {"power management", [](CWlanOidSetter& s) { return s.SetPowerMgmtMode(PowerSaveLevelFromMode(2)); },
       OID_DOT11_POWER_MGMT_REQUEST, u32(8)},
      {"wireless mode", [](CWlanOidSetter& s) { return s.SetWlanMode(1); }, OID_VX_PRIVATE_FF8C0030_SET, u32(1)},
  };
  for (const Case& c : cases) {
    wavorel::sim::clearDriverCalls();
    EXPECT_TRUE(c.write(setter)) << c.what;
    const auto call = lastSet();
    EXPECT_EQ(call.code, c.oid | OID_STATION_SET_MASK) << c.what;
    EXPECT_EQ(call.data, c.data) << c.what;
  }
}

TEST_F(WlanOidSetterTest, TxPowerLevelsBecomePercentagesAndUnknownLevelsTheDefault) {
  const DWORD expected[] = {0xFFFFFFFF, 100, 75, 50, 25, 10, 6, 0xFFFFFFFF, 0xFFFFFFFF};
  const DWORD levels[] = {0, 1, 2, 3, 4, 5, 6, 7, 0x80000000};
  for (size_t i = 0; i < sizeof levels / sizeof levels[0]; ++i) {
    wavorel::sim::clearDriverCalls();
    EXPECT_TRUE(setter.SetTxPowerLevel(levels[i]));
    const auto call = lastSet();
    EXPECT_EQ(call.code, OID_VX_TX_POWER_SET | OID_STATION_SET_MASK);
    EXPECT_EQ(call.data, u32(expected[i])) << "level " << levels[i];
  }
}

TEST_F(WlanOidSetterTest, PowerSaveModesMapToLevels) {
  const DWORD modes[] = {0, 1, 2, 3, 4, 0xFFFFFFFF};
  const DWORD levels[] = {0, 16, 8, 24, 0, 0};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(PowerSaveLevelFromMode(modes[i]), levels[i]) << "mode " << modes[i];
}

TEST_F(WlanOidSetterTest, ChannelReplacesOnlyTheDsConfigurationOfTheDriversBlock) {
  std::vector<uint8_t> block(32);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i + 1);
  DWORD returned = 0;
  ASSERT_TRUE(SetOid(OID_VX_CONFIGURATION_SET, block.data(), 32, &returned, 1));
  wavorel::sim::clearDriverCalls();

  EXPECT_TRUE(setter.SetChannel(11));
  const auto calls = wavorel::sim::driverCalls();
  ASSERT_EQ(calls.size(), 2u) << "read, then write back";
  EXPECT_EQ(calls[0].code, OID_VX_CONFIGURATION);
  std::vector<uint8_t> expected = block;
  std::memcpy(expected.data() + 12, u32(11).data(), 4);
  EXPECT_EQ(calls[1].data, expected);

  wavorel::sim::machine().failCode(OID_VX_CONFIGURATION, 1);
  wavorel::sim::clearDriverCalls();
  EXPECT_FALSE(setter.SetChannel(6)) << "nothing is written when the read fails";
  for (const auto& call : wavorel::sim::driverCalls()) EXPECT_FALSE(call.set);
}

}  // namespace
}  // namespace worker::testing
