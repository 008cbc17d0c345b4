// The station's 802.11n rate table: rates by bandwidth, guard interval and
// MCS, the refused 20 MHz MCS 32, and an empty table before Rebuild.
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

}  // namespace
