#include "platform/win/kernel/Crt.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <string>

#include "platform/win/kernel/MsvcFormat.h"
#include "platform/win/kernel/Root.h"

namespace {

thread_local uint32_t t_seed = 1;

// A platform reset starts the calling thread's sequence again.
const bool kSeedReset = (wavorel::registerStateReset([] { t_seed = 1; }), true);

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

struct Parsed {
  uint64_t magnitude = 0;  // UINT64_MAX once it overflows
  bool negative = false;
  bool digits = false;
  const char* end = nullptr;
};

// White space, sign, optional prefix (base 0 or 16) and digits.
Parsed parseInteger(const char* s, int base) {
  Parsed p;
  const char* start = s;
  while (isSpace(*s)) ++s;
  if (*s == '+' || *s == '-') p.negative = *s++ == '-';
  if ((base == 0 || base == 16) && s[0] == '0' && (s[1] == 'x' || s[1] == 'X') && digitValue(s[2]) < 16) {
    s += 2;
    base = 16;
  } else if (base == 0) {
    base = s[0] == '0' ? 8 : 10;
  }
  if (base >= 2 && base <= 36) {
    for (int d; (d = digitValue(*s)) < base; ++s) {
      p.digits = true;
      const auto b = static_cast<uint64_t>(base);
      p.magnitude = p.magnitude > (UINT64_MAX - static_cast<uint64_t>(d)) / b ? UINT64_MAX : p.magnitude * b + d;
    }
  }
  p.end = p.digits ? s : start;
  return p;
}

// The signed value of a decimal text, clamped to [-limit - 1, limit].
int64_t signedDecimal(const char* str, uint64_t limit) {
  if (!str) {
    errno = EINVAL;
    return 0;
  }
  const Parsed p = parseInteger(str, 10);
  if (p.magnitude > limit + (p.negative ? 1 : 0)) {
    errno = ERANGE;
    return p.negative ? -static_cast<int64_t>(limit) - 1 : static_cast<int64_t>(limit);
  }
  return p.negative ? static_cast<int64_t>(0 - p.magnitude) : static_cast<int64_t>(p.magnitude);
}

int lower(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u;
}

}  // namespace

int wavorel_rand() {
  t_seed = t_seed * 214013u + 2531011u;
  return static_cast<int>((t_seed >> 16) & 0x7FFF);
}

void wavorel_srand(unsigned int seed) { t_seed = seed; }

int wavorel_atoi(const char* str) { return static_cast<int>(signedDecimal(str, INT_MAX)); }

LONG wavorel_atol(const char* str) { return static_cast<LONG>(signedDecimal(str, INT32_MAX)); }

__int64 _atoi64(const char* str) { return signedDecimal(str, INT64_MAX); }

ULONG wavorel_strtoul(const char* nptr, char** endptr, int base) {
  if (!nptr || base < 0 || base == 1 || base > 36) {
    if (endptr) *endptr = const_cast<char*>(nptr);
    errno = EINVAL;
    return 0;
  }
  const Parsed p = parseInteger(nptr, base);
  if (endptr) *endptr = const_cast<char*>(p.end);
  if (p.magnitude > UINT32_MAX) {
    errno = ERANGE;
    return UINT32_MAX;
  }
  const auto v = static_cast<ULONG>(p.magnitude);
  return p.negative ? 0u - v : v;
}

int _vsnprintf(char* buffer, size_t count, const char* format, va_list args) {
  const std::string text = wavorel::formatMsvc(format, args);
  if (!buffer) return count == 0 ? static_cast<int>(text.size()) : -1;
  const size_t n = text.size() < count ? text.size() : count;
  text.copy(buffer, n);
  if (text.size() < count) buffer[text.size()] = 0;
  return text.size() <= count ? static_cast<int>(text.size()) : -1;
}

int _snprintf(char* buffer, size_t count, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = _vsnprintf(buffer, count, format, args);
  va_end(args);
  return n;
}

int wavorel_sprintf(char* buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = wavorel::formatMsvc(format, args);
  va_end(args);
  text.copy(buffer, text.size());
  buffer[text.size()] = 0;
  return static_cast<int>(text.size());
}

int _stricmp(const char* string1, const char* string2) { return _strnicmp(string1, string2, SIZE_MAX); }

int _strnicmp(const char* string1, const char* string2, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const int a = lower(string1[i]);
    const int b = lower(string2[i]);
    if (a != b || a == 0) return a - b;
  }
  return 0;
}
