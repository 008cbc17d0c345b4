#include "softap/NoHScrollListCtrl_AP.h"

BEGIN_MESSAGE_MAP(CNoHScrollListCtrl_AP, CListCtrl)
  ON_MESSAGE(WM_NCCALCSIZE, &CNoHScrollListCtrl_AP::OnNcCalcSize)
END_MESSAGE_MAP()

LRESULT CNoHScrollListCtrl_AP::OnNcCalcSize(WPARAM, LPARAM) {
  ModifyStyle(WS_HSCROLL, 0);
  return Default();
}
