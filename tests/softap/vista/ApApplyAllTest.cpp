// Apply-all: every stored AP value to the driver. Each scenario's driver
// trace from the first apply-all of AP mode (with the reconnect and the key
// re-send it brings) is compared with a golden file in data/applyall/; run
// with WAVOREL_UPDATE_GOLDEN=1 to write them after a deliberate change.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/sim/services/NativeWifiService.h"
#include "softap/ApSettings.h"
#include "tests/softap/ApWorkerTest.h"
#include "worker/PasswordHash.h"

namespace softap::testing {
namespace {

// One VX52 PCI adapter (2.4 GHz only, region 1: channels 1 to 13).
constexpr const char* kVx52World =
    "[Adapter1]\nHardwareId = PCI\\VEN_F0A5&DEV_0001&SUBSYS_00011234\nFamily = 0\n"
    "Guid = {22222222-2222-3333-4444-555555555555}\nDescription = VX52 PCI Card\n"
    "Mac = 00-0E-2E-00-00-52\nCountryRegion = 0x0001\n";

const char kHexKey[] = "00112233445566778899AABBCCDDEEFF00112233445566778899aabbccddeeff";

class ApApplyAllTest : public ApWorkerTest {
 protected:
  // The calls from the first apply-all on (behind the second register read).
  static std::vector<wavorel::sim::DriverCall> applyAllCalls() {
    const auto log = calls();
    size_t reads = 0, from = log.size();
    for (size_t i = 0; i < log.size() && from == log.size(); ++i)
      if (log[i].code == 0xFF0C0008 && ++reads == 2) from = i + 1;
    return std::vector<wavorel::sim::DriverCall>(log.begin() + static_cast<std::ptrdiff_t>(from), log.end());
  }
  static void expectGolden(const std::string& name) {
    expectGoldenTrace(std::string(SOFTAP_TEST_DATA) + "/applyall/" + name + ".txt", applyAllCalls());
  }

