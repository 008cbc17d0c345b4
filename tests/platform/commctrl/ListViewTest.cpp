#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win/commctrl/Header.h"
#include "platform/win/commctrl/ListView.h"
#include "tests/platform/commctrl/CommCtrlTestSupport.h"

namespace wavorel::testing {
namespace {

class ListViewTest : public CommCtrlTest {
 protected:
  // A report list 250 x 108: header 20, then 5 whole rows and a sixth cut.
  HWND makeList(DWORD style, std::vector<int> widths = {100, 100, 150, 80}) {
    HWND list = control(WC_LISTVIEW, LVS_REPORT | style, {0, 0, 250, 108});
    for (size_t i = 0; i < widths.size(); ++i) {
      std::string title = "C" + std::to_string(i);
      LVCOLUMN c{};
      c.mask = LVCF_TEXT | LVCF_WIDTH;
      c.pszText = title.data();
      c.cx = widths[i];
      EXPECT_EQ(SendMessage(list, LVM_INSERTCOLUMN, i, reinterpret_cast<LPARAM>(&c)), static_cast<LRESULT>(i));
    }
    return list;
  }
  void addItems(HWND list, std::vector<std::string> texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
      LVITEM item{};
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = static_cast<int>(i);
      item.pszText = texts[i].data();
      item.lParam = static_cast<LPARAM>(100 + i);
      SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
  // Records the (row, column) of every LVN_GETDISPINFO and answers "r,c".
  void recordDispInfo() {
    answer(LVN_GETDISPINFO, [this](NMHDR* hdr) -> LRESULT {
      auto* di = reinterpret_cast<NMLVDISPINFO*>(hdr);
      asked_.emplace_back(di->item.iItem, di->item.iSubItem);
      if (di->item.mask & LVIF_TEXT) {
        std::string text = std::to_string(di->item.iItem) + "," + std::to_string(di->item.iSubItem);
        lstrcpynForTest(di->item.pszText, text, di->item.cchTextMax);
      }
      return 0;
    });
  }
  static void lstrcpynForTest(LPSTR to, const std::string& from, int size) {
    size_t n = std::min(from.size(), static_cast<size_t>(size - 1));
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
  }
  static std::vector<std::pair<int, int>> cells(int firstRow, int lastRow, std::vector<int> columns) {
    std::vector<std::pair<int, int>> out;
    for (int r = firstRow; r <= lastRow; ++r)
      for (int c : columns) out.emplace_back(r, c);
    return out;
  }
  std::string text(HWND list, int row, int column) {
    char buffer[64];
    LVITEM item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }

  std::vector<std::pair<int, int>> asked_;
};

TEST_F(ListViewTest, OwnerDataAsksForExactlyTheVisibleCells) {
  HWND list = makeList(LVS_OWNERDATA);
  recordDispInfo();
  std::vector<std::pair<int, int>> hints;
  answer(LVN_ODCACHEHINT, [&](NMHDR* hdr) -> LRESULT {
    auto* h = reinterpret_cast<NMLVCACHEHINT*>(hdr);
    hints.emplace_back(h->iFrom, h->iTo);
    return 0;
  });
  pumpMessages();
  EXPECT_TRUE(asked_.empty());  // no rows, nothing to ask

  SendMessage(list, LVM_SETITEMCOUNT, 1000, 0);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 1000);
  pumpMessages();
  // Rows 0-5 (the sixth is cut by the bottom edge); columns 0-2 (the fourth starts at 350).
  EXPECT_EQ(asked_, cells(0, 5, {0, 1, 2}));
  EXPECT_EQ(hints, (std::vector<std::pair<int, int>>{{0, 5}}));
  EXPECT_EQ(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0), 5);

