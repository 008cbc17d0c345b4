// The hidden host: where it lies after start-up, its tab strip, the layout
// toggle, the radio button and the single-sign-on install query.
#include "tests/station/host/StationHostTest.h"

namespace station::testing {
namespace {

using HostTest = StationHostTest;

TEST_F(HostTest, StartsHiddenOffScreenAsToolWindowWithTheProfilePage) {
  startWithHost();
  CSorvik2007Dlg* h = host();
  EXPECT_FALSE(h->IsWindowVisible());
  EXPECT_EQ(GetWindowLong(h->GetSafeHwnd(), GWL_EXSTYLE), static_cast<LONG>(WS_EX_TOOLWINDOW));
  CRect window;
  h->GetWindowRect(&window);
  EXPECT_EQ(window.left, -9999);
  EXPECT_EQ(window.top, -9999);
  ASSERT_NE(h->GetProfilePage(), nullptr);
  EXPECT_TRUE(IsWindow(page().GetSafeHwnd()));
  EXPECT_EQ(h->GetTabPage(kHostTabProfile), h->GetProfilePage());
  EXPECT_EQ(page().GetParent(), h->GetTabDialog());
}
}  // namespace
}  // namespace station::testing
