#include <gtest/gtest.h>

#include "platform/mfc/Exception.h"
#include "platform/mfc/Time.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Time.h"

namespace {

// Central Europe: UTC+1, UTC+2 from the last Sunday of March 02:00 to the last Sunday of October 03:00.
TIME_ZONE_INFORMATION centralEurope() {
  TIME_ZONE_INFORMATION z{};
  z.Bias = -60;
  z.DaylightBias = -60;
  z.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
  z.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
  return z;
}

class CTimeTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    wavorel::setTimeZone(centralEurope());
    // 2026-06-15 10:00:00 UTC, a Monday.
    clock().setUtcFileTime(wavorel::kFileTimeUnixEpoch + 1781517600LL * 10000000);
  }
};

TEST_F(CTimeTest, CurrentTimeComesFromThePlatformClockAndZone) {
  CTime now = CTime::GetCurrentTime();
  EXPECT_EQ(now.GetTime(), 1781517600);
  EXPECT_STREQ(now.Format("%Y-%m-%d %H:%M:%S"), "2026-06-15 12:00:00") << "daylight time, UTC+2";
  EXPECT_EQ(now.GetDayOfWeek(), 2);
  clock().advance(90 * 1000);
  CTime later = CTime::GetCurrentTime();
  EXPECT_EQ(later.GetTime() - now.GetTime(), 90);
  EXPECT_EQ(later.GetMinute(), 1);
  EXPECT_EQ(later.GetSecond(), 30);
  EXPECT_TRUE(now < later && later > now && now != later && now <= now && later >= now);
}

TEST_F(CTimeTest, LocalDateAndTimeUseTheZoneRulesOfThatDate) {
  const struct {
    CTime time;
    __time64_t utc;
  } cases[] = {
      {CTime(2008, 3, 15, 13, 5, 0), 1205582700},  // winter: UTC+1
      {CTime(2026, 7, 1, 12, 0, 0), 1782900000},   // summer: UTC+2
      {CTime(2026, 1, 1, 12, 0, 0), 1767265200},
      {CTime(2026, 2, 31, 12, 0, 0), 1767265200 + (31 + 30) * 86400},  // 31 February is 3 March
  };
  for (const auto& c : cases) EXPECT_EQ(c.time.GetTime(), c.utc);

  CTime t(2008, 3, 15, 13, 5, 9);
  SYSTEMTIME st = {};
  ASSERT_TRUE(t.GetAsSystemTime(st));
  EXPECT_EQ(st.wYear, 2008);
  EXPECT_EQ(st.wMonth, 3);
  EXPECT_EQ(st.wDay, 15);
  EXPECT_EQ(st.wDayOfWeek, 6);
  EXPECT_EQ(st.wHour, 13);
  EXPECT_EQ(st.wMinute, 5);
  EXPECT_EQ(st.wSecond, 9);
  EXPECT_EQ(CTime(st).GetTime(), t.GetTime());
  EXPECT_EQ(t.GetYear() * 100 + t.GetMonth(), 200803);
  EXPECT_EQ(t.GetDayOfWeek(), 7);
}

TEST_F(CTimeTest, OutOfRangeValues) {
  SYSTEMTIME old = {1899, 12, 0, 31, 23, 59, 59, 0};
  EXPECT_EQ(CTime(old).GetTime(), 0);
  const int bad[][6] = {{1899, 1, 1, 0, 0, 0}, {2000, 13, 1, 0, 0, 0}, {2000, 1, 0, 0, 0, 0},
                        {2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0}, {2000, 1, 1, 0, 0, 60},
                        {1960, 1, 1, 0, 0, 0}};  // before 1970: no time value
  for (const auto& b : bad) {
    try {
      CTime t(b[0], b[1], b[2], b[3], b[4], b[5]);
      ADD_FAILURE() << "accepted " << b[0] << "-" << b[1] << "-" << b[2] << " " << b[3] << ":" << b[4] << ":" << b[5];
    } catch (CException* e) {
      EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
      e->Delete();
    }
  }
  CTime negative(static_cast<__time64_t>(-1));
  EXPECT_EQ(negative.GetYear(), 0);
  SYSTEMTIME st;
  EXPECT_FALSE(negative.GetAsSystemTime(st));
  EXPECT_STREQ(CTime::GetCurrentTime().Format(nullptr), "");
  EXPECT_STREQ(CTime::GetCurrentTime().Format(CString('Y', 200)), "") << "more than 127 characters";
}

}  // namespace
