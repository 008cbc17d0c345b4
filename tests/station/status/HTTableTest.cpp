// The station's 802.11n rate table: rates by bandwidth, guard interval and
// MCS, the refused 20 MHz MCS 32, an empty table before Rebuild, and its 68
// rows over every PHY word the link page can decode.
#include <gtest/gtest.h>

#include "station/status/HTTable.h"

namespace {

TEST(HTTableTest, RatesByBandwidthGuardIntervalAndMcs) {
  CHTTable table;
  table.Rebuild();
  struct Case {
    int bandwidth40, shortGi, mcs;
    double rate;
  };
  for (const Case& c : {Case{1, 1, 15, 300.0}, Case{0, 0, 0, 6.5}, Case{0, 1, 8, 14.444}, Case{1, 0, 32, 6.0},
                        Case{1, 1, 33, 43.3}, Case{0, 2, 7, 65.0} /* a guard interval of 2 is the long one */,
                        Case{5, 0, 6, 121.5} /* any bandwidth but 0 is 40 MHz */}) {
    double rate = -1.0;
    ASSERT_TRUE(table.Lookup(c.bandwidth40, c.shortGi, c.mcs, &rate)) << c.bandwidth40 << c.shortGi << c.mcs;
    EXPECT_DOUBLE_EQ(rate, c.rate) << c.bandwidth40 << c.shortGi << c.mcs;
  }
}

TEST(HTTableTest, MissingRowsLeaveTheRateAlone) {
  CHTTable table;
  double rate = -1.0;
  EXPECT_FALSE(table.Lookup(0, 0, 0, &rate)) << "empty before Rebuild";
  table.Rebuild();
  table.Rebuild();  // a second fill changes nothing
  struct Case {
    int bandwidth40, shortGi, mcs;
  };
  for (const Case& c : {Case{0, 0, 32}, Case{0, 1, 32}, Case{0, 2, 32}, Case{0, 0, 33}, Case{1, 0, 16},
                        Case{1, 1, 31}, Case{0, 0, -1}}) {
    EXPECT_FALSE(table.Lookup(c.bandwidth40, c.shortGi, c.mcs, &rate)) << c.bandwidth40 << c.shortGi << c.mcs;
    EXPECT_EQ(rate, -1.0);
  }
}

TEST(HTTableTest, SixtyEightRowsOverEveryPhyWord) {
  CHTTable table;
  table.Rebuild();
  // Every bandwidth bit, guard-interval bit and 7-bit MCS of a PHY word: MCS
  // 0-15 in all four combinations, 32 and 33 at 40 MHz only.
  int rows = 0;
  for (int bandwidth40 = 0; bandwidth40 <= 1; ++bandwidth40) {
    for (int shortGi = 0; shortGi <= 1; ++shortGi) {
      for (int mcs = 0; mcs < 128; ++mcs) {
        double rate = 0;
        if (!table.Lookup(bandwidth40, shortGi, mcs, &rate)) continue;
        ++rows;
        EXPECT_TRUE(mcs < 16 || (bandwidth40 && (mcs == 32 || mcs == 33))) << bandwidth40 << shortGi << mcs;
        // Two streams carry twice one stream's rate, within the rows' rounding.
        if (mcs >= 8 && mcs < 16) {
          double single = 0;
          ASSERT_TRUE(table.Lookup(bandwidth40, shortGi, mcs - 8, &single));
          EXPECT_NEAR(rate, 2 * single, 0.1) << bandwidth40 << shortGi << mcs;
        }
      }
    }
  }
  EXPECT_EQ(rows, 68);
}

}  // namespace
