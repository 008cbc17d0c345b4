// The default looks of the controls, probed in the composed image.
#include <functional>

#include "PaintTestSupport.h"
#include "platform/present/WindowImage.h"

namespace wavorel::testing {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class ControlLookSuite : public PaintTest {
 protected:
  void SetUp() override {
    PaintTest::SetUp();
    parent_ = make(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200, nullptr, kWhite);
    SetActiveWindow(parent_);
  }
  HWND control(LPCSTR cls, LPCSTR text, DWORD style, int cx = 120, int cy = 40) {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, cx, cy, parent_,
                          reinterpret_cast<HMENU>(7), nullptr, nullptr);
  }
  // Pixels of the control's area (10, 10, ...) near colour `c`.
  int count(RECT r, COLORREF c, int tolerance = 0) {
    OffsetBy(r);
    return countColour(composeWindow(parent_), r, c, tolerance);
  }
  static void OffsetBy(RECT& r) { r = RECT{r.left + 10, r.top + 10, r.right + 10, r.bottom + 10}; }
  HWND parent_ = nullptr;
};

TEST_F(ControlLookSuite, CheckedGlyphsDifferFromUncheckedOnes) {
  for (DWORD type : {static_cast<DWORD>(BS_AUTOCHECKBOX), static_cast<DWORD>(BS_AUTORADIOBUTTON)}) {
    HWND b = control(WC_BUTTON, "Option", type, 120, 20);
    RECT glyph{0, 3, 13, 16};
    int unchecked = count(glyph, GetSysColor(COLOR_WINDOWTEXT), 60);
    SendMessage(b, BM_SETCHECK, BST_CHECKED, 0);
    int checked = count(glyph, GetSysColor(COLOR_WINDOWTEXT), 60);
    EXPECT_GT(checked, unchecked + 3) << type;
    EXPECT_GT(count({17, 0, 120, 20}, GetSysColor(COLOR_BTNTEXT), 80), 5) << type;  // the label
    DestroyWindow(b);
  }
}

