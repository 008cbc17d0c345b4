// Wavorel's WPS page after a push-button run, as a person would see it: the
// host shown with the page in front, written as xp-wps.png and probed: the
// push-button access point's row, the stored credential's row and the
// progress bar filled to 95 %.
#include <gtest/gtest.h>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/xp/station/ScreenshotProbe.h"
#include "tests/xp/station/hosted/WpsPageXpTest.h"

namespace xpsurvey::testing {
namespace {

class WpsPageXpScreenshotTest : public WpsPageXpTest {
 protected:
  // A place in the host's image from screen coordinates.
  CPoint inHost(CPoint screen) {
    CRect window;
    host().GetWindowRect(&window);
    return CPoint(screen.x - window.left, screen.y - window.top);
  }
  // Dark pixels in a cell of a list.
  int inkInCell(const wavorel::WindowImage& image, CQuickList& list, int row, int column) {
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    if (column == 0) cell.right = cell.left + list.GetColumnWidth(0);
    list.ClientToScreen(&cell);
    return xp::testing::CountPixels(image, CRect(inHost(cell.TopLeft()), cell.Size()), xp::testing::Ink);
  }
};

TEST_F(WpsPageXpScreenshotTest, PageAfterAPushButtonRun) {
  openWps();
  ASSERT_GT(scanWorld(), 0u);
  wps().BuildApList();
  wps().OnBnClickedPbc();
  ASSERT_TRUE(waitForStatus("PBC - Configured"));
  host().SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
  host().ShowWindow(SW_SHOW);
  host().GetProfilePage()->ShowWindow(SW_HIDE);
  host().ShowSecondaryDialog(-1);
  wps().ShowWindow(SW_SHOW);
  const wavorel::WindowImage image = wavorel::composeWindow(host().GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::writeImage(image, "xp-wps.png"));

  int printer = -1;
  const std::vector<WpsApEntry>& entries = wps().GetApEntries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].ssid == "PrintHub") printer = static_cast<int>(i);
  ASSERT_GE(printer, 0);
  EXPECT_GT(inkInCell(image, wps().ApList(), printer, 1), 10) << "the access point's SSID";
  // The credential's SSID in the profile list; its second row is empty.
  ASSERT_EQ(wps().GetProfileEntries().size(), 1u);
  EXPECT_GT(inkInCell(image, wps().ProfileList(), 0, 1), 10);
  EXPECT_EQ(inkInCell(image, wps().ProfileList(), 1, 1), 0);

  // At 95 % the bar is filled to 90 % of its width but not to its end.
  CRect bar;
  wps().Progress().GetWindowRect(&bar);
  const CPoint left = inHost(bar.TopLeft());
  const int y = left.y + 3;
  const COLORREF empty = image.colorAt(left.x + bar.Width() - 3, y);
  EXPECT_NE(image.colorAt(left.x + bar.Width() * 9 / 10, y), empty);
  EXPECT_NE(image.colorAt(left.x + bar.Width() / 10, y), empty);
}

}  // namespace
}  // namespace xpsurvey::testing
