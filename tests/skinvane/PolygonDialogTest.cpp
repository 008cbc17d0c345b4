#include "skinvane/PolygonDialog.h"

#include <vector>

#include "platform/win/user/MouseTracking.h"
#include "tests/skinvane/SkinTest.h"
#include "tests/skinvane/data/resource.h"

namespace {

using skinvane::testing::kKeyYellow;
using skinvane::testing::SkinTest;
using skinvane::testing::writeBmp;

// Counts the calls of the drawing hook.
class SkinDialog : public CPolygonDialog {
 public:
  int paints = 0;

 protected:
  void Paint(CDC*) override { ++paints; }
};

// 8 x 4: red left of a yellow column at x = 3, blue right of it but for a
// cyan column (the key's red and blue swapped) and an almost yellow one,
// which both stay in the window.
COLORREF columnSkin(int x, int) {
  if (x == 3) return kKeyYellow;
  if (x == 5) return RGB(0, 255, 255);
  if (x == 6) return RGB(255, 255, 1);
  return x < 3 ? RGB(255, 0, 0) : RGB(0, 0, 255);
}

class PolygonDialogTest : public SkinTest {
 protected:
  void create(SkinDialog& dialog, const char* skin) {
    dialog.SetRegionFile(skinFile(skin), kKeyYellow);
    ASSERT_TRUE(dialog.Create(IDD_SKIN, nullptr));
  }
};

TEST_F(PolygonDialogTest, YellowColumnIsCutFromTheWindowAndTheSkinPainted) {
  ASSERT_TRUE(writeBmp(skinFile("column.bmp"), 8, 4, columnSkin));
  SkinDialog dialog;
  create(dialog, "column.bmp");
  EXPECT_EQ(dialog.GetBigmapSize(), CSize(8, 4));
  CRect client;
  dialog.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 8, 4));

  CRgn region;
  region.CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(dialog, region), ERROR);
  for (int y = -1; y <= 4; ++y)
    for (int x = -1; x <= 8; ++x)
      EXPECT_EQ(region.PtInRegion(x, y) != FALSE, x >= 0 && x < 8 && y >= 0 && y < 4 && x != 3) << x << "," << y;

  dialog.ShowWindow(SW_SHOW);
  repaint(dialog);
  EXPECT_EQ(pixelAt(dialog, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(pixelAt(dialog, 2, 3), RGB(255, 0, 0));
  EXPECT_EQ(pixelAt(dialog, 4, 0), RGB(0, 0, 255));
  EXPECT_EQ(pixelAt(dialog, 7, 3), RGB(0, 0, 255));
  EXPECT_GE(dialog.paints, 1);
  dialog.DestroyWindow();
}

TEST_F(PolygonDialogTest, MissingOrAllYellowSkinLeavesARectangularWindow) {
  ASSERT_TRUE(writeBmp(skinFile("yellow.bmp"), 4, 4, [](int, int) { return kKeyYellow; }));
  struct Case {
    const char* skin;
    CSize size;
  };
  for (const Case& c : {Case{"missing.bmp", CSize(0, 0)}, Case{"yellow.bmp", CSize(4, 4)}}) {
    SCOPED_TRACE(c.skin);
    SkinDialog dialog;
    create(dialog, c.skin);
    EXPECT_EQ(dialog.GetBigmapSize(), c.size);
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(dialog, region), ERROR);
    dialog.DestroyWindow();
  }
  SkinDialog plain;
  create(plain, "missing.bmp");
  CRect rect(1, 1, 1, 1);
  plain.GetClientRect(&rect);
  EXPECT_TRUE(rect.IsRectEmpty());
  EXPECT_EQ(rect.TopLeft(), CPoint(0, 0));
  plain.DestroyWindow();
}

TEST_F(PolygonDialogTest, OnlyTheLeftButtonAloneDragsTheWindowByTheMouseOffset) {
  ASSERT_TRUE(writeBmp(skinFile("plain.bmp"), 40, 30, [](int, int) { return RGB(255, 0, 0); }));
  SkinDialog dialog;
  create(dialog, "plain.bmp");
  dialog.ShowWindow(SW_SHOW);
  struct Case {
    WPARAM keys;
    bool moves;
  };
  for (const Case& c : {Case{MK_LBUTTON, true}, Case{MK_LBUTTON | MK_SHIFT, false}, Case{MK_LBUTTON | MK_CONTROL, false},
                        Case{MK_RBUTTON, false}, Case{0, false}}) {
    SCOPED_TRACE(c.keys);
    dialog.SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // Press at (5, 5) of the dialog, move 20 right and 10 down, release.
    ASSERT_EQ(wavorel::mouseMoveTo(dialog, POINT{5, 5}, c.keys), dialog.GetSafeHwnd());
    ASSERT_EQ(wavorel::mouseMoveTo(POINT{125, 115}, c.keys), dialog.GetSafeHwnd());
    dialog.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(25, 15));
    wavorel::pumpMessages();
    CRect rect;
    dialog.CWnd::GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), c.moves ? CPoint(120, 110) : CPoint(100, 100));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
  }
  dialog.DestroyWindow();
}

TEST_F(PolygonDialogTest, RegionOfManyRunsIsBuiltInBatches) {
  // Every other pixel yellow: 60 runs in each of 50 rows, 3000 rectangles.
  ASSERT_TRUE(writeBmp(skinFile("comb.bmp"), 120, 50, [](int x, int) { return x % 2 ? kKeyYellow : RGB(0, 0, 0); }));
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImage(nullptr, skinFile("comb.bmp"), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr);
  HRGN inside = CPolygonDialog::BitmapRegion(bitmap, kKeyYellow, 1);
  HRGN outside = CPolygonDialog::BitmapRegion(bitmap, kKeyYellow, 0);
  ASSERT_NE(inside, nullptr);
  ASSERT_NE(outside, nullptr);
  for (int y : {0, 33, 49})
    for (int x : {0, 1, 58, 59, 118, 119}) {
      EXPECT_EQ(PtInRegion(inside, x, y) != FALSE, x % 2 == 0) << x << "," << y;
      EXPECT_EQ(PtInRegion(outside, x, y) != FALSE, x % 2 == 1) << x << "," << y;
    }
  DeleteObject(inside);
  DeleteObject(outside);
  DeleteObject(bitmap);
}

}  // namespace
