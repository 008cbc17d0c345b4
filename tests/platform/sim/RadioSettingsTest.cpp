// Settings the program writes to the driver take effect: what scans find,
// which channels are used, the rate and signal reported and the traffic; a
// value the hardware cannot take is refused. They outlive the machine.
#include "SimTest.h"

#include <set>

#include "platform/sim/radio/RadioSettings.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/VendorRecords.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_802_11_SSID_SET = 0x0D810102;
constexpr DWORD OID_802_11_BSSID_LIST_SCAN_SET = 0x0D81011A;
constexpr DWORD OID_802_11_BSSID_LIST = 0x0D010217;
constexpr DWORD OID_802_11_POWER_MODE_SET = 0x0D810216;
constexpr DWORD OID_802_11_STATISTICS = 0x0D020212;
constexpr DWORD OID_DOT11_POWER_MGMT_REQUEST_SET = 0x0E81017B;
constexpr DWORD OID_GEN_MEDIA_CONNECT_STATUS = 0x00010114;
constexpr DWORD OID_VX_COUNTRY_REGION = 0xFF0C0003;
constexpr DWORD OID_VX_COUNTRY_REGION_SET = 0xFF8C0003;
constexpr DWORD OID_VX_WIRELESS_MODE = 0x0D71010C;
constexpr DWORD OID_VX_WIRELESS_MODE_SET = 0xFF8C0002;
constexpr DWORD OID_VX_HT_TRANSMIT = 0xFF0C0028;
constexpr DWORD OID_VX_HT_TRANSMIT_SET = 0xFF8C0028;
constexpr DWORD OID_VX_TX_POWER = 0xFF0C0007;
constexpr DWORD OID_VX_TX_POWER_SET = 0xFF8C0007;
constexpr DWORD OID_VX_HT_PHY_WORD = 0xFF0C0021;
constexpr DWORD OID_VX_LINK_STATUS = 0xFF0C0009;
constexpr DWORD OID_VX_SNR0 = 0xFF0C0023;

// An adapter of both bands with 802.11n and two chains; an open 802.11n
// network on 5 GHz channel 36 at a steady -60 dBm and one on channel 13.
const char* kWorld =
    "[Adapter1]\nHardwareId = USB\\VID_F0A5&PID_0101\nFamily = 8\nGuid = {6B29FC40-CA47-1067-B31D-00DD010662DA}\n"
    "Description = Test card\nMac = 00-0E-2E-5A-10-01\nChains = 2\nBands = 2.4+5\nHT = yes\n"
    "CountryRegion = 0x0701\n\n"
    "[Network Wide]\nSsid = Wide\nBssid = 00-1D-7E-00-00-01\nChannel = 36\nSignal = -60\nHT = yes\n\n"
    "[Network Thirteen]\nSsid = Thirteen\nBssid = 00-1D-7E-00-00-02\nChannel = 13\nSignal = -55\n\n"
    "[Network Six]\nSsid = Six\nBssid = 00-1D-7E-00-00-03\nChannel = 6\nSignal = -55\nHT = yes\n";

class RadioSettingsTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    useWorld(kWorld);
  }
  std::set<std::string> scan() {
    set(OID_802_11_BSSID_LIST_SCAN_SET, {});
    clock().advance(kScanDurationMs);
    std::vector<uint8_t> list = query(OID_802_11_BSSID_LIST, 65536);
    std::set<std::string> ssids;
    size_t at = wire::ndis::kListHeadSize;
    for (uint32_t i = 0; i < u32At(list, 0); ++i) {
      ssids.insert(std::string(reinterpret_cast<const char*>(&list[at + wire::ndis::bssid::kSsid]),
                               u32At(list, at + wire::ndis::bssid::kSsidLength)));
      at += u32At(list, at);
    }
    return ssids;
  }
  void join(const std::string& ssid) {
    std::vector<uint8_t> s(36, 0);
    s[0] = static_cast<uint8_t>(ssid.size());
    std::copy(ssid.begin(), ssid.end(), s.begin() + 4);
    set(OID_802_11_SSID_SET, s);
    clock().advance(associationMs());
  }
  bool connected() { return queryU32(OID_GEN_MEDIA_CONNECT_STATUS) == 0; }
  DWORD trySet(DWORD oid, std::vector<uint8_t> data) {
    DWORD returned = 0, error = 0;
    request(oid, data, returned, error);
    return error;
  }
  // The HT transmit record with one byte changed.
  std::vector<uint8_t> htTransmitWith(size_t offset, uint8_t value) {
    std::vector<uint8_t> r = query(OID_VX_HT_TRANSMIT, 12);
    r.at(offset) = value;
    return r;
  }
  uint32_t rateUnits() { return u32At(query(OID_VX_LINK_STATUS, 20), 0); }
};

TEST_F(RadioSettingsTest, ACountryRegionWithoutChannel13HidesItsNetworkAndEndsItsLink) {
  EXPECT_EQ(scan(), (std::set<std::string>{"Wide", "Thirteen", "Six"})) << "region 1: channels 1-13";
  join("Thirteen");
  ASSERT_TRUE(connected());

  setU32(OID_VX_COUNTRY_REGION_SET, 0x0700);  // 2.4 GHz region 0: channels 1-11
  EXPECT_EQ(queryU32(OID_VX_COUNTRY_REGION), 0x0700u);
  EXPECT_FALSE(connected()) << "the link's channel is not allowed any more";
  EXPECT_EQ(scan(), (std::set<std::string>{"Wide", "Six"}));
  join("Thirteen");
  EXPECT_FALSE(connected()) << "nor can it be joined";

  setU32(OID_VX_COUNTRY_REGION_SET, 0x0601);  // 5 GHz region 6: channels 36-48
  EXPECT_EQ(scan(), (std::set<std::string>{"Wide", "Thirteen", "Six"}));
  setU32(OID_VX_COUNTRY_REGION_SET, 0x0401);  // 5 GHz region 4: channels 149-165
  EXPECT_EQ(scan(), (std::set<std::string>{"Thirteen", "Six"}));
}

TEST_F(RadioSettingsTest, ARegionTheDriverDoesNotKnowOrOneTheEepromLocksIsRefused) {
  struct Case {
    uint32_t eeprom;
    uint32_t word;
    bool accepted;
    uint32_t stored;  // what the driver reports afterwards
  };
  const Case cases[] = {
      {0x0701, 0x0005, true, 0x0005},
      {0x0701, 0x0008, false, 0x0701},   // no 2.4 GHz region 8 on this family
      {0x0701, 0x0B01, false, 0x0701},   // no 5 GHz region 11
      {0x0701, 0x10001, false, 0x0701},  // bits above the word
      {0x0781, 0x0702, false, 0x0781},   // the 2.4 GHz region is locked
      {0x0781, 0x0101, true, 0x0181},    // its 5 GHz region is not; the lock stays
      {0x8701, 0x0301, false, 0x8701},   // the 5 GHz region is locked
      {0x0701, 0x8782, true, 0x0702},    // lock bits in a set are the EEPROM's, not the caller's
  };
  unsigned classIndex = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    // Each case is an adapter of its own (its own driver key, nothing stored yet).
    char adapter[64];
    std::snprintf(adapter, sizeof adapter, "CountryRegion = 0x%04X\nClassIndex = %u", c.eeprom, ++classIndex);
    std::string world = kWorld;
    world.replace(world.find("CountryRegion = 0x0701"), 22, adapter);
    useWorld(world);
    EXPECT_EQ(trySet(OID_VX_COUNTRY_REGION_SET, u32(c.word)), c.accepted ? 0u : static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(queryU32(OID_VX_COUNTRY_REGION), c.stored);
  }
}

