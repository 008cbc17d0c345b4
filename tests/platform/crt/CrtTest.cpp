#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Crt.h"

namespace wavorel {
namespace {

using CrtTest = testing::PlatformTest;

std::vector<int> draw(int n) {
  std::vector<int> v;
  for (int i = 0; i < n; ++i) v.push_back(rand());
  return v;
}

TEST_F(CrtTest, RandFollowsTheRuntimeGeneratorPerThread) {
  EXPECT_EQ(RAND_MAX, 0x7FFF);
  EXPECT_EQ(draw(5), (std::vector<int>{41, 18467, 6334, 26500, 19169})) << "unseeded start is seed 1";
  srand(0);
  EXPECT_EQ(draw(2), (std::vector<int>{38, 7719}));

  // Another thread starts from seed 1 and leaves this thread's sequence alone.
  std::vector<int> other;
  std::thread([&] { other = draw(2); }).join();
  EXPECT_EQ(other, (std::vector<int>{41, 18467}));
  EXPECT_EQ(std::rand(), 21238) << "std::rand is the same generator";

  srand(12345);
  EXPECT_EQ(draw(3), (std::vector<int>{7584, 19164, 25795}));
}

TEST_F(CrtTest, DecimalConversionsSaturateAt32Bits) {
  struct Case {
    const char* text;
    long expected;
    bool range;
  } cases[] = {
      {"2147483647", INT32_MAX, false},  {"2147483648", INT32_MAX, true},
      {"-2147483648", INT32_MIN, false}, {"-2147483649", INT32_MIN, true},
      {"99999999999999999999999", INT32_MAX, true},
      {" \t+12abc", 12, false},         {"-0", 0, false},
      {"abc", 0, false},                 {"", 0, false},
  };
  for (const Case& c : cases) {
    errno = 0;
    EXPECT_EQ(atol(c.text), c.expected) << c.text;
    EXPECT_EQ(errno == ERANGE, c.range) << c.text;
    EXPECT_EQ(atoi(c.text), c.expected) << c.text;
  }
  static_assert(sizeof(atol("1")) == 4, "atol returns a 32-bit LONG");
  EXPECT_EQ(_atoi64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(_atoi64("9223372036854775808"), INT64_MAX);
  EXPECT_EQ(_atoi64("-9223372036854775809"), INT64_MIN);
  EXPECT_EQ(_atoi64("-4294967296"), -4294967296LL);
}

TEST_F(CrtTest, StrtoulIsUnsigned32Bit) {
  struct Case {
    const char* text;
    int base;
    ULONG expected;
    size_t consumed;
    bool range;
  } cases[] = {
      {"FFFFFFFF", 16, 0xFFFFFFFFu, 8, false}, {"100000000", 16, 0xFFFFFFFFu, 9, true},
      {"0x1aZ", 16, 0x1A, 4, false},           {"0x1a", 0, 0x1A, 4, false},
      {"3232235777", 10, 3232235777u, 10, false}, {"-1", 10, 0xFFFFFFFFu, 2, false},
      {"017", 0, 15, 3, false},                {"  zz", 16, 0, 0, false},
  };
  for (const Case& c : cases) {
    errno = 0;
    char* end = nullptr;
    EXPECT_EQ(strtoul(c.text, &end, c.base), c.expected) << c.text;
    EXPECT_EQ(static_cast<size_t>(end - c.text), c.consumed) << c.text;
    EXPECT_EQ(errno == ERANGE, c.range) << c.text;
  }
}

TEST_F(CrtTest, SnprintfCutsWithoutTerminatorAndMinusOne) {
  struct Case {
    size_t count;
    int result;
    const char* written;  // the bytes of the buffer, '#' untouched
  } cases[] = {
      {8, 5, "12345\0##"}, {6, 5, "12345\0##"}, {5, 5, "12345###"}, {3, -1, "123#####"}, {0, -1, "########"},
  };
  for (const Case& c : cases) {
    char buf[9];
    std::memset(buf, '#', sizeof(buf));  // buf[8] is the canary past every count
    EXPECT_EQ(_snprintf(buf, c.count, "%d", 12345), c.result) << c.count;
    EXPECT_EQ(std::memcmp(buf, c.written, 8), 0) << c.count;
    EXPECT_EQ(buf[8], '#');
  }
  EXPECT_EQ(_snprintf(nullptr, 0, "%s-%d", "ab", 7), 4);
}

TEST_F(CrtTest, PrintfFamilyUsesRuntimeConversions) {
  char buf[64];
  EXPECT_EQ(_snprintf(buf, sizeof(buf), "%I64d|%hs|%ld|%u%%", INT64_MIN, "n", static_cast<LONG>(-1), 4294967295u), 37);
  EXPECT_STREQ(buf, "-9223372036854775808|n|-1|4294967295%");
  EXPECT_EQ(sprintf(buf, "%S=%I64u", u"w", static_cast<ULONGLONG>(1) << 40), 15);
  EXPECT_STREQ(buf, "w=1099511627776");
}

TEST_F(CrtTest, CaseInsensitiveCompareLowersBothTexts) {
  struct Case {
    const char* a;
    const char* b;
    size_t n;
    int sign;
  } cases[] = {
      {"Hello", "hELLO", SIZE_MAX, 0}, {"abc", "abd", SIZE_MAX, -1}, {"abc", "ab", SIZE_MAX, 1},
      {"_", "A", SIZE_MAX, -1},  // '_' sorts before 'a', though after 'A'
      {"ABCx", "abcy", 3, 0},          {"ABCx", "abcy", 4, -1},      {"a", "B", 0, 0},
  };
  auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const Case& c : cases) {
    const int r = c.n == SIZE_MAX ? _stricmp(c.a, c.b) : _strnicmp(c.a, c.b, c.n);
    EXPECT_EQ(sign(r), c.sign) << c.a << " " << c.b << " " << c.n;
  }
}

}  // namespace
}  // namespace wavorel
