#include "platform/win/kernel/MsvcFormat.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/win/kernel/CodePage.h"

namespace wavorel {
namespace {

// The argument size a length prefix asks for.
enum class ArgSize { Default, Char, Short, Long, Int64, LongDouble, Wide };

enum Flag : unsigned { kMinus = 1, kPlus = 2, kSpace = 4, kHash = 8, kZero = 16 };

struct ConversionSpec {
  unsigned flags = 0;
  int width = -1;      // -1: none
  int precision = -1;  // -1: none
  ArgSize size = ArgSize::Default;
  bool narrowPrefix = false;  // 'h': forces the narrow form of %S and %C
};

// Appends printf(hostConversion, value) to `out`, through a stack buffer when it fits.
template <typename T>
void appendHost(std::string& out, const char* hostConversion, T value) {
  char buf[128];
  int n = std::snprintf(buf, sizeof buf, hostConversion, value);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof buf) {
    out.append(buf, static_cast<size_t>(n));
    return;
  }
  size_t old = out.size();
  out.resize(old + static_cast<size_t>(n) + 1);
  std::snprintf(&out[old], static_cast<size_t>(n) + 1, hostConversion, value);
  out.resize(old + static_cast<size_t>(n));
}

void appendNumber(char*& p, int v) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v > 0);
  while (n > 0) *p++ = digits[--n];
}

// Writes the host's conversion "%<flags><width>.<precision><length><conv>"
// into `hostConversion` (at least 40 bytes).
void buildHostConversion(char* hostConversion, const ConversionSpec& s, const char* length, char conv) {
  char* p = hostConversion;
  *p++ = '%';
  if (s.flags & kMinus) *p++ = '-';
  if (s.flags & kPlus) *p++ = '+';
  if (s.flags & kSpace) *p++ = ' ';
  if (s.flags & kHash) *p++ = '#';
  if (s.flags & kZero) *p++ = '0';
  if (s.width >= 0) appendNumber(p, s.width);
  if (s.precision >= 0) {
    *p++ = '.';
    appendNumber(p, s.precision);
  }
  while (*length) *p++ = *length++;
  *p++ = conv;
  *p = '\0';
}

// `count` code units of `w` (-1: up to its zero) in the ANSI code page.
std::string ansiFromWide(const WCHAR* w, int count) {
  int n = WideCharToMultiByte(CP_ACP, 0, w, count, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, w, count, &s[0], n, nullptr, nullptr);
  if (count < 0 && !s.empty()) s.pop_back();  // the converted terminator
  return s;
}

// Reads decimal digits at `p`, saturating well below INT_MAX.
int readDigits(const char*& p) {
  int v = 0;
  while (*p >= '0' && *p <= '9') {
    if (v < INT_MAX / 10 - 10) v = v * 10 + (*p - '0');
    ++p;
  }
  return v;
}

class Formatter {
 public:
  Formatter(std::string& out, va_list& ap) : out_(out), ap_(ap) {}

  void run(const char* fmt) {
    const char* p = fmt;
    while (*p) {
      const char* pct = std::strchr(p, '%');
      if (!pct) {
        out_.append(p);
        return;
      }
      out_.append(p, static_cast<size_t>(pct - p));
      p = conversion(pct);
    }
  }

