// When a modal window is answered: the test's responder is called from inside
// the window's own loop, once the window is shown and its first messages
// (posted messages, the first paint, timers already due) ran; with a person at
// the display nobody answers for them, so the window stays open until they
// act; a headless run answers with the defaults.
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "tests/platform/dialogs/data/resource.h"

namespace wavorel {
namespace {

// What the dialog saw before the responder answered.
struct Seen {
  bool posted = false;
  bool timer = false;
  int paints = 0;
};
Seen g_seen;
VirtualClock* g_clock = nullptr;

constexpr UINT kPosted = WM_APP + 5;

// A dialog that posts itself a message and sets a timer that is due at once.
INT_PTR CALLBACK busyProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      PostMessage(dialog, kPosted, 0, 0);
      SetTimer(dialog, 7, USER_TIMER_MINIMUM, nullptr);
      g_clock->advance(USER_TIMER_MINIMUM);
      return TRUE;
    case kPosted: g_seen.posted = true; return TRUE;
    case WM_TIMER:
      KillTimer(dialog, wParam);
      g_seen.timer = true;
      return TRUE;
    case WM_PAINT: ++g_seen.paints; return FALSE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;  // the edit's notifications
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

class ModalAnswerTest : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_seen = Seen{};
    g_clock = &clock();
  }
  void TearDown() override {
    setModalResponder(nullptr);
    setPersonAtDisplay(false);
    PlatformTest::TearDown();
  }
};

TEST_F(ModalAnswerTest, TheResponderAnswersAfterTheFirstMessagesRanInsideTheLoop) {
  Seen atAnswer;
  bool visible = false, nothingToPaint = false;
  setModalResponder([&](const ModalWindow& w) {
    atAnswer = g_seen;
    visible = IsWindowVisible(w.hwnd) != FALSE;
    RECT update;
    nothingToPaint = !GetUpdateRect(w.hwnd, &update, FALSE);
    return IDCANCEL;
  });
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORM), nullptr, busyProc, 0), IDCANCEL);
  EXPECT_TRUE(visible);
  EXPECT_TRUE(atAnswer.posted);
  EXPECT_TRUE(atAnswer.timer);
  EXPECT_GE(atAnswer.paints, 1);
  EXPECT_TRUE(nothingToPaint);

  // A message box too: its buttons are painted when the responder looks.
  bool boxPainted = false;
  setModalResponder([&](const ModalWindow& w) {
    RECT update;
    HWND ok = GetDlgItem(w.hwnd, IDOK);
    boxPainted = ok && !GetUpdateRect(w.hwnd, &update, FALSE) && !GetUpdateRect(ok, &update, FALSE);
    return IDOK;
  });
  EXPECT_EQ(MessageBox(nullptr, "Connected.", "Wireless", MB_OK), IDOK);
  EXPECT_TRUE(boxPainted);
}