  asked_.clear();
  SendMessage(list, LVM_SCROLL, 0, 7);  // less than half a row: no scroll
  EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 0);
  SendMessage(list, LVM_SCROLL, 100, 16 * 10);
  EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 10);
  pumpMessages();
  // Scrolled 100 pixels right: column 0 spans -100..0 and goes; column 3 spans 250..330 and stays out.
  EXPECT_EQ(asked_, cells(10, 15, {1, 2}));
  EXPECT_EQ(hints.back(), std::make_pair(10, 15));

  asked_.clear();
  SendMessage(list, LVM_SETITEMCOUNT, 12, 0);  // the top index follows the shorter list
  EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 7);
  pumpMessages();
  EXPECT_EQ(asked_, cells(7, 11, {1, 2}));
}

TEST_F(ListViewTest, OwnerDataFindItemIsAnsweredByTheParent) {
  HWND list = makeList(LVS_OWNERDATA);
  SendMessage(list, LVM_SETITEMCOUNT, 50, 0);
  int start = -2;
  std::string wanted;
  answer(LVN_ODFINDITEM, [&](NMHDR* hdr) -> LRESULT {
    auto* f = reinterpret_cast<NMLVFINDITEM*>(hdr);
    start = f->iStart;
    wanted = f->lvfi.psz;
    return 42;
  });
  LVFINDINFO info{};
  info.flags = LVFI_STRING | LVFI_PARTIAL;
  info.psz = "abc";
  EXPECT_EQ(SendMessage(list, LVM_FINDITEM, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)), 42);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(wanted, "abc");
  SendMessage(list, LVM_FINDITEM, 7, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(start, 8);  // the item the search starts from is left out
}

TEST_F(ListViewTest, FindItemInStoredItems) {
  HWND list = makeList(0);
  addItems(list, {"alpha", "Beta", "betamax", "gamma"});
  struct Case {
    UINT flags;
    const char* text;
    LPARAM param;
    int start;
    int found;
  } cases[] = {{LVFI_STRING, "beta", 0, -1, 1},         {LVFI_PARTIAL | LVFI_STRING, "BETA", 0, 1, 2},
               {LVFI_STRING, "bet", 0, -1, -1},         {LVFI_PARTIAL, "al", 0, 0, -1},
               {LVFI_PARTIAL | LVFI_WRAP, "al", 0, 0, 0}, {LVFI_PARAM, nullptr, 103, -1, 3}};
  for (const Case& c : cases) {
    LVFINDINFO info{};
    info.flags = c.flags;
    info.psz = c.text;
    info.lParam = c.param;
    EXPECT_EQ(SendMessage(list, LVM_FINDITEM, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(&info)), c.found)
        << (c.text ? c.text : "param");
  }
}

struct Stage {
  DWORD stage;
  int row;
  int column;
};

TEST_F(ListViewTest, CustomDrawStagesFollowTheParentsAnswers) {
  struct Case {
    const char* name;
    DWORD prepaint;
    DWORD item;
    std::vector<DWORD> expected;
  } cases[] = {
      {"default", CDRF_DODEFAULT, CDRF_DODEFAULT, {CDDS_PREPAINT}},
      {"items", CDRF_NOTIFYITEMDRAW, CDRF_DODEFAULT, {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT}},
      {"sub-items",
       CDRF_NOTIFYITEMDRAW,
       CDRF_NOTIFYSUBITEMDRAW,
       {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDDS_ITEMPREPAINT | CDDS_SUBITEM,
        CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT | CDDS_SUBITEM, CDDS_ITEMPREPAINT | CDDS_SUBITEM}},
      {"post-paint",
       CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT,
       CDRF_NOTIFYPOSTPAINT,
       {CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT, CDDS_POSTPAINT}},
  };
  for (const Case& c : cases) {
    HWND list = makeList(0, {100, 100});
    addItems(list, {"a", "b"});
    std::vector<Stage> seen;
    answer(NM_CUSTOMDRAW, [&](NMHDR* hdr) -> LRESULT {
      auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
      seen.push_back({cd->nmcd.dwDrawStage, static_cast<int>(cd->nmcd.dwItemSpec), cd->iSubItem});
      if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return c.prepaint;
      if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return c.item;
      return CDRF_DODEFAULT;
    });
    auto painted = paintListView(list, nullptr);
    std::vector<DWORD> stages;
    for (const Stage& s : seen) stages.push_back(s.stage);
    EXPECT_EQ(stages, c.expected) << c.name;
    EXPECT_EQ(painted.size(), 4u) << c.name;
    if (std::string(c.name) == "sub-items") {
      EXPECT_EQ(seen[2].row, 0);
      EXPECT_EQ(seen[3].column, 1);
      EXPECT_EQ(seen[5].row, 1);
    }
    DestroyWindow(list);
  }
}

