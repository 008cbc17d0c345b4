// The caret: one per UI thread, owned by one window. It is a rectangle of
// the window's client area drawn by inverting the pixels there (through the
// window's DC, so it is clipped as the window's painting is), and blinks on
// a timer of the window every GetCaretBlinkTime milliseconds while shown.
//
// CreateCaret makes it (hidden; a previous caret goes), ShowCaret and
// HideCaret count (it shows once every HideCaret has been matched by a
// ShowCaret), SetCaretPos moves it (and restarts the blink with the caret
// on), DestroyCaret removes it. Painting its window takes it off the screen
// for the paint (BeginPaint) and puts it back after (EndPaint).
#pragma once

#include "platform/win/user/User.h"

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(LPPOINT point);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);

namespace wavorel {

// The painting of `hwnd` begins / ended (BeginPaint, EndPaint).
void caretBeforePaint(HWND hwnd);
void caretAfterPaint(HWND hwnd);
// Where the caret is drawn now (client coordinates of its window); false
// while it is not on the screen (hidden, or in the off half of a blink).
bool caretDrawn(HWND* hwnd, RECT* rect);

}  // namespace wavorel
