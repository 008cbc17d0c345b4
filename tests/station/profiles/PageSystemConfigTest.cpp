// The System Config page: defaults, thresholds, the channel list, network
// type commands and bridge commands 19-22.
#include <gtest/gtest.h>

#include "tests/station/profiles/EditorTest.h"
#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "worker/ModuleFunctions.h"

namespace station::testing {
namespace {

using PageSystemConfigTest = EditorTest;

TEST_F(PageSystemConfigTest, NewProfileOnEmptySiteListTakesTheDefaults) {
  system().LoadDefaults("Unname Profile1");
  pump();
  EXPECT_EQ(valuesOf(BRIDGE_UI_EDITOR_FIELD), std::vector<std::string>{"Unname Profile1"});
  EXPECT_EQ(valuesOf(39), std::vector<std::string>{"1"});
  EXPECT_EQ(itemText(system(), IDC_SC_PROFILE_NAME), "Unname Profile1");
  EXPECT_EQ(system().SsidCombo().GetCount(), 0);
  EXPECT_EQ(system().m_nNetworkType, 1);
  EXPECT_EQ(windowText(system().NetworkTypeButton()), "Infrastructure");
  EXPECT_EQ(windowText(system().TxPowerButton()), "Auto");
  EXPECT_EQ(windowText(system().PreambleButton()), "Auto");
  EXPECT_FALSE(system().m_bUseRts);
  EXPECT_FALSE(system().m_bUseFrag);
  EXPECT_EQ(itemText(system(), IDC_SC_RTS_VALUE), "2347");
  EXPECT_EQ(itemText(system(), IDC_SC_FRAG_VALUE), "2346");
  // The controls this build keeps hidden stay so.
  for (int id : {IDC_SC_CHANNEL, IDC_SC_PREAMBLE, IDC_SC_RTS_VALUE, IDC_SC_CAM, IDC_SC_USE_RTS})
    EXPECT_FALSE(visible(system(), id)) << id;
  EXPECT_TRUE(visible(system(), IDC_SC_NETWORK_TYPE));
}

TEST_F(PageSystemConfigTest, SiteListFillsTheSsidColumnsInListOrder) {
  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(BssidSiteList.get(), 0, kBssListSize);
  BYTE* list = BssidSiteList.get();
  const auto addRecord = [&](size_t at, const char* ssid, BYTE lastMac) {
    using namespace wavorel::wire::ndis::bssid;
    wavorel::wire::putU32(list + at + kLength, static_cast<uint32_t>(kHeadSize));
    const BYTE mac[6] = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, lastMac};
    std::memcpy(list + at + kMacAddress, mac, 6);
    wavorel::wire::putU32(list + at + kSsidLength, static_cast<uint32_t>(std::strlen(ssid)));
    std::memcpy(list + at + kSsid, ssid, std::strlen(ssid));
  };
  wavorel::wire::putU32(list, 2);
  addRecord(4, "Cafe", 0x01);
  addRecord(4 + wavorel::wire::ndis::bssid::kHeadSize, "Home", 0xE2);
  system().LoadDefaults("P");
  EXPECT_EQ(comboItems(system().SsidCombo()), (std::vector<std::string>{"Cafe", "Home"}));
  EXPECT_EQ(std::string(system().SsidCombo().GetColumnText(1, 1)), "000A1B2C3DE2");

