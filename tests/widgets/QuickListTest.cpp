// CQuickList under a real parent window: cell requests, custom draw, display
// info, type-ahead, cell navigation, clicks, tool tips and redraw ranges.
#include "widgets/QuickList.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "WidgetTestSupport.h"

namespace widgets_test {
namespace {

constexpr int kListId = 1101;
constexpr int kColumns = 4;

// The parent: answers cell requests from `fill`, checks that each request
// arrives reset, and keeps what the list reports.
class ListParent : public CWnd {
 public:
  std::function<void(CQuickListCell&)> fill;
  std::vector<std::pair<int, int>> asked;
  int notReset = 0;
  bool refuseNavigation = false;
  int navigations = 0;
  std::vector<CQuickListClick> clicks;
  std::vector<CQuickListHeaderClick> headerClicks;
  int listKeys = 0;
  int clickNotices = 0;

 protected:
  LRESULT OnGetItem(WPARAM, LPARAM lParam) {
    auto& cell = *reinterpret_cast<CQuickListCell*>(lParam);
    asked.emplace_back(cell.GetRow(), cell.GetColumn());
    const bool reset = cell.m_strText.IsEmpty() && cell.m_strTipText.IsEmpty() && cell.m_nImage == -1 &&
                       cell.m_nProgressMax == -1 && cell.m_nProgressValue == 0 && !cell.m_bCheckBox &&
                       cell.m_nCheckState == 0 && !cell.m_bBold && cell.m_crText == 0xFF000000 &&
                       cell.m_crBackground == 0xFF000000 && cell.m_crFocusBackground == 0xFF000000 &&
                       cell.m_nBarEdge == EDGE_SUNKEN && cell.m_nSelectedImageStyle == ILD_BLEND50 &&
                       (cell.m_nTextFormat & ~0x3u) == 0x8024u && cell.m_bImageBkUnhighlighted == 1;
    if (!reset) ++notReset;
    if (fill) fill(cell);
    return 0;
  }
  LRESULT OnNavigate(WPARAM, LPARAM lParam) {
    ++navigations;
    if (refuseNavigation) reinterpret_cast<CQuickListNavigation*>(lParam)->bAllow = FALSE;
    return 0;
  }
  LRESULT OnCellClick(WPARAM, LPARAM lParam) {
    clicks.push_back(*reinterpret_cast<CQuickListClick*>(lParam));
    return 0;
  }
  LRESULT OnHeaderClick(WPARAM, LPARAM lParam) {
    headerClicks.push_back(*reinterpret_cast<CQuickListHeaderClick*>(lParam));
    return 0;
  }
  void OnListKey(NMHDR*, LRESULT*) { ++listKeys; }
  void OnListClick(NMHDR*, LRESULT*) { ++clickNotices; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListParent, CWnd)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &ListParent::OnGetItem)
  ON_MESSAGE(WM_QUICKLIST_NOTIFY_1, &ListParent::OnNavigate)
  ON_MESSAGE(WM_QUICKLIST_NOTIFY_2, &ListParent::OnCellClick)
  ON_MESSAGE(WM_QUICKLIST_NOTIFY_3, &ListParent::OnHeaderClick)
  ON_NOTIFY(LVN_KEYDOWN, kListId, &ListParent::OnListKey)
  ON_NOTIFY(NM_CLICK, kListId, &ListParent::OnListClick)
END_MESSAGE_MAP()

class QuickListTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 420, 320, nullptr, nullptr));
    ASSERT_TRUE(list_.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                             CRect(10, 10, 410, 310), &parent_, kListId));
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (int c = 0; c < kColumns; ++c) list_.InsertColumn(c, "Column", c == 2 ? LVCFMT_CENTER : LVCFMT_LEFT, 90);
    list_.SetItemCount(64);
    CRect row;
    list_.GetItemRect(0, &row, LVIR_BOUNDS);
    rowHeight_ = row.Height();
    parent_.fill = [](CQuickListCell& cell) { cell.m_strText.Format("r%dc%d", cell.GetRow(), cell.GetColumn()); };
  }
  void TearDown() override {
    parent_.DestroyWindow();
    WidgetTest::TearDown();
  }
  // Makes the list exactly `rows` rows high below its header.
  void ShowRows(int rows) {
    CRect header;
    list_.GetHeaderCtrl()->GetWindowRect(&header);
    list_.MoveWindow(10, 10, 400, header.Height() + rows * rowHeight_);
  }
  LRESULT Notify(NMHDR& hdr, UINT code) {
    hdr.hwndFrom = list_.GetSafeHwnd();
    hdr.idFrom = kListId;
    hdr.code = code;
    return parent_.SendMessage(WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&hdr));
  }
  // Draws one cell through the custom-draw stage onto `canvas` (client coordinates).
  LRESULT DrawCell(Canvas& canvas, int row, int column) {
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.nmcd.hdc = canvas.dc()->GetSafeHdc();
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.iSubItem = column;
    return Notify(draw.nmcd.hdr, NM_CUSTOMDRAW);
  }
  CRect CellRect(int row, int column) {
    CRect r;
    list_.GetSubItemRect(row, column, LVIR_BOUNDS, r);
    if (column == 0) r.right = r.left + list_.GetColumnWidth(0);
    return r;
  }
  void Select(int row) { list_.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); }
  void PointAt(CPoint client) {
    list_.ClientToScreen(&client);
    MSG msg{};
    msg.hwnd = list_.GetSafeHwnd();
    msg.message = WM_MOUSEMOVE;
    msg.pt = client;
    wavorel::noteRetrievedMessage(msg);
  }

  ListParent parent_;
  CQuickList list_;
  int rowHeight_ = 0;
};

