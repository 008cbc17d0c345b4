#include <map>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Dialog.h"
#include "platform/win/kernel/Errors.h"
#include "platform/testing/Drivers.h"
#include "platform/win/user/KeyInput.h"
#include "platform/win/user/ModalLoop.h"
#include "tests/platform/dialogs/data/resource.h"

namespace wavorel {
namespace {

// What the dialog procedure of these tests saw and how it answers.
struct Probe {
  std::vector<int> commands;  // ids of WM_COMMAND BN_CLICKED
  HWND initFocus = nullptr;   // WM_INITDIALOG's wParam
  LPARAM initParam = 0;
  BOOL initResult = TRUE;
  int endOnCommand = 0;  // EndDialog with the command id when it is this id (-1: any)
  INT_PTR timerResult = 0;
};
Probe* g_probe = nullptr;

INT_PTR CALLBACK probeProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      g_probe->initFocus = reinterpret_cast<HWND>(wParam);
      g_probe->initParam = lParam;
      return g_probe->initResult;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;  // the edit control's notifications
      g_probe->commands.push_back(LOWORD(wParam));
      if (g_probe->endOnCommand == -1 || g_probe->endOnCommand == LOWORD(wParam)) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    case WM_TIMER:
      KillTimer(dialog, wParam);
      EndDialog(dialog, g_probe->timerResult);
      return TRUE;
    default:
      return FALSE;
  }
}

class DialogTest : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_probe = &probe;
  }
  void TearDown() override {
    if (dialog && IsWindow(dialog)) DestroyWindow(dialog);
    g_probe = nullptr;
    PlatformTest::TearDown();
  }
  HWND create(int id = IDD_FORM, HWND owner = nullptr) {
    dialog = CreateDialogParam(nullptr, MAKEINTRESOURCE(id), owner, probeProc, 77);
    return dialog;
  }
  HWND item(int id) const { return GetDlgItem(dialog, id); }
  // A key as the message loop would hand it to IsDialogMessage.
  // A key message as a loop takes it from the queue (which also moves the
  // thread's key state) and gives it to the dialog.
  void key(UINT vk, UINT message = WM_KEYDOWN) {
    PostMessage(GetFocus() ? GetFocus() : dialog, message, vk, 1);
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, message, message, PM_REMOVE));
    EXPECT_TRUE(IsDialogMessage(dialog, &msg));
  }

  Probe probe;
  HWND dialog = nullptr;
};

TEST_F(DialogTest, ControlsComeFromTheTemplateInPixels) {
  ASSERT_NE(create(), nullptr);
  char cls[32];
  GetClassName(dialog, cls, sizeof cls);
  EXPECT_STREQ(cls, "#32770");
  EXPECT_FALSE(IsWindowVisible(dialog));
  RECT client, window;
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &window);
  // 200 x 100 dialog units at 6 x 13 pixels per 4 x 8 units; no owner: screen coordinates.
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 163);
  EXPECT_EQ(window.left, 15);
  EXPECT_EQ(window.top, 33);

  struct Expected {
    int id;
    const char* cls;
    DWORD style;
    DWORD exStyle;
    RECT pixels;  // left, top, right, bottom in the dialog's client area
    int edge;     // the frame's width on each side
  } expected[] = {
      {IDC_LABEL, "Static", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, {8, 11, 53, 24}, 0},
      // The template's flat border becomes the sunken client edge.
      {IDC_NAME, "Edit", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, {60, 8, 210, 28}, 2},
      {IDC_OPEN, "Button", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, {8, 41, 83, 57}, 0},
      {IDC_WPA, "Button", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, {8, 80, 83, 96}, 0},
      {IDC_APPLY, "Button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, {135, 130, 210, 153}, 0},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    HWND c = item(e.id);
    ASSERT_NE(c, nullptr);
    GetClassName(c, cls, sizeof cls);
    EXPECT_STREQ(cls, e.cls);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(c, GWL_STYLE)) & 0xFFFF00FFu, e.style & 0xFFFF00FFu);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(c, GWL_EXSTYLE)), e.exStyle | WS_EX_NOPARENTNOTIFY);
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, e.pixels.left);
    EXPECT_EQ(r.top, e.pixels.top);
    EXPECT_EQ(r.right, e.pixels.right);
    EXPECT_EQ(r.bottom, e.pixels.bottom);
    RECT client;
    GetClientRect(c, &client);
    EXPECT_EQ(client.right, r.right - r.left - 2 * e.edge);
    EXPECT_EQ(client.bottom, r.bottom - r.top - 2 * e.edge);
  }
  RECT units{4, 8, 8, 16};
  ASSERT_TRUE(MapDialogRect(dialog, &units));
  EXPECT_EQ(units.left, 6);
  EXPECT_EQ(units.top, 13);
  EXPECT_EQ(units.right, 12);
  EXPECT_EQ(units.bottom, 26);
}

