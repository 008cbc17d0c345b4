#include "utilmere/Utilmere.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "platform/win/kernel/Process.h"
#include "tests/utilmere/UtilmereTest.h"

namespace {

class ProcessToolsTest : public utilmere::testing::UtilmereTest {
 protected:
  void SetUp() override {
    UtilmereTest::SetUp();
    wavorel::registerProgram("tool.exe", [this](const wavorel::ProgramRun& run) -> DWORD {
      lastCommandLine_ = run.commandLine;
      return 7;
    });
    wavorel::registerProgram("slow.exe", [this](const wavorel::ProgramRun&) -> DWORD {
      release_.wait();
      ++slowEnded_;
      return 1;
    });
  }
  // Releases the runs of slow.exe and waits for their ends.
  void TearDown() override {
    releaseSlow_.set_value();
    for (int i = 0; i < 5000 && slowEnded_ < slowStarts_; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(slowEnded_, slowStarts_);
    UtilmereTest::TearDown();
  }

  std::string lastCommandLine_;
  std::promise<void> releaseSlow_;
  std::shared_future<void> release_ = releaseSlow_.get_future().share();
  std::atomic<int> slowEnded_{0};
  int slowStarts_ = 0;
};

TEST_F(ProcessToolsTest, CommandLineQuotedAndTrimmed) {
  const struct {
    const char* arguments;
    const char* commandLine;
  } cases[] = {
      {"-a  b ", "\"C:\\Tools\\tool.exe\" -a  b"},
      {"   ", "\"C:\\Tools\\tool.exe\""},
      {"", "\"C:\\Tools\\tool.exe\""},
      {nullptr, "\"C:\\Tools\\tool.exe\""},
  };
  for (const auto& c : cases) {
    HANDLE process = gxCreateProcess("C:\\Tools\\tool.exe", c.arguments);
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(WaitForSingleObject(process, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(process, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(CloseHandle(process));
    EXPECT_EQ(lastCommandLine_, c.commandLine);
    const wavorel::ProcessStart start = wavorel::processStarts().back();
    EXPECT_EQ(start.api, "CreateProcess");
    EXPECT_EQ(start.show, SW_SHOWNORMAL);
    EXPECT_EQ(start.error, 0u);
  }
  EXPECT_EQ(gxCreateProcess("C:\\Tools\\none.exe", "x"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(gxCreateProcess(nullptr, "x"), nullptr);
  EXPECT_EQ(gxCreateProcess("", "x"), nullptr);
}

TEST_F(ProcessToolsTest, ExecuteAndWait) {
  DWORD code = 0;
  EXPECT_EQ(ExecuteProcAndWaitEnd("C:\\Tools\\tool.exe", "x", 5, &code), 0);
  EXPECT_EQ(code, 7u);
  EXPECT_EQ(ExecuteProcAndWaitEnd("C:\\Tools\\tool.exe", "x", 5, nullptr), 0);
  EXPECT_EQ(ExecuteProcAndWaitEnd("C:\\Tools\\none.exe", "x", 5, &code), -1);

  slowStarts_ = 2;
  const DWORD before = GetTickCount();
  {
    wavorel::testing::ClockAdvancer passes(clock(), 2000);
    EXPECT_EQ(ExecuteProcAndWaitEnd("C:\\Tools\\slow.exe", "", 2, &code), -2);
  }
  EXPECT_GE(GetTickCount() - before, 2000u);
  // Without a wait the exit code is read at once, while it still runs.
  EXPECT_EQ(ExecuteProcAndWaitEnd("C:\\Tools\\slow.exe", "", 0, &code), 0);
  EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
}

DWORD quickThread(LPVOID) { return 3; }

// A thread that runs until released; it owns a share of its gate, so the
// gate outlives the test's wait for it.
struct Gate {
  std::promise<void> release;
  std::promise<void> done;
};
DWORD blockedThread(LPVOID parameter) {
  std::unique_ptr<std::shared_ptr<Gate>> own(static_cast<std::shared_ptr<Gate>*>(parameter));
  std::shared_ptr<Gate> gate = *own;
  gate->release.get_future().wait();
  gate->done.set_value();
  return 4;
}

TEST_F(ProcessToolsTest, ThreadsWaitedForOrTerminated) {
  HANDLE thread = CreateThread(nullptr, 0, quickThread, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForThreadEnd(&thread, 5000), 1);
  EXPECT_EQ(thread, nullptr);
  EXPECT_EQ(WaitForThreadEnd(&thread, 5000), 1);
  EXPECT_EQ(WaitForThreadEnd(nullptr, 5000), 1);

  auto gate = std::make_shared<Gate>();
  auto share = std::make_unique<std::shared_ptr<Gate>>(gate);
  thread = CreateThread(nullptr, 0, blockedThread, share.get(), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  share.release();  // the thread owns it now
  {
    wavorel::testing::ClockAdvancer passes(clock(), 100);
    EXPECT_EQ(WaitForThreadEnd(&thread, 100), 0);
  }
  EXPECT_EQ(thread, nullptr);
  gate->release.set_value();
  gate->done.get_future().wait();
}

TEST_F(ProcessToolsTest, LanguageIdentifiers) {
  EXPECT_EQ(GetSystemLanguageType(), 0x0409);
  EXPECT_EQ(GetUserLanguageType(), 0x0409);
  wavorel::setDefaultLocales(MAKELCID(0x0804, 1), 0x0411);
  EXPECT_EQ(GetSystemLanguageType(), 0x0804);  // the low 16 bits only
  EXPECT_EQ(GetUserLanguageType(), 0x0411);
}

}  // namespace