 private:
  // Formats the conversion starting at `pct` ('%'); returns where the text goes on.
  const char* conversion(const char* pct) {
    const char* p = pct + 1;
    ConversionSpec s;
    for (;; ++p) {
      if (*p == '-') s.flags |= kMinus;
      else if (*p == '+') s.flags |= kPlus;
      else if (*p == ' ') s.flags |= kSpace;
      else if (*p == '#') s.flags |= kHash;
      else if (*p == '0') s.flags |= kZero;
      else break;
    }
    if (*p == '*') {
      ++p;
      int w = va_arg(ap_, int);
      if (w < 0) {
        s.flags |= kMinus;
        w = w == INT_MIN ? INT_MAX : -w;
      }
      s.width = w;
    } else if (*p >= '0' && *p <= '9') {
      s.width = readDigits(p);
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        ++p;
        int prec = va_arg(ap_, int);
        s.precision = prec < 0 ? -1 : prec;
      } else {
        s.precision = readDigits(p);
      }
    }
    p = lengthPrefix(p, s);
    char conv = *p;
    if (conv == '\0') {
      out_.append(pct);
      return p;
    }
    if (!format(conv, s)) out_.append(pct, static_cast<size_t>(p + 1 - pct));
    return p + 1;
  }

  static const char* lengthPrefix(const char* p, ConversionSpec& s) {
    switch (*p) {
      case 'h':
        s.narrowPrefix = true;
        if (p[1] == 'h') {
          s.size = ArgSize::Char;
          return p + 2;
        }
        s.size = ArgSize::Short;
        return p + 1;
      case 'l':
        if (p[1] == 'l') {
          s.size = ArgSize::Int64;
          return p + 2;
        }
        s.size = ArgSize::Long;
        return p + 1;
      case 'w':
        s.size = ArgSize::Wide;
        return p + 1;
      case 'L':
        s.size = ArgSize::LongDouble;
        return p + 1;
      case 'j':
      case 'z':
      case 't':
        s.size = ArgSize::Int64;
        return p + 1;
      case 'I':
        if (p[1] == '6' && p[2] == '4') {
          s.size = ArgSize::Int64;
          return p + 3;
        }
        if (p[1] == '3' && p[2] == '2') {
          s.size = ArgSize::Long;
          return p + 3;
        }
        s.size = sizeof(void*) == 8 ? ArgSize::Int64 : ArgSize::Long;
        return p + 1;
      default:
        return p;
    }
  }

  // Formats one conversion; false for a conversion that is not supported.
  bool format(char conv, const ConversionSpec& s) {
    char hostConversion[40];
    switch (conv) {
      case 'd':
      case 'i':
        buildHostConversion(hostConversion, s, "ll", 'd');
        appendHost(out_, hostConversion, signedArg(s.size));
        return true;
      case 'u':
      case 'o':
      case 'x':
      case 'X':
        buildHostConversion(hostConversion, s, "ll", conv);
        appendHost(out_, hostConversion, unsignedArg(s.size));
        return true;
      case 'c':
      case 'C': {
        int ch = va_arg(ap_, int);
        if (isWide(conv, s)) {
          WCHAR unit = static_cast<WCHAR>(ch);
          buildHostConversion(hostConversion, s, "", 's');
          appendHost(out_, hostConversion, ansiFromWide(&unit, 1).c_str());
        } else {
          buildHostConversion(hostConversion, s, "", 'c');
          appendHost(out_, hostConversion, ch);
        }
        return true;
      }
      case 's':
      case 'S': {
        buildHostConversion(hostConversion, s, "", 's');
        if (isWide(conv, s)) {
          const WCHAR* w = va_arg(ap_, const WCHAR*);
          appendHost(out_, hostConversion, w ? ansiFromWide(w, -1).c_str() : "(null)");
        } else {
          const char* str = va_arg(ap_, const char*);
          appendHost(out_, hostConversion, str ? str : "(null)");
        }
        return true;
      }
      case 'e':
      case 'E':
      case 'f':
      case 'F':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        if (s.size == ArgSize::LongDouble) {
          buildHostConversion(hostConversion, s, "L", conv);
          appendHost(out_, hostConversion, va_arg(ap_, long double));
        } else {
          buildHostConversion(hostConversion, s, "", conv);
          appendHost(out_, hostConversion, va_arg(ap_, double));
        }
        return true;
      case 'p': {
        ConversionSpec ptr;
        ptr.flags = s.flags & kMinus;
        ptr.width = s.width;
        ptr.precision = static_cast<int>(sizeof(void*) * 2);
        buildHostConversion(hostConversion, ptr, "ll", 'X');
        appendHost(out_, hostConversion, static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(va_arg(ap_, void*))));
        return true;
      }
      case '%':
        out_.push_back('%');
        return true;
      default:
        return false;
    }
  }

  // %s and %c are narrow unless 'l' or 'w' is given; %S and %C are wide unless 'h' is.
  static bool isWide(char conv, const ConversionSpec& s) {
    if (conv == 's' || conv == 'c') return s.size == ArgSize::Long || s.size == ArgSize::Wide;
    return !s.narrowPrefix;
  }

  long long signedArg(ArgSize size) {
    switch (size) {
      case ArgSize::Char:
        return static_cast<signed char>(va_arg(ap_, int));
      case ArgSize::Short:
        return static_cast<short>(va_arg(ap_, int));
      case ArgSize::Int64:
        return va_arg(ap_, long long);
      default:
        return va_arg(ap_, int);
    }
  }

  unsigned long long unsignedArg(ArgSize size) {
    switch (size) {
      case ArgSize::Char:
        return static_cast<unsigned char>(va_arg(ap_, unsigned));
      case ArgSize::Short:
        return static_cast<unsigned short>(va_arg(ap_, unsigned));
      case ArgSize::Int64:
        return va_arg(ap_, unsigned long long);
      default:
        return va_arg(ap_, unsigned);
    }
  }

  std::string& out_;
  va_list& ap_;
};

}  // namespace

void appendFormatMsvc(std::string& out, const char* fmt, va_list args) {
  if (!fmt) return;
  va_list ap;
  va_copy(ap, args);
  Formatter(out, ap).run(fmt);
  va_end(ap);
}

std::string formatMsvc(const char* fmt, va_list args) {
  std::string out;
  appendFormatMsvc(out, fmt, args);
  return out;
}

}  // namespace wavorel