TEST_F(QuickListTest, APaintAsksOnlyForTheVisibleCellsEachOnAResetRecord) {
  ShowRows(5);
  wavorel::pumpMessages();
  parent_.asked.clear();
  list_.Invalidate();
  list_.UpdateWindow();
  std::set<std::pair<int, int>> cells(parent_.asked.begin(), parent_.asked.end());
  EXPECT_EQ(parent_.asked.size(), 5u * kColumns) << "64 rows, 5 visible, one request per cell";
  EXPECT_EQ(cells.size(), 5u * kColumns);
  EXPECT_EQ(cells.begin()->first, 0);
  EXPECT_EQ(cells.rbegin()->first, 4);
  EXPECT_EQ(parent_.notReset, 0);

  // Answers that set everything do not leak into the next request.
  parent_.fill = [](CQuickListCell& cell) {
    cell.m_strText = "x";
    cell.m_strTipText = "tip";
    cell.m_nImage = 3;
    cell.m_nProgressMax = 100;
    cell.m_nProgressValue = 50;
    cell.m_bCheckBox = 1;
    cell.m_nCheckState = DFCS_CHECKED;
    cell.m_bBold = 1;
    cell.m_crText = cell.m_crBackground = cell.m_crFocusBackground = RGB(1, 2, 3);
    cell.m_nBarEdge = 3;
    cell.m_nSelectedImageStyle = 0;
    cell.m_nTextFormat = DT_CENTER;
    cell.m_bImageBkUnhighlighted = 0;
  };
  list_.Invalidate();
  list_.UpdateWindow();
  EXPECT_EQ(parent_.notReset, 0);
  EXPECT_EQ(list_.GetCellInfo(3, 1), list_.GetCellInfo(4, 2)) << "one record for every request";
  EXPECT_EQ(list_.GetCellInfo(3, 2)->m_nTextFormat & 0x3u, static_cast<UINT>(DT_CENTER)) << "the header's alignment";
}

// A paint asks the list and its header once for its row count, columns and
// styles; what the parent changes while it answers a cell still counts for
// the cells after it.
TEST_F(QuickListTest, APaintSeesWhatTheParentChangesWhileAnsweringACell) {
  struct Case {
    const char* name;
    std::function<void(CQuickList&)> change;  // made at the first request of row 1
    std::function<bool(const CQuickListCell&)> rightAfter;  // true for a request that saw the change
  };
  const Case cases[] = {
      {"fewer rows", [](CQuickList& list) { list.SetItemCount(3); },
       [](const CQuickListCell& cell) { return cell.GetRow() < 3; }},
      {"a column aligned right",
       [](CQuickList& list) {
         LVCOLUMN column{};
         column.mask = LVCF_FMT;
         column.fmt = LVCFMT_RIGHT;
         list.SetColumn(3, &column);
       },
       [](const CQuickListCell& cell) { return cell.GetColumn() != 3 || (cell.m_nTextFormat & 0x3u) == DT_RIGHT; }},
      {"a column added in front", [](CQuickList& list) { list.InsertColumn(0, "Added", LVCFMT_LEFT, 40); },
       [](const CQuickListCell& cell) {  // the centred column moved from 2 to 3
         const UINT alignment = cell.m_nTextFormat & 0x3u;
         return cell.GetColumn() == 3 ? alignment == DT_CENTER : alignment == DT_LEFT;
       }},
      {"a row made hot", [](CQuickList& list) { list.SetHotItem(2); },
       [](const CQuickListCell& cell) { return cell.GetRow() != 2 || cell.m_bHot; }},
  };
  ShowRows(5);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    wavorel::pumpMessages();
    bool changed = false;
    std::vector<std::pair<int, int>> wrong;
    int asked = 0;
    parent_.fill = [&](CQuickListCell& cell) {
      if (!changed && cell.GetRow() == 1) {
        changed = true;
        k.change(list_);
      } else if (changed) {
        ++asked;
        if (!k.rightAfter(cell)) wrong.emplace_back(cell.GetRow(), cell.GetColumn());
      }
    };
    list_.Invalidate();
    list_.UpdateWindow();
    parent_.fill = nullptr;  // it refers to this case's locals
    EXPECT_TRUE(changed);
    EXPECT_GT(asked, 0);
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " cells asked on stale facts, the first at row "
                               << (wrong.empty() ? -1 : wrong.front().first);
  }
}

