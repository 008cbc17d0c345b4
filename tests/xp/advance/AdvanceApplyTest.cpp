// "&APPLY" of the advanced page: what reaches the driver key, the TCP/IP
// parameters and the driver, in order, and when it reconnects.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "tests/xp/advance/AdvancePageTest.h"
#include "worker/HideDlg.h"

namespace xpstation::testing {
namespace {

// Standard codes travel with the set bit of this build (0x00800000).
constexpr uint32_t kDisassociate = 0x0D810115;
constexpr uint32_t kDesiredRates = 0x0D810210;
constexpr uint32_t kRateSet = 0x0DF10127;
constexpr uint32_t kCcx = 0x0DF1011E;

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> head, size_t size) {
  std::vector<uint8_t> out(head);
  out.resize(size, 0);
  return out;
}

class AdvanceApplyTest : public AdvancePageTest {
 protected:
  // A current profile record as the last connect left it.
  static void connectedWith(const char* ssid, DWORD useBssid, std::initializer_list<BYTE> bssid) {
    _PROFILE_DATA record;
    record.Ssid.SsidLength = static_cast<ULONG>(std::strlen(ssid));
    std::memcpy(record.Ssid.Ssid, ssid, record.Ssid.SsidLength);
    record.UseBssid = useBssid;
    std::copy(bssid.begin(), bssid.end(), record.Bssid);
    record.AdvancedValid = 1;
    SetCurrentProfile(&record);
  }
};

TEST_F(AdvanceApplyTest, GreenFieldShortGiAndStbcTogetherAreRefused) {
  setAdvance("HT Setting", "1");
  writeText("WirelessMode", "9");
  open();
  const std::vector<std::string> before = values(kDriverKey);
  click(IDC_ADV_HT_GF, BST_CHECKED);
  click(IDC_ADV_GI_AUTO, BST_CHECKED);
  click(IDC_ADV_STBC_AUTO, BST_CHECKED);
  press(IDC_ADV_APPLY);
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX),
            std::vector<std::string>{"48\r\n\r\nGF, Short GI, and STBC used don't setup together"});
  EXPECT_EQ(values(kDriverKey), before);
  EXPECT_TRUE(sets().empty());
  // Any two of the three are taken.
  click(IDC_ADV_STBC_NONE, BST_CHECKED);
  press(IDC_ADV_APPLY);
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX).size(), 1u);
  EXPECT_FALSE(sets().empty());
}

TEST_F(AdvanceApplyTest, BOnlyWithRateIndex3) {
  open();
  choose(IDC_ADV_MODE, "802.11 B only");
  choose(IDC_ADV_TX_RATE, "5.5 Mbps");
  press(IDC_ADV_APPLY);
  EXPECT_EQ(values(kDriverKey),
            (std::vector<std::string>{"ShowAuthStatus=0", "WirelessMode=1", "TXBurst=0", "BGProtection=0",
                                      "CountryRegion=0", "CountryRegionABand=0", "AdhocOfdm=0", "TransRate=3",
                                      "CCX2Control=#FA4600", "TransmitSetting=#8211"}));
  const std::vector<std::string> expected = {
      "0DF1010C: 01 00 00 00",
      "0DF1013B: 01 00 00 00 02 00 00 21 00 00 00 00",
      "0DF1011E: 00 46 FA 00",
      "0DF10107: 00 00 00 00",
      "0D810210: 0B 00 00 00 00 00 00 00",
      "0DF10127: 04 82 84 8B 96 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
      "0DF1011E: 00 46 FA 00",
  };
  EXPECT_EQ(sets(), expected);
}

TEST_F(AdvanceApplyTest, BgnMixWithMcs7) {
  setAdvance("HT Setting", "1");
  open();
  choose(IDC_ADV_MODE, "802.11 B/G/N mix");
  choose(IDC_ADV_MCS, "7");
  press(IDC_ADV_APPLY);
  EXPECT_EQ(setsOf(kDesiredRates), std::vector<std::vector<uint8_t>>{Bytes({0x6C}, 8)});
  EXPECT_TRUE(setsOf(kRateSet).empty());
  DWORD type = 0;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  char text[8] = "";
  for (const auto& [name, value] : {std::pair{"APSDCapable", "0"}, {"DLSCapable", "0"}, {"WMMCapable", "1"}}) {
    DWORD size = sizeof text;
    ASSERT_EQ(RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(text, size).c_str(), std::string(value)) << name;
  }
  RegCloseKey(key);
  EXPECT_EQ(setsOf(0x0DF1012D), std::vector<std::vector<uint8_t>>{{0x01}});
  EXPECT_EQ(setsOf(0x0DF10131), std::vector<std::vector<uint8_t>>{Bytes({}, 4)});
  ASSERT_EQ(setsOf(0x0DF1012A).size(), 1u);
  EXPECT_EQ(setsOf(0x0DF1012A)[0][0] & 0x81, 0);
  // The HT record: mode 9, 2, MM, MCS 7, 20 MHz, no STBC, long GI.
  const std::vector<uint8_t> ht = setsOf(0x0DF1013B).at(0);
  EXPECT_EQ(std::vector<uint8_t>(ht.begin(), ht.begin() + 6), (std::vector<uint8_t>{9, 0, 0, 0, 2, 0}));
  EXPECT_EQ(std::vector<uint8_t>(ht.begin() + 7, ht.begin() + 11), (std::vector<uint8_t>{7, 0, 0, 0}));
}

