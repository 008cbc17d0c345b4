// The items of a list box or of a combo box's list: texts (or, for owner-drawn
// lists without strings, item data), per-item data and heights, sorted
// insertion and the prefix and exact searches. Owner-drawn lists ask their
// owner through WM_MEASUREITEM, WM_COMPAREITEM and WM_DELETEITEM.
#pragma once

#include <string>
#include <vector>

#include "platform/win/user/User.h"
#include "platform/win/controls/ControlConstants.h"

namespace wavorel {

class ItemList {
 public:
  struct Item {
    std::string text;
    ULONG_PTR data = 0;
    UINT height = 0;
  };
  struct Kind {
    UINT ctlType = ODT_LISTBOX;
    bool sorted = false;
    bool hasStrings = true;  // false for owner-drawn lists without strings
    bool ownerDraw = false;
    bool variable = false;  // owner-drawn with variable item heights
  };

  ItemList(HWND control, Kind kind) : control_(control), kind_(kind) {}

  int count() const { return static_cast<int>(items_.size()); }
  bool valid(WPARAM index) const { return static_cast<LONG_PTR>(index) >= 0 && static_cast<LONG_PTR>(index) < count(); }
  Item& at(WPARAM index) { return items_[index]; }
  const Item& at(WPARAM index) const { return items_[index]; }
  const Kind& kind() const { return kind_; }

  // `value` is the text (or the item data of a list without strings). Add
  // keeps a sorted list in order; insert puts the item at `index` (-1: the
  // end). Both return the index, or -1 for an index past the end.
  int add(LPARAM value, UINT defaultHeight);
  int insert(WPARAM index, LPARAM value, UINT defaultHeight);
  // Both return the items left, or -1 for a bad index.
  int remove(WPARAM index);
  void clear();
  // The first item after `start` (-1: from the top), wrapping round to
  // `start` itself, whose text begins with (or, `exact`, equals) `text`
  // without regard to case; -1 when none does.
  int find(WPARAM start, LPARAM text, bool exact) const;
  // LB_GETTEXT and LB_GETTEXTLEN.
  LRESULT copyText(WPARAM index, LPSTR out) const;
  LRESULT textLength(WPARAM index) const;

 private:
  HWND owner() const { return GetParent(control_); }
  int sortedPlace(LPARAM value) const;
  void measure(int index, LPARAM value, UINT defaultHeight);
  void deleted(int index) const;

  HWND control_;
  Kind kind_;
  std::vector<Item> items_;
};

}  // namespace wavorel
