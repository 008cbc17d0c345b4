// The site list kept across scans, the frequency of a listed BSSID and the
// channel lists of the country regions.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/worker/BssRecordBuilder.h"
#include "worker/BssLists.h"
#include "worker/ChannelList.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {
namespace {

constexpr ULONGLONG kSecond = 10000000;

FILETIME At(ULONGLONG value) { return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)}; }
ULONGLONG ValueOf(const FILETIME& t) { return static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

BssRecordFields Net(BYTE last, DWORD frequency = 2437000, size_t elements = 0) {
  BssRecordFields s;
  s.ssid = "Net" + std::to_string(last);
  s.mac[5] = last;
  s.frequency = frequency;
  s.elements.assign(elements, 0xDD);
  return s;
}

class BssListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
    ClearSiteStamps();
    g_nSiteAgeLimit = 15;
  }
  void TearDown() override {
    BssidSiteList.reset();
    ClearSiteStamps();
  }
  // One rebuild from a scan of `records` at `now` (in file-time units), all
  // 2.4 GHz channels 1-11 allowed.
  void Scan(const std::vector<Bytes>& records, ULONGLONG now) {
    const Bytes list = BssList(records, kBssListSize);
    const BYTE channels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    RebuildSiteList(list.data(), BssidSiteList.get(), channels, sizeof channels, At(now));
  }
  // The last MAC byte of each site-list entry, in order.
  static std::vector<int> Sites() {
    std::vector<int> out;
    WalkBssList(BssidSiteList.get(), kBssListSize,
                [&](const BYTE* r, DWORD) { out.push_back(r[wavorel::wire::ndis::bssid::kMacAddress + 5]); });
    return out;
  }
};

TEST_F(BssListsTest, MissedNetworkStaysForLessThanTheAgeLimit) {
  const ULONGLONG t0 = 1000 * kSecond;
  Scan({BssRecord(Net(1)), BssRecord(Net(2))}, t0);
  EXPECT_EQ(Sites(), (std::vector<int>{1, 2}));
  Scan({BssRecord(Net(1))}, t0 + 14 * kSecond);
  EXPECT_EQ(Sites(), (std::vector<int>{1, 2})) << "missed for 14 s: kept";
  EXPECT_EQ(ValueOf(g_siteStamps[0]), t0 + 14 * kSecond);
  EXPECT_EQ(ValueOf(g_siteStamps[1]), t0) << "a kept entry keeps its old stamp";
  Scan({BssRecord(Net(1))}, t0 + 15 * kSecond);
  EXPECT_EQ(Sites(), (std::vector<int>{1})) << "missed for 15 s: dropped";
}

TEST_F(BssListsTest, NetworkOfTheFreshScanIsNeverListedTwice) {
  Scan({BssRecord(Net(1)), BssRecord(Net(2))}, 100 * kSecond);
  Scan({BssRecord(Net(2)), BssRecord(Net(3))}, 101 * kSecond);
  EXPECT_EQ(Sites(), (std::vector<int>{2, 3, 1}));
  Scan({BssRecord(Net(1)), BssRecord(Net(2)), BssRecord(Net(3))}, 102 * kSecond);
  EXPECT_EQ(Sites(), (std::vector<int>{1, 2, 3}));
}

TEST_F(BssListsTest, KeptEntryNeedsAnAllowedChannel) {
  Scan({BssRecord(Net(1, 2437000)), BssRecord(Net(2, 2472000)), BssRecord(Net(3, 5180000)),
        BssRecord(Net(4, 2400000)), BssRecord(Net(5, 5040000))},
       100 * kSecond);
  Scan({}, 101 * kSecond);
  EXPECT_EQ(Sites(), (std::vector<int>{1})) << "channels 13, 36, none and J8 are not in the list";
}

TEST_F(BssListsTest, SiteListNeverPassesItsBufferNewestKeptFirst) {
  // Three old networks of 20000 bytes each, seen at different times, then a
  // fresh scan of 30000 bytes: room for one of them, the newest.
  Scan({BssRecord(Net(1, 2437000, 20000))}, 100 * kSecond);
  Scan({BssRecord(Net(2, 2437000, 20000)), BssRecord(Net(1, 2437000, 20000))}, 103 * kSecond);
  Scan({BssRecord(Net(3, 2437000, 20000)), BssRecord(Net(2, 2437000, 20000)), BssRecord(Net(1, 2437000, 20000))},
       104 * kSecond);
  Scan({BssRecord(Net(2, 2437000, 20000))}, 105 * kSecond);
  EXPECT_EQ(Sites(), (std::vector<int>{2, 3, 1}));
  Scan({BssRecord(Net(9, 2437000, 30000))}, 106 * kSecond);
  EXPECT_EQ(Sites(), (std::vector<int>{9, 2})) << "the newest kept entry that fits";
  EXPECT_EQ(ValueOf(g_siteStamps[1]), 105 * kSecond);
}

