// A menu behind an HMENU: its items in order, and the lookups the menu
// functions share (a handle to its menu, an item by position or by command).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win/user/Menu.h"

namespace wavorel {

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_ bits
  UINT state = 0;          // MFS_ bits
  UINT id = 0;             // for an item that opens a submenu, the submenu handle's low bits
  HMENU subMenu = nullptr;
  std::string text;
  ULONG_PTR data = 0;
  HBITMAP bitmap = nullptr;
  HBITMAP checked = nullptr;
  HBITMAP unchecked = nullptr;
  // Size of an owner-drawn item as the owner last measured it; cleared when
  // the item changes.
  bool measured = false;
  SIZE size{0, 0};

  bool isSeparator() const { return (type & MFT_SEPARATOR) != 0; }
  // Flags as GetMenuState reports them (without the submenu's item count).
  UINT flags() const { return type | state | (subMenu ? MF_POPUP : 0); }
};

class MenuObject {
 public:
  explicit MenuObject(bool popup) : popup(popup) {}

  const bool popup;  // CreatePopupMenu rather than a menu bar
  std::vector<MenuItem> items;

  // The menu of a handle; null and ERROR_INVALID_MENU_HANDLE when it is none.
  static std::shared_ptr<MenuObject> find(HMENU menu);
  static HMENU insert(std::shared_ptr<MenuObject> menu);
  // Takes the menu and the submenus of its items out of the table.
  static bool destroy(HMENU menu);
};

// An item found by position or by command id.
struct MenuItemRef {
  std::shared_ptr<MenuObject> menu;
  HMENU handle = nullptr;  // the menu that holds the item
  size_t index = 0;
  MenuItem& item() const { return menu->items[index]; }
};

// Finds item `item` of `menu`: the position when `byPosition`, else the
// command id searched through the submenus. False with
// ERROR_INVALID_MENU_HANDLE or ERROR_MENU_ITEM_NOT_FOUND.
bool findMenuItem(HMENU menu, UINT item, bool byPosition, MenuItemRef& out);

// An item made from the flags and arguments of AppendMenu and ModifyMenu.
MenuItem makeMenuItem(UINT flags, UINT_PTR idNewItem, LPCSTR newItem);

}  // namespace wavorel
