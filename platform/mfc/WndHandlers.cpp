// CWnd's message map and its default message handlers.
#include "platform/mfc/Menu.h"
#include "platform/mfc/WinThread.h"
#include "platform/mfc/Wnd.h"
#include "platform/win/controls/ControlConstants.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_MESSAGE(WM_CTLCOLOR, &CWnd::OnCtlColorMessage)
  ON_MESSAGE(WM_DRAWITEM, &CWnd::OnDrawItemMessage)
  ON_MESSAGE(WM_MEASUREITEM, &CWnd::OnMeasureItemMessage)
  ON_MESSAGE(WM_COMPAREITEM, &CWnd::OnCompareItemMessage)
  ON_MESSAGE(WM_DELETEITEM, &CWnd::OnDeleteItemMessage)
  ON_MESSAGE(WM_HSCROLL, &CWnd::OnScrollMessage)
  ON_MESSAGE(WM_VSCROLL, &CWnd::OnScrollMessage)
END_MESSAGE_MAP()

void CWnd::OnNcDestroy() {
  CWinThread* pThread = AfxGetThread();
  if (pThread && pThread->m_pMainWnd == this) {
    pThread->m_pMainWnd = nullptr;
    ::PostQuitMessage(0);
  }
  Default();
  Detach();
  PostNcDestroy();
}

namespace {

HWND drawItemChild(const DRAWITEMSTRUCT* dis) { return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr; }

HWND measureItemChild(HWND hWndParent, const MEASUREITEMSTRUCT* mis) {
  return mis && mis->CtlType != ODT_MENU ? ::GetDlgItem(hWndParent, static_cast<int>(mis->CtlID)) : nullptr;
}

}  // namespace

LRESULT CWnd::OnCtlColorMessage(WPARAM, LPARAM lParam) { return ReflectOrDefault(reinterpret_cast<HWND>(lParam)); }

LRESULT CWnd::OnDrawItemMessage(WPARAM, LPARAM lParam) {
  // Owner-drawn menu items go to the CMenu that owns the menu.
  if (wavorel::routeMenuOwnerDraw(WM_DRAWITEM, lParam)) return TRUE;
  return ReflectOrDefault(drawItemChild(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)));
}

LRESULT CWnd::OnMeasureItemMessage(WPARAM, LPARAM lParam) {
  if (wavorel::routeMenuOwnerDraw(WM_MEASUREITEM, lParam)) return TRUE;
  return ReflectOrDefault(measureItemChild(m_hWnd, reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)));
}

LRESULT CWnd::OnCompareItemMessage(WPARAM, LPARAM lParam) {
  auto* cis = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
  return ReflectOrDefault(cis ? cis->hwndItem : nullptr);
}

LRESULT CWnd::OnDeleteItemMessage(WPARAM, LPARAM lParam) {
  auto* dis = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
  return ReflectOrDefault(dis ? dis->hwndItem : nullptr);
}

LRESULT CWnd::OnScrollMessage(WPARAM, LPARAM lParam) { return ReflectOrDefault(reinterpret_cast<HWND>(lParam)); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  return reinterpret_cast<HBRUSH>(ReflectOrDefault(pWnd ? pWnd->m_hWnd : nullptr));
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) { ReflectOrDefault(drawItemChild(lpDrawItemStruct)); }

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  ReflectOrDefault(measureItemChild(m_hWnd, lpMeasureItemStruct));
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
UINT CWnd::OnPowerBroadcast(UINT, LPARAM) { return static_cast<UINT>(Default()); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
