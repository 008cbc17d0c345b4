#include <gtest/gtest-spi.h>
#include <poll.h>
#include <unistd.h>

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
  std::thread mover([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    clock().advance(4000);  // not yet
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    clock().advance(6000);
  });
  std::unique_lock<std::mutex> lock(m);
  EXPECT_FALSE(wavorel::clock().waitUntil(lock, cv, deadline, [] { return false; }, "the test's wait"));
  EXPECT_EQ(wavorel::clock().tickMs(), deadline) << "the clock moved only as far as the other thread moved it";
  lock.unlock();
  mover.join();
}

TEST_F(ClockTest, PollOnTheVirtualClockEndsWithItsDescriptorOrAMoveToItsDeadline) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  uint64_t start = wavorel::clock().tickMs();
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(write(fds[1], "x", 1), 1);
  });
  pollfd p{fds[0], POLLIN, 0};
  EXPECT_EQ(wavorel::clock().pollUntil(&p, 1, start + 1000, "the test's poll"), 1);
  EXPECT_TRUE(p.revents & POLLIN);
  EXPECT_EQ(wavorel::clock().tickMs(), start) << "a descriptor that became ready does not move the clock";
  writer.join();

  char c;
  ASSERT_EQ(read(fds[0], &c, 1), 1);
  std::thread mover([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    clock().advance(1000);
  });
  p.revents = 0;
  EXPECT_EQ(wavorel::clock().pollUntil(&p, 1, start + 1000, "the test's poll"), 0);
  EXPECT_EQ(p.revents, 0);
  mover.join();
  close(fds[0]);
  close(fds[1]);
}

// A wait that nothing will satisfy fails the running test, naming the wait,
// instead of moving the clock by itself; it then ends at its deadline so the
// test can finish.
TEST_F(ClockTest, UnsatisfiedVirtualWaitFailsTheTestWithItsPlace) {
  clock().setStallLimitMs(50);
  uint64_t start = wavorel::clock().tickMs();
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter spy(::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS,
                                                    &failures);
    std::mutex m;
    std::condition_variable cv;
    std::unique_lock<std::mutex> lock(m);
    EXPECT_FALSE(wavorel::clock().waitUntil(lock, cv, start + 5000, [] { return false; }, "the condition wait"));
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pollfd p{fds[0], POLLIN, 0};
    EXPECT_EQ(wavorel::clock().pollUntil(&p, 1, start + 7000, "the descriptor wait"), 0);
    close(fds[0]);
    close(fds[1]);
  }
  ASSERT_EQ(failures.size(), 2);
  EXPECT_TRUE(failures.GetTestPartResult(0).nonfatally_failed());
  EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find("the condition wait"), std::string::npos)
      << failures.GetTestPartResult(0).message();
  EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find("nobody will satisfy it"), std::string::npos)
      << failures.GetTestPartResult(0).message();
  EXPECT_NE(std::string(failures.GetTestPartResult(1).message()).find("the descriptor wait"), std::string::npos)
      << failures.GetTestPartResult(1).message();
  EXPECT_EQ(wavorel::clock().tickMs(), start + 7000);
}

// The real clock sleeps through a whole wait: no slices, one wake-up.
TEST(RealClockTest, WaitsSleepUntilTheirDeadlineWithoutWakingInBetween) {
  RealClock real;
  std::mutex m;
  std::condition_variable cv;
  int checks = 0;
  uint64_t start = real.tickMs();
  std::unique_lock<std::mutex> lock(m);
  EXPECT_FALSE(real.waitUntil(lock, cv, start + 300, [&] { return ++checks < 0; }, "a wait"));
  EXPECT_GE(real.tickMs(), start + 300);
  EXPECT_LE(checks, 3) << "the condition was checked at the start and at the deadline, not every few ms";
  pollfd none{-1, 0, 0};
  start = real.tickMs();
  EXPECT_EQ(real.pollUntil(&none, 1, start + 100, "a poll"), 0);
  EXPECT_GE(real.tickMs(), start + 100);
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
