#include <gtest/gtest.h>

#include <thread>

#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Dialog.h"
#include "platform/win/user/Input.h"
#include "platform/testing/Drivers.h"
#include "platform/win/user/ModalLoop.h"

namespace {

constexpr int kFirst = 101;
constexpr int kSecond = 102;

// Remembers which control had the focus when Cancel ended the dialog.
int g_focusAtCancel = 0;

INT_PTR CALLBACK recordingProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    g_focusAtCancel = GetDlgCtrlID(GetFocus());
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

class InputTest : public wavorel::testing::PlatformTest {
 protected:
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    PlatformTest::TearDown();
  }

  // A dialog with two edits and a Cancel button, all tab stops.
  HWND makeDialog() {
    wavorel::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION;
    t.rect = RECT{0, 0, 120, 60};
    int ids[] = {kFirst, kSecond, IDCANCEL};
    LONG y = 5;
    for (int id : ids) {
      wavorel::DialogControl c;
      c.className = id == IDCANCEL ? WC_BUTTON : WC_EDIT;
      c.id = static_cast<DWORD>(id);
      c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
      c.rect = RECT{5, y, 100, y + 12};
      y += 15;
      t.controls.push_back(c);
    }
    return wavorel::createDialog(nullptr, t, nullptr, recordingProc, 0);
  }
};

TEST_F(InputTest, KeyStateFollowsRetrievedMessagesAndAsyncStateTheKeyboard) {
  HWND w = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetFocus(w);
  struct Step {
    bool down;
    SHORT async;
    SHORT beforePump;
    SHORT afterPump;
  } steps[] = {
      {true, SHORT(0x8000), 0, SHORT(0x8001)},  // down, toggled on
      {false, 0, SHORT(0x8001), 0x0001},        // up, still toggled
      {true, SHORT(0x8000), 0x0001, SHORT(0x8000)},  // the next press toggles off
  };
  for (const Step& s : steps) {
    ASSERT_TRUE(wavorel::sendKey(VK_SHIFT, s.down));
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), s.async);
    EXPECT_EQ(GetKeyState(VK_SHIFT), s.beforePump);
    wavorel::pumpMessages();
    EXPECT_EQ(GetKeyState(VK_SHIFT), s.afterPump);
  }
  // Another thread sees the keyboard but has taken no messages.
  SHORT async = 0, sync = 0;
  std::thread([&] {
    async = GetAsyncKeyState(VK_SHIFT);
    sync = GetKeyState(VK_SHIFT);
  }).join();
  EXPECT_EQ(async, SHORT(0x8000));
  EXPECT_EQ(sync, 0);
  EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
  DestroyWindow(w);
}

TEST_F(InputTest, CursorPositionIsSetByInputAndKeptOnScreen) {
  POINT pt{};
  wavorel::setCursorPos(POINT{120, 45});
  ASSERT_TRUE(GetCursorPos(&pt));
  EXPECT_EQ(pt.x, 120);
  EXPECT_EQ(pt.y, 45);
  EXPECT_TRUE(SetCursorPos(-5, 100000));
  GetCursorPos(&pt);
  EXPECT_EQ(pt.x, 0);
  EXPECT_EQ(pt.y, GetSystemMetrics(SM_CYSCREEN) - 1);
  EXPECT_FALSE(GetCursorPos(nullptr));
}

// Shift+Tab from the keyboard, through a modal dialog's loop: focus goes back.
TEST_F(InputTest, ShiftTabInAModalDialogMovesTheFocusBackwards) {
  HWND dialog = makeDialog();
  ASSERT_NE(dialog, nullptr);
  wavorel::setModalResponder([dialog](const wavorel::ModalWindow&) {
    SetFocus(GetDlgItem(dialog, kSecond));
    wavorel::sendKey(VK_SHIFT, true);
    wavorel::sendKey(VK_TAB, true);
    wavorel::sendKey(VK_TAB, false);
    wavorel::sendKey(VK_SHIFT, false);
    PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
  });
  EXPECT_EQ(wavorel::runDialogModal(dialog), IDCANCEL);
  EXPECT_EQ(g_focusAtCancel, kFirst);
  DestroyWindow(dialog);
}

// A Tab posted from another thread reaches the dialog's keyboard interface
// through the modal loop's filter (a plain edit ignores Tab).
TEST_F(InputTest, ModalFilterTakesMessagesPostedFromAnotherThread) {
  HWND dialog = makeDialog();
  ASSERT_NE(dialog, nullptr);
  wavorel::setModalResponder([dialog](const wavorel::ModalWindow&) {
    HWND first = GetDlgItem(dialog, kFirst);
    SetFocus(first);
    std::thread([dialog, first] {
      PostMessage(first, WM_KEYDOWN, VK_TAB, 1);
      PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    }).join();
    return 0;
  });
  EXPECT_EQ(wavorel::runDialogModal(dialog), IDCANCEL);
  EXPECT_EQ(g_focusAtCancel, kSecond);
  DestroyWindow(dialog);

  // The filter's verdict: handled messages are not dispatched.
  HWND w = CreateWindowEx(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  int filtered = 0;
  std::thread([w] {
    PostMessage(w, WM_USER, 1, 0);
    PostMessage(w, WM_USER, 2, 0);
  }).join();
  bool ended = wavorel::runModalLoop(w, {}, [&](MSG& msg) {
    if (msg.message == WM_USER) ++filtered;
    if (msg.wParam == 2) wavorel::endModal(w, 7);
    return true;
  });
  EXPECT_TRUE(ended);
  EXPECT_EQ(filtered, 2);
  DestroyWindow(w);
}

}  // namespace