  static std::vector<wavorel::sim::DriverCall> applySets(uint32_t code) {
    std::vector<wavorel::sim::DriverCall> out;
    for (const auto& c : applyAllCalls())
      if (c.set && c.code == code) out.push_back(c);
    return out;
  }
  static std::vector<uint8_t> bytes(const std::vector<uint8_t>& data, size_t from, size_t count) {
    return data.size() < from + count ? std::vector<uint8_t>()
                                      : std::vector<uint8_t>(data.begin() + static_cast<std::ptrdiff_t>(from),
                                                             data.begin() + static_cast<std::ptrdiff_t>(from + count));
  }
  static std::vector<uint8_t> hashOf(const char* passphrase, const std::string& ssid) {
    std::vector<uint8_t> key(32);
    EXPECT_TRUE(PasswordHash(passphrase, reinterpret_cast<const BYTE*>(ssid.data()), static_cast<int>(ssid.size()),
                             key.data()));
    return key;
  }
};

TEST_F(ApApplyAllTest, OpenAndNoEncryption) {
  startWith({});
  expectGolden("open");
  ASSERT_EQ(applySets(0xFF8C0035).size(), 1u);
  EXPECT_EQ(u32(applySets(0xFF8C0035)[0].data, 0), 1u);
  EXPECT_EQ(u32(applySets(0xFF8C0036)[0].data, 0), 0u);
  EXPECT_TRUE(applySets(0xFF8C0038).empty());
  EXPECT_TRUE(applySets(0xFF8C003A).empty());
  EXPECT_EQ(worker()->GetSsid(), "Quendal-SoftAP");
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "Quendal-SoftAP");
  // The configuration block carries channel 6 and the beacon period.
  ASSERT_EQ(applySets(0xFF8C003B).size(), 1u);
  EXPECT_EQ(u32(applySets(0xFF8C003B)[0].data, 12), 2437000u);
  EXPECT_EQ(u32(applySets(0xFF8C003B)[0].data, 4), 100u);
}

TEST_F(ApApplyAllTest, SharedWepSendsTheDefaultKeyAsTransmitKeyAndRemovesEmptyOnes) {
  startWith({{"AuthMode", "2"}, {"CipherMode", "257"}, {"WEPKeyUse", "2"}, {"WEPKey1", "0102030405"},
             {"WEPKey2", "0102030405060708090a0b0c0d"}});
  expectGolden("shared-wep");
  EXPECT_EQ(worker()->GetAuthIndex(), 1);
  EXPECT_EQ(worker()->GetCipherIndex(), 0);
  const auto keys = applySets(0xFF8C0038);
  ASSERT_EQ(keys.size(), 4u) << "keys 1 and 2, then once more after the reconnect";
  EXPECT_EQ(keys[0].data.size(), 44u);
  EXPECT_EQ(u32(keys[0].data, 4), 0u);
  EXPECT_EQ(keys[1].data.size(), 52u);
  EXPECT_EQ(u32(keys[1].data, 4), 0x80000001u);
  EXPECT_EQ(bytes(keys[1].data, 32, 13),
            (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  const auto removed = applySets(0xFF8C0039);
  ASSERT_EQ(removed.size(), 4u);
  EXPECT_EQ(u32(removed[0].data, 4), 2u);
  EXPECT_EQ(u32(removed[1].data, 4), 3u);
  EXPECT_EQ(removed[0].data.size(), 16u);
}

TEST_F(ApApplyAllTest, WpaPskPassPhraseIsHashedWithTheSsid) {
  startWith({{"AuthMode", "4"}, {"CipherMode", "2"}, {"WPAPSK", "correct horse battery staple"}});
  expectGolden("wpa-psk");
  const auto keys = applySets(0xFF8C0038);
  ASSERT_EQ(keys.size(), 2u) << "at apply-all and again when the BSS is up";
  EXPECT_EQ(keys[0].data.size(), 71u);
  EXPECT_EQ(u32(keys[0].data, 4), 0x80000000u);
  EXPECT_EQ(u32(keys[0].data, 8), 32u);
  EXPECT_EQ(bytes(keys[0].data, 12, 6), std::vector<uint8_t>(6, 0));
  EXPECT_EQ(bytes(keys[0].data, 32, 32), hashOf("correct horse battery staple", "Quendal-SoftAP"));
  EXPECT_EQ(keys[1].data, keys[0].data);
  EXPECT_EQ(applySets(0xFF8C0041).size(), 1u) << "the rekey block";
  EXPECT_EQ(g_strApWpaPsk, "correct horse battery staple");
  // A connected report without a reconnect before it sends no key.
  wavorel::sim::clearDriverCalls();
  worker()->SendMessage(WM_USER + 1, 0, 0);
  EXPECT_TRUE(setsOf(0xFF8C0038).empty());
}

TEST_F(ApApplyAllTest, Wpa2PskOf64HexDigitsIsTheKeyItself) {
  startWith({{"AuthMode", "7"}, {"CipherMode", "4"}, {"WPAPSK", kHexKey}});
  expectGolden("wpa2-psk-hex");
  const auto keys = applySets(0xFF8C0038);
  ASSERT_FALSE(keys.empty());
  std::vector<uint8_t> expected;
  for (int i = 0; i < 32; ++i) expected.push_back(static_cast<uint8_t>((i % 16) * 0x11));
  EXPECT_EQ(bytes(keys[0].data, 32, 32), expected);
  EXPECT_EQ(worker()->GetCipherIndex(), 6);
}

TEST_F(ApApplyAllTest, KeyMaterialOf63CharactersIsHashed) {
  const std::string phrase(63, 'k');
  startWith({{"AuthMode", "7"}, {"CipherMode", "4"}, {"WPAPSK", phrase}});
  const auto keys = applySets(0xFF8C0038);
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(bytes(keys[0].data, 32, 32), hashOf(phrase.c_str(), "Quendal-SoftAP"));
}

TEST_F(ApApplyAllTest, WpaWithRadiusSendsTheServerAddressUnsigned) {
  startWith({{"AuthMode", "3"}, {"CipherMode", "2"}, {"RadiusIP", "3232235777"}, {"RadiusPort", "1812"},
             {"RadiusKey", "radius-secret"}});
  expectGolden("wpa-radius");
  const auto radius = applySets(0xFF8C003A);
  ASSERT_EQ(radius.size(), 1u);
  ASSERT_EQ(radius[0].data.size(), 72u);
  EXPECT_EQ(u32(radius[0].data, 0), 0xC0A80101u) << "192.168.1.1 survives";
  EXPECT_EQ(u32(radius[0].data, 4), 1812u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(radius[0].data.data() + 8)), "radius-secret");
  EXPECT_EQ(worker()->GetCipherIndex(), 4);
}

TEST_F(ApApplyAllTest, WpaWpa2SendsNoRadiusBlock) {
  startWith({{"AuthMode", "2147483648"}, {"CipherMode", "2147483648"}, {"RadiusIP", "167772161"}});
  expectGolden("wpa-wpa2");
  EXPECT_EQ(worker()->GetAuthIndex(), 8);
  EXPECT_EQ(worker()->GetCipherIndex(), 8);
  EXPECT_TRUE(applySets(0xFF8C003A).empty());
  EXPECT_EQ(u32(applySets(0xFF8C0035)[0].data, 0), 0x80000000u);
}

TEST_F(ApApplyAllTest, WdsOffSendsAnEmptyRecordAndOnSendsItsPeers) {
  startWith({{"WdsEnable", "1"}});
  expectGolden("wds-off");
  ASSERT_EQ(applySets(0xFF8C0048).size(), 1u);
  EXPECT_EQ(applySets(0xFF8C0048)[0].data, std::vector<uint8_t>(60, 0));
}

TEST_F(ApApplyAllTest, WdsPeersAreSentWhileWepOrNone) {
  writeList(driverKeyOf() + "\\ApDefault", "WdsList", {"00112233445F", "not-a-mac", "66778899aabb", "0011223344"});
  startWith({{"WdsEnable", "0"}});
  const auto wds = applySets(0xFF8C0048);
  ASSERT_EQ(wds.size(), 1u);
  EXPECT_EQ(u32(wds[0].data, 0), 2u) << "entries that are not 12 hexadecimal digits are passed over";
  EXPECT_EQ(bytes(wds[0].data, 4, 12),
            (std::vector<uint8_t>{0x00, 0x11, 0x22, 0x33, 0x44, 0x5F, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB}));
}

TEST_F(ApApplyAllTest, AccessPolicyWithoutEntriesSendsPolicyZero) {
  writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", {"xyz", "1234"});
  startWith({{"AccessControlPolicy", "1"}});
  expectGolden("acl-empty");
  const auto acl = applySets(0xFF8C0046);
  ASSERT_EQ(acl.size(), 1u);
  EXPECT_EQ(acl[0].data, std::vector<uint8_t>(264, 0));
}

TEST_F(ApApplyAllTest, EmptySsidBeaconsTheAdaptersNameAndKeysFollowIt) {
  // A station with the right pass phrase joins the AP that beacons
  // "SoftAP-01" (the adapter's MAC ends in 01).
  useDefaultWorld("", "[Client Laptop]\nAdapter = Adapter1\nMac = 00-24-D7-00-00-01\nPassphrase = letmein123\n"
                      "Arrives = 1\nSignal = -50\n");
  startWith({{"SSID", ""}, {"AuthMode", "7"}, {"CipherMode", "4"}, {"WPAPSK", "letmein123"}});
  EXPECT_EQ(worker()->GetSsid(), "") << "the worker's SSID stays empty";
  EXPECT_EQ(worker()->GetBeaconSsid(), "SoftAP-01");
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "SoftAP-01");
  const auto keys = applySets(0xFF8C0038);
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(bytes(keys[0].data, 32, 32), hashOf("letmein123", "SoftAP-01"));
  tick(1000);
  tick(CHideDlg_AP::kPollMs);
  bool joined = false;
  for (INT_PTR i = 0; i < g_apEventLog.GetSize(); ++i) joined |= g_apEventLog[i].EventCode == 1;
  EXPECT_TRUE(joined) << "the station associated";
  // A radio-on report restarts nothing: the worker's SSID is empty.
  wavorel::sim::clearDriverCalls();
  worker()->SendMessage(WM_USER + 8, 0, 0);
  EXPECT_FALSE(worker()->IsKeyPending());
}

TEST_F(ApApplyAllTest, TextsThatGiveNoKeySendNoKeyRecord) {
  for (const std::string& text : {std::string(64, 'g'), std::string(65, 'a'), std::string(100, 'p')}) {
    SCOPED_TRACE(text.size());
    writeApDefault(kBase);
    writeApDefault({{"AuthMode", "7"}, {"CipherMode", "4"}, {"WPAPSK", text}});
    ASSERT_TRUE(start());
    EXPECT_TRUE(applySets(0xFF8C0038).empty());
    EXPECT_EQ(u32(applySets(0xFF8C0048)[0].data, 24), 0u) << "no WDS link key either";
    DestroyHideDlgAP();
    wavorel::sim::clearDriverCalls();
  }
}

TEST_F(ApApplyAllTest, BadValuesReadAsZeroAndBadWepKeysAreRemoved) {
  startWith({{"AuthMode", "open"}, {"CipherMode", "257"}, {"TXPower", "high"}, {"WEPKeyUse", "x"},
             {"WEPKey1", "zzzzzzzzzz"}, {"WEPKey2", "01020304050607080910111213"}, {"Channel", "250"}});
  // "open" reads as 0, which is no authentication value: open system.
  EXPECT_EQ(worker()->GetAuthIndex(), 0);
  EXPECT_EQ(worker()->GetCipherIndex(), 0) << "open with WEP";
  EXPECT_EQ(u32(applySets(0xFF8C0007)[0].data, 0), 100u) << "level 0";
  const auto keys = applySets(0xFF8C0038);
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys[0].data.size(), 52u) << "only key 2";
  EXPECT_EQ(u32(keys[0].data, 4), 1u) << "the default key number read 0: no transmit key";
  const auto removed = applySets(0xFF8C0039);
  ASSERT_GE(removed.size(), 3u);
  EXPECT_EQ(u32(removed[0].data, 4), 0u) << "ten characters that are no hexadecimal digits";
  // A channel the table does not hold leaves the driver's frequency.
  ASSERT_EQ(applySets(0xFF8C003B).size(), 1u);
  EXPECT_EQ(u32(applySets(0xFF8C003B)[0].data, 12), 0u);
}

