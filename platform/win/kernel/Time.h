// Win32 time functions. Every clock reading comes from the platform clock
// (wavorel::clock()); local time is the platform time zone below, never the
// host's, so a test fixes both.
#pragma once

#include "platform/win/kernel/Types.h"

struct TIME_ZONE_INFORMATION {
  LONG Bias;  // minutes: UTC = local time + Bias
  WCHAR StandardName[32];
  // Change to standard time, in local daylight time. wYear 0: the wDay-th
  // (5 = last) wDayOfWeek of wMonth at wHour:wMinute. wMonth 0: no daylight time.
  SYSTEMTIME StandardDate;
  LONG StandardBias;
  WCHAR DaylightName[32];
  SYSTEMTIME DaylightDate;  // change to daylight time, in local standard time
  LONG DaylightBias;
};
typedef TIME_ZONE_INFORMATION* LPTIME_ZONE_INFORMATION;
typedef TIME_ZONE_INFORMATION* PTIME_ZONE_INFORMATION;

#define TIME_ZONE_ID_UNKNOWN 0
#define TIME_ZONE_ID_STANDARD 1
#define TIME_ZONE_ID_DAYLIGHT 2
#define TIME_ZONE_ID_INVALID 0xFFFFFFFFu

DWORD GetTickCount();
ULONGLONG GetTickCount64();
void Sleep(DWORD dwMilliseconds);

void GetSystemTime(LPSYSTEMTIME lpSystemTime);
void GetLocalTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
// Both use the bias in effect now, as on Windows, not the one at the converted time.
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);
// A null zone means the platform time zone.
BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
                                     const SYSTEMTIME* lpUniversalTime, LPSYSTEMTIME lpLocalTime);
BOOL TzSpecificLocalTimeToSystemTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
                                     const SYSTEMTIME* lpLocalTime, LPSYSTEMTIME lpUniversalTime);
LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);
DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation);

namespace wavorel {

// Replaces the platform time zone (tests). The default is the host's zone (TZ
// or the system's setting), read at first use and again after a platform state
// reset.
void setTimeZone(const TIME_ZONE_INFORMATION& zone);

}  // namespace wavorel
