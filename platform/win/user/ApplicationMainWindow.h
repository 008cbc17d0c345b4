// The mark of a dialog-based program's main window: the window property that
// MFC's DoModal sets on the dialog the application runs as its main window,
// and that the modal loop reads. Such a dialog is the program itself, not a
// question: only a test's responder is shown it, and the headless run leaves
// it to its program, which ends it.
#pragma once

namespace wavorel {

constexpr const char* kApplicationMainWindowProp = "WavorelApplicationMainWindow";

}  // namespace wavorel
