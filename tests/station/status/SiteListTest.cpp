// The site survey's window-free part: the walk over a BSS list, the rows and
// texts made of its records, and the in-place sort (both builds).
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/wire/Bytes.h"
#include "station/status/SiteList.h"
#include "tests/worker/BssRecordBuilder.h"
#include "worker/WorkerGlobals.h"

namespace {

using worker::testing::BssList;
using worker::testing::BssRecord;
using worker::testing::BssRecordFields;
using worker::testing::Bytes;
using worker::testing::Concat;
using worker::testing::Element;
namespace bss = wavorel::wire::ndis::bssid;

class SiteListTest : public wavorel::testing::PlatformTest {};

Bytes Record(const std::string& ssid, LONG rssi = -50, DWORD frequency = 2437000, const Bytes& elements = {}) {
  BssRecordFields fields;
  fields.ssid = ssid;
  fields.rssi = rssi;
  fields.frequency = frequency;
  fields.elements = elements;
  fields.mac[5] = static_cast<BYTE>(ssid.empty() ? 0 : ssid[0]);
  return BssRecord(fields);
}

std::vector<SiteRow> Rows(const Bytes& list) {
  std::vector<SiteRow> rows;
  BuildSiteRows(list.data(), static_cast<DWORD>(list.size()), rows);
  return rows;
}

std::vector<std::string> Ssids(const std::vector<SiteRow>& rows) {
  std::vector<std::string> out;
  for (const SiteRow& row : rows) out.emplace_back(static_cast<LPCSTR>(row.ssid));
  return out;
}

// RSN element of a WPA2-PSK network with CCMP.
const Bytes kRsnPsk = Element(48, {1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 2, 0, 0});
// A WPS element (00-50-F2-04) with its version attribute.
const Bytes kWps = Element(221, {0x00, 0x50, 0xF2, 0x04, 0x10, 0x4A, 0x00, 0x01, 0x10});
// An HT capabilities element.
const Bytes kHt = Element(45, Bytes(26, 0));

TEST_F(SiteListTest, WalkStepsByLengthSkipsShortRecordsAndStopsAtBrokenOnes) {
  Bytes shortIe = Record("Short");
  wavorel::wire::putU32(shortIe.data() + bss::kIeLength, static_cast<DWORD>(shortIe.size()));  // past its Length
  Bytes zero = Record("Zero");
  wavorel::wire::putU32(zero.data() + bss::kLength, 0);
  // One record skipped, the walk goes on; a Length of 0 ends it.
  EXPECT_EQ(Ssids(Rows(BssList({Record("A"), shortIe, Record("B"), zero, Record("C")}, 4096))),
            (std::vector<std::string>{"A", "B"}));

  // A record that would pass the end of the 64 KB list ends the walk there.
  Bytes list = BssList({Record("A"), Record("Last")}, kBssListSize);
  const size_t second = 4 + Record("A").size();
  wavorel::wire::putU32(list.data() + second + bss::kLength, kBssListSize);
  EXPECT_EQ(Ssids(Rows(list)), (std::vector<std::string>{"A"}));

  // A count larger than the records held stops at the zeroed rest.
  Bytes counted = BssList({Record("A")}, 4096);
  wavorel::wire::putU32(counted.data(), 1000);
  EXPECT_EQ(Rows(counted).size(), 1u);
}

TEST_F(SiteListTest, LengthBelowTheRecordHeadEndsTheWalk) {
  // Stepping by such a Length would land inside the record's own bytes.
  for (DWORD length : {1u, 12u, 115u}) {
    Bytes bad = Record("Bad");
    wavorel::wire::putU32(bad.data() + bss::kLength, length);
    EXPECT_EQ(Ssids(Rows(BssList({Record("A"), bad, Record("B")}, 4096))), (std::vector<std::string>{"A"}))
        << "Length " << length;
  }
}

TEST_F(SiteListTest, SsidIsCutToThirtyTwoBytesAndEndsAtTheFirstZero) {
  struct Case {
    std::string bytes;
    DWORD length;
    std::string shown;
  };
  const Case cases[] = {
      {std::string(32, 'x'), 40, std::string(32, 'x')},  // a length past the field is cut
      {std::string("ab\0cd", 5), 5, "ab"},
      {std::string(7, '\0'), 7, ""},  // beacons of a hidden network: only zeros
      {"Home", 0, ""},
  };
  for (const Case& c : cases) {
    Bytes record = Record(c.bytes);
    wavorel::wire::putU32(record.data() + bss::kSsidLength, c.length);
    EXPECT_EQ(std::string(SiteSsid(record.data())), c.shown) << c.length;
  }
}

TEST_F(SiteListTest, RowTakesSecurityWpsHtChannelAndSignalFromTheRecord) {
  Bytes wep = Record("Wep");
  wavorel::wire::putU32(wep.data() + bss::kPrivacy, 1);
  Bytes open = Record("Open", -120, 1234000);
  wavorel::wire::putU32(open.data() + bss::kNetworkTypeInUse, 2);
  const std::vector<SiteRow> rows = Rows(BssList(
      {open, wep, Record("Psk", -60, 5060000, Concat({kRsnPsk, kWps})), Record("N", -101, 5180000, kHt)}, 4096));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].secured, 0);
  EXPECT_EQ(rows[0].networkType, 2);
  EXPECT_EQ(std::string(rows[0].channelText), "");  // not in the channel table
  EXPECT_EQ(rows[0].rssi, -100);  // not the 0 dBm of a remainder
  EXPECT_EQ(rows[1].secured, 1);
  EXPECT_EQ(rows[2].secured, 1);
  EXPECT_EQ(rows[2].wps, 1);
  EXPECT_EQ(rows[2].ht, 0);
  EXPECT_EQ(std::string(rows[2].channelText), "J12");
  EXPECT_EQ(rows[2].rssi, -60);
  EXPECT_EQ(rows[3].ht, 1);
  EXPECT_EQ(rows[3].wps, 0);
  EXPECT_EQ(std::string(rows[3].channelText), "36");
  EXPECT_EQ(rows[3].rssi, -100);
}

