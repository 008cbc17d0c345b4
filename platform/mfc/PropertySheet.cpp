#include "platform/mfc/PropertySheet.h"

#include <algorithm>

#include "platform/mfc/DialogCreation.h"
#include "platform/mfc/WinApp.h"
#include "platform/win/user/Dialog.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

// The sheet's layout in dialog units: a margin round the page area and a row
// of buttons under it.
constexpr LONG kMargin = 7;
constexpr LONG kButtonWidth = 50;
constexpr LONG kButtonHeight = 14;
constexpr LONG kButtonGap = 4;
// The tab strip round the page area: its row of tabs and its border.
constexpr LONG kTabRow = 16;
constexpr LONG kTabBorder = 2;

wavorel::DialogControl button(const char* text, int id, DWORD style, LONG x, LONG y) {
  wavorel::DialogControl c;
  c.className = WC_BUTTON;
  c.text.text = text;
  c.id = static_cast<DWORD>(id);
  c.style = WS_CHILD | WS_TABSTOP | style;
  c.rect = RECT{x, y, x + kButtonWidth, y + kButtonHeight};
  return c;
}

}  // namespace

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : m_pParentWnd(pParentWnd) {
  m_strCaption.LoadString(nIDCaption);
  m_psh.pszCaption = m_strCaption;
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption ? pszCaption : ""), m_pParentWnd(pParentWnd) {
  m_psh.pszCaption = m_strCaption;
  m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::SetTitle(LPCTSTR lpszText) {
  m_strCaption = lpszText ? lpszText : "";
  m_psh.pszCaption = m_strCaption;
  if (m_hWnd) SetWindowText(m_strCaption);
}

BOOL CPropertySheet::CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle) {
  SIZE area{0, 0};
  for (INT_PTR i = 0; i < m_pages.GetSize(); ++i) {
    SIZE s = m_pages[i]->TemplateSize();
    area.cx = std::max(area.cx, s.cx);
    area.cy = std::max(area.cy, s.cy);
  }
  LONG buttonsWidth = 4 * kButtonWidth + 3 * kButtonGap;
  LONG width = std::max(area.cx, buttonsWidth) + 2 * kMargin;
  LONG tabHeight = kTabRow + area.cy + 2 * kTabBorder;
  LONG y = kMargin + tabHeight + kMargin;
  wavorel::DialogTemplate t;
  t.style = dwStyle | DS_SETFONT | DS_3DLOOK;
  t.exStyle = dwExStyle | WS_EX_CONTROLPARENT;
  t.rect = RECT{0, 0, width, y + kButtonHeight + kMargin};
  t.caption = static_cast<LPCTSTR>(m_strCaption);
  t.hasFont = true;
  t.font.pointSize = 8;
  t.font.weight = 400;
  t.font.face = "MS Shell Dlg";
  wavorel::DialogControl tab;
  tab.className = WC_TABCONTROL;
  tab.id = AFX_IDC_TAB_CONTROL;
  tab.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS;
  tab.rect = RECT{kMargin, kMargin, width - kMargin, kMargin + tabHeight};
  t.controls.push_back(tab);
  LONG x = width - kMargin - buttonsWidth;
  t.controls.push_back(button("OK", IDOK, WS_VISIBLE | WS_GROUP | BS_DEFPUSHBUTTON, x, y));
  t.controls.push_back(button("Cancel", IDCANCEL, WS_VISIBLE | BS_PUSHBUTTON, x + kButtonWidth + kButtonGap, y));
  if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
    t.controls.push_back(
        button("&Apply", ID_APPLY_NOW, WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, x + 2 * (kButtonWidth + kButtonGap), y));
  t.controls.push_back(button("Help", IDHELP, ((m_psh.dwFlags & PSH_HASHELP) ? WS_VISIBLE : 0) | BS_PUSHBUTTON,
                              x + 3 * (kButtonWidth + kButtonGap), y));
  m_nActive = -1;
  return wavorel::createDialogWindow(this, t, hWndParent);
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  if (dwStyle == static_cast<DWORD>(-1))
    dwStyle = WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP | WS_VISIBLE;
  if (pParentWnd) m_pParentWnd = pParentWnd;
  m_bModeless = TRUE;
  m_psh.dwFlags |= PSH_MODELESS;
  return CreateSheet(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, dwStyle, dwExStyle);
}

INT_PTR CPropertySheet::DoModal() {
  CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_bModeless = FALSE;
  m_psh.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
  if (!CreateSheet(pOwner && pOwner != this ? pOwner->m_hWnd : nullptr,
                   WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP, 0))
    return -1;
  INT_PTR result = wavorel::runDialogModal(m_hWnd, [this](MSG* pMsg) {
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->PreTranslateMessage(pMsg) : CWnd::WalkPreTranslateTree(m_hWnd, pMsg);
  });
  if (m_hWnd) DestroyWindow();
  return result;
}

BOOL CPropertySheet::OnInitDialog() {
  if (m_psh.dwFlags & PSH_USEHICON) SetIcon(m_psh.hIcon, TRUE);
  m_tabCtrl.SubclassDlgItem(AFX_IDC_TAB_CONTROL, this);
  for (int i = 0; i < GetPageCount(); ++i) InsertTab(i);
  int start = m_psh.nStartPage < static_cast<UINT>(GetPageCount()) ? static_cast<int>(m_psh.nStartPage) : 0;
  if (GetPageCount() > 0) ShowPage(start);
  return TRUE;
}

