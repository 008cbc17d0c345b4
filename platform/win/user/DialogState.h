// What the dialog manager keeps for each dialog window beside the window
// itself: its font and that font's base units, the default button, the focus
// it had when it was last deactivated and the modal state.
#pragma once

#include <memory>

#include "platform/win/user/User.h"

namespace wavorel {

struct DialogState {
  SIZE baseUnits{0, 0};
  WORD defId = 0;              // 0: none set (Enter then means IDOK)
  HWND savedFocus = nullptr;
  HWND disabledOwner = nullptr;  // the owner a modal loop disabled
  HFONT font = nullptr;         // WM_SETFONT / WM_GETFONT
  HFONT templateFont = nullptr;  // made for DS_SETFONT, deleted with the dialog
  bool hasResult = false;
  INT_PTR result = 0;
};

// The state of a window that DefDlgProc serves (made at WM_NCCREATE, dropped
// at WM_NCDESTROY); nullptr for other windows.
std::shared_ptr<DialogState> dialogState(HWND hwnd);
std::shared_ptr<DialogState> addDialogState(HWND hwnd);
void removeDialogState(HWND hwnd);

// The answer of a control to WM_GETDLGCODE (0 for no window).
UINT dialogCode(HWND control, const MSG* msg = nullptr);

}  // namespace wavorel
