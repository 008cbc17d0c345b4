// The "ComboBox" class: a list of items (as a list box's) with a selection
// field, an edit part for the drop-down and simple styles (an "Edit" child
// with id 1001), the drop-down state, keyboard selection and the CBN_*
// notifications. Colour requests of its parts go on to its parent.
#pragma once

#include <memory>

#include "platform/win/controls/Control.h"
#include "platform/win/controls/ItemList.h"

namespace wavorel {

class ComboBoxControl : public Control {
 public:
  using Control::Control;
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override;

  static constexpr int kEditId = 1001;

 private:
  DWORD kind() const { return style() & 3; }
  void init();
  void create();
  // Shows the selected item's text in the selection field or edit part.
  void showSelection();
  void setFieldText(LPCSTR text);
  LRESULT setCurSel(WPARAM index);
  void userSelect(int index);
  void drop(bool open);
  void closeUp(bool accept);
  void keyDown(WPARAM key);
  void editNotified(UINT code);
  LRESULT getText(WPARAM size, LPSTR out) const;
  LRESULT setItemHeight(WPARAM index, UINT height);
  void paint(HDC dc) const;
  // The look of a list that is not owner-drawn (ComboBoxPaint.cpp).
  void paintLook(HDC dc) const;
  void paintBelowField(HDC dc, RECT area, HBRUSH listBrush) const;

  std::unique_ptr<ItemList> items_;
  HWND edit_ = nullptr;
  int selected_ = CB_ERR;
  bool dropped_ = false;
  bool settingText_ = false;  // the combo box itself is changing its edit part
  UINT itemHeight_ = 16;
  UINT fieldHeight_ = 18;
  LONG droppedWidth_ = 0;
};

}  // namespace wavorel
