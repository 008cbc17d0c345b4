// Wavorel's profile page and re-entry dialog as a person would see them:
// xp-profile-page-connected.png (the connected row's image beside the first
// row only) and xp-reentry-form.png / xp-reentry-notice.png (the credential
// fields, then the time-out notice without them).
#include <gtest/gtest.h>

#include "platform/mfc/ControlRef.h"
#include "tests/xp/profiles/ProfilePageXpTest.h"
#include "tests/xp/station/ScreenshotProbe.h"
#include "xp/supplicant/AuthStatus.h"

namespace xpprofiles::testing {
namespace {

using xp::testing::CountPixels;
using xp::testing::Ink;
using xp::testing::PlaceIn;
using xp::testing::Picture;

class ScreenshotsTest : public ProfilePageXpTest {
 protected:
  CWnd& frame() { return *CWnd::FromHandle(page().GetParent()->GetSafeHwnd()); }
  static bool Coloured(COLORREF c) { return c != RGB(255, 255, 255) && !Ink(c); }
};

TEST_F(ScreenshotsTest, ProfilePageShowsTheConnectedRowImage) {
  storeThreeProfiles();
  CPageProfileDlg& p = openPage();
  p.ShowWindow(SW_SHOW);
  p.SelectProfile(1);
  p.SetRowState(0, 0);
  pump();
  const wavorel::WindowImage image = Picture(frame(), "xp-profile-page-connected.png");
  ASSERT_FALSE(image.empty());

  ControlRef<CListCtrl> list(&p, IDC_PROFILE_LIST);
  ASSERT_NE(list.get(), nullptr);
  CRect first, second;
  ASSERT_TRUE(list.get()->GetSubItemRect(0, 0, LVIR_BOUNDS, first));
  ASSERT_TRUE(list.get()->GetSubItemRect(2, 0, LVIR_BOUNDS, second));
  // The first column only (the bounds of item 0 are the whole row).
  for (CRect* cell : {&first, &second}) {
    cell->right = cell->left + list.get()->GetColumnWidth(0);
    list.get()->ClientToScreen(cell);
    frame().ScreenToClient(cell);
  }
  EXPECT_GT(CountPixels(image, first, Coloured), 10) << "the connected image";
  EXPECT_EQ(CountPixels(image, second, Coloured), 0) << "no image on another row";
  EXPECT_GT(CountPixels(image, PlaceIn(frame(), *p.GetDlgItem(kProfileDetailIds[0])), Ink), 10) << "the details";
}

TEST_F(ScreenshotsTest, ReentryDialogInBothModes) {
  setDriverText("DriverDesc", "802.11n USB Wireless LAN Card");
  setDriverText("CurProfile", "Office");
  enterprise("Corp", supplicant::testing::kFast, "alice", "secret");
  CInvalidIDPW& d = openDialog();
  CWnd& frame = *d.GetParent();
  const struct {
    int kind;
    const char* file;
    bool fields;
  } table[] = {{kAuthFailureInvalidCredentials, "xp-reentry-form.png", true},
               {kAuthFailureTimeout, "xp-reentry-notice.png", false}};
  for (const auto& row : table) {
    SetAuthFailureKind(row.kind);
    d.ShowWindow(SW_HIDE);
    d.ShowWindow(SW_SHOW);
    pump();
    const wavorel::WindowImage image = Picture(frame, row.file);
    ASSERT_FALSE(image.empty());
    EXPECT_GT(CountPixels(image, PlaceIn(frame, *d.GetDlgItem(IDC_INVALID_MESSAGE)), Ink), 10) << row.file;
    EXPECT_GT(CountPixels(image, PlaceIn(frame, *d.GetDlgItem(IDC_INVALID_CARD)), Ink), 10) << row.file;
    for (int id : {IDC_INVALID_OK, IDC_INVALID_CANCEL})
      EXPECT_GT(CountPixels(image, PlaceIn(frame, *d.GetDlgItem(id)), Ink), 10) << row.file << " button " << id;
    for (int id : {IDC_INVALID_IDENTITY_LABEL, IDC_INVALID_PASSWORD_LABEL, IDC_INVALID_DOMAIN_LABEL})
      EXPECT_EQ(CountPixels(image, PlaceIn(frame, *d.GetDlgItem(id)), Ink) > 10, row.fields) << row.file << " " << id;
  }
}

}  // namespace
}  // namespace xpprofiles::testing