TEST_F(QuickListTest, CustomDrawAnswersAndCellsOutOfRangeDrawNothing) {
  NMLVCUSTOMDRAW draw{};
  Canvas canvas(420, 320);
  draw.nmcd.hdc = canvas.dc()->GetSafeHdc();
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  EXPECT_EQ(Notify(draw.nmcd.hdr, NM_CUSTOMDRAW), CDRF_NOTIFYSUBITEMDRAW);
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  EXPECT_EQ(Notify(draw.nmcd.hdr, NM_CUSTOMDRAW), CDRF_NOTIFYSUBITEMDRAW);
  draw.nmcd.dwDrawStage = CDDS_POSTPAINT;
  EXPECT_EQ(Notify(draw.nmcd.hdr, NM_CUSTOMDRAW), CDRF_DODEFAULT);
  parent_.asked.clear();
  EXPECT_EQ(DrawCell(canvas, 2, 1), CDRF_SKIPDEFAULT);
  EXPECT_EQ(parent_.asked.size(), 1u);
  EXPECT_LT(canvas.Count({0, 0, 420, 320}, RGB(255, 255, 255)), 420 * 320);

  canvas.Clear(RGB(255, 255, 255));
  parent_.asked.clear();
  for (auto [row, column] : {std::pair{64, 0}, std::pair{-1, 0}, std::pair{0, kColumns}, std::pair{0, -1}})
    EXPECT_EQ(DrawCell(canvas, row, column), CDRF_SKIPDEFAULT);
  EXPECT_TRUE(parent_.asked.empty());
  EXPECT_EQ(canvas.Count({0, 0, 420, 320}, RGB(255, 255, 255)), 420 * 320);
}

TEST_F(QuickListTest, DisplayInfoIsCutToTheBufferAndCarriesTheCheckBox) {
  parent_.fill = [](CQuickListCell& cell) {
    cell.m_strText = "HomeNetwork";
    cell.m_nImage = 2;
    cell.m_bCheckBox = cell.GetRow() < 2;
    cell.m_nCheckState = cell.GetRow() == 0 ? DFCS_BUTTONCHECK | DFCS_CHECKED : DFCS_BUTTONCHECK;
  };
  char buffer[16] = {};
  for (int row : {0, 1, 2}) {
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT | LVIF_IMAGE;
    info.item.iItem = row;
    info.item.iSubItem = 1;
    info.item.pszText = buffer;
    info.item.cchTextMax = 5;
    EXPECT_EQ(Notify(info.hdr, LVN_GETDISPINFO), 0);
    EXPECT_STREQ(buffer, "Home");
    EXPECT_EQ(info.item.iImage, 2);
    if (row < 2) {
      EXPECT_TRUE(info.item.mask & LVIF_STATE);
      EXPECT_EQ(info.item.stateMask, static_cast<UINT>(LVIS_STATEIMAGEMASK));
      EXPECT_EQ(info.item.state, INDEXTOSTATEIMAGEMASK(row == 0 ? 2 : 1));
    } else {
      EXPECT_FALSE(info.item.mask & LVIF_STATE);
    }
  }
  // Through the list's own text query.
  EXPECT_EQ(list_.GetItemText(7, 3), "HomeNetwork");
}