TEST_F(SiteListTest, ChannelTexts) {
  EXPECT_EQ(std::string(SiteChannelText(5040000)), "J8");
  EXPECT_EQ(std::string(SiteDetailChannelText(5040000)), "J8 <--> 5040 MHz");
  EXPECT_EQ(std::string(SiteDetailChannelText(2437000)), "6 <--> 2437 MHz");
  EXPECT_EQ(std::string(SiteDetailChannelText(2437001)), "");
  EXPECT_EQ(SiteChannelNumber(2437001), 0);
}

TEST_F(SiteListTest, RowTextEscapesTabsAndLineBreaksButKeepsQuotes) {
  SiteRow first;
  first.ssid = "a\tb\r\nc\"d";
  first.connected = 1;
  first.infrastructureMode = 1;
  first.networkType = 3;
  first.channelText = "6";
  first.secured = 1;
  first.rssi = -50;
  SiteRow second;
  second.ssid = "";
  second.rssi = -95;
  SiteRow odd;  // record fields of any 32-bit value
  odd.ssid = std::string(32, 'W').c_str();
  odd.infrastructureMode = -1;
  odd.networkType = INT_MIN;
  odd.channelText = "J16";
  odd.rssi = -70;
  EXPECT_EQ(std::string(MakeSurveyRowsText({first, second, odd})),
            "\"a b  c\"d\"\t\"1\"\t\"1\"\t\"3\"\t\"6\"\t\"1\"\t\"100\"\r\n"
            "\"\"\t\"0\"\t\"0\"\t\"0\"\t\"\"\t\"0\"\t\"0\"\r\n"
            "\"" + std::string(32, 'W') + "\"\t\"0\"\t\"-1\"\t\"-2147483648\"\t\"J16\"\t\"0\"\t\"50\"");
  EXPECT_EQ(std::string(MakeSurveyRowsText({})), "");
}

// Sorts a list of records and gives their SSIDs and the stamps' low words in the new order.
struct Sorted {
  std::vector<std::string> ssids;
  std::vector<DWORD> stamps;
};
Sorted Sort(const std::vector<Bytes>& records, int key) {
  Bytes list = BssList(records, kBssListSize);
  std::vector<FILETIME> stamps(records.size());
  for (size_t i = 0; i < stamps.size(); ++i) stamps[i].dwLowDateTime = static_cast<DWORD>(i);
  SortSiteList(list.data(), kBssListSize, stamps.data(), static_cast<int>(stamps.size()), key);
  Sorted out;
  WalkBssList(list.data(), kBssListSize,
              [&](const BYTE* record, DWORD) { out.ssids.emplace_back(static_cast<LPCSTR>(SiteSsid(record))); });
  for (const FILETIME& stamp : stamps) out.stamps.push_back(stamp.dwLowDateTime);
  return out;
}