TEST_F(ListViewTest, CustomDrawColoursAndSkippedCells) {
  HWND list = makeList(LVS_SHOWSELALWAYS, {100, 100});
  addItems(list, {"a", "b"});
  LVITEM state{};
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  answer(NM_CUSTOMDRAW, [](NMHDR* hdr) -> LRESULT {
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      cd->clrText = RGB(255, 0, 0);
      return CDRF_NOTIFYSUBITEMDRAW;
    }
    // Row 0's second cell is drawn by the parent.
    return cd->nmcd.dwItemSpec == 0 && cd->iSubItem == 1 ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
  });
  auto painted = paintListView(list, nullptr);
  ASSERT_EQ(painted.size(), 3u);
  EXPECT_EQ(painted[0].text, "a");
  EXPECT_EQ(painted[0].textColor, RGB(255, 0, 0));
  // Row 1 is selected without focus: its label takes the selection colours, the sub-item does not.
  EXPECT_EQ(painted[1].row, 1);
  EXPECT_EQ(painted[1].backColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(painted[2].textColor, RGB(255, 0, 0));
}

// The background is laid on erase only. Row 0's second cell is left to the
// parent, which draws nothing there: it shows the background after an erase
// and whatever was on the window after a paint without one.
TEST_F(ListViewTest, BackgroundIsFilledOnEraseOnly) {
  const COLORREF back = RGB(10, 20, 30);
  const COLORREF text = RGB(40, 50, 60);
  const COLORREF mark = RGB(200, 0, 0);
  HWND list = makeList(0, {100, 100});
  addItems(list, {"a"});
  SendMessage(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
  SendMessage(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(text));
  answer(NM_CUSTOMDRAW, [](NMHDR* hdr) -> LRESULT {
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    return cd->iSubItem == 1 ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
  });
  RECT row{};
  ASSERT_TRUE(SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
  const int y = (row.top + row.bottom) / 2;
  struct Probe {
    const char* name;
    POINT at;
  } probes[] = {{"drawn cell", {row.left + 90, y}},
                {"skipped cell", {row.left + 150, y}},
                {"right of the columns", {230, y}},
                {"below the rows", {50, row.bottom + 10}}};
  auto pixels = [&] {
    HDC dc = GetDC(list);
    std::vector<COLORREF> out;
    for (const Probe& p : probes) out.push_back(GetPixel(dc, p.at.x, p.at.y));
    ReleaseDC(list, dc);
    return out;
  };
  struct Step {
    BOOL erase;
    std::vector<COLORREF> expected;
  } steps[] = {{TRUE, {text, back, back, back}}, {FALSE, {text, mark, mark, mark}}, {TRUE, {text, back, back, back}}};
  for (const Step& step : steps) {
    HDC dc = GetDC(list);
    HBRUSH brush = CreateSolidBrush(mark);
    RECT client{};
    GetClientRect(list, &client);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(list, dc);
    InvalidateRect(list, nullptr, step.erase);
    UpdateWindow(list);
    auto seen = pixels();
    for (size_t i = 0; i < seen.size(); ++i)
      EXPECT_EQ(seen[i], step.expected[i]) << probes[i].name << (step.erase ? " with erase" : " without erase");
  }
  // Without a background colour the list leaves the erase to whoever paints.
  SendMessage(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
  HDC dc = GetDC(list);
  EXPECT_EQ(SendMessage(list, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ReleaseDC(list, dc);
  DestroyWindow(list);
}

TEST_F(ListViewTest, ColumnsMovedDuringAPaintPlaceTheLaterCellsAnew) {
  // The parent widens column 1 while row 0's first cell is drawn: through
  // the list, or through the header directly.
  struct Case {
    const char* name;
    bool throughHeader;
  };
  for (const Case& k : {Case{"list message", false}, Case{"header message", true}}) {
    SCOPED_TRACE(k.name);
    HWND list = makeList(0);
    addItems(list, {"a", "b"});
    std::vector<std::pair<int, RECT>> drawn;  // row 1's cells as custom draw gave them
    answer(NM_CUSTOMDRAW, [&](NMHDR* hdr) -> LRESULT {
      auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
      if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
      if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
      if (cd->nmcd.dwItemSpec == 0 && cd->iSubItem == 0) {
        if (k.throughHeader) {
          HDITEM item{};
          item.mask = HDI_WIDTH;
          item.cxy = 160;
          SendMessage(reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0)), HDM_SETITEM, 1,
                      reinterpret_cast<LPARAM>(&item));
        } else {
          SendMessage(list, LVM_SETCOLUMNWIDTH, 1, 160);
        }
      }
      if (cd->nmcd.dwItemSpec == 1) drawn.emplace_back(cd->iSubItem, cd->nmcd.rc);
      return CDRF_DODEFAULT;
    });
    InvalidateRect(list, nullptr, FALSE);
    UpdateWindow(list);
    ASSERT_FALSE(drawn.empty());
    for (const auto& [column, rc] : drawn) {
      RECT now{};
      now.top = column;
      now.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
      SendMessage(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&now));
      EXPECT_EQ(std::make_tuple(rc.left, rc.right), std::make_tuple(now.left, now.right)) << "column " << column;
    }
    EXPECT_EQ(drawn.back().second.left, 100 + 160) << "column 2 starts after the widened column";
    DestroyWindow(list);
  }
}

TEST_F(ListViewTest, SelectionChangesAreNotifiedWithOldAndNewState) {
  HWND list = makeList(LVS_SINGLESEL);
  addItems(list, {"a", "b", "c"});
  struct Change {
    UINT code;
    int item;
    UINT oldState;
    UINT newState;
  };
  std::vector<Change> changes;
  bool refuse = false;
  for (UINT code : {LVN_ITEMCHANGING, LVN_ITEMCHANGED})
    answer(code, [&, code](NMHDR* hdr) -> LRESULT {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      changes.push_back({code, nm->iItem, nm->uOldState, nm->uNewState});
      EXPECT_EQ(nm->lParam, 100 + nm->iItem);
      return code == LVN_ITEMCHANGING && refuse;
    });
  LVITEM state{};
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1].code, LVN_ITEMCHANGED);
  EXPECT_EQ(changes[1].item, 1);
  EXPECT_EQ(changes[1].oldState, 0u);
  EXPECT_EQ(changes[1].newState, static_cast<UINT>(LVIS_SELECTED));

  // A single-selection list gives up the old selection first.
  changes.clear();
  SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[1].item, 1);
  EXPECT_EQ(changes[1].newState, 0u);
  EXPECT_EQ(changes[3].item, 2);
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);

  // A refusal keeps the state.
  refuse = true;
  changes.clear();
  state.state = 0;
  SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(changes.size(), 1u);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMSTATE, 2, LVIS_SELECTED), LVIS_SELECTED);
}

