// The "Edit" class: single-line and multiline text boxes with a selection,
// a limit on typed text, read-only, password, number-only and case-folding
// styles, and the EN_* notifications.
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
  void create(const CREATESTRUCT* cs);
  // Replaces the text; EN_UPDATE and EN_CHANGE follow when `notifyChange`.
  void setText(std::string text, bool notifyChange);
  void select(LONG start, LONG end);
  // Puts `insert` in place of the selection, cut to the typing limit
  // (EN_MAXTEXT when cut). False when nothing changed.
  bool replaceSelection(std::string insert);
  void typeChar(char ch);
  void keyDown(WPARAM key);
  void eraseRange(size_t start, size_t end);
  LRESULT lineIndex(WPARAM line) const;
  LRESULT lineCount() const;
  // The text, the selection and the password characters (EditPaint.cpp).
  void paintLook(HDC dc) const;

  std::string text_;
  size_t selStart_ = 0;
  size_t selEnd_ = 0;
  size_t limit_ = 32767;
  bool modified_ = false;
  char passwordChar_ = 0;
};

}  // namespace wavorel
