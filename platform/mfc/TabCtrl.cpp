#include "platform/mfc/TabCtrl.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_TABCONTROL, nullptr, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
  TCITEM item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPTSTR>(lpszItem);
  return InsertItem(nItem, &item);
}

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem) {
  return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const {
  return static_cast<BOOL>(SendMessage(TCM_GETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem) {
  return static_cast<BOOL>(SendMessage(TCM_SETITEM, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pTabCtrlItem)));
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const {
  return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) {
  SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(bLarger), reinterpret_cast<LPARAM>(lpRect));
}

int CTabCtrl::HitTest(TCHITTESTINFO* pHitTestInfo) const {
  return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}