TEST_F(SiteListTest, SortBySsidIgnoresCaseAndKeepsEqualNamesInOrder) {
  Bytes firstAbc = Record("abc", -70);
  Bytes secondAbc = Record("abc", -40);
  const Sorted sorted = Sort({Record("b"), firstAbc, Record("ABC"), secondAbc, Record("Abd")}, kSiteSortSsid);
  EXPECT_EQ(sorted.ssids, (std::vector<std::string>{"abc", "ABC", "abc", "Abd", "b"}));
  EXPECT_EQ(sorted.stamps, (std::vector<DWORD>{1, 2, 3, 4, 0}));
  // Letters fold before the bytes compare, bytes compare unsigned, a prefix comes first.
  const std::string longName(32, 'n');
  EXPECT_EQ(Sort({Record("\xE9t\xE9"), Record("z"), Record(longName), Record("Ax"), Record("_x"),
                  Record(longName.substr(0, 31))},
                 kSiteSortSsid)
                .ssids,
            (std::vector<std::string>{"_x", "Ax", longName.substr(0, 31), longName, "z", "\xE9t\xE9"}));
}

TEST_F(SiteListTest, SortByChannelPutsUnknownFrequenciesFirstAndSignalStrongestFirst) {
  EXPECT_EQ(Sort({Record("six", -50, 2437000), Record("one", -50, 2412000), Record("none", -50, 1000),
                  Record("a36", -50, 5180000)},
                 kSiteSortChannel)
                .ssids,
            (std::vector<std::string>{"none", "one", "six", "a36"}));
  const Sorted bySignal = Sort({Record("weak", -70), Record("strong", -40), Record("mid", -55)}, kSiteSortSignal);
  EXPECT_EQ(bySignal.ssids, (std::vector<std::string>{"strong", "mid", "weak"}));
  EXPECT_EQ(bySignal.stamps, (std::vector<DWORD>{1, 2, 0}));
  // Equal keys keep the order they came in, whichever way the key runs.
  EXPECT_EQ(Sort({Record("x", -50), Record("y", -40), Record("z", -50)}, kSiteSortSignal).ssids,
            (std::vector<std::string>{"y", "x", "z"}));
  EXPECT_EQ(Sort({Record("x", -50, 2437000), Record("y", -50, 2412000), Record("z", -60, 2437000)}, kSiteSortChannel)
                .ssids,
            (std::vector<std::string>{"y", "x", "z"}));
  // Another key leaves the list as it is.
  EXPECT_EQ(Sort({Record("b"), Record("a")}, 7).ssids, (std::vector<std::string>{"b", "a"}));
}

TEST_F(SiteListTest, SortKeepsEveryRecordOfAListLongerThanTwoHundredFiftySix) {
  std::vector<Bytes> records;
  for (int i = 0; i < 400; ++i) records.push_back(Record(i % 2 ? "odd" : "even", -30 - i % 60));
  const Sorted sorted = Sort(records, kSiteSortSignal);
  ASSERT_EQ(sorted.ssids.size(), 400u);
  std::vector<DWORD> stamps = sorted.stamps;
  std::sort(stamps.begin(), stamps.end());
  for (DWORD i = 0; i < 400; ++i) EXPECT_EQ(stamps[i], i);
}

TEST_F(SiteListTest, SortKeepsEveryRecordOfAFullList) {
  // Records of the bare 116-byte head: as many as 64 KB holds.
  constexpr size_t kFit = (kBssListSize - 4) / bss::kHeadSize;
  ASSERT_EQ(kFit, 564u);
  std::vector<Bytes> records;
  for (size_t i = 0; i < kFit; ++i) {
    Bytes r(bss::kHeadSize, 0);
    const std::string ssid = i % 3 ? "Net" : "net";
    wavorel::wire::putU32(r.data() + bss::kLength, bss::kHeadSize);
    wavorel::wire::putU32(r.data() + bss::kSsidLength, static_cast<DWORD>(ssid.size()));
    std::copy(ssid.begin(), ssid.end(), r.begin() + bss::kSsid);
    wavorel::wire::putU32(r.data() + bss::kRssi, static_cast<DWORD>(-30 - static_cast<int>(i % 7)));
    records.push_back(r);
  }
  for (int key : {kSiteSortSsid, kSiteSortSignal}) {
    const Sorted sorted = Sort(records, key);
    ASSERT_EQ(sorted.ssids.size(), kFit);
    std::vector<DWORD> stamps = sorted.stamps;
    std::sort(stamps.begin(), stamps.end());
    for (DWORD i = 0; i < kFit; ++i) ASSERT_EQ(stamps[i], i) << "key " << key;
  }
}

}  // namespace
