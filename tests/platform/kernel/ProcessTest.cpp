#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/CommandLine.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Sync.h"

namespace wavorel {
namespace {

class Process : public testing::PlatformTest {
 protected:
  // Writes a file at a Windows path; returns its Linux path.
  std::string put(const std::string& winPath, const std::string& content, bool executable) {
    std::string linuxPath;
    EXPECT_TRUE(resolveWindowsPath(winPath, linuxPath)) << winPath;
    std::filesystem::create_directories(std::filesystem::path(linuxPath).parent_path());
    std::ofstream(linuxPath) << content;
    chmod(linuxPath.c_str(), executable ? 0755 : 0644);
    return linuxPath;
  }
  std::string linuxOf(const std::string& winPath) {
    std::string linuxPath;
    EXPECT_TRUE(resolveWindowsPath(winPath, linuxPath));
    return linuxPath;
  }
};

TEST_F(Process, RealProgramRunsWithItsArgumentsAndExitCode) {
  put("C:\\tools\\x.exe",
      "#!/bin/sh\nprintf '%s\\n' \"$@\" > args.txt\necho \"$WAVOREL_ROOT\" >> args.txt\nexit 3\n", true);
  std::string commandLine = "\"C:\\tools\\x.exe\" one \"two words\" three\\\"q";
  STARTUPINFO si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = 1;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                            "C:\\tools", &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 3u);
  EXPECT_EQ(WaitForSingleObject(pi.hThread, 0), WAIT_OBJECT_0);
  std::string args;
  ASSERT_TRUE(readWholeFile(linuxOf("C:\\tools\\args.txt"), args));
  EXPECT_EQ(args, "one\ntwo words\nthree\"q\n" + root() + "\n");
  EXPECT_FALSE(TerminateProcess(pi.hProcess, 1)) << "the process has ended";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);

  auto starts = processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "CreateProcess");
  EXPECT_EQ(starts[0].program, "C:\\tools\\x.exe");
  EXPECT_EQ(starts[0].commandLine, commandLine);
  EXPECT_EQ(starts[0].show, 1);
  EXPECT_EQ(starts[0].error, 0u);
}

TEST_F(Process, FailedStartsFailAsOnWindowsAndAreRecorded) {
  put("C:\\tools\\plain.exe", "not a program", false);
  put("C:\\help\\readme.txt", "text", false);
  struct Case {
    const char* api;
    const char* target;
    DWORD error;        // CreateProcess: last error
    INT_PTR returned;   // WinExec / ShellExecute
  } cases[] = {
      {"CreateProcess", "\"C:\\tools\\none.exe\" a", ERROR_FILE_NOT_FOUND, 0},
      {"CreateProcess", "C:\\nowhere\\x.exe", ERROR_PATH_NOT_FOUND, 0},
      {"CreateProcess", "C:\\tools\\plain.exe", ERROR_BAD_EXE_FORMAT, 0},
      {"WinExec", "\"Absent.exe\" ON Sorvik", ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
      {"WinExec", "C:\\tools\\plain.exe", ERROR_BAD_EXE_FORMAT, ERROR_BAD_FORMAT},
      {"ShellExecute", "C:\\help\\QZCONFIGENG.CHM", ERROR_FILE_NOT_FOUND, SE_ERR_FNF},
      {"ShellExecute", "C:\\help\\readme.txt", ERROR_NO_ASSOCIATION, SE_ERR_NOASSOC},
      {"ShellExecute", "http://www.example.com", ERROR_NO_ASSOCIATION, SE_ERR_NOASSOC},
      {"ShellExecute", "Absent.exe", ERROR_FILE_NOT_FOUND, SE_ERR_FNF},
  };
  for (const auto& c : cases) {
    clearProcessStarts();
    std::string api = c.api, target = c.target;
    if (api == "CreateProcess") {
      STARTUPINFO si{};
      PROCESS_INFORMATION pi{};
      EXPECT_FALSE(CreateProcess(nullptr, target.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
      EXPECT_EQ(GetLastError(), c.error) << target;
    } else if (api == "WinExec") {
      EXPECT_EQ(WinExec(c.target, 6), static_cast<UINT>(c.returned)) << target;
    } else {
      EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", c.target, nullptr, nullptr, 1)), c.returned)
          << target;
    }
    auto starts = processStarts();
    ASSERT_EQ(starts.size(), 1u) << target;
    EXPECT_EQ(starts[0].api, api);
    EXPECT_EQ(starts[0].error, c.error) << target;
  }
}

TEST_F(Process, RegisteredProgramRunsItsHandler) {
  std::mutex m;
  std::vector<std::vector<std::string>> runs;
  registerProgram("qzswap", [&](const ProgramRun& run) {
    std::lock_guard<std::mutex> lock(m);
    runs.push_back(run.args);
    return run.args.size() > 1 && run.args[1] == "ON" ? DWORD{9} : DWORD{4};
  });
  auto runCount = [&] {
    std::lock_guard<std::mutex> lock(m);
    return runs.size();
  };
  EXPECT_GT(WinExec("\"QzSwap.exe\" ON Sorvik Vendrel \"Nerolt Wireless\" USB 1 ABC", 6), 31u);
  for (int i = 0; i < 500 && runCount() < 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(runCount(), 1u);
  auto starts = processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].program, "QzSwap.exe");
  EXPECT_EQ(starts[0].show, 6);
  EXPECT_EQ(starts[0].error, 0u);

  std::string commandLine = "\"QzSwap.exe\" OFF";
  STARTUPINFO si{};
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 4u);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::lock_guard<std::mutex> lock(m);
  EXPECT_EQ(runs, (std::vector<std::vector<std::string>>{
                      {"QzSwap.exe", "ON", "Sorvik", "Vendrel", "Nerolt Wireless", "USB", "1", "ABC"},
                      {"QzSwap.exe", "OFF"}}));
}

TEST_F(Process, ShellExecuteOpensDocumentsAndAddressesWithTheirPrograms) {
  std::mutex m;
  std::vector<std::string> lines;
  registerProgram("hh.exe", [&](const ProgramRun& run) {
    std::lock_guard<std::mutex> lock(m);
    lines.push_back(run.program + "|" + run.commandLine);
    return DWORD{0};
  });
  registerProgram("iexplore", [&](const ProgramRun& run) {
    std::lock_guard<std::mutex> lock(m);
    lines.push_back(run.program + "|" + run.commandLine);
    return DWORD{0};
  });
  put("C:\\Windows\\hh.exe", "", false);
  put("C:\\help\\QZCONFIGENG.CHM", "help", false);
  registerFileAssociation(".chm", "hh.exe");
  registerFileAssociation("http", "iexplore.exe");

  EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", "C:\\help\\QZCONFIGENG.CHM", nullptr, nullptr, 5)),
            32);
  EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, nullptr, "iexplore.exe", "http://sorvik.example", nullptr, 3)),
            32);
  EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "open", "http://sorvik.example/x", nullptr, nullptr, 1)), 32);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, "print", "C:\\help\\QZCONFIGENG.CHM", nullptr, nullptr, 1)),
            SE_ERR_NOASSOC);
  for (int i = 0; i < 500; ++i) {
    {
      std::lock_guard<std::mutex> lock(m);
      if (lines.size() == 3) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::lock_guard<std::mutex> lock(m);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "C:\\Windows\\hh.exe|\"hh.exe\" \"C:\\help\\QZCONFIGENG.CHM\"",
                       "iexplore.exe|\"iexplore.exe\" http://sorvik.example",
                       "iexplore.exe|\"iexplore.exe\" http://sorvik.example/x",
                   }));
}

