#include <vector>

#include "platform/mfc/Button.h"
#include "platform/mfc/ComboBox.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/ListBox.h"
#include "platform/mfc/Static.h"
#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

class MfcControlTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    ASSERT_TRUE(parentObject_.SubclassWindow(parent_));
  }
  CWnd parentObject_;
  const CRect rect_{0, 0, 120, 200};
};

class RecordingCombo : public CComboBox {
 public:
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    measured.push_back(static_cast<int>(mis->itemID));
    mis->itemHeight = 21;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(static_cast<int>(dis->itemID)); }
  std::vector<int> measured;
  std::vector<int> drawn;
};

class RecordingButton : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawnState = dis->itemState; }
  UINT drawnState = 0xFFFF;
};

using CComboBoxTest = MfcControlTest;
using CButtonTest = MfcControlTest;
using CEditTest = MfcControlTest;
using CListBoxTest = MfcControlTest;
using CStaticTest = MfcControlTest;

TEST_F(CComboBoxTest, OwnerDrawnItemsReachTheComboObjectThroughItsParent) {
  RecordingCombo combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, rect_,
                           &parentObject_, 55));
  EXPECT_EQ(combo.measured, (std::vector<int>{-1})) << "the selection field is measured at creation";
  EXPECT_EQ(combo.AddString("alpha"), 0);
  EXPECT_EQ(combo.measured, (std::vector<int>{-1, 0}));
  EXPECT_EQ(combo.GetItemHeight(0), 21);
  combo.SetCurSel(0);
  combo.SendMessage(WM_PRINTCLIENT, 0x1);
  EXPECT_EQ(combo.drawn, (std::vector<int>{0}));
}

TEST_F(CComboBoxTest, MembersSpeakTheComboMessages) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, rect_, &parentObject_, 56));
  for (const char* s : {"Mode B", "mode a", "Auto"}) combo.AddString(s);
  EXPECT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(combo.FindStringExact(-1, "MODE B"), 2);
  EXPECT_EQ(combo.FindString(0, "mode"), 1);
  EXPECT_EQ(combo.SelectString(-1, "auto"), 0);
  combo.SetItemData(1, 0x77);
  EXPECT_EQ(combo.GetItemData(1), 0x77u);
  CString text;
  combo.GetLBText(1, text);
  EXPECT_STREQ(text, "mode a");
  combo.GetLBText(9, text);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(combo.SetCurSel(2), 2);
  EXPECT_EQ(combo.GetCurSel(), 2);
  combo.ShowDropDown();
  EXPECT_TRUE(combo.GetDroppedState());
  EXPECT_EQ(combo.SetDroppedWidth(240), 240);
  EXPECT_EQ(combo.DeleteString(0), 2);
  combo.ResetContent();
  EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(CButtonTest, ChecksStylesImagesAndOwnerDrawing) {
  CButton check;
  ASSERT_TRUE(check.Create("Check", WS_VISIBLE | BS_AUTOCHECKBOX, rect_, &parentObject_, 60));
  check.SetCheck(BST_CHECKED);
  EXPECT_EQ(check.GetCheck(), BST_CHECKED);
  EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));
  check.SetState(TRUE);
  EXPECT_TRUE(check.GetState() & BST_PUSHED);
  HBITMAP bmp = reinterpret_cast<HBITMAP>(0x10);
  EXPECT_EQ(check.SetBitmap(bmp), nullptr);
  EXPECT_EQ(check.GetBitmap(), bmp);
  EXPECT_TRUE(commands().empty());

  RecordingButton drawn;
  ASSERT_TRUE(drawn.Create("", WS_VISIBLE | BS_PUSHBUTTON, rect_, &parentObject_, 61));
  drawn.SetButtonStyle(BS_OWNERDRAW);
  drawn.SetState(TRUE);
  drawn.SendMessage(WM_PRINTCLIENT, 0x1);
  EXPECT_EQ(drawn.drawnState & ODS_SELECTED, static_cast<UINT>(ODS_SELECTED));
}

TEST_F(CEditTest, LimitSelectionAndFlags) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, rect_, &parentObject_, 70));
  edit.SetLimitText(4);
  EXPECT_EQ(edit.GetLimitText(), 4u);
  edit.SetWindowText("ab");
  edit.SetSel(2, 2);
  edit.ReplaceSel("cdef");
  CString text;
  edit.GetWindowText(text);
  EXPECT_STREQ(text, "abcd");
  int start = -1, end = -1;
  edit.SetSel(0, -1);
  edit.GetSel(start, end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 4);
  EXPECT_TRUE(edit.GetModify());
  edit.SetModify(FALSE);
  EXPECT_FALSE(edit.GetModify());
  edit.SetPasswordChar('*');
  EXPECT_EQ(edit.GetPasswordChar(), '*');
  EXPECT_TRUE(edit.SetReadOnly());
  EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
}

TEST_F(CListBoxTest, TextsDataAndRectangles) {
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_SORT, rect_, &parentObject_, 80));
  list.AddString("pear");
  list.AddString("Apple");
  EXPECT_EQ(list.InsertString(-1, "zz"), 2);
  CString text;
  list.GetText(0, text);
  EXPECT_STREQ(text, "Apple");
  int dummy = 5;
  EXPECT_NE(list.SetItemDataPtr(1, &dummy), LB_ERR);
  EXPECT_EQ(list.GetItemDataPtr(1), &dummy);
  EXPECT_EQ(list.SetCurSel(3), LB_ERR);
  CRect r;
  EXPECT_NE(list.GetItemRect(1, &r), LB_ERR);
  EXPECT_EQ(r.top, list.GetItemHeight(0));
}

TEST_F(CStaticTest, ImagesGoThroughTheStaticMessages) {
  CStatic label;
  ASSERT_TRUE(label.Create("text", WS_VISIBLE | SS_ICON, rect_, &parentObject_));
  HICON icon = reinterpret_cast<HICON>(0x20);
  EXPECT_EQ(label.SetIcon(icon), nullptr);
  EXPECT_EQ(label.GetIcon(), icon);
  HBITMAP bmp = reinterpret_cast<HBITMAP>(0x30);
  label.SetBitmap(bmp);
  EXPECT_EQ(label.GetBitmap(), bmp);
}

}  // namespace
}  // namespace wavorel::testing
