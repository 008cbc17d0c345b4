#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <tuple>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/CrtTime.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/Time.h"

namespace wavorel {
namespace {

// FILETIME of a UTC date and time.
int64_t utc(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
  SYSTEMTIME st{y, mo, 0, d, h, mi, s, 0};
  FILETIME ft;
  EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
  return fileTimeToInt(ft);
}

__time64_t toTime64(int64_t fileTime) { return (fileTime - kFileTimeUnixEpoch) / 10000000; }

std::string text(const SYSTEMTIME& st) {
  char buf[64];
  std::snprintf(buf, sizeof(buf), "%04u-%02u-%02u %02u:%02u:%02u.%03u w%u", st.wYear, st.wMonth, st.wDay, st.wHour,
                st.wMinute, st.wSecond, st.wMilliseconds, st.wDayOfWeek);
  return buf;
}

TIME_ZONE_INFORMATION fixedZone(LONG bias) {
  TIME_ZONE_INFORMATION z{};
  z.Bias = bias;
  return z;
}

// Central Europe: +1 h, +2 h from the last Sunday of March 02:00 to the last Sunday of October 03:00.
TIME_ZONE_INFORMATION centralEurope() {
  TIME_ZONE_INFORMATION z{};
  z.Bias = -60;
  z.DaylightBias = -60;
  z.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
  z.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
  const char16_t std[] = u"CET", dst[] = u"CEST";
  std::memcpy(z.StandardName, std, sizeof(std));
  std::memcpy(z.DaylightName, dst, sizeof(dst));
  return z;
}

// Southern hemisphere: +10 h, +11 h from the first Sunday of October to the first Sunday of April.
TIME_ZONE_INFORMATION southEast() {
  TIME_ZONE_INFORMATION z{};
  z.Bias = -600;
  z.DaylightBias = -60;
  z.DaylightDate = {0, 10, 0, 1, 2, 0, 0, 0};
  z.StandardDate = {0, 4, 0, 1, 3, 0, 0, 0};
  return z;
}

using TimeTest = testing::PlatformTest;

TEST_F(TimeTest, ClockReadingsFollowTheVirtualClock) {
  setTimeZone(fixedZone(-480));
  clock().setUtcFileTime(utc(2026, 6, 15, 10, 0, 0));
  const DWORD tick0 = GetTickCount();
  const __time64_t t0 = _time64(nullptr);
  EXPECT_EQ(t0, toTime64(utc(2026, 6, 15, 10, 0, 0)));

  clock().advance(90500);
  Sleep(500);
  SYSTEMTIME local, system;
  GetLocalTime(&local);
  GetSystemTime(&system);
  EXPECT_EQ(text(local), "2026-06-15 18:01:31.000 w1");
  EXPECT_EQ(text(system), "2026-06-15 10:01:31.000 w1");
  EXPECT_EQ(GetTickCount() - tick0, 91000u);
  time_t viaTime = 0;
  EXPECT_EQ(time(&viaTime), t0 + 91);
  EXPECT_EQ(viaTime, t0 + 91);
  EXPECT_EQ(std::time(nullptr), t0 + 91);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  EXPECT_EQ(fileTimeToInt(now), utc(2026, 6, 15, 10, 1, 31));
}

TEST_F(TimeTest, TickCountWrapsAt32Bits) {
  clock().setTick((1ull << 32) - 10);
  const DWORD before = GetTickCount();
  EXPECT_EQ(before, 0xFFFFFFF6u);
  clock().advance(25);
  EXPECT_EQ(GetTickCount(), 15u);
  EXPECT_EQ(GetTickCount64(), (1ull << 32) + 15);
  EXPECT_EQ(static_cast<DWORD>(GetTickCount() - before), 25u);
}

TEST_F(TimeTest, LocalTimeAcrossDaylightChanges) {
  struct Case {
    TIME_ZONE_INFORMATION (*zone)();
    int64_t utc;
    const char* local;
    int isdst;
  } cases[] = {
      {centralEurope, utc(2026, 3, 29, 0, 59, 59), "2026-03-29 01:59:59", 0},
      {centralEurope, utc(2026, 3, 29, 1, 0, 0), "2026-03-29 03:00:00", 1},
      {centralEurope, utc(2026, 10, 25, 0, 59, 59), "2026-10-25 02:59:59", 1},
      {centralEurope, utc(2026, 10, 25, 1, 0, 0), "2026-10-25 02:00:00", 0},
      {centralEurope, utc(2027, 3, 28, 1, 0, 0), "2027-03-28 03:00:00", 1},
      {southEast, utc(2026, 1, 10, 12, 0, 0), "2026-01-10 23:00:00", 1},
      {southEast, utc(2026, 7, 10, 12, 0, 0), "2026-07-10 22:00:00", 0},
      {southEast, utc(2026, 10, 3, 15, 59, 59), "2026-10-04 01:59:59", 0},
      {southEast, utc(2026, 10, 3, 16, 0, 0), "2026-10-04 03:00:00", 1},
  };
  for (const Case& c : cases) {
    setTimeZone(c.zone());
    const __time64_t t = toTime64(c.utc);
    const std::tm* tm = _localtime64(&t);
    ASSERT_NE(tm, nullptr);
    char buf[32];
    ASSERT_GT(strftime(buf, sizeof(buf), "%Y-%m-%d %H:%M:%S", tm), 0u);
    EXPECT_EQ(std::string(buf), c.local) << c.local;
    EXPECT_EQ(tm->tm_isdst, c.isdst) << c.local;
    std::tm back = *tm;
    back.tm_isdst = c.isdst;
    EXPECT_EQ(_mktime64(&back), t) << c.local;

    clock().setUtcFileTime(c.utc);
    SYSTEMTIME st;
    GetLocalTime(&st);
    EXPECT_EQ(text(st).substr(0, 19), c.local);
    TIME_ZONE_INFORMATION info;
    EXPECT_EQ(GetTimeZoneInformation(&info), c.isdst ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD);
  }
}

TEST_F(TimeTest, MktimeNormalisesAndLetsTheZoneDecide) {
  setTimeZone(centralEurope());
  struct Case {
    int year, mon, mday, hour, min;
    int64_t utc;
    const char* normalised;
    int isdst;
  } cases[] = {
      {2026, 5, 31, 12, 0, utc(2026, 7, 1, 10, 0, 0), "2026-07-01 12:00 w3", 1},  // June 31st
      {2026, 0, 15, 12, 0, utc(2026, 1, 15, 11, 0, 0), "2026-01-15 12:00 w4", 0},
      {2026, 2, 29, 2, 30, utc(2026, 3, 29, 1, 30, 0), "2026-03-29 03:30 w0", 1},  // skipped hour
      {2026, 12, 0, 24, 0, utc(2026, 12, 31, 23, 0, 0), "2027-01-01 00:00 w5", 0},  // month 13, day 0
  };
  for (const Case& c : cases) {
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.mon;
    tm.tm_mday = c.mday;
    tm.tm_hour = c.hour;
    tm.tm_min = c.min;
    tm.tm_isdst = -1;
    EXPECT_EQ(mktime(&tm), toTime64(c.utc)) << c.normalised;
    char buf[32];
    strftime(buf, sizeof(buf), "%Y-%m-%d %H:%M w%w", &tm);
    EXPECT_EQ(std::string(buf), c.normalised);
    EXPECT_EQ(tm.tm_isdst, c.isdst) << c.normalised;
  }
  std::tm early{};
  early.tm_year = 69;
  early.tm_mday = 1;
  EXPECT_EQ(_mktime64(&early), -1) << "before 1970";
  const __time64_t tooLate = _MAX__TIME64_T + 1, negative = -1;
  EXPECT_EQ(_localtime64(&tooLate), nullptr);
  EXPECT_EQ(_gmtime64(&negative), nullptr);
}

TEST_F(TimeTest, SystemTimeRoundTripsAndRejectsInvalidDates) {
  const SYSTEMTIME valid[] = {
      {2024, 2, 4, 29, 23, 59, 59, 999},
      {1601, 1, 1, 1, 0, 0, 0, 0},
      {1970, 1, 4, 1, 0, 0, 0, 0},
      {30827, 12, 5, 31, 23, 59, 59, 999},
  };
  for (const SYSTEMTIME& st : valid) {
    SYSTEMTIME in = st;
    in.wDayOfWeek = 6;  // ignored on the way in, computed on the way out
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&in, &ft)) << text(st);
    SYSTEMTIME out;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &out));
    EXPECT_EQ(text(out), text(st));
  }
  EXPECT_EQ(utc(1970, 1, 1, 0, 0, 0), kFileTimeUnixEpoch);
  EXPECT_EQ(utc(1601, 1, 1, 0, 0, 0), 0);

  const SYSTEMTIME invalid[] = {
      {2024, 2, 0, 30, 0, 0, 0, 0}, {2023, 2, 0, 29, 0, 0, 0, 0}, {2024, 13, 0, 1, 0, 0, 0, 0},
      {2024, 0, 0, 1, 0, 0, 0, 0},  {2024, 4, 0, 31, 0, 0, 0, 0}, {2024, 1, 0, 0, 0, 0, 0, 0},
      {2024, 1, 0, 1, 24, 0, 0, 0}, {2024, 1, 0, 1, 0, 60, 0, 0}, {2024, 1, 0, 1, 0, 0, 0, 1000},
      {1600, 12, 0, 31, 0, 0, 0, 0},
  };
  for (const SYSTEMTIME& st : invalid) {
    FILETIME ft{0x12345678u, 0x9ABCDEFu};
    SetLastError(0);
    EXPECT_FALSE(SystemTimeToFileTime(&st, &ft)) << text(st);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(ft.dwLowDateTime, 0x12345678u) << "output untouched";
  }
  const FILETIME negative{0, 0x80000000u};
  SYSTEMTIME out;
  EXPECT_FALSE(FileTimeToSystemTime(&negative, &out));

  const FILETIME a = intToFileTime(5), b = intToFileTime(0x100000000LL);
  EXPECT_EQ(CompareFileTime(&a, &b), -1);
  EXPECT_EQ(CompareFileTime(&b, &a), 1);
  EXPECT_EQ(CompareFileTime(&a, &a), 0);
}