TEST_F(ListViewTest, StateForAllItemsAndFocus) {
  HWND list = makeList(0);
  addItems(list, {"a", "b", "c"});
  LVITEM state{};
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);
  EXPECT_EQ(codes(LVN_ITEMCHANGED).size(), 3u);
  state.state = state.stateMask = LVIS_FOCUSED;
  SendMessage(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMSTATE, 0, LVIS_FOCUSED), 0);
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, 2, LVNI_SELECTED | LVNI_ABOVE), 1);

  // An owner-data list reports a change of every item once, as item -1.
  HWND virt = makeList(LVS_OWNERDATA);
  SendMessage(virt, LVM_SETITEMCOUNT, 100, 0);
  codes_.clear();
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessage(virt, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(codes(LVN_ITEMCHANGED).size(), 1u);
  EXPECT_EQ(SendMessage(virt, LVM_GETSELECTEDCOUNT, 0, 0), 100);
  SendMessage(virt, LVM_SETITEMCOUNT, 10, 0);
  EXPECT_EQ(SendMessage(virt, LVM_GETSELECTEDCOUNT, 0, 0), 10);
}

int CALLBACK byParamDescending(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : (a > b ? -1 : 0); }

int CALLBACK byText(LPARAM a, LPARAM b, LPARAM sort) {
  const auto* texts = reinterpret_cast<const std::vector<std::string>*>(sort);
  return (*texts)[static_cast<size_t>(a - 100)].compare((*texts)[static_cast<size_t>(b - 100)]);
}

