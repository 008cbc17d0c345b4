// The statistics (transmit tab), about, 802.11n setting and WMM pages as a
// person would see them, each on a visible window of its own (the host never
// shows), written as PNG files into the test's working folder and probed:
// the texts stand where the values and list rows are, empty rows stay empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "station/status/PageAboutDlg.h"
#include "station/status/PageStatisticsDlg.h"
#include "tests/station/status/vista/StationToolsTest.h"

namespace station::testing {
namespace {

class StationToolsScreenshotTest : public StationToolsTest {
 protected:
  void SetUp() override {
    StationToolsTest::SetUp();
    ASSERT_TRUE(m_frame.CreateEx(0, kWindowClass, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 620, 300), nullptr, 0));
  }
  void TearDown() override {
    m_frame.DestroyWindow();
    StationToolsTest::TearDown();
  }
  // The frame's picture, written to `file`.
  wavorel::WindowImage picture(const char* file) {
    wavorel::WindowImage image = wavorel::composeWindow(m_frame.GetSafeHwnd());
    EXPECT_FALSE(image.empty());
    EXPECT_TRUE(wavorel::present::writeImage(image, file));
    return image;
  }
  // The control's rectangle in the frame's picture.
  CRect placeOf(CWnd& control) {
    CRect rect;
    control.GetWindowRect(&rect);
    m_frame.ScreenToClient(&rect);
    return rect;
  }
  // Dark (text) pixels in `rect`.
  static int inkIn(const wavorel::WindowImage& image, const CRect& rect) {
    int count = 0;
    const int top = std::max(0, static_cast<int>(rect.top)), bottom = std::min(image.height, static_cast<int>(rect.bottom));
    const int left = std::max(0, static_cast<int>(rect.left)), right = std::min(image.width, static_cast<int>(rect.right));
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const COLORREF c = image.colorAt(x, y);
        count += GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60;
      }
    return count;
  }
  // A list row's band (below the header) in the frame's picture.
  CRect rowOf(CListCtrl& list, int row) {
    CRect item;
    list.GetItemRect(row, &item, LVIR_BOUNDS);
    CRect inList = placeOf(list);
    item.OffsetRect(inList.left, inList.top);
    item.DeflateRect(2, 2);
    return item;
  }

  CWnd m_frame;
};

TEST_F(StationToolsScreenshotTest, StatisticsTransmitTab) {
  connectCafe();
  CPageStatisticsDlg dlg(&m_frame);
  ASSERT_TRUE(dlg.Create(IDD_PAGE_STATISTICS, &m_frame));
  dlg.ShowWindow(SW_SHOW);
  advance(4000);
  const wavorel::WindowImage image = picture("statistics-transmit.png");
  CPageStatisticsTXDlg& tx = dlg.GetTransmitPage();
  ASSERT_TRUE(tx.IsWindowVisible());
  for (UINT id : CPageStatisticsTXDlg::kValueIds) EXPECT_GT(inkIn(image, placeOf(*tx.GetDlgItem(id))), 10) << id;
  EXPECT_GT(inkIn(image, placeOf(*tx.GetDlgItem(1389))), 50) << "the first label";
  EXPECT_FALSE(dlg.GetReceivePage().IsWindowVisible());
  dlg.DestroyWindow();
}

TEST_F(StationToolsScreenshotTest, About) {
  startWithHost();
  CPageAboutDlg dlg(&m_frame);
  ASSERT_TRUE(dlg.Create(IDD_PAGE_ABOUT, &m_frame));
  dlg.ShowWindow(SW_SHOW);
  const wavorel::WindowImage image = picture("about.png");
  // (The program file's date depends on the test program's file.)
  for (UINT id : CPageAboutDlg::kValueIds) {
    if (id == CPageAboutDlg::kValueIds[CPageAboutDlg::kProgramDate]) continue;
    EXPECT_GT(inkIn(image, placeOf(*dlg.GetDlgItem(id))), 10) << id;
  }
  dlg.DestroyWindow();
}

