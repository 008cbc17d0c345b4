// The channel, wireless-mode and 802.11n-word rules of the AP configuration
// page, on their own (the page's use of them is in ApConfigPageTest.cpp).
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "softap/ApChannelRules.h"
#include "softap/ApModule.h"

namespace {

struct Capabilities {
  int ht;
  int bandA;
};

class ApChannelRulesTest : public ::testing::Test {
 protected:
  void TearDown() override { use({0, 0}); }
  static void use(Capabilities c) {
    g_bApHtFamily = c.ht;
    g_bApSupportBandA = c.bandA;
  }
};

TEST_F(ApChannelRulesTest, WirelessModeTextsAndNumbersFollowTheAdapter) {
  use({1, 1});
  EXPECT_EQ(WirelessModeFromText("2.4G"), 9);
  EXPECT_EQ(WirelessModeFromText("5G"), 8);
  EXPECT_EQ(WirelessModeFromText("802.11 B only"), 0);
  EXPECT_EQ(WirelessModeToText(8), "5G");
  EXPECT_EQ(WirelessModeToText(2), "2.4G") << "2 is not the 5 GHz mode of an 802.11n family";
  use({0, 1});
  EXPECT_EQ(WirelessModeFromText("2.4G"), 0);
  EXPECT_EQ(WirelessModeFromText("5G"), 2);
  EXPECT_EQ(WirelessModeToText(2), "5G");
}

TEST_F(ApChannelRulesTest, WithoutTheFiveGigahertzBandTheTextStaysInTheTwoFourBand) {
  for (Capabilities c : {Capabilities{1, 0}, Capabilities{0, 0}}) {
    use(c);
    EXPECT_EQ(NormalizeWirelessModeText("5G"), "2.4G");
    EXPECT_EQ(NormalizeWirelessModeText("2.4G"), "2.4G");
  }
  use({1, 1});
  EXPECT_EQ(NormalizeWirelessModeText("5G"), "5G");
}

TEST_F(ApChannelRulesTest, RegionTables) {
  EXPECT_EQ(BandGChannels(4), std::vector<BYTE>{14});
  EXPECT_EQ(BandGChannels(2), (std::vector<BYTE>{10, 11}));
  EXPECT_EQ(BandGChannels(5).size(), 14u);
  EXPECT_EQ(BandGChannels(99), BandGChannels(0)) << "an index beyond the list reads as 0";
  EXPECT_EQ(BandAChannels(0, 6), (std::vector<BYTE>{36, 40, 44, 48, 52, 56, 60, 64, 149, 153, 157, 161, 165}));
  EXPECT_EQ(BandAChannels(12, 6), BandAChannels(0, 6));
  EXPECT_TRUE(BandAChannels(11, 4).empty());
  EXPECT_EQ(BandAChannels(11, 7).size(), 18u);
  EXPECT_EQ(BandAChannels(9, 4), (std::vector<BYTE>{34, 38, 42, 46}));
  EXPECT_EQ(BandAChannels(9, 6).size(), 21u);
  EXPECT_EQ(BandAChannels(10, 5), (std::vector<BYTE>{34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64}));
  EXPECT_TRUE(BandAChannels(10, 0).empty());
  EXPECT_EQ(BandAChannels(7, 0).size(), 24u);
}

TEST_F(ApChannelRulesTest, RegionTextsByChipFamily) {
  EXPECT_EQ(BandARegionTexts(0).size(), 9u);
  EXPECT_TRUE(BandARegionTexts(4).empty()) << "families 2 to 5 keep the template's eleven";
  const auto family6 = BandARegionTexts(6);
  ASSERT_EQ(family6.size(), 12u);
  EXPECT_EQ(family6[10], "10: CH 36, 40, 44, 48,149, 153, 157, 161, 165");
}

TEST_F(ApChannelRulesTest, JapaneseChannelsByNameAndFrequencyFromTheOneTable) {
  EXPECT_EQ(ChannelDisplayText(208), "J8");
  EXPECT_EQ(ChannelDisplayText(216), "J16");
  EXPECT_EQ(ChannelDisplayText(165), "165");
  EXPECT_EQ(ChannelFromText("J12"), 212);
  EXPECT_EQ(ChannelFromText("11"), 11);
  EXPECT_EQ(ChannelFrequencyKhz(212), 5060000u);
  EXPECT_EQ(ChannelFrequencyKhz(14), 2484000u);
  EXPECT_EQ(ChannelFrequencyKhz(6), 2437000u);
  EXPECT_EQ(ChannelFrequencyKhz(7), 2442000u);
  EXPECT_EQ(ChannelFrequencyKhz(150), 0u);
}

TEST_F(ApChannelRulesTest, ExtensionChannels) {
  const std::vector<int> region0{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_EQ(ExtChannels24(region0, 1), std::vector<int>{5});
  EXPECT_EQ(ExtChannels24(region0, 7), (std::vector<int>{3, 11}));
  EXPECT_EQ(ExtChannels24(region0, 11), std::vector<int>{7});
  EXPECT_TRUE(ExtChannels24({10, 11}, 10).empty());
  EXPECT_EQ(ExtChannelPartner5(40), 36);
  EXPECT_EQ(ExtChannelPartner5(149), 153);
  EXPECT_EQ(ExtChannelPartner5(165), 0);
  EXPECT_EQ(ExtChannelPartner5(140), 0);
  EXPECT_EQ(GetExtChannelCode(1, "11", "7"), 1);
  EXPECT_EQ(GetExtChannelCode(1, "3", "7"), 3);
  EXPECT_EQ(GetExtChannelCode(0, "11", "7"), 0);
  EXPECT_EQ(GetExtChannelCode(1, "none", "7"), 0);
  EXPECT_EQ(GetExtChannelCode(1, "204", "J8"), 3);
}

TEST_F(ApChannelRulesTest, TransmitSettingBothWays) {
  HtSettings s;
  s.mode = 9;
  s.mcs = 15;
  s.bandwidth = 1;
  s.guardInterval = 1;
  s.stbc = 0;
  s.htMode = 1;
  s.extCode = 3;
  const DWORD word = PackTransmitSetting(s);
  EXPECT_EQ(word, 9u | 15u << 4 | 1u << 11 | 1u << 12 | 1u << 15 | 1u << 16 | 3u << 17);
  const HtSettings back = UnpackTransmitSetting(word);
  EXPECT_EQ(back.mode, 9);
  EXPECT_EQ(back.mcs, 15);
  EXPECT_EQ(back.bandwidth, 1);
  EXPECT_EQ(back.guardInterval, 1);
  EXPECT_EQ(back.stbc, 0);
  EXPECT_EQ(back.htMode, 1);
  EXPECT_EQ(back.extCode, 3);
  EXPECT_EQ(ExtChannelTextFromWord(back, 7), "3");
  EXPECT_EQ(PackTransmitSetting(HtSettings{}) & 0xC000u, 0x8000u) << "bit 15 set, bit 14 clear";

  HtSettings other = back;
  other.extCode = 1;
  EXPECT_EQ(ExtChannelTextFromWord(other, 7), "11");
  other.extCode = 2;
  EXPECT_EQ(ExtChannelTextFromWord(other, 7), "");
  other.bandwidth = 0;
  EXPECT_EQ(ExtChannelTextFromWord(other, 7), "none");
}

TEST_F(ApChannelRulesTest, RateAndMcsLists) {
  EXPECT_EQ(TxRateItems(9).size(), 13u);
  EXPECT_STREQ(TxRateItems(0)[3], "5.5 Mbps");
  EXPECT_EQ(TxRateItems(8).size(), 9u);
  EXPECT_STREQ(TxRateItems(2)[1], "6 Mbps");
  EXPECT_EQ(McsNumberFromText("Auto"), 33);
  EXPECT_EQ(McsNumberFromText("32"), 32);
  EXPECT_STREQ(kMcsItems[17], "32");
}

}  // namespace