TEST_F(QuickListTest, TypeAheadSearchesTheFocusedColumnAndWraps) {
  parent_.fill = [](CQuickListCell& cell) {
    static const char* const names[] = {"alpha", "Beta", "gamma", "beTAmax", "delta"};
    cell.m_strText = cell.GetColumn() == 1 ? names[cell.GetRow() % 5] : "other";
  };
  list_.SetItemCount(5);
  list_.EnableCellNavigation(TRUE);
  list_.SetFocus();
  Select(0);
  list_.SendMessage(WM_KEYDOWN, VK_RIGHT);  // focused column 1
  ASSERT_EQ(list_.GetFocusedColumn(), 1);
  struct Case {
    int start;
    const char* text;
    LRESULT found;
  };
  for (const Case& c : {Case{0, "be", 1}, Case{2, "BE", 3}, Case{4, "be", 1}, Case{5, "gam", 2},
                        Case{99, "alp", 0}, Case{-3, "del", 4}, Case{0, "zeta", -1}}) {
    NMLVFINDITEM find{};
    find.iStart = c.start;
    find.lvfi.flags = LVFI_STRING | LVFI_PARTIAL;
    find.lvfi.psz = c.text;
    EXPECT_EQ(Notify(find.hdr, LVN_ODFINDITEM), c.found) << c.start << " " << c.text;
  }
  // An empty list answers -1 without asking for a cell.
  list_.SetItemCount(0);
  parent_.asked.clear();
  NMLVFINDITEM find{};
  find.lvfi.psz = "a";
  EXPECT_EQ(Notify(find.hdr, LVN_ODFINDITEM), -1);
  EXPECT_TRUE(parent_.asked.empty());
}

TEST_F(QuickListTest, CellNavigationAsksTheParentAndKeepsTheColumnWhenRefused) {
  list_.SetFocus();
  Select(3);
  list_.SendMessage(WM_KEYDOWN, VK_RIGHT);
  list_.SendMessage(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(list_.GetFocusedColumn(), 2);
  EXPECT_EQ(parent_.navigations, 2);
  list_.SendMessage(WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(list_.GetFocusedColumn(), 1);
  for (int i = 0; i < 6; ++i) list_.SendMessage(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(list_.GetFocusedColumn(), kColumns - 1) << "never past the last column";

  parent_.refuseNavigation = true;
  const int asked = parent_.navigations;
  list_.SendMessage(WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(parent_.navigations, asked + 1);
  EXPECT_EQ(list_.GetFocusedColumn(), kColumns - 1) << "the parent cleared allow";

  // Navigation off: the keys reach the control and nobody is asked.
  parent_.refuseNavigation = false;
  list_.EnableCellNavigation(FALSE);
  const int keys = parent_.listKeys;
  list_.SendMessage(WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(parent_.listKeys, keys + 1);
  EXPECT_EQ(parent_.navigations, asked + 1);
  EXPECT_EQ(list_.GetFocusedColumn(), kColumns - 1);
}

TEST_F(QuickListTest, EnterNeverReachesTheDialogsDefaultButton) {
  MSG enter{};
  enter.hwnd = list_.GetSafeHwnd();
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  const int keys = parent_.listKeys;
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent_.GetSafeHwnd(), &enter)) << "taken by the list";
  EXPECT_EQ(parent_.listKeys, keys + 1) << "and dispatched to it";
  enter.wParam = VK_DOWN;
  EXPECT_FALSE(list_.PreTranslateMessage(&enter));
}

TEST_F(QuickListTest, AClickReportsTheCellAndWhetherItHitTheImageOrTheCheckBox) {
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
  CBitmap picture;
  picture.CreateBitmap(16, 16, 1, 32, nullptr);
  images.Add(&picture, CLR_NONE);
  parent_.fill = [&images](CQuickListCell& cell) {
    cell.m_strText = "cell";
    if (cell.GetColumn() == 1) {
      cell.m_bCheckBox = 1;
      cell.m_pImageList = &images;
      cell.m_nImage = 0;
    }
  };
  const CRect cell = CellRect(4, 1);
  const int y = cell.CenterPoint().y;
  struct Case {
    int x;
    BYTE onCheck, onImage;
  };
  const int side = cell.Height();
  for (const Case& c : {Case{cell.left + 2, 1, 0}, Case{cell.left + side + 5, 0, 1}, Case{cell.left + side + 30, 0, 0}}) {
    parent_.clicks.clear();
    list_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, y));
    list_.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.x, y));
    ASSERT_EQ(parent_.clicks.size(), 1u) << c.x;
    EXPECT_EQ(parent_.clicks[0].nRow, 4);
    EXPECT_EQ(parent_.clicks[0].nColumn, 1);
    EXPECT_EQ(parent_.clicks[0].bOnCheckBox, c.onCheck) << c.x;
    EXPECT_EQ(parent_.clicks[0].bOnImage, c.onImage) << c.x;
  }
  EXPECT_EQ(list_.GetFocusedColumn(), 1) << "a click moves to its column";
  EXPECT_EQ(parent_.clickNotices, 3) << "the parent still gets its NM_CLICK";
}

