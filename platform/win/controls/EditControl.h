// The "Edit" class: single-line and multiline text boxes with a selection,
// a limit on typed text, read-only, password, number-only and case-folding
// styles, and the EN_* notifications.
//
// A person works it as on Windows: the caret (CreateCaret, blinking) shows
// where typing goes while the edit has the focus; a click places it, a drag
// or a Shift+click selects, a double click selects a word; the arrows, Home
// and End move it (with Shift they select); a single-line edit scrolls its
// text sideways to keep the caret in view. The clipboard: WM_COPY, WM_CUT,
// WM_PASTE and WM_CLEAR, reached by Ctrl+C / Ctrl+X / Ctrl+V, Ctrl+Insert,
// Shift+Delete and Shift+Insert. A password edit copies nothing; a read-only
// edit copies but neither cuts nor pastes; a single-line edit pastes up to
// the first line break, a multiline edit the lines as they are (CR LF); what
// is pasted is cut to the typing limit
// (EN_MAXTEXT). In a combo box the edit part leaves the list keys (Up, Down,
// F4, Alt+Up/Down, and Enter and Escape while the list is open) to it.
#pragma once

#include <string>

#include "platform/win/controls/Control.h"

namespace wavorel {

class EditControl : public Control {
 public:
  using Control::Control;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override;

 private:
  bool multiline() const { return (style() & ES_MULTILINE) != 0; }
  bool readOnly() const { return (style() & ES_READONLY) != 0; }
  bool inCombo() const;
  size_t selStart() const { return std::min(anchor_, caret_); }
  size_t selEnd() const { return std::max(anchor_, caret_); }
  void create(const CREATESTRUCT* cs);
  // Replaces the text; EN_UPDATE and EN_CHANGE follow when `notifyChange`.
  void setText(std::string text, bool notifyChange);
  void select(LONG start, LONG end);
  // Moves the caret to `at`; with `extend` the anchor stays (a selection).
  void moveCaret(size_t at, bool extend);
  // Puts `insert` in place of the selection, cut to the typing limit
  // (EN_MAXTEXT when cut). False when nothing changed.
  bool replaceSelection(std::string insert);
  void typeChar(char ch);
  void keyDown(WPARAM key);
  void eraseRange(size_t start, size_t end);
  LRESULT lineIndex(WPARAM line) const;
  LRESULT lineCount() const;
  // The position one line up or down from the caret (hard line breaks).
  size_t lineMove(int lines) const;

  // The clipboard.
  void copy() const;
  void paste();

  // The text as shown (password characters), the area it is drawn in, the
  // caret's place there and the character nearest to a client point
  // (EditPaint.cpp).
  std::string shown() const;
  RECT textArea() const;
  POINT caretPoint() const;
  size_t charAt(POINT client) const;
  // Scrolls a single-line edit sideways to keep the caret in view and puts
  // the caret where it belongs.
  void caretMoved();
  void paintLook(HDC dc) const;

  std::string text_;
  size_t anchor_ = 0;  // the fixed end of the selection
  size_t caret_ = 0;   // the moving end, where the caret is
  size_t limit_ = 32767;
  bool modified_ = false;
  char passwordChar_ = 0;
  bool selecting_ = false;  // the left button is down: a drag selects
  LONG scroll_ = 0;         // pixels of a single-line text scrolled out at the left
};

}  // namespace wavorel
