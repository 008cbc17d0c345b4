#include "worker/ChannelTable.h"

#include <gtest/gtest.h>

#include <set>

namespace worker::testing {
namespace {

TEST(ChannelTableTest, FortyNineRowsWithTheJapaneseChannelsFromTheStart) {
  ASSERT_EQ(sizeof g_channelTable / sizeof g_channelTable[0], 49u);
  EXPECT_EQ(g_channelTable[0].Channel, 1u);
  EXPECT_EQ(g_channelTable[0].Frequency, 2412000u);
  EXPECT_EQ(g_channelTable[12].Frequency, 2472000u);
  EXPECT_EQ(g_channelTable[13].Channel, 14u);
  EXPECT_EQ(g_channelTable[13].Frequency, 2484000u);
  const struct {
    UINT channel;
    UINT frequency;
  } rows[] = {{34, 5170000}, {64, 5320000}, {100, 5500000}, {140, 5700000}, {165, 5825000},
              {184, 4920000}, {196, 4980000}, {208, 5040000}, {212, 5060000}, {216, 5080000}};
  for (const auto& r : rows) {
    const CHANNEL_FREQUENCY* row = FindChannelByNumber(r.channel);
    ASSERT_NE(row, nullptr) << r.channel;
    EXPECT_EQ(row->Frequency, r.frequency) << r.channel;
    EXPECT_EQ(FindChannelByFrequency(r.frequency), row) << r.channel;
  }
  EXPECT_EQ(g_channelTable[48].Channel, 216u) << "the Japanese rows close the table";
  std::set<UINT> frequencies;
  for (const CHANNEL_FREQUENCY& row : g_channelTable) frequencies.insert(row.Frequency);
  EXPECT_EQ(frequencies.size(), 49u) << "every frequency once";
}

TEST(ChannelTableTest, LookupsMissGracefully) {
  EXPECT_EQ(FindChannelByFrequency(0), nullptr);
  EXPECT_EQ(FindChannelByFrequency(2413000), nullptr);
  EXPECT_EQ(FindChannelByNumber(0), nullptr);
  EXPECT_EQ(FindChannelByNumber(15), nullptr);
}

}  // namespace
}  // namespace worker::testing
