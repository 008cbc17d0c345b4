#include <cstring>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/GlobalMemory.h"

namespace wavorel {
namespace {

using Memory = testing::PlatformTest;

TEST_F(Memory, MoveableBlockCountsItsLocks) {
  HGLOBAL h = GlobalAlloc(GHND, 2472);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 2472u);
  auto* p = static_cast<BYTE*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  EXPECT_NE(static_cast<void*>(p), h) << "a moveable handle is not the address";
  EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u);
  for (size_t i = 0; i < 2472; ++i) ASSERT_EQ(p[i], 0) << i;
  std::memset(p, 0xAB, 2472);
  EXPECT_EQ(GlobalLock(h), p);
  EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
  SetLastError(5);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalFree(h), h);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GlobalLock(h), nullptr);
}

TEST_F(Memory, FixedBlockIsItsOwnAddress) {
  HGLOBAL h = GlobalAlloc(GPTR, 64);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalLock(h), h);
  EXPECT_EQ(static_cast<BYTE*>(h)[63], 0);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  HGLOBAL locked = GlobalAlloc(GMEM_MOVEABLE, 8);
  GlobalLock(locked);
  EXPECT_EQ(GlobalFree(locked), nullptr) << "a locked block is freed all the same";
  EXPECT_EQ(GlobalFree(h), nullptr);
}

}  // namespace
}  // namespace wavorel