TEST_F(StationToolsScreenshotTest, HtSettingWithTwoOriginatorSessions) {
  connectHome();
  // A direct link gives the link a second peer; one session with each.
  writeText("WMMCapable", "1");
  show(wmm());
  click(wmm(), IDC_WMM_DLS, BST_CHECKED);
  const char* parts[6] = {"00", "0A", "0B", "0C", "0D", "0E"};
  for (int i = 0; i < 6; ++i) wmm().SetDlgItemText(IDC_WMM_MAC_EDITS[i], parts[i]);
  wmm().SetDlgItemText(IDC_WMM_TIMEOUT, "0");
  press(wmm(), IDC_WMM_DLS_APPLY);
  wmm().ShowWindow(SW_HIDE);
  show(ht());
  for (int row : {0, 1}) {
    press(ht(), IDC_HT_ORIGINATOR_ADD);
    CAddBlockAckDlg& add = addDialog();
    ASSERT_EQ(2, add.GetPeerList().GetItemCount());
    add.GetPeerList().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    add.GetPeerList().SetItemState(1 - row, 0, LVIS_SELECTED);
    ControlRef<CComboBox>(&add, IDC_BA_TID).get()->SetCurSel(row == 0 ? 0 : 6);
    press(add, IDC_BA_OK);
  }
  ht().ShowWindow(SW_HIDE);

  CPage80211nSettingDlg dlg(&m_frame);
  ASSERT_TRUE(dlg.Create(IDD_PAGE_80211N_SETTING, &m_frame));
  dlg.ShowWindow(SW_SHOW);
  advance(1000);
  const wavorel::WindowImage image = picture("80211n-setting.png");
  CQuickList& list = dlg.GetList(FALSE);
  ASSERT_EQ(2, list.GetItemCount());
  EXPECT_STREQ("-", dlg.GetRows(FALSE)[0].columns[2]);
  EXPECT_GT(inkIn(image, rowOf(list, 0)), 50);
  EXPECT_GT(inkIn(image, rowOf(list, 1)), 50);
  CRect third = rowOf(list, 1);
  third.OffsetRect(0, third.Height() + 4);
  EXPECT_EQ(0, inkIn(image, third)) << "no third row";
  EXPECT_EQ(0, dlg.GetList(TRUE).GetItemCount());
  EXPECT_FALSE(dlg.GetDlgItem(IDC_HT_ORIGINATOR_ADD)->IsWindowEnabled()) << "Auto";
  EXPECT_TRUE(checked(dlg, IDC_HT_AUTO));
  dlg.DestroyWindow();
}

TEST_F(StationToolsScreenshotTest, WmmWithOneDirectLink) {
  connectHome();
  writeText("WMMCapable", "1");
  writeText("DLSCapable", "0");
  writeText("APSDCapable", "1");
  CPageWMMDlg dlg(&m_frame);
  ASSERT_TRUE(dlg.Create(IDD_PAGE_WMM, &m_frame));
  dlg.ShowWindow(SW_SHOW);
  click(dlg, IDC_WMM_DLS, BST_CHECKED);  // the driver's switch too
  const char* parts[6] = {"00", "0A", "0B", "0C", "0D", "0E"};
  for (int i = 0; i < 6; ++i) dlg.SetDlgItemText(IDC_WMM_MAC_EDITS[i], parts[i]);
  dlg.SetDlgItemText(IDC_WMM_TIMEOUT, "600");
  press(dlg, IDC_WMM_DLS_APPLY);
  advance(1000);
  const wavorel::WindowImage image = picture("wmm-dls.png");
  CQuickList& list = dlg.GetDlsList();
  ASSERT_EQ(1, list.GetItemCount());
  EXPECT_GT(inkIn(image, rowOf(list, 0)), 50);
  EXPECT_EQ("Enabled", text(dlg, IDC_WMM_DLS_STATUS));
  EXPECT_GT(inkIn(image, placeOf(*dlg.GetDlgItem(IDC_WMM_DLS_STATUS))), 10);
  dlg.DestroyWindow();
}

}  // namespace
}  // namespace station::testing
