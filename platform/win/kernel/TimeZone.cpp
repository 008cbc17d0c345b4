#include "platform/win/kernel/TimeZone.h"

#include <ctime>
#include <mutex>
#include <vector>

#include "platform/win/kernel/Calendar.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Root.h"

namespace wavorel {

int64_t TimeZone::changeLocal(int64_t year, const SYSTEMTIME& rule) {
  int64_t day;
  if (rule.wYear == 0) {
    const int64_t first = daysFromCivil(year, rule.wMonth, 1);
    int d = 1 + (rule.wDayOfWeek - weekdayFromDays(first) + 7) % 7 + (rule.wDay - 1) * 7;
    while (d > daysInMonth(year, rule.wMonth)) d -= 7;
    day = first + d - 1;
  } else {
    day = daysFromCivil(year, rule.wMonth, rule.wDay);
  }
  const int64_t ms = ((static_cast<int64_t>(rule.wHour) * 60 + rule.wMinute) * 60 + rule.wSecond) * 1000 +
                     rule.wMilliseconds;
  return kFileTimeUnixEpoch + day * kSecondsPerDay * kFileTimePerSecond + ms * kFileTimePerMs;
}

bool TimeZone::isDaylightAtUtc(int64_t utc) const {
  if (!hasDaylight()) return false;
  const int64_t localStandard = utc - minutes(info_.Bias + info_.StandardBias);
  const int64_t days = floorDiv(localStandard - kFileTimeUnixEpoch, kSecondsPerDay * kFileTimePerSecond);
  const int64_t year = civilFromDays(days).year;
  const int64_t start = changeLocal(year, info_.DaylightDate) + minutes(info_.Bias + info_.StandardBias);
  const int64_t end = changeLocal(year, info_.StandardDate) + minutes(info_.Bias + info_.DaylightBias);
  if (start < end) return utc >= start && utc < end;
  return utc < end || utc >= start;  // southern hemisphere: daylight time spans the new year
}

int64_t TimeZone::utcToLocal(int64_t utc, bool* daylight) const {
  const bool dst = isDaylightAtUtc(utc);
  if (daylight) *daylight = dst;
  return utc - minutes(info_.Bias + (dst ? info_.DaylightBias : info_.StandardBias));
}

int64_t TimeZone::localToUtc(int64_t local, int daylight, bool* wasDaylight) const {
  const int64_t asDaylight = local + minutes(info_.Bias + info_.DaylightBias);
  const int64_t asStandard = local + minutes(info_.Bias + info_.StandardBias);
  bool dst = false;
  if (hasDaylight()) dst = daylight < 0 ? isDaylightAtUtc(asDaylight) : daylight > 0;
  if (wasDaylight) *wasDaylight = dst;
  return dst ? asDaylight : asStandard;
}

namespace {

void copyName(WCHAR (&out)[32], const char* name) {
  size_t i = 0;
  for (; name && name[i] && i + 1 < 32; ++i) out[i] = static_cast<unsigned char>(name[i]);
  out[i] = 0;
}

std::tm hostLocal(time_t t) {
  std::tm out{};
  localtime_r(&t, &out);
  return out;
}

bool sameOffset(const std::tm& a, const std::tm& b) { return a.tm_isdst == b.tm_isdst && a.tm_gmtoff == b.tm_gmtoff; }

// The relative rule for a change at host instant `t`, given in the wall time before it.
SYSTEMTIME ruleAt(time_t t, const std::tm& before) {
  const int64_t wall = static_cast<int64_t>(t) + before.tm_gmtoff;
  const int64_t days = floorDiv(wall, kSecondsPerDay);
  const int64_t secs = wall - days * kSecondsPerDay;
  const CivilDate date = civilFromDays(days);
  SYSTEMTIME r{};
  r.wMonth = static_cast<WORD>(date.month);
  r.wDayOfWeek = static_cast<WORD>(weekdayFromDays(days));
  r.wDay = static_cast<WORD>(date.day + 7 > daysInMonth(date.year, date.month) ? 5 : (date.day - 1) / 7 + 1);
  r.wHour = static_cast<WORD>(secs / 3600);
  r.wMinute = static_cast<WORD>(secs / 60 % 60);
  r.wSecond = static_cast<WORD>(secs % 60);
  return r;
}

// The host's zone, from its C library: the offsets and the two changes of this year.
TIME_ZONE_INFORMATION hostZone() {
  tzset();
  const time_t now = std::time(nullptr);
  const std::tm nowTm = hostLocal(now);
  TIME_ZONE_INFORMATION z{};
  z.Bias = static_cast<LONG>(-nowTm.tm_gmtoff / 60);
  copyName(z.StandardName, nowTm.tm_zone);

  const time_t yearStart = static_cast<time_t>(daysFromCivil(nowTm.tm_year + 1900, 1, 1) * kSecondsPerDay);
  struct Change {
    time_t at;
    std::tm before, after;
  };
  std::vector<Change> changes;
  std::tm prev = hostLocal(yearStart);
  for (int day = 1; day <= 366; ++day) {
    const time_t t = yearStart + static_cast<time_t>(day) * kSecondsPerDay;
    std::tm cur = hostLocal(t);
    if (!sameOffset(cur, prev)) {
      time_t lo = t - kSecondsPerDay, hi = t;
      while (hi - lo > 1) {
        const time_t mid = lo + (hi - lo) / 2;
        (sameOffset(hostLocal(mid), prev) ? lo : hi) = mid;
      }
      changes.push_back({hi, prev, cur});
    }
    prev = cur;
  }
  const Change* toDaylight = nullptr;
  const Change* toStandard = nullptr;
  for (const Change& c : changes) {
    if (c.before.tm_isdst == 0 && c.after.tm_isdst > 0) toDaylight = &c;
    if (c.before.tm_isdst > 0 && c.after.tm_isdst == 0) toStandard = &c;
  }
  if (changes.size() != 2 || !toDaylight || !toStandard) return z;  // no (regular) daylight time
  z.Bias = static_cast<LONG>(-toDaylight->before.tm_gmtoff / 60);
  copyName(z.StandardName, toDaylight->before.tm_zone);
  copyName(z.DaylightName, toDaylight->after.tm_zone);
  z.DaylightBias = static_cast<LONG>(-(toDaylight->after.tm_gmtoff - toDaylight->before.tm_gmtoff) / 60);
  z.DaylightDate = ruleAt(toDaylight->at, toDaylight->before);
  z.StandardDate = ruleAt(toStandard->at, toStandard->before);
  return z;
}

struct ZoneState {
  std::mutex mutex;
  std::shared_ptr<const TimeZone> current;
};

ZoneState& zoneState() {
  static ZoneState state;
  static const bool registered = [] {
    registerStateReset([] {
      std::lock_guard<std::mutex> lock(zoneState().mutex);
      zoneState().current.reset();
    });
    return true;
  }();
  (void)registered;
  return state;
}

}  // namespace

std::shared_ptr<const TimeZone> currentTimeZone() {
  ZoneState& s = zoneState();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.current) {
    s.current = std::make_shared<const TimeZone>(hostZone());
  }
  return s.current;
}

void setTimeZone(const TIME_ZONE_INFORMATION& zone) {
  ZoneState& s = zoneState();
  auto z = std::make_shared<const TimeZone>(zone);
  std::lock_guard<std::mutex> lock(s.mutex);
  s.current = std::move(z);
}

}  // namespace wavorel
