#include "platform/mfc/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_NOPREFIX | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::fillToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) {
  ti = TOOLINFO{};
  ti.cbSize = sizeof ti;
  HWND hwnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
  if (nIDTool == 0) {
    ti.hwnd = ::GetParent(hwnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
  } else {
    ti.hwnd = hwnd;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  if (pWnd == nullptr || (lpRectTool == nullptr && nIDTool != 0)) return FALSE;
  TOOLINFO ti;
  fillToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool) ti.rect = *lpRectTool;
  ti.lpszText = const_cast<LPTSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  if (pWnd == nullptr || (lpRectTool == nullptr && nIDTool != 0)) return FALSE;
  TOOLINFO ti;
  fillToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool) ti.rect = *lpRectTool;
  ti.hinst = reinterpret_cast<HINSTANCE>(GetWindowLongPtr(pWnd->GetSafeHwnd(), GWLP_HINSTANCE));
  ti.lpszText = MAKEINTRESOURCE(nIDText);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  fillToolInfo(ti, pWnd, nIDTool);
  SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  fillToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPTSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const {
  char buffer[256] = "";
  TOOLINFO ti;
  fillToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = buffer;
  SendMessage(TTM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
  str = buffer;
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  TOOLINFO ti;
  fillToolInfo(ti, pWnd, nIDTool);
  ti.rect = *lpRect;
  SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
}
