// The headless run's switches: WAVOREL_RUN_MS ends the run with WM_QUIT on
// time, WAVOREL_TRAY keeps a text file of the tray icons, and a modal window
// that has no default button to press is left open instead of being answered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Platform.h"
#include "platform/present/HeadlessRun.h"
#include "platform/testing/PlatformTest.h"

namespace {

class HeadlessRunTest : public wavorel::testing::PlatformTest {
 protected:
  void TearDown() override {
    unsetenv("WAVOREL_RUN_MS");
    unsetenv("WAVOREL_TRAY");
    PlatformTest::TearDown();
  }

  static bool quitPosted() {
    MSG msg;
    return PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) && msg.message == WM_QUIT;
  }

  static std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  HWND window(const char* title) {
    return CreateWindowEx(0, "STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
};

TEST_F(HeadlessRunTest, RunEndsWithQuitOnTime) {
  setenv("WAVOREL_RUN_MS", "2000", 1);
  wavorel::pumpMessages();  // the first idle arms the end
  wavorel::runFor(1999);
  EXPECT_FALSE(quitPosted());
  wavorel::runFor(1);
  EXPECT_TRUE(quitPosted());
}

TEST_F(HeadlessRunTest, RunWithoutALimitGoesOn) {
  for (const char* value : {"", "0", "soon", "-5"}) {
    SCOPED_TRACE(value);
    setenv("WAVOREL_RUN_MS", value, 1);
    wavorel::pumpMessages();
    wavorel::runFor(60000);
    EXPECT_FALSE(quitPosted());
  }
}

TEST_F(HeadlessRunTest, TrayFileFollowsTheIcons) {
  std::string path = root() + "/tray.txt";
  setenv("WAVOREL_TRAY", path.c_str(), 1);
  HWND owner = window("Owner");
  NOTIFYICONDATA data = {};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 7;
  data.uFlags = NIF_TIP;
  std::strcpy(data.szTip, "Connected");
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
  wavorel::pumpMessages();
  EXPECT_EQ(readFile(path), "icon 7 of \"Owner\": shown, picture none, tip \"Connected\"\n");
  std::strcpy(data.szTip, "Disconnected");
  ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &data));
  wavorel::pumpMessages();
  EXPECT_EQ(readFile(path), "icon 7 of \"Owner\": shown, picture none, tip \"Disconnected\"\n");
  ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
  wavorel::pumpMessages();
  EXPECT_EQ(readFile(path), "");
}

TEST_F(HeadlessRunTest, ModalWindowWithoutItsDefaultButtonStaysOpen) {
  HWND bare = window("Main");
  wavorel::ModalWindow shown;
  shown.hwnd = bare;
  shown.caption = "Main";
  shown.defaultButton = IDOK;
  EXPECT_EQ(wavorel::answerModal(shown), 0);

  // With the button as a child control it is pressed.
  CreateWindowEx(0, "BUTTON", "OK", WS_CHILD | BS_OWNERDRAW, 0, 0, 5, 5, bare, reinterpret_cast<HMENU>(IDOK),
                 nullptr, nullptr);
  EXPECT_EQ(wavorel::answerModal(shown), IDOK);

  // A message box lists its buttons.
  wavorel::ModalWindow box;
  box.hwnd = window("Box");
  box.buttons = {IDYES, IDNO};
  box.defaultButton = IDNO;
  EXPECT_EQ(wavorel::answerModal(box), IDNO);
}

}  // namespace