TEST_F(QuickListTest, ToolTipsUseTheCellUnderTheCursorCutAtACharacter) {
  TOOLINFO tool{};
  const CRect cell = CellRect(2, 3);
  EXPECT_EQ(list_.OnToolHitTest(cell.CenterPoint(), &tool), 2 * 1000 + 3 + 1);
  EXPECT_EQ(tool.hwnd, list_.GetSafeHwnd());
  CRect client;
  list_.GetClientRect(&client);
  EXPECT_EQ(CRect(tool.rect), client);
  EXPECT_EQ(list_.OnToolHitTest(CPoint(5, 2), &tool), -1) << "over the header";

  CString longTip('x', 120);
  parent_.fill = [&longTip](CQuickListCell& cell) { cell.m_strTipText = cell.GetColumn() == 3 ? longTip : ""; };
  PointAt(cell.CenterPoint());
  NMTTDISPINFO info{};
  info.hdr.hwndFrom = list_.GetSafeHwnd();
  info.hdr.idFrom = 2004;
  info.hdr.code = TTN_NEEDTEXTA;
  EXPECT_TRUE(list_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)) || info.lpszText);
  ASSERT_EQ(info.lpszText, info.szText);
  EXPECT_EQ(strlen(info.szText), 79u);

  NMTTDISPINFOW wide{};
  wide.hdr = info.hdr;
  wide.hdr.code = TTN_NEEDTEXTW;
  list_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide));
  ASSERT_EQ(wide.lpszText, wide.szText);
  EXPECT_EQ(wide.szText[78], u'x');
  EXPECT_EQ(wide.szText[79], 0);

  // In a double-byte code page the cut never splits a character.
  wavorel::setAnsiCodePage(932);
  longTip = CString('x', 78) + "\x82\xA0" + "tail";
  NMTTDISPINFO cut{};
  cut.hdr = info.hdr;
  list_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&cut));
  EXPECT_EQ(strlen(cut.szText), 78u) << "the lead byte at 79 would be cut from its trail byte";
  wavorel::setAnsiCodePage(1252);

  // Tool id 0 is answered with no text; an empty tip leaves it unhandled.
  NMTTDISPINFO none{};
  none.hdr = info.hdr;
  none.hdr.idFrom = 0;
  list_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&none));
  EXPECT_EQ(none.lpszText, nullptr);
  PointAt(CellRect(2, 0).CenterPoint());
  NMTTDISPINFO empty{};
  empty.hdr = info.hdr;
  list_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&empty));
  EXPECT_EQ(empty.lpszText, nullptr);
}

TEST_F(QuickListTest, HeaderRightClickNamesTheColumnInScreenCoordinates) {
  CHeaderCtrl* header = list_.GetHeaderCtrl();
  for (auto [x, column] : {std::pair{95, 1}, std::pair{10, 0}, std::pair{395, -1}}) {
    parent_.headerClicks.clear();
    CPoint screen(x, 5);
    header->ClientToScreen(&screen);
    MSG msg{};
    msg.pt = screen;
    wavorel::noteRetrievedMessage(msg);
    NMHDR hdr{header->GetSafeHwnd(), 0, static_cast<UINT>(NM_RCLICK)};
    list_.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
    ASSERT_EQ(parent_.headerClicks.size(), 1u);
    EXPECT_EQ(parent_.headerClicks[0].nColumn, column) << x;
    EXPECT_EQ(CPoint(parent_.headerClicks[0].ptScreen), screen);
  }
}

