// Creating the window of a dialog object (CDialog, CPropertySheet) from a
// parsed template: the object takes the window before its first message and
// WM_INITDIALOG reaches the object's OnInitDialog; a CDialog popup is then
// centred as MFC centres it (`modal`: it is made to run modally).
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/user/DialogTemplate.h"

namespace wavorel {

BOOL createDialogWindow(CWnd* pWnd, const DialogTemplate& dialogTemplate, HWND hWndParent, bool modal = false);

}  // namespace wavorel
