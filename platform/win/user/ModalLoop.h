// Modal loops. One loop function serves every modal window (message boxes,
// dialogs run with DoModal, popup menus); loops nest, and each ends on its own
// condition while timers and posted messages keep being dispatched.
//
// A modal window is answered from inside its loop, once it is shown and its
// first messages (what is ready then: posted messages, the first paint,
// timers already due) have been dispatched:
// - a window lying wholly off the screen is never answered (neither by a
//   responder nor by the headless default): its program ends it itself;
// - else a test's responder, where one is installed, answers first;
// - else, with a person at the display (the presenter has a display open),
//   nobody answers: the window stays open until the person ends it;
// - else (the headless run) the default button is pressed (a popup menu is
//   dismissed, a file dialog cancelled) and what was answered is logged to
//   stderr. A window that has no default button to press (neither among its
//   push buttons nor as a child control) is left open.
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

// A person can answer modal windows while a display shows the windows: each
// display says so as it opens (true) and as it closes (false).
void setPersonAtDisplay(bool present);
bool personAtDisplay();

// What the responder, the person (0: nobody answers for them) or the headless
// default answers for a window just shown.
int answerModal(const ModalWindow& window);

// How a modal loop asks for its window's answer: `describe` gives the window
// as it is once its first messages ran, `press` carries out a non-zero answer
// and `unanswered` (optional) runs when a headless run leaves the window
// without an answer (a popup menu is dismissed then).
struct ModalQuestion {
  std::function<ModalWindow()> describe;
  std::function<void(int)> press;
  std::function<void()> unanswered = {};
};

// Runs messages until `done` returns true or endModal(hwnd) is called (true),
// or until `hwnd` is destroyed or WM_QUIT arrives (false; WM_QUIT is posted
// again for the outer loop). `hwnd` may be NULL for a loop without a window.
// Each message taken goes first to `filter` (a dialog's keyboard interface,
// say) and is dispatched only when that returns false. With a `question`, the
// window is answered (see above) once the messages ready at the start were
// dispatched.
using ModalFilter = std::function<bool(MSG&)>;
bool runModalLoop(HWND hwnd, const std::function<bool()>& done = {}, const ModalFilter& filter = {},
                  const ModalQuestion* question = nullptr);

// Ends the modal loop of `hwnd` with a result (from the window's thread).
BOOL endModal(HWND hwnd, INT_PTR result);
// TRUE, with the result, when endModal was called for `hwnd`; clears the mark.
BOOL takeModalResult(HWND hwnd, INT_PTR* result);

// Removes the responder and the person (a fresh platform).
void resetModalLoops();

}  // namespace wavorel
