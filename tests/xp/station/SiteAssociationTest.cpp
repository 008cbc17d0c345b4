// Wavorel's site survey: the associated row of the site list and the timer's
// rescan schedule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/wire/Bytes.h"
#include "station/status/SiteList.h"
#include "tests/worker/BssRecordBuilder.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/status/SiteAssociation.h"

namespace {

using worker::testing::BssList;
using worker::testing::BssRecord;
using worker::testing::BssRecordFields;
using worker::testing::Bytes;

class SiteAssociationTest : public wavorel::testing::PlatformTest {
 protected:
  // The rows of the list and their offsets, as the page keeps them.
  void Load(const std::vector<Bytes>& records) {
    list_ = BssList(records, kBssListSize);
    rows_.clear();
    offsets_.clear();
    BuildSiteRows(list_.data(), kBssListSize, rows_, &offsets_);
  }
  SiteAssociation Find(const BYTE* bssid, int channel, const CString* profileSsid = nullptr) const {
    return FindAssociatedSiteRow(list_.data(), offsets_, rows_, bssid, channel, profileSsid);
  }

  Bytes list_;
  std::vector<SiteRow> rows_;
  std::vector<DWORD> offsets_;
};

constexpr BYTE kAp[6] = {0x00, 0x0C, 0x43, 0x01, 0x02, 0x03};
constexpr BYTE kOther[6] = {0x00, 0x0C, 0x43, 0x09, 0x09, 0x09};

Bytes Record(const std::string& ssid, const BYTE (&mac)[6], DWORD frequency) {
  BssRecordFields fields;
  fields.ssid = ssid;
  std::copy(mac, mac + 6, fields.mac);
  fields.frequency = frequency;
  return BssRecord(fields);
}

TEST_F(SiteAssociationTest, ChannelOfFrequencyIsMinusOneOutsideTheTable) {
  EXPECT_EQ(SiteChannelOfFrequency(2412000), 1);
  EXPECT_EQ(SiteChannelOfFrequency(2484000), 14);
  EXPECT_EQ(SiteChannelOfFrequency(5040000), 208);
  EXPECT_EQ(SiteChannelOfFrequency(2412001), -1);
  EXPECT_EQ(SiteChannelOfFrequency(0), -1);
}

TEST_F(SiteAssociationTest, ABssidOnTwoChannelsIsTakenOnTheAdaptersChannel) {
  Load({Record("Home", kAp, 2412000), Record("Other", kOther, 2437000), Record("Home", kAp, 2462000)});
  struct Case {
    int channel;
    int row;
    bool accepted;
  } const cases[] = {
      {1, 0, true},    // the first record
      {11, 2, true},   // the second record of the BSSID
      {6, 2, false},   // neither: the last record with the BSSID
      {-1, 2, false},  // the driver gave no channel: nothing accepted
  };
  for (const Case& c : cases) {
    const SiteAssociation found = Find(kAp, c.channel);
    EXPECT_EQ(found.row, c.row) << "channel " << c.channel;
    EXPECT_EQ(found.accepted, c.accepted) << "channel " << c.channel;
  }
  const BYTE unknown[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(Find(unknown, 1).row, -1);
}

TEST_F(SiteAssociationTest, AProfileLinkAlsoComparesTheProfilesSsid) {
  Load({Record("Home", kAp, 2412000), Record("", kAp, 2412000), Record("Home-5G", kAp, 2412000)});
  struct Case {
    const char* profileSsid;
    int row;
    bool accepted;
  } const cases[] = {
      {"Home", 0, true},
      {"", 0, true},         // an empty SSID agrees with any
      {"Hom", 1, true},      // the longer length decides: "Home" differs; the hidden row agrees
      {"Home-5G", 1, true},  // likewise: the hidden row comes before the exact one
  };
  for (const Case& c : cases) {
    const CString ssid(c.profileSsid);
    const SiteAssociation found = Find(kAp, 1, &ssid);
    EXPECT_EQ(found.row, c.row) << c.profileSsid;
    EXPECT_EQ(found.accepted, c.accepted) << c.profileSsid;
  }
  Load({Record("Home", kAp, 2412000), Record("Home-5G", kAp, 2412000)});
  const CString other("Office");
  const SiteAssociation found = Find(kAp, 1, &other);
  EXPECT_FALSE(found.accepted);
  EXPECT_EQ(found.row, 1);
}

TEST_F(SiteAssociationTest, RescansComeOnTheFourthTickWithoutALinkThenEveryThirty) {
  int counter = -3;  // a link stood until now
  std::vector<int> due;
  for (int tick = 1; tick <= 100; ++tick)
    if (DisconnectedTickWantsRescan(counter)) due.push_back(tick);
  EXPECT_EQ(due, (std::vector<int>{4, 34, 64, 94}));
}

TEST_F(SiteAssociationTest, AMissingRowAsksForARescanOnTheSeventhTickThenEverySeventh) {
  int counter = 0;
  std::vector<int> due;
  for (int tick = 1; tick <= 21; ++tick)
    if (NotFoundTickWantsRescan(counter)) due.push_back(tick);
  EXPECT_EQ(due, (std::vector<int>{7, 14, 21}));
}

}  // namespace
