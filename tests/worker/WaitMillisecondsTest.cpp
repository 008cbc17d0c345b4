// WaitMilliseconds measures on the tick count: a wait that starts just
// before midnight ends after its time like any other.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "worker/ModuleFunctions.h"

namespace {

class WaitMillisecondsTest : public wavorel::testing::PlatformTest {};

TEST_F(WaitMillisecondsTest, EndsAfterItsTimeAcrossMidnight) {
  SYSTEMTIME evening{};
  evening.wYear = 2026;
  evening.wMonth = 12;
  evening.wDay = 10;
  evening.wHour = 23;
  evening.wMinute = 59;
  evening.wSecond = 59;
  evening.wMilliseconds = 950;
  for (DWORD wait : {100u, 5000u}) {
    FILETIME at{};
    ASSERT_TRUE(SystemTimeToFileTime(&evening, &at));
    clock().setUtcFileTime(static_cast<int64_t>(at.dwLowDateTime) | static_cast<int64_t>(at.dwHighDateTime) << 32);
    const DWORD start = GetTickCount();
    WaitMilliseconds(wait);
    EXPECT_GT(GetTickCount() - start, wait);
    EXPECT_LE(GetTickCount() - start, wait + 2);
    SYSTEMTIME now{};
    GetSystemTime(&now);
    EXPECT_EQ(now.wDay, 11) << wait;
  }
}

}  // namespace
