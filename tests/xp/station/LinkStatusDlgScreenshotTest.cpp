// Wavorel's link page with one receive chain, as a person would see it,
// written as xp-link-status-one-chain.png: the noise bar moved up into the
// second bar's place, the chain bars below it gone.
#include <memory>

#include "station/status/LinkStatusDlg.h"
#include "tests/xp/station/ScreenshotProbe.h"
#include "tests/xp/station/XpStationPageTest.h"
#include "worker/DriverCodes.h"

namespace xp::testing {
namespace {

using LinkStatusDlgScreenshotTest = XpStationPageTest;

TEST_F(LinkStatusDlgScreenshotTest, OneChainNoiseBarMovedUp) {
  join("CafeFree");
  CLinkStatusDlg page(&frame());
  ASSERT_TRUE(page.Create(IDD_LINK_STATUS, &frame()));
  CRect second, third, noiseBefore;
  GetControlRect(second, &page, IDC_LINK_SIGNAL2_BAR);
  GetControlRect(third, &page, IDC_LINK_SIGNAL3_BAR);
  GetControlRect(noiseBefore, &page, IDC_LINK_NOISE_BAR);
  // The driver cannot report chain 1 when the page is shown.
  machine().failCode(OID_VX_RSSI1, 1);
  page.ShowWindow(SW_SHOW);
  advance(8000);
  const wavorel::WindowImage image = Picture(frame(), "xp-link-status-one-chain.png");
  ASSERT_FALSE(image.empty());

  const CRect noise = PlaceIn(frame(), page.GetBar(CLinkStatusDlg::kNoiseBar));
  CRect secondInFrame = second;
  page.ClientToScreen(&secondInFrame);
  frame().ScreenToClient(&secondInFrame);
  EXPECT_EQ(noise, secondInFrame) << "the noise bar sits where the second bar was";
  // Low noise: a green bar in its new place; nothing drawn where it was.
  EXPECT_GT(CountPixels(image, noise, Green), noise.Height()) << "the noise bar";
  CRect old = noiseBefore;
  page.ClientToScreen(&old);
  frame().ScreenToClient(&old);
  EXPECT_EQ(CountPixels(image, old, Green), 0) << "its old place is empty";
  // The page's own colour where the third bar was; the quality bar and the
  // first chain's bar are drawn over it.
  page.ClientToScreen(&third);
  frame().ScreenToClient(&third);
  const COLORREF face = image.colorAt(third.CenterPoint().x, third.CenterPoint().y);
  EXPECT_EQ(CountPixels(image, third, [face](COLORREF c) { return c != face; }), 0) << "the third bar is gone";
  for (CLinkStatusDlg::Bar bar : {CLinkStatusDlg::kQualityBar, CLinkStatusDlg::kSignal1Bar}) {
    const CRect rect = PlaceIn(frame(), page.GetBar(bar));
    EXPECT_GT(CountPixels(image, rect, [face](COLORREF c) { return c != face; }), rect.Width() * rect.Height() / 2)
        << "bar " << bar;
  }
  EXPECT_GT(CountPixels(image, PlaceIn(frame(), *page.GetDlgItem(IDC_LINK_STATUS)), Ink), 20) << "the status line";
  page.DestroyWindow();
}

}  // namespace
}  // namespace xp::testing
