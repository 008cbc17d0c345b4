#include <vector>

#include "UserTestSupport.h"

namespace wavorel::testing {
namespace {

using MessageBeepTest = UserTest;

TEST_F(MessageBeepTest, RecordsEachSoundInOrderAndUnknownTypesAsTheDefault) {
  EXPECT_TRUE(beeps().empty());
  const UINT asked[] = {0xFFFFFFFF, MB_ICONHAND, MB_OK, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK,
                        MB_YESNO, 0x12345};
  for (UINT type : asked) EXPECT_TRUE(MessageBeep(type));
  const std::vector<UINT> expected = {0xFFFFFFFF, MB_ICONHAND, MB_OK, MB_ICONQUESTION, MB_ICONEXCLAMATION,
                                      MB_ICONASTERISK, MB_OK, MB_OK};
  EXPECT_EQ(beeps(), expected);
}

}  // namespace
}  // namespace wavorel::testing
