// CSortHeaderCtrl: the header of the sortable list. Items marked owner-drawn
// are painted here: face colour, the text single-line with end ellipsis,
// and on the sort column a triangle pointing up (ascending) or down.
#pragma once

#include "platform/Platform.h"

class CSortHeaderCtrl : public CHeaderCtrl {
 public:
  void SetSortArrow(int column, int ascending);
  int GetSortColumn() const { return m_sortColumn; }
  int GetSortAscending() const { return m_sortAscending; }
  virtual void DrawItem(LPDRAWITEMSTRUCT draw);

 protected:
  void OnPaint();

  DECLARE_MESSAGE_MAP()

 private:
  void DrawArrow(CDC& dc, const CRect& item, int margin);

  int m_sortColumn = -1;
  int m_sortAscending = 1;
};