TEST_F(QuickListTest, RedrawRangesCoverTheVisibleCellsOnly) {
  ShowRows(5);
  wavorel::pumpMessages();
  RECT update{};
  list_.RedrawCells(1, 3, 2, FALSE);
  ASSERT_TRUE(GetUpdateRect(list_.GetSafeHwnd(), &update, FALSE));
  CRect expected;
  expected.UnionRect(CellRect(1, 2), CellRect(3, 2));
  EXPECT_EQ(CRect(update), expected);
  ValidateRect(list_.GetSafeHwnd(), nullptr);

  list_.RedrawCells(40, 50, 1, TRUE);
  EXPECT_FALSE(GetUpdateRect(list_.GetSafeHwnd(), &update, FALSE)) << "below the visible rows";

  parent_.fill = [](CQuickListCell& cell) { cell.m_bCheckBox = 1; };
  list_.RedrawCellTexts(0, 99, 1, FALSE);
  ASSERT_TRUE(GetUpdateRect(list_.GetSafeHwnd(), &update, FALSE));
  const CRect first = CellRect(0, 1);
  EXPECT_EQ(update.left, first.left + first.Height()) << "right of the check box";
  CRect client;
  list_.GetClientRect(&client);
  EXPECT_EQ(update.bottom, client.bottom) << "rows 0 to 5, as far as they show";
  ValidateRect(list_.GetSafeHwnd(), nullptr);

  list_.SetItemCount(0);
  ValidateRect(list_.GetSafeHwnd(), nullptr);
  list_.RedrawCells(0, 3, 0, TRUE);
  EXPECT_FALSE(GetUpdateRect(list_.GetSafeHwnd(), &update, FALSE));
}

TEST_F(QuickListTest, CellColoursFollowSelectionFocusAndTheRecord) {
  Canvas canvas(420, 320);
  const COLORREF own = RGB(10, 200, 30);
  struct Case {
    const char* what;
    bool selected, focus, ownColour, noHighlight;
    int column;
    COLORREF expected;
  };
  const Case cases[] = {
      {"plain", false, false, false, false, 1, GetSysColor(COLOR_WINDOW)},
      {"plain, own background", false, false, true, false, 1, own},
      {"selected with focus", true, true, false, false, 1, GetSysColor(COLOR_HIGHLIGHT)},
      {"selected, focused cell", true, true, false, false, 0, GetSysColor(COLOR_HOTLIGHT)},
      {"selected, focused cell, own colour", true, true, true, false, 0, own},
      {"selected without focus", true, false, false, false, 1, GetSysColor(COLOR_BTNFACE)},
      {"selected without focus, own colour", true, false, true, false, 1, own},
      {"selected, no highlight", true, true, false, true, 1, GetSysColor(COLOR_WINDOW)},
  };
  for (const Case& c : cases) {
    list_.SetItemState(1, c.selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    if (c.focus)
      list_.SetFocus();
    else
      parent_.SetFocus();
    parent_.fill = [&c, own](CQuickListCell& cell) {
      cell.m_bNoHighlight = c.noHighlight;
      if (c.ownColour) cell.m_crBackground = cell.m_crSelectedBackgroundNoFocus = cell.m_crFocusBackground = own;
    };
    canvas.Clear(RGB(255, 255, 255));
    DrawCell(canvas, 1, c.column);
    const CRect cell = CellRect(1, c.column);
    EXPECT_EQ(canvas.Pixel(cell.right - 2, cell.top + 1), c.expected) << c.what;
  }
}

TEST_F(QuickListTest, ProgressCellsFillFromRedToGreen) {
  parent_.fill = [](CQuickListCell& cell) {
    cell.m_nProgressMax = 100;
    cell.m_nProgressValue = cell.GetRow() == 0 ? 100 : cell.GetRow() == 1 ? 0 : 50;
    cell.m_nBarEdge = 0;
  };
  Canvas canvas(420, 320);
  for (int row : {0, 1, 2}) DrawCell(canvas, row, 1);
  const CRect full = CellRect(0, 1);
  const int y = full.CenterPoint().y;
  const int left = full.left + 1, right = full.right - 2;  // the bar
  EXPECT_EQ(canvas.Pixel(left, y), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(right - 1, y), RGB(9, 255, 0)) << "green at the end of a full bar";
  const CRect empty = CellRect(1, 1);
  EXPECT_EQ(canvas.Count({left, empty.top + 5, right, empty.bottom - 5}, GetSysColor(COLOR_WINDOW)),
            (right - left) * (empty.Height() - 10))
      << "value 0: the empty bar";
  const CRect half = CellRect(2, 1);
  const int middle = half.CenterPoint().y;
  EXPECT_EQ(canvas.Pixel(left + (right - left) / 2 - 1, middle), RGB(255, 255, 0));
  EXPECT_EQ(canvas.Pixel(left + (right - left) / 2 + 1, middle), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace widgets_test
