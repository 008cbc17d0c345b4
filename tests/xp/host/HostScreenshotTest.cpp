// The host of Wavorel's station pages brought on screen: its tab strip with
// the advanced page's tab and the radio button's picture, written to
// host-xp-tab-strip.png in the test's working folder and probed by pixels.
#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/xp/host/HostXpTest.h"
#include "tests/xp/station/ScreenshotProbe.h"

namespace xphost::testing {
namespace {

using xp::testing::CountPixels;
using xp::testing::Green;
using xp::testing::Ink;

// A control's rectangle in the picture of the whole host (caption included).
CRect PlaceIn(CWnd& host, CWnd& control) {
  CRect window, rect;
  host.GetWindowRect(&window);
  control.GetWindowRect(&rect);
  rect.OffsetRect(-window.left, -window.top);
  return rect;
}

TEST_F(HostXpTest, TabStripWithTheAdvancedTabAndTheRadioPicture) {
  CSorvik2007Dlg& h = openHost();
  press(IDC_HOST_TAB_ADVANCE);
  // The host lies off-screen with no size: it gets its tab dialog's.
  CRect tabs;
  h.GetTabDialog()->GetWindowRect(&tabs);
  h.MoveWindow(0, 0, tabs.Width() + 16, tabs.Height() + 40, FALSE);
  h.ShowWindow(SW_SHOWNOACTIVATE);
  ::RedrawWindow(h.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  wavorel::pumpMessages();
  const wavorel::WindowImage image = xp::testing::Picture(h, "host-xp-tab-strip.png");
  ASSERT_FALSE(image.empty());

  // Each visible tab shows its caption.
  for (UINT id : {1004u, 1005u, 1006u, 1007u}) {
    CShadeButtonST* tab = h.GetStripButton(id);
    ASSERT_NE(tab, nullptr);
    ASSERT_TRUE(tab->IsWindowVisible()) << id;
    EXPECT_GT(CountPixels(image, PlaceIn(h, *tab), Ink), 10) << id;
  }
  // The advanced page is shown under the strip.
  EXPECT_TRUE(h.GetAdvancePage()->IsWindowVisible());
  EXPECT_GT(CountPixels(image, PlaceIn(h, *h.GetAdvancePage()), Ink), 100);
  // The radio button, seventh in the strip, carries the green lamp.
  CShadeButtonST* radio = h.GetStripButton(IDC_HOST_RADIO);
  ASSERT_TRUE(radio->IsWindowVisible());
  EXPECT_GT(CountPixels(image, PlaceIn(h, *radio), Green), 20);
}

}  // namespace
}  // namespace xphost::testing
