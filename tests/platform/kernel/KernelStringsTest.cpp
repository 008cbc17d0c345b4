#include <gtest/gtest.h>

#include <cstring>

#include "platform/win/kernel/KernelStrings.h"

namespace {

TEST(KernelStrings, LstrcmpSortsIgnoringCaseFirstThenLowerCaseFirst) {
  struct Case {
    const char* a;
    const char* b;
    int order;
  };
  const Case cases[] = {
      {"same", "same", 0},   {"", "", 0},          {"abc", "abd", -1},  {"ab", "abc", -1},
      {"B", "a", 1},         {"a", "A", -1},       {"Ab", "ab", 1},     {"aB", "Ab", -1},
      {"Abc", "abd", -1},    {"Zeta", "alpha", 1}, {"9", "a", -1},      {" z", "1", -1},
      {"_a", "a", -1},       {"10", "9", -1},      {"\xE9t\xE9", "z", 1}, {"AP-2", "ap-10", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lstrcmp(c.a, c.b), c.order) << c.a << " / " << c.b;
    EXPECT_EQ(lstrcmp(c.b, c.a), -c.order) << c.b << " / " << c.a;
  }
  EXPECT_EQ(lstrcmp(nullptr, ""), -1);
  EXPECT_EQ(lstrcmp("", nullptr), 1);
  EXPECT_EQ(lstrcmp(nullptr, nullptr), 0);
}

TEST(KernelStrings, LstrcpynCutsToTheSizeAndAlwaysEndsTheCopy) {
  struct Case {
    int size;
    const char* expected;
  };
  for (const Case& c : {Case{4, "abc"}, Case{1, ""}, Case{8, "abcdef"}, Case{7, "abcdef"}, Case{6, "abcde"}}) {
    char buffer[10];
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(lstrcpyn(buffer, "abcdef", c.size), buffer);
    EXPECT_STREQ(buffer, c.expected) << c.size;
    for (size_t i = std::strlen(c.expected) + 1; i < sizeof(buffer); ++i) EXPECT_EQ(buffer[i], '#') << c.size;
  }
  char untouched[2] = {'#', '#'};
  EXPECT_EQ(lstrcpyn(untouched, "abc", 0), untouched);
  EXPECT_EQ(untouched[0], '#');
  EXPECT_EQ(lstrcpyn(nullptr, "abc", 4), nullptr);
  EXPECT_EQ(lstrcpyn(untouched, nullptr, 2), nullptr);
}

}  // namespace
