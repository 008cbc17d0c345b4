// Wavorel's site survey page with the default world's networks and the
// adapter on one of them, as a person would see it: the host shown with the
// page in front, written as xp-site-survey.png and probed: the connected
// image, the band, security and WPS images (bitmap 167), the signal bars'
// lengths and the buttons beside the list.
#include <gtest/gtest.h>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/xp/station/hosted/SiteSurveyXpTest.h"

namespace xpsurvey::testing {
namespace {

// The row images of bitmap 167, by colour.
constexpr COLORREF kConnectedColour = RGB(0x00, 0xB4, 0x00);
constexpr COLORREF kBandBColour = RGB(0x78, 0x00, 0xA0);
constexpr COLORREF kBandGColour = RGB(0x00, 0x78, 0xA0);
constexpr COLORREF kLockColour = RGB(0xC8, 0xAA, 0x00);
constexpr COLORREF kWpsColour = RGB(0xE0, 0x40, 0x80);

class SiteSurveyXpScreenshotTest : public SiteSurveyXpTest {
 protected:
  // A point of a cell (a fraction of its width, its middle row) in the host's image.
  CPoint cellPoint(int row, int column, double x = 0.5) {
    CQuickList& list = survey().List();
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    if (column == 0) cell.right = cell.left + list.GetColumnWidth(0);
    list.ClientToScreen(&cell);
    CRect window;
    host().GetWindowRect(&window);
    return CPoint(cell.left - window.left + static_cast<int>(cell.Width() * x),
                  cell.top - window.top + cell.Height() / 2);
  }
  // Whether the button's area in the host's image holds more than one colour
  // (its face and its caption).
  bool drawn(const wavorel::WindowImage& image, CWnd& button) {
    CRect rect, window;
    button.GetWindowRect(&rect);
    host().GetWindowRect(&window);
    rect.OffsetRect(-window.left, -window.top);
    const COLORREF first = image.colorAt(rect.left + 2, rect.top + rect.Height() / 2);
    for (int y = rect.top + 2; y < rect.bottom - 2; ++y)
      for (int x = rect.left + 2; x < rect.right - 2; ++x)
        if (image.colorAt(x, y) != first) return true;
    return false;
  }
};

TEST_F(SiteSurveyXpScreenshotTest, DefaultWorldWithTheConnectedRow) {
  joinAndTrack("CafeFree");
  openSurvey();
  ASSERT_GT(scanWorld(), 0u);
  survey().m_bRescanPending = 1;
  tick();
  ASSERT_GE(survey().GetRowCount(), 6);
  const int cafe = rowOf("CafeFree");      // open, -67 dBm, connected
  const int home = rowOf("HomeNet");       // WPA2-PSK with WPS, -45 dBm
  const int router = rowOf("OldRouter");   // WEP, -72 dBm
  ASSERT_GE(cafe, 0);
  ASSERT_GE(home, 0);
  ASSERT_GE(router, 0);
  ASSERT_EQ(survey().GetRows()[cafe].connected, 1);

  host().SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
  host().ShowWindow(SW_SHOW);
  host().GetProfilePage()->ShowWindow(SW_HIDE);
  host().ShowSecondaryDialog(-1);
  survey().ShowWindow(SW_SHOW);
  const wavorel::WindowImage image = wavorel::composeWindow(host().GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::writeImage(image, "xp-site-survey.png"));
  auto at = [&image](CPoint p) { return image.colorAt(p.x, p.y); };

  // Connect is kept hidden, as in WavorelVista, with Add to Profile in its
  // place beside Rescan; its enabled state still follows the buttons' rule.
  CWnd* rescan = survey().GetDlgItem(IDC_SS_RESCAN);
  ASSERT_NE(rescan, nullptr);
  EXPECT_TRUE(rescan->IsWindowVisible());
  EXPECT_TRUE(survey().AddToProfileButton().IsWindowVisible());
  EXPECT_FALSE(survey().ConnectButton().IsWindowVisible());
  EXPECT_TRUE(survey().ConnectButton().IsWindowEnabled());
  EXPECT_TRUE(drawn(image, *rescan));
  EXPECT_TRUE(drawn(image, survey().AddToProfileButton()));

  EXPECT_EQ(at(cellPoint(cafe, kSiteColConnected)), kConnectedColour);
  EXPECT_NE(at(cellPoint(home, kSiteColConnected)), kConnectedColour);
  for (int row : {cafe, home, router}) {
    EXPECT_EQ(at(cellPoint(row, kSiteColB)), kBandBColour) << row;
    EXPECT_EQ(at(cellPoint(row, kSiteColG)), kBandGColour) << row;
  }
  EXPECT_EQ(at(cellPoint(home, kSiteColSecurity)), kWpsColour);
  EXPECT_EQ(at(cellPoint(router, kSiteColSecurity)), kLockColour);
  const COLORREF open = at(cellPoint(cafe, kSiteColSecurity));
  EXPECT_NE(open, kLockColour);
  EXPECT_NE(open, kWpsColour);
  // A full bar reaches its end; the bar of the weaker network stops before
  // 60 % of its cell; both start in the colour of a weak level.
  const COLORREF empty = at(cellPoint(router, kSiteColSignalBar, 0.9));
  EXPECT_NE(at(cellPoint(home, kSiteColSignalBar, 0.9)), empty);
  EXPECT_NE(at(cellPoint(router, kSiteColSignalBar, 0.2)), empty);
  EXPECT_EQ(at(cellPoint(router, kSiteColSignalBar, 0.6)), empty);
  const COLORREF start = at(cellPoint(router, kSiteColSignalBar, 0.05));
  EXPECT_GT(GetRValue(start), 200);
  EXPECT_LT(GetGValue(start), 128);
}

}  // namespace
}  // namespace xpsurvey::testing
