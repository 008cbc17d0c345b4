// A dialog made of the library's controls, composed into one picture and
// written as a PNG beside the test program, so that the look can be seen as
// a whole; a few pixels of the picture are checked.
#include <filesystem>
#include <string>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "platform/win/user/MouseTracking.h"
#include "skinvane/Skinvane.h"
#include "tests/skinvane/SkinTest.h"
#include "tests/skinvane/data/resource.h"

namespace {

using skinvane::testing::kKeyYellow;
using skinvane::testing::SkinTest;
using skinvane::testing::writeBmp;

constexpr int kWidth = 360;
constexpr int kHeight = 270;
constexpr COLORREF kSkin = RGB(214, 226, 240);
// The push button strip: normal, hover, pressed, disabled.
constexpr COLORREF kButtonFrames[4] = {RGB(70, 130, 180), RGB(110, 170, 220), RGB(30, 70, 120), RGB(165, 165, 165)};
constexpr COLORREF kBar = RGB(40, 170, 60);
constexpr COLORREF kTrough = RGB(60, 60, 70);
constexpr COLORREF kMarkedRow = RGB(255, 236, 180);
constexpr COLORREF kReadOnly = 0xC8E6E6;

class SkinScreenshotTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    // The skin: a plain field with its top-right corner cut away in yellow.
    ASSERT_TRUE(writeBmp(skinFile("dialog.bmp"), kWidth, kHeight,
                         [](int x, int y) { return x >= kWidth - 24 && y < 24 ? kKeyYellow : kSkin; }));
    // 64 x 24 button frames with a lighter top edge.
    ASSERT_TRUE(writeBmp(skinFile("button.bmp"), 4 * 64, 24, [](int x, int y) {
      return y < 2 ? RGB(230, 240, 250) : kButtonFrames[x / 64];
    }));
    // 16 x 16 check images: a framed box, marked when checked; hover frames
    // have a blue edge, disabled ones are grey.
    ASSERT_TRUE(writeBmp(skinFile("check.bmp"), 6 * 16, 16, [](int x, int y) {
      const int image = x / 16, cx = x % 16;
      const bool edge = cx == 0 || cx == 15 || y == 0 || y == 15;
      const bool checked = image == 2 || image == 3 || image == 5;
      const bool mark = checked && cx >= 4 && cx < 12 && y >= 4 && y < 12;
      if (image >= 4) return edge || mark ? RGB(140, 140, 140) : RGB(220, 220, 220);
      if (edge) return (image == 1 || image == 3) ? RGB(0, 90, 200) : RGB(60, 60, 60);
      return mark ? RGB(20, 120, 40) : RGB(255, 255, 255);
    }));
    ASSERT_TRUE(writeBmp(skinFile("bar.bmp"), 8, 14, [](int, int) { return kBar; }));
    ASSERT_TRUE(writeBmp(skinFile("trough.bmp"), 8, 14, [](int, int) { return kTrough; }));
  }

  CPolygonDialog dialog_;
  CGxBtn_Pic buttons_[4];
  CGxBtn_ChkRadio choices_[4];
  CGxGroupBox group_;
  CGxStatic label_;
  CGxEdit edit_, readOnly_;
  CProgressST progress_;
  CSortListCtrl list_;
};

