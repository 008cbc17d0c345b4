// The AP configuration page on the default world (an 802.11n USB adapter
// with both bands): start-up posts, the channel rules on the page, apply
// (registry, driver order, reconnect), validation, defaults and values from
// the registry that do not fit.
#include "platform/mfc/ControlRef.h"
#include "tests/softap/vista/ApConfigPageTest.h"

#include <algorithm>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "platform/sim/radio/Machine.h"

namespace softap::testing {
namespace {

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TEST_F(ApConfigPageTest, StartUpPostsListsSsidAndChannelsInOrder) {
  openPage({{"SSID", "Stored"}, {"Channel", "6"}, {"CountryRegion", "1"}});
  std::vector<std::pair<UINT, std::string>> seen;
  for (const BridgeValue& p : received())
    if (p.code >= BRIDGE_UI_AP_MODE_LIST && p.code <= BRIDGE_UI_AP_CHANNEL_SELECT) seen.emplace_back(p.code, p.text);
  ASSERT_GE(seen.size(), 8u);
  const std::vector<std::pair<UINT, std::string>> head = {
      {97, ""}, {98, "2.4G"}, {100, "Quendal Wireless-SoftAP"}, {100, "Stored"}, {99, "0"}, {103, "1"}, {101, ""}};
  using Posts = std::vector<std::pair<UINT, std::string>>;
  EXPECT_EQ(Posts(seen.begin(), seen.begin() + 7), head);
  EXPECT_TRUE(std::none_of(seen.begin(), seen.end(), [](const auto& p) { return p.first == 98 && p.second == "5G"; }));
  // Region 1 (channels 1 to 13), channel 6 selected.
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CHANNEL_ITEM).size() % 13, 0u);
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CHANNEL_SELECT).back(), "5");
  EXPECT_EQ(items(IDC_AP_WIRELESS_MODE), (std::vector<std::string>{"2.4G", "5G"}));
  EXPECT_EQ(page().GetMacSsid(), "AP000E2E5A1001");
}

TEST_F(ApConfigPageTest, ChannelRulesOnThePage) {
  openPage({{"CountryRegion", "4"}, {"Channel", "14"}});
  auto allowRef = std::make_unique<ControlRef<CButton>>(&page(), IDC_AP_ALLOW_BW40);
  CButton* allow = allowRef->get();
  EXPECT_EQ(items(IDC_AP_CHANNEL), std::vector<std::string>{"14"});
  EXPECT_FALSE(allow->IsWindowEnabled());
  EXPECT_EQ(allow->GetCheck(), BST_UNCHECKED);
  EXPECT_FALSE(page().GetDlgItem(IDC_AP_EXT_CHANNEL)->IsWindowEnabled());
  EXPECT_EQ(page().GetBandwidth(), 0);

  restart();
  openPage({{"CountryRegion", "0"}, {"Channel", "7"}});
  allowRef = std::make_unique<ControlRef<CButton>>(&page(), IDC_AP_ALLOW_BW40);
  allow = allowRef->get();
  EXPECT_EQ(items(IDC_AP_EXT_CHANNEL), (std::vector<std::string>{"3", "11"}));
  EXPECT_EQ(selected(IDC_AP_EXT_CHANNEL), "3");
  EXPECT_TRUE(allow->IsWindowEnabled());

  // 5 GHz, region 7: "20 / 40" drops 140 and 165; the stored 165 falls back.
  restart();
  openPage({{"WirelessMode", "8"}, {"CountryRegionABand", "7"}, {"Channel", "165"}});
  EXPECT_EQ(selected(IDC_AP_WIRELESS_MODE), "5G");
  EXPECT_FALSE(contains(items(IDC_AP_CHANNEL), "165"));
  EXPECT_FALSE(contains(items(IDC_AP_CHANNEL), "140"));
  EXPECT_EQ(selected(IDC_AP_CHANNEL), "36");
  click(IDC_AP_BW_20);
  ControlRef<CButton>(&page(), IDC_AP_BW_20).get()->SetCheck(BST_CHECKED);
  ControlRef<CButton>(&page(), IDC_AP_BW_40).get()->SetCheck(BST_UNCHECKED);
  page().FillChannelCombo();
  EXPECT_TRUE(contains(items(IDC_AP_CHANNEL), "165"));
  page().SelectChannel(static_cast<int>(items(IDC_AP_CHANNEL).size()) - 1);
  EXPECT_EQ(items(IDC_AP_EXT_CHANNEL), std::vector<std::string>{"none"});
}

