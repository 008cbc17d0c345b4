#include <map>
#include <vector>

#include "tests/worker/vista/WlanClientTest.h"
#include "worker/BssInfoElements.h"

namespace worker::testing {
namespace {

DWORD u32At(const BYTE* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<DWORD>(p[3]) << 24; }

std::string macText(const BYTE* mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

// One record of the worker's list, read field by field.
struct Record {
  DWORD length, ssidLength, privacy, networkType, beaconPeriod, dsConfig, infrastructure, ieLength;
  LONG rssi;
  std::string ssid;
  std::vector<BYTE> rates, fixed, ies;
  const BYTE* at;  // the record in the list
};

std::map<std::string, Record> readList(const BYTE* list) {
  std::map<std::string, Record> records;
  const DWORD count = u32At(list);
  DWORD at = 4;
  for (DWORD i = 0; i < count; ++i) {
    const BYTE* r = list + at;
    Record rec;
    rec.length = u32At(r);
    rec.ssidLength = u32At(r + 12);
    rec.ssid.assign(reinterpret_cast<const char*>(r + 16), rec.ssidLength);
    rec.privacy = u32At(r + 48);
    rec.rssi = static_cast<LONG>(u32At(r + 52));
    rec.networkType = u32At(r + 56);
    rec.beaconPeriod = u32At(r + 64);
    rec.dsConfig = u32At(r + 72);
    rec.infrastructure = u32At(r + 92);
    for (int k = 0; k < 16 && r[96 + k]; ++k) rec.rates.push_back(r[96 + k]);
    rec.ieLength = u32At(r + 112);
    rec.fixed.assign(r + 116, r + 116 + 12);
    rec.ies.assign(r + 116 + 12, r + 116 + rec.ieLength);
    rec.at = r;
    records[macText(r + 4)] = rec;
    at += rec.length;
  }
  return records;
}

class NativeWiFiScanListTest : public WlanClientTest {
 protected:
  // The service's own BSS lists, keyed by BSSID: the elements as it hands them out.
  std::map<std::string, std::vector<BYTE>> serviceElements() {
    HANDLE handle = nullptr;
    DWORD version = 0;
    EXPECT_EQ(WlanOpenHandle(2, nullptr, &version, &handle), static_cast<DWORD>(ERROR_SUCCESS));
    std::map<std::string, std::vector<BYTE>> elements;
    PWLAN_AVAILABLE_NETWORK_LIST networks = nullptr;
    EXPECT_EQ(WlanGetAvailableNetworkList(handle, &client_.InterfaceGuid(), 0, nullptr, &networks),
              static_cast<DWORD>(ERROR_SUCCESS));
    for (DWORD n = 0; networks && n < networks->dwNumberOfItems; ++n) {
      const WLAN_AVAILABLE_NETWORK& net = networks->Network[n];
      PWLAN_BSS_LIST bss = nullptr;
      if (WlanGetNetworkBssList(handle, &client_.InterfaceGuid(), &net.dot11Ssid, net.dot11BssType,
                                net.bSecurityEnabled, nullptr, &bss) == ERROR_SUCCESS) {
        for (DWORD b = 0; b < bss->dwNumberOfItems; ++b) {
          const WLAN_BSS_ENTRY& e = bss->wlanBssEntries[b];
          const BYTE* ies = reinterpret_cast<const BYTE*>(&e) + e.ulIeOffset;
          elements[macText(e.dot11Bssid)] = std::vector<BYTE>(ies, ies + e.ulIeSize);
        }
      }
      if (bss) WlanFreeMemory(bss);
    }
    if (networks) WlanFreeMemory(networks);
    WlanCloseHandle(handle, nullptr);
    return elements;
  }
};

TEST_F(NativeWiFiScanListTest, TheWorldsNetworksBecomeRecordsWithTheirElementsIntact) {
  scan();
  ASSERT_EQ(client_.FillScanList(), static_cast<DWORD>(ERROR_SUCCESS));
  const auto records = readList(client_.BssidScanList());
  const auto elements = serviceElements();
  ASSERT_FALSE(elements.empty());
  EXPECT_EQ(records.size(), elements.size());
  for (const auto& [mac, ies] : elements) {
    ASSERT_TRUE(records.count(mac)) << mac;
    const Record& r = records.at(mac);
    EXPECT_EQ(r.ies, ies) << mac;
    EXPECT_EQ(r.length, 116 + 12 + ies.size()) << mac;
    EXPECT_EQ(r.ieLength, 12 + ies.size()) << mac;
    EXPECT_EQ(r.fixed[8] | r.fixed[9] << 8, static_cast<int>(r.beaconPeriod)) << "the beacon interval at 8-9";
  }

  const Record& home = records.at("00-1D-7E-11-22-01");
  EXPECT_EQ(home.ssid, "HomeNet");
  EXPECT_EQ(home.privacy, 1u);
  EXPECT_EQ(home.infrastructure, 1u);
  EXPECT_EQ(home.dsConfig, 2437000u) << "channel 6 in kHz";
  EXPECT_GT(home.beaconPeriod, 0u);
  EXPECT_LT(home.rssi, -30);
  EXPECT_GT(home.rssi, -60);
  ASSERT_FALSE(home.rates.empty());
  for (BYTE rate : home.rates) EXPECT_EQ(rate & 0x80, 0) << "the basic-rate bit is cleared";
  ASSERT_GE(home.ies.size(), 9u);
  EXPECT_EQ(home.ies[0], 0) << "the SSID element first";
  EXPECT_EQ(home.ies[1], 7);

  EXPECT_EQ(home.fixed[10] & 0x11, 0x11) << "capability: ESS and privacy";
  // The texts of the pages read these records.
  const DWORD rest = kBssidScanListSize - static_cast<DWORD>(home.at - client_.BssidScanList());
  EXPECT_EQ(std::string(ParseBssInfoElements(home.at, rest, kBssTextSecurity)), "WPA2-PSK;AES");
  EXPECT_EQ(std::string(ParseBssInfoElements(home.at, rest, kBssTextBeaconInterval)),
            std::to_string(home.beaconPeriod));
  EXPECT_EQ(std::string(ParseBssInfoElements(home.at, rest, kBssTextWps)).substr(0, 6), "0x000C");
  EXPECT_EQ(std::string(ParseBssInfoElements(home.at, rest, kBssTextHt)).substr(0, 2), "0;");

  const Record& cafe = records.at("00-1D-7E-11-22-02");
  EXPECT_EQ(cafe.privacy, 0u);
  EXPECT_EQ(cafe.dsConfig, 2412000u);
  const Record& fast = records.at("00-1D-7E-11-22-08");
  EXPECT_EQ(fast.networkType, 2u) << "OFDM in the 5 GHz band";
}

TEST_F(NativeWiFiScanListTest, ABssidListedUnderTwoNetworksIsAddedOnce) {
  reopenIn(std::string(wavorel::sim::defaultWorldText()) +
           "\n[Network Twin]\nSsid = HomeNet-Guest\nBssid = 00-1D-7E-11-22-01\nChannel = 6\nSignal = -45\n"
           "Security = Open\n");
  scan();
  ASSERT_EQ(client_.FillScanList(), static_cast<DWORD>(ERROR_SUCCESS));
  const BYTE* list = client_.BssidScanList();
  int homes = 0;
  DWORD at = 4;
  for (DWORD i = 0; i < u32At(list); ++i) {
    homes += macText(list + at + 4) == "00-1D-7E-11-22-01";
    at += u32At(list + at);
  }
  EXPECT_EQ(homes, 1);
}

TEST_F(NativeWiFiScanListTest, EntriesAreCutToTheRecordAndTheBuffer) {
  WLAN_BSS_ENTRY entry{};
  entry.dot11Ssid.uSSIDLength = 200;  // longer than an SSID can be
  std::memset(entry.dot11Ssid.ucSSID, 'S', sizeof entry.dot11Ssid.ucSSID);
  entry.dot11BssType = dot11_BSS_type_any;
  entry.dot11BssPhyType = dot11_phy_type_ht;
  entry.usCapabilityInformation = 0x0011;
  entry.usBeaconPeriod = 0x0164;
  entry.ullTimestamp = 0x1122334455667788ull;
  entry.wlanRateSet.uRateSetLength = 20 * sizeof(USHORT) + 1;  // odd: the last byte is no rate
  for (USHORT i = 0; i < 20; ++i) entry.wlanRateSet.usRateSet[i] = static_cast<USHORT>(0x8000 | (i + 2));
  entry.wlanRateSet.usRateSet[3] = 0;  // an empty slot is skipped
  const std::vector<BYTE> ies(990, 0xDD);

  client_.AppendBssEntry(entry, ies.data(), static_cast<DWORD>(ies.size()));
  const auto records = readList(client_.BssidScanList());
  ASSERT_EQ(records.size(), 1u);
  const Record& r = records.begin()->second;
  EXPECT_EQ(r.ssidLength, 32u);
  EXPECT_EQ(r.ssid, std::string(32, 'S'));
  EXPECT_EQ(r.privacy, 1u);
  EXPECT_EQ(r.networkType, 5u);
  EXPECT_EQ(r.infrastructure, 2u);
  const std::vector<BYTE> rates = {2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  EXPECT_EQ(r.rates, rates) << "the first 16 non-zero rates";
  const std::vector<BYTE> fixed = {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0x64, 0x01, 0x11, 0x00};
  EXPECT_EQ(r.fixed, fixed) << "timestamp, beacon period and capability lead the element area";
  EXPECT_EQ(r.ies, ies);

  // Records go in until the next would pass the end of the 64 KB buffer.
  for (int i = 0; i < 100; ++i) client_.AppendBssEntry(entry, ies.data(), static_cast<DWORD>(ies.size()));
  const DWORD count = u32At(client_.BssidScanList());
  EXPECT_EQ(count, (kBssidScanListSize - 4) / (116 + 12 + 990));
  client_.AppendBssEntry(entry, ies.data(), 0);
  EXPECT_EQ(u32At(client_.BssidScanList()), count + 1) << "a smaller record still fits";
}

}  // namespace
}  // namespace worker::testing
