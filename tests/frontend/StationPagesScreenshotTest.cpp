// The five station pages in a connected state as a person sees them in the
// main dialog, written as station-<page>.png into the test's working folder,
// with pixels probed where the picture is the point: the signal bar filled
// in proportion, the row pictures of the lists, the tray's frame.
#include "tests/frontend/StationTableTest.h"

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"

namespace station_table_test {
namespace {

using StationPagesScreenshotTest = StationTableTest;

// A control's rectangle in the main dialog image's coordinates.
CRect rectIn(CWnd& dialog, HWND control) {
  CRect rect, window;
  ::GetWindowRect(control, &rect);
  dialog.GetWindowRect(&window);
  rect.OffsetRect(-window.left, -window.top);
  return rect;
}

// Columns of `area` whose middle pixel differs between two images.
int changedColumns(const wavorel::WindowImage& before, const wavorel::WindowImage& after, const CRect& area) {
  const int y = area.CenterPoint().y;
  int changed = 0;
  for (int x = area.left; x < area.right; ++x) changed += before.colorAt(x, y) != after.colorAt(x, y);
  return changed;
}

// A row's icon area in the main dialog image's coordinates.
CRect iconIn(CWnd& dialog, CListCtrl& list, int row) {
  CRect icon, window;
  list.GetItemRect(row, &icon, LVIR_ICON);
  list.ClientToScreen(&icon);
  dialog.GetWindowRect(&window);
  icon.OffsetRect(-window.left, -window.top);
  return icon;
}

// Pixels of a row's icon area unlike the row's background just right of it:
// none when no picture is drawn. The list stands 2 pixels left of its frame,
// so the area's first columns are left out.
int picturePixels(const wavorel::WindowImage& image, CWnd& dialog, CListCtrl& list, int row) {
  const CRect icon = iconIn(dialog, list, row);
  const COLORREF background = image.colorAt(icon.right + 1, icon.top + 1);
  int drawn = 0;
  for (int y = icon.top + 1; y < icon.bottom - 1; ++y)
    for (int x = icon.left + 3; x < icon.right; ++x) drawn += image.colorAt(x, y) != background;
  return drawn;
}

// Pixels that differ between the pictures of two rows.
int rowPictureDifference(const wavorel::WindowImage& image, CWnd& dialog, CListCtrl& list, int first, int second) {
  const CRect a = iconIn(dialog, list, first), b = iconIn(dialog, list, second);
  int differ = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) differ += image.colorAt(a.left + x, a.top + y) != image.colorAt(b.left + x, b.top + y);
  return differ;
}

wavorel::WindowImage shoot(CWnd& dialog, const char* file) {
  wavorel::pumpMessages();
  wavorel::WindowImage image = wavorel::composeWindow(dialog.GetSafeHwnd());
  EXPECT_TRUE(wavorel::present::writeImage(image, file));
  return image;
}

TEST_F(StationPagesScreenshotTest, FivePagesConnected) {
  CWnd& dialog = this->dialog();
  CPageMainDlg_LinkInfo& link = table().GetLinkPage();
  const CRect bar = rectIn(dialog, link.GetSignalBar().GetSafeHwnd());
  const wavorel::WindowImage empty = wavorel::composeWindow(dialog.GetSafeHwnd());

  report(BRIDGE_UI_CONNECTION_STATE, "03Good");
  EXPECT_EQ(trayFrame(), 3);
  const char* link12[] = {"Connect", "HomeNet", "00:1D:7E:11:22:01", "WPA2-PSK", "AES", "Infrastructure",
                          "192.168.1.23", "255.255.255.0", "192.168.1.1", "130 Mbps", "12.5 Kbps", "3.1 Kbps"};
  for (UINT i = 0; i < 12; ++i) report(BRIDGE_UI_LINK_STATUS + i, link12[i]);
  report(BRIDGE_UI_SIGNAL_STRENGTH, "60");
  report(BRIDGE_UI_LINK_QUALITY, "90");
  const wavorel::WindowImage linked = shoot(dialog, "station-link.png");
  // The fill is inset 10 pixels on each side.
  const double filled = static_cast<double>(changedColumns(empty, linked, bar)) / (bar.Width() - 20);
  EXPECT_NEAR(filled, 0.60, 0.08);

  report(BRIDGE_UI_SURVEY_ROW, "");
  report(BRIDGE_UI_SURVEY_ROW,
         "\"HomeNet\"\t\"1\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"96\"\r\n\"PrintHub\"\t\"0\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"72\"\r\n"
         "\"CafeFree\"\t\"0\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"12\"");
  showPage(1);
  report(BRIDGE_UI_BSS_DETAIL, "0\tHomeNet\t00:1D:7E:11:22:01\tAES\t6\tInfrastructure");
  const wavorel::WindowImage survey = shoot(dialog, "station-survey.png");
  CSortListCtrl& sites = table().GetSurveyPage().GetList();
  for (int row = 0; row < 3; ++row) EXPECT_GT(picturePixels(survey, dialog, sites, row), 20) << row;
  EXPECT_GT(rowPictureDifference(survey, dialog, sites, 0, 2), 20);  // connected, strong vs. weak

  report(BRIDGE_UI_PROFILE_ROW, "Home\tHomeNet\t0\t0\r\nPrinter\tPrintHub\t-1\t0\r\nCafe\tCafeFree\t-1\t1");
  showPage(2);
  report(BRIDGE_UI_PROFILE_DETAIL, "Infrastructure\r\nWPA2-PSK\r\nAES\r\n6\r\nNone");
  const wavorel::WindowImage profiles = shoot(dialog, "station-profiles.png");
  CSortListCtrl& rows = table().GetProfilePage().GetList();
  CImageList* strip = rows.GetImageList(LVSIL_SMALL);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->GetImageCount(), 4);
  for (int row = 0; row < 3; ++row) EXPECT_GT(picturePixels(profiles, dialog, rows, row), 20) << row;
  EXPECT_GT(rowPictureDifference(profiles, dialog, rows, 0, 1), 20);  // connected vs. plain
  EXPECT_GT(rowPictureDifference(profiles, dialog, rows, 2, 1), 20);  // flagged vs. plain

  showPage(3);
  for (UINT i = 0; i < 9; ++i) report(BRIDGE_UI_STAT_TX_SUCCESS + i, std::to_string(1200 + 37 * i));
  shoot(dialog, "station-statistics.png");

  showPage(4);
  report(BRIDGE_UI_WPS_AP_ROW, "0\tPrintHub\t9\r\n1\tHomeNet\t6");
  report(BRIDGE_UI_WPS_PROFILE_ROW, "PrintHub\t00:1D:7E:11:22:06");
  report(BRIDGE_UI_WPS_SELECT, "0");
  report(BRIDGE_UI_WPS_PIN_CODE, "12345670");
  report(BRIDGE_UI_WPS_PROGRESS, "40");
  const wavorel::WindowImage wps = shoot(dialog, "station-wps.png");
  const CRect progress = rectIn(dialog, table().GetWpsPage().GetProgress().GetSafeHwnd());
  EXPECT_GT(changedColumns(survey, wps, progress), 0);
}

}  // namespace
}  // namespace station_table_test