TEST_F(SkinScreenshotTest, ControlsComposeIntoOneSkinnedDialog) {
  dialog_.SetRegionFile(skinFile("dialog.bmp"), kKeyYellow);
  ASSERT_TRUE(dialog_.Create(IDD_SKIN, nullptr));
  dialog_.SetWindowPos(nullptr, 40, 40, kWidth, kHeight, SWP_NOZORDER);

  // Push buttons in their four states.
  const char* names[4] = {"normal", "hover", "pressed", "disabled"};
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(buttons_[i].Create(names[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                   CRect(10 + 74 * i, 10, 74 + 74 * i, 34), &dialog_, 100 + i));
    buttons_[i].SetBtnAttr_Pic(skinFile("button.bmp"), 4, "", 0);
  }
  buttons_[2].SendMessage(BM_SETSTATE, TRUE);
  buttons_[3].EnableWindow(FALSE);

  // Two check boxes and two radios in a group box.
  ASSERT_TRUE(group_.Create("Network", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 44, 170, 136), &dialog_, 110));
  const char* choiceTexts[4] = {"Auto connect", "Hidden SSID", "Infrastructure", "Ad hoc"};
  for (int i = 0; i < 4; ++i) {
    const DWORD type = i < 2 ? BS_AUTOCHECKBOX : BS_AUTORADIOBUTTON;
    ASSERT_TRUE(choices_[i].Create(choiceTexts[i], WS_CHILD | WS_VISIBLE | type,
                                   CRect(20, 62 + 18 * i, 160, 78 + 18 * i), &dialog_, 120 + i));
    choices_[i].SetBmpFile(skinFile("check.bmp"));
  }
  choices_[0].SetCheck(1);
  choices_[2].SetCheck(1);

  // A label, an edit and a read-only edit.
  ASSERT_TRUE(label_.Create("Network name:", WS_CHILD | WS_VISIBLE, CRect(184, 50, 350, 66), &dialog_, 130));
  label_.SetTextColor(RGB(0, 40, 120));
  ASSERT_TRUE(edit_.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(184, 70, 350, 90), &dialog_, 131));
  edit_.SetWindowText("Wavorel-Home");
  ASSERT_TRUE(readOnly_.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(184, 96, 350, 116), &dialog_, 132));
  readOnly_.SetWindowText("WPA2-PSK");

  // A progress bar at 60 %.
  ASSERT_TRUE(progress_.Create(WS_CHILD | WS_VISIBLE, CRect(184, 122, 350, 136), &dialog_, 140));
  progress_.SetBK_Bitmap(skinFile("trough.bmp"));
  ASSERT_EQ(progress_.SetBitmap(skinFile("bar.bmp"), 0), 1);
  progress_.SetRange(0, 100);
  progress_.SetPos(60);

  // A sort list with a marked row.
  ASSERT_TRUE(list_.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 146, 350, 260), &dialog_, 150));
  ASSERT_TRUE(list_.SubclassWindow());
  ASSERT_EQ(list_.SetHeadings("SSID,150;Channel,80;Signal,80;"), 1);
  list_.InsertItem(-1, 0, "Wavorel-Home", "6", "82");
  list_.InsertItem(-1, 0, "Office", "11", "47");
  list_.InsertItem(-1, 0, "Cafe", "1", "20");
  list_.ChangeLineColor(1, RGB(0, 0, 0), kMarkedRow);
  list_.Sort(2, 1);

  dialog_.ShowWindow(SW_SHOW);
  wavorel::mouseMoveTo(buttons_[1], POINT{30, 12});
  wavorel::pumpMessages();

  const std::string folder = SKINVANE_SCREENSHOT_DIR;
  std::filesystem::create_directories(folder);
  const std::string file = folder + "/skinvane-controls.png";
  ASSERT_TRUE(wavorel::present::saveScreenshot(dialog_, file));
  EXPECT_GT(std::filesystem::file_size(file), 0u);

  const wavorel::WindowImage image = wavorel::composeWindow(dialog_);
  ASSERT_EQ(image.width, kWidth);
  ASSERT_EQ(image.height, kHeight);
  // The skin, and its cut corner.
  EXPECT_EQ(image.colorAt(5, 140), kSkin);
  EXPECT_FALSE(image.opaqueAt(kWidth - 5, 5));
  EXPECT_TRUE(image.opaqueAt(kWidth - 5, 30));
  // Each button shows the frame of its state.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(image.colorAt(20 + 74 * i, 26), kButtonFrames[i]) << names[i];
  // Checked boxes carry the mark, unchecked ones do not.
  EXPECT_EQ(image.colorAt(20 + 8, 62 + 8), RGB(20, 120, 40));
  EXPECT_EQ(image.colorAt(20 + 8, 80 + 8), RGB(255, 255, 255));
  EXPECT_EQ(image.colorAt(20 + 8, 98 + 8), RGB(20, 120, 40));
  // The read-only edit's own background; the bar filled to 60 %.
  EXPECT_EQ(image.colorAt(345, 112), kReadOnly);
  EXPECT_EQ(image.colorAt(190, 129), kBar);
  EXPECT_EQ(image.colorAt(345, 129), kTrough);
  // The marked row keeps its colour after sorting (by signal, ascending:
  // Cafe, Office, Wavorel-Home).
  CRect row;
  ASSERT_TRUE(list_.CListCtrl::GetItemRect(1, &row, LVIR_BOUNDS));
  EXPECT_EQ(list_.GetItemText(1, 0), "Office");
  EXPECT_EQ(image.colorAt(10 + row.right - 4, 146 + row.CenterPoint().y), kMarkedRow);
  dialog_.DestroyWindow();
}

}  // namespace
