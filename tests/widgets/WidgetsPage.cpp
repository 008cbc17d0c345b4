#include "WidgetsPage.h"

namespace widgets_test {

BEGIN_MESSAGE_MAP(WidgetsPage, CWnd)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &WidgetsPage::OnGetItem)
  ON_MESSAGE(WM_QUICKLIST_NOTIFY_2, &WidgetsPage::OnCellClick)
END_MESSAGE_MAP()

bool WidgetsPage::Build(int x, int y) {
  LPCTSTR face = AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_BTNFACE));
  if (!CreateEx(0, face, "Widgets", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, kWidth, kHeight, nullptr,
                nullptr))
    return false;
  images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
  for (int icon : {IDI_RED, IDI_BLUE})
    images.Add(static_cast<HICON>(LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(icon), IMAGE_ICON, 16, 16, 0)));

  list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
              CRect(10, 10, 400, 250), this, kListId);
  list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  const char* titles[kColumns] = {"On", "Network", "Signal", "Channel", "Security"};
  const int widths[kColumns] = {44, 100, 110, 60, 80};
  for (int c = 0; c < kColumns; ++c) list.InsertColumn(c, titles[c], c == 3 ? LVCFMT_CENTER : LVCFMT_LEFT, widths[c]);
  list.SetItemCount(kRows);
  list.EnableCellNavigation(TRUE);
  list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

  const DWORD button = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
  AddButton(normal, "Normal", button, CRect(410, 10, 510, 35), 2101);
  AddButton(hovered, "Hovered", button, CRect(410, 45, 510, 70), 2102);
  AddButton(latched, "Latched", button, CRect(410, 80, 510, 105), 2103);
  normal.BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  hovered.BuildShadeBitmaps(2, 8, 10, 0, 0, 0xB4B4B4, 0);
  latched.BuildShadeBitmaps(4, 8, 40, 5, 0, 0xB4B4B4, 0x00FF00);
  hovered.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  latched.SetLatched(1);

  AddButton(drop, "Security", button, CRect(520, 10, 630, 40), 2104);
  drop.BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  drop.LoadIconPair(IDI_BLUE, 0);
  drop.AttachDropMenu(IDR_CHOICES, GetSafeHwnd(), TRUE, IDR_TOOLBAR, 16, 15, RGB(192, 192, 192));

  tabs = std::make_unique<CTabDialog>(IDD_TABS, this);
  tabs->Create(IDD_TABS, this);
  tabs->MoveWindow(410, 120, 220, 130);
  const char* tabNames[3] = {"General", "WPS", "CCX"};
  for (int i = 0; i < 3; ++i) {
    tabButtons.push_back(std::make_unique<CShadeButtonST>());
    HWND hwnd = CreateWindowEx(0, "Button", tabNames[i], button, i * 72, 0, 72, 24, tabs->GetSafeHwnd(),
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_TAB_FIRST + i)), nullptr, nullptr);
    tabButtons.back()->SubclassWindow(hwnd);
    tabButtons.back()->BuildShadeBitmaps(4, 8, 40, 5, 0, 0xB4B4B4, 0x00FF00);
    pages.push_back(std::make_unique<CDialog>());
    pages.back()->Create(IDD_PAGE, tabs.get());
    tabs->AddPage(pages.back().get(), tabButtons.back().get());
  }
  tabs->ArrangePages(CRect(0, 26, 220, 130), 0, 0, 1);
  tabs->ShowWindow(SW_SHOW);

  HWND graphWindow = CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE, 10, 260, 300, 100, GetSafeHwnd(),
                                    reinterpret_cast<HMENU>(2201), nullptr, nullptr);
  histogram.SubclassWindow(graphWindow);
  histogram.m_crBar = RGB(0, 220, 0);
  histogram.m_strLabels[0] = "54M";
  histogram.m_strLabels[1] = "0";
  histogram.SetLabelWidth(36);
  histogram.SetLabelCount(2);
  histogram.SetFullScale(100);
  for (int i = 0; i < 150; ++i) histogram.AddSample((i * 37) % 100);

  bar.Create(WS_CHILD | WS_VISIBLE | 0xF0 | 0x100, CRect(10, 370, 400, 392), this, 2301);
  bar.SetEvenColors(3, RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 200, 0));
  bar.SetTextFont(GetFont());
  bar.SetPos(60);
  return true;
}

LRESULT WidgetsPage::OnGetItem(WPARAM, LPARAM lParam) {
  auto& cell = *reinterpret_cast<CQuickListCell*>(lParam);
  const int row = cell.GetRow();
  switch (cell.GetColumn()) {
    case 0:
      cell.m_bCheckBox = 1;
      cell.m_bCenterCheckBox = 1;
      cell.m_nCheckState = DFCS_BUTTONCHECK | (row % 3 == 0 ? DFCS_CHECKED : 0);
      break;
    case 1:
      cell.m_nImage = row % 2;
      cell.m_pImageList = &images;
      cell.m_bImageBkUnhighlighted = 0;
      cell.m_strText.Format("Network %02d", row);
      cell.m_strTipText.Format("The network on row %d", row);
      break;
    case 2:
      cell.m_nProgressMax = 100;
      cell.m_nProgressValue = (row * 23) % 101;
      cell.m_nBarEdge = 3;
      cell.m_strText.Format("%d%%", cell.m_nProgressValue);
      break;
    case 3:
      cell.m_strText.Format("%d", 1 + row % 11);
      break;
    default:
      cell.m_strText = row % 2 ? "WPA2-PSK" : "Open";
      cell.m_bBold = row % 4 == 1;
      break;
  }
  return 0;
}
LRESULT WidgetsPage::OnCellClick(WPARAM, LPARAM lParam) {
  clicks.push_back(*reinterpret_cast<CQuickListClick*>(lParam));
  return 0;
}
BOOL WidgetsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) commands.push_back(LOWORD(wParam));
  return CWnd::OnCommand(wParam, lParam);
}

void WidgetsPage::AddButton(CShadeButtonST& target, LPCSTR text, DWORD style, const CRect& rect, int id) {
  HWND hwnd = CreateWindowEx(0, "Button", text, style, rect.left, rect.top, rect.Width(), rect.Height(),
                             GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  target.SubclassWindow(hwnd);
}

}  // namespace widgets_test