TEST_F(DialogTest, InitDialogFocusesTheFirstTabStopUnlessItReturnsFalse) {
  ASSERT_NE(create(), nullptr);
  EXPECT_EQ(probe.initParam, 77);
  EXPECT_EQ(probe.initFocus, item(IDC_NAME));
  EXPECT_EQ(GetFocus(), item(IDC_NAME));
  DestroyWindow(dialog);

  probe.initResult = FALSE;
  HWND other = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetFocus(other);
  ASSERT_NE(create(), nullptr);
  EXPECT_EQ(GetFocus(), other);
  DestroyWindow(other);
}

// A hidden dialog made while another window is active (a program's helper
// dialog, or an editor prepared before it shows) leaves that window the
// keyboard; its first tab stop gets the focus when it is shown.
TEST_F(DialogTest, HiddenDialogDoesNotTakeTheKeyboardUntilShown) {
  HWND other = CreateWindowEx(0, "Edit", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  SetFocus(other);
  ASSERT_NE(create(), nullptr);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(GetFocus(), other);
  sendKey('A', true);
  sendKey('A', false);
  pumpMessages();
  char typed[8] = {};
  GetWindowText(other, typed, sizeof typed);
  EXPECT_STREQ(typed, "a");
  // The program presses the hidden dialog's button and focuses its field:
  // the click arrives, the keyboard stays where it was.
  SendMessage(item(IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(probe.commands, std::vector<int>{IDOK});
  EXPECT_EQ(SetFocus(item(IDC_NAME)), nullptr);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(GetFocus(), other);

  ShowWindow(dialog, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(GetFocus(), item(IDC_NAME));
  DestroyWindow(other);
}

TEST_F(DialogTest, WithoutFontTheSystemUnitsAndCenteringApply) {
  ASSERT_NE(create(IDD_PLAIN), nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));  // WS_VISIBLE in the template
  RECT client, window, work;
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &window);
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(client.right, 200);  // 100 units at 8 pixels per 4
  EXPECT_EQ(client.bottom, 100); // 50 units at 16 pixels per 8
  EXPECT_EQ(window.left, (work.right - work.left - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (work.bottom - work.top - (window.bottom - window.top)) / 2);
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));
}

TEST_F(DialogTest, MissingTemplateOrClassFailsTheCreation) {
  EXPECT_EQ(CreateDialogParam(nullptr, MAKEINTRESOURCE(999), nullptr, probeProc, 0), nullptr);
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(999), nullptr, probeProc, 0), -1);
  RECT r{};
  HWND plain = CreateWindowEx(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(MapDialogRect(plain, &r));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WINDOW_NOT_DIALOG));
  DestroyWindow(plain);
}

TEST_F(DialogTest, TabAndShiftTabVisitTheEnabledTabStops) {
  ASSERT_NE(create(), nullptr);
  const int forward[] = {IDC_OPEN, IDC_HIDDEN, IDC_MODE, IDOK, IDCANCEL, IDC_NAME};
  for (int id : forward) {
    key(VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
  }
  key(VK_SHIFT);
  key(VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDCANCEL);
  key(VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
  key(VK_SHIFT, WM_KEYUP);
  key(VK_TAB);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDCANCEL);

  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), item(IDC_NAME));
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), item(IDCANCEL));
  EXPECT_EQ(GetNextDlgTabItem(dialog, item(IDC_WEP), FALSE), item(IDC_HIDDEN));
}

