#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <string>

#include "platform/win/kernel/MsvcFormat.h"
#include "platform/mfc/String.h"
#include "platform/testing/PlatformTest.h"

namespace {

CString fmt(const char* format, ...) {
  va_list args;
  va_start(args, format);
  CString s;
  s.FormatV(format, args);
  va_end(args);
  return s;
}

struct FormatCase {
  const char* expected;
  CString actual;
};

// The fixture puts the platform back in its defaults: ANSI code page 1252.
using CStringFormat = wavorel::testing::PlatformTest;

TEST_F(CStringFormat, ConversionsOfTheWindowsRuntime) {
  const FormatCase cases[] = {
      {"5000000000", fmt("%I64d", 5000000000LL)},
      {"-5000000000|7", fmt("%I64d|%d", -5000000000LL, 7)},
      {"18446744073709551615", fmt("%I64u", ULLONG_MAX)},
      {"123456789abc|ABCDEF0123", fmt("%I64x|%I64X", 0x123456789abcULL, 0xABCDEF0123ULL)},
      {"-3|9", fmt("%I32d|%d", -3, 9)},
      {"narrow|n", fmt("%hs|%hc", "narrow", 'n')},
      {"-5|4000000000|deadbeef|2", fmt("%ld|%lu|%lx|%d", static_cast<LONG>(-5), static_cast<ULONG>(4000000000u),
                                       static_cast<ULONG>(0xDEADBEEFu), 2)},
      {"wide|w2|w3|(null)", fmt("%S|%ls|%ws|%S", u"wide", u"w2", u"w3", static_cast<const WCHAR*>(nullptr))},
      {"caf\xe9 ?", fmt("%S", u"caf\u00e9 \u4e2d")},  // ANSI code page 1252
      {"A\xe9", fmt("%C%lc", static_cast<int>(u'A'), static_cast<int>(u'\u00e9'))},
      {"0A-FF-00", fmt("%02X-%02X-%02X", 0x0A, 0xFF, 0)},
      {"1.50|2.67|1023.00|1.00", fmt("%.2f|%.2f|%.2f|%.2f", 1.5, 2.675, 1023.0, 0.999)},
      {"100% done %", fmt("%d%% done %%", 100)},
      {"[(null)]", fmt("[%s]", static_cast<const char*>(nullptr))},
      {"   42|7   |", fmt("%*d|%-*d|", 5, 42, 4, 7)},
      {"-7  |x", fmt("%*d|%c", -4, -7, 'x')},
      {"3.1|abc", fmt("%.*f|%.3s", 1, 3.14159, "abcdef")},
      {"0000000000001234", fmt("%p", reinterpret_cast<void*>(0x1234))},
      {"1.234568e+04|1.5E-07", fmt("%e|%.1E", 12345.678, 1.5e-7)},
      {"0.0001|1e+20|0.5", fmt("%g|%g|%G", 0.0001, 1e20, 0.5)},
      {"10|4294967295|ff|0x1f", fmt("%o|%u|%x|%#x", 8, -1, 255, 31)},
      {"  3.1|ab    |+5| 5|00042", fmt("%5.1f|%-6s|%+d| %d|%05d", 3.14159, "ab", 5, 5, 42)},
      {"4464|-1|255", fmt("%hd|%hhd|%hhu", 70000, 255, 255)},
      {"1 %q 2", fmt("%d %q %d", 1, 2)},
      {"end %", fmt("end %")},
      {"", fmt(nullptr)},
  };
  for (const FormatCase& c : cases) EXPECT_STREQ(c.actual, c.expected);
}

TEST_F(CStringFormat, LongResultsAreNotCut) {
  std::string big(300, 'x');
  CString s = fmt("<%s>%300d", big.c_str(), 1);
  ASSERT_EQ(s.GetLength(), 302 + 300);
  EXPECT_EQ(std::string(s.Left(302)), "<" + big + ">");
  EXPECT_STREQ(s.Right(2), " 1");
}

TEST_F(CStringFormat, AppendFormatKeepsTheText) {
  CString s("rate: ");
  s.AppendFormat("%d%%", 54);
  s.AppendFormat(" (%I64u bytes)", 1ULL << 40);
  EXPECT_STREQ(s, "rate: 54% (1099511627776 bytes)");
  s.Format("%s", "reset");
  EXPECT_STREQ(s, "reset");
}

TEST_F(CStringFormat, FormatMsvcLeavesTheCallersArgumentsAlone) {
  // The caller's va_list may be handed on twice (copy-in semantics).
  auto twice = [](const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string a = wavorel::formatMsvc(format, args);
    std::string b = wavorel::formatMsvc(format, args);
    va_end(args);
    return a + "/" + b;
  };
  EXPECT_EQ(twice("%I64d %s", 1LL << 33, "x"), "8589934592 x/8589934592 x");
}

}  // namespace
