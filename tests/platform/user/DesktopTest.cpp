#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "UserTestSupport.h"
#include "platform/win/user/Desktop.h"

namespace wavorel::testing {
namespace {

constexpr UINT kEndInstance = WM_USER + 500;
constexpr UINT kShowInstance = WM_USER + 501;
constexpr const char* kMark = "WavorelVista";

class DesktopTest : public UserTest {
 protected:
  // Starts a second process that publishes a hidden window marked with the
  // instance property, answers kShowInstance by showing itself (result 1234)
  // and kEndInstance by closing; `serve` false leaves it waiting without a loop.
  pid_t startFirstInstance(bool serve) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    pid_t pid = fork();
    if (pid == 0) {
      close(fds[0]);
      on(kShowInstance, [](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        ShowWindow(h, SW_SHOWNORMAL);
        return 1234;
      });
      on(kEndInstance, [](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PostMessage(h, WM_CLOSE, 0, 0);
        return 0;
      });
      on(WM_DESTROY, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        PostQuitMessage(7);
        return 0;
      });
      HWND w = make("Wireless Utility");
      SetProp(w, kMark, reinterpret_cast<HANDLE>(1));
      char ready = w ? 'r' : 'x';
      (void)!write(fds[1], &ready, 1);
      if (!serve) pause();
      MSG m;
      while (GetMessage(&m, nullptr, 0, 0) > 0) DispatchMessage(&m);
      _exit(static_cast<int>(m.wParam));
    }
    close(fds[1]);
    pollfd p{fds[0], POLLIN, 0};
    char ready = 0;
    EXPECT_EQ(poll(&p, 1, 10000), 1);
    EXPECT_EQ(read(fds[0], &ready, 1), 1);
    EXPECT_EQ(ready, 'r');
    close(fds[0]);
    return pid;
  }

  // The single-instance scan: top-level windows from the desktop's first
  // child on, the first one carrying the mark.
  static HWND scanForMark() {
    for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h && IsWindow(h); h = GetWindow(h, GW_HWNDNEXT))
      if (GetProp(h, kMark)) return h;
    return nullptr;
  }
};

TEST_F(DesktopTest, SecondInstanceFindsTheFirstAndTalksToIt) {
  HWND own = make("Own window");
  SetProp(own, "Other", reinterpret_cast<HANDLE>(5));
  pid_t pid = startFirstInstance(true);
  HWND first = scanForMark();
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, own);
  EXPECT_EQ(FindWindow(kClass, "wireless utility"), first);
  DWORD owner = 0;
  GetWindowThreadProcessId(first, &owner);
  EXPECT_EQ(owner, static_cast<DWORD>(pid));
  char title[64];
  EXPECT_EQ(GetWindowText(first, title, sizeof title), 16);
  EXPECT_FALSE(IsWindowVisible(first));
  EXPECT_EQ(SendMessage(first, kShowInstance, 0, 0), 1234);
  EXPECT_TRUE(IsWindowVisible(first)) << "the first instance showed itself and republished";
  EXPECT_TRUE(PostMessage(first, WM_NULL, 0, 0));
  EXPECT_EQ(SendMessage(first, kEndInstance, 0, 0), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 7) << "the first instance closed and quit";
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(scanForMark(), nullptr);
  SetLastError(0);
  EXPECT_FALSE(PostMessage(first, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(GetProp(own, "Other"), reinterpret_cast<HANDLE>(5));
}

TEST_F(DesktopTest, WindowsOfADeadProcessAreIgnored) {
  pid_t pid = startFirstInstance(false);
  HWND first = scanForMark();
  ASSERT_NE(first, nullptr);
  int count = 0;
  EnumWindows([](HWND, LPARAM p) -> BOOL {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&count));
  EXPECT_EQ(count, 1);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_EQ(scanForMark(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(FindWindow(kClass, nullptr), nullptr);
  SetLastError(0);
  EXPECT_EQ(SendMessage(first, kShowInstance, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

// Window files die with the process: a change other processes cannot see
// (a move, the same title again, removing a property it does not have) leaves
// the file alone; one they can see replaces it whole, readable by this user
// only.
TEST_F(DesktopTest, OnlyChangesOtherProcessesCanSeeAreWritten) {
  HWND w = make("Published");
  char name[32];
  std::snprintf(name, sizeof name, "/w%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)));
  std::string file = Desktop::processFolder(static_cast<DWORD>(getpid())) + name;
  struct stat before {};
  ASSERT_EQ(stat(file.c_str(), &before), 0);
  EXPECT_EQ(before.st_mode & 0777, 0600u);
  SetWindowPos(w, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowText(w, "Published");
  RemoveProp(w, "Absent");
  struct stat after {};
  ASSERT_EQ(stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino) << "rewritten for nothing another process could see";
  SetWindowText(w, "Changed");
  ASSERT_EQ(stat(file.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);
  std::ifstream in(file);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("title=Changed\n"), std::string::npos) << text;
}

// The file a window of this process is published in.
std::string windowFile(HWND hwnd) {
  char name[32];
  std::snprintf(name, sizeof name, "/w%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
  return Desktop::processFolder(static_cast<DWORD>(getpid())) + name;
}

bool published(HWND hwnd) {
  struct stat st {};
  return stat(windowFile(hwnd).c_str(), &st) == 0;
}

// The pop-ups controls make for themselves (tooltips, drop-down lists) and
// transient pop-ups (owned tool windows without a title or a property: the
// messages shown beside a field) are not published: no file is written for
// them, however they change, and this process still finds them. A tool
// window another process could pick out (by its title or a property), or one
// without an owner, is published.
TEST_F(DesktopTest, ControlPopupsStayWithinTheProcess) {
  HWND owner = make("Owner");
  for (const char* cls : {TOOLTIPS_CLASS, "ComboLBox"}) {
    HWND popup = CreateWindowEx(WS_EX_TOPMOST, cls, nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(popup, nullptr) << cls;
    SetWindowText(popup, "Pop-up");
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(published(popup)) << cls;
    EXPECT_EQ(FindWindow(cls, "Pop-up"), popup) << cls;
    DestroyWindow(popup);
  }
  struct Case {
    const char* what;
    DWORD exStyle;
    HWND owner;
    const char* title;
    bool published;
  };
  for (const Case& c : {Case{"an owned tool window", WS_EX_TOOLWINDOW, owner, nullptr, false},
                        Case{"one with a title", WS_EX_TOOLWINDOW, owner, "Titled", true},
                        Case{"one without an owner", WS_EX_TOOLWINDOW, nullptr, nullptr, true},
                        Case{"an owned window", 0, owner, nullptr, true}}) {
    HWND popup = CreateWindowEx(c.exStyle, kClass, c.title, WS_POPUP | WS_BORDER, 0, 0, 10, 10, c.owner, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(popup, nullptr) << c.what;
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    EXPECT_EQ(published(popup), c.published) << c.what;
    EXPECT_EQ(FindWindow(kClass, c.title ? c.title : ""), popup) << c.what;
    DestroyWindow(popup);
  }
  // A transient pop-up given a property is published while it has it.
  HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW, kClass, nullptr, WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
  SetProp(popup, "Mark", reinterpret_cast<HANDLE>(1));
  EXPECT_TRUE(published(popup));
  RemoveProp(popup, "Mark");
  EXPECT_FALSE(published(popup));
  DestroyWindow(popup);
}

}  // namespace
}  // namespace wavorel::testing