TEST_F(ControlLookSuite, GroupBoxDrawsAnEtchedFrameUnderItsCaption) {
  control(WC_BUTTON, "Group", BS_GROUPBOX, 120, 60);
  WindowImage image = composeWindow(parent_);
  EXPECT_EQ(image.colorAt(10, 40), GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(image.colorAt(11, 40), GetSysColor(COLOR_3DHIGHLIGHT));
  EXPECT_GT(countColour(image, {18, 10, 60, 24}, GetSysColor(COLOR_BTNTEXT), 80), 5);
}

TEST_F(ControlLookSuite, StaticAlignmentPlacesTheText) {
  struct Case {
    DWORD style;
    RECT inked;
    RECT blank;
  };
  const Case cases[] = {{SS_LEFT, {0, 0, 40, 20}, {80, 0, 120, 40}},
                        {SS_CENTER, {40, 0, 80, 20}, {0, 0, 20, 40}},
                        {SS_RIGHT, {80, 0, 120, 20}, {0, 0, 40, 40}}};
  for (const Case& c : cases) {
    HWND s = control(WC_STATIC, "Label", c.style);
    COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GT(count(c.inked, ink, 80), 5) << c.style;
    EXPECT_EQ(count(c.blank, ink, 80), 0) << c.style;
    EXPECT_EQ(count(c.blank, GetSysColor(COLOR_3DFACE)), 40 * 40 - (c.blank.right - c.blank.left == 40 ? 0 : 800))
        << c.style;
    DestroyWindow(s);
  }
}

TEST_F(ControlLookSuite, EditShowsPasswordCharactersAndItsSelection) {
  HWND e = control(WC_EDIT, "secret", ES_PASSWORD | ES_AUTOHSCROLL, 120, 20);
  EXPECT_EQ(count({100, 2, 120, 18}, GetSysColor(COLOR_WINDOW)), 20 * 16);
  int masked = count({0, 0, 120, 20}, GetSysColor(COLOR_WINDOWTEXT), 80);
  EXPECT_GT(masked, 5);
  SetFocus(e);
  SendMessage(e, EM_SETSEL, 0, -1);
  EXPECT_GT(count({1, 1, 120, 19}, GetSysColor(COLOR_HIGHLIGHT)), 50);
  SendMessage(e, EM_SETPASSWORDCHAR, 0, 0);
  SendMessage(e, EM_SETSEL, 0, 0);
  EXPECT_NE(count({0, 0, 120, 20}, GetSysColor(COLOR_WINDOWTEXT), 80), masked);  // the text itself now
}

TEST_F(ControlLookSuite, ListBoxHighlightsTheSelectedItem) {
  HWND l = control(WC_LISTBOX, "", 0, 120, 80);
  for (LPCSTR s : {"one", "two", "three"}) SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SendMessage(l, LB_SETCURSEL, 1, 0);
  RECT row{};
  SendMessage(l, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  EXPECT_GT(count({100, row.top, 120, row.bottom}, GetSysColor(COLOR_HIGHLIGHT)), 10);
  EXPECT_EQ(count({100, 0, 120, row.top}, GetSysColor(COLOR_WINDOW)), 20 * row.top);
  EXPECT_GT(count({0, 0, 60, row.top}, GetSysColor(COLOR_WINDOWTEXT), 80), 3);
}

LRESULT CALLBACK drawItemParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    HBRUSH b = CreateSolidBrush(dis->itemID == 0 ? RGB(200, 0, 0) : RGB(0, 0, 200));
    FillRect(dis->hDC, &dis->rcItem, b);
    DeleteObject(b);
    return TRUE;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(ControlLookSuite, OwnerDrawnItemsAreDrawnByTheParentOnThePaintDc) {
  WNDCLASS wc{};
  wc.lpfnWndProc = drawItemParent;
  wc.lpszClassName = "DrawItemParent";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND p = CreateWindowEx(0, "DrawItemParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 60, nullptr, nullptr, nullptr,
                          nullptr);
  HWND l = CreateWindowEx(0, WC_LISTBOX, "", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 0, 100,
                          60, p, reinterpret_cast<HMENU>(3), nullptr, nullptr);
  SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a"));
  SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b"));
  RECT second{};
  SendMessage(l, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  WindowImage image = composeWindow(p);
  EXPECT_EQ(image.colorAt(50, 1), RGB(200, 0, 0));
  EXPECT_EQ(image.colorAt(50, second.top + 1), RGB(0, 0, 200));
}

TEST_F(ControlLookSuite, ProgressFillsUpToItsPosition) {
  HWND bar = control(PROGRESS_CLASS, "", PBS_SMOOTH, 102, 20);
  SendMessage(bar, PBM_SETPOS, 25, 0);
  COLORREF fill = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(count({1, 1, 26, 19}, fill), 25 * 18);
  EXPECT_EQ(count({27, 1, 101, 19}, fill), 0);
  SendMessage(bar, PBM_SETPOS, 100, 0);
  EXPECT_EQ(count({1, 1, 101, 19}, fill), 100 * 18);
}

TEST_F(ControlLookSuite, TrackbarThumbFollowsThePosition) {
  HWND t = control(TRACKBAR_CLASS, "", TBS_NOTICKS, 120, 30);
  auto thumbFaceAt = [&](int x) { return count({x - 2, 8, x + 2, 22}, GetSysColor(COLOR_3DFACE)) == 4 * 14; };
  SendMessage(t, TBM_SETPOS, TRUE, 0);
  EXPECT_TRUE(thumbFaceAt(8));
  EXPECT_FALSE(thumbFaceAt(60));
  SendMessage(t, TBM_SETPOS, TRUE, 50);
  EXPECT_TRUE(thumbFaceAt(60));
}

TEST_F(ControlLookSuite, TabsShowTheirTextsAndRaiseTheSelectedOne) {
  HWND tab = control(WC_TABCONTROL, "", 0, 200, 100);
  for (LPCSTR text : {"First", "Second"}) {
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPSTR>(text);
    SendMessage(tab, TCM_INSERTITEM, 9, reinterpret_cast<LPARAM>(&item));
  }
  RECT first{}, second{};
  SendMessage(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessage(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  // The selected tab's top edge (its inner highlight line) is 2 pixels above
  // the others'.
  COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
  EXPECT_EQ(count({first.left + 4, first.top + 1, first.right - 4, first.top + 2}, light), first.right - first.left - 8);
  EXPECT_EQ(count({second.left + 4, second.top + 1, second.right - 4, second.top + 2}, light), 0);
  EXPECT_EQ(count({second.left + 4, second.top + 3, second.right - 4, second.top + 4}, light),
            second.right - second.left - 8);
  EXPECT_GT(count(first, GetSysColor(COLOR_BTNTEXT), 80), 5);
  EXPECT_GT(count(second, GetSysColor(COLOR_BTNTEXT), 80), 5);
}

TEST_F(ControlLookSuite, IpAddressShowsFourFieldsWithDots) {
  HWND ip = control(WC_IPADDRESS, "", 0, 160, 20);
  COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  int blank = count({0, 0, 160, 20}, ink, 80);
  SendMessage(ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 0, 1));
  EXPECT_GT(count({0, 0, 160, 20}, ink, 80), blank + 20);
  EXPECT_GT(blank, 0);  // the dots
  EXPECT_EQ(count({0, 0, 160, 20}, GetSysColor(COLOR_WINDOW), 80) > 0, true);
}

TEST_F(ControlLookSuite, RichEditDrawsEachRunInItsColour) {
  HWND re = control(RICHEDIT_CLASS, "", ES_MULTILINE, 200, 40);
  SetWindowText(re, "plain red");
  CHARFORMAT cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = RGB(220, 0, 0);
  SendMessage(re, EM_SETSEL, 6, 9);
  SendMessage(re, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_GT(count({0, 0, 200, 40}, RGB(220, 0, 0), 90), 5);
  EXPECT_GT(count({0, 0, 200, 40}, GetSysColor(COLOR_WINDOWTEXT), 60), 5);
}

TEST_F(ControlLookSuite, ListViewDrawsHeaderAndCells) {
  HWND lv = control(WC_LISTVIEW, "", LVS_REPORT | LVS_SHOWSELALWAYS, 200, 100);
  LVCOLUMN col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = 150;
  col.pszText = const_cast<LPSTR>("Network");
  SendMessage(lv, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
  LVITEM item{};
  item.mask = LVIF_TEXT | LVIF_STATE;
  item.pszText = const_cast<LPSTR>("home");
  item.state = item.stateMask = LVIS_SELECTED;
  SendMessage(lv, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  WindowImage image = composeWindow(parent_);
  int header = 20;
  EXPECT_GT(countColour(image, {10, 10, 160, 10 + header}, GetSysColor(COLOR_BTNTEXT), 80), 5);
  EXPECT_GT(countColour(image, {10, 10 + header, 160, 60}, GetSysColor(COLOR_BTNFACE)), 20);  // unfocused selection
  EXPECT_EQ(image.colorAt(190, 100), GetSysColor(COLOR_WINDOW));
}

TEST_F(ControlLookSuite, TooltipIsAFramedInfoBox) {
  HWND tip = CreateWindowEx(0, TOOLTIPS_CLASS, "", WS_POPUP, 0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
  SetWindowText(tip, "Tip text");
  SetWindowPos(tip, HWND_TOPMOST, 0, 0, 80, 20, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  WindowImage image = composeWindow(tip);
  EXPECT_EQ(image.colorAt(0, 0), GetSysColor(COLOR_INFOTEXT));
  EXPECT_EQ(image.colorAt(78, 17), GetSysColor(COLOR_INFOBK));
  EXPECT_GT(countColour(image, {1, 1, 79, 19}, GetSysColor(COLOR_INFOTEXT), 80), 5);
}

}  // namespace
}  // namespace wavorel::testing
