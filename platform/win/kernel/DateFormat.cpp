#include "platform/win/kernel/DateFormat.h"

#include <cstring>
#include <string>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Time.h"

namespace {

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool IsValidDate(const SYSTEMTIME& date) {
  return date.wMonth >= 1 && date.wMonth <= 12 && date.wDay >= 1 && date.wDay <= 31 && date.wDayOfWeek <= 6;
}

std::string Number(unsigned value, size_t width) {
  std::string text = std::to_string(value);
  return text.size() < width ? std::string(width - text.size(), '0') + text : text;
}

// One run of a picture letter ("d", "MM", "yyyy", ...) of the date.
std::string DatePart(char letter, size_t count, const SYSTEMTIME& date) {
  if (letter == 'd') {
    if (count >= 4) return kDayNames[date.wDayOfWeek];
    if (count == 3) return std::string(kDayNames[date.wDayOfWeek], 3);
    return Number(date.wDay, count);
  }
  if (letter == 'M') {
    if (count >= 4) return kMonthNames[date.wMonth - 1];
    if (count == 3) return std::string(kMonthNames[date.wMonth - 1], 3);
    return Number(date.wMonth, count);
  }
  if (count <= 2) return Number(date.wYear % 100u, count);
  return Number(date.wYear, 4);
}

std::string FormatDate(const std::string& picture, const SYSTEMTIME& date) {
  std::string out;
  for (size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      const size_t end = picture.find('\'', i + 1);
      out += picture.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? picture.size() : end + 1;
    } else if (c == 'd' || c == 'M' || c == 'y') {
      size_t count = 1;
      while (i + count < picture.size() && picture[i + count] == c) ++count;
      out += DatePart(c, count, date);
      i += count;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

}  // namespace

int GetDateFormat(LCID, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat, LPSTR lpDateStr, int cchDate) {
  SYSTEMTIME date{};
  if (lpDate) {
    date = *lpDate;
  } else {
    GetLocalTime(&date);
  }
  if (!IsValidDate(date) || cchDate < 0 || (cchDate > 0 && !lpDateStr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string picture = lpFormat ? lpFormat : (dwFlags & DATE_LONGDATE) ? "dddd, MMMM d, yyyy" : "M/d/yyyy";
  const std::string text = FormatDate(picture, date);
  const int needed = static_cast<int>(text.size()) + 1;
  if (cchDate == 0) return needed;
  if (cchDate < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(lpDateStr, text.c_str(), static_cast<size_t>(needed));
  return needed;
}
