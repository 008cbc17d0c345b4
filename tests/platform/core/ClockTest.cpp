#include <thread>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Handles.h"

namespace wavorel {
namespace {

using ClockTest = testing::PlatformTest;

TEST_F(ClockTest, VirtualClockMovesOnlyWhenAdvancedOrSlept) {
  uint64_t t0 = clock().tickMs();
  EXPECT_GT(t0, 60u * 60 * 1000) << "starts at a realistic uptime";
  EXPECT_EQ(wavorel::clock().tickMs(), t0);
  int64_t utc0 = wavorel::clock().utcFileTime();
  clock().advance(1500);
  wavorel::clock().sleepMs(500);
  EXPECT_EQ(wavorel::clock().tickMs(), t0 + 2000);
  EXPECT_EQ(wavorel::clock().utcFileTime(), utc0 + 2000 * 10000);
}

TEST_F(ClockTest, TimedWaitEndsWhenAnotherThreadAdvancesPastDeadline) {
  std::mutex m;
  std::condition_variable cv;
  uint64_t deadline = wavorel::clock().tickMs() + 10000;
  clock().setRealWaitCapMs(60000);
  std::thread mover([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    clock().advance(10000);
  });
  std::unique_lock<std::mutex> lock(m);
  EXPECT_FALSE(wavorel::clock().waitUntil(lock, cv, deadline, [] { return false; }));
  lock.unlock();
  mover.join();
}

TEST_F(ClockTest, UnansweredTimedWaitJumpsToItsDeadline) {
  std::mutex m;
  std::condition_variable cv;
  uint64_t deadline = wavorel::clock().tickMs() + 5000;
  std::unique_lock<std::mutex> lock(m);
  EXPECT_FALSE(wavorel::clock().waitUntil(lock, cv, deadline, [] { return false; }));
  EXPECT_GE(wavorel::clock().tickMs(), deadline);
}

TEST_F(ClockTest, KernelHandlesAreNeverReused) {
  struct Obj : KernelObject {};
  HANDLE a = insertKernelObject(std::make_shared<Obj>());
  kernelHandles().remove(reinterpret_cast<uintptr_t>(a));
  HANDLE b = insertKernelObject(std::make_shared<Obj>());
  EXPECT_NE(a, b);
  EXPECT_EQ(kernelObjectAs<Obj>(a), nullptr);
  EXPECT_NE(kernelObjectAs<Obj>(b), nullptr);
}

TEST_F(ClockTest, LastErrorIsPerThread) {
  SetLastError(5);
  std::thread([] { EXPECT_EQ(GetLastError(), 0u); SetLastError(2); }).join();
  EXPECT_EQ(GetLastError(), 5u);
}

}  // namespace
}  // namespace wavorel
