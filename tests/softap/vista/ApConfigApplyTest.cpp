// Apply on the AP configuration page in detail: the order in which the
// defaults key is written, the driver sets that go only when a value changed,
// locked regions, texts that do not fit, the rate label, the HT timer and the
// "USE MAC ADDRESS" button.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/mfc/ControlRef.h"
#include "platform/sim/services/RegistryRpcService.h"
#include "platform/win/kernel/Account.h"
#include "softap/ApRecords.h"
#include "tests/softap/vista/ApConfigPageTest.h"
#include "worker/vista/RegistryRpcClient.h"

namespace softap::testing {
namespace {

class ApConfigApplyTest : public ApConfigPageTest {
 protected:
  // Applies as a standard user, so every registry write goes through the
  // registry service's recorder; returns the value names written under the
  // defaults key, in order.
  std::vector<std::string> applyAndListDefaultsWrites() {
    wavorel::setRunningAsAdministrator(false);
    wavorel::sim::clearRegistryServiceCalls();
    page().PressApply();
    wavorel::setRunningAsAdministrator(true);
    const CString apDefault = driverKeyOf() + "\\ApDefault";
    std::vector<std::string> names;
    for (const auto& call : wavorel::sim::registryServiceCalls())
      if (call.procedure == kRegistryRpcSetValue && call.args.size() == 5 &&
          apDefault.CompareNoCase(call.args[0].text.c_str()) == 0)
        names.push_back(call.args[1].text);
    return names;
  }
  void setEdit(int id, const char* text) { page().SetDlgItemText(id, text); }
};

std::vector<std::string> defaultsOrder(const std::vector<std::string>& security, bool regions) {
  std::vector<std::string> names = {"WirelessMode", "TransRate", "TXPower", "Channel", "BeaconPeriod", "BGProtection"};
  if (regions) names.insert(names.end(), {"CountryRegion", "CountryRegionABand"});
  names.insert(names.end(), {"PreambleType", "RtsThresh", "FragThresh", "TXBurst", "TurboRate", "NoForwarding",
                             "HideSSID", "ShortSlot", "AuthMode", "CipherMode", "RadiusIP", "RadiusPort", "RadiusKey",
                             "RekeyInterval", "RekeyMethod"});
  names.insert(names.end(), security.begin(), security.end());
  names.insert(names.end(), {"AutoChannelSelect", "SSID", "IdleTime", "TransmitSetting", "AllowBW40Capability"});
  return names;
}

TEST_F(ApConfigApplyTest, DefaultsKeyIsWrittenInItsOrderForEachSecurityKind) {
  const std::vector<std::string> wep = {"WEPKeyUse",  "WEPKey1Type", "WEPKey2Type", "WEPKey3Type", "WEPKey4Type",
                                        "WEPKey1",    "WEPKey2",     "WEPKey3",     "WEPKey4"};
  struct Case {
    const char* auth;
    const char* cipher;
    std::vector<std::string> security;
  };
  const Case cases[] = {
      {"7", "4", {"WPAPSK"}},  // WPA2-PSK, AES
      {"2", "1", wep},         // shared key, WEP
      {"1", "0", {}},          // open, no encryption
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.auth) + "/" + c.cipher);
    openPage({{"AuthMode", c.auth}, {"CipherMode", c.cipher}, {"WPAPSK", "secret-pass-1"}});
    EXPECT_EQ(applyAndListDefaultsWrites(), defaultsOrder(c.security, true));
    restart();
  }
}

TEST_F(ApConfigApplyTest, LockedRegionsAreNeitherStoredNorSent) {
  std::string world(wavorel::sim::defaultWorldText());
  const std::string eeprom = "CountryRegion = 0x0701";
  ASSERT_NE(world.find(eeprom), std::string::npos);
  world.replace(world.find(eeprom), eeprom.size(), "CountryRegion = 0x8781");
  useWorld(world);
  openPage();
  ASSERT_FALSE(g_bApRegionBandG);
  ASSERT_FALSE(g_bApRegionBandA);
  wavorel::sim::clearDriverCalls();
  EXPECT_EQ(applyAndListDefaultsWrites(), defaultsOrder({}, false));
  EXPECT_TRUE(setsOf(0xFF8C0003).empty());
  EXPECT_FALSE(setsOf(0xFF8C0002).empty()) << "the sets after it still go";
}

TEST_F(ApConfigApplyTest, ChangedValuesReachTheDriverWithTheirLayouts) {
  openPage({{"Channel", "6"}, {"BeaconPeriod", "100"}, {"IdleTime", "300"}, {"PreambleType", "0"},
            {"RtsThresh", "2347"}, {"FragThresh", "2346"}});
  wavorel::sim::clearDriverCalls();
  setEdit(IDC_AP_BEACON, "250");
  setEdit(IDC_AP_IDLE, "1234");
  setEdit(IDC_AP_RTS, "500");
  setEdit(IDC_AP_FRAG, "800");
  ControlRef<CComboBox>(&page(), IDC_AP_PREAMBLE).get()->SetCurSel(1);
  page().PressApply();

  const auto config = setsOf(0xFF8C003B);
  ASSERT_EQ(config.size(), 1u);
  EXPECT_EQ(u32(config[0].data, aprecord::config::kBeaconPeriod), 250u);
  EXPECT_EQ(u32(config[0].data, aprecord::config::kDsConfig), 2437000u) << "channel 6";
  const auto options = setsOf(0xFF8C0040);
  ASSERT_EQ(options.size(), 1u);
  ASSERT_EQ(options[0].data.size(), aprecord::options::kSize);
  EXPECT_EQ(options[0].data[aprecord::options::kIdleTime], 1234 & 0xFF);
  EXPECT_EQ(options[0].data[aprecord::options::kIdleTime + 1], 1234 >> 8);
  struct Sent {
    uint32_t code;
    uint32_t value;
  };
  for (const Sent& s : {Sent{0xFFF10101, 1}, Sent{0xFF8C003C, 500}, Sent{0xFF8C003D, 800}}) {
    SCOPED_TRACE(s.code);
    const auto sets = setsOf(s.code);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(u32(sets[0].data, 0), s.value);
  }
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "PreambleType"), "1");
}

