// The headless run's switches, read from the environment by the presenter's
// idle work on the first thread whose message loop runs out of work:
//
// - WAVOREL_RUN_MS=<ms>: after that many milliseconds of the platform clock
//   the run ends: WM_QUIT is posted to that thread, so the loop it is in
//   (a modal dialog's too) ends and the program shuts down as it does on
//   WM_QUIT. Without it a run goes on until the program ends itself.
// - WAVOREL_TRAY=<file>: the notification-area icons are written to the
//   file as text, one line an icon, after every change (and so once more
//   before the run ends).
#pragma once

#include <string>

namespace wavorel::present {

// The presenter's hook: arms the run's end once, and writes the tray file.
// True when it set the end's timer just now (the queue must look again).
bool headlessIdle();

// The tray icons as the tray file shows them.
std::string trayStateText();

}  // namespace wavorel::present
