// The loop that moves a window with the mouse (WM_SYSCOMMAND SC_MOVE, which
// the default window procedure sends for a left press on HTCAPTION).
#pragma once

#include "platform/win/user/User.h"

namespace wavorel {

// Moves `hwnd` by the mouse until the left button is released. The window
// takes the capture and WM_ENTERSIZEMOVE; every mouse move offsets the
// window rectangle it had at the start by how far the mouse went from where
// the press was (GetMessagePos), offers the rectangle (screen coordinates)
// with WM_MOVING and moves the window there (a child in its parent's client
// coordinates: WM_WINDOWPOSCHANGING/CHANGED, WM_MOVE). Mouse and key
// messages belong to the loop while it runs; everything else is dispatched.
// WM_LBUTTONUP and Enter end it where the window is, Escape puts the window
// back first; losing the capture, the window's destruction and WM_QUIT end
// it as well. WM_EXITSIZEMOVE comes last. Nothing moves when the last mouse
// input had the left button up (there is no drag to follow).
void runMoveLoop(HWND hwnd);

}  // namespace wavorel
