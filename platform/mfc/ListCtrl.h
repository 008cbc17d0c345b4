// CListCtrl: the list view, in report view as this system uses it.
#pragma once

#include "platform/mfc/HeaderCtrl.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/Position.h"
#include "platform/mfc/Size.h"
#include "platform/mfc/Wnd.h"
#include "platform/win/commctrl/ListView.h"

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // Styles and colours.
  DWORD SetExtendedStyle(DWORD dwNewStyle);
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  BOOL SetBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr))); }
  COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
  BOOL SetTextColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr))); }
  BOOL SetTextBkColor(COLORREF cr) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)));
  }
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CImageList* GetImageList(int nImageListType) const;
  BOOL SetCallbackMask(UINT nMask) { return static_cast<BOOL>(SendMessage(LVM_SETCALLBACKMASK, nMask)); }

  // Columns.
  int InsertColumn(int nCol, const LVCOLUMN* pColumn);
  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                   int nSubItem = -1);
  BOOL DeleteColumn(int nCol) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nCol))); }
  BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
  BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
  int GetColumnWidth(int nCol) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol)));
  }
  BOOL SetColumnWidth(int nCol, int cx);
  BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1) const;
  BOOL SetColumnOrderArray(int iCount, LPINT piArray);
  // The header's permanent object when it has one (a subclassing header
  // class), else a wrapper kept by this list.
  CHeaderCtrl* GetHeaderCtrl() const;

  // Items.
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(nItems)); }
  BOOL SetItemCountEx(int iCount, DWORD dwFlags = 0);
  int InsertItem(const LVITEM* pItem);
  int InsertItem(int nItem, LPCTSTR lpszItem);
  int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem))); }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
  BOOL GetItem(LVITEM* pItem) const;
  BOOL SetItem(const LVITEM* pItem);
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  BOOL SetItemState(int nItem, LVITEM* pItem);
  UINT GetItemState(int nItem, UINT nMask) const;
  BOOL GetCheck(int nItem) const;
  BOOL SetCheck(int nItem, BOOL fCheck = TRUE);

  // Selection.
  int GetNextItem(int nItem, int nFlags) const;
  UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int iIndex) {
    return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(iIndex)));
  }
  int GetHotItem() const { return static_cast<int>(SendMessage(LVM_GETHOTITEM)); }
  int SetHotItem(int iIndex) { return static_cast<int>(SendMessage(LVM_SETHOTITEM, static_cast<WPARAM>(iIndex))); }

  // Searching and sorting.
  int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
  BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

  // Geometry and scrolling.
  BOOL EnsureVisible(int nItem, BOOL bPartialOK);
  int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
  int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
  BOOL Scroll(CSize size);
  int HitTest(LVHITTESTINFO* pHitTestInfo) const;
  int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  int SubItemHitTest(LPLVHITTESTINFO pInfo);
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref);
  BOOL RedrawItems(int nFirst, int nLast);
  BOOL Update(int nItem) { return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(nItem))); }

 private:
  mutable CHeaderCtrl m_headerView;
};
