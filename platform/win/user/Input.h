// The state of the keyboard and the mouse cursor.
//
// Keys: GetAsyncKeyState tells whether a key is down now (the keyboard input
// path, wavorel::sendKey, moves it); GetKeyState tells the state as the
// calling thread's messages showed it: it changes when that thread takes a
// WM_KEYDOWN / WM_KEYUP (or the WM_SYS* forms) from its queue. In both the
// bit 0x8000 means down; GetKeyState's bit 1 is the toggle, which flips at
// each press of the key (CAPS LOCK on or off, for that key).
//
// The cursor: one position per process in screen coordinates, moved by the
// mouse input path (wavorel::setCursorPos) and by SetCursorPos.
//
// GetMessagePos: where the cursor was (screen coordinates, x in the low word,
// y in the high word) when the message the calling thread took last from its
// queue was made.
#pragma once

#include "platform/win/user/User.h"

SHORT GetKeyState(int nVirtKey);
SHORT GetAsyncKeyState(int vKey);

BOOL GetCursorPos(LPPOINT lpPoint);
// Moves the cursor, kept inside the screen.
BOOL SetCursorPos(int X, int Y);

DWORD GetMessagePos();

namespace wavorel {

// The keyboard: a key went down or up (GetAsyncKeyState). Returns whether it
// was down before.
bool setAsyncKeyDown(UINT vk, bool down);
// A key press (down) or release from the keyboard, with the key's scan code
// and whether it is an extended key: it arrives at the window that has the
// focus (else the active window) when the loop takes it, so keys typed ahead
// of a click follow the focus the click gives, as WM_KEYDOWN / WM_KEYUP, or WM_SYSKEYDOWN / WM_SYSKEYUP
// while Alt is held without Ctrl (and for F10 and Alt itself), with the
// lParam flags of Windows (repeat count 1, scan code, extended, Alt context,
// previous state, transition), and passes the thread's WH_KEYBOARD hooks
// when the loop takes it. False when no window takes keys.
bool keyboardInput(UINT vk, bool down, UINT scanCode = 0, bool extended = false);
// The window a key taken now from the calling thread's queue goes to: the
// focus, else the active window, when it is the thread's; else NULL.
HWND keyboardInputTarget();
// Sets the toggle of a key (Caps Lock, Num Lock) in the calling thread's key
// state, as the keyboard shows it.
void setKeyToggled(UINT vk, bool on);
// A message the calling thread took from its queue: key messages update the
// thread's key state (GetKeyState); its point is GetMessagePos from now on.
void noteRetrievedMessage(const MSG& msg);

// The mouse: the cursor is at `pt` (screen coordinates).
void setCursorPos(POINT pt);

}  // namespace wavorel
