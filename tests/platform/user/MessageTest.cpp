#include <gtest/gtest-spi.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>

#include "UserTestSupport.h"

namespace wavorel::testing {
namespace {

using MessageTest = UserTest;

TEST_F(MessageTest, SendInsideSendAndPostDuringSendArrivesAfter) {
  HWND a = make("a");
  HWND b = make("b");
  std::vector<std::string> trace;
  on(WM_USER, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    trace.push_back("a:start");
    PostMessage(b, WM_USER + 2, 0, 0);
    LRESULT inner = SendMessage(b, WM_USER + 1, 20, 0);
    trace.push_back("a:end");
    return inner + 1;
  }, a);
  on(WM_USER + 1, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    trace.push_back("b:sent");
    return static_cast<LRESULT>(wp) * 2;
  }, b);
  on(WM_USER + 2, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    trace.push_back("b:posted");
    return 0;
  }, b);
  EXPECT_EQ(SendMessage(a, WM_USER, 0, 0), 41);
  trace.push_back("returned");
  EXPECT_EQ(pumpMessages(), 1u);
  EXPECT_EQ(trace, (std::vector<std::string>{"a:start", "b:sent", "a:end", "returned", "b:posted"}));
}

TEST_F(MessageTest, PostedMessagesKeepTheirOrderAndFilters) {
  HWND a = make("a");
  HWND b = make("b");
  for (int i = 0; i < 3; ++i) {
    PostMessage(a, WM_USER, static_cast<WPARAM>(i), 0);
    PostMessage(b, WM_APP, static_cast<WPARAM>(i), 0);
  }
  PostThreadMessage(GetCurrentThreadId(), WM_APP + 5, 9, 0);
  MSG m;
  EXPECT_TRUE(PeekMessage(&m, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_APP));
  EXPECT_TRUE(PeekMessage(&m, nullptr, WM_APP, WM_APP, PM_REMOVE));
  EXPECT_EQ(m.hwnd, b);
  EXPECT_EQ(m.wParam, 0u);
  std::vector<std::pair<HWND, WPARAM>> got;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) got.push_back({m.hwnd, m.wParam});
  EXPECT_EQ(got, (std::vector<std::pair<HWND, WPARAM>>{
                     {a, 0}, {a, 1}, {b, 1}, {a, 2}, {b, 2}, {nullptr, 9}}));
}

TEST_F(MessageTest, QuitComesAfterPostedMessages) {
  HWND w = make();
  PostQuitMessage(3);
  PostMessage(w, WM_USER, 0, 0);
  MSG m;
  EXPECT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_EQ(GetMessage(&m, reinterpret_cast<HWND>(0x1234), 0, 0), -1);
}

TEST_F(MessageTest, DestroyedWindowsTakeNoMessages) {
  HWND w = make();
  PostMessage(w, WM_USER, 0, 0);
  DestroyWindow(w);
  clearLog();
  EXPECT_EQ(pumpMessages(), 0u) << "messages posted before the destroy are dropped";
  SetLastError(0);
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(0);
  EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(seen(WM_USER).empty());
}

// Code of the program that throws into the platform is caught where the
// platform called it, logged, and fails the running test; the loop goes on.
TEST_F(MessageTest, ExceptionsEscapingProgramCodeFailTheTestAndTheLoopGoesOn) {
  HWND w = make();
  on(WM_USER, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { throw std::runtime_error("boom"); });
  static bool hookThrows = false;
  HHOOK hook = SetWindowsHookEx(
      WH_KEYBOARD,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (hookThrows) throw std::runtime_error("hook boom");
        return CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  SetFocus(w);
  struct Case {
    const char* what;
    std::function<void()> run;
    const char* logged;
  } cases[] = {
      {"posted to a window procedure",
       [&] {
         PostMessage(w, WM_USER, 0, 0);
         PostMessage(w, WM_USER + 1, 0, 0);
         EXPECT_EQ(pumpMessages(), 2u);
       },
       "window procedure of"},
      {"sent to a window procedure", [&] { EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0); }, "boom"},
      {"a timer callback",
       [&] {
         SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) { KillTimer(nullptr, id); throw 7; });
         runFor(100);
       },
       "timer callback"},
      {"a keyboard hook",
       [&] {
         hookThrows = true;
         size_t before = seen(WM_KEYDOWN).size();
         sendKey('A', true);
         pumpMessages();
         EXPECT_EQ(seen(WM_KEYDOWN).size(), before + 1) << "the key still arrives";
         hookThrows = false;
       },
       "hook boom"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ::testing::TestPartResultArray failures;
    {
      ::testing::ScopedFakeTestPartResultReporter spy(
          ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &failures);
      ::testing::internal::CaptureStderr();
      c.run();
      std::string log = ::testing::internal::GetCapturedStderr();
      EXPECT_NE(log.find(c.logged), std::string::npos) << "logged: " << log;
    }
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.GetTestPartResult(0).nonfatally_failed());
    EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find(c.logged), std::string::npos)
        << failures.GetTestPartResult(0).message();
  }
  EXPECT_EQ(seen(WM_USER + 1).size(), 1u) << "the loop went on after the throw";
  UnhookWindowsHookEx(hook);
}

