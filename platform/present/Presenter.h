// The presenter shows what the windows painted. It works whenever a message
// loop of the process runs out of work (every peek that finds nothing to
// take), on that loop's thread:
//
// - WAVOREL_SCREENSHOT=<file> (.png, or .bmp): the program's main window
//   (the first top-level window of the thread that was visible there, or,
//   once it is gone, the topmost visible one) is written to the file after
//   every change in what was painted, so the file always shows the window as
//   last painted before the loop waited.
// - WAVOREL_RUN_MS and WAVOREL_TRAY: the headless run's end and its tray
//   file (HeadlessRun.h).
// - An X display: where DISPLAY is set and WAVOREL_HEADLESS is not, the
//   first idle loop connects to it. Every visible top-level window of that
//   thread then appears as an X window of its size and place (popups without
//   a caption as override-redirect windows, the others undecorated), shaped
//   by its window region, repainted after paints, and X mouse and keyboard
//   input comes back as window messages: WM_SETCURSOR, then WM_MOUSEMOVE,
//   WM_LBUTTONDOWN/UP/DBLCLK, WM_RBUTTONDOWN/UP at the window under the
//   pointer (or the capture), keys through the keyboard input path
//   (WM_KEYDOWN/UP; WM_CHAR from TranslateMessage). The loop's thread waits
//   on the X connection together with its queue, so a waiting GetMessage
//   neither spins nor misses input.
#pragma once

#include <string>

namespace wavorel::present {

// Connects the calling thread's windows to the X display `name` (null: the
// DISPLAY variable), replacing an earlier connection. False when the display
// cannot be opened or lacks a 24-bit true-colour visual.
bool openDisplay(const char* name);
void closeDisplay();
bool displayOpen();

}  // namespace wavorel::present
