#include <atomic>
#include <chrono>
#include <thread>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Sync.h"
#include "platform/win/kernel/Thread.h"

namespace wavorel {
namespace {

using Thread = testing::PlatformTest;

struct Job {
  HANDLE go;
  DWORD result;
  DWORD idSeen = 0;
  std::atomic<bool> returned{false};
};

DWORD runJob(LPVOID p) {
  auto* job = static_cast<Job*>(p);
  job->idSeen = GetCurrentThreadId();
  WaitForSingleObject(job->go, INFINITE);
  job->returned = true;
  return job->result;
}

TEST_F(Thread, HandleIsSignalledWithTheRoutinesResult) {
  Job job{CreateEvent(nullptr, FALSE, FALSE, nullptr), 42};
  DWORD id = 0;
  HANDLE h = CreateThread(nullptr, 0, runJob, &job, 0, &id);
  ASSERT_NE(h, nullptr);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeThread(h, &code));
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
  SetEvent(job.go);
  EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
  ASSERT_TRUE(GetExitCodeThread(h, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(job.idSeen, id);
  EXPECT_NE(id, GetCurrentThreadId());
  EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
  CloseHandle(h);
  CloseHandle(job.go);
}

TEST_F(Thread, TerminatedThreadKeepsTheForcedExitCode) {
  Job job{CreateEvent(nullptr, FALSE, FALSE, nullptr), 5};
  HANDLE h = CreateThread(nullptr, 0, runJob, &job, 0, nullptr);
  ASSERT_NE(h, nullptr);
  {
    testing::ClockAdvancer passes(clock(), 100);
    EXPECT_EQ(WaitForSingleObject(h, 100), WAIT_TIMEOUT);
  }
  ASSERT_TRUE(TerminateThread(h, 0));
  EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
  SetEvent(job.go);  // lets the detached routine run out
  for (int i = 0; i < 500 && !job.returned; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(job.returned);
  DWORD code = 99;
  EXPECT_TRUE(GetExitCodeThread(h, &code));
  EXPECT_EQ(code, 0u);
  CloseHandle(h);
  CloseHandle(job.go);

  EXPECT_FALSE(GetExitCodeThread(job.go, &code)) << "an event is no thread";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
}  // namespace wavorel
