#include "platform/win/kernel/Time.h"

#include "platform/win/kernel/Calendar.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/TimeZone.h"

using namespace wavorel;

namespace {

constexpr int64_t kFileTimePerDay = kSecondsPerDay * kFileTimePerSecond;

SYSTEMTIME systemTimeFromFileTime(int64_t ft) {
  const int64_t days = floorDiv(ft - kFileTimeUnixEpoch, kFileTimePerDay);
  const int64_t ms = (ft - kFileTimeUnixEpoch - days * kFileTimePerDay) / kFileTimePerMs;
  const CivilDate date = civilFromDays(days);
  SYSTEMTIME st;
  st.wYear = static_cast<WORD>(date.year);
  st.wMonth = static_cast<WORD>(date.month);
  st.wDayOfWeek = static_cast<WORD>(weekdayFromDays(days));
  st.wDay = static_cast<WORD>(date.day);
  st.wHour = static_cast<WORD>(ms / 3600000);
  st.wMinute = static_cast<WORD>(ms / 60000 % 60);
  st.wSecond = static_cast<WORD>(ms / 1000 % 60);
  st.wMilliseconds = static_cast<WORD>(ms % 1000);
  return st;
}

// False for a field out of range (the day of the week is not checked).
bool fileTimeFromSystemTime(const SYSTEMTIME& st, int64_t* ft) {
  if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
      st.wDay > daysInMonth(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 ||
      st.wMilliseconds > 999)
    return false;
  const int64_t days = daysFromCivil(st.wYear, st.wMonth, st.wDay);
  const int64_t ms = ((static_cast<int64_t>(st.wHour) * 60 + st.wMinute) * 60 + st.wSecond) * 1000 + st.wMilliseconds;
  *ft = kFileTimeUnixEpoch + days * kFileTimePerDay + ms * kFileTimePerMs;
  return true;
}

BOOL invalidParameter() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

}  // namespace

DWORD GetTickCount() { return static_cast<DWORD>(wavorel::clock().tickMs()); }

ULONGLONG GetTickCount64() { return wavorel::clock().tickMs(); }

void Sleep(DWORD dwMilliseconds) { wavorel::clock().sleepMs(dwMilliseconds); }

void GetSystemTime(LPSYSTEMTIME lpSystemTime) { *lpSystemTime = systemTimeFromFileTime(wavorel::clock().utcFileTime()); }

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
  *lpSystemTime = systemTimeFromFileTime(currentTimeZone()->utcToLocal(wavorel::clock().utcFileTime()));
}

void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
  *lpSystemTimeAsFileTime = intToFileTime(wavorel::clock().utcFileTime());
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
  if (!lpFileTime || !lpSystemTime) return invalidParameter();
  const int64_t ft = fileTimeToInt(*lpFileTime);
  if (ft < 0) return invalidParameter();
  *lpSystemTime = systemTimeFromFileTime(ft);
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
  int64_t ft = 0;
  if (!lpSystemTime || !lpFileTime || !fileTimeFromSystemTime(*lpSystemTime, &ft)) return invalidParameter();
  *lpFileTime = intToFileTime(ft);
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
  if (!lpFileTime || !lpLocalFileTime) return invalidParameter();
  const int64_t now = wavorel::clock().utcFileTime();
  const int64_t shift = currentTimeZone()->utcToLocal(now) - now;
  // Added as the 64-bit word it is: a time near the end of the range wraps
  // into one that FileTimeToSystemTime refuses.
  *lpLocalFileTime = intToFileTime(static_cast<int64_t>(static_cast<uint64_t>(fileTimeToInt(*lpFileTime)) +
                                                        static_cast<uint64_t>(shift)));
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
  if (!lpLocalFileTime || !lpFileTime) return invalidParameter();
  const int64_t now = wavorel::clock().utcFileTime();
  const int64_t shift = currentTimeZone()->utcToLocal(now) - now;
  *lpFileTime = intToFileTime(fileTimeToInt(*lpLocalFileTime) - shift);
  return TRUE;
}

BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
                                     const SYSTEMTIME* lpUniversalTime, LPSYSTEMTIME lpLocalTime) {
  int64_t utc = 0;
  if (!lpUniversalTime || !lpLocalTime || !fileTimeFromSystemTime(*lpUniversalTime, &utc)) return invalidParameter();
  const auto zone = lpTimeZoneInformation ? std::make_shared<const TimeZone>(*lpTimeZoneInformation) : currentTimeZone();
  *lpLocalTime = systemTimeFromFileTime(zone->utcToLocal(utc));
  return TRUE;
}

BOOL TzSpecificLocalTimeToSystemTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
                                     const SYSTEMTIME* lpLocalTime, LPSYSTEMTIME lpUniversalTime) {
  int64_t local = 0;
  if (!lpLocalTime || !lpUniversalTime || !fileTimeFromSystemTime(*lpLocalTime, &local)) return invalidParameter();
  const auto zone = lpTimeZoneInformation ? std::make_shared<const TimeZone>(*lpTimeZoneInformation) : currentTimeZone();
  *lpUniversalTime = systemTimeFromFileTime(zone->localToUtc(local, -1));
  return TRUE;
}

LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
  const uint64_t a = static_cast<uint64_t>(fileTimeToInt(*lpFileTime1));
  const uint64_t b = static_cast<uint64_t>(fileTimeToInt(*lpFileTime2));
  return a < b ? -1 : a > b ? 1 : 0;
}

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation) {
  if (!lpTimeZoneInformation) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return TIME_ZONE_ID_INVALID;
  }
  const auto zone = currentTimeZone();
  *lpTimeZoneInformation = zone->info();
  if (!zone->hasDaylight()) return TIME_ZONE_ID_UNKNOWN;
  return zone->isDaylightAtUtc(wavorel::clock().utcFileTime()) ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}