TEST_F(MessageTest, OtherThreadsPostAndSendThroughTheUiThread) {
  HWND w = make();
  std::thread::id handledOn;
  on(WM_USER, [&](HWND, UINT, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    handledOn = std::this_thread::get_id();
    return static_cast<LRESULT>(wp) + 1;
  });
  std::atomic<LRESULT> answer{0};
  std::atomic<bool> sent{false};
  const uint64_t before = clock().tickMs();
  std::thread worker([&] {
    EXPECT_TRUE(PostMessage(w, WM_USER + 1, 0, 0));
    answer = SendMessage(w, WM_USER, 41, 0);
    sent = true;
    PostMessage(w, WM_USER + 2, 0, 0);
  });
  MSG m;
  while (!sent || seen(WM_USER + 2).empty()) {
    if (GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
  }
  worker.join();
  EXPECT_EQ(answer.load(), 42);
  EXPECT_EQ(clock().tickMs(), before) << "the sender waited on the virtual clock without moving it";
  EXPECT_EQ(handledOn, std::this_thread::get_id());
  EXPECT_EQ(seen(WM_USER + 1).size(), 1u);
  // Timers belong to the window's thread.
  std::thread([&] {
    EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 0u);
    EXPECT_FALSE(DestroyWindow(w));
  }).join();
}

TEST_F(MessageTest, KeyboardHooksSeeKeysBeforeTheFocusWindow) {
  HWND w = make("w", WS_POPUP | WS_VISIBLE);
  static std::vector<std::pair<WPARAM, LPARAM>> hooked;
  static HHOOK hook;
  static bool swallow;
  hooked.clear();
  swallow = false;
  hook = SetWindowsHookEx(WH_KEYBOARD, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
    if (code == HC_ACTION) hooked.push_back({wp, lp});
    if (swallow) return 1;
    return CallNextHookEx(hook, code, wp, lp);
  }, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  ASSERT_EQ(GetFocus(), w);
  EXPECT_TRUE(sendKey('A', true));
  EXPECT_TRUE(sendKey('A', false));
  pumpMessages();
  ASSERT_EQ(hooked.size(), 2u);
  EXPECT_EQ(hooked[0].first, static_cast<WPARAM>('A'));
  EXPECT_EQ(hooked[0].second & (1L << 31), 0) << "key down: transition bit clear";
  EXPECT_NE(hooked[1].second & (1UL << 31), 0u);
  EXPECT_EQ(seen(WM_KEYDOWN).size(), 1u);
  EXPECT_EQ(seen(WM_CHAR).at(0).wParam, static_cast<WPARAM>('a'));
  swallow = true;
  sendKey(VK_RETURN, true);
  pumpMessages();
  EXPECT_EQ(seen(WM_KEYDOWN).size(), 1u) << "a hook returning nonzero swallows the key";
  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  EXPECT_FALSE(UnhookWindowsHookEx(hook));
  sendKey(VK_RETURN, false);
  pumpMessages();
  EXPECT_EQ(seen(WM_KEYUP).size(), 2u);
  EXPECT_EQ(hooked.size(), 3u);
}

}  // namespace
}  // namespace wavorel::testing