TEST_F(ApApplyAllTest, TextWithoutTerminatorIsCutToItsSize) {
  writeApDefault(kBase);
  writeValue(driverKeyOf() + "\\ApDefault", "SSID", REG_SZ, "NoEnd");
  ASSERT_TRUE(start());
  EXPECT_EQ(worker()->GetSsid(), "NoEnd");
  std::string longSsid(40, 's');
  DestroyHideDlgAP();
  writeText(driverKeyOf() + "\\ApDefault", "SSID", longSsid);
  ASSERT_TRUE(start());
  EXPECT_EQ(worker()->GetSsid(), CString(std::string(32, 's').c_str())) << "at most 32 bytes are used";
}

TEST_F(ApApplyAllTest, RegionFlagsChooseRegistryOrDriverPerBand) {
  // The driver fixes its 2.4 GHz region (bit 7): that band comes from the
  // driver, the 5 GHz band from the registry.
  std::string world(wavorel::sim::defaultWorldText());
  world.replace(world.find("CountryRegion = 0x0701"), 22, "CountryRegion = 0x0385");
  useWorld(world);
  startWith({{"CountryRegion", "2"}, {"CountryRegionABand", "4"}});
  expectGolden("region-bit7");
  ASSERT_EQ(applySets(0xFF8C0003).size(), 1u);
  EXPECT_EQ(u32(applySets(0xFF8C0003)[0].data, 0), 0x0405u);
  EXPECT_EQ(g_bApRegionBandG, 0);
  EXPECT_EQ(g_bApRegionBandA, 1);

  // Both fixed: no region is sent.
  DestroyHideDlgAP();
  world.replace(world.find("CountryRegion = 0x0385"), 22, "CountryRegion = 0x8585");
  useWorld(world);
  startWith({});
  expectGolden("region-bit7-bit15");
  EXPECT_TRUE(applySets(0xFF8C0003).empty());
}

