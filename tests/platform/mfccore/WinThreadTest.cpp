// AfxBeginThread: worker threads, suspended start and self-deletion.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

class CWinThreadTest : public wavorel::testing::PlatformTest {};

struct Work {
  std::atomic<int> runs{0};
  std::atomic<CWinThread*> seen{nullptr};
  HANDLE done = nullptr;
};

UINT worker(LPVOID param) {
  auto* work = static_cast<Work*>(param);
  work->seen = AfxGetThread();
  ++work->runs;
  if (work->done) SetEvent(work->done);
  return 23;
}

TEST_F(CWinThreadTest, SuspendedThreadRunsOnResumeAndSignalsItsHandle) {
  Work work;
  CWinThread* thread = AfxBeginThread(worker, &work, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  EXPECT_NE(thread->m_hThread, nullptr);
  EXPECT_NE(thread->m_nThreadID, 0u);
  EXPECT_EQ(WaitForSingleObject(thread->m_hThread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(work.runs, 0);
  EXPECT_EQ(thread->ResumeThread(), 1u);
  EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(work.runs, 1);
  EXPECT_EQ(work.seen, thread);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
  EXPECT_EQ(code, 23u);
  delete thread;
}

TEST_F(CWinThreadTest, AutoDeletingThreadEndsOnItsOwn) {
  Work work;
  work.done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(AfxBeginThread(worker, &work), nullptr);
  EXPECT_EQ(WaitForSingleObject(work.done, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(work.runs, 1);
  CloseHandle(work.done);
  // Let the thread delete its object before the process ends (the leak check
  // of the sanitizer build sees it otherwise).
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}  // namespace
