// The header every WM_NOTIFY record starts with: which control sent it and
// the notification code.
#pragma once

#include "platform/win/kernel/Types.h"

struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
typedef NMHDR* LPNMHDR;
