// Real processes of the built program on one platform root, run headless:
// a second start shows the first instance and ends; "/EndPrevInst" ends the
// first instance and runs in its place; the headless run's time limit ends
// a program cleanly. The test process watches their main windows through the
// desktop the instances share.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/testing/HeadlessEnvironment.h"
#include "frontend/GxWinApp.h"
#include "tests/frontend/FrontendTest.h"

extern char** environ;

namespace {

class EndToEndTest : public wavorel::testing::FrontendTest {
 protected:
  void TearDown() override {
    for (pid_t pid : running_) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    FrontendTest::TearDown();
  }

  // Starts the program headless on this test's root with the given
  // arguments and extra environment entries ("NAME=value").
  pid_t start(std::vector<std::string> args, std::vector<std::string> env = {}) {
    std::vector<std::string> environment = wavorel::testing::headlessEnvironment(root(), env);
    args.insert(args.begin(), WAVOREL_PROGRAM_FILE);
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, WAVOREL_PROGRAM_FILE, nullptr, nullptr, argv.data(), envp.data()) != 0) return 0;
    running_.push_back(pid);
    return pid;
  }

  // Waits up to `seconds` of real time for the process to end; its exit
  // status, or -1 when it did not end (or was killed).
  int waitEnd(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        running_.erase(std::remove(running_.begin(), running_.end(), pid), running_.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
  }

  // Waits up to `seconds` of real time for the condition.
  static bool eventually(const std::function<bool()>& condition, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
  }

  // The main windows of running instances: top-level windows with the mark.
  std::vector<HWND> instanceWindows() const {
    std::vector<HWND> found;
    for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      if (GetProp(h, programName())) found.push_back(h);
    return found;
  }

  // A headless run of 6 s that writes its main dialog (checked) and its
  // tray; the tray's text.
  std::string headlessRun() {
    const std::string shot = root() + "/main-dialog.png";
    const std::string tray = root() + "/tray.txt";
    pid_t pid = start({}, {"WAVOREL_RUN_MS=6000", "WAVOREL_SCREENSHOT=" + shot, "WAVOREL_TRAY=" + tray});
    EXPECT_NE(pid, 0);
    EXPECT_EQ(waitEnd(pid, 60), 0);
    EXPECT_TRUE(std::filesystem::exists(shot));
    std::ifstream in(tray);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

 private:
  std::vector<pid_t> running_;
};

TEST_F(EndToEndTest, SecondStartShowsTheFirstThenEndPrevInstReplacesIt) {
  pid_t first = start({});
  ASSERT_NE(first, 0);
  HWND window = nullptr;
  ASSERT_TRUE(eventually(
      [&] {
        auto windows = instanceWindows();
        window = windows.size() == 1 ? windows[0] : nullptr;
        return window && IsWindowVisible(window);
      },
      20))
      << "the first instance did not show its window";
  // Escape hides it to the tray.
  PostMessage(window, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(eventually([&] { return !IsWindowVisible(window); }, 10)) << "the first instance did not hide";

  // A second start brings the first to the front and ends without a window.
  pid_t second = start({});
  EXPECT_EQ(waitEnd(second, 20), 0);
  EXPECT_TRUE(eventually([&] { return IsWindowVisible(window); }, 10)) << "the first instance was not shown";
  EXPECT_EQ(instanceWindows().size(), 1u);

  // "/EndPrevInst" ends the first (its box answered by the headless run)
  // and then runs itself until its time is over.
  pid_t third = start({"/EndPrevInst"}, {"WAVOREL_RUN_MS=6000"});
  EXPECT_EQ(waitEnd(first, 20), 0) << "the first instance did not end";
  EXPECT_TRUE(eventually(
      [&] {
        auto windows = instanceWindows();
        return windows.size() == 1 && windows[0] != window;
      },
      20))
      << "the third instance did not take over";
  EXPECT_EQ(waitEnd(third, 20), 0);
  EXPECT_TRUE(instanceWindows().empty());
}

TEST_F(EndToEndTest, AllowMIRunsTwoAndTheRunLimitEndsThem) {
  // The first runs long enough for the second to start beside it on a
  // loaded machine (a sanitizer build starts in seconds there).
  pid_t first = start({}, {"WAVOREL_RUN_MS=12000"});
  ASSERT_TRUE(eventually([&] { return instanceWindows().size() == 1; }, 20));
  pid_t second = start({"/AllowMI"}, {"WAVOREL_RUN_MS=5000"});
  EXPECT_TRUE(eventually([&] { return instanceWindows().size() == 2; }, 20));
  EXPECT_EQ(waitEnd(second, 20), 0);
  EXPECT_EQ(waitEnd(first, 40), 0);
  EXPECT_TRUE(instanceWindows().empty());
  // The mode was saved by the instance that ended last.
  HKEY key = nullptr;
  std::string path = std::string("Software\\Wavorel(Quendal)\\") + programName() + "\\Setting";
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD mode = 7, size = sizeof mode;
  EXPECT_EQ(RegQueryValueEx(key, "Mode", nullptr, nullptr, reinterpret_cast<BYTE*>(&mode), &size), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(mode, 1u);
}

TEST_F(EndToEndTest, HeadlessRunShowsStationModeWithTheWorkersFirstReports) {
  const std::string text = headlessRun();
  // WavorelVista's worker reports the link; Wavorel's worker is not part of it yet.
  EXPECT_NE(text.find(WAVOREL_BUILD_XP ? "Wavorel 802.11n Wireless Adapter" : "Status : Disconnected"), std::string::npos)
      << text;
}

TEST_F(EndToEndTest, HeadlessRunInApModeShowsTheApWorkersState) {
  // The mode the last run saved: soft AP.
  HKEY key = nullptr;
  const std::string path = std::string("Software\\Wavorel(Quendal)\\") + programName() + "\\Setting";
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD mode = 0;
  RegSetValueEx(key, "Mode", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof mode);
  RegCloseKey(key);
  const std::string text = headlessRun();
  // The AP worker of each program polls its state into the tray.
  EXPECT_NE(text.find("Soft AP  Status"), std::string::npos) << text;
}

}  // namespace
