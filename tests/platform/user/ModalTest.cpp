#include <atomic>
#include <thread>

#include "UserTestSupport.h"

namespace wavorel::testing {
namespace {

using ModalTest = UserTest;

TEST_F(ModalTest, MessageBoxInsideASentMessageKeepsTimersRunning) {
  HWND w = make("Main", WS_POPUP | WS_VISIBLE);
  static HWND box;
  ModalWindow shown;
  int timersDuringBox = 0;
  bool ownerDisabledDuringBox = true;
  setModalResponder([&](const ModalWindow& mw) {
    shown = mw;
    box = mw.hwnd;
    // Nobody answers at once: a thread timer presses "No" 2600 ms later.
    SetTimer(nullptr, 0, 2600, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      PostMessage(box, WM_COMMAND, IDNO, 0);
    });
    return 0;
  });
  SetTimer(w, 1, 500, nullptr);
  on(WM_TIMER, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (IsWindow(box)) {
      ++timersDuringBox;
      ownerDisabledDuringBox = ownerDisabledDuringBox && !IsWindowEnabled(w);
    }
    return 0;
  });
  on(WM_USER, [&](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    return MessageBox(h, "Disconnect now?", "Wireless", MB_YESNO | MB_ICONQUESTION);
  });
  uint64_t start = clock().tickMs();
  {
    ClockAdvancer passes(clock(), 2600);  // the box waits for its timers
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), IDNO);
  }
  EXPECT_EQ(clock().tickMs() - start, 2600u);
  EXPECT_EQ(timersDuringBox, 5);
  EXPECT_TRUE(ownerDisabledDuringBox);
  EXPECT_TRUE(IsWindowEnabled(w));
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(GetActiveWindow(), w) << "the owner is active again";
  EXPECT_EQ(shown.caption, "Wireless");
  EXPECT_EQ(shown.text, "Disconnect now?");
  EXPECT_EQ(shown.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(shown.defaultButton, IDYES);
  EXPECT_EQ(GetParent(box), nullptr);
}

TEST_F(ModalTest, HeadlessBoxesAnswerTheDefaultButtonAndLogIt) {
  struct Case {
    UINT type;
    int answer;
  } cases[] = {{MB_OK, IDOK},
               {MB_YESNO | MB_DEFBUTTON2, IDNO},
               {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
               {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
               {MB_OKCANCEL | MB_DEFBUTTON4, IDOK},
               {MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, IDCONTINUE}};
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "text", nullptr, c.type), c.answer) << c.type;
    std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("\"Error\""), std::string::npos) << "a box without caption is titled Error: " << log;
    EXPECT_NE(log.find(std::to_string(c.answer)), std::string::npos);
  }
  EXPECT_EQ(MessageBox(nullptr, "x", "y", 7), 0) << "no such button set";
}

TEST_F(ModalTest, CloseAnswersCancelOnlyWhereTheBoxHasOne) {
  struct Case {
    UINT type;
    int answer;
  } cases[] = {{MB_OKCANCEL, IDCANCEL}, {MB_OK, IDOK}, {MB_YESNO, IDYES}};
  for (const Case& c : cases) {
    setModalResponder([](const ModalWindow& mw) {
      PostMessage(mw.hwnd, WM_CLOSE, 0, 0);
      PostMessage(mw.hwnd, WM_COMMAND, IDYES, 0);  // taken only where close was refused
      return 0;
    });
    EXPECT_EQ(MessageBox(nullptr, "t", "c", c.type), c.answer) << c.type;
  }
  setModalResponder([](const ModalWindow&) { return IDRETRY; });
  EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_RETRYCANCEL), IDRETRY);
}

TEST_F(ModalTest, LoopEndsFromATimerAndThreadTimersFireInside) {
  HWND w = make();
  int fired = 0;
  on(WM_TIMER, [&](HWND h, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (++fired == 3) endModal(h, 77);
    return 0;
  });
  SetTimer(w, 1, 1000, nullptr);
  static int threadTicks;
  threadTicks = 0;
  UINT_PTR t = SetTimer(nullptr, 0, 250, [](HWND, UINT, UINT_PTR, DWORD) { ++threadTicks; });
  uint64_t start = clock().tickMs();
  {
    ClockAdvancer passes(clock(), 3000);  // the loop waits for its timers
    EXPECT_TRUE(runModalLoop(w));
  }
  INT_PTR result = 0;
  EXPECT_TRUE(takeModalResult(w, &result));
  EXPECT_EQ(result, 77);
  EXPECT_EQ(clock().tickMs() - start, 3000u);
  EXPECT_EQ(threadTicks, 11) << "250 ms ticks before the 3000 ms end (the tie goes to the older timer)";
  KillTimer(nullptr, t);
  ClockAdvancer passes(clock(), 2000);
  EXPECT_TRUE(runModalLoop(nullptr, [&] { return fired >= 5; }));
}

TEST_F(ModalTest, ForeignThreadPostIsDispatchedInsideTheModalLoop) {
  HWND w = make();
  bool inLoop = false;
  bool dispatchedInLoop = false;
  on(WM_APP + 1, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    dispatchedInLoop = inLoop;
    return 0;
  });
  std::thread poster([w] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    PostMessage(w, WM_APP + 1, 0, 0);
  });
  inLoop = true;
  EXPECT_TRUE(runModalLoop(w, [&] { return !seen(WM_APP + 1).empty(); }));
  inLoop = false;
  poster.join();
  EXPECT_TRUE(dispatchedInLoop);
}

TEST_F(ModalTest, QuitEndsNestedLoopsAndReachesTheOuterLoop) {
  HWND w = make();
  PostMessage(w, WM_USER, 0, 0);
  on(WM_USER, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    PostQuitMessage(9);
    EXPECT_FALSE(runModalLoop(nullptr, [] { return false; }));
    return 0;
  });
  EXPECT_FALSE(runModalLoop(w, [] { return false; }));
  MSG m;
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.wParam, 9u);
  HWND doomed = make();
  PostMessage(doomed, WM_CLOSE, 0, 0);
  EXPECT_FALSE(runModalLoop(doomed)) << "ends when its window is destroyed";
}

}  // namespace
}  // namespace wavorel::testing
