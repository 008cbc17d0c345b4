#include "utilmere/TimeTools.h"

#include "platform/Platform.h"
#include "utilmere/LocalTimeValue.h"

namespace {

const char* const kDayNames[7] = {"Sun.", "Mon.", "Tue.", "Wed.", "Thu.", "Fri.", "Sta."};
const char kNoTimeText[] = "1970-01-01 00:00:00";
const int kLayoutBufferSize = 256;

const char* halfDayName(int hour) { return hour < 12 ? "A.M." : "P.M."; }

// Copies `text` into `buffer`, cut to size - 1 characters and terminated.
int copyCut(const char* text, char* buffer, int size) {
  int length = static_cast<int>(strlen(text));
  if (length > size - 1) length = size - 1;
  memcpy(buffer, text, static_cast<size_t>(length));
  buffer[length] = '\0';
  return length;
}

const char* strftimePattern(int layout) {
  switch (layout) {
    case GXTIME_YEARMONTH: return "%Y%m";
    case GXTIME_SHORTYEARMONTH: return "%y-%m";
    case GXTIME_YEARMONTHDAY: return "%Y%m%d";
    case GXTIME_HOURMINUTE: return "%H:%M";
    case GXTIME_DATE: return "%Y-%m-%d";
    case GXTIME_MONTHDAY: return "%m/%d";
    case GXTIME_MONTHDAY_HOURMIN: return "%m-%d %H:%M";
    case GXTIME_DASHYEARMONTH: return "%Y-%m";
    case GXTIME_DAYHOURMINSEC: return "%d%H%M%S";
    case GXTIME_FILENAME_STAMP: return "%Y-%m-%d %H_%M_%S";
    default: return "%Y-%m-%d %H:%M:%S";
  }
}

// The layout's text of a local time in a buffer of kLayoutBufferSize bytes.
void formatLayout(const struct tm& local, int layout, char* text) {
  if (layout == GXTIME_DAYNAME_CLOCK) {
    _snprintf(text, kLayoutBufferSize - 1, "{%s}{ }{%s}{ }%.2d:%.2d", kDayNames[local.tm_wday],
              halfDayName(local.tm_hour), local.tm_hour % 12, local.tm_min);
  } else if (layout == GXTIME_MONTHDAY_CLOCK) {
    _snprintf(text, kLayoutBufferSize - 1, "%.2d/%.2d({%s}){ }{%s}{ }%.2d:%.2d", local.tm_mon + 1,
              local.tm_mday, kDayNames[local.tm_wday], halfDayName(local.tm_hour), local.tm_hour % 12,
              local.tm_min);
  } else {
    strftime(text, kLayoutBufferSize, strftimePattern(layout), &local);
  }
}

// A local date and time as a time value; -1 when the run-time cannot hold it.
__int64 partsValue(int year, int month, int day, int hour, int minute, int second) {
  struct tm local = {};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return _mktime64(&local);
}

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

__int64 utilmere::localTimeValue(const SYSTEMTIME& st) {
  if (st.wYear < 1900) return 0;
  __int64 value = partsValue(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
  return value < 0 ? 0 : value;
}

__int64 gxGetCurrentTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return utilmere::localTimeValue(now);
}

int ConvertTimeToStr(__int64 time, char* buffer, int size, int layout) {
  if (buffer == nullptr || size <= 0) return 0;
  struct tm local;
  // A value the run-time has no local form for (past the year 3000) is shown
  // as no time, like 0.
  if (time <= 0 || _localtime64_s(&local, &time) != 0) {
    copyCut(kNoTimeText, buffer, size);
    return 0;
  }
  char text[kLayoutBufferSize] = {};
  formatLayout(local, layout, text);
  return copyCut(text, buffer, size);
}

CString ConvertTimeToStr(__int64 time, int layout) {
  char buffer[kLayoutBufferSize] = {};
  ConvertTimeToStr(time, buffer, kLayoutBufferSize, layout);
  return CString(buffer);
}

CString ConvertTimeToStr(SYSTEMTIME& st, int layout) { return ConvertTimeToStr(utilmere::localTimeValue(st), layout); }

DWORD GetCurTimeString(char* buffer, __int64 time) {
  if (time == 0) time = gxGetCurrentTime();
  return static_cast<DWORD>(ConvertTimeToStr(time, buffer, 20, GXTIME_FULL));
}

CString GetCurTimeString(__int64 time) {
  char buffer[20] = {};
  GetCurTimeString(buffer, time);
  return CString(buffer);
}

char* ConvertTimeLongToStr(int seconds, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return buffer;
  // A negative duration has no parts: it reads as 0.
  if (seconds < 0) seconds = 0;
  const int parts[4] = {seconds / 86400, seconds / 3600 % 24, seconds / 60 % 60, seconds % 60};
  char text[64] = {};
  int length = 0;
  for (int i = 0; i < 4; ++i) {
    if (length == 0 && parts[i] == 0 && i < 3) continue;
    const char* separator = length == 0 ? "" : (i == 1 ? " " : ":");
    length += _snprintf(text + length, sizeof(text) - 1 - static_cast<size_t>(length), "%s%02d", separator,
                        parts[i]);
  }
  copyCut(text, buffer, size);
  return buffer;
}

CString ConvertTimeLongToStr(int seconds) {
  char buffer[255] = {};
  return CString(ConvertTimeLongToStr(seconds, buffer, sizeof(buffer)));
}

// Kinds: 1 when six numbers make a valid date and time; 2 when the first three
// make a valid date (year 1000..9998, month 1..12, day 1..31; the time is then
// midnight); 3 when the first three make a valid time of day, which is placed
// on 1971-01-01 so that times of day sort among themselves. A date the
// run-time cannot hold (past the year 3000) gives 0.
int ConvertStrToCTime(const char* text, CTime& time) {
  if (text == nullptr) return 0;
  int numbers[6] = {};
  int count = 0;
  int dashes = 0, slashes = 0, colons = 0;
  for (const char* p = text; *p != '\0';) {
    if (*p >= '0' && *p <= '9') {
      if (count == 6) break;
      int value = 0;
      for (int digits = 0; *p >= '0' && *p <= '9'; ++p, ++digits) {
        if (digits < 7) value = value * 10 + (*p - '0');
      }
      numbers[count++] = value;
      continue;
    }
    dashes += *p == '-';
    slashes += *p == '/';
    colons += *p == ':';
    ++p;
  }
  if (count < 3 || (dashes < 2 && slashes < 2 && colons < 2)) return 0;

  const int year = numbers[0], month = numbers[1], day = numbers[2];
  const bool dateValid = inRange(year, 1000, 9998) && inRange(month, 1, 12) && inRange(day, 1, 31);
  const bool clockValid =
      count == 6 && inRange(numbers[3], 0, 23) && inRange(numbers[4], 0, 59) && inRange(numbers[5], 0, 59);
  int kind = 0;
  __int64 value = -1;
  if (dateValid) {
    kind = clockValid ? 1 : 2;
    const int y = year <= 1970 ? 1971 : year;
    value = clockValid ? partsValue(y, month, day, numbers[3], numbers[4], numbers[5])
                       : partsValue(y, month, day, 0, 0, 0);
  } else if (inRange(numbers[0], 0, 23) && inRange(numbers[1], 0, 59) && inRange(numbers[2], 0, 59)) {
    kind = 3;
    value = partsValue(1971, 1, 1, numbers[0], numbers[1], numbers[2]);
  }
  if (kind == 0 || value < 0) return 0;
  time = CTime(value);
  return kind;
}

__int64 ConvertStrToTime(const char* text) {
  CTime time;
  return ConvertStrToCTime(text, time) != 0 ? time.GetTime() : 0;
}

int TimeIntervalArrived(DWORD& lastTick, DWORD seconds) {
  const DWORD now = GetTickCount();
  // The difference of tick counts stays right across their wrap.
  if (lastTick != 0 && (now - lastTick) / 1000 < seconds) return 0;
  lastTick = now;
  return 1;
}
