// The advanced page's lists, what it reads from the driver key and how its
// controls follow the wireless mode and the 802.11n switches.
#include "tests/xp/advance/AdvancePageTest.h"

#include <gtest/gtest.h>

namespace xpstation::testing {
namespace {

const std::vector<std::string> kVx52Regions = {"0: FCC, CH1-11",    "1: IC (Canada), CH1-11", "2: ETSI, CH1-13",
                                               "3: SPAIN, CH10-11", "4: FRANCE, CH10-13",     "5: MKK, CH14",
                                               "6: MKK1(TELEC), CH1-14", "7: ISRAEL, CH3-9"};
const std::vector<std::string> kBgRegions = {"0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13",
                                             "4: CH14",   "5: CH1-14", "6: CH3-9",   "7: CH5-13"};

TEST_F(AdvancePageTest, ListsFollowTheFamilyAndBands) {
  struct Case {
    int family;
    int bandA;
    std::vector<std::string> modes;
    std::vector<std::string> bg;
    size_t aCount;
  };
  const std::vector<std::string> base = {"802.11 B/G mix", "802.11 B only"};
  const Case cases[] = {
      {0, 0, base, kVx52Regions, 0},
      {1, 1, {"802.11 B/G mix", "802.11 B only", "802.11 A only", "802.11 A/B/G mix"}, kVx52Regions, 0},
      {2, 0, base, {}, 0},
      {4, 0, base, kBgRegions, 0},
      {8, 0, {"802.11 B/G mix", "802.11 B only", "802.11 B/G/N mix"}, kBgRegions, 9},
      {7, 1,
       {"802.11 B/G mix", "802.11 B only", "802.11 A only", "802.11 A/B/G mix", "802.11 B/G/N mix",
        "802.11 A/B/G/N mix"},
       kBgRegions, 9},
  };
  for (const Case& c : cases) {
    adapter(c.family, c.bandA);
    open();
    EXPECT_EQ(entries(IDC_ADV_MODE), c.modes) << c.family;
    EXPECT_EQ(entries(IDC_ADV_REGION_BG), c.bg) << c.family;
    const std::vector<std::string> a = entries(IDC_ADV_REGION_A);
    ASSERT_EQ(a.size(), c.aCount) << c.family;
    if (c.aCount) {
      EXPECT_EQ(a.front(), "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165");
      EXPECT_EQ(a.back(), "8: CH 52, 56, 60, 64");
    }
    EXPECT_EQ(text(1313), "Show Authentication Status Dialog");
    EXPECT_FALSE(visible(IDC_ADV_QOS));
  }
}

TEST_F(AdvancePageTest, FamilyWithoutRegionListKeepsTheRegionRead) {
  adapter(2, 0);
  writeText("CountryRegion", "5");
  EXPECT_EQ(open().m_nRegionBG, 5);
  EXPECT_EQ(selection(IDC_ADV_REGION_BG), -1);
}

TEST_F(AdvancePageTest, Ccx2ControlIsReadAndCorrected) {
  struct Case {
    DWORD word;
    const char* threshold;
    const char* limit;
    bool flags;
  };
  const Case cases[] = {
      {(2001u << 16) | (50u << 8) | 0x3F, "-70", "250", true},
      {(2000u << 16) | (90u << 8) | 0x21, "-90", "2000", false},
      {(0u << 16) | (60u << 8), "-60", "0", false},
      {(100u << 16) | (91u << 8) | 0x01, "-70", "100", false},
  };
  for (const Case& c : cases) {
    writeDword("CCX2Control", c.word);
    CPageAdvanceDlg& page = open();
    EXPECT_EQ(text(IDC_ADV_THRESHOLD), c.threshold) << std::hex << c.word;
    EXPECT_EQ(text(IDC_ADV_LIMIT), c.limit) << std::hex << c.word;
    EXPECT_EQ(checked(IDC_ADV_CCX), (c.word & 1) != 0);
    EXPECT_EQ(checked(IDC_ADV_FAST_ROAMING), (c.word & 0x20) != 0);
    EXPECT_EQ(page.m_bQos == 1, c.flags);
    EXPECT_EQ(enabled(IDC_ADV_THRESHOLD), (c.word & 0x20) != 0);
    EXPECT_EQ(enabled(IDC_ADV_LIMIT), c.flags) << "the limit edit needs CCX, measurements and the limit switch";
  }
}

TEST_F(AdvancePageTest, StoredWordsOfTheWrongTypeOrSizeLeaveTheFields) {
  const DWORD longWord[2] = {(100u << 16) | (80u << 8) | 0x3F, 0};
  writeValue("CCX2Control", REG_BINARY, longWord, sizeof longWord);
  writeText("TransmitSetting", "425081");
  CPageAdvanceDlg& page = open();
  EXPECT_EQ(page.m_nThreshold, -70);
  EXPECT_EQ(page.m_nLimit, 250u);
  EXPECT_EQ(page.m_bCcx, 0);
  EXPECT_EQ(page.m_strMcs, "Auto");
  EXPECT_EQ(page.m_nExtChannel, 0);
}

TEST_F(AdvancePageTest, WirelessModeTexts) {
  struct Case {
    const char* stored;
    const char* text;
    int selected;
  };
  // Mode 6 is the empty text, which no entry matches; 7 and numbers outside
  // the table read as "802.11 B/G mix" before the mode is normalised.
  const Case cases[] = {{"9", "802.11 B/G/N mix", 4}, {"6", "", -1},  {"42", "802.11 B/G mix", 0},
                        {"-3", "802.11 B/G mix", 0},  {"7", "802.11 B/G mix", 0}, {"10", "802.11 B/G mix", 0},
                        {"2", "802.11 A only", 2}};
  for (const Case& c : cases) {
    writeText("WirelessMode", c.stored);
    CPageAdvanceDlg& page = open();
    EXPECT_EQ(page.m_strWirelessMode, c.text) << c.stored;
    EXPECT_EQ(selection(IDC_ADV_MODE), c.selected) << c.stored;
  }
  writeText("WirelessMode", "6");
  open();
  EXPECT_EQ(entries(IDC_ADV_TX_RATE), std::vector<std::string>{"Auto"});
  EXPECT_EQ(g_nWirelessMode, 6);
}

TEST_F(AdvancePageTest, TransmitSettingIntoTheHtFields) {
  struct Case {
    DWORD word;
    int allow40;
    int extRadio;
    const char* mcs;
  };
  // Bits 17-18: 0 none, 1 above, 3 below; 2 reads as none.
  const Case cases[] = {
      {0x00068079, 1, IDC_ADV_EXT_BELOW, "7"},
      {0x00048879, 1, IDC_ADV_EXT_NONE, "7"},
      {0x00038A19, 0, IDC_ADV_EXT_ABOVE, "Auto"},
      {0x00008209, 1, IDC_ADV_EXT_NONE, "32"},
  };
  setAdvance("HT Setting", "1");
  writeText("WirelessMode", "9");
  for (const Case& c : cases) {
    writeDword("TransmitSetting", c.word);
    g_bAllow40MHzBandG = c.allow40;
    CPageAdvanceDlg& page = open();
    EXPECT_TRUE(checked(c.extRadio)) << std::hex << c.word;
    EXPECT_EQ(page.m_strMcs, c.mcs) << std::hex << c.word;
    EXPECT_EQ(g_dwTransmitSetting, c.word);
    EXPECT_EQ(page.m_nHtMode, static_cast<int>((c.word >> 16) & 1));
    EXPECT_EQ(enabled(IDC_ADV_BW_AUTO), c.allow40 != 0);
    // Filling the page passes the mode change, which sets the bandwidth back to 20.
    EXPECT_EQ(page.m_nBandwidth, 0);
  }
}

TEST_F(AdvancePageTest, ModeChangeKeepsOrResetsTheRateIndex) {
  struct Case {
    const char* mode;
    const char* rate;
    int after;
    size_t rates;
  };
  // From "802.11 A/B/G mix", whose list is Auto, 1, 2, 5.5, 11, 6 ... 54 Mbps.
  const Case cases[] = {{"802.11 B only", "11 Mbps", 4, 5},  {"802.11 B only", "6 Mbps", 0, 5},
                        {"802.11 B only", "54 Mbps", 0, 5},  {"802.11 A only", "18 Mbps", 8, 9},
                        {"802.11 A only", "24 Mbps", 0, 9},  {"802.11 B/G mix", "54 Mbps", 12, 13}};
  for (const Case& c : cases) {
    writeText("WirelessMode", "3");
    CPageAdvanceDlg& page = open();
    choose(IDC_ADV_TX_RATE, c.rate);
    page.SendMessage(WM_COMMAND, ID_BG_PROTECTION_ON, 0);
    choose(IDC_ADV_MODE, c.mode);
    EXPECT_EQ(entries(IDC_ADV_TX_RATE).size(), c.rates) << c.mode << " " << c.rate;
    EXPECT_EQ(page.m_nTxRate, c.after) << c.mode << " " << c.rate;
    EXPECT_EQ(selection(IDC_ADV_TX_RATE), c.after);
    EXPECT_EQ(text(IDC_ADV_BG_PROTECTION), std::string(c.rates == 13 ? "ON" : "AUTO"));
  }
}

TEST_F(AdvancePageTest, BgProtectionMenuCommands) {
  CPageAdvanceDlg& page = open();
  const std::pair<UINT, const char*> commands[] = {
      {ID_BG_PROTECTION_OFF, "OFF"}, {ID_BG_PROTECTION_ON, "ON"}, {ID_BG_PROTECTION_AUTO, "AUTO"}};
  for (const auto& [command, caption] : commands) {
    page.SendMessage(WM_COMMAND, command, 0);
    EXPECT_EQ(text(IDC_ADV_BG_PROTECTION), caption);
  }
  EXPECT_EQ(page.m_nBgProtection, 0);
}

TEST_F(AdvancePageTest, HtControlsByFamilyAndSwitch) {
  const int htIds[] = {IDC_ADV_HT_MM, IDC_ADV_HT_GF, IDC_ADV_BW_20, IDC_ADV_GI_AUTO, IDC_ADV_STBC_AUTO, IDC_ADV_MCS};
  writeText("WirelessMode", "9");
  writeDword("TransmitSetting", 0x00008079);  // MCS 7

  // VX32_A: shown (with "HT Setting" = "1") but fixed, the rate by MCS with its bandwidth.
  adapter(6, 0);
  setAdvance("HT Setting", "1");
  open();
  for (int id : htIds) {
    EXPECT_TRUE(visible(id)) << id;
    EXPECT_FALSE(enabled(id)) << id;
  }
  EXPECT_EQ(text(IDC_ADV_HT_RATE), "Tx Rate: 108.00 Mbps \n BW:      20      MHz");
  EXPECT_FALSE(visible(IDC_ADV_TX_RATE)) << "802.11n adapters leave the rate to the MCS";

  // VX32: changeable; the rate of (bandwidth, guard interval, MCS).
  adapter(7, 1);
  open();
  for (int id : htIds) EXPECT_TRUE(visible(id) && enabled(id)) << id;
  EXPECT_EQ(text(IDC_ADV_HT_RATE), "Tx Rate: 65.00 Mbps");
  click(IDC_ADV_GI_AUTO, BST_CHECKED);
  EXPECT_EQ(text(IDC_ADV_HT_RATE), "Tx Rate: 72.20 Mbps");
  choose(IDC_ADV_MCS, "32");
  EXPECT_EQ(text(IDC_ADV_HT_RATE), "Tx Rate: Not Available");

  // Without the switch the HT controls stay hidden; "TxRate" = "1" shows the rate list, enabled.
  setAdvance("HT Setting", "0");
  setAdvance("TxRate", "1");
  open();
  for (int id : htIds) EXPECT_FALSE(visible(id)) << id;
  EXPECT_TRUE(visible(IDC_ADV_TX_RATE) && enabled(IDC_ADV_TX_RATE));

  // No 802.11n: everything of the right half hidden, rate and protection shown.
  adapter(4, 0);
  open();
  for (int id : htIds) EXPECT_FALSE(visible(id)) << id;
  EXPECT_FALSE(visible(IDC_ADV_HT_RATE));
  EXPECT_TRUE(visible(IDC_ADV_BG_PROTECTION));
}

// The hint of a mode change in the message dialog: the top-level window whose
// static 3216 shows it.
HWND FindHint() {
  struct Search {
    HWND found = nullptr;
  } search;
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        char text[128] = "";
        GetDlgItemText(hwnd, IDC_MESSAGE_BOX_TEXT, text, sizeof text);
        if (std::strcmp(text, "Automatically set channel according to wireless mode.") != 0) return TRUE;
        reinterpret_cast<Search*>(lParam)->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(AdvancePageTest, ModeHintOnlyForTheUsersChange) {
  open();
  EXPECT_EQ(FindHint(), nullptr) << "filling the page shows no hint";
  choose(IDC_ADV_MODE, "802.11 B only");
  const HWND hint = FindHint();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(hint));
  char ok[16] = "";
  GetDlgItemText(hint, IDOK, ok, sizeof ok);
  EXPECT_STREQ(ok, "OK");
  SendMessage(hint, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindowVisible(hint));
  choose(IDC_ADV_MODE, "802.11 B/G mix");
  EXPECT_EQ(FindHint(), hint) << "one dialog, shown again";
  EXPECT_TRUE(IsWindowVisible(hint));
}

TEST_F(AdvancePageTest, NonAdministratorSeesTheDriversValues) {
  writeText("TXBurst", "0");
  writeText("WirelessMode", "0");
  g_bAdministrator = 0;
  CPageAdvanceDlg& page = open();
  DWORD mode = 0, returned = 0;
  ASSERT_TRUE(QueryOid(OID_VX_WIRELESS_MODE, &mode, sizeof mode, &returned));
  EXPECT_EQ(page.m_strWirelessMode, CPageAdvanceDlg::GetWirelessModeText(static_cast<int>(mode)));
  EXPECT_EQ(g_nWirelessMode, static_cast<int>(mode));
}

}  // namespace
}  // namespace xpstation::testing