  // Edit of a profile whose SSID no entry carries: a last row, selected.
  system().m_strSsid = "Office";
  system().m_nNetworkType = 1;
  system().LoadFromProfile();
  EXPECT_EQ(comboItems(system().SsidCombo()), (std::vector<std::string>{"Cafe", "Home", "Office"}));
  EXPECT_EQ(system().SsidCombo().GetCurSel(), 2);
  BssidSiteList.reset();
}

TEST_F(PageSystemConfigTest, ThresholdEditsClampAndMoveTheirSliders) {
  system().LoadDefaults("P");
  struct Case {
    int edit;
    const char* typed;
    const char* shown;
    int rtsSlider;
    int fragSlider;
  };
  const Case cases[] = {
      {IDC_SC_RTS_VALUE, "3000", "2347", 2347, 2346},
      {IDC_SC_RTS_VALUE, "500", "500", 500, 2346},
      {IDC_SC_FRAG_VALUE, "100", "100", 500, 256},
      {IDC_SC_FRAG_VALUE, "9999", "2346", 500, 2346},
      {IDC_SC_FRAG_VALUE, "1000", "1000", 500, 1000},
  };
  for (const Case& c : cases) {
    setItemText(system(), c.edit, c.typed);
    pump();
    EXPECT_EQ(itemText(system(), c.edit), c.shown) << c.typed;
    EXPECT_EQ(system().RtsSlider().GetPos(), c.rtsSlider) << c.typed;
    EXPECT_EQ(system().FragSlider().GetPos(), c.fragSlider) << c.typed;
  }
}

TEST_F(PageSystemConfigTest, UncheckingUseRtsResetsAndDisablesItsControls) {
  system().LoadDefaults("P");
  system().GetDlgItem(IDC_SC_USE_RTS)->SendMessage(BM_CLICK);
  pump();
  EXPECT_TRUE(system().m_bUseRts);
  EXPECT_TRUE(enabled(system(), IDC_SC_RTS_VALUE));
  setItemText(system(), IDC_SC_RTS_VALUE, "1000");
  pump();
  system().GetDlgItem(IDC_SC_USE_RTS)->SendMessage(BM_CLICK);
  pump();
  EXPECT_FALSE(system().m_bUseRts);
  EXPECT_EQ(itemText(system(), IDC_SC_RTS_VALUE), "2347");
  EXPECT_EQ(system().RtsSlider().GetPos(), 2347);
  for (int id : {IDC_SC_RTS_VALUE, IDC_SC_RTS_SLIDER, IDC_SC_RTS_MIN_TEXT, IDC_SC_RTS_MAX_TEXT})
    EXPECT_FALSE(enabled(system(), id)) << id;
}

TEST_F(PageSystemConfigTest, ChannelListFollowsRegionModeAndNetworkType) {
  struct Case {
    int family;
    DWORD region;  // bits 0-6 the 2.4 GHz region, 8-14 the 5 GHz region
    int networkType;
    int stationMode;
    int adhocMode;
    std::vector<std::string> channels;
  };
  const Case cases[] = {
      {8, 0x0004, 1, 0, 1, {"14"}},
      {1, 0x0005, 1, 0, 1, {"14"}},
      {2, 0x0000, 1, 0, 1, {}},
      {8, 0x0202, 0, 0, 3, {"36", "40", "44", "48", "52", "56", "60", "64"}},
      {8, 0x0902, 1, 2, 1, {}},
      {8, 0x0A02, 1, 2, 1, {"36", "40", "44", "48", "52", "56", "60", "64"}},
      {8, 0x0002, 0, 3, 1, {"10", "11"}},
  };
  for (const Case& c : cases) {
    g_nFamilyIndex = c.family;
    g_dwCountryRegion = c.region;
    g_nWirelessMode = c.stationMode;
    system().m_nNetworkType = c.networkType;
    system().m_nAdhocMode = c.adhocMode;
    system().FillChannelList();
    EXPECT_EQ(comboItems(system().ChannelCombo()), c.channels) << c.family << " " << c.region;
    EXPECT_EQ(system().ChannelCombo().GetCurSel(), c.channels.empty() ? CB_ERR : 0);
  }
}

TEST_F(PageSystemConfigTest, ChannelTextsShowTheJapaneseChannels) {
  const std::pair<int, const char*> cases[] = {{208, "J8"}, {212, "J12"}, {216, "J16"}, {36, "36"}, {0, "0"}};
  for (const auto& [number, text] : cases) {
    EXPECT_EQ(std::string(CPageSystemConfigDlg::ChannelText(number)), text);
    EXPECT_EQ(CPageSystemConfigDlg::ChannelNumber(text), number);
  }
  EXPECT_EQ(CPageSystemConfigDlg::ChannelNumber("abc"), 0);
}

TEST_F(PageSystemConfigTest, BridgeCommandsSetTheFields) {
  g_nFamilyIndex = 8;
  g_dwCountryRegion = 0;
  system().LoadDefaults("P");
  system().SendMessage(WM_COMMAND, ID_NETWORK_ADHOC, 0);
  struct Case {
    UINT code;
    const char* value;
    int control;
    const char* shown;
  };
  const Case cases[] = {
      {BRIDGE_CMD_EDITOR_PROFILE_NAME, "Home", IDC_SC_PROFILE_NAME, "Home"},
      {BRIDGE_CMD_EDITOR_SSID, "Cafe Net", IDC_SC_SSID, "Cafe Net"},
      {BRIDGE_CMD_EDITOR_CHANNEL, "0", IDC_SC_CHANNEL, "1"},
      {BRIDGE_CMD_EDITOR_CHANNEL, "5", IDC_SC_CHANNEL, "6"},
      {BRIDGE_CMD_EDITOR_CHANNEL, "abc", IDC_SC_CHANNEL, "1"},
  };
  for (const Case& c : cases) {
    command(c.code, c.value);
    EXPECT_EQ(itemText(system(), c.control), c.shown) << c.code << " " << c.value;
  }
  command(BRIDGE_CMD_EDITOR_NETWORK_TYPE, "1");
  EXPECT_EQ(system().m_nNetworkType, 1);
  EXPECT_FALSE(editor().RunBridgeCommand(BRIDGE_CMD_EDITOR_CHANNEL + 100, "1"));
}

TEST_F(PageSystemConfigTest, AdhocHidesThe8021XCheckAndDisablesThe8021XTab) {
  system().LoadDefaults("P");
  security().SetDefaults();
  security().SendMessage(WM_COMMAND, ID_ENCRYPTION_WEP, 0);
  ASSERT_TRUE(visible(security(), IDC_AE_USE_8021X));
  security().GetDlgItem(IDC_AE_USE_8021X)->SendMessage(BM_CLICK);
  ASSERT_TRUE(editor().GetTabButton(CProfileEditorDlg::kTab8021X)->IsWindowEnabled());

  system().SendMessage(WM_COMMAND, ID_NETWORK_ADHOC, 0);
  EXPECT_EQ(windowText(system().NetworkTypeButton()), "Adhoc");
  EXPECT_FALSE(visible(security(), IDC_AE_USE_8021X));
  EXPECT_FALSE(security().m_bUse8021X);
  EXPECT_FALSE(editor().GetTabButton(CProfileEditorDlg::kTab8021X)->IsWindowEnabled());
  EXPECT_FALSE(enabled(system(), IDC_SC_CAM));
  EXPECT_TRUE(enabled(system(), IDC_SC_PREAMBLE));
}

}  // namespace
}  // namespace station::testing
