// The AP pages' rate table: the lookup by index over the stored rows, and
// the rate lookup with its refused 20 MHz MCS 32.
#include <gtest/gtest.h>

#include "softap/HTTable_AP.h"

namespace {

TEST(HTTableApTest, LookupByIndexReadsTheStoredRows) {
  CHTTable_AP table;
  table.Build();
  struct Case {
    int key;
    double rate;
    int bandwidth;
  };
  // Row 3 is stored "121.5.0,20": the number ends at its second point.
  for (const Case& c : {Case{3, 121.5, 20}, Case{0, 54.0, 20}, Case{8, 121.5, 20}, Case{14, 270.0, 40}}) {
    double rate = 0;
    int bandwidth = 0;
    ASSERT_TRUE(table.LookupByIndex(c.key, &rate, &bandwidth)) << c.key;
    EXPECT_DOUBLE_EQ(rate, c.rate) << c.key;
    EXPECT_EQ(bandwidth, c.bandwidth) << c.key;
  }
  for (int key : {15, 32, 33, -1}) {
    double rate = -1.0;
    int bandwidth = -1;
    EXPECT_FALSE(table.LookupByIndex(key, &rate, &bandwidth)) << key;
    EXPECT_EQ(rate, -1.0);
    EXPECT_EQ(bandwidth, -1);
  }
}

TEST(HTTableApTest, LookupRate) {
  CHTTable_AP table;
  table.Build();
  double rate = 0;
  EXPECT_TRUE(table.LookupRate(1, 1, 15, &rate));
  EXPECT_DOUBLE_EQ(rate, 300.0);
  EXPECT_TRUE(table.LookupRate(0, 0, 7, &rate));
  EXPECT_DOUBLE_EQ(rate, 65.0);
  EXPECT_TRUE(table.LookupRate(1, 0, 33, &rate));
  EXPECT_DOUBLE_EQ(rate, 39.0);
  rate = -1.0;
  EXPECT_FALSE(table.LookupRate(0, 1, 33, &rate));
  EXPECT_FALSE(table.LookupRate(0, 0, 32, &rate));
  EXPECT_EQ(rate, -1.0);
}

}  // namespace