TEST_F(ListViewTest, SortItemsByParamAndByText) {
  HWND list = makeList(0);
  std::vector<std::string> texts{"pear", "apple", "fig", "kiwi"};
  addItems(list, texts);
  LVITEM state{};
  state.state = state.stateMask = LVIS_SELECTED;
  SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));

  EXPECT_TRUE(SendMessage(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&byParamDescending)));
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) order.push_back(text(list, i, 0));
  EXPECT_EQ(order, (std::vector<std::string>{"kiwi", "fig", "apple", "pear"}));
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);  // "fig" kept its state

  SendMessage(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&texts), reinterpret_cast<LPARAM>(&byText));
  order.clear();
  for (int i = 0; i < 4; ++i) order.push_back(text(list, i, 0));
  EXPECT_EQ(order, (std::vector<std::string>{"apple", "fig", "kiwi", "pear"}));
}

TEST_F(ListViewTest, SortedStyleInsertsInOrder) {
  HWND list = makeList(LVS_SORTASCENDING);
  addItems(list, {"b", "C", "a"});
  EXPECT_EQ(text(list, 0, 0), "a");
  EXPECT_EQ(text(list, 1, 0), "b");
  EXPECT_EQ(text(list, 2, 0), "C");
}

TEST_F(ListViewTest, SubItemHitTestAndRectanglesShareTheGeometry) {
  HWND list = makeList(LVS_SHOWSELALWAYS);
  addItems(list, {"a", "b", "c", "d", "e", "f", "g", "h"});
  SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
  struct Case {
    POINT pt;
    int item;
    int subItem;
    UINT flags;
  } cases[] = {
      {{5, 25}, 0, 0, LVHT_ONITEMSTATEICON}, {{30, 25}, 0, 0, LVHT_ONITEMLABEL}, {{150, 37}, 1, 1, LVHT_ONITEMLABEL},
      {{210, 100}, 5, 2, LVHT_ONITEMLABEL},  {{50, 10}, -1, 0, LVHT_NOWHERE},     {{50, -3}, -1, 0, LVHT_ABOVE},
      {{260, 30}, -1, 0, LVHT_TORIGHT},
  };
  for (const Case& c : cases) {
    LVHITTESTINFO hit{c.pt, 0, -2, -2, 0};
    EXPECT_EQ(SendMessage(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), c.item) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(hit.iItem, c.item);
    EXPECT_EQ(hit.flags, c.flags) << c.pt.x << "," << c.pt.y;
    if (c.item >= 0) {
      EXPECT_EQ(hit.iSubItem, c.subItem);
    }
  }
  // Without full-row selection a plain hit test finds nothing beside column 0.
  LVHITTESTINFO plain{{150, 37}, 0, 0, 0, 0};
  EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&plain)), -1);
  SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&plain)), 1);

  RECT r{};
  r.top = 2;
  r.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessage(list, LVM_GETSUBITEMRECT, 3, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.right, 350);
  EXPECT_EQ(r.top, 20 + 3 * 16);
  EXPECT_EQ(r.bottom, 20 + 4 * 16);
  r.left = LVIR_LABEL;
  SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 16);  // after the check box
  EXPECT_EQ(r.right, 100);

  // Scrolled two rows down, the same point is two rows further.
  SendMessage(list, LVM_ENSUREVISIBLE, 7, FALSE);
  EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 3);
  LVHITTESTINFO scrolled{{150, 37}, 0, 0, 0, 0};
  EXPECT_EQ(SendMessage(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&scrolled)), 4);
  SendMessage(list, LVM_ENSUREVISIBLE, 1, FALSE);
  EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 1);
}