TEST_F(AdvanceApplyTest, ChangedTxRateAloneNeitherReconnectsNorRescans) {
  connectedWith("Home", 0, {});
  CHideDlg worker;
  g_pHideDlg = &worker;
  open();
  choose(IDC_ADV_TX_RATE, "11 Mbps");
  press(IDC_ADV_APPLY);
  g_pHideDlg = nullptr;
  EXPECT_TRUE(setsOf(kDisassociate).empty());
  EXPECT_TRUE(GetActionQueue().empty());
  EXPECT_EQ(GetCurrentProfile()->AdvancedValid, 1u) << "no connect queued";
  EXPECT_EQ(values(kDriverKey)[7], "TransRate=4");
  EXPECT_FALSE(setsOf(kDesiredRates).empty());
}

TEST_F(AdvanceApplyTest, ZeroConfigurationWithoutSsidOrBssidSetsTheEmptySsid) {
  ConfigToolMode = kConfigToolZeroConfig;
  struct Case {
    DWORD useBssid;
    const char* ssid;
    const char* region;
  };
  // Bound to an all-zero BSSID, or not bound and without an SSID.
  for (const Case& c : {Case{1, "Home", "3: CH10-13"}, Case{0, "", "1: CH1-13"}}) {
    connectedWith(c.ssid, c.useBssid, {});
    writeDword("CCX2Control", 0x00FA4621);
    open();
    choose(IDC_ADV_REGION_BG, c.region);
    const DWORD start = GetTickCount();
    press(IDC_ADV_APPLY);
    EXPECT_GT(GetTickCount() - start, 100u);
    std::vector<std::string> tail = sets();
    ASSERT_GE(tail.size(), 3u);
    tail.erase(tail.begin(), tail.end() - 3);
    EXPECT_EQ(tail, (std::vector<std::string>{
                        "0D810115:",
                        "0D810102: 20 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                        "00 00 00 00 00 00 00 00 00",
                        "0DF1011E: 21 46 FA 00"}))
        << c.useBssid;
    EXPECT_TRUE(GetActionQueue().empty());
  }
}

TEST_F(AdvanceApplyTest, RegionChangeReconnectsWithTheAdaptersSettings) {
  ConfigToolMode = kConfigToolUtility;
  connectedWith("Home", 0, {});
  CHideDlg worker;
  g_pHideDlg = &worker;
  open();
  choose(IDC_ADV_REGION_BG, "2: CH10-11");
  const DWORD start = GetTickCount();
  press(IDC_ADV_APPLY);
  EXPECT_GT(GetTickCount() - start, 100u) << "disassociated, then 100 ms";
  const std::vector<std::string> trace = sets();
  ASSERT_FALSE(trace.empty());
  const auto disassociate = std::find(trace.begin(), trace.end(), "0D810115:");
  ASSERT_NE(disassociate, trace.end());
  ASSERT_NE(disassociate, trace.begin());
  EXPECT_EQ(std::prev(disassociate)->substr(0, 9), "0DF1011E:") << "after the settings were set";
  // The connect queued with the record: the adapter's stored settings apply.
  const _PROFILE_DATA* queued = GetCurrentProfile();
  ASSERT_NE(queued, nullptr);
  EXPECT_EQ(queued->AdvancedValid, 0u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(queued->Ssid.Ssid), queued->Ssid.SsidLength), "Home");
  // Applied again unchanged: no second reconnect.
  wavorel::sim::clearDriverCalls();
  press(IDC_ADV_APPLY);
  EXPECT_TRUE(setsOf(kDisassociate).empty());
  g_pHideDlg = nullptr;
}

