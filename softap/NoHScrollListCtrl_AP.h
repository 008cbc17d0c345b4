// CNoHScrollListCtrl_AP: a list control that never shows a horizontal scroll
// bar: each time its frame is computed (WM_NCCALCSIZE) it drops WS_HSCROLL
// from its own style first.
#pragma once

#include "platform/Platform.h"

class CNoHScrollListCtrl_AP : public CListCtrl {
 protected:
  LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
