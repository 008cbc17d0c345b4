// CTime: an absolute time as the C run-time's 64-bit time value (seconds since
// 1970-01-01 UTC). Its parts and Format are local time: the platform clock and
// the platform time zone, through the run-time functions of CrtTime.h.
#pragma once

#include "platform/mfc/String.h"
#include "platform/win/kernel/CrtTime.h"
#include "platform/win/kernel/Types.h"

class CTime {
 public:
  static CTime GetCurrentTime();

  CTime() = default;  // time value 0
  CTime(__time64_t t) : m_time(t) {}  // NOLINT: implicit as in MFC
  // A local date and time. nDST: 1 daylight time, 0 standard time, -1 as the
  // zone's rules decide. Out-of-range fields (year below 1900, month outside
  // 1..12, day outside 1..31, hour 0..23, minute and second 0..59) or a
  // result the run-time cannot hold throw CInvalidArgException; a day past the
  // end of its month moves on into the next month.
  CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
  // The same from a local SYSTEMTIME; a year before 1900 gives time value 0.
  CTime(const SYSTEMTIME& st, int nDST = -1);

  __time64_t GetTime() const { return m_time; }
  // Local parts; 0 when the time has no local form (a negative value).
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday ... 7 = Saturday
  // The local time (milliseconds 0); FALSE when there is none.
  BOOL GetAsSystemTime(SYSTEMTIME& st) const;
  // strftime of the local time, at most 127 characters (a longer result is
  // ""); a null format gives "". A time without local form throws
  // CInvalidArgException.
  CString Format(LPCTSTR pszFormat) const;

  bool operator==(CTime t) const { return m_time == t.m_time; }
  bool operator!=(CTime t) const { return m_time != t.m_time; }
  bool operator<(CTime t) const { return m_time < t.m_time; }
  bool operator>(CTime t) const { return m_time > t.m_time; }
  bool operator<=(CTime t) const { return m_time <= t.m_time; }
  bool operator>=(CTime t) const { return m_time >= t.m_time; }

 private:
  // The local broken-down time, or false.
  bool localTm(struct tm& out) const;

  __time64_t m_time = 0;
};
