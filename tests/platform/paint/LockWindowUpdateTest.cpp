// LockWindowUpdate: a locked window and its children do not paint; unlocking
// repaints them whole. One window at a time.
#include "PaintTestSupport.h"

namespace wavorel::testing {
namespace {

using LockWindowUpdateSuite = PaintTest;

TEST_F(LockWindowUpdateSuite, LockedWindowPaintsOnlyAfterUnlocking) {
  HWND top = make(WS_POPUP | WS_VISIBLE, 0, 0, 80, 60);
  HWND child = make(WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top, RGB(0, 0, 255));
  pumpMessages();
  const int topPaints = record(top).paints, childPaints = record(child).paints;

  ASSERT_TRUE(LockWindowUpdate(top));
  EXPECT_TRUE(IsWindow(top));
  InvalidateRect(top, nullptr, TRUE);
  InvalidateRect(child, nullptr, TRUE);
  pumpMessages();
  UpdateWindow(top);
  EXPECT_EQ(record(top).paints, topPaints) << "a locked window does not paint";
  EXPECT_EQ(record(child).paints, childPaints);

  ASSERT_TRUE(LockWindowUpdate(nullptr));
  pumpMessages();
  EXPECT_EQ(record(top).paints, topPaints + 1);
  EXPECT_EQ(record(child).paints, childPaints + 1);
  EXPECT_TRUE(IsWindowVisible(top));
  WindowImage image = composeWindow(top);
  EXPECT_EQ(countColour(image, {10, 10, 30, 30}, RGB(0, 0, 255)), 20 * 20);
}

TEST_F(LockWindowUpdateSuite, OneWindowAtATime) {
  HWND a = make(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);
  HWND b = make(WS_POPUP | WS_VISIBLE, 30, 0, 20, 20);
  HWND hidden = make(WS_POPUP, 60, 0, 20, 20);
  EXPECT_FALSE(LockWindowUpdate(nullptr)) << "nothing to unlock";
  ASSERT_TRUE(LockWindowUpdate(a));
  EXPECT_FALSE(LockWindowUpdate(b)) << "another window is locked";
  EXPECT_FALSE(LockWindowUpdate(a));
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  EXPECT_TRUE(LockWindowUpdate(b));
  // A window destroyed while locked is simply forgotten.
  DestroyWindow(b);
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  EXPECT_FALSE(LockWindowUpdate(b)) << "not a window any more";
  // A hidden window stays hidden after the lock.
  ASSERT_TRUE(LockWindowUpdate(hidden));
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  EXPECT_FALSE(IsWindowVisible(hidden));
}

}  // namespace
}  // namespace wavorel::testing
