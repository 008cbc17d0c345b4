#include <string>
#include <vector>

#include "tests/worker/ModuleTest.h"

namespace worker::testing {
namespace {

class DriverKeyTest : public ModuleTest {};

TEST_F(DriverKeyTest, RegisterProbesReadTheConfigurationWord) {
  const struct {
    const char* word;
    int bandG, bandA;  // flags after both probes, starting from 7
  } cases[] = {
      {"0x0000", 1, 1}, {"0x0100", 0, 1}, {"0x0200", 1, 0}, {"0x0300", 0, 0}, {"0xFFFF", 7, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    useDefaultWorldWith("Register54 = 0x0000", std::string("Register54 = ") + c.word);
    wavorel::sim::clearDriverCalls();
    int bandG = 7, bandA = 7;
    ProbeBandG40MHz(bandG);
    ProbeBandA40MHz(bandA);
    EXPECT_EQ(bandG, c.bandG);
    EXPECT_EQ(bandA, c.bandA);
    const auto sent = calls();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].code, OID_VX_REGISTER_RW);
    EXPECT_FALSE(sent[0].set);
    EXPECT_EQ(sent[0].size, 12u);
  }
}

TEST_F(DriverKeyTest, ProbesLeaveTheFlagsOnAFailedOrShortAnswer) {
  useDefaultWorldWith("Register54 = 0x0000", "Register54 = 0x0300");
  int bandG = 5, bandA = 5;
  machine().shortAnswer(OID_VX_REGISTER_RW, 8);
  ProbeBandG40MHz(bandG);
  EXPECT_EQ(bandG, 5);
  machine().shortAnswer(OID_VX_REGISTER_RW, 12);
  machine().failCode(OID_VX_REGISTER_RW, 1);
  ProbeBandA40MHz(bandA);
  EXPECT_EQ(bandA, 5);
  g_strDevicePath = "\\\\.\\{00000000-0000-0000-0000-000000000000}";  // the adapter is gone
  ProbeBandA40MHz(bandA);
  EXPECT_EQ(bandA, 5);
}

TEST_F(DriverKeyTest, SingleValuesOfTheDriverKey) {
  EXPECT_EQ(ReadIeee80211hSwitch(), 0);  // the default world has "0"
  DWORD ccx = 99;
  EXPECT_TRUE(ReadCcx2Control(ccx));
  EXPECT_EQ(ccx, 0u);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const struct {
    std::string stored;  // raw bytes, maybe without a terminator
    int expected;
  } switches[] = {{std::string("1\0", 2), 1}, {"1", 1}, {std::string("01\0", 3), 1}, {"2", 0},
                  {"10000", 0},  // cut to 4 characters: "1000"
                  {"", 0}};
  for (const auto& s : switches) {
    RegSetValueEx(key, "IEEE80211H", 0, REG_SZ, reinterpret_cast<const BYTE*>(s.stored.data()),
                  static_cast<DWORD>(s.stored.size()));
    EXPECT_EQ(ReadIeee80211hSwitch(), s.expected) << s.stored;
  }
  const DWORD flags = 0x1234;
  RegSetValueEx(key, "CCX2Control", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags);
  EXPECT_TRUE(ReadCcx2Control(ccx));
  EXPECT_EQ(ccx, 0x1234u);
  RegDeleteValue(key, "CCX2Control");
  ccx = 99;
  EXPECT_FALSE(ReadCcx2Control(ccx));
  EXPECT_EQ(ccx, 99u);
  RegCloseKey(key);

  // A driver key that cannot be opened.
  g_strDriverKey = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0099";
  EXPECT_EQ(ReadIeee80211hSwitch(), 0);
  EXPECT_FALSE(ReadCcx2Control(ccx));
  EXPECT_EQ(ccx, 99u);
  EXPECT_EQ(QueryCountryRegion(), 0);
  HKEY none = nullptr;
  EXPECT_EQ(OpenDriverKey(&none, g_strDriverKey), 0);
}

TEST_F(DriverKeyTest, CountryRegionFlagsModeAndChannels) {
  const struct {
    const char* region;
    int family;
    const char* mode;
    DWORD stored;
    int editG, editA;
    std::vector<int> channels;
  } cases[] = {
      {"0x0001", 8, "9", 1, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
      {"0x8085", 8, "9", 5, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
      {"0x0084", 8, "1", 4, 0, 1, {14}},
      {"0x0006", 8, "9", 6, 1, 1, {3, 4, 5, 6, 7, 8, 9}},
      {"0x0021", 8, "9", 0x21, 1, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},  // above 8
      {"0x0003", 8, "2", 3, 1, 1, {}},  // mode 2 (A only) builds no list
      {"0x0004", 5, "0", 4, 1, 1, {14}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.region);
    std::string world(wavorel::sim::defaultWorldText());
    world.replace(world.find("CountryRegion = 0x0701"), 22, std::string("CountryRegion = ") + c.region);
    useWorld(world);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueEx(key, "WirelessMode", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.mode), 2);
    RegCloseKey(key);
    g_nFamilyIndex = c.family;
    g_bSupportBandA = 1;
    g_bHtFamily = 1;
    EXPECT_EQ(QueryCountryRegion(), 1);
    EXPECT_EQ(g_dwCountryRegion, c.stored);
    EXPECT_EQ(g_bRegionEditableBandG, c.editG);
    EXPECT_EQ(g_bRegionEditableBandA, c.editA);
    EXPECT_EQ(g_nWirelessMode, std::atoi(c.mode));
    EXPECT_EQ(std::vector<int>(g_channelList, g_channelList + g_nChannelCount), c.channels);
  }
}

TEST_F(DriverKeyTest, Vx52FamiliesUseTheirOwnRegionTable) {
  std::string world(wavorel::sim::defaultWorldText());
  world.replace(world.find("CountryRegion = 0x0701"), 22, "CountryRegion = 0x0002");
  useWorld(world);
  g_nFamilyIndex = 0;
  EXPECT_EQ(QueryCountryRegion(), 1);
  EXPECT_EQ(g_nChannelCount, 13);
  g_nFamilyIndex = 2;  // a family of no table
  EXPECT_EQ(QueryCountryRegion(), 1);
  EXPECT_EQ(g_nChannelCount, 0);
}

}  // namespace
}  // namespace worker::testing
