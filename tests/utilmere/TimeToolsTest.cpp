#include "utilmere/Utilmere.h"

#include <gtest/gtest.h>

#include "tests/utilmere/UtilmereTest.h"

namespace {

using TimeToolsTest = utilmere::testing::UtilmereTest;

TEST_F(TimeToolsTest, LayoutsOfASaturdayAfternoon) {
  setNow(2008, 3, 15, 13, 5, 9);  // a Saturday
  const __int64 now = gxGetCurrentTime();
  const struct {
    int layout;
    const char* text;
  } cases[] = {
      {1, "200803"},
      {2, "08-03"},
      {3, "20080315"},
      {4, "{Sta.}{ }{P.M.}{ }01:05"},
      {5, "13:05"},
      {6, "2008-03-15"},
      {7, "03/15"},
      {8, "03/15({Sta.}){ }{P.M.}{ }01:05"},
      {9, "03-15 13:05"},
      {10, "2008-03"},
      {11, "15130509"},
      {12, "2008-03-15 13_05_09"},
      {0, "2008-03-15 13:05:09"},
      {13, "2008-03-15 13:05:09"},
      {-1, "2008-03-15 13:05:09"},
  };
  for (const auto& c : cases) {
    char buffer[64];
    memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(ConvertTimeToStr(now, buffer, sizeof(buffer), c.layout), static_cast<int>(strlen(c.text)))
        << c.layout;
    EXPECT_STREQ(buffer, c.text) << c.layout;
    EXPECT_STREQ(ConvertTimeToStr(now, c.layout), c.text) << c.layout;
  }
}

TEST_F(TimeToolsTest, HalfDayLayoutsRunTheHourFromZeroToEleven) {
  const struct {
    WORD day, hour, minute;
    const char* text;
  } cases[] = {
      {16, 12, 0, "{Sun.}{ }{P.M.}{ }00:00"},  // noon
      {17, 0, 30, "{Mon.}{ }{A.M.}{ }00:30"},  // half past midnight
      {18, 11, 59, "{Tue.}{ }{A.M.}{ }11:59"},
      {19, 23, 1, "{Wed.}{ }{P.M.}{ }11:01"},
  };
  for (const auto& c : cases) {
    SYSTEMTIME st = {};
    st.wYear = 2008;
    st.wMonth = 3;
    st.wDay = c.day;
    st.wHour = c.hour;
    st.wMinute = c.minute;
    EXPECT_STREQ(ConvertTimeToStr(st, 4), c.text);
  }
}

TEST_F(TimeToolsTest, NoTimeAndShortBuffers) {
  setNow(2008, 3, 15, 13, 5, 9);
  char buffer[32];
  for (__int64 none : {__int64{0}, __int64{-1}}) {
    EXPECT_EQ(ConvertTimeToStr(none, buffer, sizeof(buffer), 3), 0);
    EXPECT_STREQ(buffer, "1970-01-01 00:00:00");
  }
  EXPECT_EQ(ConvertTimeToStr(0, buffer, 5, 3), 0);
  EXPECT_STREQ(buffer, "1970");
  // A layout's text is cut to size - 1 characters and terminated.
  EXPECT_EQ(ConvertTimeToStr(gxGetCurrentTime(), buffer, 5, 6), 4);
  EXPECT_STREQ(buffer, "2008");
  strcpy(buffer, "kept");
  EXPECT_EQ(ConvertTimeToStr(gxGetCurrentTime(), buffer, 0, 6), 0);
  EXPECT_EQ(ConvertTimeToStr(gxGetCurrentTime(), nullptr, 10, 6), 0);
  EXPECT_STREQ(buffer, "kept");
  // A year before 1900 counts as no time.
  SYSTEMTIME old = {};
  old.wYear = 1899;
  old.wMonth = 1;
  old.wDay = 1;
  EXPECT_STREQ(ConvertTimeToStr(old, 6), "1970-01-01 00:00:00");
}

TEST_F(TimeToolsTest, CurrentTimeStringFollowsTheClock) {
  setNow(2008, 3, 14, 9, 5, 1);
  char buffer[20];
  EXPECT_EQ(GetCurTimeString(buffer, 0), 19u);
  EXPECT_STREQ(buffer, "2008-03-14 09:05:01");
  clock().advance(61000);
  EXPECT_STREQ(GetCurTimeString(__int64{0}), "2008-03-14 09:06:02");
  const __int64 earlier = ConvertStrToTime("2001-02-03 04:05:06");
  EXPECT_STREQ(GetCurTimeString(earlier), "2001-02-03 04:05:06");
}

TEST_F(TimeToolsTest, Durations) {
  const struct {
    int seconds;
    const char* text;
  } cases[] = {
      {0, "00"},           {59, "59"},
      {60, "01:00"},       {3600, "01:00:00"},
      {3601, "01:00:01"},  {86400, "01 00:00:00"},
      {90061, "01 01:01:01"}, {100 * 86400 + 5, "100 00:00:05"},
      {-5, "00"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(ConvertTimeLongToStr(c.seconds), c.text) << c.seconds;
  }
  char small[4];
  EXPECT_EQ(ConvertTimeLongToStr(90061, small, sizeof(small)), small);
  EXPECT_STREQ(small, "01 ");
  EXPECT_EQ(ConvertTimeLongToStr(90061, nullptr, 10), nullptr);
}

TEST_F(TimeToolsTest, DateTextsParsed) {
  const struct {
    const char* text;
    int kind;
    const char* value;  // layout 0 of the value read
  } cases[] = {
      {"2008-03-14 09:05:01", 1, "2008-03-14 09:05:01"},
      {"2008/03/14 23:59:59", 1, "2008-03-14 23:59:59"},
      {"2008/03/14", 2, "2008-03-14 00:00:00"},
      {"2008-03-14 25:00:00", 2, "2008-03-14 00:00:00"},  // the clock part is unusable
      {"1969-05-06", 2, "1971-05-06 00:00:00"},           // 1970 and before become 1971
      {"09:05:01", 3, "1971-01-01 09:05:01"},
      {"2008-03-14 09:05:01 7", 1, "2008-03-14 09:05:01"},  // six numbers at most
      {"2008-03", 0, nullptr},                               // too few numbers
      {"2008 03 14", 0, nullptr},                            // no separators
      {"2008-13-01", 0, nullptr},
      {"12345678-01-01", 0, nullptr},  // only 7 digits of a run count: year 1234567
      {"3001-01-01", 0, nullptr},      // beyond the run-time's last time
      {"", 0, nullptr},
  };
  for (const auto& c : cases) {
    CTime parsed = CTime(77);
    EXPECT_EQ(ConvertStrToCTime(c.text, parsed), c.kind) << c.text;
    if (c.kind != 0) {
      EXPECT_STREQ(ConvertTimeToStr(parsed.GetTime(), 0), c.value) << c.text;
      EXPECT_EQ(ConvertStrToTime(c.text), parsed.GetTime()) << c.text;
    } else {
      EXPECT_EQ(parsed.GetTime(), 77) << c.text;
      EXPECT_EQ(ConvertStrToTime(c.text), 0) << c.text;
    }
  }
  CTime parsed;
  EXPECT_EQ(ConvertStrToCTime(nullptr, parsed), 0);
  EXPECT_EQ(ConvertStrToTime(nullptr), 0);
}

TEST_F(TimeToolsTest, IntervalPacingByTicks) {
  DWORD last = 0;
  EXPECT_EQ(TimeIntervalArrived(last, 5), 1);
  EXPECT_EQ(last, GetTickCount());
  const DWORD first = last;
  clock().advance(4999);
  EXPECT_EQ(TimeIntervalArrived(last, 5), 0);
  EXPECT_EQ(last, first);
  clock().advance(1);
  EXPECT_EQ(TimeIntervalArrived(last, 5), 1);
  EXPECT_EQ(last, first + 5000);
  EXPECT_EQ(TimeIntervalArrived(last, 0), 1);

  // Across the wrap of the 32-bit tick count.
  clock().setTick(0xFFFFF000ull);
  last = GetTickCount();
  clock().advance(6000);
  EXPECT_LT(GetTickCount(), last);
  EXPECT_EQ(TimeIntervalArrived(last, 5), 1);
  EXPECT_EQ(TimeIntervalArrived(last, 5), 0);
}

}  // namespace
