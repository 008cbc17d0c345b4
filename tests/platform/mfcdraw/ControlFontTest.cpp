// Fonts as the controls see them: WM_SETFONT / WM_GETFONT on every control,
// and the list view's and tab control's geometry following the font.
#include <string>

#include "platform/Platform.h"
#include "tests/platform/commctrl/CommCtrlTestSupport.h"
#include "tests/platform/mfcdraw/data/resource.h"

namespace wavorel::testing {
namespace {

class ControlFontTest : public CommCtrlTest {
 protected:
  static HFONT makeFont(LONG height) {
    LOGFONT lf{};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, "Tahoma");
    return CreateFontIndirect(&lf);
  }
  static TEXTMETRIC metrics(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    return tm;
  }
  static int width(HFONT font, const char* text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
  }
  static RECT itemRect(HWND list, int index) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  HWND reportList() {
    HWND list = control(WC_LISTVIEW, LVS_REPORT, {0, 0, 300, 200});
    LVCOLUMN column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 3; ++i) {
      LVITEM item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<LPSTR>("row");
      SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    return list;
  }
};

TEST_F(ControlFontTest, EveryControlKeepsItsFontAndRedrawsOnlyWhenAsked) {
  HFONT font = makeFont(-11);
  for (const char* cls : {"BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX", WC_LISTVIEW, WC_HEADER, WC_TABCONTROL,
                          PROGRESS_CLASS, TRACKBAR_CLASS, WC_IPADDRESS}) {
    HWND hwnd = control(cls, 0, {0, 0, 120, 60});
    ASSERT_NE(hwnd, nullptr) << cls;
    EXPECT_EQ(SendMessage(hwnd, WM_GETFONT, 0, 0), 0) << cls;  // the default font until one is set
    ValidateRect(hwnd, nullptr);
    SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(hwnd, WM_GETFONT, 0, 0)), font) << cls;
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE)) << cls;
    SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE)) << cls;
    DestroyWindow(hwnd);
  }
  DeleteObject(font);
}

TEST_F(ControlFontTest, ListViewRowsFollowTheFont) {
  HWND list = reportList();
  const int header = 20;
  EXPECT_EQ(itemRect(list, 2).top, header + 2 * 16);  // the default font's line is lower than an icon

  HFONT large = makeFont(-16);
  const LONG line = metrics(large).tmHeight;
  ASSERT_GT(line, 16);
  SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
  RECT r = itemRect(list, 2);
  EXPECT_EQ(r.top, header + 2 * line);
  EXPECT_EQ(r.bottom - r.top, line);
  EXPECT_EQ(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0), (200 - header) / line);
  LVHITTESTINFO hit{};
  hit.pt = POINT{10, header + line + 1};
  EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
  // The header takes the list's font.
  HWND headerWindow = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(headerWindow, WM_GETFONT, 0, 0)), large);

  // A font lower than a small icon leaves the rows at the icon's height.
  HFONT small = makeFont(-8);
  SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(small), FALSE);
  EXPECT_EQ(itemRect(list, 1).top, header + 16);

  // Sizing a column to its contents measures with the font.
  SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
  SendMessage(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0));
  EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), width(large, "row") + 12);
  DestroyWindow(list);
  DeleteObject(large);
  DeleteObject(small);
}

TEST_F(ControlFontTest, PlainListBoxItemsAreAsHighAsTheFontsLine) {
  HWND plain = control("LISTBOX", 0, {0, 0, 100, 100});
  HWND ownerDrawn = control("LISTBOX", LBS_OWNERDRAWFIXED, {0, 0, 100, 100}, 101);
  const LRESULT drawnHeight = SendMessage(ownerDrawn, LB_GETITEMHEIGHT, 0, 0);
  EXPECT_EQ(SendMessage(plain, LB_GETITEMHEIGHT, 0, 0), 16);  // the system font's line
  HFONT font = makeFont(-16);
  for (HWND list : {plain, ownerDrawn}) SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_EQ(SendMessage(plain, LB_GETITEMHEIGHT, 0, 0), metrics(font).tmHeight);
  EXPECT_EQ(SendMessage(ownerDrawn, LB_GETITEMHEIGHT, 0, 0), drawnHeight);  // its owner measures it
  SendMessage(plain, WM_SETFONT, 0, FALSE);
  EXPECT_EQ(SendMessage(plain, LB_GETITEMHEIGHT, 0, 0), 16);
  DestroyWindow(plain);
  DestroyWindow(ownerDrawn);
  DeleteObject(font);
}

TEST_F(ControlFontTest, TabsAreSizedByTheFont) {
  HWND tab = control(WC_TABCONTROL, 0, {0, 0, 300, 200});
  TCITEM item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPSTR>("Statistics");
  SendMessage(tab, TCM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  HFONT font = makeFont(-16);
  SendMessage(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  RECT r{};
  SendMessage(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.bottom - r.top, metrics(font).tmHeight + 2 * 3 + 1);  // line, padding above and below, border
  EXPECT_EQ(r.right - r.left, width(font, "Statistics") + 2 * 6);
  SendMessage(tab, TCM_SETPADDING, 0, MAKELPARAM(4, 1));
  SendMessage(tab, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.bottom - r.top, metrics(font).tmHeight + 2 * 1 + 1);
  EXPECT_EQ(r.right - r.left, width(font, "Statistics") + 2 * 4);
  DestroyWindow(tab);
  DeleteObject(font);
}

TEST_F(ControlFontTest, CWndSetFontAndGetFont) {
  HWND edit = control("EDIT", 0, {0, 0, 100, 20});
  CWnd* wnd = CWnd::FromHandle(edit);
  EXPECT_EQ(wnd->GetFont(), nullptr);
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(90, "Tahoma"));
  wnd->SetFont(&font, FALSE);
  EXPECT_EQ(wnd->GetFont(), &font);
  wnd->SetFont(nullptr);
  EXPECT_EQ(wnd->GetFont(), nullptr);

  CDC* dc = wnd->GetDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_NE(dc->GetSafeHdc(), nullptr);
  EXPECT_EQ(wnd->ReleaseDC(dc), 1);
  DestroyWindow(edit);
}

TEST_F(ControlFontTest, DialogTemplateFontReachesTheDialogAndItsControls) {
  HWND dialog = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_LARGE_FONT), nullptr, nullptr, 0);
  ASSERT_NE(dialog, nullptr);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONT lf{};
  ASSERT_EQ(GetObject(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -16);  // 12 points at 96 dots per inch
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
  HWND list = GetDlgItem(dialog, IDC_LIST);
  for (int id : {IDC_LABEL, IDC_LIST})
    EXPECT_EQ(reinterpret_cast<HFONT>(SendDlgItemMessage(dialog, id, WM_GETFONT, 0, 0)), font) << id;
  // The list's rows follow the dialog's font.
  LVCOLUMN column{};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
  LVITEM item{};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<LPSTR>("Home");
  SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  const RECT r = itemRect(list, 0);
  EXPECT_EQ(r.bottom - r.top, metrics(font).tmHeight);

  DestroyWindow(dialog);
  EXPECT_EQ(GetObjectType(font), 0u);  // the dialog's own font goes with it
}

}  // namespace
}  // namespace wavorel::testing