// The person: a window whose WM_APP (posted from another thread, later)
// presses No on the open message box.
LRESULT CALLBACK personProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP)
    if (HWND box = FindWindow("WavorelMessageBox", "Wireless"))
      PostMessage(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(ModalAnswerTest, WithAPersonAtTheDisplayTheBoxWaitsForThem) {
  setPersonAtDisplay(true);
  WNDCLASS wc{};
  wc.lpfnWndProc = personProc;
  wc.lpszClassName = "Person";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND hand = CreateWindowEx(0, "Person", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  std::thread person([hand] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    PostMessage(hand, WM_APP, 0, 0);
  });
  ::testing::internal::CaptureStderr();
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(MessageBox(nullptr, "Disconnect now?", "Wireless", MB_YESNO), IDNO);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  person.join();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "no default answered for the person";

  // The headless run answers with the default button and says so.
  setPersonAtDisplay(false);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBox(nullptr, "Disconnect now?", "Wireless", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("answered with button 7"), std::string::npos);
}

TEST_F(ModalAnswerTest, TheMessageBoxShowsItsTextAndAButtonForEachAnswer) {
  setModalResponder([](const ModalWindow& w) {
    RECT box, yes, no, cancel;
    GetWindowRect(w.hwnd, &box);
    GetWindowRect(GetDlgItem(w.hwnd, IDYES), &yes);
    GetWindowRect(GetDlgItem(w.hwnd, IDNO), &no);
    GetWindowRect(GetDlgItem(w.hwnd, IDCANCEL), &cancel);
    EXPECT_LT(yes.right, no.left) << "left to right";
    EXPECT_LT(no.right, cancel.left);
    EXPECT_LT(cancel.right, box.right);
    EXPECT_EQ(GetFocus(), GetDlgItem(w.hwnd, IDNO)) << "the default button has the focus";
    char label[32] = "";
    GetWindowText(GetDlgItem(w.hwnd, IDNO), label, sizeof label);
    EXPECT_STREQ(label, "&No");
    // Tab moves to Cancel (taken here as the box's loop takes keys: each key
    // goes to the focus of its time), Enter presses it.
    sendKey(VK_TAB, true);
    sendKey(VK_TAB, false);
    MSG key;
    while (PeekMessage(&key, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) IsDialogMessage(w.hwnd, &key);
    EXPECT_EQ(GetFocus(), GetDlgItem(w.hwnd, IDCANCEL));
    sendKey(VK_RETURN, true);
    sendKey(VK_RETURN, false);
    return 0;
  });
  EXPECT_EQ(MessageBox(nullptr, "Save the profile?", "Profiles", MB_YESNOCANCEL | MB_DEFBUTTON2), IDCANCEL);
  // Escape on a box without Cancel does nothing; on a lone OK it answers OK.
  setModalResponder([](const ModalWindow& w) {
    sendKey(VK_ESCAPE, true);
    sendKey(VK_ESCAPE, false);
    PostMessage(w.hwnd, WM_COMMAND, IDYES, 0);
    return 0;
  });
  EXPECT_EQ(MessageBox(nullptr, "Sure?", "Profiles", MB_YESNO), IDYES);
  setModalResponder([](const ModalWindow&) {
    sendKey(VK_ESCAPE, true);
    sendKey(VK_ESCAPE, false);
    return 0;
  });
  EXPECT_EQ(MessageBox(nullptr, "Done.", "Profiles", MB_OK | MB_ICONINFORMATION), IDOK);
}

// A dialog that places itself where g_place says, as a program hiding a
// helper dialog does.
POINT g_place{};
std::atomic<HWND> g_placed{nullptr};

INT_PTR CALLBACK placedProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowPos(dialog, nullptr, g_place.x, g_place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      g_placed = dialog;
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return FALSE;
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

TEST_F(ModalAnswerTest, AWindowWhollyOffTheScreenIsAnsweredByNobody) {
  struct Case {
    POINT place;
    bool answered;
  };
  const Case cases[] = {{{-9999, -9999}, false},
                        {{GetSystemMetrics(SM_CXSCREEN), 0}, false},
                        {{0, GetSystemMetrics(SM_CYSCREEN) + 5}, false},
                        {{-10, -10}, true}};
  for (const bool responder : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.place.x << "," << c.place.y << (responder ? " responder" : " headless"));
      bool asked = false;
      if (responder)
        setModalResponder([&asked](const ModalWindow&) {
          asked = true;
          return IDOK;
        });
      else
        setModalResponder(nullptr);
      g_place = c.place;
      g_placed = nullptr;
      // Its program ends it later: Cancel, from another thread. A window that
      // is answered gets a long grace, so a slow machine cannot race the answer.
      std::atomic<bool> ended{false};
      const auto grace = std::chrono::milliseconds(c.answered ? 10000 : 200);
      std::thread program([&ended, grace] {
        while (!g_placed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto until = std::chrono::steady_clock::now() + grace;
        while (!ended && std::chrono::steady_clock::now() < until)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!ended) PostMessage(g_placed, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      });
      ::testing::internal::CaptureStderr();
      const INT_PTR result = DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORM), nullptr, placedProc, 0);
      ended = true;
      const std::string log = ::testing::internal::GetCapturedStderr();
      program.join();
      EXPECT_EQ(asked, responder && c.answered);
      EXPECT_EQ(result, c.answered ? IDOK : IDCANCEL);
      EXPECT_EQ(log.find("lies off the screen") != std::string::npos, !c.answered);
    }
  }
}

// The person again, pressing Cancel on whatever modal window is active.
LRESULT CALLBACK cancellingPersonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP)
    if (HWND active = GetActiveWindow()) PostMessage(active, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(ModalAnswerTest, WithAPersonAtTheDisplayDialogsSheetsAndFileDialogsWaitForThem) {
  setPersonAtDisplay(true);
  g_place = POINT{0, 0};
  WNDCLASS wc{};
  wc.lpfnWndProc = cancellingPersonProc;
  wc.lpszClassName = "CancellingPerson";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND hand = CreateWindowEx(0, "CancellingPerson", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  // Each window, opened modal; true when it came back cancelled.
  const std::pair<const char*, std::function<bool()>> windows[] = {
      {"dialog", [] { return DialogBoxParam(nullptr, MAKEINTRESOURCE(IDD_FORM), nullptr, placedProc, 0) == IDCANCEL; }},
      {"property sheet",
       [] {
         CPropertyPage page(IDD_SHEET_PAGE1);
         CPropertySheet sheet("Settings");
         sheet.AddPage(&page);
         return sheet.DoModal() == IDCANCEL;
       }},
      {"file dialog",
       [] {
         char file[MAX_PATH] = "";
         OPENFILENAME ofn{};
         ofn.lStructSize = sizeof ofn;
         ofn.lpstrFile = file;
         ofn.nMaxFile = sizeof file;
         return !GetOpenFileName(&ofn) && CommDlgExtendedError() == 0;
       }},
  };
  for (const auto& [name, open] : windows) {
    SCOPED_TRACE(name);
    std::thread person([hand] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      PostMessage(hand, WM_APP, 0, 0);
    });
    ::testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    const bool cancelled = open();
    const auto waited = std::chrono::steady_clock::now() - start;
    person.join();
    EXPECT_TRUE(cancelled);
    EXPECT_GE(waited, std::chrono::milliseconds(100)) << "open until the person acted";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "no default answered for the person";
  }
}

}  // namespace
}  // namespace wavorel