TEST_F(ListViewTest, MouseClicksSelectAndNotify) {
  HWND list = makeList(LVS_SHOWSELALWAYS);
  addItems(list, {"a", "b", "c"});
  SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
  std::vector<std::tuple<UINT, int, int>> clicks;
  for (UINT code : {NM_CLICK, NM_DBLCLK, NM_RCLICK})
    answer(code, [&, code](NMHDR* hdr) -> LRESULT {
      auto* nm = reinterpret_cast<NMITEMACTIVATE*>(hdr);
      clicks.emplace_back(code, nm->iItem, nm->iSubItem);
      return 0;
    });
  SendMessage(list, WM_LBUTTONDOWN, 0, MAKELPARAM(150, 37));
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED | LVNI_FOCUSED), 1);
  SendMessage(list, WM_LBUTTONDOWN, 0x0008 /* control */, MAKELPARAM(30, 53));
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
  SendMessage(list, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 21));  // the check box of row 0
  EXPECT_EQ(SendMessage(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), static_cast<LRESULT>(INDEXTOSTATEIMAGEMASK(2)));
  SendMessage(list, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 90));  // below the rows
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
  SendMessage(list, WM_LBUTTONDBLCLK, 0, MAKELPARAM(120, 53));
  SendMessage(list, WM_RBUTTONDOWN, 0, MAKELPARAM(30, 37));
  std::vector<std::tuple<UINT, int, int>> expected{{NM_CLICK, 1, 1},  {NM_CLICK, 2, 0},  {NM_CLICK, 0, 0},
                                                   {NM_CLICK, -1, 0}, {NM_DBLCLK, 2, 1}, {NM_RCLICK, 1, 0}};
  EXPECT_EQ(clicks, expected);
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);

  // A click on a header item reports the column.
  int column = -1;
  answer(LVN_COLUMNCLICK, [&](NMHDR* hdr) -> LRESULT {
    column = reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem;
    return 0;
  });
  HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
  SendMessage(header, WM_LBUTTONDOWN, 0, MAKELPARAM(150, 10));
  SendMessage(header, WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
  EXPECT_EQ(column, 1);
}

TEST_F(ListViewTest, ColumnsLiveInTheHeader) {
  HWND list = makeList(0, {});
  char title[] = "Name";
  LVCOLUMN c{};
  c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  c.pszText = title;
  c.cx = 90;
  c.fmt = LVCFMT_RIGHT;
  SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&c));
  SendMessage(list, LVM_INSERTCOLUMN, 1, reinterpret_cast<LPARAM>(&c));
  HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 2);
  HDITEM item{};
  item.mask = HDI_FORMAT | HDI_WIDTH;
  SendMessage(header, HDM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_LEFT);  // the first column is always left-aligned
  SendMessage(header, HDM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);

  SendMessage(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(40, 0));
  EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 1, 0), 40);
  char small[3];
  LVCOLUMN got{};
  got.mask = LVCF_TEXT | LVCF_WIDTH;
  got.pszText = small;
  got.cchTextMax = sizeof small;
  ASSERT_TRUE(SendMessage(list, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&got)));
  EXPECT_STREQ(small, "Na");
  EXPECT_EQ(got.cx, 40);

  int order[2] = {1, 0};
  ASSERT_TRUE(SendMessage(list, LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order)));
  RECT r{};
  SendMessage(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 40);
  int bad[2] = {1, 1};
  EXPECT_FALSE(SendMessage(list, LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(bad)));

  addItems(list, {"abcdefghij"});
  SendMessage(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0));
  EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), guiTextWidth("abcdefghij") + 12);
}

