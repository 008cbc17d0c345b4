// Proleptic Gregorian calendar arithmetic shared by the time functions: days
// are counted from 1970-01-01, FILETIME values in 100-ns units from 1601-01-01.
#pragma once

#include <cstdint>

namespace wavorel {

constexpr int64_t kFileTimePerMs = 10000;
constexpr int64_t kFileTimePerSecond = 10000000;
constexpr int64_t kSecondsPerDay = 86400;

inline bool isLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

inline int daysInMonth(int64_t y, int m) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

// Days from 1970-01-01 to the given date (month 1..12, day 1..31).
inline int64_t daysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct CivilDate {
  int64_t year;
  int month;  // 1..12
  int day;    // 1..31
};

inline CivilDate civilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (m <= 2), m, d};
}

// 0 = Sunday.
inline int weekdayFromDays(int64_t z) { return static_cast<int>(z >= -4 ? (z + 4) % 7 : (z + 5) % 7 + 6); }

// Floor division for negative times.
inline int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace wavorel
