// CComboBoxForListCtrl: the in-place choice box of a CSortListCtrl cell. It
// commits the chosen text when the selection ends (unless Esc cancelled it),
// or when it loses the focus with a selection, then closes and deletes itself.
#pragma once

#include "platform/Platform.h"

class CSortListCtrl;

class CComboBoxForListCtrl : public CComboBox {
 public:
  CComboBoxForListCtrl(CSortListCtrl* list, int row, int column);
  // Created over `cell` with the choices in order, the list's font and the
  // focus; the choice equal to `text` is selected.
  BOOL Open(const CRect& cell, const CStringArray& choices, const CString& text);
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnSelEndOk();
  void OnKillFocus(CWnd* newWnd);
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  void Finish();

  CSortListCtrl* m_list;
  int m_row;
  int m_column;
  bool m_cancelled = false;
  bool m_closing = false;
};
