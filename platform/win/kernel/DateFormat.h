// Dates as text in the user's locale (English, United States).
#pragma once

#include "platform/win/kernel/Types.h"

#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_USER_DEFAULT 0x0400
#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002

// The date of lpDate in the short ("M/d/yyyy") or long ("dddd, MMMM d,
// yyyy") form, or by lpFormat's "d", "dd", "ddd", "dddd", "M", "MM", "MMM",
// "MMMM", "y", "yy", "yyyy" and quoted text; null lpDate: today. The length
// with its terminator; cchDate 0 asks for the size; a buffer too small gives
// 0 with ERROR_INSUFFICIENT_BUFFER, a date that is no date 0 with
// ERROR_INVALID_PARAMETER.
int GetDateFormat(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat, LPSTR lpDateStr,
                  int cchDate);
