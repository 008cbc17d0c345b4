#include "platform/testing/PlatformTest.h"
#include "utilmere/Strings.h"

namespace {

class StringsCompatibleTest : public wavorel::testing::PlatformTest {};

TEST_F(StringsCompatibleTest, CompatibleStringFromWideOrNarrowText) {
  wavorel::setAnsiCodePage(936);
  char16_t wide[] = u"ab\u554Acd";
  struct Case {
    void* source;
    int wide;
    int length;
    const char* text;
  } cases[] = {
      {wide, 1, -1, "ab\xB0\xA1" "cd"},  // the whole text
      {wide, 1, 3, "ab"},                // three characters, cut to a block of four bytes
      {wide, 1, 4, "ab\xB0\xA1"},
      {wide, 1, 0, ""},
      {const_cast<char*>("abcdef"), 0, 3, "abc"},
      {const_cast<char*>("ab\0cd"), 0, 5, "ab"},
      {const_cast<char*>("abcdef"), 0, 0, ""},
      {const_cast<char*>("abcdef"), 0, -1, "abcdef"},
      {nullptr, 1, -1, ""},
      {nullptr, 0, 3, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetCompatibleString(c.source, c.wide, c.length), c.text) << c.wide << " " << c.length;
  }
}

}  // namespace
