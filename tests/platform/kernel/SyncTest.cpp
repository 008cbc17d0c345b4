#include <gtest/gtest-spi.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/Sync.h"

namespace wavorel {
namespace {

// Started with this variable set, the test program is a holder process: it
// creates the named semaphore, writes the last error to "holder.txt" in the
// platform root and waits to be killed.
constexpr char kHolderVariable[] = "WAVOREL_TEST_HOLD_SEMAPHORE";
const bool g_holder = [] {
  const char* name = std::getenv(kHolderVariable);
  if (!name) return false;
  HANDLE h = CreateSemaphore(nullptr, 1, 1, name);
  writeFileAtomically(platformRoot() + "/holder.txt", std::to_string(h ? GetLastError() : 0xFFFFFFFFu));
  for (;;) pause();
}();

using Sync = testing::PlatformTest;

// Polls (in real time) until `done` holds or about five seconds have passed.
template <class F>
bool eventually(F done) {
  for (int i = 0; i < 500 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return done();
}

TEST_F(Sync, AutoResetEventWakesExactlyOneWaiterPerSignal) {
  HANDLE e = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(e, nullptr);
  std::atomic<int> woken{0};
  auto waiter = [&] {
    EXPECT_EQ(WaitForSingleObject(e, INFINITE), WAIT_OBJECT_0);
    ++woken;
  };
  std::thread a(waiter), b(waiter);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(woken.load(), 0);
  ASSERT_TRUE(SetEvent(e));
  ASSERT_TRUE(eventually([&] { return woken == 1; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(woken.load(), 1) << "one signal let two waiters through";
  ASSERT_TRUE(SetEvent(e));
  a.join();
  b.join();
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT) << "the signal was consumed";
  CloseHandle(e);
}

TEST_F(Sync, ManualResetEventStaysSignalledUntilReset) {
  HANDLE e = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_OBJECT_0);
  ASSERT_TRUE(ResetEvent(e));
  EXPECT_EQ(WaitForSingleObject(e, 0), WAIT_TIMEOUT);
  CloseHandle(e);
}

TEST_F(Sync, WaitForAnyTakesTheFirstSignalledObject) {
  HANDLE h[3] = {CreateEvent(nullptr, FALSE, FALSE, nullptr), CreateEvent(nullptr, FALSE, TRUE, nullptr),
                 CreateEvent(nullptr, FALSE, TRUE, nullptr)};
  EXPECT_EQ(WaitForMultipleObjects(3, h, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(3, h, FALSE, 0), WAIT_OBJECT_0 + 2);
  EXPECT_EQ(WaitForMultipleObjects(3, h, FALSE, 0), WAIT_TIMEOUT);
  for (HANDLE x : h) CloseHandle(x);
}

TEST_F(Sync, WaitForAllTakesNothingUntilEveryObjectIsSignalled) {
  HANDLE h[2] = {CreateEvent(nullptr, FALSE, TRUE, nullptr), CreateSemaphore(nullptr, 0, 1, nullptr)};
  {
    testing::ClockAdvancer passes(clock(), 1000);
    EXPECT_EQ(WaitForMultipleObjects(2, h, TRUE, 1000), WAIT_TIMEOUT);
  }
  EXPECT_EQ(WaitForSingleObject(h[0], 0), WAIT_OBJECT_0) << "a partial wait-all consumed the event";
  SetEvent(h[0]);
  ASSERT_TRUE(ReleaseSemaphore(h[1], 1, nullptr));
  EXPECT_EQ(WaitForMultipleObjects(2, h, TRUE, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(h[0], 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(h[1], 0), WAIT_TIMEOUT);
  for (HANDLE x : h) CloseHandle(x);
}

TEST_F(Sync, BadWaitsFail) {
  HANDLE e = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  HANDLE closed = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  CloseHandle(closed);
  HANDLE twice[2] = {e, e};
  HANDLE withClosed[2] = {e, closed};
  struct Case {
    DWORD count;
    const HANDLE* handles;
    BOOL all;
    DWORD error;
  } cases[] = {
      {2, withClosed, FALSE, ERROR_INVALID_HANDLE},
      {0, twice, FALSE, ERROR_INVALID_PARAMETER},
      {MAXIMUM_WAIT_OBJECTS + 1, twice, FALSE, ERROR_INVALID_PARAMETER},
      {2, twice, TRUE, ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(WaitForMultipleObjects(c.count, c.handles, c.all, 0), WAIT_FAILED) << c.count;
    EXPECT_EQ(GetLastError(), c.error) << c.count;
  }
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForMultipleObjects(2, twice, FALSE, 0), WAIT_OBJECT_0) << "wait-any accepts a repeated handle";
  CloseHandle(e);
}

TEST_F(Sync, TimedWaitEndsWithItsObjectOrWhenTheClockPassesItsDeadline) {
  HANDLE e = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  uint64_t start = clock().tickMs();
  {
    testing::ClockAdvancer passes(clock(), 5000);
    EXPECT_EQ(WaitForSingleObject(e, 5000), WAIT_TIMEOUT);
  }
  EXPECT_EQ(clock().tickMs(), start + 5000);

  // A wait answered in time ends with the object, not at its deadline.
  start = clock().tickMs();
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(e);
  });
  EXPECT_EQ(WaitForSingleObject(e, 60000), WAIT_OBJECT_0);
  EXPECT_EQ(clock().tickMs(), start);
  setter.join();
  CloseHandle(e);
}

TEST_F(Sync, WaitThatNobodySatisfiesFailsTheTestNamingItsObjects) {
  clock().setStallLimitMs(50);
  HANDLE e = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  uint64_t start = clock().tickMs();
  ::testing::TestPartResultArray failures;
  {
    ::testing::ScopedFakeTestPartResultReporter spy(::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS,
                                                    &failures);
    EXPECT_EQ(WaitForSingleObject(e, 500), WAIT_TIMEOUT);
  }
  ASSERT_EQ(failures.size(), 1);
  char handle[32];
  std::snprintf(handle, sizeof handle, "%p", e);
  std::string text = failures.GetTestPartResult(0).message();
  EXPECT_NE(text.find(std::string("WaitForSingleObject on ") + handle + " (500 ms)"), std::string::npos) << text;
  EXPECT_EQ(clock().tickMs(), start + 500);
  CloseHandle(e);
}

TEST_F(Sync, SemaphoreCountsAndMaximum) {
  HANDLE s = CreateSemaphore(nullptr, 2, 3, nullptr);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(WaitForSingleObject(s, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(s, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(s, 0), WAIT_TIMEOUT);
  LONG previous = -1;
  ASSERT_TRUE(ReleaseSemaphore(s, 1, &previous));
  EXPECT_EQ(previous, 0);
  EXPECT_FALSE(ReleaseSemaphore(s, 3, &previous));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TOO_MANY_POSTS));
  ASSERT_TRUE(ReleaseSemaphore(s, 2, &previous));
  EXPECT_EQ(previous, 1) << "a refused release changed the count";
  EXPECT_FALSE(ReleaseSemaphore(s, 1, nullptr));
  CloseHandle(s);

  for (auto [initial, maximum] : {std::pair<LONG, LONG>{2, 1}, {-1, 1}, {0, 0}}) {
    EXPECT_EQ(CreateSemaphore(nullptr, initial, maximum, nullptr), nullptr) << initial << "/" << maximum;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
}

TEST_F(Sync, NamedObjectsAreSharedUntilTheLastHandleCloses) {
  HANDLE first = CreateSemaphore(nullptr, 0, 1, "Wavorel");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE second = CreateSemaphore(nullptr, 1, 1, "Wavorel");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_TIMEOUT) << "the existing object keeps its count";
  ASSERT_TRUE(ReleaseSemaphore(first, 1, nullptr));
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);

  HANDLE other = CreateSemaphore(nullptr, 1, 1, "wavorel");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "names are case-sensitive";
  EXPECT_EQ(CreateEvent(nullptr, FALSE, FALSE, "Wavorel"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE)) << "the name belongs to a semaphore";

  CloseHandle(first);
  HANDLE third = CreateSemaphore(nullptr, 1, 1, "Wavorel");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "one handle is still open";
  CloseHandle(third);
  CloseHandle(second);
  HANDLE fresh = CreateSemaphore(nullptr, 1, 1, "Wavorel");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "the name outlived its last handle";
  CloseHandle(fresh);
  CloseHandle(other);

  EXPECT_EQ(CreateSemaphore(nullptr, 1, 1, std::string(MAX_PATH + 1, 'n').c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
  HANDLE odd = CreateEvent(nullptr, TRUE, FALSE, "Local\\a/b c%.exe");
  EXPECT_NE(odd, nullptr);
  CloseHandle(odd);
}

// Starts this test program as a holder of `name` and returns the error its
// CreateSemaphore saw.
DWORD startHolder(const std::string& root, const std::string& name, PROCESS_INFORMATION& pi) {
  std::remove((root + "/holder.txt").c_str());
  setenv(kHolderVariable, name.c_str(), 1);
  std::string commandLine = "\"" + moduleFileName() + "\"";
  STARTUPINFO si{};
  si.cb = sizeof si;
  BOOL started = CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  unsetenv(kHolderVariable);
  if (!started) return 0xFFFFFFFFu;
  std::string text;
  for (int i = 0; i < 1000 && !readWholeFile(root + "/holder.txt", text); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return text.empty() ? 0xFFFFFFFFu : static_cast<DWORD>(std::stoul(text));
}

void killHolder(PROCESS_INFORMATION& pi) {
  EXPECT_TRUE(TerminateProcess(pi.hProcess, 7));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 7u);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

TEST_F(Sync, NamedSemaphoreIsSeenByOtherProcessesAndDiesWithItsHolder) {
  const std::string name = "WavorelVista";
  PROCESS_INFORMATION holder{};
  ASSERT_EQ(startHolder(root(), name, holder), static_cast<DWORD>(ERROR_SUCCESS));

  HANDLE mine = CreateSemaphore(nullptr, 1, 1, name.c_str());
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(mine);

  killHolder(holder);  // a crash: the holder never closes its handle
  mine = CreateSemaphore(nullptr, 1, 1, name.c_str());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS)) << "a killed holder still blocks the name";

  PROCESS_INFORMATION second{};
  EXPECT_EQ(startHolder(root(), name, second), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  killHolder(second);
  CloseHandle(mine);
}

TEST_F(Sync, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
  CRITICAL_SECTION cs;
  InitializeCriticalSection(&cs);
  EnterCriticalSection(&cs);
  EnterCriticalSection(&cs);
  std::atomic<bool> entered{false};
  std::thread other([&] {
    EnterCriticalSection(&cs);
    entered = true;
    LeaveCriticalSection(&cs);
  });
  LeaveCriticalSection(&cs);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(entered) << "entered while the owner still held it once";
  LeaveCriticalSection(&cs);
  EXPECT_TRUE(eventually([&] { return entered.load(); }));
  other.join();
  DeleteCriticalSection(&cs);
}

}  // namespace
}  // namespace wavorel
