// CTabCtrl: the tab control.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/commctrl/Tab.h"

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
  LONG InsertItem(int nItem, LPCTSTR lpszItem);
  LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
  BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nItem))); }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
  BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
  int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
  int SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem))); }
  int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
  void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(nItem)); }
  BOOL GetItemRect(int nItem, LPRECT lpRect) const;
  void AdjustRect(BOOL bLarger, LPRECT lpRect);
  int HitTest(TCHITTESTINFO* pHitTestInfo) const;
};
