#include <vector>

#include "platform/mfc/IPAddressCtrl.h"
#include "platform/mfc/ListCtrl.h"
#include "platform/mfc/RichEditCtrl.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "tests/platform/commctrl/CommCtrlTestSupport.h"

namespace wavorel::testing {
namespace {

using CListCtrlTest = CommCtrlTest;

int CALLBACK byDataDescending(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(b - a); }

TEST_F(CListCtrlTest, SelectedPositionsSortingAndTexts) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), CWnd::FromHandle(parent_), 9));
  EXPECT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 120), 0);
  EXPECT_EQ(list.InsertColumn(1, "Signal", LVCFMT_RIGHT, 60), 1);
  for (int i = 0; i < 5; ++i) {
    list.InsertItem(i, CString("row") + CString(std::to_string(i).c_str()));
    list.SetItemText(i, 1, std::to_string(i * 10).c_str());
    list.SetItemData(i, static_cast<DWORD_PTR>(i));
  }
  EXPECT_EQ(list.GetItemText(3, 1), CString("30"));
  for (int i : {1, 3, 4}) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
  std::vector<int> selected;
  for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) selected.push_back(list.GetNextSelectedItem(pos));
  EXPECT_EQ(selected, (std::vector<int>{1, 3, 4}));

  EXPECT_TRUE(list.SortItems(byDataDescending, 0));
  EXPECT_EQ(list.GetItemText(0, 0), CString("row4"));
  EXPECT_EQ(list.GetItemData(4), 0u);
  selected.clear();
  for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) selected.push_back(list.GetNextSelectedItem(pos));
  EXPECT_EQ(selected, (std::vector<int>{0, 1, 3}));

  CHeaderCtrl* header = list.GetHeaderCtrl();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->GetItemCount(), 2);
  CRect cell;
  ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_BOUNDS, cell));
  EXPECT_EQ(cell.left, 120);
  EXPECT_EQ(cell.top, 20 + 2 * 16);
  EXPECT_EQ(list.HitTest(CPoint(10, cell.top + 1)), 2);
  list.SetCheck(0);  // no check boxes: the state image is still kept
  EXPECT_TRUE(list.GetCheck(0));
}

TEST_F(CListCtrlTest, OtherWrappersReachTheirControls) {
  CWnd* parent = CWnd::FromHandle(parent_);
  CIPAddressCtrl ip;
  ASSERT_TRUE(ip.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 20), parent, 10));
  ip.SetAddress(10, 0, 0, 1);
  BYTE a = 0, b = 0, c = 0, d = 0;
  EXPECT_EQ(ip.GetAddress(a, b, c, d), 4);
  EXPECT_EQ(d, 1);

  CRichEditCtrl rich;
  ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 30, 200, 100), parent, 11));
  rich.ReplaceSel("log line\r\n");
  rich.SetSel(0, -1);
  CHARFORMAT cf{};
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = RGB(0, 128, 0);
  EXPECT_TRUE(rich.SetSelectionCharFormat(cf));
  CHARFORMAT got{};
  EXPECT_EQ(rich.GetSelectionCharFormat(got) & CFM_COLOR, static_cast<DWORD>(CFM_COLOR));
  EXPECT_EQ(got.crTextColor, RGB(0, 128, 0));
  EXPECT_EQ(rich.GetTextLength(), 10);

  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(parent));
  CRect area(0, 0, 50, 50);
  EXPECT_TRUE(tip.AddTool(parent, "hello", area, 1));
  EXPECT_EQ(tip.GetToolCount(), 1);
  tip.UpdateTipText("changed", parent, 1);
  CString text;
  tip.GetText(text, parent, 1);
  EXPECT_EQ(text, CString("changed"));
  tip.DestroyWindow();
}

}  // namespace
}  // namespace wavorel::testing