TEST_F(ListViewTest, ItemsTextsAndDeletion) {
  HWND list = makeList(0);
  addItems(list, {"a", "b", "c"});
  LVITEM sub{};
  sub.iSubItem = 2;
  char value[] = "two";
  sub.pszText = value;
  EXPECT_TRUE(SendMessage(list, LVM_SETITEMTEXT, 1, reinterpret_cast<LPARAM>(&sub)));
  EXPECT_EQ(text(list, 1, 2), "two");
  char cut[3];
  LVITEM get{};
  get.iSubItem = 2;
  get.pszText = cut;
  get.cchTextMax = sizeof cut;
  EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 1, reinterpret_cast<LPARAM>(&get)), 2);
  EXPECT_STREQ(cut, "tw");

  // Callback texts are asked for with the caller's buffer.
  recordDispInfo();
  sub.iSubItem = 1;
  sub.pszText = LPSTR_TEXTCALLBACK;
  SendMessage(list, LVM_SETITEMTEXT, 0, reinterpret_cast<LPARAM>(&sub));
  EXPECT_EQ(text(list, 0, 1), "0,1");

  std::vector<int> deleted;
  answer(LVN_DELETEITEM, [&](NMHDR* hdr) -> LRESULT {
    deleted.push_back(static_cast<int>(reinterpret_cast<NMLISTVIEW*>(hdr)->lParam));
    return 0;
  });
  EXPECT_TRUE(SendMessage(list, LVM_DELETEITEM, 1, 0));
  EXPECT_EQ(deleted, std::vector<int>{101});
  EXPECT_EQ(text(list, 1, 0), "c");
  EXPECT_FALSE(SendMessage(list, LVM_DELETEITEM, 5, 0));

  // LVN_DELETEALLITEMS answered TRUE spares the single notifications.
  for (LRESULT spare : {TRUE, FALSE}) {
    addItems(list, {"x", "y"});
    deleted.clear();
    answer(LVN_DELETEALLITEMS, [spare](NMHDR*) -> LRESULT { return spare; });
    EXPECT_TRUE(SendMessage(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(deleted.size(), spare ? 0u : 2u);
  }
}

TEST_F(ListViewTest, HotItemKeysAndImageLists) {
  HWND list = makeList(0);
  addItems(list, {"a", "b", "c", "d", "e", "f", "g", "h"});
  EXPECT_EQ(SendMessage(list, LVM_SETHOTITEM, 2, 0), -1);
  EXPECT_EQ(SendMessage(list, LVM_GETHOTITEM, 0, 0), 2);
  // Hot tracking asks the parent, which may refuse.
  SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_ONECLICKACTIVATE);
  answer(LVN_HOTTRACK, [](NMHDR*) -> LRESULT { return -1; });
  SendMessage(list, WM_MOUSEMOVE, 0, MAKELPARAM(30, 25));
  EXPECT_EQ(SendMessage(list, LVM_GETHOTITEM, 0, 0), 2);
  answer(LVN_HOTTRACK, [](NMHDR*) -> LRESULT { return 0; });
  SendMessage(list, WM_MOUSEMOVE, 0, MAKELPARAM(30, 25));
  EXPECT_EQ(SendMessage(list, LVM_GETHOTITEM, 0, 0), 0);

  SendMessage(list, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED), 7);
  EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 3);
  SendMessage(list, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTIONMARK, 0, 0), 6);

  auto images = reinterpret_cast<HIMAGELIST>(static_cast<uintptr_t>(0x1234));
  EXPECT_EQ(SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)), 0);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessage(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0)), images);
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessage(list, LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 16);  // after the small icon
}

}  // namespace
}  // namespace wavorel::testing
