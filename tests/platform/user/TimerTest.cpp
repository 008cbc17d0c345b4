#include "UserTestSupport.h"

namespace wavorel::testing {
namespace {

using TimerTest = UserTest;

std::vector<std::pair<HWND, UINT_PTR>> g_fired;
DWORD g_tick;

void CALLBACK record(HWND hwnd, UINT msg, UINT_PTR id, DWORD tick) {
  EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
  g_fired.push_back({hwnd, id});
  g_tick = tick;
}

TEST_F(TimerTest, DueTimersFireInOrderOfDueTime) {
  HWND w = make();
  SetTimer(w, 1, 300, nullptr);
  SetTimer(w, 2, 100, nullptr);
  SetTimer(w, 3, 200, nullptr);
  runFor(350);
  std::vector<WPARAM> ids;
  for (const auto& m : seen(WM_TIMER)) ids.push_back(m.wParam);
  EXPECT_EQ(ids, (std::vector<WPARAM>{2, 3, 2, 1, 2}));
}

TEST_F(TimerTest, RearmingReplacesAndLateTimersFireOnce) {
  HWND w = make();
  SetTimer(w, 7, 1000, nullptr);
  runFor(900);
  SetTimer(w, 7, 1000, nullptr);  // back to a full second from now
  runFor(900);
  EXPECT_TRUE(seen(WM_TIMER).empty());
  runFor(100);
  EXPECT_EQ(seen(WM_TIMER).size(), 1u);
  clock().advance(5000);  // five periods late
  pumpMessages();
  EXPECT_EQ(seen(WM_TIMER).size(), 2u) << "WM_TIMER is coalesced";
  EXPECT_TRUE(KillTimer(w, 7));
  EXPECT_FALSE(KillTimer(w, 7));
  runFor(3000);
  EXPECT_EQ(seen(WM_TIMER).size(), 2u);
}

TEST_F(TimerTest, CallbacksThreadTimersAndHiddenWindows) {
  g_fired.clear();
  HWND hidden = make("hidden");
  ASSERT_FALSE(IsWindowVisible(hidden));
  SetTimer(hidden, 4, 500, record);
  UINT_PTR t1 = SetTimer(nullptr, 0, 500, record);
  UINT_PTR t2 = SetTimer(nullptr, 0, 500, record);
  EXPECT_NE(t1, 0u);
  EXPECT_NE(t1, t2);
  EXPECT_EQ(SetTimer(nullptr, t1, 700, record), t1) << "an armed thread timer is re-armed under its id";
  runFor(500);
  EXPECT_EQ(g_fired, (std::vector<std::pair<HWND, UINT_PTR>>{{hidden, 4}, {nullptr, t2}}));
  EXPECT_EQ(g_tick, static_cast<DWORD>(clock().tickMs()));
  EXPECT_TRUE(seen(WM_TIMER).empty()) << "a callback replaces the window procedure";
  runFor(200);
  EXPECT_EQ(g_fired.back(), (std::pair<HWND, UINT_PTR>{nullptr, t1}));
  DestroyWindow(hidden);
  g_fired.clear();
  KillTimer(nullptr, t1);
  KillTimer(nullptr, t2);
  runFor(2000);
  EXPECT_TRUE(g_fired.empty()) << "a destroyed window's timers die with it";
}

TEST_F(TimerTest, IntervalBelowTheMinimumIsRaised) {
  HWND w = make();
  SetTimer(w, 99999, 1, nullptr);
  runFor(9);
  EXPECT_TRUE(seen(WM_TIMER).empty());
  runFor(1);
  EXPECT_EQ(seen(WM_TIMER).size(), 1u);
}

}  // namespace
}  // namespace wavorel::testing
