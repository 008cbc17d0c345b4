// The tab control ("SysTabControl32"). A click on another tab asks the parent
// with TCN_SELCHANGING (non-zero keeps the current tab) and reports
// TCN_SELCHANGE; TCM_SETCURSEL changes the tab silently.
//
// Geometry: one row of tabs along the top (the bottom with TCS_BOTTOM), as
// high as a line of the control's font (WM_SETFONT; DEFAULT_GUI_FONT until
// one is set) plus the vertical padding (3 pixels) above and below and a
// 1-pixel border - 20 pixels in the default font - unless TCM_SETITEMSIZE
// gives a height; a tab is as wide as its text in that font plus the
// horizontal padding (6 pixels) on both sides and a 16-pixel icon when it
// has one, or the fixed width with TCS_FIXEDWIDTH. TCM_SETPADDING sets both
// paddings.
// Tabs start 2 pixels in; the display area is the client area less the tab
// row and a 2-pixel border (TCM_ADJUSTRECT).
#pragma once

#include "platform/win/user/User.h"
#include "platform/win/commctrl/CommonControls.h"

#define TCS_BOTTOM 0x0002
#define TCS_RIGHT 0x0002
#define TCS_HOTTRACK 0x0040
#define TCS_TABS 0x0000
#define TCS_BUTTONS 0x0100
#define TCS_SINGLELINE 0x0000
#define TCS_MULTILINE 0x0200
#define TCS_FIXEDWIDTH 0x0400
#define TCS_FOCUSONBUTTONDOWN 0x1000
#define TCS_OWNERDRAWFIXED 0x2000
#define TCS_TOOLTIPS 0x4000
#define TCS_FOCUSNEVER 0x8000

#define TCIF_TEXT 0x0001
#define TCIF_IMAGE 0x0002
#define TCIF_RTLREADING 0x0004
#define TCIF_PARAM 0x0008
#define TCIF_STATE 0x0010

#define TCM_FIRST 0x1300
#define TCM_GETIMAGELIST (TCM_FIRST + 2)
#define TCM_SETIMAGELIST (TCM_FIRST + 3)
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_GETITEM (TCM_FIRST + 5)
#define TCM_SETITEM (TCM_FIRST + 6)
#define TCM_INSERTITEM (TCM_FIRST + 7)
#define TCM_DELETEITEM (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)
#define TCM_GETCURSEL (TCM_FIRST + 11)
#define TCM_SETCURSEL (TCM_FIRST + 12)
#define TCM_HITTEST (TCM_FIRST + 13)
#define TCM_ADJUSTRECT (TCM_FIRST + 40)
#define TCM_SETITEMSIZE (TCM_FIRST + 41)
#define TCM_SETPADDING (TCM_FIRST + 43)
#define TCM_GETROWCOUNT (TCM_FIRST + 44)
#define TCM_GETCURFOCUS (TCM_FIRST + 47)
#define TCM_SETCURFOCUS (TCM_FIRST + 48)

#define TCHT_NOWHERE 0x0001
#define TCHT_ONITEMICON 0x0002
#define TCHT_ONITEMLABEL 0x0004
#define TCHT_ONITEM (TCHT_ONITEMICON | TCHT_ONITEMLABEL)

#define TCN_FIRST (0u - 550u)
#define TCN_KEYDOWN (TCN_FIRST - 0)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)

struct TCITEM {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};
typedef TCITEM* LPTCITEM;

struct TCHITTESTINFO {
  POINT pt;
  UINT flags;
};
typedef TCHITTESTINFO* LPTCHITTESTINFO;

struct NMTCKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
