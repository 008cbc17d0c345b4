#include "platform/mfc/HeaderCtrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_HEADER, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem) {
  return static_cast<BOOL>(SendMessage(HDM_SETITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
}

int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi) {
  return static_cast<int>(SendMessage(HDM_INSERTITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) const {
  return static_cast<BOOL>(SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray)));
}

BOOL CHeaderCtrl::SetOrderArray(int iCount, LPINT piArray) {
  return static_cast<BOOL>(SendMessage(HDM_SETORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray)));
}

int CHeaderCtrl::HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) {
  return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo)));
}
