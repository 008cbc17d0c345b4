// The "ListBox" class: a single-selection list of items (texts, or item data
// of owner-drawn lists), sorted or in insertion order, with item heights, a
// top index, mouse and keyboard selection and the LBN_* notifications. A list
// with WS_VSCROLL whose items do not all fit shows a scroll bar at its right
// edge (arrows, a page click on the track, a draggable thumb); the wheel,
// Page Up / Page Down, Home and End scroll it too, and a typed character
// selects the next item that begins with it.
//
// The "ComboLBox" class is the same list serving a combo box (LBS_COMBOBOX,
// the combo box's handle as the creation parameter): its items are the combo
// box's (owner-drawn items are measured, drawn and compared as ODT_COMBOBOX
// items of the combo box by the combo box's parent), its colours come from
// WM_CTLCOLORLISTBOX to the combo box, and while it is dropped down it holds
// the mouse capture: the item under the pointer is highlighted, a button
// release on an item chooses it, and a press outside the list (or the loss
// of the capture) closes it without a choice.
#pragma once

#include <memory>

#include "platform/win/controls/Control.h"
#include "platform/win/controls/ItemList.h"

namespace wavorel {

constexpr const char* kComboListClass = "ComboLBox";

class ListBoxControl : public Control {
 public:
  using Control::Control;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_CTLCOLORLISTBOX; }

  // For the combo box: highlights `index` and scrolls it into view.
  void track(int index);
  // The items a page shows (at least one).
  int pageRows() const;
  // The height of the first `rows` items (of `from` on).
  LONG rowsHeight(int from, int rows) const;

 private:
  enum class BarPart { None, Up, Down, PageUp, PageDown, Thumb };

  void create(const CREATESTRUCT* cs);
  // An owner-drawn list of fixed height asks its owner for the height once.
  void measureFixed();
  // A list that is not owner-drawn takes the height of a line of its font
  // (of the system font, 16 pixels, when the font is set back to none).
  void fontChanged() override;
  bool notifies() const { return !combo_ && (style() & LBS_NOTIFY) != 0; }
  // The window that owner-drawn items are measured and drawn by, with the
  // id and handle it knows the items by.
  HWND owner() const { return combo_ ? GetParent(combo_) : parent(); }
  UINT ownerId() const { return combo_ ? static_cast<UINT>(GetDlgCtrlID(combo_)) : id(); }
  UINT heightOf(int index) const;
  LRESULT setCurSel(WPARAM index);
  // A selection made by the user: LBN_SELCHANGE when it changed.
  void userSelect(int index);
  int itemAt(LPARAM point) const;
  RECT itemRect(int index) const;
  LRESULT removeItem(WPARAM index);
  void keyDown(WPARAM key);
  void typed(char ch);

  // Scrolling.
  bool barShown() const;
  RECT barRect() const;
  // The thumb's place on the bar's track.
  RECT thumbRect() const;
  BarPart barPartAt(POINT client) const;
  void barPress(BarPart part, POINT client);
  int maxTop() const;
  void scrollTo(int top);
  void ensureVisible(int index);

  // The combo box's list.
  void comboMouse(UINT msg, LPARAM lParam);

  void paint(HDC dc) const;
  // The look of a list that is not owner-drawn, and the scroll bar
  // (ListBoxPaint.cpp).
  void paintLook(HDC dc, HBRUSH back) const;
  void paintBar(HDC dc) const;
  // The item the list shows highlighted.
  int highlighted() const { return hot_ >= 0 ? hot_ : selected_; }

  std::unique_ptr<ItemList> items_;
  HWND combo_ = nullptr;  // the combo box this list serves
  int selected_ = LB_ERR;
  int hot_ = -1;          // under the pointer while a combo box's list is dropped
  int top_ = 0;
  UINT itemHeight_ = 16;
  bool draggingThumb_ = false;
  LONG dragOffset_ = 0;  // from the thumb's top to where it was taken
};

}  // namespace wavorel