CTabCtrl* CPropertySheet::GetTabControl() const { return &m_tabCtrl; }

void CPropertySheet::InsertTab(int nPage) {
  if (m_tabCtrl.m_hWnd == nullptr) return;
  CString caption = m_pages[nPage]->GetCaption();
  m_tabCtrl.InsertItem(nPage, caption);
}

// The tab control's display area, in the sheet's client coordinates.
RECT CPropertySheet::PageRect() const {
  RECT r{};
  ::GetWindowRect(m_tabCtrl.m_hWnd, &r);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&r), 2);
  m_tabCtrl.AdjustRect(FALSE, &r);
  return r;
}

void CPropertySheet::ShowPage(int nPage) {
  CPropertyPage* pPage = m_pages[nPage];
  if (pPage->m_hWnd == nullptr && !pPage->CreatePage(this, PageRect())) return;
  CPropertyPage* pOld = m_nActive >= 0 && m_nActive != nPage ? m_pages[m_nActive] : nullptr;
  m_nActive = nPage;
  pPage->OnSetActive();
  if (pPage->m_hWnd) pPage->ShowWindow(SW_SHOW);
  if (pOld && pOld->m_hWnd) pOld->ShowWindow(SW_HIDE);
  if (m_tabCtrl.m_hWnd) m_tabCtrl.SetCurSel(nPage);
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (pPage == nullptr) return;
  pPage->m_pSheet = this;
  m_pages.Add(pPage);
  if (m_hWnd == nullptr) return;
  InsertTab(GetPageCount() - 1);
  if (m_nActive < 0) ShowPage(GetPageCount() - 1);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  CPropertyPage* pPage = m_pages[nPage];
  if (m_hWnd && nPage == m_nActive) {
    int other = nPage + 1 < GetPageCount() ? nPage + 1 : nPage - 1;
    if (other >= 0) ShowPage(other);
  }
  if (pPage->m_hWnd) pPage->DestroyWindow();
  pPage->m_pSheet = nullptr;
  m_pages.RemoveAt(nPage);
  if (m_nActive == nPage)
    m_nActive = -1;
  else if (m_nActive > nPage)
    --m_nActive;
  if (m_tabCtrl.m_hWnd) {
    m_tabCtrl.DeleteItem(nPage);
    m_tabCtrl.SetCurSel(m_nActive);
  }
}

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.GetSize()); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[i] == pPage) return i;
  return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

int CPropertySheet::GetActiveIndex() const { return m_hWnd ? m_nActive : static_cast<int>(m_psh.nStartPage); }

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (m_hWnd == nullptr) {
    m_psh.nStartPage = static_cast<UINT>(nPage);
    return TRUE;
  }
  if (nPage == m_nActive) return TRUE;
  if (CPropertyPage* pActive = GetPage(m_nActive))
    if (!pActive->OnKillActive()) return FALSE;
  ShowPage(nPage);
  return m_nActive == nPage;
}

void CPropertySheet::PageModified() {
  if (m_hWnd == nullptr) return;
  bool any = false;
  for (int i = 0; i < GetPageCount(); ++i) any = any || m_pages[i]->IsModified();
  if (HWND apply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW)) ::EnableWindow(apply, any);
}

void CPropertySheet::Finish(int nResult) {
  if (m_bModeless)
    DestroyWindow();
  else
    ::EndDialog(m_hWnd, nResult);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  int id = LOWORD(wParam);
  if (HIWORD(wParam) != BN_CLICKED || (id != IDOK && id != IDCANCEL && id != ID_APPLY_NOW))
    return CWnd::OnCommand(wParam, lParam);
  if (id == IDCANCEL) {
    for (int i = 0; i < GetPageCount(); ++i)
      if (m_pages[i]->m_hWnd) m_pages[i]->OnReset();
    Finish(IDCANCEL);
    return TRUE;
  }
  if (CPropertyPage* pActive = GetPage(m_nActive))
    if (!pActive->OnKillActive()) return TRUE;
  for (int i = 0; i < GetPageCount(); ++i) {
    CPropertyPage* pPage = m_pages[i];
    if (pPage->m_hWnd && !pPage->OnApply()) return TRUE;
    pPage->m_bModified = FALSE;
  }
  PageModified();
  if (id == IDOK) Finish(IDOK);
  return TRUE;
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  if (hdr == nullptr || m_tabCtrl.m_hWnd == nullptr || hdr->hwndFrom != m_tabCtrl.m_hWnd ||
      (hdr->code != TCN_SELCHANGING && hdr->code != TCN_SELCHANGE))
    return CWnd::OnNotify(wParam, lParam, pResult);
  LRESULT result = 0;
  if (hdr->code == TCN_SELCHANGING) {
    CPropertyPage* pActive = GetPage(m_nActive);
    result = pActive && !pActive->OnKillActive();  // non-zero keeps the current tab
  } else {
    int nPage = m_tabCtrl.GetCurSel();
    if (nPage >= 0 && nPage < GetPageCount() && nPage != m_nActive) ShowPage(nPage);
  }
  if (pResult) *pResult = result;
  return TRUE;
}

void CPropertySheet::OnClose() { OnCommand(MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
               (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
  return input && m_hWnd && ::IsDialogMessage(m_hWnd, pMsg);
}