TEST_F(ApApplyAllTest, Vx52ChannelInsideTheRegionsListIsKept) {
  useWorld(kVx52World);
  startWith({{"Channel", "13"}});
  expectGolden("vx52-channel-kept");
  EXPECT_EQ(g_nApFamilyIndex, 0);
  EXPECT_EQ(g_nApWirelessMode, 0) << "mode 9 is no mode of this adapter";
  EXPECT_EQ(readValue(driverKeyOf(), "Channel"), "13");
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "Channel"), "13");
  EXPECT_EQ(readValue(driverKeyOf(), "CountryRegion"), "1") << "the driver's region, its flag clear";
  const auto config = setsOf(0xFF8C003B);
  ASSERT_EQ(config.size(), 1u);
  EXPECT_EQ(u32(config[0].data, 12), 2472000u);
}

TEST_F(ApApplyAllTest, Vx52ChannelOutsideTheRegionsListBecomesItsFirst) {
  useWorld(kVx52World);
  startWith({{"Channel", "14"}});
  expectGolden("vx52-channel-replaced");
  EXPECT_EQ(readValue(driverKeyOf(), "Channel"), "1");
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "Channel"), "1");
  const auto config = setsOf(0xFF8C003B);
  ASSERT_EQ(config.size(), 1u);
  EXPECT_EQ(u32(config[0].data, 12), 2412000u);
}

}  // namespace
}  // namespace softap::testing
