// The IP address control ("SysIPAddress32"): four fields of 0 to 255, each
// of which may be blank. Typed digits fill the current field; a field is
// finished by its third digit, a '.' or a blank, or by losing the focus, and
// its value is then clamped to the field's range and reported to the parent
// with IPN_FIELDCHANGED (the parent may change the value).
#pragma once

#include "platform/win/user/User.h"
#include "platform/win/commctrl/CommonControls.h"

#define IPM_CLEARADDRESS (WM_USER + 100)
#define IPM_SETADDRESS (WM_USER + 101)
#define IPM_GETADDRESS (WM_USER + 102)
#define IPM_SETRANGE (WM_USER + 103)
#define IPM_SETFOCUS (WM_USER + 104)
#define IPM_ISBLANK (WM_USER + 105)

#define IPN_FIRST (0u - 860u)
#define IPN_FIELDCHANGED (IPN_FIRST - 0)

struct NMIPADDRESS {
  NMHDR hdr;
  int iField;
  int iValue;
};
typedef NMIPADDRESS* LPNMIPADDRESS;

#define MAKEIPRANGE(low, high) \
  (static_cast<LPARAM>(static_cast<WORD>((static_cast<BYTE>(high) << 8) + static_cast<BYTE>(low))))
#define MAKEIPADDRESS(b1, b2, b3, b4)                                                            \
  (static_cast<LPARAM>((static_cast<DWORD>(b1) << 24) + (static_cast<DWORD>(b2) << 16) + \
                       (static_cast<DWORD>(b3) << 8) + static_cast<DWORD>(b4)))
#define FIRST_IPADDRESS(x) ((static_cast<DWORD>(x) >> 24) & 0xff)
#define SECOND_IPADDRESS(x) ((static_cast<DWORD>(x) >> 16) & 0xff)
#define THIRD_IPADDRESS(x) ((static_cast<DWORD>(x) >> 8) & 0xff)
#define FOURTH_IPADDRESS(x) (static_cast<DWORD>(x) & 0xff)
