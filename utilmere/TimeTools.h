// Time functions: the current local time as a 64-bit time value (seconds
// since 1970-01-01 UTC), numbered text layouts of such values, durations as
// text, date-and-time texts parsed back, and pacing of repeated work by the
// tick count.
#pragma once

#include "platform/Platform.h"

// Layouts of ConvertTimeToStr. Every other number gives "%Y-%m-%d %H:%M:%S".
enum GxTimeLayout {
  GXTIME_YEARMONTH = 1,          // "%Y%m"
  GXTIME_SHORTYEARMONTH = 2,     // "%y-%m"
  GXTIME_YEARMONTHDAY = 3,       // "%Y%m%d"
  GXTIME_DAYNAME_CLOCK = 4,      // "{Sun.}{ }{A.M.}{ }hh:mm", hour 0..11
  GXTIME_HOURMINUTE = 5,         // "%H:%M"
  GXTIME_DATE = 6,               // "%Y-%m-%d"
  GXTIME_MONTHDAY = 7,           // "%m/%d"
  GXTIME_MONTHDAY_CLOCK = 8,     // "mm/dd({Sun.}){ }{A.M.}{ }hh:mm"
  GXTIME_MONTHDAY_HOURMIN = 9,   // "%m-%d %H:%M"
  GXTIME_DASHYEARMONTH = 10,     // "%Y-%m"
  GXTIME_DAYHOURMINSEC = 11,     // "%d%H%M%S"
  GXTIME_FILENAME_STAMP = 12,    // "%Y-%m-%d %H_%M_%S"
  GXTIME_FULL = 0                // "%Y-%m-%d %H:%M:%S"
};

// The local date and time of the system clock as a time value; 0 when the
// system year is before 1900.
__int64 gxGetCurrentTime();

// Writes `time` in `layout` into `buffer` (at most size - 1 characters, always
// terminated) and returns the characters written. A time of 0 or below writes
// "1970-01-01 00:00:00" (cut to the buffer) and returns 0.
int ConvertTimeToStr(__int64 time, char* buffer, int size, int layout);
CString ConvertTimeToStr(__int64 time, int layout);
// A local SYSTEMTIME; a year before 1900 counts as time 0.
CString ConvertTimeToStr(SYSTEMTIME& st, int layout);

// "%Y-%m-%d %H:%M:%S" of `time` (the current time when 0) into a buffer of
// at least 20 bytes; returns the characters written.
DWORD GetCurTimeString(char* buffer, __int64 time);
CString GetCurTimeString(__int64 time);

// A duration as "dd hh:mm:ss" with leading zero parts left out ("59",
// "01:00", "01 00:00:00"); 0 gives "00". Returns `buffer`.
char* ConvertTimeLongToStr(int seconds, char* buffer, int size);
CString ConvertTimeLongToStr(int seconds);

// Reads a date-and-time text into `time`. Returns the kind found: 1 a full
// date and time, 2 a date, 3 a time of day; 0 for none (time is then left
// unchanged).
int ConvertStrToCTime(const char* text, CTime& time);
// The value ConvertStrToCTime reads; 0 for a null text or no match.
__int64 ConvertStrToTime(const char* text);

// 1, storing the current tick count in lastTick, when lastTick is 0 or at
// least `seconds` whole seconds have passed since it; else 0.
int TimeIntervalArrived(DWORD& lastTick, DWORD seconds);
