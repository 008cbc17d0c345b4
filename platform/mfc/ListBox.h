// CListBox: a list of texts or, owner-drawn, of items the owner draws. The
// owner-drawn item messages its parent reflects reach DrawItem, MeasureItem,
// CompareItem and DeleteItem.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/controls/ControlConstants.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCount() const { return ask(LB_GETCOUNT); }
  int GetCurSel() const { return ask(LB_GETCURSEL); }
  int SetCurSel(int nSelect) { return ask(LB_SETCURSEL, static_cast<WPARAM>(nSelect)); }
  int GetText(int nIndex, LPTSTR lpszBuffer) const;
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const { return ask(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)); }
  int AddString(LPCTSTR lpszItem) { return ask(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)); }
  int InsertString(int nIndex, LPCTSTR lpszItem);
  int DeleteString(UINT nIndex) { return ask(LB_DELETESTRING, nIndex); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int FindString(int nStartAfter, LPCTSTR lpszItem) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszItem);
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
  void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
  int GetTopIndex() const { return ask(LB_GETTOPINDEX); }
  int SetTopIndex(int nIndex) { return ask(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)); }
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const { return ask(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)); }
  int GetItemRect(int nIndex, LPRECT lpRect) const;

  // Owner-drawn lists: these do nothing here (CompareItem sorts as equal);
  // derived classes override them.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  int ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return static_cast<int>(SendMessage(message, wParam, lParam));
  }
};
