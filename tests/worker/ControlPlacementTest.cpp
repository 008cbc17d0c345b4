#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/System.h"
#include "worker/ModuleFunctions.h"

namespace {

class ControlPlacementTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(label_.Create("old", WS_CHILD, CRect(10, 20, 60, 40), &parent_, 1234));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    PlatformTest::TearDown();
  }
  CWnd parent_;
  CStatic label_;
};

TEST_F(ControlPlacementTest, PlaceShowAndLabel) {
  CRect rect;
  EXPECT_EQ(GetControlRect(rect, &parent_, 1234), CRect(10, 20, 60, 40));
  CONTROL_POS_SIZE pos{};
  GetControlPosSize(pos, &parent_, 1234);
  EXPECT_EQ(pos.x, 10);
  EXPECT_EQ(pos.y, 20);
  EXPECT_EQ(pos.cx, 50);
  EXPECT_EQ(pos.cy, 20);
  EXPECT_TRUE(GetControlRect(rect, &parent_, 999).IsRectEmpty()) << "no such control";

  PlaceControl(&label_, 30, 40, 80, 16, 0);
  EXPECT_TRUE(label_.IsWindowVisible());
  EXPECT_EQ(GetControlRect(rect, &parent_, 1234), CRect(30, 40, 110, 56));
  CString text;
  label_.GetWindowText(text);
  EXPECT_EQ(text, "old") << "string id 0 keeps the text";

  label_.ShowWindow(SW_HIDE);
  ShowControlText(&parent_, &label_, 4711);
  EXPECT_TRUE(label_.IsWindowVisible());
  EXPECT_EQ(GetControlRect(rect, &parent_, 1234), CRect(30, 40, 110, 56)) << "stays where it is";
  label_.GetWindowText(text);
  EXPECT_EQ(text, "Placed text");
}

TEST_F(ControlPlacementTest, FsRedirectionIsSwitchedOnlyUnderWow64) {
  wavorel::setWow64(true);
  EXPECT_TRUE(IsWow64());
  ASSERT_TRUE(wavorel::wow64FsRedirectionActive());
  DisableFsRedirection();
  EXPECT_FALSE(wavorel::wow64FsRedirectionActive());
  EnableFsRedirection();
  EXPECT_TRUE(wavorel::wow64FsRedirectionActive());

  wavorel::setWow64(false);
  EXPECT_FALSE(IsWow64());
  DisableFsRedirection();  // refused outside WOW64, harmlessly
  EXPECT_FALSE(wavorel::wow64FsRedirectionActive());
}

}  // namespace
