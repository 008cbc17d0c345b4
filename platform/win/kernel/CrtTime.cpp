#include "platform/win/kernel/CrtTime.h"

#include <cerrno>
#include <string>

#include "platform/win/kernel/Calendar.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/TimeZone.h"

using namespace wavorel;

namespace {

std::tm& threadTm() {
  thread_local std::tm t{};
  return t;
}

bool inRange(int64_t t) { return t >= 0 && t <= _MAX__TIME64_T; }

std::tm brokenDown(int64_t wallSeconds, bool daylight) {
  const int64_t days = floorDiv(wallSeconds, kSecondsPerDay);
  const int64_t secs = wallSeconds - days * kSecondsPerDay;
  const CivilDate date = civilFromDays(days);
  std::tm t{};
  t.tm_year = static_cast<int>(date.year - 1900);
  t.tm_mon = date.month - 1;
  t.tm_mday = date.day;
  t.tm_hour = static_cast<int>(secs / 3600);
  t.tm_min = static_cast<int>(secs / 60 % 60);
  t.tm_sec = static_cast<int>(secs % 60);
  t.tm_wday = weekdayFromDays(days);
  t.tm_yday = static_cast<int>(days - daysFromCivil(date.year, 1, 1));
  t.tm_isdst = daylight ? 1 : 0;
  return t;
}

std::tm localBrokenDown(int64_t t) {
  bool daylight = false;
  const int64_t local = currentTimeZone()->utcToLocal(kFileTimeUnixEpoch + t * kFileTimePerSecond, &daylight);
  return brokenDown((local - kFileTimeUnixEpoch) / kFileTimePerSecond, daylight);
}

const char* const kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};

// Appends one conversion; false for an unknown one.
bool convert(std::string& out, char c, bool alt, const std::tm& t) {
  auto num = [&](long v, int width) {
    std::string digits = std::to_string(v < 0 ? -v : v);
    if (!alt && digits.size() < static_cast<size_t>(width)) digits.insert(0, width - digits.size(), '0');
    if (v < 0) out += '-';
    out += digits;
  };
  auto seq = [&](const char* codes) {
    for (; *codes; ++codes) {
      if (*codes == '%') {
        convert(out, codes[1], alt, t);
        ++codes;
      } else {
        out += *codes;
      }
    }
  };
  const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
  switch (c) {
    case 'a': out.append(kDays[t.tm_wday], 3); break;
    case 'A': out += kDays[t.tm_wday]; break;
    case 'b':
    case 'h': out.append(kMonths[t.tm_mon], 3); break;
    case 'B': out += kMonths[t.tm_mon]; break;
    case 'c': seq(alt ? "%A, %B %d, %Y %H:%M:%S" : "%m/%d/%y %H:%M:%S"); break;
    case 'C': num((t.tm_year + 1900L) / 100, 2); break;
    case 'd': num(t.tm_mday, 2); break;
    case 'D': seq("%m/%d/%y"); break;
    case 'e': {
      std::string d = std::to_string(t.tm_mday);
      out += (d.size() < 2 && !alt ? " " : "") + d;
      break;
    }
    case 'F': seq("%Y-%m-%d"); break;
    case 'H': num(t.tm_hour, 2); break;
    case 'I': num(hour12, 2); break;
    case 'j': num(t.tm_yday + 1, 3); break;
    case 'm': num(t.tm_mon + 1, 2); break;
    case 'M': num(t.tm_min, 2); break;
    case 'n': out += '\n'; break;
    case 'p': out += t.tm_hour < 12 ? "AM" : "PM"; break;
    case 'r': seq("%I:%M:%S %p"); break;
    case 'R': seq("%H:%M"); break;
    case 'S': num(t.tm_sec, 2); break;
    case 't': out += '\t'; break;
    case 'T':
    case 'X': seq("%H:%M:%S"); break;
    case 'u': num(t.tm_wday == 0 ? 7 : t.tm_wday, 1); break;
    case 'U': num((t.tm_yday + 7 - t.tm_wday) / 7, 2); break;
    case 'w': num(t.tm_wday, 1); break;
    case 'W': num((t.tm_yday + 7 - (t.tm_wday + 6) % 7) / 7, 2); break;
    case 'x': seq(alt ? "%A, %B %d, %Y" : "%m/%d/%y"); break;
    case 'y': num((t.tm_year + 1900L) % 100, 2); break;
    case 'Y': num(t.tm_year + 1900L, 4); break;
    case 'z':
    case 'Z': {
      const TIME_ZONE_INFORMATION& zone = currentTimeZone()->info();
      const bool daylight = t.tm_isdst > 0 && currentTimeZone()->hasDaylight();
      if (c == 'z') {
        const long east = -(zone.Bias + (daylight ? zone.DaylightBias : zone.StandardBias));
        const long a = east < 0 ? -east : east;
        out += east < 0 ? '-' : '+';
        const bool keepAlt = alt;
        alt = false;
        num(a / 60 * 100 + a % 60, 4);
        alt = keepAlt;
      } else {
        const WCHAR(&name)[32] = daylight ? zone.DaylightName : zone.StandardName;
        for (size_t i = 0; i < 32 && name[i]; ++i) out += name[i] < 0x80 ? static_cast<char>(name[i]) : '?';
      }
      break;
    }
    case '%': out += '%'; break;
    default: return false;
  }
  return true;
}

}  // namespace

