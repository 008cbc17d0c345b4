// The driver tables of the AP pages read from their answers: station-table
// entries and status texts, Block-Ack rows (entries without a session passed
// over), counts cut to what the answer holds, and the stored MAC lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/wire/Bytes.h"
#include "softap/ApMacList.h"
#include "softap/ApTables.h"
#include "softap/HTTable_AP.h"

namespace {

constexpr WORD ht(int mcs, bool wide, bool shortGi) {
  return static_cast<WORD>(2u << 14 | (shortGi ? 1u << 8 : 0) | (wide ? 1u << 7 : 0) | static_cast<unsigned>(mcs));
}

TEST(ApTablesTest, StatusTextsFollowThePhyMode) {
  CHTTable_AP rates;
  rates.Build();
  struct Case {
    WORD setting;
    const char* text;
  };
  const Case cases[] = {
      {ht(7, true, true), "N: MCS = 7, BW = 40, GI = 400, Rate = 150.00"},
      {ht(7, false, false), "N: MCS = 7, BW = 20, GI = 800, Rate = 65.00"},
      {static_cast<WORD>(3u << 14 | 15), "N: MCS = 15, BW = 20, GI = 800, Rate = 130.00"},
      {3, "B: Rate = 11.00"},
      {10, "B: Rate = 5.50"},
      {4, "B: Rate = 0.00"},
      {1u << 14 | 7, "Rate = 54.00"},
      {1u << 14 | 8, "Rate = 0.00"},
  };
  for (const Case& c : cases) EXPECT_EQ(std::string(StationStatusText(c.setting, rates)), c.text) << c.setting;
}

TEST(ApTablesTest, StationCountsAreCutToTheTableAndTheBytesReturned) {
  std::vector<BYTE> table(aptable::station::kHtSize, 0);
  for (int i = 0; i < 32; ++i) table[4 + i * 10 + 5] = static_cast<BYTE>(i + 1);
  struct Case {
    DWORD claimed;
    DWORD returned;
    BOOL ht;
    size_t rows;
  };
  const Case cases[] = {{2, 324, TRUE, 2}, {1000, 324, TRUE, 32}, {5, 4 + 2 * 10 + 9, TRUE, 2},
                        {40, 260, FALSE, 32}, {3, 3, TRUE, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.claimed);
    wavorel::wire::putU32(table.data(), c.claimed);
    const auto rows = ParseStationTable(table.data(), c.returned, c.ht);
    ASSERT_EQ(rows.size(), c.rows);
    if (c.ht && !rows.empty()) {
      EXPECT_EQ(rows.back().mac[5], rows.size());
    }
  }
}

TEST(ApTablesTest, BlockAckEntriesWithoutASessionAreNotListedNorCounted) {
  std::vector<BYTE> table(aptable::blockack::kSize, 0);
  auto entry = [&](size_t at, BYTE last, BYTE tids) {
    BYTE* p = table.data() + at;
    p[0] = 0x00, p[1] = 0x24, p[5] = last;
    p[6] = tids;
    for (int t = 0; t < 8; ++t) p[8 + t] = static_cast<BYTE>(8 * (t + 1));
  };
  entry(0, 0x0A, 0);        // no session: passed over
  entry(48, 0x0B, 0x81);    // TID 0 and 7
  entry(96, 0x0C, 0x02);
  entry(144, 0x0D, 0x04);   // beyond the count
  table[3072] = 2;
  entry(1536, 0x0E, 0x10);
  table[3073] = 1;
  const auto originators = ParseBlockAckTable(table.data(), aptable::blockack::kSize, 0);
  ASSERT_EQ(originators.size(), 2u);
  EXPECT_EQ(originators[0].texts[0], "00-24-00-00-00-0B");
  EXPECT_EQ(originators[0].texts[1], "8");
  EXPECT_EQ(originators[0].texts[2], "-");
  EXPECT_EQ(originators[0].texts[8], "64");
  EXPECT_TRUE(originators[0].items[7].active);
  EXPECT_EQ(originators[1].texts[0], "00-24-00-00-00-0C");
  const auto recipients = ParseBlockAckTable(table.data(), aptable::blockack::kSize, 1);
  ASSERT_EQ(recipients.size(), 1u);
  EXPECT_EQ(recipients[0].items[4].windowSize, 40);
  // An answer that ends before the counts lists nothing; one that ends in
  // the second entry lists nothing of it.
  EXPECT_TRUE(ParseBlockAckTable(table.data(), 3000, 0).empty());
  table[3072] = 200;  // more than the table holds
  EXPECT_EQ(ParseBlockAckTable(table.data(), aptable::blockack::kSize, 0).size(), 3u);
}

TEST(ApTablesTest, StoredMacListsKeepDistinctWellFormedEntries) {
  const std::string stored = std::string("0024D700000A\0\0" "12345\0" "0024D70000ZZ\0" "0024d700000a\0"
                                         "0024D700000B\0" "0024D700000C\0" "0024D700000D",
                                         14 + 6 + 13 + 13 + 13 + 13 + 12);
  size_t dropped = 0;
  const auto rows = ParseMacMultiString(stored.data(), stored.size(), 3, dropped);
  EXPECT_EQ(rows, (std::vector<CString>{"00-24-D7-00-00-0A", "00-24-D7-00-00-0B", "00-24-D7-00-00-0C"}));
  EXPECT_EQ(dropped, 1u) << "the unterminated last entry counts";
  EXPECT_EQ(BuildMacMultiString(rows), std::string("0024D700000A\0" "0024D700000B\0" "0024D700000C\0\0", 40));
}

}  // namespace
