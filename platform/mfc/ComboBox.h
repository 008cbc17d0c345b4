// CComboBox: a list with a selection field and, but for CBS_DROPDOWNLIST, an
// edit part. The owner-drawn item messages its parent reflects reach
// DrawItem, MeasureItem, CompareItem and DeleteItem.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/controls/ControlConstants.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCount() const { return ask(CB_GETCOUNT); }
  int GetCurSel() const { return ask(CB_GETCURSEL); }
  int SetCurSel(int nSelect) { return ask(CB_SETCURSEL, static_cast<WPARAM>(nSelect)); }
  int GetLBText(int nIndex, LPTSTR lpszText) const;
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const { return ask(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)); }
  int AddString(LPCTSTR lpszString) { return ask(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)); }
  int InsertString(int nIndex, LPCTSTR lpszString);
  int DeleteString(UINT nIndex) { return ask(CB_DELETESTRING, nIndex); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int FindString(int nStartAfter, LPCTSTR lpszString) const;
  int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
  int SelectString(int nStartAfter, LPCTSTR lpszString);
  int SetItemData(int nIndex, DWORD_PTR dwItemData);
  DWORD_PTR GetItemData(int nIndex) const;
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
  void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
  // nIndex -1 is the selection field.
  int SetItemHeight(int nIndex, UINT cyItemHeight);
  int GetItemHeight(int nIndex) const { return ask(CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)); }
  void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt)); }
  BOOL GetDroppedState() const { return ask(CB_GETDROPPEDSTATE); }
  int GetDroppedWidth() const { return ask(CB_GETDROPPEDWIDTH); }
  int SetDroppedWidth(UINT nWidth) { return ask(CB_SETDROPPEDWIDTH, nWidth); }
  BOOL LimitText(int nMaxChars) { return ask(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars)); }
  BOOL SetEditSel(int nStartChar, int nEndChar);
  DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }

  // Owner-drawn combo boxes: these do nothing here (CompareItem sorts as
  // equal); derived classes override them.
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