TEST_F(ApConfigPageTest, ApplyWritesTheStoreSetsTheDriverInOrderAndReconnects) {
  useDefaultWorld("", client("Guest", "00-24-D7-00-00-0A", "Passphrase = fresh-secret-1\nArrives = 3"));
  openPage({{"Channel", "6"}});
  page().SetSsid("Renamed");
  EXPECT_EQ(runSecurityDialog([](CAuthSecuDlg_AP& dialog) {
              dialog.SelectAuthType(3);    // WPA2-PSK
              dialog.SelectEncryption(1);  // AES
              dialog.SetPreSharedKey("fresh-secret-1");
              dialog.PressOK();
            }),
            "1");
  wavorel::sim::clearDriverCalls();
  page().PressApply();

  const CString apDefault = driverKeyOf() + "\\ApDefault";
  EXPECT_EQ(readValue(apDefault, "SSID"), "Renamed");
  EXPECT_EQ(readValue(apDefault, "AuthMode"), "7");
  EXPECT_EQ(readValue(apDefault, "CipherMode"), "4");
  EXPECT_EQ(readValue(apDefault, "WPAPSK"), "fresh-secret-1");
  EXPECT_EQ(readValue(apDefault, "Channel"), "6");
  EXPECT_EQ(readValue(driverKeyOf(), "WPAPSK"), "fresh-secret-1") << "copied into the driver key";

  // The driver's sets in order (queries left out).
  std::vector<uint32_t> order;
  for (const auto& c : calls())
    if (c.set && (order.empty() || order.back() != c.code)) order.push_back(c.code);
  const std::vector<uint32_t> expected = {0xFF8C0003, 0xFF8C0002, 0xFF8C0028, 0xFF8C0045, 0xFF8C0007,
                                          0xFF8C0035, 0xFF8C0048, 0xFF8C0036, 0xFF8C0038, 0xFF8C003A, 0xFF8C0041};
  ASSERT_GE(order.size(), expected.size());
  EXPECT_EQ(std::vector<uint32_t>(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(expected.size())),
            expected);
  const auto ht = setsOf(0xFF8C0028);
  ASSERT_EQ(ht.size(), 1u);
  EXPECT_EQ(ht[0].data, (std::vector<uint8_t>{9, 0, 0, 0, 2, 0, 3, 33, 1, 1, 1, 0}))
      << "mode 9, HT MM, extension below, MCS Auto, 40 MHz allowed, STBC, GI Auto";

  // The AP beacons the new name and the station joins with the new pass phrase.
  ASSERT_TRUE(settle([this] { return !worker()->IsKeyPending(); }));
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "Renamed");
  EXPECT_EQ(worker()->GetWpaPsk(), "fresh-secret-1");
  tick(4000);
  tick(CHideDlg_AP::kPollMs);
  std::vector<BYTE> table(324, 0);
  DWORD returned = 0;
  ASSERT_TRUE(QueryDriverOid_AP(0xFF0C0029, table.data(), static_cast<DWORD>(table.size()), &returned));
  EXPECT_EQ(u32(table, 0), 1u);
}

TEST_F(ApConfigPageTest, RadiusAddressIsStoredInDecimalAndReadBackWhole) {
  openPage({{"RadiusIP", "3355509251"}});  // 200.1.2.3
  EXPECT_EQ(page().GetSecurityData().RadiusServer, 0xC8010203u);
  page().PressApply();
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "RadiusIP"), "3355509251");
  restart();
  openPage({{"RadiusIP", readValue(driverKeyOf() + "\\ApDefault", "RadiusIP")}});
  EXPECT_EQ(page().GetSecurityData().RadiusServer, 0xC8010203u);
}

TEST_F(ApConfigPageTest, OutOfRangeOrEmptyFieldsAreRefusedAndNothingIsWritten) {
  struct Case {
    const char* beacon;
    const char* idle;
    const char* ssid;
    const char* alert;  // nullptr: accepted
  };
  const Case cases[] = {
      {"19", "300", "Net", "The beacon period should be between 20 ~ 1000"},
      {"1001", "300", "Net", "The beacon period should be between 20 ~ 1000"},
      {"20", "300", "Net", nullptr},
      {"1000", "300", "Net", nullptr},
      {"100", "59", "Net", "The idle time should be between  60 ~ 3600"},
      {"100", "3601", "Net", "The idle time should be between  60 ~ 3600"},
      {"100", "60", "Net", nullptr},
      {"100", "3600", "  ", nullptr},
      {"100", "300", "", "Please Key in SSID"},
  };
  openPage();
  const CString apDefault = driverKeyOf() + "\\ApDefault";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.beacon) + "/" + c.idle + "/'" + c.ssid + "'");
    writeText(apDefault, "BeaconPeriod", "77");
    received().clear();
    wavorel::sim::clearDriverCalls();
    page().SetDlgItemText(IDC_AP_BEACON, c.beacon);
    page().SetDlgItemText(IDC_AP_IDLE, c.idle);
    page().SetDlgItemText(IDC_AP_SSID, c.ssid);
    page().PressApply();
    const auto alerts = valuesOf(BRIDGE_UI_MESSAGE_BOX);
    if (c.alert) {
      ASSERT_EQ(alerts.size(), 1u);
      EXPECT_EQ(alerts[0], std::string("48\r\n\r\n") + c.alert);
      EXPECT_EQ(readValue(apDefault, "BeaconPeriod"), "77");
      EXPECT_TRUE(setTrace().empty());
    } else {
      EXPECT_TRUE(alerts.empty());
      EXPECT_EQ(readValue(apDefault, "BeaconPeriod"), c.beacon);
      EXPECT_EQ(readValue(apDefault, "SSID"), c.ssid);
    }
  }
}