TEST_F(DialogTest, GroupItemsGoRoundTheirGroupSkippingDisabledOnes) {
  ASSERT_NE(create(), nullptr);
  struct Case {
    int from;
    BOOL previous;
    int disabled;
    int expected;
  } cases[] = {
      {IDC_OPEN, FALSE, 0, IDC_WEP},   {IDC_WPA, FALSE, 0, IDC_OPEN}, {IDC_OPEN, TRUE, 0, IDC_WPA},
      {IDC_OPEN, FALSE, IDC_WEP, IDC_WPA}, {IDC_HIDDEN, FALSE, 0, IDC_MODE}, {IDC_COUNT, FALSE, 0, IDC_HIDDEN},
      {IDOK, TRUE, IDC_APPLY, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    if (c.disabled) EnableWindow(item(c.disabled), FALSE);
    EXPECT_EQ(GetNextDlgGroupItem(dialog, item(c.from), c.previous), item(c.expected));
    if (c.disabled && c.disabled != IDC_APPLY) EnableWindow(item(c.disabled), TRUE);
  }
  // A control alone in its group finds itself.
  EnableWindow(item(IDC_WEP), FALSE);
  EnableWindow(item(IDC_WPA), FALSE);
  EXPECT_EQ(GetNextDlgGroupItem(dialog, item(IDC_OPEN), FALSE), item(IDC_OPEN));
}

TEST_F(DialogTest, ArrowKeysMoveAndCheckInsideTheRadioGroup) {
  ASSERT_NE(create(), nullptr);
  SetFocus(item(IDC_OPEN));
  key(VK_DOWN);
  EXPECT_EQ(GetFocus(), item(IDC_WEP));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WEP), static_cast<UINT>(BST_CHECKED));
  key(VK_DOWN);
  key(VK_DOWN);
  EXPECT_EQ(GetFocus(), item(IDC_OPEN));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OPEN), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WEP), static_cast<UINT>(BST_UNCHECKED));
  key(VK_UP);
  EXPECT_EQ(GetFocus(), item(IDC_WPA));
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
  ASSERT_NE(create(), nullptr);
  EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
  key(VK_RETURN);  // in the edit control
  key(VK_ESCAPE);
  SetFocus(item(IDCANCEL));
  key(VK_RETURN);  // a focused push button is pressed itself
  SetFocus(item(IDC_NAME));
  SendMessage(dialog, DM_SETDEFID, IDC_APPLY, 0);
  EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDC_APPLY, DC_HASDEFID));
  EXPECT_EQ(GetWindowLong(item(IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  key(VK_RETURN);  // the default button is disabled: nothing
  EnableWindow(item(IDC_APPLY), TRUE);
  key(VK_RETURN);
  EXPECT_EQ(probe.commands, (std::vector<int>{IDOK, IDCANCEL, IDCANCEL, IDC_APPLY}));

  // WM_CLOSE posts Cancel.
  probe.commands.clear();
  SendMessage(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(probe.commands.empty());
  pumpMessages();
  EXPECT_EQ(probe.commands, std::vector<int>{IDCANCEL});
  EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(DialogTest, DialogBoxEndsFromATimerWithTheOwnerDisabledMeanwhile) {
  HWND owner = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  bool ownerDisabled = false;
  setModalResponder([&](const ModalWindow& w) {
    ownerDisabled = !IsWindowEnabled(owner);
    SetTimer(w.hwnd, 1, 100, nullptr);
    return 0;
  });
  probe.timerResult = 42;
  {
    testing::ClockAdvancer passes(clock(), 100);  // the dialog's loop waits for its timer
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORM), owner, probeProc, 0), 42);
  }
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(DialogTest, DialogBoxIsAnsweredByTheResponderOrByKeys) {
  ModalWindow seen;
  int answer = IDOK;
  setModalResponder([&](const ModalWindow& w) {
    seen = w;
    if (answer == 0) PostMessage(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    return answer;
  });
  probe.endOnCommand = -1;
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORM), nullptr, probeProc, 0), IDOK);
  EXPECT_EQ(seen.caption, "Form");
  EXPECT_EQ(seen.text, "Name:");
  EXPECT_EQ(seen.buttons, (std::vector<int>{IDOK, IDC_APPLY, IDCANCEL}));
  EXPECT_EQ(seen.defaultButton, IDOK);
  EXPECT_FALSE(IsWindow(seen.hwnd));

  answer = 0;  // Escape through the modal loop's keyboard interface
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORM), nullptr, probeProc, 0), IDCANCEL);
}

TEST_F(DialogTest, ModelessEndDialogKeepsTheResultAndHides) {
  ASSERT_NE(create(), nullptr);
  ShowWindow(dialog, SW_SHOW);
  EXPECT_TRUE(EndDialog(dialog, 5));
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindow(dialog));
  HWND plain = CreateWindowEx(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(EndDialog(plain, 1));
  DestroyWindow(plain);
}

}  // namespace
}  // namespace wavorel
