// The time functions of the Microsoft C run-time: 64-bit time values in
// seconds since 1970-01-01 UTC, read from the platform clock and turned into
// local time with the platform time zone (Time.h), never the host's.
//
// time, localtime, gmtime, mktime and strftime clash with the C library's
// functions of the same names, which follow the host's clock and zone. After
// the C library's declarations, function-like macros send every call to the
// wavorel_ versions below (std::time(...) as well). Only calls are renamed: a
// variable or parameter called `time` keeps working unless it is constructed
// with parentheses (`CTime time(t)`; write `CTime time = ...` instead).
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

typedef int64_t __time64_t;
static_assert(sizeof(time_t) == 8, "time_t is the 64-bit time");

// Latest time the run-time accepts: 3000-12-31 23:59:59 UTC.
#define _MAX__TIME64_T 32535215999LL

__time64_t _time64(__time64_t* timer);
// Local (or UTC) broken-down time in a buffer of the calling thread, shared by
// both functions and _mktime64; null for a negative time or one past _MAX__TIME64_T.
struct tm* _localtime64(const __time64_t* timer);
struct tm* _gmtime64(const __time64_t* timer);
// 0 on success, EINVAL (and every field -1) for a null argument or a time out of range.
int _localtime64_s(struct tm* tmDest, const __time64_t* timer);
// Normalises the fields of a local time and returns its time value; tm_isdst
// > 0 takes daylight time, 0 standard time, < 0 lets the zone's rules decide.
// -1 for a result before 1970 or past _MAX__TIME64_T.
__time64_t _mktime64(struct tm* timeptr);

time_t wavorel_time(time_t* timer);
struct tm* wavorel_localtime(const time_t* timer);
struct tm* wavorel_gmtime(const time_t* timer);
time_t wavorel_mktime(struct tm* timeptr);
// strftime of the "C" locale as the Microsoft run-time has it: %c is
// "%m/%d/%y %H:%M:%S", %x "%m/%d/%y", %X "%H:%M:%S", %z/%Z the platform zone;
// the '#' flag drops leading zeros (%#d...) and gives the long %#c and %#x.
// Returns the length written, or 0 (with an empty text) when the result and
// its terminator do not fit in maxsize, or for an unknown conversion.
size_t wavorel_strftime(char* strDest, size_t maxsize, const char* format, const struct tm* timeptr);

namespace std {
using ::wavorel_gmtime;
using ::wavorel_localtime;
using ::wavorel_mktime;
using ::wavorel_strftime;
using ::wavorel_time;
}  // namespace std

#define time(timer) wavorel_time(timer)
#define localtime(timer) wavorel_localtime(timer)
#define gmtime(timer) wavorel_gmtime(timer)
#define mktime(timeptr) wavorel_mktime(timeptr)
#define strftime(dest, maxsize, format, timeptr) wavorel_strftime(dest, maxsize, format, timeptr)
