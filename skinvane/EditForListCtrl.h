// CEditForListCtrl: the in-place edit box of a CSortListCtrl cell. It
// commits its text when it loses the focus (unless Esc cancelled it), then
// closes and deletes itself.
#pragma once

#include "platform/Platform.h"

class CSortListCtrl;

class CEditForListCtrl : public CEdit {
 public:
  CEditForListCtrl(CSortListCtrl* list, int row, int column);
  // Created over `cell` with the list's font and the cell's text, focused,
  // all selected.
  BOOL Open(const CRect& cell, const CString& text);
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnKillFocus(CWnd* newWnd);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CSortListCtrl* m_list;
  int m_row;
  int m_column;
  bool m_cancelled = false;
  bool m_closing = false;
};
