// WM_NOTIFY from a common control to its parent, and copying texts out.
#pragma once

#include <string>

#include "platform/win/user/User.h"
#include "platform/win/commctrl/CommonControls.h"

namespace wavorel {

// Fills the record's header (the control, its id, `code`) and sends WM_NOTIFY
// to the control's parent. 0 when the control has no parent.
LRESULT sendNotify(HWND control, UINT code, NMHDR* record);

// Copies `text` into a caller's buffer of `size` characters, cut to fit and
// always terminated; returns the characters copied (without the terminator).
int copyText(const std::string& text, LPSTR buffer, int size);

}  // namespace wavorel