TEST_F(TimeTest, LocalFileTimeUsesTheBiasInEffectNow) {
  setTimeZone(centralEurope());
  clock().setUtcFileTime(utc(2026, 7, 1, 12, 0, 0));
  const FILETIME winter = intToFileTime(utc(2026, 1, 10, 8, 0, 0));
  FILETIME local, back;
  ASSERT_TRUE(FileTimeToLocalFileTime(&winter, &local));
  EXPECT_EQ(fileTimeToInt(local), utc(2026, 1, 10, 10, 0, 0)) << "summer bias, as Windows does";
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
  EXPECT_EQ(fileTimeToInt(back), fileTimeToInt(winter));

  const SYSTEMTIME winterUtc = {2026, 1, 0, 10, 8, 0, 0, 0};
  SYSTEMTIME exact, again;
  ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &winterUtc, &exact));
  EXPECT_EQ(text(exact), "2026-01-10 09:00:00.000 w6") << "the rule at that time";
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &exact, &again));
  EXPECT_EQ(text(again), "2026-01-10 08:00:00.000 w6");
}

TEST_F(TimeTest, StrftimeOfAFixedDate) {
  setTimeZone(centralEurope());
  const __time64_t t = 1204726029;  // 2008-03-05 14:07:09 UTC, a Wednesday
  const std::tm tm = *_gmtime64(&t);
  struct Case {
    const char* format;
    const char* expected;
  } cases[] = {
      {"%Y%m", "200803"},
      {"%y-%m", "08-03"},
      {"%Y-%m-%d %H:%M:%S", "2008-03-05 14:07:09"},
      {"%d%H%M%S", "05140709"},
      {"%Y-%m-%d %H_%M_%S", "2008-03-05 14_07_09"},
      {"%a %A %b %B", "Wed Wednesday Mar March"},
      {"%I %p %j %w %U %W", "02 PM 065 3 09 09"},
      {"%c|%x|%X", "03/05/08 14:07:09|03/05/08|14:07:09"},
      {"%#d/%#m %#H %#j", "5/3 14 65"},
      {"%#x", "Wednesday, March 5, 2008"},
      {"%z %Z %%", "+0100 CET %"},
  };
  for (const Case& c : cases) {
    char buf[64];
    EXPECT_EQ(strftime(buf, sizeof(buf), c.format, &tm), std::strlen(c.expected)) << c.format;
    EXPECT_STREQ(buf, c.expected);
  }
  char small[20] = "xxxx";
  EXPECT_EQ(strftime(small, 19, "%Y-%m-%d %H:%M:%S", &tm), 0u) << "no room for the terminator";
  EXPECT_STREQ(small, "");
  EXPECT_EQ(strftime(small, 20, "%Y-%m-%d %H:%M:%S", &tm), 19u);
}

