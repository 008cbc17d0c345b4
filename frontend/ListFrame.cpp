#include "frontend/ListFrame.h"

#include "skinvane/Skinvane.h"

CListFrame::CListFrame() = default;

CListFrame::~CListFrame() = default;

LRESULT CListFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* page = GetParent();
  if (message == WM_SORTLIST_CLICK && page) return page->SendMessage(message, wParam, lParam);
  if (message == WM_NOTIFY) {
    LRESULT result = 0;
    if (OnNotify(wParam, lParam, &result)) return result;
    return page ? page->SendMessage(message, wParam, lParam) : 0;
  }
  return CStatic::WindowProc(message, wParam, lParam);
}
