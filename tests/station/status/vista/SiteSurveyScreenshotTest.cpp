// The site list of the default world as a picture: the host shown on the
// screen with the site survey page in front, written to "site-survey.png" in
// the test's working folder (build/tests) and probed: the band, 802.11n,
// security and WPS images of the rows, the signal bars' lengths and the
// colours they reach.
#include <gtest/gtest.h>

#include <string>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/station/status/vista/SiteSurveyTest.h"

namespace station::testing {
namespace {

// The colours of the row images of bitmap 201.
constexpr COLORREF kBandBColour = RGB(0x78, 0x00, 0xA0);
constexpr COLORREF kBandGColour = RGB(0x00, 0x78, 0xA0);
constexpr COLORREF kLockColour = RGB(0xC8, 0xAA, 0x00);
constexpr COLORREF kWpsColour = RGB(0xE0, 0x40, 0x80);
constexpr COLORREF kHtColour = RGB(0x00, 0x80, 0x80);

class SiteSurveyScreenshotTest : public SiteSurveyTest {
 protected:
  // A point of a cell (fractions of its width and height) in the host's image.
  CPoint cellPoint(int row, int column, double x = 0.5, double y = 0.5) {
    CQuickList& list = site()->List();
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    if (column == 0) cell.right = cell.left + list.GetColumnWidth(0);
    list.ClientToScreen(&cell);
    CRect window;
    host()->GetWindowRect(&window);
    return CPoint(cell.left - window.left + static_cast<int>(cell.Width() * x),
                  cell.top - window.top + static_cast<int>(cell.Height() * y));
  }
  COLORREF at(const wavorel::WindowImage& image, CPoint point) { return image.colorAt(point.x, point.y); }
};

TEST_F(SiteSurveyScreenshotTest, DefaultWorldSiteList) {
  startSurvey();
  ASSERT_GE(site()->GetRowCount(), 6);
  // The host on the screen with the site survey page in front.
  // (The host lies off the screen with no size until then.)
  host()->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
  host()->ShowWindow(SW_SHOW);
  host()->GetProfilePage()->ShowWindow(SW_HIDE);
  // The secondary dialog shown after start-up (the link page) would cover the list.
  host()->ShowSecondaryDialog(-1);
  site()->ShowWindow(SW_SHOW);
  const wavorel::WindowImage image = wavorel::composeWindow(host()->GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::saveScreenshot(host()->GetSafeHwnd(), "site-survey.png"));

  const int home = rowOf("HomeNet");      // WPA2-PSK, WPS, 802.11n, -45 dBm
  const int cafe = rowOf("CafeFree");     // open, -67 dBm
  const int router = rowOf("OldRouter");  // WEP, -72 dBm
  ASSERT_GE(home, 0);
  ASSERT_GE(cafe, 0);
  ASSERT_GE(router, 0);
  for (int row : {home, cafe, router}) {
    EXPECT_EQ(at(image, cellPoint(row, kSiteColB)), kBandBColour) << row;
    EXPECT_EQ(at(image, cellPoint(row, kSiteColG)), kBandGColour) << row;
  }
  EXPECT_EQ(at(image, cellPoint(home, kSiteColN)), kHtColour);
  EXPECT_NE(at(image, cellPoint(cafe, kSiteColN)), kHtColour);
  EXPECT_EQ(at(image, cellPoint(home, kSiteColSecurity)), kWpsColour);
  EXPECT_EQ(at(image, cellPoint(router, kSiteColSecurity)), kLockColour);
  const COLORREF openSecurity = at(image, cellPoint(cafe, kSiteColSecurity));
  EXPECT_NE(openSecurity, kLockColour);
  EXPECT_NE(openSecurity, kWpsColour);
  // The bar of a full signal reaches its end; one of 44 % stops before 60 % of it.
  const COLORREF empty = at(image, cellPoint(router, kSiteColSignalBar, 0.9));
  EXPECT_NE(at(image, cellPoint(home, kSiteColSignalBar, 0.9)), empty);
  EXPECT_NE(at(image, cellPoint(router, kSiteColSignalBar, 0.2)), empty);
  EXPECT_EQ(at(image, cellPoint(router, kSiteColSignalBar, 0.6)), empty);
  // The colour a bar reaches tells its level: red at the start, yellow in the
  // middle (where the bar of 44 % ends), green at the end of a full one.
  const COLORREF start = at(image, cellPoint(router, kSiteColSignalBar, 0.05));
  EXPECT_GT(GetRValue(start), 200);
  EXPECT_LT(GetGValue(start), 128);
  const COLORREF middle = at(image, cellPoint(router, kSiteColSignalBar, 0.38));
  EXPECT_GT(GetRValue(middle), 200);
  EXPECT_GT(GetGValue(middle), 200);
  const COLORREF full = at(image, cellPoint(home, kSiteColSignalBar, 0.95));
  EXPECT_LT(GetRValue(full), 128);
  EXPECT_GT(GetGValue(full), 200);
}

}  // namespace
}  // namespace station::testing
