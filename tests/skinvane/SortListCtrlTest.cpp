#include "skinvane/SortListCtrl.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/user/MouseTracking.h"
#include "tests/skinvane/SkinTest.h"

namespace {

using skinvane::testing::SkinTest;

constexpr UINT kListId = 1201;

// The list's parent: answers the begin-edit question and records the edits.
class ListParent : public CWnd {
 public:
  LRESULT beginAnswer = 0;
  int beginAsked = 0;
  int clicks = 0;
  struct Edit {
    UINT row, column;
    std::string oldText, newText;
    UINT data;
  };
  std::vector<Edit> edits;

 protected:
  LRESULT OnBeginEdit(WPARAM, LPARAM) {
    ++beginAsked;
    return beginAnswer;
  }
  LRESULT OnEndEdit(WPARAM wParam, LPARAM) {
    const auto* e = reinterpret_cast<const SORTLIST_ENDEDIT*>(wParam);
    edits.push_back({e->row, e->column, e->oldText, e->newText, e->data});
    return 0;
  }
  LRESULT OnListClick(WPARAM, LPARAM) {
    ++clicks;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListParent, CWnd)
  ON_MESSAGE(WM_SORTLIST_BEGINEDIT, &ListParent::OnBeginEdit)
  ON_MESSAGE(WM_SORTLIST_ENDEDIT, &ListParent::OnEndEdit)
  ON_MESSAGE(WM_SORTLIST_CLICK, &ListParent::OnListClick)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("SortListApp") {}
};

class SortListCtrlTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    SkinTest::TearDown();
  }

  void create(CSortListCtrl& list, const char* headings) {
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 380, 280), &parent_, kListId));
    ASSERT_TRUE(list.SubclassWindow());
    ASSERT_EQ(list.SetHeadings(headings), 1);
  }

  static std::vector<std::string> column(CSortListCtrl& list, int c) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.CListCtrl::GetItemCount(); ++row) {
      texts.push_back(std::string(list.GetItemText(row, c)));
      // The shown text follows the record.
      EXPECT_EQ(std::string(list.CListCtrl::GetItemText(row, c)), texts.back());
    }
    return texts;
  }

  // A header click as the list reports it to its parent.
  void clickHeader(CSortListCtrl& list, int c) {
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = list.GetSafeHwnd();
    nm.hdr.idFrom = kListId;
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = c;
    parent_.SendMessage(WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&nm));
  }

  // The middle of a cell.
  static CPoint cellCenter(CSortListCtrl& list, int row, int c) {
    CRect cell;
    EXPECT_TRUE(list.GetSubItemRect(row, c, LVIR_BOUNDS, cell));
    if (c == 0) cell.right = cell.left + list.GetColumnWidth(0);
    return cell.CenterPoint();
  }
  // A left click in the middle of a cell.
  static void clickCell(CSortListCtrl& list, int row, int c) {
    const CPoint at = cellCenter(list, row, c);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }

  // Moves the mouse (no button down) to a point of `window` and runs what
  // is ready as the program's loop does: each message passes the windows'
  // PreTranslateMessage first, where the tooltips watch the mouse.
  void hover(HWND window, CPoint at, uint64_t restMs) {
    wavorel::mouseMoveTo(window, at, 0);
    for (uint64_t rested = 0;; rested += 50) {
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      if (rested >= restMs) break;
      clock().advance(50);
    }
  }
  // The text of the tip on the screen ("" when none is shown).
  static std::string shownTip() {
    HWND tip = FindWindow(TOOLTIPS_CLASS, nullptr);
    if (!tip || !IsWindowVisible(tip)) return "";
    char text[128] = "";
    GetWindowText(tip, text, sizeof text);
    return text;
  }

  ListParent parent_;
};

TEST_F(SortListCtrlTest, HeadingsBuildNamedColumnsOfTheirWidths) {
  struct Case {
    const char* headings;
    std::vector<std::pair<std::string, int>> columns;
  } cases[] = {
      {"Name,120;Size,60", {{"Name", 120}, {"Size", 60}}},
      {"Name,120;Size", {{"Name", 120}}},
      {"SSID,80", {{"SSID", 80}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    CSortListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &parent_, kListId));
    EXPECT_EQ(list.SetHeadings(c.headings), 1) << c.headings;
    ASSERT_EQ(list.GetColumnCount(), static_cast<int>(c.columns.size())) << c.headings;
    for (size_t i = 0; i < c.columns.size(); ++i) {
      EXPECT_EQ(std::string(list.GetColumnText(static_cast<int>(i))), c.columns[i].first);
      EXPECT_EQ(list.GetColumnWidth(static_cast<int>(i)), c.columns[i].second);
      EXPECT_EQ(list.GetColumnType(static_cast<int>(i)), CSortListCtrl::COLUMN_PLAIN);
    }
    list.DestroyWindow();
  }
}

