// The up-down control ("msctls_updown32"): a position inside a range, moved
// by clicks on its two arrows. A click asks the parent first (UDN_DELTAPOS,
// which can refuse it), then moves the position (wrapping with UDS_WRAP,
// else stopping at the ends), writes it into the buddy window with
// UDS_SETBUDDYINT and reports it with WM_VSCROLL (WM_HSCROLL with UDS_HORZ),
// SB_THUMBPOSITION; releasing the button reports SB_ENDSCROLL. The up (or
// right) arrow moves towards the upper end of the range, which may be below
// the lower end (the default range is 100 down to 0).
#pragma once

#include "platform/win/user/NotifyHeader.h"
#include "platform/win/user/User.h"
#include "platform/win/commctrl/CommonControls.h"

#define UPDOWN_CLASS "msctls_updown32"

#define UDS_WRAP 0x0001
#define UDS_SETBUDDYINT 0x0002
#define UDS_AUTOBUDDY 0x0010
#define UDS_HORZ 0x0040
#define UDS_NOTHOUSANDS 0x0080

#define UD_MAXVAL 0x7fff
#define UD_MINVAL (-UD_MAXVAL)

#define UDM_SETRANGE (WM_USER + 101)
#define UDM_GETRANGE (WM_USER + 102)
#define UDM_SETPOS (WM_USER + 103)
#define UDM_GETPOS (WM_USER + 104)
#define UDM_SETBUDDY (WM_USER + 105)
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETACCEL (WM_USER + 107)
#define UDM_GETACCEL (WM_USER + 108)
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32 (WM_USER + 113)
#define UDM_GETPOS32 (WM_USER + 114)

#define UDN_FIRST (0u - 721u)
#define UDN_DELTAPOS (UDN_FIRST - 1)

struct UDACCEL {
  UINT nSec;
  UINT nInc;
};
typedef UDACCEL* LPUDACCEL;

struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};
typedef NMUPDOWN* LPNMUPDOWN;
