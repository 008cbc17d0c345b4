#include "skinvane/BalloonHelp.h"

#include <string>
#include <vector>

#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::SkinTest;

// Eleven steps of 25 ms take a balloon from full opacity to gone (and from
// the first alpha to full opacity).
constexpr DWORD kFadeOutMs = 25 * 11;

// The constant alpha a balloon gave its layered window; -1 when none.
int layeredAlpha(const CWnd& balloon) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(balloon.GetSafeHwnd(), nullptr, &alpha, &flags) || flags != LWA_ALPHA) return -1;
  return alpha;
}

class Receiver : public CWnd {
 public:
  std::vector<int> hideReasons;
  std::vector<DWORD> hideData;
  std::vector<std::string> saved;

 protected:
  LRESULT OnSave(WPARAM wParam, LPARAM) {
    saved.push_back(reinterpret_cast<const char*>(wParam));
    return 0;
  }
  LRESULT OnHide(WPARAM wParam, LPARAM lParam) {
    hideReasons.push_back(HIWORD(wParam));
    hideData.push_back(*reinterpret_cast<DWORD*>(lParam));
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Receiver, CWnd)
  ON_MESSAGE(WM_BALLOON_HIDE, &Receiver::OnHide)
  ON_MESSAGE(WM_BALLOON_SAVE, &Receiver::OnSave)
END_MESSAGE_MAP()

class BalloonHelpTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }
  // A system whose user32 lacks SetLayeredWindowAttributes (the platform
  // reset brings the real one back).
  static void withoutLayering() { wavorel::registerModule("USER32.DLL", {}); }

  Receiver parent_;
};

TEST_F(BalloonHelpTest, FadesInWaitsForItsTimeoutThenFadesOutAndCloses) {
  CBalloonHelp balloon;
  balloon.SetItemData(42);
  ASSERT_EQ(balloon.Create("Title", "Some content", CPoint(50, 50), 0, &parent_, "", 1000, nullptr), 1);
  EXPECT_EQ(balloon.GetOptions() & (BALLOON_DISABLE_FADEIN | BALLOON_DISABLE_FADEOUT), 0u);
  EXPECT_TRUE(balloon.IsWindowVisible());
  EXPECT_EQ(balloon.GetExStyle() & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TOOLWINDOW));
  std::vector<int> fadeIn = {layeredAlpha(balloon)};

  // Steps of 25 every 25 ms reach full opacity.
  for (int step = 0; step < 11; ++step) {
    wavorel::runFor(25);
    fadeIn.push_back(layeredAlpha(balloon));
  }
  const std::vector<int> expectedIn = {5, 30, 55, 80, 105, 130, 155, 180, 205, 230, 255, 255};
  EXPECT_EQ(fadeIn, expectedIn);
  EXPECT_EQ(balloon.GetAlpha(), 255);

  // The timeout runs from full opacity.
  wavorel::runFor(990);
  EXPECT_TRUE(parent_.hideReasons.empty());
  wavorel::runFor(20);
  ASSERT_EQ(parent_.hideReasons, std::vector<int>{0});
  EXPECT_EQ(parent_.hideData, std::vector<DWORD>{42});
  EXPECT_EQ(balloon.GetAlpha(), 250);
  EXPECT_TRUE(IsWindow(balloon.GetSafeHwnd()));

  // Fading out: 250 down to 0, then the window goes.
  wavorel::runFor(25 * 10);
  EXPECT_EQ(layeredAlpha(balloon), 0);
  EXPECT_TRUE(IsWindow(balloon.GetSafeHwnd()));
  wavorel::runFor(25);
  EXPECT_EQ(balloon.GetSafeHwnd(), nullptr);
  EXPECT_EQ(parent_.hideReasons.size(), 1u);
}

TEST_F(BalloonHelpTest, WithoutLayeringItShowsAndHidesAtOnceAndAZeroTimeoutStays) {
  withoutLayering();
  CBalloonHelp balloon;
  ASSERT_EQ(balloon.Create("Title", "Text", CPoint(50, 50), BALLOON_CLOSE_ON_RBUTTON, &parent_, "", 0, nullptr), 1);
  EXPECT_EQ(balloon.GetOptions() & (BALLOON_DISABLE_FADEIN | BALLOON_DISABLE_FADEOUT),
            static_cast<DWORD>(BALLOON_DISABLE_FADEIN | BALLOON_DISABLE_FADEOUT));
  EXPECT_EQ(balloon.GetAlpha(), 255);
  wavorel::runFor(60000);
  EXPECT_TRUE(IsWindow(balloon.GetSafeHwnd()));
  EXPECT_TRUE(parent_.hideReasons.empty());
  balloon.SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(20, 30));
  EXPECT_EQ(balloon.GetSafeHwnd(), nullptr);
  EXPECT_EQ(parent_.hideReasons, std::vector<int>{0});
}

