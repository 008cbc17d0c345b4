// Modal loops. One loop function serves every modal window (message boxes,
// dialogs run with DoModal, popup menus); loops nest, and each ends on its own
// condition while timers and posted messages keep being dispatched.
//
// With no user at the screen, a modal window is answered by a responder: a
// test installs one; without one (the headless run) the default button is
// pressed (a popup menu is dismissed, a file dialog cancelled) and what was
// answered is logged to stderr. A window that has no default button to press
// (neither among its push buttons nor as a child control) is left open.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win/user/User.h"

namespace wavorel {

// A modal window as the responder sees it once the window is shown.
struct ModalWindow {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  std::vector<int> buttons;  // command ids, left to right
  int defaultButton = 0;
  // A popup menu lists its command ids in `buttons` with their texts in
  // `labels`, and its default item (if any) as `defaultButton`.
  // A file dialog (open or save) has the initial file name as `text` and its
  // filter as `labels`, description and pattern in turn; the responder picks
  // a file by setting the dialog's file name edit (SetDlgItemText with edt1)
  // and answering IDOK, or answers IDCANCEL.
  enum class Kind { Window, Menu, FileDialog };
  Kind kind = Kind::Window;
  std::vector<std::string> labels{};
  // A message box's MB_ flags as given (buttons, icon, default button, modality).
  UINT style = 0;
};

// Returns the id of the button to press, or 0 to leave the window open (a
// timer or a message may end it later).
using ModalResponder = std::function<int(const ModalWindow&)>;
void setModalResponder(ModalResponder responder);
// True while a responder is installed (a headless run has none).
bool hasModalResponder();

// What the responder (or the headless default) answers for a window just shown.
int answerModal(const ModalWindow& window);

// Runs messages until `done` returns true or endModal(hwnd) is called (true),
// or until `hwnd` is destroyed or WM_QUIT arrives (false; WM_QUIT is posted
// again for the outer loop). `hwnd` may be NULL for a loop without a window.
// Each message taken goes first to `filter` (a dialog's keyboard interface,
// say) and is dispatched only when that returns false.
using ModalFilter = std::function<bool(MSG&)>;
bool runModalLoop(HWND hwnd, const std::function<bool()>& done = {}, const ModalFilter& filter = {});

// Ends the modal loop of `hwnd` with a result (from the window's thread).
BOOL endModal(HWND hwnd, INT_PTR result);
// TRUE, with the result, when endModal was called for `hwnd`; clears the mark.
BOOL takeModalResult(HWND hwnd, INT_PTR* result);

// Removes the responder (a fresh platform).
void resetModalLoops();

}  // namespace wavorel