__time64_t _time64(__time64_t* timer) {
  const __time64_t t = floorDiv(wavorel::clock().utcFileTime() - kFileTimeUnixEpoch, kFileTimePerSecond);
  if (timer) *timer = t;
  return t;
}

struct tm* _localtime64(const __time64_t* timer) {
  if (!timer || !inRange(*timer)) {
    errno = EINVAL;
    return nullptr;
  }
  threadTm() = localBrokenDown(*timer);
  return &threadTm();
}

struct tm* _gmtime64(const __time64_t* timer) {
  if (!timer || !inRange(*timer)) {
    errno = EINVAL;
    return nullptr;
  }
  threadTm() = brokenDown(*timer, false);
  return &threadTm();
}

int _localtime64_s(struct tm* tmDest, const __time64_t* timer) {
  if (!tmDest) return EINVAL;
  if (!timer || !inRange(*timer)) {
    tmDest->tm_sec = tmDest->tm_min = tmDest->tm_hour = tmDest->tm_mday = tmDest->tm_mon = tmDest->tm_year = -1;
    tmDest->tm_wday = tmDest->tm_yday = tmDest->tm_isdst = -1;
    return EINVAL;
  }
  *tmDest = localBrokenDown(*timer);
  return 0;
}

__time64_t _mktime64(struct tm* timeptr) {
  if (!timeptr) {
    errno = EINVAL;
    return -1;
  }
  const int64_t year = 1900LL + timeptr->tm_year + floorDiv(timeptr->tm_mon, 12);
  const int month = static_cast<int>(timeptr->tm_mon - floorDiv(timeptr->tm_mon, 12) * 12) + 1;
  const int64_t days = daysFromCivil(year, month, 1) + timeptr->tm_mday - 1;
  const int64_t wall = days * kSecondsPerDay + timeptr->tm_hour * 3600LL + timeptr->tm_min * 60LL + timeptr->tm_sec;
  const int64_t utc = currentTimeZone()->localToUtc(kFileTimeUnixEpoch + wall * kFileTimePerSecond,
                                                    timeptr->tm_isdst > 0 ? 1 : timeptr->tm_isdst == 0 ? 0 : -1);
  const int64_t t = floorDiv(utc - kFileTimeUnixEpoch, kFileTimePerSecond);
  if (!inRange(t)) {
    errno = EINVAL;
    return -1;
  }
  *timeptr = localBrokenDown(t);
  return t;
}

time_t wavorel_time(time_t* timer) { return _time64(timer); }

struct tm* wavorel_localtime(const time_t* timer) { return _localtime64(timer); }

struct tm* wavorel_gmtime(const time_t* timer) { return _gmtime64(timer); }

time_t wavorel_mktime(struct tm* timeptr) { return _mktime64(timeptr); }

size_t wavorel_strftime(char* strDest, size_t maxsize, const char* format, const struct tm* timeptr) {
  if (!strDest || !format || !timeptr || maxsize == 0 || timeptr->tm_wday < 0 || timeptr->tm_wday > 6 ||
      timeptr->tm_mon < 0 || timeptr->tm_mon > 11) {
    if (strDest && maxsize) *strDest = 0;
    errno = EINVAL;
    return 0;
  }
  std::string out;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    const bool alt = p[1] == '#';
    if (alt) ++p;
    if (!*++p || !convert(out, *p, alt, *timeptr)) {
      *strDest = 0;
      errno = EINVAL;
      return 0;
    }
  }
  if (out.size() + 1 > maxsize) {
    *strDest = 0;
    errno = ERANGE;
    return 0;
  }
  out.copy(strDest, out.size());
  strDest[out.size()] = 0;
  return out.size();
}