TEST_F(ApConfigApplyTest, TextsAreStoredAsTypedAndTheSsidCutTo32Bytes) {
  openPage();
  const std::string longSsid = "0123456789abcdefghijklmnopqrstuvwxyz";
  page().SetSsid(longSsid.c_str());
  page().PressApply();
  const CString apDefault = driverKeyOf() + "\\ApDefault";
  EXPECT_EQ(readValue(apDefault, "SSID"), longSsid.substr(0, 32));
  EXPECT_EQ(readValue(driverKeyOf(), "SSID"), longSsid.substr(0, 32));

  page().SetSsid("two\r\nlines");
  page().PressApply();
  EXPECT_EQ(readValue(apDefault, "SSID"), "two\r\nlines");
}

TEST_F(ApConfigApplyTest, RegistryValuesOutsideTheirRangeOrSize) {
  const CString apDefault = driverKeyOf() + "\\ApDefault";
  // Five bytes of a REG_DWORD: read as missing, the MCS stays "Auto".
  const uint32_t word = 9u | 7u << 4;
  writeValue(apDefault, "TransmitSetting", REG_DWORD,
             std::string{static_cast<char>(word), static_cast<char>(word >> 8), 0, 0, 0});
  openPage({{"WirelessMode", "8"}, {"CountryRegionABand", "99"}, {"Channel", "36"}});
  EXPECT_EQ(selected(IDC_AP_MCS), "Auto");
  EXPECT_EQ(selected(IDC_AP_REGION_A).rfind("0: ", 0), 0u) << selected(IDC_AP_REGION_A);
  const std::vector<std::string> beyond = items(IDC_AP_CHANNEL);
  restart();
  openPage({{"WirelessMode", "8"}, {"CountryRegionABand", "0"}, {"Channel", "36"}});
  EXPECT_EQ(beyond, items(IDC_AP_CHANNEL)) << "the channels of region 0";
}

TEST_F(ApConfigApplyTest, RateLabelOfFamilyCodeOne) {
  openPage({{"Channel", "6"}});
  struct Case {
    const char* mcs;
    const char* label;
  };
  const Case cases[] = {
      {"12", "Tx Rate: 216.00 Mbps \n BW:      40      MHz"},
      {"0", "Tx Rate: 54.00 Mbps \n BW:      20      MHz"},
      {"15", "Tx Rate: Not Available"},
      {"Auto", "Tx Rate: Not Available"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mcs);
    choose(IDC_AP_MCS, c.mcs);
    page().ShowTxRateLabel(1);
    CString label;
    page().GetDlgItemText(IDC_AP_TX_RATE_INFO, label);
    EXPECT_EQ(label, c.label);
  }
  page().ShowTxRateLabel(0);
  CString label;
  page().GetDlgItemText(IDC_AP_TX_RATE_INFO, label);
  EXPECT_EQ(label, "");
}

TEST_F(ApConfigApplyTest, HtTimerShowsTheAllow40CheckEverySecond) {
  openPage();
  CWnd* allow = page().GetDlgItem(IDC_AP_ALLOW_BW40);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    allow->ShowWindow(SW_HIDE);
    tick(999);
    EXPECT_FALSE(allow->GetStyle() & WS_VISIBLE);
    tick(1);
    EXPECT_TRUE(allow->GetStyle() & WS_VISIBLE) << "mode 9 shows it";
  }
}

TEST_F(ApConfigApplyTest, UseMacAddressPutsTheMacSsidInTheEditAndTellsTheFrontEnd) {
  openPage({{"SSID", "Before"}});
  received().clear();
  click(IDC_AP_USE_MAC);
  pump();
  CString edit;
  page().GetDlgItemText(IDC_AP_SSID, edit);
  EXPECT_EQ(edit, "AP000E2E5A1001");
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_SSID), std::vector<std::string>{"AP000E2E5A1001"});
  page().PressApply();
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "SSID"), "AP000E2E5A1001");
}

TEST_F(ApConfigApplyTest, SecurityDialogSendsTheWholePreSharedKey) {
  const std::string key(63, 'k');
  openPage({{"AuthMode", "7"}, {"CipherMode", "4"}, {"WPAPSK", key}});
  runSecurityDialog([](CAuthSecuDlg_AP& dialog) { dialog.EndDialog(IDCANCEL); });
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_WPA_PSK), std::vector<std::string>{key});
}

}  // namespace
}  // namespace softap::testing