TEST_F(AdvanceApplyTest, RegionFixedByTheDriverIsNotWritten) {
  g_bRegionEditableBandG = 0;
  g_dwCountryRegion = 0x0105;
  open();
  press(IDC_ADV_APPLY);
  const std::vector<std::string> stored = values(kDriverKey);
  EXPECT_EQ(std::count(stored.begin(), stored.end(), "CountryRegion=5"), 0);
  EXPECT_EQ(std::count(stored.begin(), stored.end(), "CountryRegionABand=0"), 1);
  EXPECT_EQ(setsOf(0x0DF10107), std::vector<std::vector<uint8_t>>{Bytes({5}, 4)});
  // The driver's word is read again after the region was set.
  g_bRegionEditableBandG = g_bRegionEditableBandA = 0;
  wavorel::sim::clearDriverCalls();
  press(IDC_ADV_APPLY);
  EXPECT_TRUE(setsOf(0x0DF10107).empty());
}

TEST_F(AdvanceApplyTest, TcpWindowTuning) {
  HKEY tcp = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTcpKey, 0, KEY_ALL_ACCESS, &tcp), ERROR_SUCCESS);
  const DWORD foreign = 8192;
  RegSetValueEx(tcp, "TCPWindowSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&foreign), sizeof foreign);
  RegSetValueEx(tcp, "DefaultTTL", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&foreign), sizeof foreign);
  RegCloseKey(tcp);
  open();
  EXPECT_TRUE(checked(IDC_ADV_TCP_WINDOW)) << "a readable TCPWindowSize shows the tuning on";
  click(IDC_ADV_TCP_WINDOW, BST_UNCHECKED);
  EXPECT_FALSE(checked(IDC_ADV_TCP_WINDOW));
  press(IDC_ADV_APPLY);
  EXPECT_FALSE(checked(IDC_ADV_TCP_WINDOW));
  EXPECT_EQ(values(kTcpKey), std::vector<std::string>{"DefaultTTL=#2000"});
  click(IDC_ADV_TCP_WINDOW, BST_CHECKED);
  press(IDC_ADV_APPLY);
  EXPECT_EQ(values(kTcpKey), (std::vector<std::string>{"DefaultTTL=#2000", "TCPWindowSize=#10000", "SackOpts=#1",
                                                       "TcpMaxDupAcks=#2", "Tcp1323Opts=#1"}));
}

TEST_F(AdvanceApplyTest, ExtensionChannelBelowIsStoredAs3) {
  setAdvance("HT Setting", "1");
  writeText("WirelessMode", "9");
  open();
  click(IDC_ADV_EXT_BELOW, BST_CHECKED);
  press(IDC_ADV_APPLY);
  const std::vector<std::string> stored = values(kDriverKey);
  EXPECT_EQ(std::count(stored.begin(), stored.end(), "TransmitSetting=#68219"), 1);
  open();
  EXPECT_TRUE(checked(IDC_ADV_EXT_BELOW));
}

TEST_F(AdvanceApplyTest, CcxWordFromTheSwitches) {
  struct Case {
    int ccx, cckm, measurements, limitEnable, roaming;
    const char* threshold;
    const char* limit;
    DWORD word;
  };
  const Case cases[] = {
      {0, 1, 1, 1, 0, "-80", "300", 0x00FA4600},
      {1, 1, 1, 1, 0, "-80", "300", 0x012C460F},
      {1, 0, 0, 1, 0, "-80", "300", 0x012C4601},
      {0, 0, 0, 0, 1, "-80", "300", 0x00FA5020},
      {1, 0, 1, 0, 1, "-90", "2000", 0x07D05A25},
  };
  for (const Case& c : cases) {
    CPageAdvanceDlg& page = open();
    page.m_bCcx = c.ccx;
    page.m_bLeapCckm = c.cckm;
    page.m_bRadioMeasurements = c.measurements;
    page.m_bLimitEnable = c.limitEnable;
    page.m_bFastRoaming = c.roaming;
    page.UpdateData(FALSE);
    page.SetDlgItemText(IDC_ADV_THRESHOLD, c.threshold);
    page.SetDlgItemText(IDC_ADV_LIMIT, c.limit);
    press(IDC_ADV_APPLY);
    char expected[32];
    std::snprintf(expected, sizeof expected, "CCX2Control=#%X", c.word);
    EXPECT_EQ(values(kDriverKey)[8], expected);
    EXPECT_EQ(setsOf(kCcx).back(), Bytes({static_cast<uint8_t>(c.word), static_cast<uint8_t>(c.word >> 8),
                                          static_cast<uint8_t>(c.word >> 16), static_cast<uint8_t>(c.word >> 24)},
                                         4));
  }
}

}  // namespace
}  // namespace xpstation::testing
