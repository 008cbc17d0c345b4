// A popup created with the desktop window as its parent is a top-level
// window without an owner, as a popup created with no parent is.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

using DesktopParentTest = wavorel::testing::PlatformTest;

TEST_F(DesktopParentTest, PopupOfTheDesktopHasNoOwner) {
  HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW, "STATIC", "tip", WS_POPUP, 0, 0, 10, 10, GetDesktopWindow(), nullptr,
                              nullptr, nullptr);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetParent(popup), nullptr);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), nullptr);
  EXPECT_EQ(GetAncestor(popup, GA_PARENT), GetDesktopWindow());
  DestroyWindow(popup);
}

}  // namespace