TEST_F(BalloonHelpTest, KeyPressClosesEveryHookedBalloonAndTheHookGoesWithTheLast) {
  CBalloonHelp first;
  CBalloonHelp second;
  const UINT options = BALLOON_CLOSE_ON_KEYPRESS | BALLOON_CLOSE_ON_LBUTTON;
  ASSERT_EQ(first.Create("One", "a", CPoint(40, 40), options, &parent_, "", 0, nullptr), 1);
  ASSERT_EQ(second.Create("Two", "b", CPoint(60, 60), options, &parent_, "", 0, nullptr), 1);
  parent_.SetFocus();
  // A key release does not close them.
  ASSERT_TRUE(wavorel::sendKey('A', false));
  wavorel::pumpMessages();
  EXPECT_TRUE(IsWindow(first.GetSafeHwnd()));
  EXPECT_TRUE(IsWindow(second.GetSafeHwnd()));

  ASSERT_TRUE(wavorel::sendKey('A', true));
  wavorel::pumpMessages();
  wavorel::runFor(kFadeOutMs);
  EXPECT_EQ(first.GetSafeHwnd(), nullptr);
  EXPECT_EQ(second.GetSafeHwnd(), nullptr);
  EXPECT_EQ(parent_.hideReasons, (std::vector<int>{0, 0}));

  // A balloon made later installs the hook again and is closed by it.
  CBalloonHelp third;
  ASSERT_EQ(third.Create("Three", "c", CPoint(60, 60), options, &parent_, "", 0, nullptr), 1);
  third.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 20));
  wavorel::runFor(kFadeOutMs);
  EXPECT_EQ(third.GetSafeHwnd(), nullptr);
  EXPECT_EQ(parent_.hideReasons, (std::vector<int>{0, 0, 1}));
  ASSERT_TRUE(wavorel::sendKey('B', true));
  wavorel::pumpMessages();
  EXPECT_EQ(parent_.hideReasons.size(), 3u);
}

TEST_F(BalloonHelpTest, LaunchedBalloonDeletesItselfWhenClosed) {
  CBalloonHelp::LaunchBalloon("Error", "Bad key", CPoint(10, 10), nullptr, BALLOON_CLOSE_ON_KEYPRESS, &parent_, "",
                              500);
  HWND balloon = FindWindow("BalloonHelpClass", "Error");
  ASSERT_NE(balloon, nullptr);
  // Fading in, the timeout, fading out.
  wavorel::runFor(kFadeOutMs + 500 + kFadeOutMs);
  EXPECT_FALSE(IsWindow(balloon));
  EXPECT_EQ(parent_.hideReasons, std::vector<int>{0});
  // Without a parent or main window there is no balloon.
  CBalloonHelp orphan;
  EXPECT_EQ(orphan.Create("x", "y", CPoint(0, 0), 0, nullptr, "", 0, nullptr), 0);
}

TEST_F(BalloonHelpTest, EditBalloonSavesAChangedTextAndCloses) {
  CBalloonHelp balloon;
  balloon.SetShowEditInitString("old");
  ASSERT_EQ(balloon.Create("Name", "Enter a name", CPoint(80, 80), BALLOON_SHOW_EDIT, &parent_, "", 3000, nullptr), 1);
  EXPECT_TRUE(balloon.GetOptions() & BALLOON_SHOW_CLOSE_BUTTON);
  CWnd* edit = balloon.GetDlgItem(0x7F10);
  CWnd* save = balloon.GetDlgItem(0x7F11);
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(save, nullptr);
  CString text;
  edit->GetWindowText(text);
  EXPECT_STREQ(text, "old");
  EXPECT_FALSE(save->IsWindowEnabled());
  // No timeout in edit mode.
  wavorel::runFor(5000);
  EXPECT_TRUE(IsWindow(balloon.GetSafeHwnd()));

  edit->SetWindowText("new name");  // EN_CHANGE enables the save button
  EXPECT_TRUE(save->IsWindowEnabled());
  balloon.SendMessage(WM_COMMAND, MAKEWPARAM(0x7F11, BN_CLICKED), reinterpret_cast<LPARAM>(save->GetSafeHwnd()));
  EXPECT_EQ(parent_.saved, std::vector<std::string>{"new name"});
  EXPECT_EQ(parent_.hideReasons, std::vector<int>{0});
  wavorel::runFor(kFadeOutMs);
  EXPECT_EQ(balloon.GetSafeHwnd(), nullptr);
}

}  // namespace