TEST_F(RadioSettingsTest, TheWirelessModeChoosesBandsAndPhysAndOnlyOnesTheAdapterHas) {
  EXPECT_EQ(queryU32(OID_VX_WIRELESS_MODE), 5u) << "the widest mode of the adapter";
  struct Case {
    uint32_t mode;
    std::set<std::string> found;
  };
  const Case cases[] = {
      {9, {"Thirteen", "Six"}},  // b/g/n
      {2, {"Wide"}},             // a
      {6, {"Six"}},              // n only, 2.4 GHz
      {8, {"Wide"}},             // a/n
      {5, {"Wide", "Thirteen", "Six"}},
  };
  for (const Case& c : cases) {
    setU32(OID_VX_WIRELESS_MODE_SET, c.mode);
    EXPECT_EQ(scan(), c.found) << "mode " << c.mode;
  }
  EXPECT_EQ(trySet(OID_VX_WIRELESS_MODE_SET, u32(11)), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  struct Refusal {
    const char* adapter;  // replaces the adapter's abilities
    uint32_t mode;
  };
  const Refusal refusals[] = {
      {"Bands = 2.4\nHT = yes\n", 2}, {"Bands = 2.4\nHT = yes\n", 10}, {"Bands = 2.4+5\nHT = no\n", 9},
      {"Bands = 2.4+5\nHT = no\n", 8},
  };
  for (const Refusal& r : refusals) {
    std::string world = kWorld;
    world.replace(world.find("Bands = 2.4+5\nHT = yes\n"), 23, r.adapter);
    useWorld(world);
    EXPECT_EQ(trySet(OID_VX_WIRELESS_MODE_SET, u32(r.mode)), static_cast<DWORD>(ERROR_INVALID_PARAMETER))
        << r.adapter << "mode " << r.mode;
  }
}

TEST_F(RadioSettingsTest, TheHtSettingAndTheTransmitPowerChooseTheRateAndTheSignalReported) {
  namespace ht = wire::vendor::httransmit;
  join("Wide");
  ASSERT_TRUE(connected());
  auto expect = [&](const char* what, uint32_t phyWord, uint32_t units, uint32_t centralChannel) {
    SCOPED_TRACE(what);
    EXPECT_EQ(queryU32(OID_VX_HT_PHY_WORD), phyWord);
    EXPECT_EQ(rateUnits(), units);  // 500 kb/s
    EXPECT_EQ(u32At(query(OID_VX_LINK_STATUS, 20), 16), centralChannel);
  };
  expect("two streams, 40 MHz, short guard interval: 300 Mb/s", 0x818F, 600, 38);
  set(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kBandwidth40, 0));
  expect("20 MHz: 144.4 Mb/s", 0x810F, 289, 36);
  set(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kShortGi, 0));
  expect("and the long guard interval: 130 Mb/s", 0x800F, 260, 36);
  setU32(OID_VX_TX_POWER_SET, 25);
  expect("a quarter of the power: the access point hears -66 dBm, one stream", 0x8006, 117, 36);
  setU32(OID_VX_TX_POWER_SET, 6);
  expect("6 %: -72 dBm", 0x8004, 78, 36);
  setU32(OID_VX_TX_POWER_SET, 0xFFFFFFFFu);
  expect("full power", 0x800F, 260, 36);
  set(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kMcs, 3));
  EXPECT_EQ(queryU32(OID_VX_HT_PHY_WORD), 0x8003u);
  EXPECT_EQ(rateUnits(), 52u) << "26 Mb/s";

  // A 40 MHz channel hears twice the noise: 3 dB less signal over noise.
  uint32_t snr20 = queryU32(OID_VX_SNR0);
  set(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kBandwidth40, 1));
  EXPECT_EQ(queryU32(OID_VX_SNR0), snr20 - 3);

  // What the hardware cannot take.
  EXPECT_EQ(trySet(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kMcs, 16)), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(trySet(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kBandwidth40, 2)),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(trySet(OID_VX_TX_POWER_SET, u32(0)), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(trySet(OID_VX_TX_POWER_SET, u32(101)), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(queryU32(OID_VX_TX_POWER), 0xFFFFFFFFu) << "a refused value changes nothing";
  std::string oneChain = kWorld;
  oneChain.replace(oneChain.find("Chains = 2"), 10, "Chains = 1");
  useWorld(oneChain);
  EXPECT_EQ(trySet(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kMcs, 8)), static_cast<DWORD>(ERROR_INVALID_PARAMETER))
      << "two streams need two chains";
  EXPECT_EQ(trySet(OID_VX_HT_TRANSMIT_SET, htTransmitWith(ht::kMcs, 7)), 0u);
}

