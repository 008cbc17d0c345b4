#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/GlobalMemory.h"

namespace wavorel {
namespace {

using GlobalHandleTest = testing::PlatformTest;

TEST_F(GlobalHandleTest, FindsTheBlockOfALockedAddress) {
  HGLOBAL moveable = GlobalAlloc(GHND, 32);
  HGLOBAL fixed = GlobalAlloc(GPTR, 32);
  void* p = GlobalLock(moveable);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(GlobalHandle(p), moveable);
  EXPECT_EQ(GlobalHandle(fixed), fixed);
  // The usual way to free a block known only by its address.
  EXPECT_FALSE(GlobalUnlock(GlobalHandle(p)));
  EXPECT_EQ(GlobalFree(GlobalHandle(p)), nullptr);
  EXPECT_EQ(GlobalSize(moveable), 0u);
  GlobalFree(fixed);
}

TEST_F(GlobalHandleTest, AddressOfNoBlockIsRefused) {
  HGLOBAL h = GlobalAlloc(GHND, 32);
  auto* p = static_cast<char*>(GlobalLock(h));
  for (const void* address : {static_cast<const void*>(p + 1), static_cast<const void*>(nullptr)}) {
    SetLastError(0);
    EXPECT_EQ(GlobalHandle(address), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
  GlobalUnlock(h);
  GlobalFree(h);
  EXPECT_EQ(GlobalHandle(p), nullptr) << "a freed block is gone";
}

}  // namespace
}  // namespace wavorel
