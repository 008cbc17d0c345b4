// The "ComboBox" class: a selection field (an "Edit" child with id 1001 in
// the drop-down and simple styles) over a list of items held by the combo
// box's list window, a "ComboLBox" (ListBoxControl.h): a popup shown below
// the field (above it when the screen has no room below) for the drop-down
// styles, a child under the field for the simple style.
//
// A closed drop-down combo box is as tall as its field, whatever height it is
// given; the list shows up to CB_GETMINVISIBLE items (30) and scrolls the
// rest. It drops down on a click on the field, F4, Alt+Down or Alt+Up, and
// CB_SHOWDROPDOWN; it closes on a choice (a click on an item, Enter, F4 or
// Alt+Up/Down again), on Escape, on a click outside it and when the combo box
// loses the focus. The parent gets WM_COMMAND with CBN_DROPDOWN before the
// list shows; CBN_SELCHANGE whenever the user changes the selection (a key
// in the open or closed combo box, a click on another item); then, as it
// closes, CBN_SELENDOK for a choice or CBN_SELENDCANCEL otherwise, and last
// CBN_CLOSEUP. While open, Enter and Escape are the combo box's, not the
// dialog's. Colour requests of its parts (WM_CTLCOLOREDIT of the edit part,
// WM_CTLCOLORLISTBOX of the list, with the list's handle) go on to its
// parent.
#pragma once

#include "platform/win/controls/Control.h"

namespace wavorel {

class ListBoxControl;

class ComboBoxControl : public Control {
 public:
  using Control::Control;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override;

  static constexpr int kEditId = 1001;
  static constexpr int kListId = 1000;

  // From the list: a click chose an item of the open list; a press outside
  // it, or the capture lost, closes it without a choice; the user selected an
  // item in a simple combo box's list.
  void listChose(int index);
  void listCancelled();
  void listSelected();

 private:
  DWORD kind() const { return style() & 3; }
  void create(const CREATESTRUCT* cs);
  ListBoxControl* list() const;
  LRESULT toList(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  int selection() const { return static_cast<int>(toList(LB_GETCURSEL)); }
  int count() const { return static_cast<int>(toList(LB_GETCOUNT)); }
  void fontChanged() override;
  // Shows the selected item's text in the selection field or edit part.
  void showSelection();
  void setFieldText(LPCSTR text);
  LRESULT setCurSel(WPARAM index);
  // A selection made with the keyboard: CBN_SELCHANGE when it changed.
  void userSelect(int index);
  // Where the open list goes (screen coordinates).
  RECT droppedRect() const;
  void drop(bool open);
  void hideList();
  void closeUp(bool accept);
  void keyDown(WPARAM key);
  void typed(char ch);
  void editNotified(UINT code);
  LRESULT getText(WPARAM size, LPSTR out) const;
  LRESULT setItemHeight(WPARAM index, UINT height);
  // Keeps a drop-down combo box as tall as its field.
  void positionChanging(WINDOWPOS* pos);
  void layoutParts();
  void paint(HDC dc) const;
  // The look of a combo box that is not owner-drawn (ComboBoxPaint.cpp).
  void paintLook(HDC dc) const;

  HWND edit_ = nullptr;
  HWND list_ = nullptr;
  bool dropped_ = false;
  bool settingText_ = false;  // the combo box itself is changing its edit part
  UINT fieldHeight_ = 18;
  LONG droppedWidth_ = 0;
  LONG givenHeight_ = 0;  // the height the combo box was given (a simple one's list fills it)
  int minVisible_ = 30;
};

}  // namespace wavorel
