#include "LabWorldTest.h"

namespace wavorel::sim::testing {
namespace {

using RegistrationTest = LabWorldTest;

DWORD WINAPI answer() { return 42; }

// Starts a program and returns its exit code (or the start error + 1000).
DWORD run(const char* commandLine) {
  std::string line = commandLine;
  STARTUPINFO si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 1000 + GetLastError();
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

TEST_F(RegistrationTest, PersistentModulesAndProgramsSurviveAPlatformReset) {
  registerModule("Passing.dll", {{"Answer", 1, exportedProc(&answer)}});
  registerModule("Staying.dll", {{"Answer", 1, exportedProc(&answer)}}, true);
  registerProgram("Passing.exe", [](const ProgramRun&) -> DWORD { return 7; });
  registerProgram("Staying.exe", [](const ProgramRun&) -> DWORD { return 8; }, true);
  HMODULE staying = LoadLibrary("Staying.dll");
  ASSERT_NE(staying, nullptr);
  EXPECT_EQ(run("Passing.exe"), 7u);

  wavorel::resetPlatformState();

  EXPECT_EQ(GetModuleHandle("Staying.dll"), nullptr) << "a reset unloads it";
  EXPECT_EQ(LoadLibrary("Passing.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  staying = LoadLibrary("Staying.dll");
  ASSERT_NE(staying, nullptr);
  EXPECT_NE(GetProcAddress(staying, "Answer"), nullptr);
  EXPECT_NE(LoadLibrary("ICSDHCP.dll"), nullptr);
  EXPECT_NE(LoadLibrary("kernel32.dll"), nullptr);
  EXPECT_EQ(run("Staying.exe"), 8u);
  EXPECT_GE(run("Passing.exe"), 1000u);
}

using SiblingToolsTest = LabWorldTest;

TEST_F(SiblingToolsTest, EachToolStartsEndsWithZeroAndIsRecorded) {
  for (const char* line : {"\"QzSwap.exe\" ON Sorvik Vendrel \"Nerolt Wireless\" USB 8 USB\\VID_148F&PID_2870",
                           "\"Pickwell.exe\" ICS_DOWN", "\"Brenth.exe\" remove"}) {
    clearProcessStarts();
    EXPECT_EQ(run(line), 0u) << line;
    std::vector<ProcessStart> starts = processStarts();
    ASSERT_EQ(starts.size(), 1u) << line;
    EXPECT_EQ(starts[0].api, "CreateProcess");
    EXPECT_EQ(starts[0].commandLine, line);
    EXPECT_EQ(starts[0].error, 0u);
  }
}

}  // namespace
}  // namespace wavorel::sim::testing
