// The "Button" class: push buttons, check boxes, radio buttons (plain, auto,
// three-state), group boxes and owner-drawn buttons, with their images.
#pragma once

#include "platform/win/controls/Control.h"

namespace wavorel {

class ButtonControl : public Control {
 public:
  using Control::Control;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override;

 private:
  DWORD type() const { return style() & BS_TYPEMASK; }
  bool checkable() const;
  UINT dialogCode() const;
  void setCheck(WPARAM check);
  void setPushed(bool pushed);
  void press();
  void release(bool click);
  // The click itself: auto buttons change their check, then BN_CLICKED.
  void click();
  void uncheckGroupRadios() const;
  void paint(HDC dc) const;
  // Everything but owner-drawn buttons (ButtonPaint.cpp).
  void paintLook(HDC dc) const;

  UINT check_ = BST_UNCHECKED;
  bool pushed_ = false;
  bool focus_ = false;
  bool tracking_ = false;  // the left button went down on the button
  bool clicking_ = false;  // BM_CLICK: the release counts as inside
  HANDLE bitmap_ = nullptr;
  HANDLE icon_ = nullptr;
};

}  // namespace wavorel