TEST_F(ApConfigPageTest, DefaultRestoresFactoryValuesAndWritesNothingUntilApply) {
  openPage({{"RtsThresh", "500"}, {"FragThresh", "600"}, {"SSID", "Mine"}, {"IdleTime", "900"}});
  EXPECT_EQ(page().GetRtsThreshold(), 500);
  wavorel::sim::clearDriverCalls();
  page().PressDefault();
  EXPECT_EQ(page().GetRtsThreshold(), 2346);
  EXPECT_EQ(page().GetFragThreshold(), 2347);
  EXPECT_EQ(page().GetIdleTime(), 300);
  EXPECT_EQ(page().GetSsid(), "Quendal Wireless-SoftAP");
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "SSID"), "Mine");
  EXPECT_TRUE(setTrace().empty());
  page().PressApply();
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "RtsThresh"), "2346");
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "FragThresh"), "2347");
}

TEST_F(ApConfigPageTest, RegistryValuesThatDoNotFit) {
  // A word of another type is missing; extension code 2 reads as an empty
  // text; regions beyond their lists read as the first; idle time outside
  // its range reads as 300.
  const CString apDefault = driverKeyOf() + "\\ApDefault";
  writeValue(apDefault, "TransmitSetting", REG_SZ, std::string("\x79\x88\x00\x00", 4));
  openPage({{"CountryRegion", "99"}, {"IdleTime", "5000"}, {"Channel", "3"}});
  EXPECT_EQ(selected(IDC_AP_MCS), "Auto");
  EXPECT_EQ(page().GetIdleTime(), 300);
  EXPECT_EQ(selected(IDC_AP_REGION_BG), "0: CH1-11");
  EXPECT_EQ(items(IDC_AP_CHANNEL).size(), 11u);

  restart();
  // The same word as REG_DWORD: mode 9, MCS 7, 20 / 40, extension code 2.
  const uint32_t word = 9u | 7u << 4 | 1u << 11 | 1u << 15 | 2u << 17;
  writeValue(apDefault, "TransmitSetting", REG_DWORD,
             std::string{static_cast<char>(word), static_cast<char>(word >> 8), static_cast<char>(word >> 16),
                         static_cast<char>(word >> 24)});
  openPage();
  EXPECT_EQ(selected(IDC_AP_MCS), "7");
}

TEST_F(ApConfigPageTest, ScreenshotWithTheHtControlsAndTheRateLabel) {
  openPage({{"Channel", "6"}});
  CString rate;
  page().GetDlgItemText(IDC_AP_TX_RATE_INFO, rate);
  EXPECT_EQ(rate, "Tx Rate: 43.30 Mbps") << "40 MHz, short guard interval, MCS Auto, family code 3";
  // On the screen for the picture only.
  sheet().SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  sheet().ShowWindow(SW_SHOW);
  EXPECT_TRUE(page().GetDlgItem(IDC_AP_HT_GROUP)->IsWindowVisible());
  const wavorel::WindowImage image = wavorel::composeWindow(sheet().GetSafeHwnd());
  EXPECT_TRUE(wavorel::present::saveScreenshot(sheet().GetSafeHwnd(), root() + "/config.png"));
  ASSERT_FALSE(image.empty());
  RECT frame{}, label{};
  sheet().GetWindowRect(&frame);
  page().GetDlgItem(IDC_AP_TX_RATE_INFO)->GetWindowRect(&label);
  int dark = 0;
  for (int y = label.top - frame.top; y < label.bottom - frame.top; ++y)
    for (int x = label.left - frame.left; x < label.right - frame.left; ++x)
      dark += GetRValue(image.colorAt(x, y)) < 96 ? 1 : 0;
  EXPECT_GT(dark, 30) << "the rate label is drawn";
}

}  // namespace
}  // namespace softap::testing
