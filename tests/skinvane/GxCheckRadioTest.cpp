#include "skinvane/GxBtnChkRadio.h"

#include <utility>
#include <vector>

#include "tests/skinvane/SkinTest.h"
#include "tests/skinvane/data/resource.h"

namespace {

using skinvane::testing::kKeyYellow;
using skinvane::testing::SkinTest;
using skinvane::testing::writeBmp;

// Records each change notification: the control id and its check then.
class GroupDialog : public CDialog {
 public:
  GroupDialog() : CDialog(IDD_GROUPS) {}
  std::vector<std::pair<UINT_PTR, int>> changes;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      auto* data = reinterpret_cast<CGxBtn_ChkRadio::_notify_data*>(lParam);
      if (data->hdr.code == GXBN_CHECKCHANGED) {
        EXPECT_EQ(data->button->GetSafeHwnd(), data->hdr.hwndFrom);
        EXPECT_EQ(static_cast<WPARAM>(data->hdr.idFrom), wParam);
        changes.emplace_back(data->hdr.idFrom, data->button->GetCheck());
      }
    }
    return CDialog::WindowProc(message, wParam, lParam);
  }
};

const COLORREF kStates[6] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                             RGB(255, 0, 255), RGB(0, 128, 128), RGB(128, 128, 0)};

class GxCheckRadioTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(dialog_.Create(IDD_GROUPS, nullptr));
    const UINT ids[] = {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3, IDC_CHECK, IDC_OTHER_RADIO};
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(buttons_[i].SubclassDlgItem(ids[i], &dialog_));
    // Six 6 x 6 frames.
    ASSERT_TRUE(writeBmp(skinFile("check.bmp"), 36, 6, [](int x, int) { return kStates[x / 6]; }));
  }
  void TearDown() override {
    dialog_.DestroyWindow();
    SkinTest::TearDown();
  }

  static void click(CWnd& button) {
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  std::vector<int> checks() {
    std::vector<int> result;
    for (auto& b : buttons_) result.push_back(b.GetCheck());
    return result;
  }

  GroupDialog dialog_;
  CGxBtn_ChkRadio buttons_[5];  // radio 1-3, check box, a radio of another group
};

using Changes = std::vector<std::pair<UINT_PTR, int>>;

TEST_F(GxCheckRadioTest, RadioClickUnchecksItsGroupAndNotifiesInOrder) {
  click(buttons_[1]);
  EXPECT_EQ(dialog_.changes, (Changes{{IDC_RADIO3, 0}, {IDC_RADIO1, 0}, {IDC_RADIO2, 1}}));
  EXPECT_EQ(checks(), (std::vector<int>{0, 1, 0, 0, 0}));

  dialog_.changes.clear();
  click(buttons_[0]);
  EXPECT_EQ(dialog_.changes, (Changes{{IDC_RADIO2, 0}, {IDC_RADIO3, 0}, {IDC_RADIO1, 1}}));
  EXPECT_EQ(checks(), (std::vector<int>{1, 0, 0, 0, 0}));

  // A checked radio clicked again stays checked and still tells the parent.
  dialog_.changes.clear();
  click(buttons_[0]);
  ASSERT_FALSE(dialog_.changes.empty());
  EXPECT_EQ(dialog_.changes.back(), (std::pair<UINT_PTR, int>{IDC_RADIO1, 1}));
  EXPECT_EQ(checks(), (std::vector<int>{1, 0, 0, 0, 0}));

  // A radio of another group leaves this one alone.
  dialog_.changes.clear();
  click(buttons_[4]);
  EXPECT_EQ(dialog_.changes, (Changes{{IDC_OTHER_RADIO, 1}}));
  EXPECT_EQ(checks(), (std::vector<int>{1, 0, 0, 0, 1}));
}

TEST_F(GxCheckRadioTest, CheckBoxTogglesAloneByClickAndSpace) {
  buttons_[1].SetCheck(1);
  dialog_.changes.clear();
  click(buttons_[3]);
  buttons_[3].SendMessage(WM_KEYDOWN, VK_SPACE);
  buttons_[3].SendMessage(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(dialog_.changes, (Changes{{IDC_CHECK, 1}, {IDC_CHECK, 0}}));
  EXPECT_EQ(checks(), (std::vector<int>{0, 1, 0, 0, 0}));
  // Another key does nothing.
  buttons_[3].SendMessage(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(dialog_.changes.size(), 2u);
}

TEST_F(GxCheckRadioTest, RadiosAnswerTheRadioDialogCode) {
  EXPECT_EQ(buttons_[0].SendMessage(WM_GETDLGCODE), DLGC_RADIOBUTTON);
  EXPECT_FALSE(buttons_[3].SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON);
}

TEST_F(GxCheckRadioTest, StripShowsTheCheckedHoverAndDisabledImages) {
  CGxBtn_ChkRadio& radio = buttons_[0];
  radio.SetBmpFile(skinFile("check.bmp"));
  radio.SetBmpFile(skinFile("missing.bmp"));  // keeps the strip
  struct Case {
    int check;
    bool hover;
    bool enabled;
    int image;
  };
  const Case cases[] = {{0, false, true, 0}, {0, true, true, 1}, {1, false, true, 2},
                        {1, true, true, 3},  {0, false, false, 4}, {1, false, false, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.image);
    radio.SetCheck(c.check);
    if (c.hover) {
      wavorel::mouseMoveTo(radio, POINT{1, 1});
    } else {
      wavorel::mouseMoveTo(dialog_, POINT{0, 0});
    }
    wavorel::pumpMessages();
    radio.EnableWindow(c.enabled);
    repaint(dialog_);
    EXPECT_EQ(pixelAt(radio, 1, 1), kStates[c.image]);
  }
}

TEST_F(GxCheckRadioTest, TakesOverAStateCheckedBeforeSubclassingAndDrawsIt) {
  GroupDialog other;
  ASSERT_TRUE(other.Create(IDD_GROUPS, nullptr));
  ::CheckDlgButton(other.GetSafeHwnd(), IDC_RADIO2, BST_CHECKED);
  ::CheckDlgButton(other.GetSafeHwnd(), IDC_CHECK, BST_CHECKED);
  CGxBtn_ChkRadio radio1, radio2, check;
  ASSERT_TRUE(radio1.SubclassDlgItem(IDC_RADIO1, &other));
  ASSERT_TRUE(radio2.SubclassDlgItem(IDC_RADIO2, &other));
  ASSERT_TRUE(check.SubclassDlgItem(IDC_CHECK, &other));
  EXPECT_EQ(radio1.GetCheck(), 0);
  EXPECT_EQ(radio2.GetCheck(), 1);
  EXPECT_EQ(check.GetCheck(), 1);
  // Drawn with the checked image.
  radio2.SetBmpFile(skinFile("check.bmp"));
  check.SetBmpFile(skinFile("check.bmp"));
  radio1.SetBmpFile(skinFile("check.bmp"));
  wavorel::mouseMoveTo(other, POINT{0, 0});
  other.Invalidate();
  repaint(other);
  EXPECT_EQ(pixelAt(radio2, 1, 1), kStates[2]);
  EXPECT_EQ(pixelAt(check, 1, 1), kStates[2]);
  EXPECT_EQ(pixelAt(radio1, 1, 1), kStates[0]);
  // The box taken over checked unchecks at the first click.
  click(check);
  EXPECT_EQ(check.GetCheck(), 0);
  other.DestroyWindow();
}

}  // namespace
