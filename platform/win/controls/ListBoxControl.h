// The "ListBox" class: a single-selection list of items (texts, or item data
// of owner-drawn lists), sorted or in insertion order, with item heights, a
// top index, mouse and keyboard selection and the LBN_* notifications.
#pragma once

#include <memory>

#include "platform/win/controls/Control.h"
#include "platform/win/controls/ItemList.h"

namespace wavorel {

class ListBoxControl : public Control {
 public:
  using Control::Control;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_CTLCOLORLISTBOX; }

 private:
  void create();
  // An owner-drawn list of fixed height asks its owner for the height once.
  void measureFixed();
  // A list that is not owner-drawn takes the height of a line of its font
  // (of the system font, 16 pixels, when the font is set back to none).
  void fontChanged() override;
  bool notifies() const { return (style() & LBS_NOTIFY) != 0; }
  UINT heightOf(int index) const;
  LRESULT setCurSel(WPARAM index);
  // A selection made by the user: LBN_SELCHANGE when it changed.
  void userSelect(int index);
  int itemAt(LPARAM point) const;
  RECT itemRect(int index) const;
  LRESULT removeItem(WPARAM index);
  void paint(HDC dc) const;
  // The look of a list that is not owner-drawn (ListBoxPaint.cpp).
  void paintLook(HDC dc) const;

  std::unique_ptr<ItemList> items_;
  int selected_ = LB_ERR;
  int top_ = 0;
  UINT itemHeight_ = 16;
};

}  // namespace wavorel
