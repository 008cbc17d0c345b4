// The registry form of an interface GUID, both ways.
#include "platform/sim/services/GuidText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace wavorel::sim::testing {
namespace {

TEST(GuidTextTest, UpperCaseHexWithLeadingZerosAndParsedBack) {
  const struct {
    GUID guid;
    const char* text;
  } cases[] = {
      {{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}}, "{00000000-0000-0000-0000-000000000000}"},
      {{0x0A1B2C3Du, 0x00E4, 0xF506, {0x07, 0xA8, 0xB9, 0x0C, 0xD1, 0xE2, 0xF3, 0x04}},
       "{0A1B2C3D-00E4-F506-07A8-B90CD1E2F304}"},
      {{0xFFFFFFFFu, 0xFFFF, 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
       "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(guidText(c.guid), c.text);
    GUID parsed{};
    ASSERT_TRUE(parseGuidText(c.text, parsed));
    EXPECT_EQ(std::memcmp(&parsed, &c.guid, sizeof parsed), 0);
  }
}

}  // namespace
}  // namespace wavorel::sim::testing
