#include "platform/mfc/Time.h"

#include "platform/mfc/Exception.h"

CTime CTime::GetCurrentTime() { return CTime(_time64(nullptr)); }

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
  if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 || nMin < 0 ||
      nMin > 59 || nSec < 0 || nSec > 59) {
    AfxThrowInvalidArgException();
  }
  struct tm t = {};
  t.tm_year = nYear - 1900;
  t.tm_mon = nMonth - 1;
  t.tm_mday = nDay;
  t.tm_hour = nHour;
  t.tm_min = nMin;
  t.tm_sec = nSec;
  t.tm_isdst = nDST;
  m_time = _mktime64(&t);
  if (m_time == -1) AfxThrowInvalidArgException();
}

CTime::CTime(const SYSTEMTIME& st, int nDST) {
  if (st.wYear >= 1900) *this = CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST);
}

bool CTime::localTm(struct tm& out) const { return _localtime64_s(&out, &m_time) == 0; }

int CTime::GetYear() const {
  struct tm t;
  return localTm(t) ? t.tm_year + 1900 : 0;
}

int CTime::GetMonth() const {
  struct tm t;
  return localTm(t) ? t.tm_mon + 1 : 0;
}

int CTime::GetDay() const {
  struct tm t;
  return localTm(t) ? t.tm_mday : 0;
}

int CTime::GetHour() const {
  struct tm t;
  return localTm(t) ? t.tm_hour : 0;
}

int CTime::GetMinute() const {
  struct tm t;
  return localTm(t) ? t.tm_min : 0;
}

int CTime::GetSecond() const {
  struct tm t;
  return localTm(t) ? t.tm_sec : 0;
}

int CTime::GetDayOfWeek() const {
  struct tm t;
  return localTm(t) ? t.tm_wday + 1 : 0;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const {
  struct tm t;
  if (!localTm(t)) return FALSE;
  st.wYear = static_cast<WORD>(t.tm_year + 1900);
  st.wMonth = static_cast<WORD>(t.tm_mon + 1);
  st.wDayOfWeek = static_cast<WORD>(t.tm_wday);
  st.wDay = static_cast<WORD>(t.tm_mday);
  st.wHour = static_cast<WORD>(t.tm_hour);
  st.wMinute = static_cast<WORD>(t.tm_min);
  st.wSecond = static_cast<WORD>(t.tm_sec);
  st.wMilliseconds = 0;
  return TRUE;
}

CString CTime::Format(LPCTSTR pszFormat) const {
  if (!pszFormat) return CString();
  struct tm t;
  if (!localTm(t)) AfxThrowInvalidArgException();
  char buffer[128];
  size_t n = wavorel_strftime(buffer, sizeof buffer, pszFormat, &t);
  return CString(buffer, static_cast<int>(n));
}
