// Window text, redraw, foreground, moving, combo and menu state, screen sizes.
#include "utilmere/WindowTools.h"

namespace {

bool exists(CWnd* window) { return window != nullptr && ::IsWindow(window->m_hWnd); }

}  // namespace

CString gxGetWindowText(CWnd* window) {
  CString text;
  if (exists(window)) window->GetWindowText(text);
  return text;
}

void EraseBkgndAndRedraw(CWnd* window) {
  if (!exists(window)) return;
  const HWND parent = ::GetParent(window->m_hWnd);
  if (parent != nullptr && ::IsWindow(parent)) {
    RECT area = {};
    ::GetWindowRect(window->m_hWnd, &area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&area), 2);
    ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  } else {
    ::InvalidateRect(window->m_hWnd, nullptr, TRUE);
  }
}

void ActiveWindowToForeground(CWnd* window) {
  if (!exists(window)) return;
  const HWND hwnd = window->m_hWnd;
  ::SetForegroundWindow(hwnd);
  ::SetActiveWindow(hwnd);
  ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void DeleteInstance(CWnd** window) {
  if (window == nullptr || *window == nullptr) return;
  if (::IsWindow((*window)->m_hWnd)) (*window)->DestroyWindow();
  delete *window;
  *window = nullptr;
}

RECT gxMoveWindow(CWnd* parent, CWnd* child, int left, int top, int right, int bottom) {
  const RECT rectangle = {left, top, right, bottom};
  if (exists(parent) && exists(child)) ::MoveWindow(child->m_hWnd, left, top, right - left, bottom - top, TRUE);
  return rectangle;
}

RECT gxMoveWindow(CWnd* parent, UINT childId, int left, int top, int right, int bottom) {
  CWnd* child = exists(parent) ? parent->GetDlgItem(static_cast<int>(childId)) : nullptr;
  return gxMoveWindow(parent, child, left, top, right, bottom);
}

void gxSetCurSel(CComboBox* combo, const char* text) {
  if (!exists(combo) || text == nullptr) return;
  const int count = combo->GetCount();
  for (int i = 0; i < count; ++i) {
    CString entry;
    combo->GetLBText(i, entry);
    if (entry == text) {
      combo->SetCurSel(i);
      return;
    }
  }
}

void UpdateMenuState(CMenu* menu, UINT item, UINT state, BOOL byPosition) {
  if (menu == nullptr || menu->m_hMenu == nullptr) return;
  MENUITEMINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  info.fState = state;
  ::SetMenuItemInfo(menu->m_hMenu, item, byPosition, &info);
}

CSize GetScreenSize() { return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

CSize GetWorkAreaSize() {
  RECT area = {};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  return CSize(area.right - area.left, area.bottom - area.top);
}
