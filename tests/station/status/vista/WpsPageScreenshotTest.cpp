// The WPS page after a push-button run as a picture: the host shown on the
// screen with the WPS page in front, written to "wps-page.png" in the test's
// working folder (build/tests) and probed: the secured image of the listed
// access point, the progress bar's fill.
#include <gtest/gtest.h>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/station/status/vista/WpsPageTest.h"

namespace station::testing {
namespace {

// The lock image of bitmap 201.
constexpr COLORREF kLockColour = RGB(0xC8, 0xAA, 0x00);

class WpsPageScreenshotTest : public WpsPageTest {
 protected:
  // The middle of a cell in the host's image.
  CPoint cellPoint(CQuickList& list, int row, int column) {
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    list.ClientToScreen(&cell);
    CRect window;
    host()->GetWindowRect(&window);
    return CPoint(cell.left - window.left + cell.Width() / 2, cell.top - window.top + cell.Height() / 2);
  }
};

TEST_F(WpsPageScreenshotTest, PageAfterAPushButtonRun) {
  startWps(PrinterTkipWorld());
  command(BRIDGE_CMD_WPS_PBC);
  ASSERT_TRUE(waitForStatus("PBC - Configured"));
  host()->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
  host()->ShowWindow(SW_SHOW);
  host()->GetProfilePage()->ShowWindow(SW_HIDE);
  host()->ShowSecondaryDialog(-1);
  wps()->ShowWindow(SW_SHOW);
  const wavorel::WindowImage image = wavorel::composeWindow(host()->GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::saveScreenshot(host()->GetSafeHwnd(), "wps-page.png"));

  const int printer = apRowOf("PrintHub");
  ASSERT_GE(printer, 0);
  const CPoint ap = cellPoint(wps()->ApList(), printer, 5);
  EXPECT_EQ(image.colorAt(ap.x, ap.y), kLockColour);
  // At 95 % the bar is filled to 90 % of its width but not to its end.
  CRect bar;
  wps()->Progress().GetWindowRect(&bar);
  CRect window;
  host()->GetWindowRect(&window);
  const int y = bar.top - window.top + 3;
  const COLORREF empty = image.colorAt(bar.right - window.left - 3, y);
  EXPECT_NE(image.colorAt(bar.left - window.left + bar.Width() * 9 / 10, y), empty);
  EXPECT_NE(image.colorAt(bar.left - window.left + bar.Width() / 10, y), empty);
}

}  // namespace
}  // namespace station::testing