TEST_F(SortListCtrlTest, SortTellsNumbersTimesAndTextApart) {
  struct Case {
    std::vector<const char*> texts;
    std::vector<std::string> ascending;
  } cases[] = {
      {{"10", "9", "100", "1.5"}, {"1.5", "9", "10", "100"}},
      {{"2024-03-01 10:00:00", "2023-12-31 23:59:59", "2024-03-01 09:00:00"},
       {"2023-12-31 23:59:59", "2024-03-01 09:00:00", "2024-03-01 10:00:00"}},
      // Text in the user's order: case second, lower case first.
      {{"beta", "Alpha", "Gamma", "alpha", "10a"}, {"10a", "alpha", "Alpha", "beta", "Gamma"}},
  };
  for (const Case& c : cases) {
    CSortListCtrl list;
    create(list, "Value,100;Other,50");
    for (const char* text : c.texts) list.InsertItem(-1, 0, text, "x");
    list.Sort(0, 1);
    EXPECT_EQ(column(list, 0), c.ascending);
    list.Sort(0, 0);
    std::vector<std::string> descending(c.ascending.rbegin(), c.ascending.rend());
    EXPECT_EQ(column(list, 0), descending);
    list.DestroyWindow();
  }
}

TEST_F(SortListCtrlTest, HeaderClicksToggleTheOrderAndStartAnotherColumnAscending) {
  CSortListCtrl list;
  create(list, "Name,100;Rate,60");
  list.InsertItem(-1, 0, "b", "2");
  list.InsertItem(-1, 0, "c", "30");
  list.InsertItem(-1, 0, "a", "4");
  EXPECT_EQ(column(list, 0), (std::vector<std::string>{"b", "c", "a"}));  // inserted order

  clickHeader(list, 0);
  EXPECT_EQ(column(list, 0), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(list.GetSortAscending(), 1);
  clickHeader(list, 0);
  EXPECT_EQ(column(list, 0), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(list.GetSortAscending(), 0);
  clickHeader(list, 0);
  EXPECT_EQ(column(list, 0), (std::vector<std::string>{"a", "b", "c"}));

  // The sorted column's header item is drawn by the list's header.
  HDITEM format = {};
  format.mask = HDI_FORMAT;
  ASSERT_TRUE(list.GetHeaderCtrl()->GetItem(0, &format));
  EXPECT_TRUE(format.fmt & HDF_OWNERDRAW);
  repaint(list.GetSafeHwnd());
  list.GetHeaderCtrl()->Invalidate();
  list.GetHeaderCtrl()->UpdateWindow();
  const HWND header = list.GetHeaderCtrl()->GetSafeHwnd();
  EXPECT_EQ(pixelAt(header, 2, 2), GetSysColor(COLOR_BTNFACE));
  // The sort arrow left of the item's edge, in the shadow colour.
  CRect item;
  list.GetHeaderCtrl()->GetItemRect(0, &item);
  int shadow = 0;
  for (int y = item.top; y < item.bottom; ++y)
    for (int x = item.right - item.Height(); x < item.right - 3; ++x)
      if (pixelAt(header, x, y) == GetSysColor(COLOR_BTNSHADOW)) ++shadow;
  EXPECT_GT(shadow, 2);

  clickHeader(list, 1);
  EXPECT_EQ(list.GetSortColumn(), 1);
  EXPECT_EQ(column(list, 1), (std::vector<std::string>{"2", "4", "30"}));
  // The records follow their rows.
  EXPECT_EQ(column(list, 0), (std::vector<std::string>{"b", "a", "c"}));
}

TEST_F(SortListCtrlTest, EditorCommitsAChangedCellAndTellsTheParentFirst) {
  CSortListCtrl list;
  create(list, "Name,100;Key,100");
  list.InsertItem(-1, 0, "home", "secret");
  list.InsertItem(-1, 0, "work", "token");
  list.SetItemData(1, 77, 0);
  list.SetColumnType(CSortListCtrl::COLUMN_EDIT, 1, nullptr);

  clickCell(list, 1, 1);
  EXPECT_EQ(parent_.beginAsked, 1);
  CWnd* edit = list.GetDlgItem(0x7F01);
  ASSERT_NE(edit, nullptr);
  CString shown;
  edit->GetWindowText(shown);
  EXPECT_STREQ(shown, "token");
  edit->SetWindowText("passphrase");
  parent_.SetFocus();  // the edit loses the focus: commit and close

  ASSERT_EQ(parent_.edits.size(), 1u);
  EXPECT_EQ(parent_.edits[0].row, 1u);
  EXPECT_EQ(parent_.edits[0].column, 1u);
  EXPECT_EQ(parent_.edits[0].oldText, "token");
  EXPECT_EQ(parent_.edits[0].newText, "passphrase");
  EXPECT_EQ(parent_.edits[0].data, 77u);
  EXPECT_STREQ(list.GetItemText(1, 1), "passphrase");
  EXPECT_STREQ(list.CListCtrl::GetItemText(1, 1), "passphrase");
  EXPECT_EQ(list.GetDlgItem(0x7F01), nullptr);

  // The same text again: no end-edit message.
  clickCell(list, 0, 1);
  ASSERT_NE(list.GetDlgItem(0x7F01), nullptr);
  parent_.SetFocus();
  EXPECT_EQ(parent_.edits.size(), 1u);

  // Esc cancels.
  clickCell(list, 0, 1);
  edit = list.GetDlgItem(0x7F01);
  ASSERT_NE(edit, nullptr);
  edit->SetWindowText("changed");
  edit->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(list.GetDlgItem(0x7F01), nullptr);
  EXPECT_STREQ(list.GetItemText(0, 1), "secret");
  EXPECT_EQ(parent_.edits.size(), 1u);
}

TEST_F(SortListCtrlTest, ParentChoosesTheEditorAndLockedRowsStayClosed) {
  CSortListCtrl list;
  create(list, "Name,100;Key,100");
  list.InsertItem(-1, 0, "home", "a");
  list.InsertItem(-1, 0, "work", "b");
  list.SetColumnType(CSortListCtrl::COLUMN_EDIT, 1, nullptr);

  parent_.beginAnswer = 1;  // no editor: the parent hears of the click
  clickCell(list, 0, 1);
  EXPECT_EQ(list.GetDlgItem(0x7F01), nullptr);
  EXPECT_EQ(parent_.clicks, 1);

  parent_.beginAnswer = 0;
  list.SetDisableEditItem(1, -1);
  EXPECT_EQ(list.CanEdit(1), 0);
  const int asked = parent_.beginAsked;
  clickCell(list, 1, 1);
  EXPECT_EQ(parent_.beginAsked, asked);
  EXPECT_EQ(list.GetDlgItem(0x7F01), nullptr);
  EXPECT_EQ(list.DeleteItem(1, 0), 0);
  EXPECT_EQ(list.CListCtrl::GetItemCount(), 2);
  EXPECT_EQ(list.DeleteItem(0, 0), 1);
  EXPECT_EQ(list.DeleteItem(5, 0), 0);
  EXPECT_EQ(list.CListCtrl::GetItemCount(), 1);
}

TEST_F(SortListCtrlTest, ComboEditorCommitsTheChosenString) {
  CSortListCtrl list;
  create(list, "Name,100;Auth,100");
  list.InsertItem(-1, 0, "home", "Open");
  static std::vector<std::string> asked;
  asked.clear();
  list.SetColumnType(CSortListCtrl::COLUMN_COMBO, "Auth",
                     reinterpret_cast<void*>(+[](int row, int c, CStringArray* out, int type, int) {
                       asked.push_back(std::to_string(row) + "," + std::to_string(c) + "," + std::to_string(type));
                       out->Add("Open");
                       out->Add("Shared");
                     }));
  clickCell(list, 0, 1);
  EXPECT_EQ(asked, (std::vector<std::string>{"0,1,3"}));
  auto* combo = static_cast<CComboBox*>(list.GetDlgItem(0x7F02));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->GetCount(), 2);
  EXPECT_EQ(combo->GetCurSel(), 0);
  combo->SetCurSel(1);
  parent_.SetFocus();
  EXPECT_STREQ(list.GetItemText(0, 1), "Shared");
  ASSERT_EQ(parent_.edits.size(), 1u);
  EXPECT_EQ(parent_.edits[0].newText, "Shared");
}

TEST_F(SortListCtrlTest, MenuEditorSetsTheChosenStringWhoeverOpensIt) {
  CSortListCtrl list;
  create(list, "Name,100;Mode,100");
  list.InsertItem(-1, 0, "home", "a");
  list.InsertItem(-1, 0, "work", "b");
  std::vector<std::string> labels;
  int choice = 0;
  wavorel::setModalResponder([&](const wavorel::ModalWindow& w) {
    labels = w.labels;
    if (choice == 0) PostMessage(w.hwnd, WM_CANCELMODE, 0, 0);  // dismissed
    return choice;
  });
  // Opened by a click on a menu column, with the choices of the fill callback.
  list.SetColumnType(CSortListCtrl::COLUMN_MENU, 1,
                     reinterpret_cast<void*>(+[](int, int, CStringArray* out, int, int) {
                       out->Add("Auto");
                       out->Add("Fixed");
                     }));
  choice = SORTLIST_MENU_FIRST_ID + 1;
  clickCell(list, 0, 1);
  wavorel::pumpMessages();
  EXPECT_EQ(labels, (std::vector<std::string>{"Auto", "Fixed"}));
  EXPECT_STREQ(list.GetItemText(0, 1), "Fixed");

  // Opened by the owner on another row and column with its own choices.
  struct Case {
    int row, column;
    int chosen;
    const char* text;
  } cases[] = {{1, 0, 0, "one"}, {1, 1, 2, "three"}, {0, 0, 1, "two"}};
  for (const Case& c : cases) {
    CStringArray choices;
    choices.Add("one");
    choices.Add("two");
    choices.Add("three");
    choice = SORTLIST_MENU_FIRST_ID + c.chosen;
    list.PopupMenuItem(c.row, c.column, choices);
    wavorel::pumpMessages();
    EXPECT_STREQ(list.GetItemText(c.row, c.column), c.text) << c.row << "," << c.column;
  }
  // Nothing chosen changes nothing.
  choice = 0;
  CStringArray choices;
  choices.Add("other");
  list.PopupMenuItem(1, 1, choices);
  wavorel::pumpMessages();
  EXPECT_STREQ(list.GetItemText(1, 1), "three");
  wavorel::setModalResponder(nullptr);
}

TEST_F(SortListCtrlTest, ColumnLayoutSurvivesARestartThroughTheRegistry) {
  TestApp app;
  ASSERT_TRUE(AfxWinInit(GetModuleHandle(nullptr), nullptr, nullptr, SW_SHOW));
  app.SetRegistryKey("Wavorel");
  {
    CSortListCtrl list;
    create(list, "Name,120;Size,60");
    list.SetRegSection("ListLayout");
    list.SetListCtrlGridAttr(1, LVS_REPORT);
    list.SetColumnWidth(0, 70);
    list.SetColumnWidth(1, 95);
    list.DestroyWindow();  // saves the layout
  }
  LPBYTE raw = nullptr;
  UINT bytes = 0;
  ASSERT_TRUE(app.GetProfileBinary("ListLayout", "1201", &raw, &bytes));
  std::unique_ptr<BYTE[]> data(raw);
  const std::vector<BYTE> expected = {2, 0, 0, 0, 70, 0, 0, 0, 95, 0, 0, 0, LVS_REPORT, 0, 0, 0};
  EXPECT_EQ(std::vector<BYTE>(data.get(), data.get() + bytes), expected);

  CSortListCtrl again;
  create(again, "Name,120;Size,60");
  again.SetRegSection("ListLayout");
  again.SetListCtrlGridAttr(1, LVS_REPORT);
  again.LoadColumnInfo();
  EXPECT_EQ(again.GetColumnWidth(0), 70);
  EXPECT_EQ(again.GetColumnWidth(1), 95);
  EXPECT_EQ(again.GetTypeMask(), static_cast<DWORD>(LVS_REPORT));
  again.DestroyWindow();

  // A layout of another column count is not applied.
  CSortListCtrl other;
  create(other, "A,40;B,41;C,42");
  other.SetRegSection("ListLayout");
  other.LoadColumnInfo();
  EXPECT_EQ(other.GetColumnWidth(0), 40);
  EXPECT_EQ(other.GetColumnWidth(2), 42);
  // Without a section nothing is written.
  other.SetRegSection("");
  other.DestroyWindow();
  ASSERT_TRUE(app.GetProfileBinary("ListLayout", "1201", &raw, &bytes));
  delete[] raw;
  EXPECT_EQ(bytes, 16u);
}

TEST_F(SortListCtrlTest, RowRecordsCarryColoursDataTipsAndRemovalNotice) {
  CSortListCtrl list;
  create(list, "Name,100;Key,100");
  // An empty list measures a row with a temporary one.
  const CRect empty = list.GetItemRect(LVIR_BOUNDS);
  EXPECT_GT(empty.Height(), 0);
  EXPECT_EQ(list.CListCtrl::GetItemCount(), 0);
  list.InsertItem(-1, 0, "home", "a");
  list.InsertItem(-1, 0, "work", "b");
  list.ChangeLineColor(0, RGB(1, 2, 3), RGB(200, 210, 220));
  list.ChangeLineColor(1, RGB(9, 9, 9), RGB(9, 9, 9));  // equal: the text inverts
  COLORREF text = 0;
  COLORREF back = 0;
  list.GetLineColor(1, text, back);
  EXPECT_EQ(text, RGB(246, 246, 246));
  EXPECT_EQ(back, RGB(9, 9, 9));

  CClientDC dc(&list);
  const auto cells = wavorel::paintListView(list.GetSafeHwnd(), dc.GetSafeHdc());
  bool seen = false;
  for (const auto& cell : cells) {
    if (cell.row == 0 && cell.column == 0) {
      seen = true;
      EXPECT_EQ(cell.textColor, RGB(1, 2, 3));
      EXPECT_EQ(cell.backColor, RGB(200, 210, 220));
    }
  }
  EXPECT_TRUE(seen);

  EXPECT_EQ(list.SetItemData(1, 5, 3), 1);
  EXPECT_EQ(list.SetItemData(1, 5, 4), 0);
  EXPECT_EQ(list.GetItemData(1, 3), 5u);
  EXPECT_EQ(list.FindItemBySubItem(0, 0, 0), -1);
  EXPECT_EQ(list.FindItem("work", 0), 1);

  // Tool ids are column + row x 100; the text comes from the row.
  list.SetItemToolTipText(1, std::string(100, 'x').c_str());
  NMTTDISPINFO info = {};
  info.hdr.idFrom = 1 + 1 * 100;
  LRESULT result = 0;
  EXPECT_TRUE(list.OnToolTipText(0, &info.hdr, &result));
  EXPECT_EQ(std::string(info.lpszText), std::string(79, 'x'));
  info.hdr.idFrom = 0;
  EXPECT_FALSE(list.OnToolTipText(0, &info.hdr, &result));

  static std::vector<int> removed;
  removed.clear();
  list.SetRemoveCallback([](CSortListCtrl*, int row) { removed.push_back(row); });
  EXPECT_EQ(list.DeleteItem(0, 1), 1);
  EXPECT_EQ(list.DeleteItem(0, 0), 1);
  EXPECT_EQ(removed, std::vector<int>{0});
}

TEST_F(SortListCtrlTest, CellTipsShowTheRowsTextWhileTheMouseRestsOnACell) {
  CSortListCtrl list;
  create(list, "Name,100;Value,80;");
  list.InsertItem(-1, 0, "home", "1");
  list.InsertItem(-1, 0, "work", "2");
  list.InsertItem(-1, 0, "lab", "3");
  list.SetItemToolTipText(0, "Home network");
  list.SetItemToolTipText(1, std::string(100, 'w').c_str());

  // Nothing before the initial delay, the row's text after it.
  hover(list, cellCenter(list, 0, 1), 300);
  EXPECT_EQ(shownTip(), "");
  hover(list, cellCenter(list, 0, 1) + CPoint(1, 0), 600);
  EXPECT_EQ(shownTip(), "Home network");
  // Another cell of the same row is another tool with the same text; the
  // next row's tip follows at once, cut to the notification's 80 characters.
  hover(list, cellCenter(list, 0, 0), 200);
  EXPECT_EQ(shownTip(), "Home network");
  hover(list, cellCenter(list, 1, 0), 200);
  EXPECT_EQ(shownTip(), std::string(79, 'w'));
  // A row without a text shows none.
  hover(list, cellCenter(list, 2, 1), 1000);
  EXPECT_EQ(shownTip(), "");

  // Leaving the list for its parent, or for no window at all, hides the tip.
  hover(list, cellCenter(list, 0, 1), 600);
  ASSERT_EQ(shownTip(), "Home network");
  hover(parent_, CPoint(395, 295), 0);
  EXPECT_EQ(shownTip(), "");
  hover(list, cellCenter(list, 0, 1), 600);
  ASSERT_EQ(shownTip(), "Home network");
  CPoint outside(1000, 700);
  wavorel::mouseMoveTo(POINT{outside.x, outside.y}, 0);
  wavorel::runFor(200);
  EXPECT_EQ(shownTip(), "");
  list.DestroyWindow();
}

}  // namespace
