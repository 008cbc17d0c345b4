// The messages the widgets send to their parent windows, and the records
// that travel with them. Every record lives on the sender's stack and is
// valid only during the SendMessage call; wParam is the sending control's
// window handle.
#pragma once

#include "platform/Platform.h"

// A cell request of CQuickList: lParam is the list's CQuickListCell, which the
// parent completes. The answer is not used.
constexpr UINT WM_QUICKLIST_GETITEM = WM_USER + 1979;  // 0x0BBB
// Before the focused column of a CQuickList moves: lParam is a
// CQuickListNavigation the parent may change (new column, allow).
constexpr UINT WM_QUICKLIST_NOTIFY_1 = 0x0BBC;
// After a click on a cell: lParam is a CQuickListClick.
constexpr UINT WM_QUICKLIST_NOTIFY_2 = 0x0BBD;
// After a right click on a column header: lParam is a CQuickListHeaderClick.
constexpr UINT WM_QUICKLIST_NOTIFY_3 = 0x0BBE;

struct CQuickListNavigation {
  int nCurrentColumn;
  int nNewColumn;
  BYTE bAllow;  // TRUE unless the parent clears it
};

struct CQuickListClick {
  int nRow;
  int nColumn;
  BYTE bOnImage;
  BYTE bOnCheckBox;
};

struct CQuickListHeaderClick {
  int nColumn;  // -1 when the point lies on no header item
  POINT ptScreen;
};