TEST_F(Process, HtmlHelpStartsTheViewerOnlyWithTheFile) {
  std::mutex m;
  std::vector<std::string> lines;
  registerProgram("hh.exe", [&](const ProgramRun& run) {
    std::lock_guard<std::mutex> lock(m);
    lines.push_back(run.commandLine);
    return DWORD{0};
  });
  EXPECT_EQ(HtmlHelp(nullptr, "C:\\help\\Wavorel.HLP", HH_DISPLAY_TOPIC, 0), nullptr);
  EXPECT_EQ(HtmlHelp(nullptr, "C:\\nowhere\\x.chm", HH_DISPLAY_TOPIC, 0), nullptr);
  EXPECT_EQ(HtmlHelp(nullptr, nullptr, HH_DISPLAY_TOPIC, 0), nullptr);
  put("C:\\help\\Wavorel.HLP", "help", false);
  EXPECT_EQ(HtmlHelp(nullptr, "C:\\help\\Wavorel.HLP", 7, 0), nullptr) << "another command";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(HtmlHelp(nullptr, "C:\\help\\Wavorel.HLP", HH_DISPLAY_TOPIC, 0), nullptr);
  for (int i = 0; i < 500; ++i) {
    {
      std::lock_guard<std::mutex> lock(m);
      if (!lines.empty()) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::vector<std::pair<std::string, DWORD>> recorded;
  for (const ProcessStart& s : processStarts()) recorded.emplace_back(s.api + "|" + s.program, s.error);
  EXPECT_EQ(recorded, (std::vector<std::pair<std::string, DWORD>>{
                          {"HtmlHelp|C:\\help\\Wavorel.HLP", ERROR_PATH_NOT_FOUND},
                          {"HtmlHelp|C:\\nowhere\\x.chm", ERROR_PATH_NOT_FOUND},
                          {"HtmlHelp|", ERROR_FILE_NOT_FOUND},
                          {"HtmlHelp|C:\\help\\Wavorel.HLP", 0},
                      }));
  std::lock_guard<std::mutex> lock(m);
  EXPECT_EQ(lines, (std::vector<std::string>{"\"hh.exe\" \"C:\\help\\Wavorel.HLP\""}));
}

TEST_F(Process, CommandLinesSplitAsTheRunTimeDoes) {
  struct Case {
    const char* line;
    std::vector<std::string> args;
  } cases[] = {
      {"p \"a b c\" d e", {"p", "a b c", "d", "e"}},
      {"p \"ab\\\"c\" \"\\\\\" d", {"p", "ab\"c", "\\", "d"}},
      {"p a\\\\\\b d\"e f\"g h", {"p", "a\\\\\\b", "de fg", "h"}},
      {"p a\\\\\\\"b c d", {"p", "a\\\"b", "c", "d"}},
      {"p a\\\\\\\\\"b c\" d e", {"p", "a\\\\b c", "d", "e"}},
      {"p a\"b\"\" c d", {"p", "ab\" c d"}},
      {"\"C:\\Program Files\\a\\\" x\t\ty ", {"C:\\Program Files\\a\\", "x", "y"}},
      {"  ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.args) << c.line;
  EXPECT_EQ(programCandidates("C:\\Program Files\\a b  x"),
            (std::vector<std::string>{"C:\\Program", "C:\\Program Files\\a", "C:\\Program Files\\a b",
                                      "C:\\Program Files\\a b  x"}));
  EXPECT_EQ(programCandidates(" \"C:\\a b\\c.exe\" d"), (std::vector<std::string>{"C:\\a b\\c.exe"}));
}

}  // namespace
}  // namespace wavorel
