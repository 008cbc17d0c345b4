// CHeaderCtrl: the column header of a report list.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/commctrl/Header.h"

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
  BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
  BOOL SetItem(int nPos, HDITEM* pHeaderItem);
  int InsertItem(int nPos, HDITEM* phdi);
  BOOL DeleteItem(int nPos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos))); }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
  BOOL GetOrderArray(LPINT piArray, int iCount) const;
  BOOL SetOrderArray(int iCount, LPINT piArray);
  int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo);
};