TEST_F(BssListsTest, RecordsWithABadLengthEndTheWalk) {
  Bytes list = BssList({BssRecord(Net(1)), BssRecord(Net(2)), BssRecord(Net(3))}, kBssListSize);
  const DWORD first = wavorel::wire::getU32(list.data() + 4);
  wavorel::wire::putU32(list.data() + 4 + first, 100);  // the second record claims less than a head
  const BYTE channels[] = {6};
  RebuildSiteList(list.data(), BssidSiteList.get(), channels, 1, At(kSecond));
  EXPECT_EQ(Sites(), (std::vector<int>{1}));
  wavorel::wire::putU32(list.data() + 4 + first, kBssListSize);  // or more than the list holds
  RebuildSiteList(list.data(), BssidSiteList.get(), channels, 1, At(2 * kSecond));
  EXPECT_EQ(Sites(), (std::vector<int>{1}));
  wavorel::wire::putU32(list.data(), 0xFFFFFFFF);  // a count beyond the records
  wavorel::wire::putU32(list.data() + 4 + first, first);
  RebuildSiteList(list.data(), BssidSiteList.get(), channels, 1, At(3 * kSecond));
  EXPECT_EQ(Sites(), (std::vector<int>{1, 2, 3}));
}

TEST_F(BssListsTest, FrequencyOfAListedBssid) {
  const BYTE unknown[6] = {0, 0x11, 0x22, 0x33, 0x44, 0x99};
  EXPECT_EQ(GetBssFrequency(unknown), 2412000u) << "empty list";
  Scan({BssRecord(Net(1, 2462000)), BssRecord(Net(2, 5180000))}, kSecond);
  const BYTE second[6] = {0, 0x11, 0x22, 0x33, 0x44, 2};
  EXPECT_EQ(GetBssFrequency(second), 5180000u);
  EXPECT_EQ(GetBssFrequency(unknown), 2412000u);
  BssidSiteList.reset();
  EXPECT_EQ(GetBssFrequency(second), 2412000u) << "no list";
}

class ChannelListTest : public ::testing::Test {
 protected:
  void TearDown() override {
    g_dwCountryRegion = 0;
    g_nFamilyIndex = 0;
  }
  static std::vector<int> Channels(int networkType, int stationMode, int adhocMode) {
    BYTE buffer[kMaxChannels] = {};
    int count = 0;
    GetChannelList(networkType, stationMode, adhocMode, buffer, &count);
    return std::vector<int>(buffer, buffer + count);
  }
  static std::vector<int> Range(int first, int last, int step = 1) {
    std::vector<int> out;
    for (int c = first; c <= last; c += step) out.push_back(c);
    return out;
  }
  static std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
  }
};

TEST_F(ChannelListTest, ChannelsByRegionFamilyAndMode) {
  const struct {
    DWORD region;
    int family;
    int networkType, stationMode, adhocMode;
    std::vector<int> channels;
  } table[] = {
      {0x0000, 8, 1, 0, 0, Range(1, 11)},
      {0x0005, 8, 1, 0, 0, Range(1, 14)},
      {0x0004, 8, 1, 0, 0, {14}},                       // region 4, families 4-8: channel 14 alone
      {0x0005, 1, 1, 0, 0, {14}},                       // region 5, families 0-1
      {0x0002, 0, 1, 0, 0, Range(1, 13)},
      {0x0009, 4, 1, 0, 0, Range(1, 11)},
      {0x0003, 2, 1, 0, 0, {}},                         // families 2-3: no 2.4 GHz list
      {0x0101, 8, 1, 3, 1, Join({Range(1, 13), Range(36, 64, 4), Range(100, 140, 4)})},
      {0x0700, 8, 1, 2, 1, Join({Range(36, 64, 4), Range(100, 140, 4), Range(149, 165, 4)})},  // 5 GHz only
      {0x0000, 8, 1, 5, 1, Join({Range(1, 11), Range(36, 64, 4), Range(149, 165, 4)})},
      {0x0B00, 8, 1, 8, 1, Join({Range(1, 11), Range(36, 64, 4), Range(149, 165, 4)})},        // region above 10
      {0x0900, 8, 1, 3, 1, Join({Range(1, 11), {34, 38, 42, 46}})},
      {0x0A00, 8, 1, 3, 1, Join({Range(1, 11), Range(34, 48, 2), Range(52, 64, 4)})},
      {0x0300, 7, 1, 9, 1, Range(1, 11)},                // mode 9 has no 5 GHz
      {0x0300, 7, 0, 9, 3, Join({Range(52, 64, 4), Range(149, 161, 4)})},  // ad hoc in 5 GHz only
      {0x0600, 7, 0, 9, 4, Join({Range(1, 11), Range(36, 48, 4)})},
      {0x0400, 7, 0, 2, 1, Range(1, 11)},                // ad hoc mode 1: no 5 GHz
      {0x0805, 6, 0, 0, 8, Join({Range(1, 14), Range(52, 64, 4)})},
  };
  for (const auto& row : table) {
    g_dwCountryRegion = row.region;
    g_nFamilyIndex = row.family;
    EXPECT_EQ(Channels(row.networkType, row.stationMode, row.adhocMode), row.channels)
        << "region " << std::hex << row.region << std::dec << " family " << row.family << " type "
        << row.networkType << " modes " << row.stationMode << "/" << row.adhocMode;
  }
}

TEST_F(ChannelListTest, AppendsBehindWhatTheBufferHoldsAndNeverPastIt) {
  g_dwCountryRegion = 0x0705;
  g_nFamilyIndex = 8;
  BYTE buffer[kMaxChannels] = {};
  int count = 60;
  GetChannelList(1, 3, 1, buffer, &count);
  EXPECT_EQ(count, kMaxChannels);
  EXPECT_EQ(buffer[60], 1);
  EXPECT_EQ(buffer[63], 4);
  count = kMaxChannels + 5;
  GetChannelList(1, 3, 1, buffer, &count);
  EXPECT_EQ(count, kMaxChannels + 5) << "a count beyond the buffer is left alone";
}

}  // namespace
}  // namespace worker::testing