// The default zone is the host's: it agrees with the host's C library all year.
TEST_F(TimeTest, DefaultZoneIsTheHosts) {
  const char* saved = std::getenv("TZ");
  const std::string restore = saved ? saved : "";
  for (const char* tz : {"CET-1CEST,M3.5.0,M10.5.0/3", "AEST-10AEDT,M10.1.0,M4.1.0/3", "IST-5:30", "UTC0"}) {
    setenv("TZ", tz, 1);
    tzset();
    resetPlatformState();
    const time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm host{};
    localtime_r(&now, &host);
    const time_t yearStart = now - host.tm_yday * 86400 - host.tm_hour * 3600;
    for (time_t t = yearStart; t < yearStart + 366 * 86400; t += 1800) {
      localtime_r(&t, &host);
      const __time64_t t64 = t;
      const std::tm* ours = _localtime64(&t64);
      ASSERT_NE(ours, nullptr);
      ASSERT_EQ(std::make_tuple(ours->tm_mday, ours->tm_hour, ours->tm_min, ours->tm_isdst),
                std::make_tuple(host.tm_mday, host.tm_hour, host.tm_min, host.tm_isdst))
          << tz << " at " << t;
    }
  }
  if (saved) {
    setenv("TZ", restore.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
  resetPlatformState();
}

}  // namespace
}  // namespace wavorel
