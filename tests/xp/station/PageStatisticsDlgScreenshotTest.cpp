// Wavorel's statistics page after a poll, as a person would see it, written
// as xp-statistics.png: the transmit tab's labels and counters.
#include "station/status/PageStatisticsDlg.h"
#include "tests/xp/station/ScreenshotProbe.h"
#include "tests/xp/station/XpStationPageTest.h"

namespace xp::testing {
namespace {

using PageStatisticsDlgScreenshotTest = XpStationPageTest;

TEST_F(PageStatisticsDlgScreenshotTest, TransmitCounters) {
  join("CafeFree");
  CPageStatisticsDlg page(&frame());
  ASSERT_TRUE(page.Create(IDD_PAGE_STATISTICS, &frame()));
  page.ShowWindow(SW_SHOW);
  advance(4000);
  const wavorel::WindowImage image = Picture(frame(), "xp-statistics.png");
  ASSERT_FALSE(image.empty());
  CPageStatisticsTXDlg& tx = page.GetTransmitPage();
  ASSERT_TRUE(tx.IsWindowVisible());
  for (UINT id : CPageStatisticsTXDlg::kValueIds)
    EXPECT_GT(CountPixels(image, PlaceIn(frame(), *tx.GetDlgItem(id)), Ink), 10) << id;
  EXPECT_FALSE(page.GetReceivePage().IsWindowVisible());
  page.DestroyWindow();
}

}  // namespace
}  // namespace xp::testing