TEST_F(RadioSettingsTest, PowerSaveCarriesLessTraffic) {
  join("Six");
  ASSERT_TRUE(connected());
  auto sentOver10s = [&] {
    uint64_t before = u64At(query(OID_802_11_STATISTICS, 200), 8);
    clock().advance(10000);
    return u64At(query(OID_802_11_STATISTICS, 200), 8) - before;
  };
  EXPECT_EQ(sentOver10s(), 200u) << "awake: 20 frames a second";
  setU32(OID_DOT11_POWER_MGMT_REQUEST_SET, 16);
  EXPECT_EQ(sentOver10s(), 50u) << "the most saving level";
  setU32(OID_DOT11_POWER_MGMT_REQUEST_SET, 0);
  setU32(OID_802_11_POWER_MODE_SET, 2);
  EXPECT_EQ(sentOver10s(), 100u) << "fast power save";
  EXPECT_EQ(trySet(OID_DOT11_POWER_MGMT_REQUEST_SET, u32(7)), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(trySet(OID_802_11_POWER_MODE_SET, u32(3)), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(RadioSettingsTest, SettingsLiveInTheDriverKeyAndSurviveANewMachine) {
  setU32(OID_VX_COUNTRY_REGION_SET, 0x0700);
  setU32(OID_VX_TX_POWER_SET, 50);
  setU32(OID_VX_WIRELESS_MODE_SET, 9);
  HKEY key = nullptr;
  std::string path = std::string(kClassRoot) + "\\" + machine().driverValue(machine().adapter(0));
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  DWORD type = 0, value = 0, size = sizeof value;
  EXPECT_EQ(RegQueryValueEx(key, "OID_VX_TX_POWER", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(value, 50u);
  RegCloseKey(key);

  wavorel::resetPlatformState();  // a new machine over the same root: the program's second start
  EXPECT_EQ(queryU32(OID_VX_COUNTRY_REGION), 0x0700u);
  EXPECT_EQ(queryU32(OID_VX_TX_POWER), 50u);
  EXPECT_EQ(queryU32(OID_VX_WIRELESS_MODE), 9u);
  EXPECT_EQ(scan(), (std::set<std::string>{"Six"})) << "2.4 GHz only, channels 1-11";
}

TEST_F(RadioSettingsTest, AValueWrittenStraightToTheDriverKeyIsSeenOnTheNextTick) {
  setU32(OID_VX_TX_POWER_SET, 50);
  Adapter& adapter = machine().adapter(0);
  ASSERT_EQ(adapter.radioSettings().txPowerPercent, 50u);
  clock().advance(1);  // the key's write time tells the store a new value came
  {
    RegistryServiceRights rights;
    HKEY key = nullptr;
    std::string path = std::string(kClassRoot) + "\\" + machine().driverValue(adapter);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    const DWORD value = 80;
    EXPECT_EQ(RegSetValueEx(key, "OID_VX_TX_POWER", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  clock().advance(1);
  EXPECT_EQ(adapter.radioSettings().txPowerPercent, 80u);
  EXPECT_EQ(queryU32(OID_VX_TX_POWER), 80u);
}

}  // namespace
}  // namespace wavorel::sim::testing
